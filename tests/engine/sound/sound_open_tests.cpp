// Opening sounds: what a whole and a streamed sound are made of, and what data is refused.
#include "engine/sound/qc_mixer.h"
#include "engine/sound/qc_sound.h"
#include "tests/engine/sound/sound_fixture.h"
#include "tests/kit/log_capture.h"
#include "tests/kit/ogg_maker.h"

#include <AL/al.h>
#include <gtest/gtest.h>

#include <string>

using namespace QOR;
using namespace sound_test_kit;

namespace {

using SoundOpen = LoopbackMixer;

TEST_F(SoundOpen, WholeSoundsGetOneBufferOfFourBytesPerFrameMonoOrStereo) {
  const Bytes mono = qor_test::fMakeSineOgg(440.0, 0.25, 1, 22050);
  QC_SOUND* m = fCreate(mono, false, 2);
  ASSERT_NE(m, nullptr);
  EXPECT_TRUE(m->isOpened());
  EXPECT_EQ(m->fGetFormat(), 0x1101);
  EXPECT_EQ(m->fGetRate(), 22050);
  EXPECT_EQ(m->fGetBufferCount(), 1);
  EXPECT_EQ(m->fGetBufferSize(), 5513 * 4);  // 0.25 s at 22050 Hz, rounded; four bytes a frame even for mono
  EXPECT_EQ(fQueued(m), 1);
  ASSERT_NE(m->fGetComment(), nullptr);
  EXPECT_NE(std::string(vorbis_comment_query(const_cast<vorbis_comment*>(m->fGetComment()), "ENCODER", 0)), "");

  QC_SOUND* s = fCreate(fSine440Stereo2s(), false, 2);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->fGetFormat(), 0x1103);
  EXPECT_EQ(s->fGetRate(), 44100);
  EXPECT_EQ(s->fGetBufferSize(), 88200 * 4);
  EXPECT_FALSE(s->isPlaying());
  EXPECT_EQ(_mixer->fGetSoundCount(), 2u);
}

TEST_F(SoundOpen, StreamsQueueTheirBuffersOfTenThousandTwentyFourBytes) {
  QC_SOUND* s = fCreate(fSine440Stereo2s(), true, 4);
  ASSERT_NE(s, nullptr);
  EXPECT_TRUE(s->isStreamed());
  EXPECT_EQ(s->fGetBufferSize(), 10024);
  EXPECT_EQ(fQueued(s), 4);
  // A buffer count below one still gives a stream one buffer to play through.
  QC_SOUND* one = fCreate(fSine440Stereo2s(), true, 0);
  ASSERT_NE(one, nullptr);
  EXPECT_EQ(one->fGetBufferCount(), 1);
  EXPECT_EQ(fQueued(one), 1);
  // A stream shorter than its queue queues only what it has.
  QC_SOUND* tiny = fCreate(qor_test::fMakeSineOgg(440.0, 0.05, 2), true, 4);
  ASSERT_NE(tiny, nullptr);
  EXPECT_EQ(fQueued(tiny), 1);
}

TEST_F(SoundOpen, DataThatIsNotOggVorbisIsRefused) {
  const std::string text = "this is not a sound at all, just some text that is long enough";
  Bytes wave = {'R', 'I', 'F', 'F', 0x24, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
  wave.resize(2000, 0);
  Bytes noise(5000);
  for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<std::uint8_t>((i * 7919u + 13u) >> 3);
  const Bytes& ogg = fSine440Stereo2s();
  const Bytes headerOnly(ogg.begin(), ogg.begin() + 60);  // the first page, cut short
  // Three channels have no 16-bit OpenAL format.
  const Bytes threeChannels = qor_test::fMakeSineOgg(440.0, 0.1, 3);
  const std::vector<Bytes> bad = {Bytes(text.begin(), text.end()), wave, noise, headerOnly, threeChannels};
  for (const Bytes& data : bad) {
    qor_test::LogCapture log;
    EXPECT_EQ(fCreate(data, false), nullptr);
    EXPECT_EQ(fCreate(data, true), nullptr);
    EXPECT_TRUE(log.hasLine("Bad loaded data sound"));
  }
  QC_SOUND probe;
  EXPECT_EQ(probe.fOpen(noise.data(), static_cast<int>(noise.size()), 2, false), -112);
  EXPECT_EQ(probe.fOpen(nullptr, 100, 2, false), -112);
  EXPECT_EQ(probe.fOpen(ogg.data(), 0, 2, false), -112);
  EXPECT_EQ(probe.fOpen(ogg.data(), -5, 2, false), -112);
  EXPECT_FALSE(probe.isOpened());
  EXPECT_EQ(_mixer->fGetSoundCount(), 0u);
}

TEST_F(SoundOpen, RemovedSoundsLeaveTheListAndBelongToTheCaller) {
  QC_SOUND* a = fCreate(fSine440Mono05s(), false);
  QC_SOUND* b = fCreate(fSine440Mono05s(), true);
  EXPECT_EQ(_mixer->fRemoveSound(a), 1);
  EXPECT_EQ(_mixer->fRemoveSound(a), -1);
  EXPECT_EQ(_mixer->fGetSoundCount(), 1u);
  delete a;
  EXPECT_EQ(_mixer->fRemoveSound(b), 1);
  delete b;
  EXPECT_EQ(_mixer->fRemoveSound(nullptr), -1);
}

TEST(SoundWithoutContext, OpenAnswersMinus113AndEveryOperationIsANoOp) {
  alcMakeContextCurrent(nullptr);
  const Bytes& ogg = fSine440Mono05s();
  QC_SOUND sound;
  EXPECT_EQ(sound.fOpen(ogg.data(), static_cast<int>(ogg.size()), 2, false), -113);
  EXPECT_FALSE(sound.isOpened());
  EXPECT_FALSE(sound.fPlay());
  sound.fRestart();
  sound.fSeek(100);
  sound.fSetVolume(0.5f);
  sound.fStreamUpdate();
  sound.fStop();
  EXPECT_FALSE(sound.isPlaying());
}

}  // namespace
