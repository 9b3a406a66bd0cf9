// The game service driven as the game drives it: hooks registered, services started, passes run
// on a manual clock, the recording device standing in for the GPU.
#include "engine/platform/qc_input.h"
#include "engine/platform/qc_random.h"
#include "engine/platform/qc_timer.h"
#include "engine/platform/qc_window.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"
#include "engine/sound/qc_mixer.h"
#include "host/src/host_internal.h"
#include "host/win_window.h"
#include "tests/kit/engine_fixture.h"
#include "tests/kit/log_capture.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace QOR;

namespace {

int g_updates = 0;
int g_renders = 0;
bool g_allPresentAtInit = false;
bool g_quitOnFirstUpdate = false;
std::vector<float> g_steps;  // the frame delta each update saw

int onUpdate(std::uintptr_t) {
  ++g_updates;
  g_steps.push_back(qcFrameTime);
  if (g_quitOnFirstUpdate) qcGAME->fQuit();
  return 0;
}
int onRender(std::uintptr_t) {
  ++g_renders;
  return 0;
}
int onInit(std::uintptr_t) {
  g_allPresentAtInit = qcINPUT != nullptr && qcWINDOW != nullptr && qcRENDER != nullptr && qcTIMER != nullptr &&
                       qcRANDOM != nullptr && qcMIXER != nullptr && qcRESOURCE_LOADER != nullptr &&
                       qcOnUnscribeTexture != nullptr;
  return 0;
}

class GameService : public ::testing::Test {
 protected:
  void SetUp() override {
    qor_test::fUseTestDoors();
    g_updates = g_renders = 0;
    g_quitOnFirstUpdate = false;
    qcOnUpdate = fCreateCallback(&onUpdate);
    qcOnRender = fCreateCallback(&onRender);
    qcOnInit = fCreateCallback(&onInit);
    qcGAME = QC_GAME::fGetGame();
  }
  void start() { ASSERT_EQ(QC_GAME::fInitServices(qcGAME, "Test Game"), 0); }
};

TEST_F(GameService, StartUpCreatesServicesInOrderThenRunsInitHook) {
  qor_test::LogCapture log;
  start();
  const std::vector<std::string> expected = {"Input initialised", "Window initialised", "Render initialised",
                                             "Timer initialised", "Random initialised", "Sound initialised",
                                             "Resouce loader inited"};
  std::vector<std::string> seen;
  for (const std::string& line : log.lines()) {
    for (const std::string& e : expected) {
      if (line == e) seen.push_back(line);
    }
  }
  EXPECT_EQ(seen, expected);
  EXPECT_TRUE(g_allPresentAtInit);
  EXPECT_EQ(qcGAME->_gameName, "Test Game");
  EXPECT_EQ(qcCurrentInput, qcINPUT);
  EXPECT_EQ(qcCurrentRandom, qcRANDOM);
}

// A window that fits the desktop gives a windowed picture of the game's size; one that cannot fit
// starts full screen, and the picture follows it from the start: the desktop's size, stretched.
// One desktop a process: the engine keeps the services it started for the life of the process.
struct DESKTOP {
  int width, height;
  bool full;
};
class GameServiceOnDesktop : public GameService, public ::testing::WithParamInterface<DESKTOP> {};

TEST_P(GameServiceOnDesktop, ThePictureFollowsAWindowThatStartsFullScreen) {
  const DESKTOP desktop = GetParam();
  host_test::fSetDesktopSize(desktop.width, desktop.height);
  start();
  ASSERT_EQ(qcWINDOW->isFullscreen() != 0, desktop.full);
  EXPECT_EQ(qcRENDER->isFullScreen(), desktop.full);
  const QS_POINT picture = qcRENDER->fGetBackBufferSize();
  EXPECT_EQ(picture, desktop.full ? QS_POINT(desktop.width, desktop.height) : QS_POINT(1024, 768));
  host_test::fSetDesktopSize(0, 0);
}
INSTANTIATE_TEST_SUITE_P(Desktops, GameServiceOnDesktop,
                         ::testing::Values(DESKTOP{1920, 1080, false}, DESKTOP{1280, 720, true},
                                           DESKTOP{1024, 768, true}),
                         [](const ::testing::TestParamInfo<DESKTOP>& info) {
                           return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

TEST_F(GameService, NullGameShowsMessageAndCreatesNothing) {
  qor_test::LogCapture log;
  EXPECT_EQ(QC_GAME::fInitServices(nullptr, "x"), 0);
  EXPECT_TRUE(log.contains("QC_GAME not exist. Need do some qcGAME = QC_GAME::fGetGame();"));
  EXPECT_EQ(qcINPUT, nullptr);
  qcGAME->fRun();
  EXPECT_TRUE(log.hasLine("Some component does not exist? or you may fogot initialise game class"));
  EXPECT_EQ(g_updates, 0);
}

TEST(GameServiceGate, SixMillisecondSleepAtTenMilliseconds) {
  qor_test::fUseTestDoors();
  QC_GAME* game = QC_GAME::fGetGame();  // its own timer starts at manual time 0
  qcGAME = game;
  game->_upsLimit = 60;
  host_test::fAdvanceTime(10);
  EXPECT_FALSE(game->isUpdateTime());
  EXPECT_EQ(host_test::fLastSleep(), 6u);
  EXPECT_EQ(host_test::fSleepCount(), 1);
}

// Ticks of 16.67 ms on a clock of whole milliseconds leave waits under one millisecond: each is
// slept as one, not spun away in sleeps of none until the timer moves on.
TEST(GameServiceGate, AWaitUnderAMillisecondSleepsOne) {
  qor_test::fUseTestDoors();
  QC_GAME* game = QC_GAME::fGetGame();
  qcGAME = game;
  game->_upsLimit = 60;
  int ticks = 0;
  int ones = 0;
  for (int calls = 0; ticks < 10 && calls < 1000; ++calls) {
    const int sleeps = host_test::fSleepCount();
    game->fUpdate();
    if (host_test::fSleepCount() == sleeps) {
      ++ticks;
      continue;
    }
    EXPECT_GE(host_test::fLastSleep(), 1u);
    if (host_test::fLastSleep() == 1u) ++ones;
  }
  EXPECT_EQ(ticks, 10);
  EXPECT_GT(ones, 0);
}

TEST_F(GameService, MeasuredRatesCountTheStepThatReachesOneSecond) {
  start();
  qcGAME->_upsLimit = 0;
  qcGAME->_fpsLimit = 0;
  qcGAME->fUpdate();
  qcGAME->fRender();  // both accumulators restart after the start-up time
  for (int i = 0; i < 40 && qcGAME->fGetMeasuredUps() == 0; ++i) {
    host_test::fAdvanceTime(100);
    qcGAME->fUpdate();
    qcGAME->fRender();
  }
  // Start-up took no manual time, so the first second holds the first pass plus ten 100 ms ones.
  EXPECT_EQ(qcGAME->fGetMeasuredUps(), 11);
  EXPECT_EQ(qcGAME->fGetMeasuredFps(), 11);
  EXPECT_FLOAT_EQ(qcFrameTime, 0.1f);
}

TEST_F(GameService, FrameLimitHoldsWhileUpdatesAreLimited) {
  start();
  qcGAME->_upsLimit = 60;
  qcGAME->_fpsLimit = 30;
  // Run two simulated seconds; Sleep advances the manual clock.
  host_test::fAdvanceTime(1);
  while (host_test::fSleepCount() < 100000) {
    qcGAME->fUpdate();
    qcGAME->fRender();
    if (timeGetTime() >= 2000) break;
  }
  EXPECT_NEAR(g_updates, 120, 3);
  EXPECT_NEAR(g_renders, 60, 3);
}

// A cap set while the loop runs counts its frames from then on. Lowered from 60 to 12 late in a
// second, it draws its first frame a twelfth of a second later (not once the 42 frames drawn that
// second would have been due at 12), then 12 a second; raised back, it draws 60 a second with no
// burst of the frames the lower cap left out.
TEST_F(GameService, ACapSetWhileRunningCountsItsFramesFromThen) {
  start();
  qcGAME->_upsLimit = 60;
  qcGAME->_fpsLimit = 60;
  const auto rendersUntil = [](DWORD ms) {
    const int before = g_renders;
    while (timeGetTime() < ms && host_test::fSleepCount() < 100000) {
      qcGAME->fUpdate();
      qcGAME->fRender();
    }
    return g_renders - before;
  };
  host_test::fAdvanceTime(1);
  rendersUntil(1000);
  EXPECT_NEAR(rendersUntil(1700), 42, 3);
  qcGAME->fSetFpsLimit(12);
  EXPECT_EQ(rendersUntil(1700 + 100), 1);
  EXPECT_NEAR(rendersUntil(2800), 12, 2);
  qcGAME->fSetFpsLimit(60);
  EXPECT_LE(rendersUntil(2800 + 34), 3);
  EXPECT_NEAR(rendersUntil(3800), 58, 3);
}

// A window minimised, or taken off the screen, is drawn a few frames a second while the updates
// keep their rate, the loop sleeping between them (the manual clock moves by its sleeps alone);
// back on the screen it is drawn at the full rate again from the next frame on.
TEST_F(GameService, AWindowAwayIsDrawnAFewFramesASecond) {
  start();
  qcGAME->_upsLimit = 60;
  qcGAME->_fpsLimit = 60;
  const auto tell = [](SDL_WindowEventID what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = SDL_GetWindowID(qcWINDOW->fGetHandle()->sdl);
    event.window.event = static_cast<Uint8>(what);
    ASSERT_EQ(SDL_PushEvent(&event), 1);
  };
  // Updates and frames of the passes that run the manual clock on by ms.
  const auto run = [](DWORD ms) {
    const int updates = g_updates;
    const int renders = g_renders;
    for (const DWORD end = timeGetTime() + ms; timeGetTime() < end && host_test::fSleepCount() < 100000;) {
      qcGAME->fUpdate();
      qcGAME->fRender();
    }
    return std::make_pair(g_updates - updates, g_renders - renders);
  };
  const std::pair<SDL_WindowEventID, SDL_WindowEventID> ways[] = {
      {SDL_WINDOWEVENT_MINIMIZED, SDL_WINDOWEVENT_RESTORED}, {SDL_WINDOWEVENT_HIDDEN, SDL_WINDOWEVENT_SHOWN}};
  host_test::fAdvanceTime(1);
  for (const auto& [away, back] : ways) {
    SCOPED_TRACE(away);
    run(1000);
    tell(away);
    const auto [updates, renders] = run(3000);
    EXPECT_NEAR(updates, 180, 3);
    EXPECT_NEAR(renders, 3 * QC_GAME::kAwayFps, 1);
    EXPECT_TRUE(qcMIXER->isHeld()) << "the sound device mixes on while no one hears it";
    tell(back);
    EXPECT_GE(run(1000 / 60 + 2).second, 1) << "the first frame back";
    EXPECT_FALSE(qcMIXER->isHeld());
    EXPECT_NEAR(run(1000).second, 60, 3);
  }
}

// A gap the process did not run (stopped for 45 s, or half a second) counts as one short step:
// the first update after it sees the bound, and the update gate runs no burst of catch-up steps.
TEST_F(GameService, AGapCountsOneShortStepWithoutCatchingUp) {
  start();
  qcGAME->_upsLimit = 60;
  for (const DWORD gap : {45000u, 500u}) {
    SCOPED_TRACE(gap);
    for (int n = 0; n < 200; ++n) qcGAME->fUpdate();  // steady running; Sleep moves the clock
    g_steps.clear();
    host_test::fAdvanceTime(gap);
    // The passes until the gate waits again.
    const int sleeps = host_test::fSleepCount();
    for (int n = 0; n < 1000 && host_test::fSleepCount() == sleeps; ++n) qcGAME->fUpdate();
    ASSERT_FALSE(g_steps.empty());
    EXPECT_FLOAT_EQ(g_steps.front(), QC_GAME::kLongestStep);
    EXPECT_LE(g_steps.size(), 7u);
  }
}

TEST_F(GameService, QuitFromUpdateHookStillRendersThatPass) {
  start();
  g_quitOnFirstUpdate = true;
  qcGAME->_upsLimit = 0;
  qcGAME->_fpsLimit = 0;
  qor_test::LogCapture log;
  qcGAME->fRun();
  EXPECT_TRUE(log.hasLine("Start"));
  EXPECT_EQ(g_updates, 1);
  EXPECT_EQ(g_renders, 1);
  EXPECT_EQ(qcGAME->_running, 0);
  EXPECT_EQ(QC_THREAD::fThreadCount(), 0u);  // the sound thread was stopped and joined
}

TEST_F(GameService, LostDeviceFramesAreSkipped) {
  start();
  qcGAME->_fpsLimit = 0;
  host_test::fRecordingControls().cooperativeLevel = D3DERR_DEVICELOST;
  qcGAME->fRender();
  EXPECT_EQ(g_renders, 0);
  host_test::fRecordingControls().cooperativeLevel = D3DERR_DEVICENOTRESET;
  qcGAME->fRender();  // resets, skips this frame
  EXPECT_EQ(g_renders, 0);
  qcGAME->fRender();
  EXPECT_EQ(g_renders, 1);
}

TEST_F(GameService, NoDeviceMeansNoLoop) {
  host_test::fRecordingControls().failCreateAttempts = 5;
  qor_test::LogCapture log;
  start();
  EXPECT_TRUE(log.hasLine("Can't create device"));
  EXPECT_TRUE(log.hasLine("Render error"));
  EXPECT_EQ(host_test::fCountCalls("CreateDevice"), 5);
  qcGAME->fRun();
  EXPECT_TRUE(log.hasLine("Start"));
  EXPECT_TRUE(log.contains("The renderer could not be started."));
  EXPECT_EQ(g_updates, 0);
}

TEST_F(GameService, DeviceCreationFallsBackThroughFiveAttempts) {
  host_test::fRecordingControls().failCreateAttempts = 4;
  start();
  std::vector<std::pair<double, double>> attempts;
  for (const auto& call : host_test::fRecordedCalls()) {
    if (call.name == "CreateDevice") attempts.emplace_back(call.args[1], call.args[2]);
  }
  const std::vector<std::pair<double, double>> expected = {
      {D3DDEVTYPE_HAL, 0x44}, {D3DDEVTYPE_HAL, 0x44}, {D3DDEVTYPE_HAL, 0x84}, {D3DDEVTYPE_HAL, 0x24},
      {D3DDEVTYPE_REF, 0x24}};
  EXPECT_EQ(attempts, expected);
}

}  // namespace
