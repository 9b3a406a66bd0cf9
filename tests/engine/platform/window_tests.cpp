// Placement, styles, letterbox and mouse mapping of the game window, and its hooks.
#include "engine/platform/qc_input.h"
#include "engine/platform/qc_window.h"
#include "engine/service/qc_callback.h"
#include "tests/kit/engine_fixture.h"
#include "tests/kit/log_capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace QOR;

namespace {

int g_activate = 0;
int g_deactivate = 0;
int g_quit = 0;
int onActivate(std::uintptr_t) { return ++g_activate; }
int onDeactivate(std::uintptr_t) { return ++g_deactivate; }
int onQuit(std::uintptr_t) { return ++g_quit; }

class Window : public ::testing::Test {
 protected:
  void SetUp() override {
    qor_test::fUseTestDoors();
    host_test::fSetDesktopSize(1920, 1080);
    window_ = new QC_WINDOW();
  }
  void TearDown() override { delete window_; }
  QC_WINDOW* window_ = nullptr;
};

TEST_F(Window, WindowedIsCentredWithFrameAroundClientArea) {
  qor_test::LogCapture log;
  ASSERT_EQ(window_->WindowInit("Caption ü"), 1);
  EXPECT_TRUE(log.hasLine("WindowInit"));
  EXPECT_TRUE(log.hasLine("Window created"));
  EXPECT_TRUE(log.hasLine("border= 1"));
  EXPECT_TRUE(log.hasLine("resize= 0"));
  EXPECT_EQ(window_->fGetStyle(), WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  int ow = 0;
  int oh = 0;
  window_->fGetOuterSize(1024, 768, ow, oh);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, window_->fGetStyle(), FALSE, 0);
  EXPECT_EQ(ow, 1024 - frame.left + frame.right);
  EXPECT_EQ(oh, 768 - frame.top + frame.bottom);
  RECT placed{};
  ASSERT_TRUE(GetWindowRect(window_->fGetHandle(), &placed));
  EXPECT_EQ(placed.left, 960 - ow / 2);
  EXPECT_EQ(placed.top, 540 - oh / 2);
  EXPECT_EQ(placed.right - placed.left, ow);
}

// A window is centred in the screen's usable area when it fits there with its frame; one that
// cannot starts full screen, stretched, so the whole game is on the screen.
TEST_F(Window, AWindowThatCannotFitTheScreenStartsFullScreen) {
  struct ROW {
    int width, height;
    RECT area;  // the usable area; empty for the whole screen
    bool full;
  };
  const ROW rows[] = {{800, 600, {}, true},
                      {1024, 768, {}, true},
                      {1280, 1024, {}, false},
                      {1920, 1080, {}, false},
                      {1280, 830, {0, 40, 1280, 830}, true},
                      {1280, 870, {0, 40, 1280, 870}, false}};
  for (const ROW& row : rows) {
    host_test::fSetDesktopSize(row.width, row.height);
    const RECT area = row.area.right > 0 ? row.area : RECT{0, 0, row.width, row.height};
    host_test::fSetWorkArea(area.left, area.top, area.right, area.bottom);
    UnregisterClassA("QUILLON", GetModuleHandleA(nullptr));
    QC_WINDOW window;
    ASSERT_EQ(window.WindowInit("x"), 1);
    const std::string what = std::to_string(row.width) + "x" + std::to_string(row.height);
    EXPECT_EQ(window.isFullscreen() != 0, row.full) << what;
    RECT placed{};
    ASSERT_TRUE(GetWindowRect(window.fGetHandle(), &placed));
    if (row.full) {
      EXPECT_EQ(window.isStretched(), 1) << what;
      EXPECT_EQ(window.fGetStyle(), WS_POPUP) << what;
      EXPECT_TRUE(placed.left == 0 && placed.top == 0 && placed.right == row.width && placed.bottom == row.height)
          << what;
      EXPECT_FLOAT_EQ(window.fGetLetterboxScale(), std::min(row.width / 1024.0f, row.height / 768.0f)) << what;
      // A later mode is what it asks for: full screen chosen, or a window that fits.
      EXPECT_TRUE(window.isForcedFullscreen()) << what;
      window.fSetMode(1024, 768, 1, 1);
      EXPECT_FALSE(window.isForcedFullscreen()) << what << ", full screen chosen";
      window.fSetMode(1024, 768, 0, 0);
      EXPECT_TRUE(window.isForcedFullscreen()) << what << ", windowed again";
      window.fSetMode(640, 480, 0, 0);
      EXPECT_EQ(window.isFullscreen(), 0) << what << ", a window that fits";
      EXPECT_FALSE(window.isForcedFullscreen()) << what << ", a window that fits";
    } else {
      EXPECT_FALSE(window.isForcedFullscreen()) << what;
      int ow = 0;
      int oh = 0;
      window.fGetOuterSize(1024, 768, ow, oh);
      EXPECT_EQ(placed.left, area.left + (area.right - area.left) / 2 - ow / 2) << what;
      EXPECT_EQ(placed.top, area.top + (area.bottom - area.top) / 2 - oh / 2) << what;
      EXPECT_TRUE(placed.left >= area.left && placed.top >= area.top && placed.right <= area.right &&
                  placed.bottom <= area.bottom)
          << what;
    }
    DestroyWindow(window.fGetHandle());
  }
}

TEST_F(Window, FullScreenStretchLetterboxAndMouseMapping) {
  ASSERT_EQ(window_->WindowInit("x"), 1);
  window_->fSetMode(1024, 768, 1, 1);
  EXPECT_FLOAT_EQ(window_->fGetLetterboxScale(), 1.40625f);
  EXPECT_FLOAT_EQ(window_->fGetLetterboxOffset().x, 240.0f);
  EXPECT_FLOAT_EQ(window_->fGetLetterboxOffset().y, 0.0f);
  EXPECT_EQ(window_->fGetStyle(), WS_POPUP);
  QS_POINT game(-1, -1);
  window_->fScreenToGame(POINT{240, 0}, game);
  EXPECT_EQ(game.x, 0);
  EXPECT_EQ(game.y, 0);
  window_->fScreenToGame(POINT{1679, 1079}, game);
  EXPECT_EQ(game.x, 1023);
  EXPECT_EQ(game.y, 767);
}

TEST_F(Window, FullScreenWithoutStretchOrAtDesktopSizeIsUnmapped) {
  ASSERT_EQ(window_->WindowInit("x"), 1);
  window_->fSetMode(1024, 768, 1, 0);
  QS_POINT game(0, 0);
  window_->fScreenToGame(POINT{500, 400}, game);
  EXPECT_EQ(game.x, 500);
  EXPECT_EQ(game.y, 400);
  window_->fSetMode(1920, 1080, 1, 1);
  EXPECT_FLOAT_EQ(window_->fGetLetterboxScale(), 1.0f);
  EXPECT_FLOAT_EQ(window_->fGetLetterboxOffset().x, 0.0f);
}

TEST_F(Window, ZeroGameSizeDoesNotBreakTheLetterbox) {
  ASSERT_EQ(window_->WindowInit("x"), 1);
  window_->fSetMode(0, 0, 1, 1);
  EXPECT_FLOAT_EQ(window_->fGetLetterboxScale(), 1.0f);
  QS_POINT game(7, 7);
  window_->fScreenToGame(POINT{10, 20}, game);
  EXPECT_EQ(game.x, 10);
}

TEST_F(Window, StyleFlagsActOnlyWhenWindowed) {
  ASSERT_EQ(window_->WindowInit("x"), 1);
  window_->fSetResizable(1);
  EXPECT_NE(window_->fGetStyle() & WS_THICKFRAME, 0u);
  window_->fSetBorder(0);
  EXPECT_EQ(window_->fGetStyle() & WS_CAPTION, 0u);
  EXPECT_NE(window_->fGetStyle() & WS_SYSMENU, 0u);
  window_->fSetBorder(1);
  window_->fSetMode(1024, 768, 1, 1);
  window_->fSetMaximizeBox(1);
  EXPECT_EQ(window_->fGetStyle(), WS_POPUP);
  window_->fSetMode(1024, 768, 0, 0);
  EXPECT_EQ(window_->fGetStyle() & WS_MAXIMIZEBOX, 0u);  // the flag was not stored in full screen
}

TEST_F(Window, ActivationFocusAndCloseReachTheHooks) {
  ASSERT_EQ(window_->WindowInit("x"), 1);
  g_activate = g_deactivate = g_quit = 0;
  qcOnActivate = fCreateCallback(&onActivate);
  qcOnDeactivate = fCreateCallback(&onDeactivate);
  qcOnQuit = fCreateCallback(&onQuit);
  HWND h = window_->fGetHandle();
  SendMessageA(h, WM_ACTIVATE, WA_CLICKACTIVE, 0);
  SendMessageA(h, WM_ACTIVATE, WA_INACTIVE, 0);
  SendMessageA(h, WM_ACTIVATE, WA_ACTIVE | (WPARAM{1} << 16), 0);  // minimised: neither hook
  SendMessageA(h, WM_KILLFOCUS, 0, 0);
  EXPECT_EQ(g_activate, 1);
  EXPECT_EQ(g_deactivate, 2);

  // A close reaches the hook once, whether posted (the pump's) or sent (the procedure's), and the
  // window stays: the hook may ask and keep the program.
  QC_INPUT input;
  PostMessageA(h, WM_CLOSE, 0, 0);
  fProcessMessages(&input, window_);
  EXPECT_EQ(g_quit, 1);
  PostMessageA(h, WM_CLOSE, 0, 0);
  fProcessMessages(nullptr, window_);
  EXPECT_EQ(g_quit, 2);
  SendMessageA(h, WM_CLOSE, 0, 0);
  EXPECT_EQ(g_quit, 3);
  EXPECT_TRUE(IsWindow(h));
}

TEST(SystemCursor, CounterEndsAtZeroOrMinusOne) {
  host_test::fSetCursorCounter(-3);
  fShowSystemCursor(nullptr, true);
  EXPECT_EQ(host_test::fCursorCounter(), 0);
  host_test::fSetCursorCounter(4);
  fShowSystemCursor(nullptr, false);
  EXPECT_EQ(host_test::fCursorCounter(), -1);
}

TEST(WindowServices, MemoryUsageAndTimes) {
  QC_WINDOW window;
  EXPECT_GT(window.fGetMemoryUsage(), 0u);
  EXPECT_GE(window.fGetMemoryUsageMB(), 0);
  host_test::fUseManualClock(true);
  host_test::fSetTime(1234);
  EXPECT_EQ(QC_WINDOW::fGetTime(), 1234u);
  std::uint32_t out = 0;
  EXPECT_EQ(QC_WINDOW::fGetTimeTo(out), 1234u);
  EXPECT_EQ(out, 1234u);
}

}  // namespace
