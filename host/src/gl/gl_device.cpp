// The OpenGL implementation of the device interface, on the SDL window of the focus window.
#include "host/d3d9.h"
#include "host/recording_device.h"
#include "host/src/host_internal.h"

#include <GL/gl.h>

IDirect3D9* fCreateRecordingDirect3D();

namespace {

class GlDevice final : public IDirect3DDevice9 {
 public:
  GlDevice(SDL_Window* window, SDL_GLContext context) : window_(window), context_(context) {}

  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT TestCooperativeLevel() override { return D3D_OK; }
  HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override {
    if (parameters == nullptr) return D3DERR_INVALIDCALL;
    SDL_GL_MakeCurrent(window_, context_);
    return D3D_OK;
  }
  HRESULT BeginScene() override {
    if (inScene_) return D3DERR_INVALIDCALL;
    inScene_ = true;
    int w = 0;
    int h = 0;
    SDL_GL_GetDrawableSize(window_, &w, &h);
    glViewport(0, 0, w, h);
    return D3D_OK;
  }
  HRESULT EndScene() override {
    if (!inScene_) return D3DERR_INVALIDCALL;
    inScene_ = false;
    return D3D_OK;
  }
  HRESULT Clear(DWORD, const D3DRECT*, DWORD flags, D3DCOLOR color, float z, DWORD stencil) override {
    GLbitfield mask = 0;
    if ((flags & D3DCLEAR_TARGET) != 0) {
      glClearColor(static_cast<float>((color >> 16) & 0xFF) / 255.0f, static_cast<float>((color >> 8) & 0xFF) / 255.0f,
                   static_cast<float>(color & 0xFF) / 255.0f, static_cast<float>((color >> 24) & 0xFF) / 255.0f);
      mask |= GL_COLOR_BUFFER_BIT;
    }
    if ((flags & D3DCLEAR_ZBUFFER) != 0) {
      glClearDepth(z);
      mask |= GL_DEPTH_BUFFER_BIT;
    }
    if ((flags & D3DCLEAR_STENCIL) != 0) {
      glClearStencil(static_cast<GLint>(stencil));
      mask |= GL_STENCIL_BUFFER_BIT;
    }
    glClear(mask);
    return glGetError() == GL_NO_ERROR ? D3D_OK : D3DERR_INVALIDCALL;
  }
  HRESULT Present(const RECT*, const RECT*, HWND, const void*) override {
    SDL_GL_SwapWindow(window_);
    return D3D_OK;
  }

 private:
  ~GlDevice() override { SDL_GL_DeleteContext(context_); }
  SDL_Window* window_;
  SDL_GLContext context_;
  ULONG refs_ = 1;
  bool inScene_ = false;
};

class GlDirect3D final : public IDirect3D9 {
 public:
  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT CreateDevice(UINT adapter, D3DDEVTYPE, HWND focusWindow, DWORD, D3DPRESENT_PARAMETERS* parameters,
                       IDirect3DDevice9** device) override {
    if (device == nullptr || parameters == nullptr || adapter != 0) return D3DERR_INVALIDCALL;
    *device = nullptr;
    SDL_Window* window = host_detail::fSdlWindow(focusWindow);
    if (window == nullptr || (SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL) == 0) return D3DERR_NOTAVAILABLE;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, parameters->EnableAutoDepthStencil ? 24 : 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, parameters->EnableAutoDepthStencil ? 8 : 0);
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) return D3DERR_NOTAVAILABLE;
    SDL_GL_MakeCurrent(window, context);
    SDL_GL_SetSwapInterval(parameters->PresentationInterval == D3DPRESENT_INTERVAL_ONE ? 1 : 0);
    *device = new GlDevice(window, context);
    return D3D_OK;
  }
  UINT GetAdapterModeCount(UINT adapter, D3DFORMAT) override {
    if (adapter != 0 || !host_detail::fEnsureVideo()) return 0;
    const int n = SDL_GetNumDisplayModes(0);
    return n > 0 ? static_cast<UINT>(n) : 0;
  }
  HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* out) override {
    if (adapter != 0 || out == nullptr) return D3DERR_INVALIDCALL;
    SDL_DisplayMode m;
    if (SDL_GetDisplayMode(0, static_cast<int>(mode), &m) != 0) return D3DERR_INVALIDCALL;
    *out = D3DDISPLAYMODE{static_cast<UINT>(m.w), static_cast<UINT>(m.h), static_cast<UINT>(m.refresh_rate), format};
    return D3D_OK;
  }

 private:
  ~GlDirect3D() override = default;
  ULONG refs_ = 1;
};

}  // namespace

IDirect3D9* Direct3DCreate9(UINT sdkVersion) {
  if (sdkVersion != D3D_SDK_VERSION) return nullptr;
  if (host_test::fUsingRecordingDevice()) return fCreateRecordingDirect3D();
  if (!host_detail::fEnsureVideo()) return nullptr;
  return new GlDirect3D();
}
