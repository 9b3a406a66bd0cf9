// A Direct3D-9-shaped device interface: the calls the renderer makes, with two implementations
// behind it (OpenGL on the SDL window, and a recording device for tests).
#pragma once

#include "host/win_types.h"

using D3DCOLOR = DWORD;

inline constexpr UINT D3D_SDK_VERSION = 32;
inline constexpr UINT D3DADAPTER_DEFAULT = 0;

inline constexpr HRESULT D3D_OK = S_OK;
inline constexpr HRESULT MakeD3DError(unsigned code) {
  return static_cast<HRESULT>(0x88760000u | code);
}
inline constexpr HRESULT D3DERR_OUTOFVIDEOMEMORY = MakeD3DError(380);
inline constexpr HRESULT D3DERR_DRIVERINTERNALERROR = MakeD3DError(2087);
inline constexpr HRESULT D3DERR_NOTAVAILABLE = MakeD3DError(2154);
inline constexpr HRESULT D3DERR_DEVICELOST = MakeD3DError(2152);
inline constexpr HRESULT D3DERR_DEVICENOTRESET = MakeD3DError(2153);
inline constexpr HRESULT D3DERR_INVALIDCALL = MakeD3DError(2156);
inline constexpr HRESULT D3DERR_DEVICEREMOVED = MakeD3DError(2160);

enum D3DDEVTYPE : DWORD { D3DDEVTYPE_HAL = 1, D3DDEVTYPE_REF = 2, D3DDEVTYPE_SW = 3 };

enum D3DFORMAT : DWORD {
  D3DFMT_UNKNOWN = 0,
  D3DFMT_A8R8G8B8 = 21,
  D3DFMT_X8R8G8B8 = 22,
  D3DFMT_D24S8 = 75,
  D3DFMT_INDEX16 = 101,
};

enum D3DSWAPEFFECT : DWORD { D3DSWAPEFFECT_DISCARD = 1, D3DSWAPEFFECT_FLIP = 2, D3DSWAPEFFECT_COPY = 3 };
enum D3DMULTISAMPLE_TYPE : DWORD { D3DMULTISAMPLE_NONE = 0 };

inline constexpr UINT D3DPRESENT_INTERVAL_DEFAULT = 0;
inline constexpr UINT D3DPRESENT_INTERVAL_ONE = 1;

inline constexpr DWORD D3DCREATE_SOFTWARE_VERTEXPROCESSING = 0x20;
inline constexpr DWORD D3DCREATE_HARDWARE_VERTEXPROCESSING = 0x40;
inline constexpr DWORD D3DCREATE_MIXED_VERTEXPROCESSING = 0x80;
inline constexpr DWORD D3DCREATE_MULTITHREADED = 0x04;

inline constexpr DWORD D3DCLEAR_TARGET = 0x1;
inline constexpr DWORD D3DCLEAR_ZBUFFER = 0x2;
inline constexpr DWORD D3DCLEAR_STENCIL = 0x4;

struct D3DPRESENT_PARAMETERS {
  UINT BackBufferWidth;
  UINT BackBufferHeight;
  D3DFORMAT BackBufferFormat;
  UINT BackBufferCount;
  D3DMULTISAMPLE_TYPE MultiSampleType;
  DWORD MultiSampleQuality;
  D3DSWAPEFFECT SwapEffect;
  HWND hDeviceWindow;
  BOOL Windowed;
  BOOL EnableAutoDepthStencil;
  D3DFORMAT AutoDepthStencilFormat;
  DWORD Flags;
  UINT FullScreen_RefreshRateInHz;
  UINT PresentationInterval;
};

struct D3DRECT {
  LONG x1;
  LONG y1;
  LONG x2;
  LONG y2;
};

struct D3DDISPLAYMODE {
  UINT Width;
  UINT Height;
  UINT RefreshRate;
  D3DFORMAT Format;
};

class IDirect3DDevice9 {
 public:
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;
  virtual HRESULT TestCooperativeLevel() = 0;
  virtual HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) = 0;
  virtual HRESULT BeginScene() = 0;
  virtual HRESULT EndScene() = 0;
  virtual HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) = 0;
  virtual HRESULT Present(const RECT* source, const RECT* dest, HWND window, const void* dirtyRegion) = 0;

 protected:
  virtual ~IDirect3DDevice9() = default;
};

class IDirect3D9 {
 public:
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;
  virtual HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviourFlags,
                               D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device) = 0;
  virtual UINT GetAdapterModeCount(UINT adapter, D3DFORMAT format) = 0;
  virtual HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* out) = 0;

 protected:
  virtual ~IDirect3D9() = default;
};

// The OpenGL implementation, or the recording one when a test asked for it. Null for a wrong
// SDK version.
IDirect3D9* Direct3DCreate9(UINT sdkVersion);
