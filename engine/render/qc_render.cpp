#include "engine/render/qc_render.h"

#include "engine/platform/qc_window.h"
#include "engine/service/qc_log.h"

namespace QOR {

QC_RENDER::QC_RENDER()
    : _clearColor(0xFF444444u),
      _deviceState(1),
      _window(nullptr),
      _near(0.0f),
      _far(0.0f),
      _direct3D(nullptr),
      _device(nullptr),
      _presentParameters{},
      _createFlags(0),
      _deviceType(D3DDEVTYPE_HAL),
      _stretch(0),
      _fullScreen(0),
      _gameWidth(0),
      _gameHeight(0),
      _screenWidth(0),
      _screenHeight(0) {}

int QC_RENDER::fInit(HWND window, float nearPlane, float farPlane) {
  fLog("===========================\nRender initialisation");
  _window = window;
  _near = nearPlane;
  _far = farPlane;
  _direct3D = Direct3DCreate9(D3D_SDK_VERSION);
  if (_direct3D == nullptr) {
    fLog("DirectX 9 can't start");
    return -1;
  }
  fLog("QC_RENDER::fInit() DirectX start");
  _presentParameters.Windowed = TRUE;
  _presentParameters.EnableAutoDepthStencil = TRUE;
  _presentParameters.AutoDepthStencilFormat = D3DFMT_D24S8;
  _presentParameters.SwapEffect = D3DSWAPEFFECT_COPY;
  _presentParameters.BackBufferCount = 1;
  _presentParameters.BackBufferFormat = D3DFMT_UNKNOWN;
  _presentParameters.BackBufferWidth = 0;
  _presentParameters.BackBufferHeight = 0;
  _presentParameters.PresentationInterval = D3DPRESENT_INTERVAL_ONE;

  fLog("QC_RENDER::fInit() RESOLUTION CHANGE");
  fSetResolution(1024, 768, false, false);
  fLog("QC_RENDER::fInit() RESOLUTION CHANGE OK");
  // Without a device nothing can be drawn: report it instead of claiming success.
  if (_device == nullptr) return -1;
  fLog("QC_RENDER::fInit() OK\n===========================");
  return 1;
}

void QC_RENDER::fSetResolution(int width, int height, bool fullScreen, bool stretch) {
  if (static_cast<int>(_presentParameters.BackBufferWidth) == width &&
      static_cast<int>(_presentParameters.BackBufferHeight) == height &&
      (_presentParameters.Windowed != FALSE) == !fullScreen && (_stretch != 0) == stretch) {
    return;
  }
  _fullScreen = fullScreen ? 1 : 0;
  _stretch = stretch ? 1 : 0;
  _presentParameters.Windowed = fullScreen ? FALSE : TRUE;
  _presentParameters.BackBufferWidth = static_cast<UINT>(width);
  _presentParameters.BackBufferHeight = static_cast<UINT>(height);
  _gameWidth = width;
  _gameHeight = height;
  if (fullScreen) {
    if (stretch) {
      int dw = 0;
      int dh = 0;
      QC_WINDOW::fGetDesktopSize(dw, dh);
      _screenWidth = dw;
      _screenHeight = dh;
      _presentParameters.BackBufferWidth = static_cast<UINT>(dw);
      _presentParameters.BackBufferHeight = static_cast<UINT>(dh);
    }
    _presentParameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    _presentParameters.FullScreen_RefreshRateInHz = 0;
  } else {
    _screenWidth = width;
    _screenHeight = height;
    _presentParameters.BackBufferFormat = D3DFMT_UNKNOWN;
  }
  ResetDevice();
}

void QC_RENDER::ResetDevice() {
  fLog("ResetDevice");
  if (_device != nullptr) {
    const HRESULT hr = _device->Reset(&_presentParameters);
    if (FAILED(hr)) {
      fLog("ERROR RESET");
      if (hr == D3DERR_DEVICELOST) fLog("D3DERR_DEVICELOST");
      if (hr == D3DERR_DEVICEREMOVED) fLog("D3DERR_DEVICEREMOVED");
      if (hr == D3DERR_DRIVERINTERNALERROR) fLog("D3DERR_DRIVERINTERNALERROR");
      if (hr == D3DERR_OUTOFVIDEOMEMORY) fLog("D3DERR_OUTOFVIDEOMEMORY");
      return;
    }
  } else if (!fCreateDevice()) {
    fLog("Can't create device");
    return;
  }
}

bool QC_RENDER::fCreateDevice() {
  if (_direct3D == nullptr) return false;
  struct Attempt {
    D3DDEVTYPE type;
    DWORD set;
    DWORD clear;
  };
  const Attempt attempts[] = {
      {D3DDEVTYPE_HAL, D3DCREATE_MULTITHREADED | D3DCREATE_HARDWARE_VERTEXPROCESSING, 0},
      {D3DDEVTYPE_HAL, 0, 0},
      {D3DDEVTYPE_HAL, D3DCREATE_MIXED_VERTEXPROCESSING, D3DCREATE_HARDWARE_VERTEXPROCESSING},
      {D3DDEVTYPE_HAL, D3DCREATE_SOFTWARE_VERTEXPROCESSING, D3DCREATE_MIXED_VERTEXPROCESSING},
      {D3DDEVTYPE_REF, 0, 0},
  };
  for (const Attempt& a : attempts) {
    _deviceType = a.type;
    _createFlags = (_createFlags & ~a.clear) | a.set;
    if (SUCCEEDED(_direct3D->CreateDevice(D3DADAPTER_DEFAULT, _deviceType, _window, _createFlags, &_presentParameters,
                                          &_device)) &&
        _device != nullptr) {
      return true;
    }
    _device = nullptr;
  }
  return false;
}

int QC_RENDER::BeginScene() {
  if (_deviceState != 1 || _device == nullptr) return -1;
  const HRESULT level = _device->TestCooperativeLevel();
  if (level == D3DERR_DEVICELOST) return -1;
  if (level == D3DERR_DEVICENOTRESET) {
    ResetDevice();
    return -110;
  }
  if (FAILED(_device->BeginScene())) {
    fLog("ERROR BeginScene");
    return 0;
  }
  if (FAILED(fClear())) {
    // Close the scene just begun so the device is not left inside a frame.
    _device->EndScene();
    return -1;
  }
  _deviceState = 0;
  return 1;
}

HRESULT QC_RENDER::fClear() {
  return _device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, _clearColor, 1.0f, 0);
}

int QC_RENDER::EndScene() {
  if (_deviceState != 0) return -1;
  _device->EndScene();
  _device->Present(nullptr, nullptr, nullptr, nullptr);
  _deviceState = 1;
  return 0;
}

}  // namespace QOR
