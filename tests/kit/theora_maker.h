// Makes Ogg Theora bytes in memory with libtheora's encoder, for tests that need real video files
// without shipping any: a few frames of known colours, with any picture size, offset and chroma
// layout.
#pragma once

#include <cstdint>
#include <vector>

namespace qor_test {

// Chroma layouts, numbered as the Theora stream numbers them.
inline constexpr int kTheora420 = 0;
inline constexpr int kTheora422 = 2;
inline constexpr int kTheora444 = 3;

struct TheoraClip {
  int width = 32;    // the shown picture
  int height = 32;
  int offsetX = 0;   // where the picture lies in the coded frame, from its top-left corner
  int offsetY = 0;
  int pixelFormat = kTheora420;
  int fps = 30;
  int serial = 0x7E0;  // the Ogg stream's serial number; fixed so the bytes are deterministic
};

// One picture: width * height colours 0xRRGGBB, rows from the top.
using RgbPicture = std::vector<std::uint32_t>;

RgbPicture fSolidPicture(const TheoraClip& clip, std::uint32_t rgb);
// The left half (columns below width / 2) one colour, the right half another.
RgbPicture fLeftRightPicture(const TheoraClip& clip, std::uint32_t left, std::uint32_t right);
// The top half (rows below height / 2) one colour, the bottom half another.
RgbPicture fTopBottomPicture(const TheoraClip& clip, std::uint32_t top, std::uint32_t bottom);

// Encodes the pictures at the highest quality, one Ogg page per picture after the header pages
// (the first header alone on the beginning page). Empty on an encoder error.
std::vector<std::uint8_t> fEncodeTheora(const TheoraClip& clip, const std::vector<RgbPicture>& pictures);

// The pages of an Ogg byte stream, each page's bytes whole; trailing bytes that make no page are
// dropped.
std::vector<std::vector<std::uint8_t>> fOggPages(const std::vector<std::uint8_t>& bytes);

// Two Ogg streams as one multiplexed file: the beginning pages of first, then of second, then the
// remaining pages of both in turn.
std::vector<std::uint8_t> fInterleaveOgg(const std::vector<std::uint8_t>& first, const std::vector<std::uint8_t>& second);

}  // namespace qor_test
