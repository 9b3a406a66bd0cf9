// The D3DX texture calls: empty textures, and textures from image files or image bytes.
#include "host/src/d3dx/d3dx_image.h"

#include <cstring>

namespace {

bool isDefault(UINT value) { return value == 0 || value == D3DX_DEFAULT || value == D3DX_DEFAULT_NONPOW2; }

// One pixel from RGBA bytes into the texture's byte order; the colour key (when not 0) becomes
// transparent black.
inline void putPixel(const std::uint8_t* p, std::uint8_t* out, D3DFORMAT format, D3DCOLOR colorKey) {
  std::uint8_t r = p[0];
  std::uint8_t g = p[1];
  std::uint8_t b = p[2];
  std::uint8_t a = p[3];
  if (colorKey != 0) {
    const D3DCOLOR argb = (static_cast<D3DCOLOR>(a) << 24) | (static_cast<D3DCOLOR>(r) << 16) |
                          (static_cast<D3DCOLOR>(g) << 8) | b;
    if (argb == colorKey) r = g = b = a = 0;
  }
  if (format == D3DFMT_A8B8G8R8) {
    out[0] = r;
    out[1] = g;
    out[2] = b;
  } else {
    out[0] = b;
    out[1] = g;
    out[2] = r;
  }
  out[3] = format == D3DFMT_X8R8G8B8 ? 255 : a;
}

// Writes the image into level 0, resampled to the nearest pixel when the sizes differ. At the
// image's own size (the usual case) rows are converted straight, and copied whole when the
// texture keeps RGBA bytes and no colour key is asked.
HRESULT fill(IDirect3DTexture9* texture, UINT width, UINT height, D3DFORMAT format, int imageWidth, int imageHeight,
             const std::uint8_t* rgba, D3DCOLOR colorKey) {
  D3DLOCKED_RECT locked{};
  const HRESULT lock = texture->LockRect(0, &locked, nullptr, 0);
  if (FAILED(lock)) return lock;
  auto* rows = static_cast<std::uint8_t*>(locked.pBits);
  const auto sourcePitch = static_cast<std::size_t>(imageWidth) * 4;
  const bool sameSize = width == static_cast<UINT>(imageWidth) && height == static_cast<UINT>(imageHeight);
  for (UINT y = 0; y < height; ++y) {
    std::uint8_t* out = rows + static_cast<std::size_t>(y) * static_cast<std::size_t>(locked.Pitch);
    if (sameSize) {
      const std::uint8_t* in = rgba + static_cast<std::size_t>(y) * sourcePitch;
      if (format == D3DFMT_A8B8G8R8 && colorKey == 0) {
        std::memcpy(out, in, sourcePitch);
      } else {
        for (UINT x = 0; x < width; ++x, in += 4, out += 4) putPixel(in, out, format, colorKey);
      }
      continue;
    }
    const std::size_t sy = static_cast<std::size_t>(y) * static_cast<std::size_t>(imageHeight) / height;
    for (UINT x = 0; x < width; ++x) {
      const std::size_t sx = static_cast<std::size_t>(x) * static_cast<std::size_t>(imageWidth) / width;
      putPixel(rgba + sy * sourcePitch + sx * 4, out, format, colorKey);
      out += 4;
    }
  }
  return texture->UnlockRect(0);
}

HRESULT createFromImage(IDirect3DDevice9* device, const std::uint8_t* data, std::size_t size, UINT width, UINT height,
                        DWORD usage, D3DFORMAT format, D3DPOOL pool, D3DCOLOR colorKey, D3DXIMAGE_INFO* info,
                        IDirect3DTexture9** texture) {
  if (texture == nullptr) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  if (device == nullptr || data == nullptr || size == 0) return D3DERR_INVALIDCALL;
  D3DXIMAGE_INFO own{};
  if (!host_d3dx::fImageInfo(data, size, own)) return D3DXERR_INVALIDDATA;
  if (info != nullptr) *info = own;
  host_d3dx::DecodedImage image = host_d3dx::fDecodeImage(data, size);
  if (!image.rgba) return D3DXERR_INVALIDDATA;
  const UINT w = isDefault(width) ? static_cast<UINT>(image.width) : width;
  const UINT h = isDefault(height) ? static_cast<UINT>(image.height) : height;
  const D3DFORMAT f = format == D3DFMT_UNKNOWN ? D3DFMT_A8R8G8B8 : format;
  IDirect3DTexture9* made = nullptr;
  const HRESULT created = device->CreateTexture(w, h, 1, usage, f, pool, &made, nullptr);
  if (FAILED(created) || made == nullptr) return FAILED(created) ? created : D3DERR_INVALIDCALL;
  const HRESULT filled = fill(made, w, h, f, image.width, image.height, image.rgba.get(), colorKey);
  if (FAILED(filled)) {
    made->Release();
    return filled;
  }
  *texture = made;
  return D3D_OK;
}

}  // namespace

HRESULT D3DXCreateTexture(IDirect3DDevice9* device, UINT width, UINT height, UINT /*mipLevels*/, DWORD usage,
                          D3DFORMAT format, D3DPOOL pool, IDirect3DTexture9** texture) {
  if (texture == nullptr) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  if (device == nullptr) return D3DERR_INVALIDCALL;
  const UINT w = isDefault(width) ? 256 : width;
  const UINT h = isDefault(height) ? 256 : height;
  return device->CreateTexture(w, h, 1, usage, format == D3DFMT_UNKNOWN ? D3DFMT_A8R8G8B8 : format, pool, texture,
                               nullptr);
}

HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice9* device, const char* file, UINT width, UINT height,
                                     UINT /*mipLevels*/, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                     DWORD /*filter*/, DWORD /*mipFilter*/, D3DCOLOR colorKey, D3DXIMAGE_INFO* info,
                                     PALETTEENTRY* /*palette*/, IDirect3DTexture9** texture) {
  if (texture != nullptr) *texture = nullptr;
  std::vector<std::uint8_t> bytes;
  if (!host_d3dx::fReadFile(file, bytes)) return D3DERR_NOTAVAILABLE;
  return createFromImage(device, bytes.data(), bytes.size(), width, height, usage, format, pool, colorKey, info,
                         texture);
}

HRESULT D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice9* device, const void* data, UINT size, UINT width,
                                            UINT height, UINT /*mipLevels*/, DWORD usage, D3DFORMAT format,
                                            D3DPOOL pool, DWORD /*filter*/, DWORD /*mipFilter*/, D3DCOLOR colorKey,
                                            D3DXIMAGE_INFO* info, PALETTEENTRY* /*palette*/,
                                            IDirect3DTexture9** texture) {
  return createFromImage(device, static_cast<const std::uint8_t*>(data), size, width, height, usage, format, pool,
                         colorKey, info, texture);
}

HRESULT D3DXGetImageInfoFromFileA(const char* file, D3DXIMAGE_INFO* info) {
  if (info == nullptr) return D3DERR_INVALIDCALL;
  std::vector<std::uint8_t> bytes;
  if (!host_d3dx::fReadFile(file, bytes)) return D3DERR_NOTAVAILABLE;
  return host_d3dx::fImageInfo(bytes.data(), bytes.size(), *info) ? D3D_OK : D3DXERR_INVALIDDATA;
}

HRESULT D3DXGetImageInfoFromFileInMemory(const void* data, UINT size, D3DXIMAGE_INFO* info) {
  if (info == nullptr || data == nullptr) return D3DERR_INVALIDCALL;
  return host_d3dx::fImageInfo(static_cast<const std::uint8_t*>(data), size, *info) ? D3D_OK : D3DXERR_INVALIDDATA;
}
