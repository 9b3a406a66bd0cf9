// A mixer on OpenAL Soft's loopback device (through the mixer's test door): a test renders the mix
// into memory and decides how much time passes between refills.
#pragma once

#include "engine/sound/qc_mixer.h"
#include "engine/sound/qc_sound.h"
#include "engine/sound/qc_sound_test_door.h"
#include "tests/engine/sound/audio_probe.h"
#include "tests/kit/ogg_maker.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace sound_test_kit {

using Bytes = std::vector<std::uint8_t>;

// Test sounds, encoded once per program.
const Bytes& fSine440Stereo2s();   // 440 Hz, 2 s, stereo, amplitude 0.5
const Bytes& fSine440Mono05s();    // 440 Hz, 0.5 s, mono
// A rising chirp, 3 s stereo: every stretch of it is unlike every other, so a take can be lined up
// with a reference to the sample.
const Bytes& fChirpStereo3s();
// 1 s of 440 Hz, then 1 s of 880 Hz, stereo.
const Bytes& fTwoTonesStereo();
// 3 s of 440 Hz under quiet noise, stereo: many Ogg pages, to cut and damage.
const Bytes& fNoisyToneStereo3s();

// Frames of queued and processed buffers of a source, read under engine lock 1.
int fQueued(const QOR::QC_SOUND* sound);
int fProcessed(const QOR::QC_SOUND* sound);
int fSourceState(const QOR::QC_SOUND* sound);

class LoopbackMixer : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The mixer's sound over a kept copy of bytes.
  QOR::QC_SOUND* fCreate(const Bytes& bytes, bool streamed, int buffers = 4);
  // Renders frames without any refill.
  std::vector<float> fRender(int frames);
  // Renders frames in chunks, letting the mixer refill (under lock 1) after each chunk.
  std::vector<float> fPlayFor(int frames, int chunk = 1024);
  // Runs fPlayFor in one-chunk steps until the sound stops or limit frames have passed.
  std::vector<float> fPlayUntilStopped(const QOR::QC_SOUND* sound, int limit, int chunk = 1024);

  std::unique_ptr<QOR::QC_MIXER> _mixer;
  std::deque<Bytes> _kept;
};

}  // namespace sound_test_kit
