// Movers along Bezier curves: the path they follow, which of them lands exactly on its end point,
// and that their steps add up with other motion of the same target.
#include "behaviours/qc_bot_move_bezier.h"
#include "tests/behaviours/bot_test_kit.h"
#include "tests/kit/log_capture.h"

#include <vector>

using namespace QOR;

namespace {

class Curves : public bot_test::BotTest {};

TEST_F(Curves, ControlPointListIsFollowedFromTheStartThroughThePointsToTheEnd) {
  qor_test::LogCapture log;
  QS_TRANSFORM3 target;
  bot_test::CountingCallback callback;
  const std::vector<QS_VEC3> points = {QS_VEC3(0.0f, 100.0f, 0.0f), QS_VEC3(100.0f, 100.0f, 0.0f)};
  QC_BOT_MOVE_BEZIER move(&target, points, QS_VEC3(100.0f, 0.0f, 0.0f), 1.0f, 0.0f, 0.0f);
  callback.AttachTo(move);
  for (int step = 0; step < 4; ++step) ASSERT_EQ(move.fUpdate(), 0);
  // The cubic through (0,0) (0,100) (100,100) (100,0) at one half.
  EXPECT_NEAR(target._position.x, 50.0f, 1e-3);
  EXPECT_NEAR(target._position.y, 75.0f, 1e-3);
  EXPECT_EQ(bot_test::StepsToFinish(move, 100), 5);
  EXPECT_NEAR(target._position.x, 100.0f, 1e-3);
  EXPECT_NEAR(target._position.y, 0.0f, 1e-3);
  EXPECT_EQ(callback.count, 1);
  EXPECT_TRUE(log.hasLine("QC_BOT_MOVE_BEZIER killed"));
}

TEST_F(Curves, OnlyTheQuadraticMoverSnapsToItsEndWhenItsTargetWasPushed) {
  qor_test::LogCapture log;
  // Same start, control and end for both; each target is pushed up by 10 half-way.
  QS_TRANSFORM3 quadTarget;
  QS_TRANSFORM3 cubeTarget;
  const QS_VEC3 control(50.0f, 100.0f, 0.0f);
  const QS_VEC3 end(100.0f, 0.0f, 0.0f);
  QC_BOT_MOVE_QUADBEZIER quad(&quadTarget, control, end, 1.0f, 0.0f, 0.0f);
  QC_BOT_MOVE_CUBEBEZIER cube(&cubeTarget, control, control, end, 1.0f, 0.0f, 0.0f);
  for (int step = 0; step < 4; ++step) {
    ASSERT_EQ(quad.fUpdate(), 0);
    ASSERT_EQ(cube.fUpdate(), 0);
  }
  EXPECT_NEAR(quadTarget._position.x, 50.0f, 1e-3);
  EXPECT_NEAR(quadTarget._position.y, 50.0f, 1e-3);
  quadTarget.fAddPosition(0.0f, 10.0f, 0.0f);
  cubeTarget.fAddPosition(0.0f, 10.0f, 0.0f);
  EXPECT_EQ(bot_test::StepsToFinish(quad, 100), 5);
  EXPECT_EQ(bot_test::StepsToFinish(cube, 100), 5);
  EXPECT_EQ(quadTarget._position, end) << "the quadratic mover lands exactly";
  EXPECT_NEAR(cubeTarget._position.x, 100.0f, 1e-3);
  EXPECT_NEAR(cubeTarget._position.y, 10.0f, 1e-3) << "the cubic mover keeps the push";
  EXPECT_TRUE(log.hasLine("QC_BOT_MOVE_QUADBEZIER killed"));
  EXPECT_TRUE(log.hasLine("QC_BOT_MOVE_CUBEBEZIER killed"));
}

TEST_F(Curves, SpeedSetsTheDurationOverTheStraightDistanceAndTheDelayTakesTheStartLate) {
  QS_TRANSFORM3 target;
  target.fSetPosition(-40.0f, 0.0f, 0.0f);
  // 100 per second over the straight 40 from where the target is when the delay ends.
  QC_BOT_MOVE_QUADBEZIER quad(&target, QS_VEC3(20.0f, 40.0f, 0.0f), QS_VEC3(40.0f, 0.0f, 0.0f), 0.0f, 100.0f, 0.125f);
  target.fSetPosition(0.0f, 0.0f, 0.0f);
  ASSERT_EQ(quad.fUpdate(), 0);  // the delay ends, the start is (0, 0)
  EXPECT_EQ(target._position, QS_VEC3(0.0f, 0.0f, 0.0f));
  // Duration 0.4: moves at remaining 0.4, 0.275, 0.15, 0.025, then lands.
  EXPECT_EQ(bot_test::StepsToFinish(quad, 100), 5);
  EXPECT_EQ(target._position, QS_VEC3(40.0f, 0.0f, 0.0f));
}

}  // namespace
