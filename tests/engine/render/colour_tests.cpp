// Colour value types: byte layout, wrapping arithmetic, float packing and hexadecimal text.
#include "engine/render/qc_color.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace QOR;

TEST(Colour, PackedColourLiesInMemoryAsBlueGreenRedAlpha) {
  const QC_COLOR32 c(0x80FF0000u);
  std::uint8_t bytes[4];
  std::memcpy(bytes, &c, 4);
  EXPECT_EQ(bytes[0], 0x00);
  EXPECT_EQ(bytes[1], 0x00);
  EXPECT_EQ(bytes[2], 0xFF);
  EXPECT_EQ(bytes[3], 0x80);
  EXPECT_EQ(c.fGetARGB(), 0x80FF0000u);
  const QC_COLOR32 d(255, 1, 2, 3);
  EXPECT_EQ(d.a, 255);
  EXPECT_EQ(d.r, 1);
  EXPECT_EQ(d.g, 2);
  EXPECT_EQ(d.b, 3);
}

TEST(Colour, PackedArithmeticWrapsEachByte) {
  EXPECT_EQ((QC_COLOR32(0xFFFFFFFFu) + QC_COLOR32(0x01010101u)).fGetARGB(), 0u);
  EXPECT_EQ((QC_COLOR32(0x00000000u) - QC_COLOR32(0x01020304u)).fGetARGB(), 0xFFFEFDFCu);
  EXPECT_EQ((QC_COLOR32(0x80402010u) * 3).fGetARGB(), 0x80C06030u);
  EXPECT_EQ((QC_COLOR32(0x80402010u) / 2).fGetARGB(), 0x40201008u);
  EXPECT_EQ((QC_COLOR32(0x80402010u) / 0).fGetARGB(), 0x80402010u);
}

TEST(Colour, FloatColourClampsAndRoundsWhenPacked) {
  EXPECT_EQ(QC_COLORF(1.2f, 0.5f, -0.1f, 1.0f).fGetARGB(), 0xFFFF8000u);
  EXPECT_EQ(QC_COLORF(0.0f / 0.0f, 0.0f, 0.0f, 1.0f).fGetARGB(), 0xFF000000u);
  // Every byte value survives the round trip.
  for (std::uint32_t v = 0; v < 256; ++v) {
    const std::uint32_t argb = (v << 24) | ((255 - v) << 16) | (v << 8) | ((v * 7) & 255);
    ASSERT_EQ(QC_COLORF(argb).fGetARGB(), argb) << v;
  }
  QC_COLORF a(0.25f, 0.5f, 0.75f, 1.0f);
  const QC_COLORF b = a * 2.0f - QC_COLORF(0.5f, 0.5f, 0.5f, 0.5f);
  EXPECT_EQ(b, QC_COLORF(0.0f, 0.5f, 1.0f, 1.5f));
  a += b;
  EXPECT_NE(a, b);
}

TEST(Colour, HexTextReadsAsArgb) {
  EXPECT_EQ(fHexToColor("FF00FF00").fGetARGB(), 0xFF00FF00u);
  EXPECT_EQ(fHexToColor("0x88fff700").fGetARGB(), 0x88FFF700u);
  EXPECT_EQ(fHexToColor("  ff0000zz").fGetARGB(), 0xFF0000u);
  EXPECT_EQ(fHexToColor("zz").fGetARGB(), 0u);
  EXPECT_EQ(fHexToColor("").fGetARGB(), 0u);
  EXPECT_EQ(fHexToColor("1FFFFFFFFF").fGetARGB(), 0xFFFFFFFFu);
  EXPECT_EQ(fHexToColor("0x").fGetARGB(), 0u);
}
