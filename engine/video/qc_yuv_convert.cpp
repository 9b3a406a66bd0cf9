#include "engine/video/qc_yuv_convert.h"

#include <cstddef>
#include <cstdlib>

namespace QOR {

std::uint8_t fClampToByte(float value) {
  if (value < 0.0f) return 0;
  if (value > 255.0f) return 255;
  return static_cast<std::uint8_t>(value);
}

std::uint32_t fYCbCrToArgb(int y, int u, int v) {
  const float luma = static_cast<float>(y);
  const float cb = static_cast<float>(u - 128);
  const float cr = static_cast<float>(v - 128);
  const float r = luma + 1.371f * cr;
  const float g = luma - 0.698f * cr - 0.336f * cb;
  const float b = luma + 1.732f * cb;
  return 0xFF000000u | (static_cast<std::uint32_t>(fClampToByte(r)) << 16) |
         (static_cast<std::uint32_t>(fClampToByte(g)) << 8) | fClampToByte(b);
}

namespace {

// Whether columns [0, lastColumn] of rows [0, lastRow] lie inside a plane of that size and stride.
bool isInside(const unsigned char* data, int width, int height, int stride, int lastColumn, int lastRow) {
  return data != nullptr && lastColumn < width && lastRow < height && std::abs(stride) >= width;
}

}  // namespace

bool fConvertYCbCr(const yuv_buffer& picture, const QS_PICTURE_AREA& area, std::uint32_t* out) {
  if (out == nullptr || area.width <= 0 || area.height <= 0 || area.x < 0 || area.y < 0) return false;
  if (area.chromaShiftX < 0 || area.chromaShiftX > 1 || area.chromaShiftY < 0 || area.chromaShiftY > 1) return false;
  // Work in 64 bits so that no area, however large, can wrap around.
  const long long lastX = static_cast<long long>(area.x) + area.width - 1;
  const long long lastY = static_cast<long long>(area.y) + area.height - 1;
  if (lastX >= picture.y_width || lastY >= picture.y_height) return false;
  const int lumaLastX = static_cast<int>(lastX);
  const int lumaLastY = static_cast<int>(lastY);
  const int chromaLastX = lumaLastX >> area.chromaShiftX;
  const int chromaLastY = lumaLastY >> area.chromaShiftY;
  if (!isInside(picture.y, picture.y_width, picture.y_height, picture.y_stride, lumaLastX, lumaLastY) ||
      !isInside(picture.u, picture.uv_width, picture.uv_height, picture.uv_stride, chromaLastX, chromaLastY) ||
      !isInside(picture.v, picture.uv_width, picture.uv_height, picture.uv_stride, chromaLastX, chromaLastY)) {
    return false;
  }
  const std::ptrdiff_t lumaStride = picture.y_stride;
  const std::ptrdiff_t chromaStride = picture.uv_stride;
  std::uint32_t* pixel = out;
  for (int row = 0; row < area.height; ++row) {
    const int lumaRow = area.y + row;
    const int chromaRow = lumaRow >> area.chromaShiftY;
    const unsigned char* lumaLine = picture.y + lumaRow * lumaStride;
    const unsigned char* cbLine = picture.u + chromaRow * chromaStride;
    const unsigned char* crLine = picture.v + chromaRow * chromaStride;
    for (int column = 0; column < area.width; ++column) {
      const int lumaColumn = area.x + column;
      const int chromaColumn = lumaColumn >> area.chromaShiftX;
      *pixel++ = fYCbCrToArgb(lumaLine[lumaColumn], cbLine[chromaColumn], crLine[chromaColumn]);
    }
  }
  return true;
}

}  // namespace QOR
