// The two-state switch (rest, run, turned round half-way) and the opacity blinkers' schedules.
#include "behaviours/qc_bot_blink.h"
#include "behaviours/qc_bot_lazy_blinker.h"
#include "behaviours/qc_bot_switch.h"
#include "engine/platform/qc_random.h"
#include "tests/behaviours/bot_test_kit.h"
#include "tests/kit/log_capture.h"

#include <vector>

using namespace QOR;

namespace {

class SwitchAndBlink : public bot_test::BotTest {};

std::uint32_t Alpha(const QS_VERTEX_ARRAY& va) { return va.fGetColor() >> 24; }

TEST_F(SwitchAndBlink, SwitchTurnedRoundHalfWayReturnsInTheTimeItHadSpent) {
  QS_TRANSFORM3 first;
  QS_TRANSFORM3 second;
  second.fSetPosition(80.0f, 0.0f, 0.0f);
  second.fSetRotation(0.0f, 0.0f, 1.0f);
  second.fSetScale(2.0f, 2.0f, 1.0f);
  QS_TRANSFORM3 target;
  QC_BOT_SWITCH bot(&target, 1.0f, first, second, 0.0f);
  // At rest: update level 0, steps change nothing.
  EXPECT_EQ(bot.fGetUpdateLevel(), 0);
  target.fSetPosition(5.0f, 0.0f, 0.0f);
  EXPECT_EQ(bot.fUpdate(), 0);
  EXPECT_EQ(target._position.x, 5.0f);
  target.fSetPosition(0.0f, 0.0f, 0.0f);

  bot.fSwitchTo(true);
  EXPECT_EQ(bot.fGetUpdateLevel(), 1);
  for (int step = 0; step < 4; ++step) ASSERT_EQ(bot.fUpdate(), 0);
  EXPECT_FLOAT_EQ(target._position.x, 40.0f);
  EXPECT_FLOAT_EQ(target._scale.x, 1.5f);

  bot.fToggle();  // back to the first state, over the half second already spent
  EXPECT_FALSE(bot.isHeadingForSecond());
  bot.fUpdate();
  bot.fUpdate();
  EXPECT_FLOAT_EQ(target._position.x, 20.0f);
  EXPECT_FLOAT_EQ(target._rotation.z, 0.25f);
  bot.fUpdate();
  EXPECT_TRUE(bot.isRunning());
  bot.fUpdate();
  EXPECT_FALSE(bot.isRunning());
  EXPECT_EQ(target._position, first._position);
  EXPECT_EQ(target._rotation, first._rotation);
  EXPECT_EQ(target._scale, first._scale);

  // From rest the whole duration again: eight steps, landing exactly on the second state.
  bot.fSwitchTo(true);
  for (int step = 0; step < 7; ++step) bot.fUpdate();
  EXPECT_TRUE(bot.isRunning());
  bot.fUpdate();
  EXPECT_FALSE(bot.isRunning());
  EXPECT_EQ(target._position, second._position);
  EXPECT_EQ(target._scale, second._scale);
}

TEST_F(SwitchAndBlink, PulseBlinksInSeriesPausesBetweenThemAndEndsOpaque) {
  qor_test::LogCapture log;
  QC_RANDOM random(12345);
  QS_VERTEX_ARRAY va;
  va.fAllocate(4);
  va.fSetColor(0xFF336699u);
  // Period 0.25 (two steps), series of 2 pulses, pause 0.5, endless.
  QC_BOT_BLINK_PULSE endless(&va, 0, 256, 0.25f, 0.25f, 2, 0.5f, true, 0.0f, 0.0f);
  std::vector<int> pulses;
  for (int step = 1; step <= 22; ++step) {
    const std::uint32_t before = random.fGetState();
    ASSERT_EQ(endless.fUpdate(), 0);
    if (random.fGetState() != before) pulses.push_back(step);
    EXPECT_EQ(va.fGetColor() & 0x00FFFFFFu, 0x336699u) << "only the alpha changes";
  }
  EXPECT_EQ(pulses, (std::vector<int>{3, 5, 11, 13, 19, 21}));

  // With a lifetime and not endless: ends when the lifetime is used up, the pause counting too.
  QC_BOT_BLINK_PULSE mortal(&va, 0, 256, 0.25f, 0.25f, 2, 0.5f, false, 1.0f, 0.0f);
  EXPECT_EQ(bot_test::StepsToFinish(mortal, 100), 9);
  EXPECT_EQ(va.fGetColor(), 0xFF336699u);
  EXPECT_TRUE(log.hasLine("QC_BOT_BLINK_PULSE killed"));

  // Equal alphas always give that alpha; count 0 blinks on whatever its lifetime.
  QC_BOT_BLINK_PULSE steady(&va, 100, 100, 0.125f, 0.25f, 0, 0.0f, false, 0.1f, 0.0f);
  for (int step = 0; step < 40; ++step) {
    ASSERT_EQ(steady.fUpdate(), 0);
    if (step >= 2) {
      EXPECT_EQ(Alpha(va), 100u);
    }
  }
}

TEST_F(SwitchAndBlink, AnalogBlinkGlidesToEachNewAlpha) {
  QC_RANDOM random(7);
  QS_VERTEX_ARRAY va;
  va.fAllocate(4);
  va.fSetColor(0xC8102030u);  // alpha 200
  QC_BOT_BLINK_ANALOG glide(&va, 100, 100, 0.5f, 0.5f, 0, 0.0f, true, 0.0f, 0.0f);
  std::vector<std::uint32_t> alphas;
  for (int step = 0; step < 6; ++step) {
    ASSERT_EQ(glide.fUpdate(), 0);
    alphas.push_back(Alpha(va));
  }
  EXPECT_EQ(alphas, (std::vector<std::uint32_t>{175, 150, 125, 100, 100, 100}));
  EXPECT_EQ(va.fGetColor() & 0x00FFFFFFu, 0x102030u);
}

TEST_F(SwitchAndBlink, LazyBlinkerRestsUntilStartedFadesHoldsAndFlips) {
  QS_VERTEX_ARRAY va;
  va.fAllocate(4);
  va.fSetColor(0xFF00FF00u);
  QC_BOT_LAZY_BLINKER blinker(&va, true, 0.5f, 0.25f);
  for (int step = 0; step < 5; ++step) blinker.fUpdate();
  EXPECT_EQ(va.fGetColor(), 0xFF00FF00u) << "rests until started";

  blinker.fStartOnce(0.0f);
  std::vector<std::uint32_t> alphas;
  for (int step = 0; step < 10; ++step) {
    blinker.fUpdate();
    alphas.push_back(Alpha(va));
  }
  // Fade over four steps (the last lands on alpha 0), hold two, flip, then rest hidden.
  EXPECT_EQ(alphas, (std::vector<std::uint32_t>{255, 191, 128, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(va.fGetColor() & 0x00FFFFFFu, 0x00FF00u);
  EXPECT_FALSE(blinker.isHidden());

  // Shown again after a delay; endless blinking keeps changing the alpha.
  blinker.fSetState(false, 0.25f);
  for (int step = 0; step < 6; ++step) blinker.fUpdate();
  EXPECT_EQ(Alpha(va), 255u);
  blinker.fStart(0, 0.0f);
  int changes = 0;
  std::uint32_t last = Alpha(va);
  for (int step = 0; step < 60; ++step) {
    blinker.fUpdate();
    if (Alpha(va) != last) ++changes;
    last = Alpha(va);
  }
  EXPECT_GT(changes, 10);
}

}  // namespace
