#include "tests/kit/ogg_maker.h"

#include "tools/vorbis/qc_vorbis_encoder.h"

#include <cmath>

namespace qor_test {

std::vector<std::uint8_t> fEncodeOggVorbis(const std::vector<float>& interleaved, int channels, int rate,
                                           float quality) {
  QOR::QS_VORBIS_SETTINGS settings;
  settings.channels = channels;
  settings.rate = rate;
  settings.quality = quality;
  settings.serial = 0x51A11ED;
  settings.tagName = "ENCODER";
  settings.tagValue = "qor_test";
  return QOR::fEncodeVorbis(interleaved, settings);
}

std::vector<std::uint8_t> fMakeOgg(const std::function<float(double seconds)>& signal, double seconds, int channels,
                                   int rate) {
  if (channels < 1 || rate < 1 || !(seconds > 0.0)) return {};
  const auto frames = static_cast<std::size_t>(seconds * rate + 0.5);
  std::vector<float> pcm(frames * static_cast<std::size_t>(channels));
  for (std::size_t i = 0; i < frames; ++i) {
    const float value = signal(static_cast<double>(i) / rate);
    for (int c = 0; c < channels; ++c) pcm[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] = value;
  }
  return fEncodeOggVorbis(pcm, channels, rate);
}

std::vector<std::uint8_t> fMakeSineOgg(double frequency, double seconds, int channels, int rate, float amplitude) {
  const double twoPi = 6.283185307179586;
  return fMakeOgg([&](double t) { return amplitude * static_cast<float>(std::sin(twoPi * frequency * t)); }, seconds,
                  channels, rate);
}

}  // namespace qor_test
