// Measures rendered stereo output (interleaved float frames from the loopback device): tone
// amplitude at a pitch, loudness, where the sound starts and ends, and how two takes line up.
#pragma once

#include <cstddef>
#include <vector>

namespace sound_probe {

constexpr int kRate = 44100;

// Amplitude of the sine at frequency over frames [begin, begin + count), both channels together
// (the root of the summed squares of each channel's amplitude).
double fToneAmplitude(const std::vector<float>& stereo, std::size_t begin, std::size_t count, double frequency);
// Root mean square over both channels of frames [begin, begin + count).
double fRms(const std::vector<float>& stereo, std::size_t begin, std::size_t count);
// Last frame with a sample louder than threshold, or -1.
long fLastLoudFrame(const std::vector<float>& stereo, float threshold);
// Frames, of those in [begin, end) cut into windows of window frames, whose RMS falls below floor.
int fQuietWindows(const std::vector<float>& stereo, std::size_t begin, std::size_t end, std::size_t window, double floor);
// The lag in -maxLag..maxLag at which frames of b (from bBegin + lag) best match frames of a (from
// aBegin), over count frames of the left channel, and the normalised correlation there.
struct Match {
  long lag = 0;
  double correlation = 0.0;
};
Match fBestMatch(const std::vector<float>& a, std::size_t aBegin, const std::vector<float>& b, std::size_t bBegin,
                 std::size_t count, long maxLag);

}  // namespace sound_probe
