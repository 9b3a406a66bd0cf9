// A Direct3D-9-shaped device interface: the calls the renderer makes, with two implementations
// behind it (OpenGL on the SDL window, and a recording device for tests). Constant values are
// the ones the engine's design fixes (state numbers, formats, flags, error codes).
#pragma once

#include "host/win_types.h"

using D3DCOLOR = DWORD;
using INT = std::int32_t;

inline constexpr UINT D3D_SDK_VERSION = 32;
inline constexpr UINT D3DADAPTER_DEFAULT = 0;

// Results.
inline constexpr HRESULT D3D_OK = S_OK;
inline constexpr HRESULT MakeD3DError(unsigned code) { return static_cast<HRESULT>(0x88760000u | code); }
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
  D3DFMT_R8G8B8 = 20,
  D3DFMT_A8R8G8B8 = 21,
  D3DFMT_X8R8G8B8 = 22,
  D3DFMT_A8B8G8R8 = 32,
  D3DFMT_L8 = 50,
  D3DFMT_A8L8 = 51,
  D3DFMT_D24S8 = 75,
  D3DFMT_INDEX16 = 101,
  D3DFMT_INDEX32 = 102,
};

enum D3DSWAPEFFECT : DWORD { D3DSWAPEFFECT_DISCARD = 1, D3DSWAPEFFECT_FLIP = 2, D3DSWAPEFFECT_COPY = 3 };
enum D3DMULTISAMPLE_TYPE : DWORD { D3DMULTISAMPLE_NONE = 0 };
enum D3DPOOL : DWORD { D3DPOOL_DEFAULT = 0, D3DPOOL_MANAGED = 1, D3DPOOL_SYSTEMMEM = 2, D3DPOOL_SCRATCH = 3 };
enum D3DRESOURCETYPE : DWORD {
  D3DRTYPE_SURFACE = 1,
  D3DRTYPE_TEXTURE = 3,
  D3DRTYPE_VERTEXBUFFER = 6,
  D3DRTYPE_INDEXBUFFER = 7,
};

inline constexpr UINT D3DPRESENT_INTERVAL_DEFAULT = 0;
inline constexpr UINT D3DPRESENT_INTERVAL_ONE = 1;

// Behaviour flags of CreateDevice.
inline constexpr DWORD D3DCREATE_MULTITHREADED = 0x04;
inline constexpr DWORD D3DCREATE_SOFTWARE_VERTEXPROCESSING = 0x20;
inline constexpr DWORD D3DCREATE_HARDWARE_VERTEXPROCESSING = 0x40;
inline constexpr DWORD D3DCREATE_MIXED_VERTEXPROCESSING = 0x80;

inline constexpr DWORD D3DCLEAR_TARGET = 0x1;
inline constexpr DWORD D3DCLEAR_ZBUFFER = 0x2;
inline constexpr DWORD D3DCLEAR_STENCIL = 0x4;

// Resource usage and lock flags.
inline constexpr DWORD D3DUSAGE_RENDERTARGET = 0x1;
inline constexpr DWORD D3DUSAGE_DEPTHSTENCIL = 0x2;
inline constexpr DWORD D3DUSAGE_WRITEONLY = 0x8;
inline constexpr DWORD D3DUSAGE_POINTS = 0x40;
inline constexpr DWORD D3DUSAGE_DYNAMIC = 0x200;
inline constexpr DWORD D3DLOCK_READONLY = 0x10;
inline constexpr DWORD D3DLOCK_NOOVERWRITE = 0x1000;
inline constexpr DWORD D3DLOCK_DISCARD = 0x2000;

// Flexible vertex format bits.
inline constexpr DWORD D3DFVF_XYZ = 0x002;
inline constexpr DWORD D3DFVF_NORMAL = 0x010;
inline constexpr DWORD D3DFVF_PSIZE = 0x020;
inline constexpr DWORD D3DFVF_DIFFUSE = 0x040;
inline constexpr DWORD D3DFVF_TEX1 = 0x100;

enum D3DPRIMITIVETYPE : DWORD {
  D3DPT_POINTLIST = 1,
  D3DPT_LINELIST = 2,
  D3DPT_LINESTRIP = 3,
  D3DPT_TRIANGLELIST = 4,
  D3DPT_TRIANGLESTRIP = 5,
  D3DPT_TRIANGLEFAN = 6,
};

enum D3DTRANSFORMSTATETYPE : DWORD { D3DTS_VIEW = 2, D3DTS_PROJECTION = 3, D3DTS_WORLD = 256 };

enum D3DRENDERSTATETYPE : DWORD {
  D3DRS_ZENABLE = 7,
  D3DRS_ZWRITEENABLE = 14,
  D3DRS_SRCBLEND = 19,
  D3DRS_DESTBLEND = 20,
  D3DRS_CULLMODE = 22,
  D3DRS_ZFUNC = 23,
  D3DRS_ALPHABLENDENABLE = 27,
  D3DRS_STENCILENABLE = 52,
  D3DRS_STENCILFAIL = 53,
  D3DRS_STENCILZFAIL = 54,
  D3DRS_STENCILPASS = 55,
  D3DRS_STENCILFUNC = 56,
  D3DRS_STENCILREF = 57,
  D3DRS_STENCILMASK = 58,
  D3DRS_STENCILWRITEMASK = 59,
  D3DRS_LIGHTING = 137,
  D3DRS_POINTSIZE = 154,
  D3DRS_POINTSIZE_MIN = 155,
  D3DRS_POINTSPRITEENABLE = 156,
  D3DRS_POINTSCALEENABLE = 157,
  D3DRS_POINTSCALE_A = 158,
  D3DRS_POINTSCALE_B = 159,
  D3DRS_POINTSCALE_C = 160,
  D3DRS_POINTSIZE_MAX = 166,
};

enum D3DBLEND : DWORD {
  D3DBLEND_ZERO = 1,
  D3DBLEND_ONE = 2,
  D3DBLEND_SRCCOLOR = 3,
  D3DBLEND_INVSRCCOLOR = 4,
  D3DBLEND_SRCALPHA = 5,
  D3DBLEND_INVSRCALPHA = 6,
  D3DBLEND_DESTALPHA = 7,
  D3DBLEND_INVDESTALPHA = 8,
  D3DBLEND_DESTCOLOR = 9,
  D3DBLEND_INVDESTCOLOR = 10,
};

enum D3DCMPFUNC : DWORD {
  D3DCMP_NEVER = 1,
  D3DCMP_LESS = 2,
  D3DCMP_EQUAL = 3,
  D3DCMP_LESSEQUAL = 4,
  D3DCMP_GREATER = 5,
  D3DCMP_NOTEQUAL = 6,
  D3DCMP_GREATEREQUAL = 7,
  D3DCMP_ALWAYS = 8,
};

enum D3DSTENCILOP : DWORD {
  D3DSTENCILOP_KEEP = 1,
  D3DSTENCILOP_ZERO = 2,
  D3DSTENCILOP_REPLACE = 3,
  D3DSTENCILOP_INCRSAT = 4,
  D3DSTENCILOP_DECRSAT = 5,
  D3DSTENCILOP_INVERT = 6,
  D3DSTENCILOP_INCR = 7,
  D3DSTENCILOP_DECR = 8,
};

enum D3DCULL : DWORD { D3DCULL_NONE = 1, D3DCULL_CW = 2, D3DCULL_CCW = 3 };

enum D3DTEXTURESTAGESTATETYPE : DWORD {
  D3DTSS_COLOROP = 1,
  D3DTSS_COLORARG1 = 2,
  D3DTSS_COLORARG2 = 3,
  D3DTSS_ALPHAOP = 4,
  D3DTSS_ALPHAARG1 = 5,
  D3DTSS_ALPHAARG2 = 6,
};

enum D3DTEXTUREOP : DWORD { D3DTOP_DISABLE = 1, D3DTOP_SELECTARG1 = 2, D3DTOP_SELECTARG2 = 3, D3DTOP_MODULATE = 4 };

inline constexpr DWORD D3DTA_DIFFUSE = 0;
inline constexpr DWORD D3DTA_CURRENT = 1;
inline constexpr DWORD D3DTA_TEXTURE = 2;

enum D3DSAMPLERSTATETYPE : DWORD {
  D3DSAMP_ADDRESSU = 1,
  D3DSAMP_ADDRESSV = 2,
  D3DSAMP_MAGFILTER = 5,
  D3DSAMP_MINFILTER = 6,
  D3DSAMP_MIPFILTER = 7,
};

enum D3DTEXTUREADDRESS : DWORD {
  D3DTADDRESS_WRAP = 1,
  D3DTADDRESS_MIRROR = 2,
  D3DTADDRESS_CLAMP = 3,
  D3DTADDRESS_BORDER = 4,
};

enum D3DTEXTUREFILTERTYPE : DWORD {
  D3DTEXF_NONE = 0,
  D3DTEXF_POINT = 1,
  D3DTEXF_LINEAR = 2,
  D3DTEXF_ANISOTROPIC = 3,
};

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

struct D3DLOCKED_RECT {
  INT Pitch;
  void* pBits;
};

struct D3DSURFACE_DESC {
  D3DFORMAT Format;
  D3DRESOURCETYPE Type;
  DWORD Usage;
  D3DPOOL Pool;
  UINT Width;
  UINT Height;
};

// A 4x4 float matrix, row by row; points are row vectors multiplied on the left.
struct D3DMATRIX {
  float m[4][4];
};

// Every device object is reference counted: it is created with one reference and destroyed when
// Release drops the last.
class IUnknown {
 public:
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  virtual ~IUnknown() = default;
};

class IDirect3DResource9 : public IUnknown {
 public:
  virtual D3DRESOURCETYPE GetType() = 0;
};

class IDirect3DSurface9 : public IDirect3DResource9 {
 public:
  virtual HRESULT GetDesc(D3DSURFACE_DESC* desc) = 0;
};

class IDirect3DBaseTexture9 : public IDirect3DResource9 {
 public:
  virtual DWORD GetLevelCount() = 0;
};

class IDirect3DTexture9 : public IDirect3DBaseTexture9 {
 public:
  virtual HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) = 0;
  // Adds a reference to the level's surface, which keeps the texture alive.
  virtual HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface9** surface) = 0;
  // rect must be null (the whole level).
  virtual HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) = 0;
  virtual HRESULT UnlockRect(UINT level) = 0;
};

class IDirect3DVertexBuffer9 : public IDirect3DResource9 {
 public:
  // size 0 locks from offset to the end of the buffer.
  virtual HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) = 0;
  virtual HRESULT Unlock() = 0;
};

class IDirect3DIndexBuffer9 : public IDirect3DResource9 {
 public:
  virtual HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) = 0;
  virtual HRESULT Unlock() = 0;
};

class IDirect3DDevice9 : public IUnknown {
 public:
  virtual HRESULT TestCooperativeLevel() = 0;
  // Every default-pool buffer and every reference to the back buffer must be released first.
  // Render-target textures survive a reset: their storage is rebuilt, cleared, with the object
  // kept. Afterwards every state is back to its default and nothing is bound.
  virtual HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) = 0;
  virtual HRESULT BeginScene() = 0;
  virtual HRESULT EndScene() = 0;
  virtual HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) = 0;
  virtual HRESULT Present(const RECT* source, const RECT* dest, HWND window, const void* dirtyRegion) = 0;

  virtual HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                IDirect3DTexture9** texture, HANDLE* shared) = 0;
  virtual HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                     IDirect3DVertexBuffer9** buffer, HANDLE* shared) = 0;
  virtual HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                    IDirect3DIndexBuffer9** buffer, HANDLE* shared) = 0;

  virtual HRESULT GetRenderTarget(DWORD index, IDirect3DSurface9** surface) = 0;
  // Also sets the viewport to the whole of the new target.
  virtual HRESULT SetRenderTarget(DWORD index, IDirect3DSurface9* surface) = 0;

  virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) = 0;
  virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
  virtual HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) = 0;
  virtual HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) = 0;
  virtual HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) = 0;

  virtual HRESULT SetFVF(DWORD fvf) = 0;
  virtual HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride) = 0;
  virtual HRESULT SetIndices(IDirect3DIndexBuffer9* buffer) = 0;
  virtual HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) = 0;
  virtual HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertex, UINT minIndex, UINT vertexCount,
                                       UINT startIndex, UINT primitiveCount) = 0;
};

class IDirect3D9 : public IUnknown {
 public:
  virtual HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviourFlags,
                               D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device) = 0;
  virtual UINT GetAdapterModeCount(UINT adapter, D3DFORMAT format) = 0;
  virtual HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* out) = 0;
};

// The OpenGL implementation, or the recording one when a test asked for it. Null for a wrong
// SDK version.
IDirect3D9* Direct3DCreate9(UINT sdkVersion);
