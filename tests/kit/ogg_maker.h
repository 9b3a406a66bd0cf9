// Makes Ogg Vorbis bytes in memory with libvorbisenc, for tests and tools that need real sound
// files without shipping any.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace qor_test {

// Encodes frames of interleaved float samples (-1..1, channels per frame) at rate samples per
// second. quality is vorbisenc's VBR quality (-0.1..1). The same input always gives the same bytes.
// Empty on an encoder error.
std::vector<std::uint8_t> fEncodeOggVorbis(const std::vector<float>& interleaved, int channels, int rate,
                                           float quality = 0.4f);

// A sound whose sample at frame i (all channels alike) is signal(i / rate seconds).
std::vector<std::uint8_t> fMakeOgg(const std::function<float(double seconds)>& signal, double seconds, int channels,
                                   int rate = 44100);

// A sine of the given pitch and amplitude.
std::vector<std::uint8_t> fMakeSineOgg(double frequency, double seconds, int channels, int rate = 44100,
                                       float amplitude = 0.5f);

}  // namespace qor_test
