// The renderer: owns the device made on the game window and runs each frame.
#pragma once

#include "host/d3d9.h"

#include <cstdint>

namespace QOR {

class QC_RENDER {
 public:
  QC_RENDER();

  // Creates the device on the window; 1 on success, -1 when no device could be made.
  int fInit(HWND window, float nearPlane, float farPlane);
  void fSetResolution(int width, int height, bool fullScreen, bool stretch);
  void ResetDevice();
  bool fCreateDevice();

  // 1 when a frame has begun; -1 outside the idle state or with a lost device, -110 after a
  // reset, 0 when the device refused to begin.
  int BeginScene();
  HRESULT fClear();
  // 0 after presenting, -1 outside a frame.
  int EndScene();

  bool isFullScreen() const { return _fullScreen != 0; }
  void fSetClearColor(std::uint32_t color) { _clearColor = color; }
  std::uint32_t fGetClearColor() const { return _clearColor; }
  std::uint32_t fGetDeviceState() const { return _deviceState; }
  IDirect3DDevice9* fGetDevice() const { return _device; }

 private:
  std::uint32_t _clearColor;
  std::uint32_t _deviceState;  // 1 idle, 0 inside a frame, 2 inside a render target
  HWND _window;
  float _near;
  float _far;
  IDirect3D9* _direct3D;
  IDirect3DDevice9* _device;
  D3DPRESENT_PARAMETERS _presentParameters;
  DWORD _createFlags;
  D3DDEVTYPE _deviceType;
  std::uint8_t _stretch;
  std::uint8_t _fullScreen;
  int _gameWidth;
  int _gameHeight;
  int _screenWidth;
  int _screenHeight;
};

}  // namespace QOR
