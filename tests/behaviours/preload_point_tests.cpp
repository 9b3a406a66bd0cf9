// The preload object's progress through its names and its end callback, and the point list's
// polygon operations.
#include "behaviours/qc_point_list.h"
#include "behaviours/qc_preload.h"
#include "engine/objects/qc_message_arg.h"
#include "gui/widgets/qc_base_progress.h"
#include "tests/behaviours/bot_test_kit.h"

#include <cmath>
#include <string>
#include <vector>

using namespace QOR;

namespace {

// A progress display that only counts its redraws.
class CountingProgress : public QC_BASEPROGRESS {
 public:
  CountingProgress() : QC_BASEPROGRESS(7) {}
  void fRefresh() override { ++refreshes; }
  int refreshes = 0;
};

class Preload : public bot_test::BotTest {};

TEST_F(Preload, ThreeNamesTakeThreeStepsAndTheCallbackFiresOnceInTheLast) {
  CountingProgress progress;
  bot_test::CountingCallback done;
  QC_PRELOAD preload({"data/a.png", "data/b.png", "data/c.png"}, &progress);
  preload.fSetEndCallback(done.record.get());
  EXPECT_EQ(progress.fGetMin(), 0.0f);
  EXPECT_EQ(progress.fGetMax(), 3.0f);
  ASSERT_NE(preload.fGetLoader(), nullptr);

  for (int step = 1; step <= 2; ++step) {
    EXPECT_EQ(preload.fUpdate(), 1);
    EXPECT_EQ(preload.fGetIndex(), static_cast<std::uint32_t>(step));
    EXPECT_EQ(progress.fGetValue(), static_cast<float>(step));
    EXPECT_EQ(done.count, 0);
    EXPECT_FALSE(preload.isFinished());
  }
  EXPECT_EQ(preload.fUpdate(), 1);
  EXPECT_EQ(done.count, 1);
  EXPECT_TRUE(preload.isFinished());
  EXPECT_EQ(progress.fGetValue(), 3.0f);
  EXPECT_TRUE(progress.isFull());

  const int refreshes = progress.refreshes;
  EXPECT_EQ(preload.fUpdate(), 1);
  EXPECT_EQ(preload.fGetIndex(), 3u);
  EXPECT_EQ(done.count, 1);
  EXPECT_EQ(progress.refreshes, refreshes);
}

TEST_F(Preload, AnEmptyListFinishesOnTheFirstStepWithoutAName) {
  bot_test::CountingCallback done;
  QC_PRELOAD preload({}, nullptr);
  preload.fSetEndCallback(done.record.get());
  EXPECT_EQ(preload.fUpdate(), 1);
  EXPECT_EQ(done.count, 1);
  EXPECT_EQ(preload.fGetIndex(), 0u);
  EXPECT_TRUE(preload.isFinished());
  EXPECT_EQ(preload.fUpdate(), 1);
  EXPECT_EQ(done.count, 1);
}

TEST_F(Preload, MessagesMoveAndDrawTheDisplayAndOthersAreAnsweredOne) {
  CountingProgress progress;
  QC_PRELOAD preload({"x"}, &progress);
  EXPECT_EQ(preload.fMessage(QC_BASE::kMessageMoveDisplay, fFloatToArg(12.5f), fFloatToArg(-3.0f), 0, 0), 1);
  EXPECT_EQ(progress.fGetTransform()->_position, QS_VEC3(12.5f, -3.0f, 0.0f));
  EXPECT_EQ(preload.fMessage(QC_BASE::kMessageRenderPass, 0, 0, 0, 0), 1);
  EXPECT_EQ(preload.fMessage(99, 0, 0, 0, 0), 1);
  EXPECT_EQ(preload.fGetIndex(), 0u);
  // Without a display the same messages do nothing.
  QC_PRELOAD bare({"x"}, nullptr);
  EXPECT_EQ(bare.fMessage(QC_BASE::kMessageMoveDisplay, 0, 0, 0, 0), 1);
  EXPECT_EQ(bare.fMessage(QC_BASE::kMessageRenderPass, 0, 0, 0, 0), 1);
}

QC_POINT_LIST Square(float side) {
  QC_POINT_LIST list;
  EXPECT_EQ(list.fAddPoint(QS_VEC2(0.0f, 0.0f)), 1);
  list.fAddPoint(QS_VEC2(side, 0.0f));
  list.fAddPoint(QS_VEC2(side, side));
  EXPECT_EQ(list.fAddPoint(QS_VEC2(0.0f, side)), 4);
  return list;
}

TEST(PointList, ASquareContainsItsInsideAndFollowsAMove) {
  QC_POINT_LIST square = Square(10.0f);
  EXPECT_TRUE(square.isInside(5.0f, 5.0f));
  EXPECT_FALSE(square.isInside(15.0f, 5.0f));
  EXPECT_FALSE(square.isInside(5.0f, -1.0f));
  square.fMove(10.0f, 0.0f);
  EXPECT_TRUE(square.isInside(15.0f, 5.0f));
  EXPECT_FALSE(square.isInside(5.0f, 5.0f));
  // Fewer than three points enclose nothing.
  QC_POINT_LIST line;
  line.fAddPoint(QS_VEC2(0.0f, 0.0f));
  line.fAddPoint(QS_VEC2(10.0f, 10.0f));
  EXPECT_FALSE(line.isInside(5.0f, 5.0f));
}

TEST(PointList, AConcaveOutlineUsesItsClosingEdge) {
  // An L: the notch at the top right is outside.
  QC_POINT_LIST l;
  for (const QS_VEC2& p : {QS_VEC2(0, 0), QS_VEC2(4, 0), QS_VEC2(4, 2), QS_VEC2(2, 2), QS_VEC2(2, 4), QS_VEC2(0, 4)}) {
    l.fAddPoint(p);
  }
  EXPECT_TRUE(l.isInside(1.0f, 3.0f));
  EXPECT_TRUE(l.isInside(3.0f, 1.0f));
  EXPECT_FALSE(l.isInside(3.0f, 3.0f));
}

TEST(PointList, RotationAboutTheCentreKeepsTheSquareAndTurnsAThinBar) {
  // A bar along x turned a quarter about its centre lies along y.
  QC_POINT_LIST bar;
  bar.fAddPoint(QS_VEC2(-10.0f, -1.0f));
  bar.fAddPoint(QS_VEC2(10.0f, -1.0f));
  bar.fAddPoint(QS_VEC2(10.0f, 1.0f));
  bar.fAddPoint(QS_VEC2(-10.0f, 1.0f));
  EXPECT_TRUE(bar.isInside(8.0f, 0.0f));
  bar.fRotate(0.0f, 0.0f, 1.5707964f);
  EXPECT_FALSE(bar.isInside(8.0f, 0.0f));
  EXPECT_TRUE(bar.isInside(0.0f, 8.0f));
  for (const QS_VEC2& p : bar.fGetPoints()) {
    EXPECT_NEAR(std::fabs(p.x), 1.0f, 1e-4f);
    EXPECT_NEAR(std::fabs(p.y), 10.0f, 1e-4f);
  }
}

TEST(PointList, ToLocalTakesEveryPointIntoTheFrame) {
  QS_TRANSFORM3 frame;
  frame.fSetPosition(100.0f, 50.0f, 0.0f);
  frame.fSetAngle(0.5f);
  frame.fSetScale(2.0f, 2.0f, 1.0f);
  QC_POINT_LIST list = Square(10.0f);
  list.fAddPoint(QS_VEC2(-7.0f, 3.0f));
  const std::vector<QS_VEC2> before = list.fGetPoints();
  list.fToLocal(frame);
  ASSERT_EQ(list.fGetCount(), 5);
  for (int i = 0; i < 5; ++i) {
    float x = before[i].x;
    float y = before[i].y;
    QS_TRANSFORM3::fToLocal(x, y, frame);
    EXPECT_EQ(list.fGetPoints()[i].x, x) << i;
    EXPECT_EQ(list.fGetPoints()[i].y, y) << i;
  }
}

}  // namespace
