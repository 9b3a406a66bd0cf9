// Streamed sounds rendered through the loopback device with the mixer's refill run between chunks:
// they play whole across many refills, stop and seek without stale audio, loop, survive starving,
// and damaged streams end cleanly; a stream that reads its data only while it plays sounds the
// same. The sound thread comes back as soon as the playing stream that runs low first needs it.
#include "engine/sound/qc_sound.h"
#include "engine/sound/qc_sound_wake.h"
#include "tests/engine/sound/sound_fixture.h"
#include "tests/kit/log_capture.h"

#include <AL/al.h>
#include <gtest/gtest.h>

using namespace QOR;
using namespace sound_test_kit;
using namespace sound_probe;

namespace {

using StreamedSound = LoopbackMixer;

TEST_F(StreamedSound, PlaysItsFullLengthAcrossManyRefillsThenStopsAndRewinds) {
  QC_SOUND* sound = fCreate(fSine440Stereo2s(), true, 4);
  ASSERT_NE(sound, nullptr);
  sound->fRestart();
  EXPECT_TRUE(sound->isPlaying());
  // 2 s of stereo in 10024-byte buffers: about 35 refills.
  const std::vector<float> out = fPlayUntilStopped(sound, 3 * 44100);
  EXPECT_FALSE(sound->isPlaying());
  ASSERT_GT(out.size(), 2u * 88200);
  EXPECT_EQ(fQuietWindows(out, 0, 88200 - 441, 441, 0.2), 0);  // no gap anywhere in the track
  EXPECT_GT(fToneAmplitude(out, 80000, 4410, 440.0), 0.6);
  // The track's tail still plays after the decoder met the end of the data.
  EXPECT_NEAR(static_cast<double>(fLastLoudFrame(out, 0.01f)), 88200.0, 300.0);
  // Rewound: the next play starts the track again, with a full queue.
  EXPECT_EQ(fQueued(sound), 4);
  sound->fPlay();
  EXPECT_GT(fToneAmplitude(fPlayFor(8820), 0, 8820, 440.0), 0.6);
}

TEST_F(StreamedSound, StopThenPlayStartsAtTheBeginningWithNoStaleAudio) {
  QC_SOUND* sound = fCreate(fChirpStereo3s(), true, 4);
  sound->fPlay();
  const std::vector<float> reference = fPlayFor(60000);
  sound->fStop();
  // Half a second in, with four buffers queued ahead, then stopped and started again.
  sound->fPlay();
  fPlayFor(22050);
  sound->fStop();
  EXPECT_FALSE(sound->isPlaying());
  EXPECT_LT(fRms(fPlayFor(4410), 256, 4000), 1e-4);
  sound->fPlay();
  const std::vector<float> again = fPlayFor(20000);
  const Match start = fBestMatch(again, 200, reference, 200, 16000, 300);
  EXPECT_EQ(start.lag, 0);
  EXPECT_GT(start.correlation, 0.98);
}

TEST_F(StreamedSound, SeekWhilePlayingRestartsAtThatSample) {
  QC_SOUND* sound = fCreate(fChirpStereo3s(), true, 4);
  sound->fPlay();
  const std::vector<float> reference = fPlayFor(120000);
  sound->fRestart();
  fPlayFor(30000);
  sound->fSeek(90000);
  EXPECT_TRUE(sound->isPlaying());
  const std::vector<float> after = fPlayFor(16000);
  const Match at = fBestMatch(after, 200, reference, 90200, 12000, 300);
  EXPECT_EQ(at.lag, 0);
  EXPECT_GT(at.correlation, 0.98);
  // A seek backwards, and one outside the track that changes nothing.
  sound->fSeek(1000);
  const std::vector<float> back = fPlayFor(16000);
  sound->fSeek(-1);
  sound->fSeek(10 * 44100);
  const std::vector<float> on = fPlayFor(16000);
  EXPECT_EQ(fBestMatch(back, 200, reference, 1200, 12000, 300).lag, 0);
  const Match onward = fBestMatch(on, 200, reference, 17200, 12000, 300);
  EXPECT_EQ(onward.lag, 0);
  EXPECT_GT(onward.correlation, 0.98);
}

// Stopped, the stream holds neither data nor queue; each start reads the data once, and a seek,
// a pause or the refills read nothing more. A reader that fails leaves the sound silent.
TEST_F(StreamedSound, AStreamThatReadsItsDataWhenPlayedPlaysSeeksAndEndsAsAnyOther) {
  QC_SOUND* sound = fCreate(fChirpStereo3s(), true, 4);
  ASSERT_NE(sound, nullptr);
  sound->fPlay();
  const std::vector<float> reference = fPlayFor(120000);
  sound->fPause();
  EXPECT_FALSE(sound->fSetDataReader([](std::vector<std::uint8_t>&) { return true; })) << "paused, not stopped";
  sound->fStop();
  int reads = 0;
  bool fail = false;
  ASSERT_TRUE(sound->fSetDataReader([&](std::vector<std::uint8_t>& bytes) {
    ++reads;
    bytes = fChirpStereo3s();
    return !fail;
  }));
  EXPECT_EQ(reads, 0);
  EXPECT_EQ(fQueued(sound), 0);

  sound->fRestart();
  EXPECT_EQ(reads, 1);
  EXPECT_TRUE(sound->isPlaying());
  const Match start = fBestMatch(fPlayFor(16000), 200, reference, 200, 12000, 300);
  EXPECT_EQ(start.lag, 0);
  EXPECT_GT(start.correlation, 0.98);
  sound->fSeek(90000);
  sound->fPause();
  sound->fPlay();
  const Match at = fBestMatch(fPlayFor(16000), 200, reference, 90200, 12000, 300);
  EXPECT_EQ(at.lag, 0);
  EXPECT_GT(at.correlation, 0.98);
  EXPECT_EQ(reads, 1);

  // To its end: stopped, and the data let go; the next play reads it again from the start.
  fPlayUntilStopped(sound, 4 * 44100);
  EXPECT_FALSE(sound->isPlaying());
  EXPECT_EQ(fQueued(sound), 0);
  sound->fPlay();
  EXPECT_EQ(reads, 2);
  const Match again = fBestMatch(fPlayFor(16000), 200, reference, 200, 12000, 300);
  EXPECT_EQ(again.lag, 0);
  EXPECT_GT(again.correlation, 0.98);

  sound->fStop();
  fail = true;
  qor_test::LogCapture log;
  EXPECT_FALSE(sound->fPlay());
  EXPECT_FALSE(sound->isPlaying());
  EXPECT_TRUE(log.hasLine("Bad loaded data sound"));
  EXPECT_LT(fRms(fPlayFor(4410), 0, 4410), 1e-4);
}

TEST_F(StreamedSound, LoopingStreamGoesOnFromItsStart) {
  QC_SOUND* sound = fCreate(fTwoTonesStereo(), true, 4);
  sound->fSetLooping(true);
  EXPECT_TRUE(sound->isLooping());
  sound->fPlay();
  const std::vector<float> out = fPlayFor(5 * 44100);
  EXPECT_TRUE(sound->isPlaying());
  EXPECT_EQ(fQuietWindows(out, 0, 5 * 44100, 441, 0.2), 0);
  // Second 2..3 is the start of the second pass: 440 Hz again; 3..4 is 880 Hz.
  EXPECT_GT(fToneAmplitude(out, 2 * 44100 + 4410, 4410, 440.0), 0.5);
  EXPECT_GT(fToneAmplitude(out, 3 * 44100 + 4410, 4410, 880.0), 0.5);
  sound->fSetLooping(false);
  fPlayUntilStopped(sound, 3 * 44100);
  EXPECT_FALSE(sound->isPlaying());
}

TEST_F(StreamedSound, AStarvedStreamGoesOnAtTheNextRefill) {
  QC_SOUND* sound = fCreate(fSine440Stereo2s(), true, 2);
  sound->fPlay();
  // Two buffers hold about 114 ms; 200 ms without a refill play them out.
  fRender(8820);
  EXPECT_NE(fSourceState(sound), AL_PLAYING);
  EXPECT_TRUE(sound->isPlaying());
  const std::vector<float> out = fPlayFor(8820, 441);
  EXPECT_EQ(fSourceState(sound), AL_PLAYING);
  EXPECT_GT(fToneAmplitude(out, 4410, 4410, 440.0), 0.6);
}

TEST_F(StreamedSound, TruncatedAndDamagedStreamsEndCleanly) {
  const Bytes& whole = fNoisyToneStereo3s();
  int opened = 0;
  qor_test::LogCapture log;
  for (int step = 1; step <= 16; ++step) {
    Bytes cut(whole.begin(), whole.begin() + static_cast<long>(whole.size() * step / 16));
    Bytes damaged = whole;
    for (std::size_t i = whole.size() * step / 17; i < damaged.size(); i += 997) damaged[i] ^= 0x5A;
    for (const Bytes* data : {&cut, &damaged}) {
      for (bool streamed : {true, false}) {
        QC_SOUND* sound = fCreate(*data, streamed, 4);
        if (sound == nullptr) continue;  // headers cut or damaged: refused as not Ogg Vorbis
        ++opened;
        sound->fRestart();
        // A whole sound is at most 3 s long; a stream ends on its own within its data.
        fPlayUntilStopped(sound, 4 * 44100);
        EXPECT_FALSE(sound->isPlaying()) << step << (streamed ? " streamed" : " whole");
        _mixer->fRemoveSound(sound);
        delete sound;
      }
    }
  }
  EXPECT_GT(opened, 40);
  EXPECT_TRUE(log.contains("Bad loaded data sound"));  // the cuts within the headers
  // About half of the track still plays from a stream cut in the middle.
  const Bytes half(whole.begin(), whole.begin() + static_cast<long>(whole.size() / 2));
  QC_SOUND* sound = fCreate(half, true, 4);
  ASSERT_NE(sound, nullptr);
  sound->fPlay();
  const std::vector<float> out = fPlayUntilStopped(sound, 4 * 44100);
  EXPECT_FALSE(sound->isPlaying());
  const long last = fLastLoudFrame(out, 0.01f);
  EXPECT_GT(last, 44100);
  EXPECT_LT(last, 88200);
  EXPECT_EQ(fQuietWindows(out, 0, static_cast<std::size_t>(last > 2000 ? last - 2000 : 0), 441, 0.2), 0);
}

TEST_F(StreamedSound, TheRefillPeriodIsTheShortestOfThePlayingStreams) {
  EXPECT_EQ(_mixer->fRefillPeriod(), QC_SOUND_WAKE::kUntilWoken);
  QC_SOUND* eight = fCreate(fSine440Stereo2s(), true, 8);
  QC_SOUND* two = fCreate(fSine440Stereo2s(), true, 2);
  ASSERT_NE(eight, nullptr);
  ASSERT_NE(two, nullptr);
  EXPECT_EQ(_mixer->fRefillPeriod(), QC_SOUND_WAKE::kUntilWoken);  // none plays
  eight->fRestart();
  EXPECT_EQ(_mixer->fRefillPeriod(), eight->fRefillPeriod());
  two->fRestart();
  ASSERT_LT(two->fRefillPeriod(), eight->fRefillPeriod());
  EXPECT_EQ(_mixer->fRefillPeriod(), two->fRefillPeriod());
  two->fStop();
  EXPECT_EQ(_mixer->fRefillPeriod(), eight->fRefillPeriod());
}

}  // namespace
