// Conversion of a decoded Theora picture from planar YCbCr to 32-bit ARGB words.
#pragma once

#include <theora/theora.h>

#include <cstdint>

namespace QOR {

// Where the shown picture lies inside the decoded (coded) frame, and how the chroma planes are
// subsampled: a shift of 1 halves that direction (4:2:0 halves both, 4:2:2 only x, 4:4:4 none).
struct QS_PICTURE_AREA {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int chromaShiftX = 1;
  int chromaShiftY = 1;
};

// Below 0 gives 0, above 255 gives 255, otherwise the value truncated toward zero.
std::uint8_t fClampToByte(float value);

// One pixel: R = Y + 1.371 (V - 128), G = Y - 0.698 (V - 128) - 0.336 (U - 128),
// B = Y + 1.732 (U - 128), each clamped to a byte; the word is 0xFFRRGGBB (bytes B, G, R, 255 in
// memory).
std::uint32_t fYCbCrToArgb(int y, int u, int v);

// Writes area.width * area.height words into out, rows from the top. Each plane row is reached
// through its stride, which may be negative (the decoder hands out bottom-up frames that way).
// False, with nothing written, when a plane is missing or the area (with its chroma) does not lie
// inside the planes the buffer declares.
bool fConvertYCbCr(const yuv_buffer& picture, const QS_PICTURE_AREA& area, std::uint32_t* out);

}  // namespace QOR
