// Small PNG and JPEG images made at test time with stb_image_write.
#pragma once

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <cstdint>
#include <vector>

namespace image_bytes {

inline void fAppend(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(context);
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

// RGBA pixels, rows from the top, as a PNG file.
inline std::vector<std::uint8_t> fPng(int width, int height, const std::vector<std::uint8_t>& rgba) {
  std::vector<std::uint8_t> out;
  stbi_write_png_to_func(&fAppend, &out, width, height, 4, rgba.data(), width * 4);
  return out;
}

// RGB pixels, rows from the top, as a JPEG file of high quality.
inline std::vector<std::uint8_t> fJpeg(int width, int height, const std::vector<std::uint8_t>& rgb) {
  std::vector<std::uint8_t> out;
  stbi_write_jpg_to_func(&fAppend, &out, width, height, 3, rgb.data(), 95);
  return out;
}

// A w x h picture of one RGBA colour with a differently coloured top-left pixel.
inline std::vector<std::uint8_t> fMarkedRgba(int width, int height, std::uint32_t rgba, std::uint32_t corner) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
  for (std::size_t i = 0; i < pixels.size(); i += 4) {
    const std::uint32_t c = i == 0 ? corner : rgba;
    pixels[i] = static_cast<std::uint8_t>(c >> 24);
    pixels[i + 1] = static_cast<std::uint8_t>(c >> 16);
    pixels[i + 2] = static_cast<std::uint8_t>(c >> 8);
    pixels[i + 3] = static_cast<std::uint8_t>(c);
  }
  return pixels;
}

}  // namespace image_bytes
