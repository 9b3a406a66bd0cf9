// The OpenGL Direct3D object: devices on SDL windows made with OpenGL, the adapter's display
// modes from SDL, and the read-back door for tests.
#include "host/recording_device.h"
#include "host/src/d3d9/factories.h"
#include "host/src/gl/gl_device.h"
#include "host/src/host_internal.h"
#include "host/win_system.h"

#include <string>

namespace {

class GlDirect3D final : public host_d3d::RefCounted<IDirect3D9> {
 public:
  HRESULT CreateDevice(UINT adapter, D3DDEVTYPE, HWND focusWindow, DWORD, D3DPRESENT_PARAMETERS* parameters,
                       IDirect3DDevice9** device) override {
    if (device == nullptr || parameters == nullptr) return D3DERR_INVALIDCALL;
    *device = nullptr;
    if (adapter != D3DADAPTER_DEFAULT) return D3DERR_INVALIDCALL;
    SDL_Window* window = host_detail::fSdlWindow(focusWindow);
    if (window == nullptr || (SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL) == 0) {
      host_detail::fSetLastFailure(ERROR_NOT_SUPPORTED, "the window cannot draw with OpenGL");
      return D3DERR_NOTAVAILABLE;
    }
    host_gl::GlDevice* made = host_gl::GlDevice::fCreate(window, *parameters);
    if (made == nullptr) {
      host_detail::fSetLastFailure(ERROR_NOT_SUPPORTED, std::string("no OpenGL 3.3 context (") + SDL_GetError() + ")");
      return D3DERR_NOTAVAILABLE;
    }
    *device = made;
    return D3D_OK;
  }
  UINT GetAdapterModeCount(UINT adapter, D3DFORMAT) override {
    if (adapter != D3DADAPTER_DEFAULT || !host_detail::fEnsureVideo()) return 0;
    const int n = SDL_GetNumDisplayModes(0);
    return n > 0 ? static_cast<UINT>(n) : 0;
  }
  HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* out) override {
    if (adapter != D3DADAPTER_DEFAULT || out == nullptr) return D3DERR_INVALIDCALL;
    SDL_DisplayMode m;
    if (SDL_GetDisplayMode(0, static_cast<int>(mode), &m) != 0) return D3DERR_INVALIDCALL;
    *out = D3DDISPLAYMODE{static_cast<UINT>(m.w), static_cast<UINT>(m.h), static_cast<UINT>(m.refresh_rate), format};
    return D3D_OK;
  }

 private:
  ~GlDirect3D() override = default;
};

}  // namespace

IDirect3D9* fCreateGlDirect3D() {
  if (!host_detail::fEnsureVideo()) return nullptr;
  return new GlDirect3D();
}

namespace host_test {

bool fReadBackBuffer(IDirect3DDevice9* device, int& width, int& height, std::vector<std::uint8_t>& rgba) {
  width = 0;
  height = 0;
  rgba.clear();
  auto* gl = dynamic_cast<host_gl::GlDevice*>(device);
  return gl != nullptr && gl->fReadBack(width, height, rgba);
}

void fSetGlPointSizeLimit(float limit) { host_gl::fSetPointSizeLimit(limit); }

void fSetGlPartialRedraw(bool on) { host_gl::fSetPartialRedraw(on); }

void fSetGlTextureRest(std::chrono::milliseconds rest) { host_gl::fSetTextureRest(rest); }

}  // namespace host_test
