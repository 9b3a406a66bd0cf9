// The sounds and music: every effect decodes as Ogg Vorbis and is short and audible, a music
// track lasts a minute or more and loops without a seam, and the encoder gives the same bytes
// for the same mix.
#include "tools/data/art/art_list.h"
#include "tools/data/audio/audio_parts.h"
#include "tools/data/audio/qc_ogg_writer.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

struct MEMORY {
  const std::vector<std::uint8_t>* bytes;
  std::size_t at;
};

std::size_t readMemory(void* out, std::size_t size, std::size_t count, void* source) {
  MEMORY* m = static_cast<MEMORY*>(source);
  const std::size_t want = size * count;
  const std::size_t left = m->bytes->size() - m->at;
  const std::size_t n = std::min(want, left);
  std::memcpy(out, m->bytes->data() + m->at, n);
  m->at += n;
  return size == 0 ? 0 : n / size;
}

struct DECODED {
  bool ok = false;
  double seconds = 0.0;
  int channels = 0;
  long rate = 0;
  double peak = 0.0;
};

DECODED decode(const std::vector<std::uint8_t>& bytes) {
  DECODED result;
  MEMORY memory{&bytes, 0};
  ov_callbacks callbacks{readMemory, nullptr, nullptr, nullptr};
  OggVorbis_File file;
  if (ov_open_callbacks(&memory, &file, nullptr, 0, callbacks) != 0) return result;
  const vorbis_info* info = ov_info(&file, -1);
  result.channels = info->channels;
  result.rate = info->rate;
  char buffer[8192];
  int section = 0;
  long long frames = 0;
  for (;;) {
    const long got = ov_read(&file, buffer, sizeof(buffer), 0, 2, 1, &section);
    if (got <= 0) {
      result.ok = got == 0;
      break;
    }
    const auto* samples = reinterpret_cast<const short*>(buffer);
    for (long i = 0; i < got / 2; ++i) result.peak = std::max(result.peak, std::fabs(samples[i] / 32768.0));
    frames += got / (2 * info->channels);
  }
  result.seconds = static_cast<double>(frames) / std::max(1L, result.rate);
  ov_clear(&file);
  return result;
}

TEST(Audio, EveryEffectIsAShortAudibleVorbisSound) {
  int effects = 0;
  for (const QOR::QS_DATA_ITEM& item : QOR::fArtList()) {
    if (item.kind != QOR::DATA_KIND::SOUND) continue;
    const std::unique_ptr<QOR::AUDIO::QC_MIX> mix = QOR::AUDIO::fMakeEffect(item.entry);
    ASSERT_NE(mix, nullptr) << item.entry;
    const DECODED sound = decode(QOR::AUDIO::fEncodeVorbis(*mix, 0.4f));
    EXPECT_TRUE(sound.ok) << item.entry;
    EXPECT_EQ(sound.channels, 2);
    EXPECT_EQ(sound.rate, 44100);
    EXPECT_GT(sound.seconds, 0.1) << item.entry;
    EXPECT_LT(sound.seconds, 3.5) << item.entry;  // the longest is the three-star jingle
    EXPECT_GT(sound.peak, 0.3) << item.entry;
    EXPECT_LT(sound.peak, 0.95) << item.entry;  // headroom: never clipped
    ++effects;
  }
  EXPECT_EQ(effects, 16);
  EXPECT_EQ(QOR::AUDIO::fMakeEffect("not_an_effect.ogg"), nullptr);
}

TEST(Audio, MusicLoopsForAMinuteWithoutASeam) {
  const std::unique_ptr<QOR::AUDIO::QC_MIX> track = QOR::AUDIO::fMakeTrack(6);
  ASSERT_NE(track, nullptr);
  const std::vector<float>& left = track->fLeft();
  ASSERT_GT(left.size(), 60u * QOR::AUDIO::kSampleRate);
  // Across the loop point the wave moves no more than between any two neighbouring samples.
  float largestStep = 0.0f;
  for (std::size_t i = 1; i < left.size(); ++i) largestStep = std::max(largestStep, std::fabs(left[i] - left[i - 1]));
  EXPECT_LE(std::fabs(left.front() - left.back()), largestStep);
  // The ending's tails are heard at the start: it does not begin in silence.
  float opening = 0.0f;
  for (std::size_t i = 0; i < 2000; ++i) opening = std::max(opening, std::fabs(left[i]));
  EXPECT_GT(opening, 0.001f);
  const DECODED music = decode(QOR::AUDIO::fEncodeVorbis(*track, 0.3f));
  EXPECT_TRUE(music.ok);
  EXPECT_GE(music.seconds, 60.0);
  EXPECT_EQ(QOR::AUDIO::fMakeTrack(0), nullptr);
  EXPECT_EQ(QOR::AUDIO::fMakeTrack(7), nullptr);
}

TEST(Audio, TheEncoderIsDeterministic) {
  const std::unique_ptr<QOR::AUDIO::QC_MIX> a = QOR::AUDIO::fMakeEffect("trophie.ogg");
  const std::unique_ptr<QOR::AUDIO::QC_MIX> b = QOR::AUDIO::fMakeEffect("trophie.ogg");
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(QOR::AUDIO::fEncodeVorbis(*a, 0.4f), QOR::AUDIO::fEncodeVorbis(*b, 0.4f));
}

TEST(Audio, ASilentMixStaysSilentAndStillEncodes) {
  QOR::AUDIO::QC_MIX silent(0.2, false);
  silent.fNormalize(0.8);
  silent.fFadeOut(1.0);  // longer than the mix: fades what there is
  const DECODED sound = decode(QOR::AUDIO::fEncodeVorbis(silent, 0.4f));
  EXPECT_TRUE(sound.ok);
  EXPECT_EQ(sound.peak, 0.0);
}

}  // namespace
