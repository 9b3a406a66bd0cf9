// The part of a device both implementations share: argument checks, the remembered state, the
// objects it makes and the reset rules. Subclasses carry out clears, draws and presents (OpenGL)
// or note every call (recording).
#pragma once

#include "host/src/d3d9/device_objects.h"
#include "host/src/d3d9/device_state.h"

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <memory>

namespace host_d3d {

// Calls whose result a test may force.
enum class Fault { kCooperativeLevel, kReset, kBeginScene, kClear, kPresent, kLock, kCreateTexture };

// One checked draw. The vertices run from vertexData for vertexCount vertices of stride bytes;
// an indexed draw's indices, once indexBase is added, count from vertexData.
struct DrawCall {
  D3DPRIMITIVETYPE type = D3DPT_TRIANGLELIST;
  UINT primitiveCount = 0;
  const std::uint8_t* vertexData = nullptr;
  UINT vertexCount = 0;
  UINT stride = 0;
  DWORD fvf = 0;
  const std::uint8_t* indices = nullptr;  // 16-bit indices; null for a non-indexed draw
  UINT indexCount = 0;
  int indexBase = 0;
};

// Index i of a table of 16-bit indices held as bytes.
inline std::uint16_t fIndexAt(const std::uint8_t* indices, std::size_t i) {
  std::uint16_t value = 0;
  std::memcpy(&value, indices + 2 * i, sizeof(value));
  return value;
}

// Vertices a primitive count reads; 0 for an unknown type.
UINT fVerticesFor(D3DPRIMITIVETYPE type, UINT primitiveCount);

class HostDevice : public RefCounted<IDirect3DDevice9> {
 public:
  explicit HostDevice(const D3DPRESENT_PARAMETERS& parameters);

  HRESULT TestCooperativeLevel() override;
  HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override;
  HRESULT BeginScene() override;
  HRESULT EndScene() override;
  HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) override;
  HRESULT Present(const RECT* source, const RECT* dest, HWND window, const void* dirtyRegion) override;

  HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                        IDirect3DTexture9** texture, HANDLE* shared) override;
  HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool, IDirect3DVertexBuffer9** buffer,
                             HANDLE* shared) override;
  HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool, IDirect3DIndexBuffer9** buffer,
                            HANDLE* shared) override;

  HRESULT GetRenderTarget(DWORD index, IDirect3DSurface9** surface) override;
  HRESULT SetRenderTarget(DWORD index, IDirect3DSurface9* surface) override;

  HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
  HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
  HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) override;
  HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) override;

  HRESULT SetFVF(DWORD fvf) override;
  HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride) override;
  HRESULT SetIndices(IDirect3DIndexBuffer9* buffer) override;
  HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) override;
  HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertex, UINT minIndex, UINT vertexCount,
                               UINT startIndex, UINT primitiveCount) override;

  // Notes a call with its numeric arguments (only the recording device keeps them).
  virtual void fNote(const char* name, std::initializer_list<double> args);
  virtual void fNoteArray(const char* name, const double* args, std::size_t count);
  // D3D_OK, or the failure a test forces on this call.
  virtual HRESULT fInjected(Fault fault);
  // An object is going away: drop every binding to it.
  void fForgetObject(const void* object);

  const DeviceState& fState() const { return state_; }
  const D3DPRESENT_PARAMETERS& fParameters() const { return parameters_; }
  const std::shared_ptr<ResourceLedger>& fLedger() const { return ledger_; }

 protected:
  ~HostDevice() override;

  virtual HRESULT fExecuteClear(DWORD flags, D3DCOLOR color, float z, DWORD stencil);
  virtual void fExecuteDraw(const DrawCall& draw);
  virtual HRESULT fExecutePresent();
  virtual void fOnRenderTargetChanged() {}
  // After a successful reset: the new parameters and default state are in place.
  virtual void fOnReset() {}
  virtual MemoryTexture* fMakeTexture(UINT width, UINT height, DWORD usage, D3DFORMAT format, D3DPOOL pool);
  // Width and height of the back buffer for these parameters (0 may mean "the window's").
  virtual void fResolveBackBuffer(D3DPRESENT_PARAMETERS& parameters);
  // Sets up the back buffer; subclasses call it from their constructor.
  void fInitBackBuffer();

  DeviceState state_;
  D3DPRESENT_PARAMETERS parameters_;
  bool inScene_ = false;
  BackBufferSurface* backBuffer_ = nullptr;

 private:
  std::shared_ptr<ResourceLedger> ledger_;
};

}  // namespace host_d3d
