// The service's own sound thread keeps a stream filled while the game loop renders the mix, and
// waits while the main thread holds engine lock 1; between refills a wake ends one wait only.
#include "engine/platform/qc_thread.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/sound/qc_mixer.h"
#include "engine/sound/qc_sound.h"
#include "engine/sound/qc_sound_test_door.h"
#include "engine/sound/qc_sound_wake.h"
#include "tests/engine/sound/sound_fixture.h"
#include "tests/kit/engine_fixture.h"

#include <AL/al.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace QOR;
using namespace sound_test_kit;
using namespace sound_probe;

namespace {

constexpr int kChunk = 1024;

QC_SOUND* g_sound = nullptr;
std::vector<float> g_out;
int g_passes = 0;
bool (*g_step)() = nullptr;

// Waits, in real time, until the sound thread has refilled every processed buffer.
bool fWaitForRefill(const QC_SOUND* sound) {
  for (int i = 0; i < 2000; ++i) {
    if (fProcessed(sound) == 0 || !sound->isPlaying()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return false;
}

void fRenderChunk() {
  std::vector<float> part(2 * kChunk);
  EXPECT_TRUE(sound_test::fRenderLoopback(part.data(), kChunk));
  g_out.insert(g_out.end(), part.begin(), part.end());
}

int onUpdate(std::uintptr_t) {
  ++g_passes;
  if (g_passes > 2000 || g_step == nullptr || !g_step()) qcGAME->fQuit();
  return 0;
}

class ServiceSoundThread : public ::testing::Test {
 protected:
  void SetUp() override {
    qor_test::fUseTestDoors();
    sound_test::fUseLoopbackDevice(kRate);
    g_out.clear();
    g_passes = 0;
    qcOnUpdate = fCreateCallback(&onUpdate);
    qcGAME = QC_GAME::fGetGame();
    ASSERT_EQ(QC_GAME::fInitServices(qcGAME, "Sound Test"), 0);
    ASSERT_NE(qcMIXER, nullptr);
    ASSERT_NE(qcMIXER->fGetContext(), nullptr);
    qcGAME->_upsLimit = 0;
    qcGAME->_fpsLimit = 0;
    // The game makes its sounds in its init hook, before the loop starts the sound thread.
    const Bytes& track = fSine440Stereo2s();
    g_sound = qcMIXER->fCreateSound(track.data(), static_cast<int>(track.size()), 4, true);
    ASSERT_NE(g_sound, nullptr);
  }
  void TearDown() override { sound_test::fUseLoopbackDevice(0); }
};

TEST_F(ServiceSoundThread, KeepsAStreamPlayingToItsEnd) {
  g_sound->fRestart();
  g_step = [] {
    fRenderChunk();
    EXPECT_TRUE(fWaitForRefill(g_sound));
    return g_sound->isPlaying() || g_out.size() < 2u * 88200;
  };
  qcGAME->fRun();
  EXPECT_FALSE(g_sound->isPlaying());
  ASSERT_GT(g_out.size(), 2u * 88200);
  EXPECT_EQ(fQuietWindows(g_out, 0, 88200 - 441, 441, 0.2), 0);
  EXPECT_NEAR(static_cast<double>(fLastLoudFrame(g_out, 0.01f)), 88200.0, 300.0);
  EXPECT_EQ(QC_THREAD::fThreadCount(), 0u);
}

TEST_F(ServiceSoundThread, WaitsWhileTheMainThreadHoldsLockOne) {
  g_sound->fRestart();
  g_step = [] {
    if (g_passes < 10) {
      fRenderChunk();
      return fWaitForRefill(g_sound);
    }
    // Hold the lock across two buffers' worth of output: nothing is refilled meanwhile.
    QC_THREAD::fMutexLock(1);
    for (int i = 0; i < 6; ++i) fRenderChunk();
    const int processed = fProcessed(g_sound);
    EXPECT_GE(processed, 2);
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    EXPECT_EQ(fProcessed(g_sound), processed);
    // The lock is recursive: the main thread's own sound calls go through while holding it.
    EXPECT_TRUE(g_sound->fPlay());
    QC_THREAD::fMutexUnlock(1);
    // Released: the sound thread refills and the track goes on without a gap.
    EXPECT_TRUE(fWaitForRefill(g_sound));
    for (int i = 0; i < 10; ++i) {
      fRenderChunk();
      EXPECT_TRUE(fWaitForRefill(g_sound));
    }
    return false;
  };
  qcGAME->fRun();
  EXPECT_TRUE(g_sound->isPlaying());
  EXPECT_EQ(fQuietWindows(g_out, 0, g_out.size() / 2, 441, 0.2), 0);
  EXPECT_GT(fToneAmplitude(g_out, g_out.size() / 2 - 4410, 4410, 440.0), 0.6);
}

// A wake ends the next wait at once and is spent there: the wait after it runs its period out.
TEST(SoundWake, AWakeEndsOneWaitOnly) {
  QC_SOUND_WAKE::fWake();
  EXPECT_TRUE(QC_SOUND_WAKE::fWait(std::chrono::seconds(60)));
  EXPECT_FALSE(QC_SOUND_WAKE::fWait(std::chrono::milliseconds(20)));
}

}  // namespace
