// With no audio device the mixer runs silent: sounds are made but never opened, and every sound
// operation, the refill and the service's sound thread do nothing harmful.
#include "engine/service/qc_callback.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/sound/qc_mixer.h"
#include "engine/sound/qc_sound.h"
#include "tests/kit/engine_fixture.h"
#include "tests/kit/log_capture.h"
#include "tests/kit/ogg_maker.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace QOR;

namespace {

// OpenAL Soft reads its driver list on first use: an unknown driver leaves it with no device at
// all. Set before main, so the test entry's default (the null driver) does not apply.
const bool g_noDriver = [] { return setenv("ALSOFT_DRIVERS", "none", 1) == 0; }();

TEST(SilentMixer, WithoutADeviceEverySoundIsAHarmlessNoOp) {
  ASSERT_TRUE(g_noDriver);
  qor_test::LogCapture log;
  QC_MIXER mixer;
  EXPECT_EQ(mixer.fInit(), -113);
  EXPECT_TRUE(log.hasLine("Mixer init"));
  EXPECT_TRUE(log.hasLine("!Default sound device not present"));
  EXPECT_FALSE(log.contains("AL finish initialisation"));

  const std::vector<std::uint8_t> ogg = qor_test::fMakeSineOgg(440.0, 0.2, 2);
  const std::string junk = "not a sound";
  QC_SOUND* sounds[] = {mixer.fCreateSound(ogg.data(), static_cast<int>(ogg.size()), 2, false),
                        mixer.fCreateSound(ogg.data(), static_cast<int>(ogg.size()), 4, true),
                        mixer.fCreateSound(junk.data(), static_cast<int>(junk.size()), 4, true)};
  EXPECT_EQ(mixer.fGetSoundCount(), 3u);
  for (QC_SOUND* sound : sounds) {
    ASSERT_NE(sound, nullptr);
    EXPECT_FALSE(sound->isOpened());
    EXPECT_FALSE(sound->fPlay());
    sound->fRestart();
    sound->fSeek(10);
    sound->fSetVolume(0.3f);
    sound->fSetPosition(1.0f, 2.0f, 3.0f);
    sound->fSetLooping(true);
    sound->fPause();
    sound->fStop();
    EXPECT_FALSE(sound->isPlaying());
  }
  mixer.fUpdate();
  mixer.fUpdateListener();
  QC_MIXER::fCheckError("x");
  EXPECT_FALSE(log.contains("Al error"));
}

int g_passes = 0;
int onUpdate(std::uintptr_t) {
  if (++g_passes >= 20) qcGAME->fQuit();
  return 0;
}

TEST(SilentMixer, TheServiceStartsAndRunsItsSoundThreadWithoutSound) {
  qor_test::fUseTestDoors();
  qor_test::LogCapture log;
  qcOnUpdate = fCreateCallback(&onUpdate);
  qcGAME = QC_GAME::fGetGame();
  ASSERT_EQ(QC_GAME::fInitServices(qcGAME, "Silent"), 0);
  EXPECT_TRUE(log.hasLine("!Default sound device not present"));
  EXPECT_TRUE(log.hasLine("Sound initialised"));
  const std::vector<std::uint8_t> ogg = qor_test::fMakeSineOgg(440.0, 0.2, 2);
  QC_SOUND* music = qcMIXER->fCreateSound(ogg.data(), static_cast<int>(ogg.size()), 4, true);
  ASSERT_NE(music, nullptr);
  music->fRestart();
  qcGAME->_upsLimit = 0;
  qcGAME->_fpsLimit = 0;
  qcGAME->fRun();
  EXPECT_EQ(g_passes, 20);
  EXPECT_FALSE(music->isPlaying());
}

}  // namespace
