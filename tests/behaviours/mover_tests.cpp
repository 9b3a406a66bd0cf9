// Timed movers: how duration and speed settle each other, where each mover lands, and the end
// callback attached while a delay runs.
#include "behaviours/qc_bot_change_float.h"
#include "behaviours/qc_bot_move.h"
#include "behaviours/qc_bot_rotate.h"
#include "behaviours/qc_bot_scale.h"
#include "tests/behaviours/bot_test_kit.h"
#include "tests/kit/log_capture.h"

#include <algorithm>

using namespace QOR;

namespace {

class Movers : public bot_test::BotTest {};

// From (0, 0, 0) to (30, 40, 0): length 50.
struct MoveCase {
  float duration;
  float speed;
  int movingSteps;        // steps that move before the landing step
  QS_VEC3 afterLoop;       // position after the first min(movingSteps, 8) steps
};

TEST_F(Movers, MoveSettlesDurationAndSpeedAndLandsExactlyOnItsEnd) {
  const MoveCase cases[] = {
      {0.0f, 0.0f, 8, QS_VEC3(30.0f, 40.0f, 0.0f)},    // neither: one second
      {2.0f, 0.0f, 16, QS_VEC3(15.0f, 20.0f, 0.0f)},   // duration: speed 25
      {0.0f, 100.0f, 4, QS_VEC3(30.0f, 40.0f, 0.0f)},  // speed: half a second, then landed
      {1.0f, 100.0f, 8, QS_VEC3(60.0f, 80.0f, 0.0f)},  // both: 100 per second for a second
  };
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "duration " << c.duration << " speed " << c.speed);
    qor_test::LogCapture log;
    QS_TRANSFORM3 target;
    QC_BOT_MOVE move(&target, c.duration, c.speed, 30.0f, 40.0f, 0.0f, 0.0f);
    for (int step = 1; step <= 8 && step <= c.movingSteps; ++step) ASSERT_EQ(move.fUpdate(), 0);
    EXPECT_NEAR(target._position.x, c.afterLoop.x, 1e-4);
    EXPECT_NEAR(target._position.y, c.afterLoop.y, 1e-4);
    EXPECT_EQ(bot_test::StepsToFinish(move, 100), c.movingSteps - std::min(c.movingSteps, 8) + 1);
    EXPECT_EQ(target._position, QS_VEC3(30.0f, 40.0f, 0.0f));
    EXPECT_TRUE(log.hasLine("BOT_SELF_DESTROY"));
  }
}

TEST_F(Movers, MoveKeepsACallbackAttachedWhileItsDelayRuns) {
  QS_TRANSFORM3 target;
  target.fSetPosition(10.0f, 0.0f, 0.0f);
  bot_test::CountingCallback callback;
  QC_BOT_MOVE move(&target, 0.5f, 0.0f, 20.0f, 0.0f, 0.0f, 0.25f);
  ASSERT_EQ(move.fUpdate(), 0);
  callback.AttachTo(move);  // during the delay, before the set-up
  // The target moves during the delay; the start is taken when the delay ends.
  target.fSetPosition(0.0f, 0.0f, 0.0f);
  ASSERT_EQ(move.fUpdate(), 0);
  EXPECT_EQ(target._position.x, 0.0f);
  ASSERT_EQ(move.fUpdate(), 0);
  EXPECT_FLOAT_EQ(target._position.x, 5.0f);  // 20 over half a second
  EXPECT_EQ(bot_test::StepsToFinish(move, 10), 4);
  EXPECT_EQ(target._position.x, 20.0f);
  EXPECT_EQ(callback.count, 1);
}

TEST_F(Movers, TurnersUseAUnitDirectionOnlyWhenTheyComputedDurationOrSpeed) {
  qor_test::LogCapture log;
  // Neither given: the turn of 2 takes one second, ending where the last step left it.
  QS_TRANSFORM3 a;
  a.fSetRotation(0.0f, 0.0f, 1.0f);
  QC_BOT_ROTATE_TO to(&a, 0.0f, 0.0f, 0.0f, 0.0f, 3.0f, 0.0f);
  EXPECT_EQ(bot_test::StepsToFinish(to, 100), 9);
  EXPECT_FLOAT_EQ(a._rotation.z, 3.0f);
  EXPECT_TRUE(log.hasLine("BOT_ROTATE_SELF_DESTROY"));
  // Both given: the turn itself times the speed, 2 * 2 per second, with no snap to the goal.
  QS_TRANSFORM3 b;
  b.fSetRotation(0.0f, 0.0f, 1.0f);
  QC_BOT_ROTATE_TO both(&b, 1.0f, 2.0f, 0.0f, 0.0f, 3.0f, 0.0f);
  EXPECT_EQ(bot_test::StepsToFinish(both, 100), 9);
  EXPECT_FLOAT_EQ(b._rotation.z, 5.0f);
  // Turning on by a whole turn after a delay that only waits.
  QS_TRANSFORM3 c;
  bot_test::CountingCallback callback;
  QC_BOT_ROTATE_ON on(&c, 0.5f, 0.0f, 0.0f, 0.0f, -1.0f, 0.25f);
  callback.AttachTo(on);
  EXPECT_EQ(bot_test::StepsToFinish(on, 100), 7);
  EXPECT_FLOAT_EQ(c._rotation.z, -1.0f);
  EXPECT_EQ(callback.count, 1);
  EXPECT_TRUE(log.hasLine("BOT_ROTATE_SELF_DESTROY "));
}

TEST_F(Movers, ScaleSetsUpAgainAfterItsDelayAndLandsOnTheEndScale) {
  // Neither given: the difference unchanged at speed 1 for one second.
  QS_TRANSFORM3 a;
  QC_BOT_SCALE grow(&a, 0.0f, 0.0f, 3.0f, 1.0f, 1.0f, 0.0f);
  for (int step = 0; step < 4; ++step) grow.fUpdate();
  EXPECT_FLOAT_EQ(a._scale.x, 2.0f);
  EXPECT_EQ(bot_test::StepsToFinish(grow, 100), 5);
  EXPECT_EQ(a._scale, QS_VEC3(3.0f, 1.0f, 1.0f));
  // Duration only, after a delay during which the scale changed: the way is taken from there.
  QS_TRANSFORM3 b;
  QC_BOT_SCALE later(&b, 0.5f, 0.0f, 3.0f, 1.0f, 1.0f, 0.25f);
  later.fUpdate();
  b.fSetScale(2.0f, 1.0f, 1.0f);
  later.fUpdate();
  later.fUpdate();
  later.fUpdate();
  EXPECT_FLOAT_EQ(b._scale.x, 2.5f);  // 1 over half a second
  EXPECT_EQ(bot_test::StepsToFinish(later, 100), 3);
  EXPECT_EQ(b._scale, QS_VEC3(3.0f, 1.0f, 1.0f));
}

TEST_F(Movers, ChangeFloatAndMoveOnRunTheirTimeAndStop) {
  qor_test::LogCapture log;
  float value = 1.0f;
  bot_test::CountingCallback callback;
  QC_BOT_CHANGE_FLOAT change(&value, -6.0f, 0.5f, 0.0f, 0.0f);
  callback.AttachTo(change);
  EXPECT_EQ(bot_test::StepsToFinish(change, 100), 5);
  EXPECT_FLOAT_EQ(value, -5.0f);
  EXPECT_EQ(callback.count, 1);
  EXPECT_TRUE(log.hasLine("QC_BOT_CHANGE_FLOAT killed"));
  // Neither duration nor speed: the amount over one second.
  QC_BOT_CHANGE_FLOAT whole(&value, 10.0f, 0.0f, 0.0f, 0.0f);
  EXPECT_EQ(bot_test::StepsToFinish(whole, 100), 9);
  EXPECT_FLOAT_EQ(value, 5.0f);

  // The duration is counted down before each move: three moves in half a second.
  QS_TRANSFORM3 target;
  QC_BOT_MOVE_ON on(&target, 0.5f, 0.0f, 8.0f, -16.0f, 0.0f, 7u);
  EXPECT_TRUE(on.isName("nonamed"));
  EXPECT_EQ(on.fGetRenderLevel(), 1);
  EXPECT_EQ(on.fGetZ(), 0.0f);
  EXPECT_EQ(bot_test::StepsToFinish(on, 100), 4);
  EXPECT_EQ(target._position, QS_VEC3(3.0f, -6.0f, 0.0f));
}

}  // namespace
