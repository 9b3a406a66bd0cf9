// The recording implementation of the device interface.
#include "host/recording_device.h"

#include <initializer_list>

namespace {

bool g_useRecording = false;
host_test::RecordingControls g_controls;
std::vector<host_test::RecordedCall> g_calls;

void record(const char* name, std::initializer_list<double> args = {}) {
  g_calls.push_back(host_test::RecordedCall{name, std::vector<double>(args)});
}

class RecordingDevice final : public IDirect3DDevice9 {
 public:
  explicit RecordingDevice(const D3DPRESENT_PARAMETERS& parameters) : parameters_(parameters) {}

  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override {
    record("Release");
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT TestCooperativeLevel() override {
    record("TestCooperativeLevel");
    return g_controls.cooperativeLevel;
  }
  HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override {
    record("Reset", {parameters != nullptr ? static_cast<double>(parameters->BackBufferWidth) : -1.0,
                     parameters != nullptr ? static_cast<double>(parameters->BackBufferHeight) : -1.0});
    if (parameters == nullptr) return D3DERR_INVALIDCALL;
    if (FAILED(g_controls.resetResult)) return g_controls.resetResult;
    parameters_ = *parameters;
    g_controls.cooperativeLevel = D3D_OK;
    return D3D_OK;
  }
  HRESULT BeginScene() override {
    record("BeginScene");
    if (g_controls.failBeginScene || inScene_) return D3DERR_INVALIDCALL;
    inScene_ = true;
    return D3D_OK;
  }
  HRESULT EndScene() override {
    record("EndScene");
    if (!inScene_) return D3DERR_INVALIDCALL;
    inScene_ = false;
    return D3D_OK;
  }
  HRESULT Clear(DWORD count, const D3DRECT*, DWORD flags, D3DCOLOR color, float z, DWORD stencil) override {
    record("Clear", {static_cast<double>(count), static_cast<double>(flags), static_cast<double>(color),
                     static_cast<double>(z), static_cast<double>(stencil)});
    return g_controls.failClear ? D3DERR_INVALIDCALL : D3D_OK;
  }
  HRESULT Present(const RECT*, const RECT*, HWND, const void*) override {
    record("Present");
    return g_controls.cooperativeLevel == D3D_OK ? D3D_OK : D3DERR_DEVICELOST;
  }

 private:
  ~RecordingDevice() override = default;
  D3DPRESENT_PARAMETERS parameters_;
  ULONG refs_ = 1;
  bool inScene_ = false;
};

class RecordingDirect3D final : public IDirect3D9 {
 public:
  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND, DWORD flags, D3DPRESENT_PARAMETERS* parameters,
                       IDirect3DDevice9** device) override {
    record("CreateDevice", {static_cast<double>(adapter), static_cast<double>(type), static_cast<double>(flags)});
    if (device == nullptr || parameters == nullptr) return D3DERR_INVALIDCALL;
    *device = nullptr;
    if (g_controls.failCreateAttempts > 0) {
      --g_controls.failCreateAttempts;
      return D3DERR_NOTAVAILABLE;
    }
    *device = new RecordingDevice(*parameters);
    return D3D_OK;
  }
  UINT GetAdapterModeCount(UINT, D3DFORMAT) override { return 1; }
  HRESULT EnumAdapterModes(UINT, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* out) override {
    if (mode != 0 || out == nullptr) return D3DERR_INVALIDCALL;
    *out = D3DDISPLAYMODE{1024, 768, 60, format};
    return D3D_OK;
  }

 private:
  ~RecordingDirect3D() override = default;
  ULONG refs_ = 1;
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
}  // namespace host_test
