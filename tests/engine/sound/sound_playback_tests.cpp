// Whole sounds rendered through the loopback device: they sound at their pitch for their length,
// and gain, stop, pause, seek and restart act on what comes out; stop waits for the sound lock.
#include "engine/platform/qc_thread.h"
#include "engine/sound/qc_sound.h"
#include "engine/sound/qc_sound_lock.h"
#include "tests/engine/sound/sound_fixture.h"
#include "tests/kit/log_capture.h"

#include <AL/al.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <limits>
#include <thread>

using namespace QOR;
using namespace sound_test_kit;
using namespace sound_probe;

namespace {

using WholeSound = LoopbackMixer;

TEST_F(WholeSound, PlaysItsPitchForItsLengthMonoAndStereo) {
  struct Case {
    const Bytes* bytes;
    long frames;
  } cases[] = {{&fSine440Mono05s(), 22050}, {&fSine440Stereo2s(), 88200}};
  for (const Case& c : cases) {
    QC_SOUND* sound = fCreate(*c.bytes, false, 2);
    ASSERT_NE(sound, nullptr);
    EXPECT_FALSE(sound->fPlay());  // it was stopped: started now
    const std::vector<float> out = fPlayFor(static_cast<int>(c.frames) + 22050);
    EXPECT_GT(fToneAmplitude(out, 4410, 4410, 440.0), 0.1);
    EXPECT_LT(fToneAmplitude(out, 4410, 4410, 1000.0), 0.01);  // a pure tone, nothing else
    EXPECT_NEAR(static_cast<double>(fLastLoudFrame(out, 0.01f)), static_cast<double>(c.frames), 300.0);
    EXPECT_EQ(fQuietWindows(out, 0, static_cast<std::size_t>(c.frames) - 441, 441, 0.05), 0);
    // The sound thread's refill notices the end, so a plain play starts the effect again.
    EXPECT_FALSE(sound->isPlaying());
    EXPECT_FALSE(sound->fPlay());
    EXPECT_GT(fToneAmplitude(fPlayFor(4410), 0, 4410, 440.0), 0.1);
    sound->fStop();
  }
}

TEST_F(WholeSound, GainScalesTheOutputAndBadGainsSilenceIt) {
  QC_SOUND* sound = fCreate(fSine440Stereo2s(), false);
  sound->fPlay();
  const double full = fToneAmplitude(fPlayFor(4410), 0, 4410, 440.0);
  EXPECT_NEAR(full, 0.5 * std::sqrt(2.0), 0.05);  // a stereo source reaches both channels unchanged
  sound->fSetVolume(0.5f);
  const std::vector<float> half = fPlayFor(8820);
  EXPECT_NEAR(fToneAmplitude(half, 4410, 4410, 440.0) / full, 0.5, 0.03);
  qor_test::LogCapture log;
  for (float bad : {-1.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
    sound->fSetVolume(bad);
    EXPECT_LT(fRms(fPlayFor(8820), 4410, 4410), 1e-4);
  }
  sound->fSetVolume(1.0f);
  EXPECT_NEAR(fToneAmplitude(fPlayFor(8820), 4410, 4410, 440.0), full, 0.02);
  EXPECT_FALSE(log.contains("Al error"));
}

TEST_F(WholeSound, RestartStopPauseAndPlayActWhereTheyShould) {
  QC_SOUND* sound = fCreate(fChirpStereo3s(), false);
  sound->fPlay();
  const std::vector<float> reference = fPlayFor(40000);
  sound->fRestart();
  const std::vector<float> first = fPlayFor(5000);
  EXPECT_TRUE(sound->fPlay());  // already playing: it goes on, not over
  const std::vector<float> second = fPlayFor(5000);
  EXPECT_EQ(fBestMatch(first, 500, reference, 500, 4000, 200).lag, 0);
  const Match onward = fBestMatch(second, 0, reference, 5000, 4000, 200);
  EXPECT_EQ(onward.lag, 0);
  EXPECT_GT(onward.correlation, 0.98);
  // The stop waits for lock 1 while another thread holds it (as the sound thread does during a
  // refill): it cannot return before the holder has let go.
  std::atomic<bool> held{false};
  std::atomic<bool> releasing{false};
  std::thread holder([&] {
    QC_THREAD::fMutexLock(QC_SOUND_LOCK::kIndex);
    held = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    releasing = true;
    QC_THREAD::fMutexUnlock(QC_SOUND_LOCK::kIndex);
  });
  while (!held) std::this_thread::yield();
  sound->fStop();
  EXPECT_TRUE(releasing);
  holder.join();
  EXPECT_FALSE(sound->isPlaying());
  EXPECT_LT(fRms(fPlayFor(4410), 256, 4000), 1e-4);
  sound->fPlay();
  const Match fromStart = fBestMatch(fPlayFor(10000), 500, reference, 500, 8000, 200);
  EXPECT_EQ(fromStart.lag, 0);
  EXPECT_GT(fromStart.correlation, 0.98);
  // Paused at 10000 frames in: silent, then it goes on from there.
  sound->fPause();
  EXPECT_FALSE(sound->isPlaying());
  EXPECT_LT(fRms(fPlayFor(4410), 256, 4000), 1e-4);
  sound->fPlay();
  const Match resumed = fBestMatch(fPlayFor(10000), 500, reference, 10500, 8000, 200);
  EXPECT_EQ(resumed.lag, 0);
  EXPECT_GT(resumed.correlation, 0.98);
}

TEST_F(WholeSound, SeekStartsAtTheSampleAndIgnoresSamplesOutsideTheSound) {
  QC_SOUND* sound = fCreate(fChirpStereo3s(), false);
  sound->fPlay();
  const std::vector<float> reference = fPlayFor(100000);
  sound->fStop();
  sound->fSeek(60000);
  EXPECT_TRUE(sound->isPlaying());
  const Match at = fBestMatch(fPlayFor(12000), 500, reference, 60500, 8000, 300);
  EXPECT_EQ(at.lag, 0);
  EXPECT_GT(at.correlation, 0.98);
  // Out of range: nothing changes, the sound plays on from where it is.
  sound->fSeek(-5);
  sound->fSeek(3 * 44100 + 10);
  const Match on = fBestMatch(fPlayFor(12000), 500, reference, 72500, 8000, 300);
  EXPECT_EQ(on.lag, 0);
  EXPECT_GT(on.correlation, 0.98);
}

}  // namespace
