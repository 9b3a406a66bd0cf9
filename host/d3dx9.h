// The D3DX 9 helpers the renderer uses: textures made empty, from image files and from image bytes
// in memory (PNG and JPEG, decoded with stb_image), the image information of such files, and the
// left-handed matrix functions, written from their mathematical definitions.
#pragma once

#include "host/d3d9.h"

inline constexpr UINT D3DX_DEFAULT = 0xFFFFFFFFu;
inline constexpr UINT D3DX_DEFAULT_NONPOW2 = 0xFFFFFFFEu;
inline constexpr DWORD D3DX_FILTER_NONE = 1;
inline constexpr DWORD D3DX_FILTER_POINT = 2;
inline constexpr HRESULT D3DXERR_INVALIDDATA = MakeD3DError(2905);

enum D3DXIMAGE_FILEFORMAT : DWORD { D3DXIFF_BMP = 0, D3DXIFF_JPG = 1, D3DXIFF_TGA = 2, D3DXIFF_PNG = 3 };

struct D3DXIMAGE_INFO {
  UINT Width;
  UINT Height;
  UINT Depth;
  UINT MipLevels;
  D3DFORMAT Format;
  D3DRESOURCETYPE ResourceType;
  D3DXIMAGE_FILEFORMAT ImageFileFormat;
};

struct PALETTEENTRY {
  BYTE peRed;
  BYTE peGreen;
  BYTE peBlue;
  BYTE peFlags;
};

struct D3DXVECTOR3 {
  float x;
  float y;
  float z;
  D3DXVECTOR3() : x(0.0f), y(0.0f), z(0.0f) {}
  D3DXVECTOR3(float vx, float vy, float vz) : x(vx), y(vy), z(vz) {}
};

// A D3DMATRIX with element access; (row, column) from 0.
struct D3DXMATRIX : D3DMATRIX {
  D3DXMATRIX() : D3DMATRIX{} {}
  float& operator()(int row, int column) { return m[row][column]; }
  float operator()(int row, int column) const { return m[row][column]; }
  operator float*() { return &m[0][0]; }
  operator const float*() const { return &m[0][0]; }
};

// Textures. Width, height and mip levels of D3DX_DEFAULT (or 0) take the image's own values; a
// texture always has one level here. The file and memory forms decode PNG and JPEG, convert the
// pixels to the requested format (D3DFMT_UNKNOWN meaning A8R8G8B8), turn the colour key (an ARGB
// word, 0 for none) into transparent black, and fill info (when given) with the image's own
// information. File names accept '\' and '/'.
HRESULT D3DXCreateTexture(IDirect3DDevice9* device, UINT width, UINT height, UINT mipLevels, DWORD usage,
                          D3DFORMAT format, D3DPOOL pool, IDirect3DTexture9** texture);
HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice9* device, const char* file, UINT width, UINT height,
                                     UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD filter,
                                     DWORD mipFilter, D3DCOLOR colorKey, D3DXIMAGE_INFO* info, PALETTEENTRY* palette,
                                     IDirect3DTexture9** texture);
HRESULT D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice9* device, const void* data, UINT size, UINT width,
                                            UINT height, UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                            DWORD filter, DWORD mipFilter, D3DCOLOR colorKey, D3DXIMAGE_INFO* info,
                                            PALETTEENTRY* palette, IDirect3DTexture9** texture);
HRESULT D3DXGetImageInfoFromFileA(const char* file, D3DXIMAGE_INFO* info);
HRESULT D3DXGetImageInfoFromFileInMemory(const void* data, UINT size, D3DXIMAGE_INFO* info);

// Matrices. Each returns out. Row-vector convention: a point p is transformed as p * M, so
// Multiply(a, b) applies a first, then b.
D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out);
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b);
// The inverse, with the determinant in determinant when given; null (out untouched) when the
// matrix is singular.
D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinant, const D3DXMATRIX* m);
D3DXMATRIX* D3DXMatrixTranspose(D3DXMATRIX* out, const D3DXMATRIX* m);
D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z);
D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float x, float y, float z);
// Left-handed rotations: a positive angle turns clockwise looking along the axis toward the origin.
D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* out, float angle);
// Roll about z first, then pitch about x, then yaw about y.
D3DXMATRIX* D3DXMatrixRotationYawPitchRoll(D3DXMATRIX* out, float yaw, float pitch, float roll);
// Left-handed view from eye toward at. A degenerate set (eye at at, up along the view) leaves
// the affected axes zero rather than dividing by zero.
D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up);
// Left-handed perspective: depth 0 at the near plane, 1 at the far plane. A zero field of view,
// aspect or depth range leaves the affected terms zero rather than dividing by zero.
D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovY, float aspect, float zNear, float zFar);
// (x, y, z, 1) * m, divided by the resulting w (when it is not 0).
D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);
