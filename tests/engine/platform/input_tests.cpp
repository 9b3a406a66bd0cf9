// Key states and typed text, fed directly and through the real message pump.
#include "engine/platform/qc_input.h"
#include "engine/platform/qc_window.h"
#include "tests/kit/engine_fixture.h"
#include "tests/kit/log_capture.h"

#include <gtest/gtest.h>

using namespace QOR;

TEST(Input, PressHoldReleaseAgeing) {
  QC_INPUT input;
  EXPECT_EQ(qcCurrentInput, &input);
  EXPECT_EQ(input.fGetMouseX(), 0);  // the position starts at the origin, not unset
  input.fKeyDown('Z');
  EXPECT_TRUE(input.isPressed('Z'));
  EXPECT_EQ(input.fGetLastKey(), static_cast<std::uint32_t>('Z'));
  input.fUpdate();
  EXPECT_EQ(input.fGetState('Z'), 2);
  EXPECT_EQ(input.fGetLastKey(), 0u);
  for (int i = 0; i < 123; ++i) input.fUpdate();
  EXPECT_EQ(input.fGetState('Z'), 125);
  input.fUpdate();  // past 125 the hold count wraps to 2
  EXPECT_EQ(input.fGetState('Z'), 2);
  input.fKeyUp('Z');
  EXPECT_TRUE(input.isReleased('Z'));
  input.fUpdate();
  EXPECT_EQ(input.fGetState('Z'), 0);
}

TEST(Input, AutoRepeatWrapsAbove120) {
  QC_INPUT input;
  input.fKeyDown('Q');
  for (int i = 0; i < 119; ++i) input.fKeyDown('Q');
  EXPECT_EQ(input.fGetState('Q'), 120);
  input.fKeyDown('Q');
  EXPECT_EQ(input.fGetState('Q'), 121);
  input.fKeyDown('Q');
  EXPECT_EQ(input.fGetState('Q'), 2);
}

TEST(Input, ReleasedKeyPressedAgainIsAFreshPress) {
  QC_INPUT input;
  input.fKeyDown('A');
  input.fKeyUp('A');
  EXPECT_EQ(input.fGetState('A'), 255);  // press and release in one pump, fed directly
  input.fKeyDown('A');
  EXPECT_EQ(input.fGetState('A'), 1);
}

TEST(Input, ShiftWritesCapsLockByteAndCapsIsNeverAged) {
  QC_INPUT input;
  input.fKeyDown(16);
  EXPECT_EQ(input.fGetState(16), 1);
  EXPECT_EQ(input.fGetState(20), 1);
  input.fUpdate();
  EXPECT_EQ(input.fGetState(16), 2);
  EXPECT_EQ(input.fGetState(20), 1);
  input.fKeyUp(16);
  EXPECT_EQ(input.fGetState(16), 255);
  EXPECT_EQ(input.fGetState(20), 255);
  input.fUpdate();
  EXPECT_EQ(input.fGetState(16), 0);
  EXPECT_EQ(input.fGetState(20), 0);

  input.fKeyDown(20);
  input.fUpdate();
  input.fUpdate();
  EXPECT_EQ(input.fGetState(20), 1);
  input.fKeyDown(20);
  EXPECT_EQ(input.fGetState(20), 2);
}

TEST(Input, TypedCharacterFollowsCapsByteAndClearsOnAgeing) {
  qor_test::fUseTestDoors();
  QC_INPUT input;
  input.fKeyDown('K');
  EXPECT_EQ(input.fGetTypedChar(), L'k');
  input.fUpdate();
  EXPECT_EQ(input.fGetTypedChar(), 0);
  input.fKeyDown(16);  // shift sets the caps byte, which the translation reads as caps lock on
  input.fKeyDown('K');
  EXPECT_EQ(input.fGetTypedChar(), L'K');
  input.fUpdate();
  input.fKeyDown(13);  // a system key types nothing
  EXPECT_EQ(input.fGetTypedChar(), 0);
  input.fKeyDown(1);  // nor does a mouse button
  EXPECT_EQ(input.fGetTypedChar(), 0);
}

TEST(Input, SystemKeysAndTheirLog) {
  QC_INPUT input;
  qor_test::LogCapture log;
  EXPECT_FALSE(input.isSystemKey(9));
  EXPECT_TRUE(log.text().empty());
  EXPECT_TRUE(input.isSystemKey(46));
  EXPECT_TRUE(log.hasLine("isSystemKey: 46"));
  EXPECT_FALSE(input.isSystemKey(47));
  EXPECT_FALSE(input.isSystemKey(7));
}

TEST(Input, MouseRectIsInclusive) {
  QC_INPUT input;
  input.fSetMousePosition(10, 10);
  EXPECT_TRUE(input.isMouseInRect(10, 10, 0, 0));
  input.fSetMousePosition(11, 10);
  EXPECT_FALSE(input.isMouseInRect(10, 10, 0, 0));
  EXPECT_TRUE(input.isMouseInRect(0, 0, 11, 10));
  float x = 0;
  float y = 0;
  input.fGetMousePosF(&x, &y);
  EXPECT_FLOAT_EQ(x, 11.0f);
  input.fUpdate();
  EXPECT_EQ(input.fGetPreviousMousePos().x, 11);
}

class Pump : public ::testing::Test {
 protected:
  void SetUp() override {
    qor_test::fUseTestDoors();
    host_test::fSetDesktopSize(1920, 1080);
    window_ = new QC_WINDOW();
    ASSERT_EQ(window_->WindowInit("pump"), 1);
    input_ = new QC_INPUT();
  }
  void TearDown() override { delete window_; }
  void pump() { fProcessMessages(input_, window_); }
  HWND hwnd() { return window_->fGetHandle(); }
  QC_WINDOW* window_ = nullptr;
  QC_INPUT* input_ = nullptr;
};

TEST_F(Pump, TapWithinOnePumpIsSeenPressedThenReleased) {
  PostMessageA(hwnd(), WM_LBUTTONDOWN, 0, 0);
  PostMessageA(hwnd(), WM_LBUTTONUP, 0, 0);
  pump();
  EXPECT_TRUE(input_->isPressed(1));
  input_->fUpdate();
  pump();
  EXPECT_TRUE(input_->isReleased(1));
  input_->fUpdate();
  EXPECT_EQ(input_->fGetState(1), 0);
}

TEST_F(Pump, OrderIsKeptBehindAHeldBackRelease) {
  PostMessageA(hwnd(), WM_KEYDOWN, 'A', 0);
  PostMessageA(hwnd(), WM_KEYUP, 'A', 0);
  PostMessageA(hwnd(), WM_KEYDOWN, 'B', 0);
  pump();
  EXPECT_TRUE(input_->isPressed('A'));
  EXPECT_EQ(input_->fGetState('B'), 0);  // still behind the release of A
  input_->fUpdate();
  pump();
  EXPECT_TRUE(input_->isReleased('A'));
  EXPECT_TRUE(input_->isPressed('B'));
  EXPECT_EQ(input_->fGetTypedChar(), L'b');
}

TEST_F(Pump, MouseButtonsAreKeysOneTwoFour) {
  PostMessageA(hwnd(), WM_RBUTTONDOWN, 0, 0);
  PostMessageA(hwnd(), WM_MBUTTONDOWN, 0, 0);
  pump();
  EXPECT_TRUE(input_->isPressed(2));
  EXPECT_TRUE(input_->isPressed(4));
  PostMessageA(hwnd(), WM_SYSKEYDOWN, 'F', 0);  // Alt combinations are not input
  pump();
  EXPECT_EQ(input_->fGetState('F'), 0);
}

TEST_F(Pump, MouseMoveReadsTheCursorNowInClientPixels) {
  RECT outer{};
  GetWindowRect(hwnd(), &outer);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, window_->fGetStyle(), FALSE, 0);
  SetCursorPos(outer.left - frame.left + 100, outer.top - frame.top + 50);
  PostMessageA(hwnd(), WM_MOUSEMOVE, 0, 0);
  pump();
  EXPECT_EQ(input_->fGetMousePos().x, 100);
  EXPECT_EQ(input_->fGetMousePos().y, 50);
}
