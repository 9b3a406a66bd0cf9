// Encodes interleaved float samples as Ogg Vorbis in memory (libvorbisenc, variable bit rate).
// Used by the data builder for the game's sounds and by the tests for sounds made at run time.
// The stream's serial number is given and nothing depends on the clock, so the same input
// always gives the same bytes.
#pragma once

#include <cstdint>
#include <vector>

namespace QOR {

struct QS_VORBIS_SETTINGS {
  int channels = 2;
  int rate = 44100;
  float quality = 0.4f;             // vorbisenc's scale, -0.1..1
  std::uint32_t serial = 0x51A11ED;  // the Ogg stream's serial number
  const char* tagName = "ENCODER";   // one comment tag
  const char* tagValue = "qor";
};

// Samples are clamped to -1..1. Empty on bad settings or an encoder error.
std::vector<std::uint8_t> fEncodeVorbis(const std::vector<float>& interleaved, const QS_VORBIS_SETTINGS& settings);

}  // namespace QOR
