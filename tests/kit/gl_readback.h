// Reads back the picture of the OpenGL device and samples it with a tolerance: pixel checks that
// hold across drivers.
#pragma once

#include "host/recording_device.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace qor_test {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;  // rows from the top

  // The pixel as 0xRRGGBB; 0 outside the picture.
  std::uint32_t fRgb(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    const std::uint8_t* p = rgba.data() + (static_cast<std::size_t>(y) * width + x) * 4;
    return (static_cast<std::uint32_t>(p[0]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[2];
  }
};

// The device's back buffer, or an empty picture (with a test failure) when it cannot be read.
inline Picture fReadPicture(IDirect3DDevice9* device) {
  Picture picture;
  const bool ok = host_test::fReadBackBuffer(device, picture.width, picture.height, picture.rgba);
  EXPECT_TRUE(ok) << "the back buffer could not be read";
  return picture;
}

// Whether each channel of the pixel at (x, y) lies within tolerance of the expected 0xRRGGBB.
inline ::testing::AssertionResult fPixelNear(const Picture& picture, int x, int y, std::uint32_t expected,
                                            int tolerance = 24) {
  const std::uint32_t actual = picture.fRgb(x, y);
  for (int shift = 0; shift <= 16; shift += 8) {
    const int a = static_cast<int>((actual >> shift) & 0xFF);
    const int e = static_cast<int>((expected >> shift) & 0xFF);
    if (std::abs(a - e) > tolerance) {
      char text[96];
      std::snprintf(text, sizeof(text), "pixel (%d, %d) is %06X, expected %06X", x, y, actual, expected);
      return ::testing::AssertionFailure() << text;
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace qor_test
