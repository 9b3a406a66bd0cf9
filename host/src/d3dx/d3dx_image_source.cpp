#include "host/src/d3dx/d3dx_image_source.h"

#include <cstring>
#include <iostream>
#include <memory>

namespace host_d3dx {

namespace {

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

}  // namespace

// At the image's own size (the usual case) rows are converted straight, and copied whole when the
// texture keeps RGBA bytes and no colour key is asked.
void fConvertImage(const DecodedImage& image, std::uint8_t* rows, std::size_t pitch, UINT width, UINT height,
                   D3DFORMAT format, D3DCOLOR colorKey) {
  const std::uint8_t* rgba = image.rgba.get();
  const auto sourcePitch = static_cast<std::size_t>(image.width) * 4;
  const bool sameSize = width == static_cast<UINT>(image.width) && height == static_cast<UINT>(image.height);
  for (UINT y = 0; y < height; ++y) {
    std::uint8_t* out = rows + static_cast<std::size_t>(y) * pitch;
    if (sameSize) {
      const std::uint8_t* in = rgba + static_cast<std::size_t>(y) * sourcePitch;
      if (format == D3DFMT_A8B8G8R8 && colorKey == 0) {
        std::memcpy(out, in, sourcePitch);
      } else {
        for (UINT x = 0; x < width; ++x, in += 4, out += 4) putPixel(in, out, format, colorKey);
      }
      continue;
    }
    const std::size_t sy = static_cast<std::size_t>(y) * static_cast<std::size_t>(image.height) / height;
    for (UINT x = 0; x < width; ++x) {
      const std::size_t sx = static_cast<std::size_t>(x) * static_cast<std::size_t>(image.width) / width;
      putPixel(rgba + sy * sourcePitch + sx * 4, out, format, colorKey);
      out += 4;
    }
  }
}

ImageSource::ImageSource(host_image::IMAGE_READER read, UINT width, UINT height, D3DFORMAT format, D3DCOLOR colorKey)
    : read_(std::move(read)), width_(width), height_(height), format_(format), colorKey_(colorKey) {}

bool ImageSource::fPixels(std::vector<std::uint8_t>& pixels) {
  const std::size_t pitch = static_cast<std::size_t>(width_) * 4;
  if (!read_ || pixels.size() < pitch * height_) return false;
  std::vector<std::uint8_t> bytes;
  const DecodedImage image = read_(bytes) ? fDecodeImage(bytes.data(), bytes.size()) : DecodedImage();
  if (!image.rgba) {
    // Creation checked only the image's header: a body that cannot be read or decoded is told
    // once, and the texture stays transparent black.
    if (!told_) {
      std::cout << "\nImage " << width_ << "x" << height_ << ": its data could not be read or decoded; it shows as transparent."
                << std::flush;
    }
    told_ = true;
    return false;
  }
  fConvertImage(image, pixels.data(), pitch, width_, height_, format_, colorKey_);
  return true;
}

}  // namespace host_d3dx

bool host_image::fSetImageReader(IDirect3DTexture9* texture, IMAGE_READER read) {
  auto* memory = dynamic_cast<host_d3d::MemoryTexture*>(texture);
  auto* source = memory != nullptr ? dynamic_cast<host_d3dx::ImageSource*>(memory->fPixelSource()) : nullptr;
  if (source == nullptr || !read) return false;
  source->fSetReader(std::move(read));
  return true;
}
