#include "tests/engine/sound/sound_fixture.h"

#include "engine/platform/qc_thread.h"

#include <AL/al.h>

#include <cmath>

using namespace QOR;

namespace sound_test_kit {

namespace {

constexpr double kTwoPi = 6.283185307179586;

int fSourceInt(const QC_SOUND* sound, ALenum what) {
  ALint value = -1;
  QC_THREAD::fMutexLock(1);
  alGetSourcei(sound->fGetSource(), what, &value);
  QC_THREAD::fMutexUnlock(1);
  return value;
}

}  // namespace

const Bytes& fSine440Stereo2s() {
  static const Bytes bytes = qor_test::fMakeSineOgg(440.0, 2.0, 2);
  return bytes;
}

const Bytes& fSine440Mono05s() {
  static const Bytes bytes = qor_test::fMakeSineOgg(440.0, 0.5, 1);
  return bytes;
}

const Bytes& fChirpStereo3s() {
  // Instantaneous pitch 200 Hz + 300 Hz per second.
  static const Bytes bytes =
      qor_test::fMakeOgg([](double t) { return 0.5f * static_cast<float>(std::sin(kTwoPi * (200.0 * t + 150.0 * t * t))); },
                         3.0, 2);
  return bytes;
}

const Bytes& fTwoTonesStereo() {
  static const Bytes bytes = qor_test::fMakeOgg(
      [](double t) { return 0.5f * static_cast<float>(std::sin(kTwoPi * (t < 1.0 ? 440.0 : 880.0) * t)); }, 2.0, 2);
  return bytes;
}

const Bytes& fNoisyToneStereo3s() {
  static const Bytes bytes = [] {
    std::vector<float> pcm(3 * 44100 * 2);
    std::uint32_t state = 12345;
    for (std::size_t i = 0; i < pcm.size(); ++i) {
      state = state * 1664525u + 1013904223u;
      const double noise = static_cast<double>(state >> 8) / 16777216.0 - 0.5;
      pcm[i] = static_cast<float>(0.4 * std::sin(kTwoPi * 440.0 * static_cast<double>(i / 2) / 44100.0) + 0.2 * noise);
    }
    return qor_test::fEncodeOggVorbis(pcm, 2, 44100);
  }();
  return bytes;
}

int fQueued(const QC_SOUND* sound) { return fSourceInt(sound, AL_BUFFERS_QUEUED); }
int fProcessed(const QC_SOUND* sound) { return fSourceInt(sound, AL_BUFFERS_PROCESSED); }
int fSourceState(const QC_SOUND* sound) { return fSourceInt(sound, AL_SOURCE_STATE); }

void LoopbackMixer::SetUp() {
  sound_test::fUseLoopbackDevice(sound_probe::kRate);
  _mixer = std::make_unique<QC_MIXER>();
  ASSERT_EQ(_mixer->fInit(), 1);
  ASSERT_NE(_mixer->fGetContext(), nullptr);
}

void LoopbackMixer::TearDown() {
  _mixer.reset();
  sound_test::fUseLoopbackDevice(0);
}

QC_SOUND* LoopbackMixer::fCreate(const Bytes& bytes, bool streamed, int buffers) {
  _kept.push_back(bytes);
  const Bytes& kept = _kept.back();
  return _mixer->fCreateSound(kept.data(), static_cast<int>(kept.size()), buffers, streamed);
}

std::vector<float> LoopbackMixer::fRender(int frames) {
  std::vector<float> out(static_cast<std::size_t>(frames) * 2, 0.0f);
  EXPECT_TRUE(sound_test::fRenderLoopback(out.data(), frames));
  return out;
}

std::vector<float> LoopbackMixer::fPlayFor(int frames, int chunk) {
  std::vector<float> out;
  for (int done = 0; done < frames; done += chunk) {
    const int now = frames - done < chunk ? frames - done : chunk;
    const std::vector<float> part = fRender(now);
    out.insert(out.end(), part.begin(), part.end());
    QC_THREAD::fMutexLock(1);
    _mixer->fUpdate();
    QC_THREAD::fMutexUnlock(1);
  }
  return out;
}

std::vector<float> LoopbackMixer::fPlayUntilStopped(const QC_SOUND* sound, int limit, int chunk) {
  std::vector<float> out;
  for (int done = 0; done < limit && sound->isPlaying(); done += chunk) {
    const std::vector<float> part = fPlayFor(chunk, chunk);
    out.insert(out.end(), part.begin(), part.end());
  }
  return out;
}

}  // namespace sound_test_kit
