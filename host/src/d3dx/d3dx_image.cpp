// The one translation unit that holds stb_image's implementation.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#include <stb/stb_image.h>

#include "host/src/d3dx/d3dx_image.h"

#include "host/regular_files.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>

namespace host_d3dx {

namespace {

D3DXIMAGE_FILEFORMAT fileFormatOf(const std::uint8_t* data, std::size_t size) {
  if (size >= 4 && data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G') return D3DXIFF_PNG;
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8) return D3DXIFF_JPG;
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return D3DXIFF_BMP;
  return D3DXIFF_TGA;
}

D3DFORMAT formatOf(int channels) {
  switch (channels) {
    case 1:
      return D3DFMT_L8;
    case 2:
      return D3DFMT_A8L8;
    case 3:
      return D3DFMT_R8G8B8;
    default:
      return D3DFMT_A8R8G8B8;
  }
}

bool fitsInt(std::size_t size) { return size > 0 && size <= static_cast<std::size_t>(INT_MAX); }

}  // namespace

bool fReadFile(const char* name, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  if (name == nullptr || *name == 0) return false;
  // A pipe or device in a picture's place is refused, never waited on.
  std::uint64_t length = 0;
  std::FILE* file = host_files::fOpenRegularFile(name, nullptr, &length);
  if (file == nullptr) return false;
  bool read = length > 0;
  if (read) {
    bytes.resize(static_cast<std::size_t>(length));
    read = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
  }
  std::fclose(file);
  return read;
}

bool fImageInfo(const std::uint8_t* data, std::size_t size, D3DXIMAGE_INFO& info) {
  if (data == nullptr || !fitsInt(size)) return false;
  int width = 0;
  int height = 0;
  int channels = 0;
  if (stbi_info_from_memory(data, static_cast<int>(size), &width, &height, &channels) == 0) return false;
  if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) return false;
  info.Width = static_cast<UINT>(width);
  info.Height = static_cast<UINT>(height);
  info.Depth = 1;
  info.MipLevels = 1;
  info.Format = formatOf(channels);
  info.ResourceType = D3DRTYPE_TEXTURE;
  info.ImageFileFormat = fileFormatOf(data, size);
  return true;
}

void DecodedImage::Free::operator()(std::uint8_t* pixels) const { stbi_image_free(pixels); }

DecodedImage fDecodeImage(const std::uint8_t* data, std::size_t size) {
  DecodedImage image;
  D3DXIMAGE_INFO info{};
  if (!fImageInfo(data, size, info)) return image;
  int channels = 0;
  image.rgba.reset(stbi_load_from_memory(data, static_cast<int>(size), &image.width, &image.height, &channels, 4));
  if (!image.rgba) image.width = image.height = 0;
  return image;
}

bool fDecode(const std::uint8_t* data, std::size_t size, int& width, int& height, std::vector<std::uint8_t>& rgba) {
  const DecodedImage image = fDecodeImage(data, size);
  if (!image.rgba) return false;
  width = image.width;
  height = image.height;
  rgba.assign(image.rgba.get(), image.rgba.get() + static_cast<std::size_t>(width) * height * 4);
  return true;
}

}  // namespace host_d3dx
