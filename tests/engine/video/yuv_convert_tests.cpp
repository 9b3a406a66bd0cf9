// The YCbCr to ARGB conversion on hand-made planes: the formula and its clamping, which chroma
// sample each pixel takes in every layout, planes stored bottom-up, picture offsets, and areas that
// would reach outside the planes.
#include "engine/video/qc_yuv_convert.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace QOR;

namespace {

// Planes of a coded frame whose samples tell their own position: luma = 10 * row + column,
// Cb = 100 + 10 * chroma row + chroma column, Cr = 200 - (10 * chroma row + chroma column).
struct MarkedFrame {
  std::vector<unsigned char> y, u, v;
  yuv_buffer buffer{};

  MarkedFrame(int width, int height, int chromaWidth, int chromaHeight, bool bottomUp = false) {
    y.resize(static_cast<std::size_t>(width) * height);
    u.resize(static_cast<std::size_t>(chromaWidth) * chromaHeight);
    v.resize(u.size());
    for (int r = 0; r < height; ++r)
      for (int c = 0; c < width; ++c) y[r * width + c] = static_cast<unsigned char>(10 * r + c);
    for (int r = 0; r < chromaHeight; ++r) {
      for (int c = 0; c < chromaWidth; ++c) {
        u[r * chromaWidth + c] = static_cast<unsigned char>(100 + 10 * r + c);
        v[r * chromaWidth + c] = static_cast<unsigned char>(200 - (10 * r + c));
      }
    }
    buffer.y_width = width;
    buffer.y_height = height;
    buffer.uv_width = chromaWidth;
    buffer.uv_height = chromaHeight;
    if (!bottomUp) {
      buffer.y_stride = width;
      buffer.uv_stride = chromaWidth;
      buffer.y = y.data();
      buffer.u = u.data();
      buffer.v = v.data();
      return;
    }
    // Stored bottom row first, as the decoder keeps its frames: the top row is last in memory and
    // the strides are negative. Re-lay every plane that way.
    auto flip = [](std::vector<unsigned char>& plane, int w, int h) {
      std::vector<unsigned char> flipped(plane.size());
      for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) flipped[(h - 1 - r) * w + c] = plane[r * w + c];
      plane.swap(flipped);
    };
    flip(y, width, height);
    flip(u, chromaWidth, chromaHeight);
    flip(v, chromaWidth, chromaHeight);
    buffer.y_stride = -width;
    buffer.uv_stride = -chromaWidth;
    buffer.y = y.data() + static_cast<std::size_t>(height - 1) * width;
    buffer.u = u.data() + static_cast<std::size_t>(chromaHeight - 1) * chromaWidth;
    buffer.v = v.data() + static_cast<std::size_t>(chromaHeight - 1) * chromaWidth;
  }
};

std::uint32_t fExpected(int lumaRow, int lumaColumn, int chromaRow, int chromaColumn) {
  const int mark = 10 * chromaRow + chromaColumn;
  return fYCbCrToArgb(10 * lumaRow + lumaColumn, 100 + mark, 200 - mark);
}

QS_PICTURE_AREA fArea(int x, int y, int width, int height, int shiftX, int shiftY) {
  QS_PICTURE_AREA area;
  area.x = x;
  area.y = y;
  area.width = width;
  area.height = height;
  area.chromaShiftX = shiftX;
  area.chromaShiftY = shiftY;
  return area;
}

TEST(YuvConvert, FormulaGivesGreyForNeutralChromaAndClampsEachChannel) {
  EXPECT_EQ(fYCbCrToArgb(16, 128, 128), 0xFF101010u);  // bytes 16, 16, 16, 255 in memory
  EXPECT_EQ(fYCbCrToArgb(0, 128, 128), 0xFF000000u);
  EXPECT_EQ(fYCbCrToArgb(255, 128, 128), 0xFFFFFFFFu);
  // A Y of 255 with V of 255: R clamps to 255; G = 255 - 0.698 * 127 = 166.35, truncated.
  EXPECT_EQ(fYCbCrToArgb(255, 128, 255), 0xFFFFA6FFu);
  // Y 0 with U 0 drives blue below 0 and green above; B clamps to 0.
  EXPECT_EQ(fYCbCrToArgb(0, 0, 128), 0xFF002B00u);  // G = 0.336 * 128 = 43.0
  // Values are truncated toward zero, not rounded: R = 100 + 1.371 * 10 = 113.71.
  EXPECT_EQ((fYCbCrToArgb(100, 128, 138) >> 16) & 0xFF, 113u);
  EXPECT_EQ(fClampToByte(-0.5f), 0);
  EXPECT_EQ(fClampToByte(255.5f), 255);
  EXPECT_EQ(fClampToByte(254.99f), 254);
}

TEST(YuvConvert, EachLayoutTakesTheChromaSampleItsSubsamplingNames) {
  std::vector<std::uint32_t> out(16 * 8);
  // 4:2:0: the pixel at row 3, column 5 takes its chroma from row 1, column 2.
  MarkedFrame frame420(16, 8, 8, 4);
  ASSERT_TRUE(fConvertYCbCr(frame420.buffer, fArea(0, 0, 16, 8, 1, 1), out.data()));
  EXPECT_EQ(out[3 * 16 + 5], fExpected(3, 5, 1, 2));
  EXPECT_EQ(out[7 * 16 + 15], fExpected(7, 15, 3, 7));
  // 4:2:2: full chroma rows, half chroma columns.
  MarkedFrame frame422(16, 8, 8, 8);
  ASSERT_TRUE(fConvertYCbCr(frame422.buffer, fArea(0, 0, 16, 8, 1, 0), out.data()));
  EXPECT_EQ(out[3 * 16 + 5], fExpected(3, 5, 3, 2));
  // 4:4:4: one chroma sample per pixel.
  MarkedFrame frame444(16, 8, 16, 8);
  ASSERT_TRUE(fConvertYCbCr(frame444.buffer, fArea(0, 0, 16, 8, 0, 0), out.data()));
  EXPECT_EQ(out[3 * 16 + 5], fExpected(3, 5, 3, 5));
}

TEST(YuvConvert, BottomUpPlanesWithNegativeStridesComeOutTopRowFirst) {
  MarkedFrame upright(16, 8, 8, 4);
  MarkedFrame bottomUp(16, 8, 8, 4, true);
  std::vector<std::uint32_t> a(16 * 8), b(16 * 8);
  ASSERT_TRUE(fConvertYCbCr(upright.buffer, fArea(0, 0, 16, 8, 1, 1), a.data()));
  ASSERT_TRUE(fConvertYCbCr(bottomUp.buffer, fArea(0, 0, 16, 8, 1, 1), b.data()));
  EXPECT_EQ(a, b);
  EXPECT_EQ(b[0], fExpected(0, 0, 0, 0));
}

TEST(YuvConvert, AnOddPictureAtAnOddOffsetReadsItsOwnSamples) {
  // A 5 x 3 picture at (3, 1) inside a 16 x 8 frame: the first pixel is luma (1, 3), chroma (0, 1);
  // the last is luma (3, 7), chroma (1, 3).
  MarkedFrame frame(16, 8, 8, 4, true);
  std::vector<std::uint32_t> out(5 * 3 + 1, 0xDEADBEEFu);
  ASSERT_TRUE(fConvertYCbCr(frame.buffer, fArea(3, 1, 5, 3, 1, 1), out.data()));
  EXPECT_EQ(out[0], fExpected(1, 3, 0, 1));
  EXPECT_EQ(out[2 * 5 + 4], fExpected(3, 7, 1, 3));
  EXPECT_EQ(out[15], 0xDEADBEEFu);  // nothing written past the picture
}

TEST(YuvConvert, AnAreaOutsideThePlanesIsRefusedWithNothingWritten) {
  MarkedFrame frame(16, 8, 8, 4);
  std::vector<std::uint32_t> out(32 * 16, 0x12345678u);
  EXPECT_FALSE(fConvertYCbCr(frame.buffer, fArea(1, 0, 16, 8, 1, 1), out.data()));  // one column too far
  EXPECT_FALSE(fConvertYCbCr(frame.buffer, fArea(0, 1, 16, 8, 1, 1), out.data()));  // one row too far
  EXPECT_FALSE(fConvertYCbCr(frame.buffer, fArea(0, 0, 16, 8, 0, 0), out.data()));  // chroma is half size
  EXPECT_FALSE(fConvertYCbCr(frame.buffer, fArea(0, 0, 0, 8, 1, 1), out.data()));
  EXPECT_FALSE(fConvertYCbCr(frame.buffer, fArea(-1, 0, 4, 4, 1, 1), out.data()));
  EXPECT_FALSE(fConvertYCbCr(frame.buffer, fArea(0x7FFFFFF0, 0, 0x20, 4, 1, 1), out.data()));
  EXPECT_FALSE(fConvertYCbCr(frame.buffer, fArea(0, 0, 16, 8, 1, 1), nullptr));
  yuv_buffer missing = frame.buffer;
  missing.v = nullptr;
  EXPECT_FALSE(fConvertYCbCr(missing, fArea(0, 0, 16, 8, 1, 1), out.data()));
  yuv_buffer narrow = frame.buffer;
  narrow.y_stride = 8;  // rows would overlap
  EXPECT_FALSE(fConvertYCbCr(narrow, fArea(0, 0, 16, 8, 1, 1), out.data()));
  for (std::uint32_t word : out) ASSERT_EQ(word, 0x12345678u);
}

}  // namespace
