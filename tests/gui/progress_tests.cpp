// Progress widgets: the value model at and beyond its ends, the bar's filled part, the animation
// bar's frame, the one-shot filled callback, and bad sizes and ranges.
#include "gui/widgets/qc_gui_animation_bar.h"
#include "gui/widgets/qc_gui_progress_bar.h"
#include "tests/gui/gui_test_kit.h"

#include <cmath>
#include <limits>

using namespace QOR;
using gui_test::WidgetTest;

namespace {

int gFilled = 0;
std::uintptr_t gFilledBy = 0;
int onFilled(std::uintptr_t widget) {
  ++gFilled;
  gFilledBy = widget;
  return 0;
}

class Progress : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    gFilled = 0;
    gFilledBy = 0;
  }
  // Column and row of the cell a sprite shows on a columns x rows sheet.
  static void cellOf(const QC_SPRITE* sprite, int columns, int rows, int& column, int& row) {
    column = static_cast<int>(std::lround(sprite->fGetVertex(0)->u * static_cast<float>(columns)));
    row = static_cast<int>(std::lround(sprite->fGetVertex(0)->v * static_cast<float>(rows)));
  }
};

TEST_F(Progress, ValuesClampToTheRangeAndPercentFollowsTheFraction) {
  QC_GUI_PROGRESS_BAR bar(1, texture(200, 10));
  bar.fSetValue(150.0f);
  EXPECT_FLOAT_EQ(bar.fGetValue(), 100.0f);
  EXPECT_FLOAT_EQ(bar.fGetPercent(), 100.0f);
  EXPECT_TRUE(bar.isFull());
  bar.fSetValue(-5.0f);
  EXPECT_FLOAT_EQ(bar.fGetValue(), 0.0f);
  EXPECT_FLOAT_EQ(bar.fGetPercent(), 0.0f);
  EXPECT_FALSE(bar.isFull());

  bar.fSetRange(20.0f, 120.0f);
  bar.fSetValue(70.0f);
  EXPECT_FLOAT_EQ(bar.fGetFraction(), 0.5f);
  bar.fSetPercent(50.0f);
  EXPECT_FLOAT_EQ(bar.fGetValue(), 70.0f);
  bar.fSetPercent(250.0f);
  EXPECT_FLOAT_EQ(bar.fGetFraction(), 1.0f);
  EXPECT_FLOAT_EQ(bar.fGetValue(), 120.0f);
  bar.fSetPercent(-30.0f);
  EXPECT_FLOAT_EQ(bar.fGetValue(), 20.0f);
  bar.fAddPercent(25.0f);
  EXPECT_FLOAT_EQ(bar.fGetValue(), 45.0f);
  bar.fAddValue(1000.0f);
  EXPECT_FLOAT_EQ(bar.fGetValue(), 120.0f);
  EXPECT_FLOAT_EQ(bar.fGetMin(), 20.0f);
  EXPECT_FLOAT_EQ(bar.fGetMax(), 120.0f);
}

TEST_F(Progress, EmptyRangesAndNotANumberGiveAClampedDisplay) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  QC_GUI_PROGRESS_BAR bar(1, texture(200, 10));
  bar.fSetRange(50.0f, 50.0f);
  bar.fSetValue(80.0f);
  EXPECT_FLOAT_EQ(bar.fGetValue(), 50.0f);
  EXPECT_FLOAT_EQ(bar.fGetPercent(), 0.0f);
  EXPECT_FLOAT_EQ(bar.fGetFilledPart()->fGetWidth(), 0.0f);
  bar.fSetRange(0.0f, 100.0f);
  bar.fSetValue(nan);
  EXPECT_FLOAT_EQ(bar.fGetValue(), 0.0f);
  EXPECT_FLOAT_EQ(bar.fGetPercent(), 0.0f);
  bar.fSetPercent(nan);
  EXPECT_FLOAT_EQ(bar.fGetPercent(), 0.0f);
  EXPECT_FLOAT_EQ(bar.fGetValue(), 0.0f);
  bar.fSetPercent(std::numeric_limits<float>::infinity());
  EXPECT_FLOAT_EQ(bar.fGetPercent(), 100.0f);
  EXPECT_FLOAT_EQ(bar.fGetFilledPart()->fGetWidth(), 100.0f);
}

TEST_F(Progress, FilledPartGrowsFromTheLeftEdgeOverTheFullHalf) {
  QC_GUI_PROGRESS_BAR bar(1, texture(301, 12));
  EXPECT_FLOAT_EQ(bar.fGetSize().x, 150.0f);
  EXPECT_FLOAT_EQ(bar.fGetSize().y, 12.0f);
  EXPECT_FLOAT_EQ(bar.fGetBackground()->fGetWidth(), 150.0f);
  EXPECT_FLOAT_EQ(bar.fGetBackground()->fGetVertex(1)->u, 0.5f);  // the empty half
  EXPECT_FLOAT_EQ(bar.fGetFilledPart()->fGetWidth(), 0.0f);
  bar.fSetPosition(400.0f, 300.0f, 0.0f);
  bar.fSetPercent(50.0f);
  const QC_SPRITE* filled = bar.fGetFilledPart();
  EXPECT_FLOAT_EQ(filled->fGetWidth(), 75.0f);
  EXPECT_FLOAT_EQ(filled->fGetVertex(0)->u, 0.5f);
  EXPECT_FLOAT_EQ(filled->fGetVertex(1)->u, 0.75f);
  // Both parts start at the bar's left edge, 75 pixels left of its centre.
  const QS_TRANSFORM3 world = filled->fGetTransform()->fGetWorld(false, false, false);
  EXPECT_FLOAT_EQ(world._position.x - world._pivot.x, 325.0f);
  EXPECT_FLOAT_EQ(400.0f - bar.fGetBackground()->fGetTransform()->_pivot.x, 325.0f);

  bar.fSetSize(100, 8);
  EXPECT_FLOAT_EQ(bar.fGetSize().x, 100.0f);
  EXPECT_FLOAT_EQ(bar.fGetFilledPart()->fGetWidth(), 50.0f);
  EXPECT_FLOAT_EQ(bar.fGetFilledPart()->fGetHeight(), 8.0f);
}

TEST_F(Progress, FilledCallbackFiresOnceEachTimeTheBarBecomesFull) {
  QC_GUI_PROGRESS_BAR bar(4, texture(200, 10));
  bar.fSetFilledCallback(fCreateCallback(&onFilled));
  for (float p : {100.0f, 100.0f, 50.0f, 100.0f}) bar.fSetPercent(p);
  EXPECT_EQ(gFilled, 2);
  EXPECT_EQ(reinterpret_cast<QC_GUI_OBJECT*>(gFilledBy), &bar);

  QC_GUI_ANIMATION_BAR anim(5, texture(100, 140), 5, 7, 33);
  anim.fSetFilledCallback(fCreateCallback(&onFilled));
  gFilled = 0;
  anim.fSetValue(100.0f);
  anim.fSetValue(200.0f);
  anim.fSetValue(10.0f);
  anim.fSetValue(100.0f);
  EXPECT_EQ(gFilled, 2);
}

TEST_F(Progress, AnimationBarShowsTheFrameOfTheFraction) {
  QC_GUI_ANIMATION_BAR anim(5, texture(100, 140), 5, 7, 33);
  EXPECT_FLOAT_EQ(anim.fGetSize().x, 20.0f);
  EXPECT_FLOAT_EQ(anim.fGetSize().y, 20.0f);
  EXPECT_FLOAT_EQ(anim.fGetWidth(), 20.0f);
  int column = -1;
  int row = -1;
  anim.fSetPercent(50.0f);
  EXPECT_EQ(anim.fGetFrame(), 16);
  cellOf(anim.fGetSprite(), 5, 7, column, row);
  EXPECT_EQ(column, 1);
  EXPECT_EQ(row, 3);
  anim.fSetPercent(99.0f);
  EXPECT_EQ(anim.fGetFrame(), 31);
  anim.fSetPercent(100.0f);
  EXPECT_EQ(anim.fGetFrame(), 32);
  cellOf(anim.fGetSprite(), 5, 7, column, row);
  EXPECT_EQ(column, 2);
  EXPECT_EQ(row, 6);
  anim.fSetSize(40, 30);
  EXPECT_FLOAT_EQ(anim.fGetHeight(), 30.0f);
  EXPECT_EQ(anim.fGetFrame(), 32);
}

TEST_F(Progress, BadSheetGridsAreClampedInsteadOfDividingByZero) {
  QC_GUI_ANIMATION_BAR noGrid(1, texture(64, 32), 0, 0, 0);
  EXPECT_FLOAT_EQ(noGrid.fGetSize().x, 64.0f);
  noGrid.fSetPercent(100.0f);
  EXPECT_EQ(noGrid.fGetFrame(), 0);

  QC_GUI_ANIMATION_BAR tooMany(2, texture(64, 32), 2, 2, 50);  // four cells, fifty frames asked
  tooMany.fSetPercent(100.0f);
  EXPECT_EQ(tooMany.fGetFrame(), 3);
  int column = -1;
  int row = -1;
  cellOf(tooMany.fGetSprite(), 2, 2, column, row);
  EXPECT_EQ(column, 1);
  EXPECT_EQ(row, 1);

  QC_GUI_ANIMATION_BAR negative(3, texture(64, 32), -4, 3, 6);
  negative.fSetPercent(100.0f);
  EXPECT_EQ(negative.fGetFrame(), 2);  // one column of three rows
  QC_GUI_ANIMATION_BAR noTexture(4, nullptr, 5, 7, 33);
  noTexture.fSetPercent(50.0f);
  EXPECT_FLOAT_EQ(noTexture.fGetSize().x, 0.0f);
}

}  // namespace
