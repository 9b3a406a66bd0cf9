// The D3DX texture calls: empty textures, and textures from image files or image bytes.
#include "host/src/d3dx/d3dx_image.h"
#include "host/src/d3dx/d3dx_image_source.h"

#include <memory>

namespace {

bool isDefault(UINT value) { return value == 0 || value == D3DX_DEFAULT || value == D3DX_DEFAULT_NONPOW2; }

// The texture takes no pixels now: it gets them from the image when it is first drawn or locked.
// Data whose header is no image is refused at once; the body is decoded only then, not twice (an
// image whose body does not decode leaves the texture transparent black). Until the caller sets a
// reader of its own (host_image::fSetImageReader) the texture keeps a copy of the bytes.
HRESULT createFromImage(IDirect3DDevice9* device, const std::uint8_t* data, std::size_t size, UINT width, UINT height,
                        DWORD usage, D3DFORMAT format, D3DPOOL pool, D3DCOLOR colorKey, D3DXIMAGE_INFO* info,
                        IDirect3DTexture9** texture) {
  if (texture == nullptr) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  if (device == nullptr || data == nullptr || size == 0) return D3DERR_INVALIDCALL;
  D3DXIMAGE_INFO own{};
  if (!host_d3dx::fImageInfo(data, size, own)) return D3DXERR_INVALIDDATA;
  if (info != nullptr) *info = own;
  const UINT w = isDefault(width) ? own.Width : width;
  const UINT h = isDefault(height) ? own.Height : height;
  const D3DFORMAT f = format == D3DFMT_UNKNOWN ? D3DFMT_A8R8G8B8 : format;
  IDirect3DTexture9* made = nullptr;
  const HRESULT created = device->CreateTexture(w, h, 1, usage, f, pool, &made, nullptr);
  if (FAILED(created) || made == nullptr) return FAILED(created) ? created : D3DERR_INVALIDCALL;
  auto* memory = dynamic_cast<host_d3d::MemoryTexture*>(made);
  // A default-pool texture cannot be locked, so it could not take the image's pixels.
  if (memory == nullptr || pool == D3DPOOL_DEFAULT) {
    made->Release();
    return D3DERR_INVALIDCALL;
  }
  auto bytes = std::make_shared<const std::vector<std::uint8_t>>(data, data + size);
  memory->fSetPixelSource(std::make_shared<host_d3dx::ImageSource>(
      [bytes](std::vector<std::uint8_t>& out) {
        out = *bytes;
        return true;
      },
      w, h, f, colorKey));
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
