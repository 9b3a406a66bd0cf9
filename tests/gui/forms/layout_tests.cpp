// Rows and columns: even and offset spacing, the run from the far edge, alignment across the run,
// turned and invisible children, refusals, removal and the size floor.
#include "gui/widgets/qc_gui_hbox_layout.h"
#include "gui/widgets/qc_gui_vbox_layout.h"
#include "tests/kit/log_capture.h"

#include <gtest/gtest.h>

#include <numbers>

using namespace QOR;

namespace {

// A child of a fixed size.
class Block : public QC_GUI_OBJECT {
 public:
  Block(float w, float h) : QC_GUI_OBJECT(0), _w(w), _h(h) {}
  float fGetWidth() override { return _w; }
  float fGetHeight() override { return _h; }

 private:
  float _w;
  float _h;
};

std::vector<float> xs(const QC_GUI_LAYOUT& layout) {
  std::vector<float> out;
  for (const QC_GUI_OBJECT* c : layout.fGetChildren()) out.push_back(c->fGetPosition().x);
  return out;
}

std::vector<float> ys(const QC_GUI_LAYOUT& layout) {
  std::vector<float> out;
  for (const QC_GUI_OBJECT* c : layout.fGetChildren()) out.push_back(c->fGetPosition().y);
  return out;
}

TEST(Layouts, RowSharesTheFreeSpaceEvenlyAndRunsFromTheRightWhenAnchoredThere) {
  QC_GUI_HBOX_LAYOUT row(1, 300.0f, 100.0f, true, 0);
  ASSERT_TRUE(row.fAppendControl(new Block(50, 20), 0, 0.0f));
  ASSERT_TRUE(row.fAppendControl(new Block(100, 20), 1, 0.0f));
  ASSERT_TRUE(row.fAppendControl(new Block(50, 20), 3, 0.0f));
  EXPECT_EQ(xs(row), (std::vector<float>{-100.0f, 0.0f, 100.0f}));
  EXPECT_EQ(ys(row), (std::vector<float>{0.0f, -40.0f, 40.0f}));  // centre, top, bottom
  EXPECT_FLOAT_EQ(row.fGetUsedWidth(), 200.0f);
  EXPECT_FLOAT_EQ(row.fGetUsedHeight(), 60.0f);  // a row sums the heights too

  QC_GUI_HBOX_LAYOUT right(2, 300.0f, 100.0f, true, 8);
  right.fAppendControl(new Block(50, 20), 0, 0.0f);
  right.fAppendControl(new Block(100, 20), 0, 0.0f);
  right.fAppendControl(new Block(50, 20), 0, 0.0f);
  EXPECT_EQ(xs(right), (std::vector<float>{100.0f, 0.0f, -100.0f}));
}

TEST(Layouts, ColumnUsesOffsetsAlignsAcrossAndRunsFromTheBottom) {
  QC_GUI_VBOX_LAYOUT column(1, 200.0f, 300.0f, false, 0);
  column.fAppendControl(new Block(40, 50), 7, 10.0f);
  column.fAppendControl(new Block(60, 50), 8, 5.0f);
  column.fAppendControl(new Block(40, 50), 0, 0.0f);
  EXPECT_EQ(ys(column), (std::vector<float>{-115.0f, -60.0f, -10.0f}));
  EXPECT_EQ(xs(column), (std::vector<float>{-80.0f, 70.0f, 0.0f}));

  QC_GUI_VBOX_LAYOUT bottom(2, 200.0f, 300.0f, false, 6);
  bottom.fAppendControl(new Block(40, 50), 0, 10.0f);
  EXPECT_EQ(ys(bottom), (std::vector<float>{115.0f}));
}

TEST(Layouts, TurnedChildCountsItsHeightAndInvisibleChildrenKeepOnlyTheirGapShare) {
  QC_GUI_HBOX_LAYOUT row(1, 300.0f, 100.0f, true, 0);
  auto* turned = new Block(80, 40);
  turned->fGetTransform()->fSetAngle(std::numbers::pi_v<float> / 2.0f);
  ASSERT_TRUE(row.fAppendControl(turned, 0, 0.0f));
  EXPECT_NEAR(row.fGetUsedWidth(), 40.0f, 1e-4);
  EXPECT_NEAR(row.fGetUsedHeight(), 80.0f, 1e-4);

  QC_GUI_HBOX_LAYOUT hidden(2, 300.0f, 100.0f, true, 0);
  auto* ghost = new Block(100, 20);
  ghost->fSetVisible(false);
  hidden.fAppendControl(new Block(50, 20), 0, 0.0f);
  hidden.fAppendControl(ghost, 0, 0.0f);
  hidden.fAppendControl(new Block(50, 20), 0, 0.0f);
  // Gap (300 - 200) / 4 = 25; the invisible child is not placed and takes no room in the run.
  const std::vector<float> at = xs(hidden);
  EXPECT_FLOAT_EQ(at[0], -100.0f);
  EXPECT_FLOAT_EQ(at[1], 0.0f);  // never placed
  EXPECT_FLOAT_EQ(at[2], -25.0f);
}

TEST(Layouts, TooBigChildrenAreRefusedAndStayTheCallers) {
  QC_GUI_HBOX_LAYOUT row(1, 100.0f, 50.0f, true, 0);
  qor_test::LogCapture log;
  Block wide(120, 10);
  EXPECT_FALSE(row.fAppendControl(&wide, 0, 0.0f));
  EXPECT_TRUE(log.hasLine("Warning in QC_GUI_LAYOUT::fAddControl : New element too big for adding"));
  Block tall(10, 60);
  EXPECT_FALSE(row.fAppendControl(&tall, 0, 0.0f));
  Block nan(std::numeric_limits<float>::quiet_NaN(), 10);
  EXPECT_FALSE(row.fAppendControl(&nan, 0, 0.0f));
  EXPECT_TRUE(row.fGetChildren().empty());
  EXPECT_EQ(wide.fGetParent(), nullptr);
  EXPECT_FALSE(row.fAppendControl(nullptr, 0, 0.0f));

  // Each fits alone: accepted, the gap drops to 0 and the run overflows.
  row.fAppendControl(new Block(80, 10), 0, 0.0f);
  row.fAppendControl(new Block(80, 10), 0, 0.0f);
  EXPECT_EQ(xs(row), (std::vector<float>{-10.0f, 70.0f}));

  // A child of another parent is refused.
  QC_GUI_HBOX_LAYOUT other(2, 100.0f, 50.0f, true, 0);
  EXPECT_FALSE(other.fAppendControl(row.fGetChildren()[0], 0, 0.0f));
}

TEST(Layouts, InsertRemoveAndTheSizeFloor) {
  QC_GUI_HBOX_LAYOUT row(1, 300.0f, 100.0f, false, 0);
  auto* a = new Block(50, 20);
  auto* b = new Block(100, 20);
  auto* c = new Block(20, 20);
  row.fAppendControl(a, 0, 10.0f);
  row.fAppendControl(b, 0, 20.0f);
  row.fAddControl(c, 1, 0, 5.0f);  // between a and b
  EXPECT_EQ(row.fGetIndex(c), 1u);
  EXPECT_EQ(xs(row), (std::vector<float>{-115.0f, -75.0f, 5.0f}));
  Block stranger(1, 1);
  EXPECT_EQ(row.fGetIndex(&stranger), 3u);

  row.fRemoveControl(c);
  EXPECT_EQ(row.fGetChildren().size(), 2u);
  EXPECT_EQ(xs(row), (std::vector<float>{-115.0f, -20.0f}));  // b keeps its own offset 20
  EXPECT_FLOAT_EQ(row.fGetUsedWidth(), 150.0f);
  row.fRemoveControl(&stranger);
  row.fRemoveControlAt(7);
  EXPECT_EQ(row.fGetChildren().size(), 2u);
  row.fRemoveControlAt(0);
  EXPECT_EQ(row.fGetChildren().size(), 1u);
  EXPECT_FLOAT_EQ(row.fGetUsedWidth(), 100.0f);

  row.fSetWidth(40.0f);
  EXPECT_FLOAT_EQ(row.fGetWidth(), 100.0f);
  row.fSetWidth(400.0f);
  EXPECT_FLOAT_EQ(row.fGetWidth(), 400.0f);
  row.fSetHeight(5.0f);
  EXPECT_FLOAT_EQ(row.fGetHeight(), 20.0f);
}

}  // namespace
