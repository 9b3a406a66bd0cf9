// The recording implementation of the device interface: the shared device core with every call
// noted and the failures a test asks for.
#include "host/recording_device.h"

#include "host/src/d3d9/factories.h"
#include "host/src/d3d9/host_device.h"

namespace {

bool g_useRecording = false;
host_test::RecordingControls g_controls;
std::vector<host_test::RecordedCall> g_calls;

void record(const char* name, std::initializer_list<double> args) {
  g_calls.push_back(host_test::RecordedCall{name, std::vector<double>(args), {}, 0, {}});
}

class RecordingDevice final : public host_d3d::HostDevice {
 public:
  explicit RecordingDevice(const D3DPRESENT_PARAMETERS& parameters) : HostDevice(parameters) { fInitBackBuffer(); }

  void fNote(const char* name, std::initializer_list<double> args) override { record(name, args); }
  void fNoteArray(const char* name, const double* args, std::size_t count) override {
    g_calls.push_back(host_test::RecordedCall{name, std::vector<double>(args, args + count), {}, 0, {}});
  }

  HRESULT fInjected(host_d3d::Fault fault) override {
    using host_d3d::Fault;
    switch (fault) {
      case Fault::kCooperativeLevel:
        return g_controls.cooperativeLevel;
      case Fault::kReset:
        if (FAILED(g_controls.resetResult)) return g_controls.resetResult;
        // A lost device cannot be reset until it reports that it needs the reset.
        return g_controls.cooperativeLevel == D3DERR_DEVICELOST ? D3DERR_DEVICELOST : D3D_OK;
      case Fault::kBeginScene:
        return g_controls.failBeginScene ? D3DERR_INVALIDCALL : D3D_OK;
      case Fault::kClear:
        return g_controls.failClear ? D3DERR_INVALIDCALL : D3D_OK;
      case Fault::kPresent:
        return g_controls.cooperativeLevel == D3D_OK ? D3D_OK : D3DERR_DEVICELOST;
      case Fault::kLock:
        return g_controls.failLocks ? D3DERR_INVALIDCALL : D3D_OK;
      case Fault::kCreateTexture:
        return g_controls.failCreateTexture ? D3DERR_OUTOFVIDEOMEMORY : D3D_OK;
    }
    return D3D_OK;
  }

  HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override {
    const HRESULT result = HostDevice::Reset(parameters);
    if (SUCCEEDED(result)) g_controls.cooperativeLevel = D3D_OK;
    return result;
  }

 protected:
  void fOnRelease() override { record("Release", {}); }

  // The draw was noted just before: keep what it read beside it.
  void fExecuteDraw(const host_d3d::DrawCall& draw) override {
    if (g_calls.empty()) return;
    host_test::RecordedCall& call = g_calls.back();
    call.stride = draw.stride;
    call.vertices.assign(draw.vertexData, draw.vertexData + static_cast<std::size_t>(draw.vertexCount) * draw.stride);
    if (draw.indices != nullptr) {
      call.indices.resize(draw.indexCount);
      for (UINT i = 0; i < draw.indexCount; ++i) {
        call.indices[i] = static_cast<std::uint16_t>(host_d3d::fIndexAt(draw.indices, i) + draw.indexBase);
      }
    }
  }

 private:
  ~RecordingDevice() override = default;
};

class RecordingDirect3D final : public host_d3d::RefCounted<IDirect3D9> {
 public:
  HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND, DWORD flags, D3DPRESENT_PARAMETERS* parameters,
                       IDirect3DDevice9** device) override {
    record("CreateDevice", {static_cast<double>(adapter), static_cast<double>(type), static_cast<double>(flags)});
    if (device == nullptr || parameters == nullptr) return D3DERR_INVALIDCALL;
    *device = nullptr;
    if (adapter != D3DADAPTER_DEFAULT) return D3DERR_INVALIDCALL;
    if (g_controls.failCreateAttempts > 0) {
      --g_controls.failCreateAttempts;
      return D3DERR_NOTAVAILABLE;
    }
    *device = new RecordingDevice(*parameters);
    return D3D_OK;
  }
  UINT GetAdapterModeCount(UINT adapter, D3DFORMAT) override {
    return adapter == D3DADAPTER_DEFAULT ? static_cast<UINT>(g_controls.modes.size()) : 0;
  }
  HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* out) override {
    if (adapter != D3DADAPTER_DEFAULT || out == nullptr || mode >= g_controls.modes.size()) {
      return D3DERR_INVALIDCALL;
    }
    *out = g_controls.modes[mode];
    out->Format = format;
    return D3D_OK;
  }

 private:
  ~RecordingDirect3D() override = default;
};

}  // namespace

IDirect3D9* fCreateRecordingDirect3D() {
  if (g_controls.failDirect3D) return nullptr;
  return new RecordingDirect3D();
}

namespace host_test {

void fUseRecordingDevice(bool on) { g_useRecording = on; }
bool fUsingRecordingDevice() { return g_useRecording; }
RecordingControls& fRecordingControls() { return g_controls; }
std::vector<RecordedCall>& fRecordedCalls() { return g_calls; }

int fCountCalls(const std::string& name) {
  int n = 0;
  for (const RecordedCall& c : g_calls) n += c.name == name ? 1 : 0;
  return n;
}

void fResetRecording() {
  g_calls.clear();
  g_controls = RecordingControls{};
}

int fSerialOf(IUnknown* object) {
  const auto* info = dynamic_cast<const host_d3d::HostObjectInfo*>(object);
  return info != nullptr ? info->fSerial() : 0;
}

bool fIsAlive(int serial) { return host_d3d::fIsLiveSerial(serial); }

}  // namespace host_test
