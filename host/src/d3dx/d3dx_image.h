// Image files for the D3DX texture calls: reading a file, its information and its pixels,
// decoded with stb_image (PNG, JPEG and the other formats stb_image reads).
#pragma once

#include "host/d3dx9.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace host_d3dx {

// The largest image side the loaders accept (the largest texture a device makes).
inline constexpr int kMaxImageSide = 8192;

// The file's bytes; the name may use '\' or '/'. False when it cannot be read.
bool fReadFile(const char* name, std::vector<std::uint8_t>& bytes);
// The image's size, channels as a format, one level, and its file format. False for data that
// is not an image stb_image reads, or one larger than kMaxImageSide.
bool fImageInfo(const std::uint8_t* data, std::size_t size, D3DXIMAGE_INFO& info);
// The image as RGBA bytes, rows from the top.
bool fDecode(const std::uint8_t* data, std::size_t size, int& width, int& height, std::vector<std::uint8_t>& rgba);

// Decoded RGBA rows from the top, held in the decoder's own block (no copy is made).
struct DecodedImage {
  struct Free {
    void operator()(std::uint8_t* pixels) const;
  };
  std::unique_ptr<std::uint8_t, Free> rgba;
  int width = 0;
  int height = 0;
};
// The image decoded, or an empty result (null rgba) for data fImageInfo refuses or that fails
// to decode.
DecodedImage fDecodeImage(const std::uint8_t* data, std::size_t size);

}  // namespace host_d3dx
