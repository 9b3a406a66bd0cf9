#include "tests/engine/sound/audio_probe.h"

#include <cmath>

namespace sound_probe {

namespace {

double fChannelAmplitude(const std::vector<float>& stereo, std::size_t begin, std::size_t count, int channel,
                         double frequency) {
  // Correlation with a sine and a cosine of that pitch: 2/N times the magnitude is the amplitude.
  const double step = 6.283185307179586 * frequency / kRate;
  double re = 0.0;
  double im = 0.0;
  std::size_t n = 0;
  for (std::size_t i = begin; i < begin + count && 2 * i + 1 < stereo.size(); ++i, ++n) {
    const double x = stereo[2 * i + static_cast<std::size_t>(channel)];
    re += x * std::cos(step * static_cast<double>(i));
    im += x * std::sin(step * static_cast<double>(i));
  }
  if (n == 0) return 0.0;
  return 2.0 * std::sqrt(re * re + im * im) / static_cast<double>(n);
}

}  // namespace

double fToneAmplitude(const std::vector<float>& stereo, std::size_t begin, std::size_t count, double frequency) {
  const double left = fChannelAmplitude(stereo, begin, count, 0, frequency);
  const double right = fChannelAmplitude(stereo, begin, count, 1, frequency);
  return std::sqrt(left * left + right * right);
}

double fRms(const std::vector<float>& stereo, std::size_t begin, std::size_t count) {
  double sum = 0.0;
  std::size_t n = 0;
  for (std::size_t i = 2 * begin; i < 2 * (begin + count) && i < stereo.size(); ++i, ++n) sum += stereo[i] * stereo[i];
  return n == 0 ? 0.0 : std::sqrt(sum / static_cast<double>(n));
}

long fLastLoudFrame(const std::vector<float>& stereo, float threshold) {
  for (std::size_t i = stereo.size(); i > 0; --i) {
    if (std::fabs(stereo[i - 1]) > threshold) return static_cast<long>((i - 1) / 2);
  }
  return -1;
}

int fQuietWindows(const std::vector<float>& stereo, std::size_t begin, std::size_t end, std::size_t window,
                  double floor) {
  int quiet = 0;
  if (window == 0) return 0;
  for (std::size_t at = begin; at + window <= end; at += window) {
    if (fRms(stereo, at, window) < floor) ++quiet;
  }
  return quiet;
}

Match fBestMatch(const std::vector<float>& a, std::size_t aBegin, const std::vector<float>& b, std::size_t bBegin,
                 std::size_t count, long maxLag) {
  Match best{0, -2.0};
  for (long lag = -maxLag; lag <= maxLag; ++lag) {
    const long start = static_cast<long>(bBegin) + lag;
    if (start < 0 || 2 * (static_cast<std::size_t>(start) + count) > b.size() || 2 * (aBegin + count) > a.size()) continue;
    double ab = 0.0, aa = 0.0, bb = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
      const double x = a[2 * (aBegin + i)];
      const double y = b[2 * (static_cast<std::size_t>(start) + i)];
      ab += x * y;
      aa += x * x;
      bb += y * y;
    }
    const double c = (aa > 0.0 && bb > 0.0) ? ab / std::sqrt(aa * bb) : 0.0;
    if (c > best.correlation) best = Match{lag, c};
  }
  return best;
}

}  // namespace sound_probe
