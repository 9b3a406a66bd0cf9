// Frame animations: the frame sequences of every play mode, the frame rate and catch-up, the
// grids that are refused, and the text forms.
#include "behaviours/qc_animation.h"
#include "behaviours/qc_fade_animation.h"
#include "engine/render/qc_texture_info.h"
#include "host/test_doors.h"
#include "tests/behaviours/bot_test_kit.h"

#include <string>
#include <vector>

using namespace QOR;

namespace {

// The grid cell a sprite shows, read back from its texture rectangle: -1 when the rectangle is not
// exactly one cell of the grid.
int ShownCell(const QC_SPRITE& sprite, int columns, int rows) {
  const QS_VERTEX* topLeft = sprite.fGetVertex(0);
  const QS_VERTEX* bottomRight = sprite.fGetVertex(2);
  const float left = topLeft->u < bottomRight->u ? topLeft->u : bottomRight->u;
  const int column = static_cast<int>(left * static_cast<float>(columns) + 0.5f);
  const int row = static_cast<int>(topLeft->v * static_cast<float>(rows) + 0.5f);
  const float width = bottomRight->u - topLeft->u;
  const float height = bottomRight->v - topLeft->v;
  const float cellWidth = 1.0f / static_cast<float>(columns);
  const float cellHeight = 1.0f / static_cast<float>(rows);
  if ((width != cellWidth && width != -cellWidth) || height != cellHeight) return -1;
  return row * columns + column;
}

class Animation : public bot_test::BotTest {
 protected:
  // A 64 x 32 sheet: 2 x 2 cells of 32 x 16.
  QC_TEXTURE_INFO sheet{nullptr, 64, 32};
};

// Rate 10 at 1/8 s a tick fills more than one frame's worth every tick, so every tick is a change.
std::vector<int> PlayShown(QC_ANIMATION& animation, int ticks) {
  std::vector<int> shown;
  animation.fPlay();
  for (int i = 0; i < ticks; ++i) {
    animation.fUpdate();
    shown.push_back(ShownCell(animation, 2, 2));
  }
  return shown;
}

TEST_F(Animation, ConstructedStoppedOnItsStartFrameWithOneCellInWholePixels) {
  QC_ANIMATION forward(&sheet, nullptr, 2, 2, 4, 10.0f, true, false, false, false);
  EXPECT_FALSE(forward.isPlaying());
  EXPECT_EQ(forward.fGetFrame(), 0);
  EXPECT_EQ(ShownCell(forward, 2, 2), 0);
  EXPECT_EQ(forward.fGetWidth(), 32.0f);
  EXPECT_EQ(forward.fGetHeight(), 16.0f);
  EXPECT_EQ(forward.fUpdate(), 0) << "a stopped animation never advances";

  QC_ANIMATION backward(&sheet, nullptr, 2, 2, 4, 10.0f, false, false, false, false);
  EXPECT_EQ(backward.fGetFrame(), 3);
  EXPECT_EQ(backward.fGetStep(), -1);
  EXPECT_EQ(ShownCell(backward, 2, 2), 3) << "frame 3 is column 1 of row 1";
}

TEST_F(Animation, PlaysOnceForwardThenStopsOnFrameZero) {
  QC_ANIMATION animation(&sheet, nullptr, 2, 2, 4, 10.0f, true, false, false, false);
  // Each tick shows the frame the counter stood on; the last frame stays for its frame time
  // before the run stops and rewinds.
  EXPECT_EQ(PlayShown(animation, 5), (std::vector<int>{0, 1, 2, 3, 0}));
  EXPECT_FALSE(animation.isPlaying());
  EXPECT_EQ(animation.fGetFrame(), 0);
  EXPECT_EQ(ShownCell(animation, 2, 2), 0);
}

TEST_F(Animation, LoopingPingPongTurnsAtBothEnds) {
  QC_ANIMATION animation(&sheet, nullptr, 2, 2, 4, 10.0f, true, true, true, false);
  EXPECT_EQ(PlayShown(animation, 12), (std::vector<int>{0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 2, 1}));
  EXPECT_TRUE(animation.isPlaying());
}

TEST_F(Animation, LoopingBackwardWrapsToTheLastFrame) {
  QC_ANIMATION animation(&sheet, nullptr, 2, 2, 4, 10.0f, false, true, false, false);
  EXPECT_EQ(PlayShown(animation, 6), (std::vector<int>{3, 2, 1, 0, 3, 2}));
}

TEST_F(Animation, RateTwentyFiveAtSixtyTicksChangesEveryThirdTick) {
  QOR::qcFrameTime = 1.0f / 60.0f;
  QC_ANIMATION animation(&sheet, nullptr, 2, 2, 4, 25.0f, true, true, false, false);
  animation.fPlay();
  std::vector<int> changes;
  for (int tick = 1; tick <= 12; ++tick) {
    if (animation.fUpdate() == 1) changes.push_back(tick);
  }
  // The accumulator is cleared at a change, not reduced by one frame.
  EXPECT_EQ(changes, (std::vector<int>{3, 6, 9, 12}));
}

TEST_F(Animation, MirrorSwapsTheCellsLeftAndRightAndStopKeepsTheFrame) {
  QC_ANIMATION animation(&sheet, nullptr, 2, 2, 4, 10.0f, true, true, false, false);
  PlayShown(animation, 2);
  animation.fStop();
  EXPECT_EQ(animation.fUpdate(), 0);
  const int frame = animation.fGetFrame();
  animation.fSetMirror(true);
  EXPECT_EQ(animation.fGetFrame(), frame);
  EXPECT_GT(animation.fGetVertex(0)->u, animation.fGetVertex(1)->u);
  EXPECT_EQ(ShownCell(animation, 2, 2), frame);
}

TEST_F(Animation, AZeroGridIsRefusedEverywhere) {
  QC_ANIMATION zero(&sheet, nullptr, 0, 2, 4, 10.0f, true, false, false, false);
  EXPECT_EQ(zero.fGetColumns(), 1);
  EXPECT_EQ(zero.fGetRows(), 1);
  EXPECT_EQ(zero.fSetGrid(2, 0), 0);
  EXPECT_EQ(zero.fGetRows(), 1);
  zero.fPlay();
  for (int i = 0; i < 6; ++i) zero.fUpdate();

  QC_FADE_ANIMATION fade(&sheet, nullptr, 0, 0, 4, 10.0f, true, true, false, false);
  EXPECT_EQ(fade.fGetLastFrame(), 1u) << "the set-up was refused";
  EXPECT_EQ(fade.fSetup(2, 0, 1, 4, 10.0f, true, false, false, false), 0);
  fade.fSetCellUV(1);
}

TEST_F(Animation, TextSetUpReadsEightNumbersAndLeavesTheFrame) {
  QC_ANIMATION animation(&sheet, nullptr, 2, 2, 4, 10.0f, true, false, false, false);
  PlayShown(animation, 1);
  animation.by_str("0 1 1 1 4 2 8 12.5");
  EXPECT_EQ(animation.fGetFlags(), QC_ANIMATION::kPingPong | QC_ANIMATION::kLoop | QC_ANIMATION::kMirror);
  EXPECT_EQ(animation.fGetColumns(), 4);
  EXPECT_EQ(animation.fGetRows(), 2);
  EXPECT_EQ(animation.fGetFrameCount(), 8);
  EXPECT_EQ(animation.fGetRate(), 12.5f);
  EXPECT_EQ(animation.fGetFrame(), 1);
  EXPECT_TRUE(animation.isPlaying());
  // Seven numbers, or a zero grid, change nothing; a ninth is ignored.
  animation.by_str("1 0 0 0 2 2 4");
  animation.by_str("1 0 0 0 0 2 4 5");
  EXPECT_EQ(animation.fGetColumns(), 4);
  EXPECT_EQ(animation.fGetRate(), 12.5f);
  animation.by_str("1 0 0 0 2 2 3 5.25 99");
  EXPECT_EQ(animation.fGetFrameCount(), 3);
  EXPECT_EQ(animation.fGetRate(), 5.25f);
}

class FadeAnimation : public Animation {};

// Ticks at the frame time until the animation stops or the limit is reached; the frames shown.
std::vector<std::uint32_t> PlayFade(QC_FADE_ANIMATION& animation, int limit) {
  std::vector<std::uint32_t> shown{animation.fGetCurrentFrame()};
  animation.fPlay();
  for (int i = 0; i < limit && animation.isPlaying(); ++i) {
    if (animation.fUpdate() == QC_FADE_ANIMATION::kAdvanced) shown.push_back(animation.fGetCurrentFrame());
  }
  return shown;
}

TEST_F(FadeAnimation, PingPongWithoutLoopGoesOutAndBackOnce) {
  QC_FADE_ANIMATION animation(&sheet, nullptr, 2, 2, 1, 3, 8.0f, true, false, true, false);
  EXPECT_EQ(PlayFade(animation, 100), (std::vector<std::uint32_t>{1, 2, 3, 2, 1}));
  EXPECT_FALSE(animation.isPlaying());
  EXPECT_EQ(animation.fGetCurrentFrame(), 1u);
}

TEST_F(FadeAnimation, OnceBackwardStopsOnTheFirstFrameAndLoopWrapsToTheStart) {
  QC_FADE_ANIMATION once(&sheet, nullptr, 2, 2, 2, 4, 8.0f, false, false, false, false);
  EXPECT_EQ(PlayFade(once, 100), (std::vector<std::uint32_t>{4, 3, 2}));
  QC_FADE_ANIMATION loop(&sheet, nullptr, 2, 2, 2, 4, 8.0f, true, true, false, false);
  const std::vector<std::uint32_t> shown = PlayFade(loop, 12);
  EXPECT_EQ(std::vector<std::uint32_t>(shown.begin(), shown.begin() + 6), (std::vector<std::uint32_t>{2, 3, 4, 2, 3, 4}));
}

TEST_F(FadeAnimation, ALongTickCatchesUpSeveralFrames) {
  QC_FADE_ANIMATION animation(&sheet, nullptr, 2, 2, 1, 4, 8.0f, true, true, false, false);
  animation.fPlay();
  animation.fSetCountdown(-1.5f * animation.fGetFrameTime());
  EXPECT_EQ(animation.fUpdate(), QC_FADE_ANIMATION::kAdvanced);
  EXPECT_EQ(animation.fGetCurrentFrame(), 3u);
  EXPECT_EQ(animation.fGetCountdown(), animation.fGetFrameTime());
}

TEST_F(FadeAnimation, ALoopPausesAtTheEndOfEachCycle) {
  QC_FADE_ANIMATION animation(&sheet, nullptr, 2, 2, 1, 3, 8.0f, true, true, false, false);
  animation.fSetHoldTime(0.5f);
  animation.fPlay();
  // Frame 2 after two ticks, frame 3 (the cycle's end) after two more, which arms the pause.
  for (int i = 0; i < 4; ++i) animation.fUpdate();
  EXPECT_EQ(animation.fGetCurrentFrame(), 3u);
  EXPECT_EQ(animation.fGetHoldCountdown(), 0.5f);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(animation.fUpdate(), 0);
  EXPECT_EQ(animation.fGetCurrentFrame(), 3u);
  animation.fUpdate();
  EXPECT_EQ(animation.fUpdate(), QC_FADE_ANIMATION::kAdvanced);
  EXPECT_EQ(animation.fGetCurrentFrame(), 1u);
}

TEST_F(FadeAnimation, CellsCountFromOneWithBothMirrors) {
  QC_FADE_ANIMATION animation(&sheet, nullptr, 2, 2, 4, 8.0f, true, false, false, false);
  animation.fSetCellUV(4);
  EXPECT_EQ(ShownCell(animation, 2, 2), 3);
  animation.fSetMirrorX(true);
  animation.fSetMirrorY(true);
  animation.fSetCellUV(2);
  EXPECT_EQ(animation.fGetVertex(0)->u, 1.0f);
  EXPECT_EQ(animation.fGetVertex(1)->u, 0.5f);
  EXPECT_EQ(animation.fGetVertex(0)->v, 0.5f);
  EXPECT_EQ(animation.fGetVertex(2)->v, 0.0f);
}

TEST_F(FadeAnimation, TextFormRoundTripsAndTooFewNumbersChangeNothing) {
  host_test::fSetNonInteractive(true);
  QC_FADE_ANIMATION animation(&sheet);
  animation.by_str("1 1 0 0 4 2 8 12.000000");
  EXPECT_STREQ(animation.to_str(), "1 1 0 0 4 2 8 12.000000");
  EXPECT_EQ(animation.fGetCurrentFrame(), 1u);
  EXPECT_EQ(animation.fGetWidth(), 16.0f);
  animation.by_str("0 0 1 1 2 2 3 4.5 7");
  EXPECT_STREQ(animation.to_str(), "0 0 1 1 2 2 3 4.500000");
  EXPECT_EQ(animation.fGetCurrentFrame(), 3u) << "backward starts on the last frame";

  host_test::fResetMessageBoxCount();
  animation.by_str("1 1 0 0 4 2 8");
  EXPECT_EQ(host_test::fMessageBoxCount(), 1);
  EXPECT_STREQ(animation.to_str(), "0 0 1 1 2 2 3 4.500000");
}

}  // namespace
