// Hit areas: circles around the world position, rectangles over the picture a centred, rotated,
// moved, scaled or corner-anchored owner shows.
#include "gui/base/qc_hit_area.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace QOR;

namespace {

constexpr float kQuarterTurn = 1.57079632679f;

TEST(HitArea, NoneAndUnknownTypesAndMissingOwnersAreNeverHit) {
  QS_TRANSFORM3 owner;
  for (int type : {0, 3, 5, -1}) {
    QC_HIT_AREA area(type, &owner, 100.0f, 100.0f);
    EXPECT_FALSE(area.isPointInside(0.0f, 0.0f)) << type;
    EXPECT_FALSE(area.isPointInside(10.0f, 10.0f)) << type;
  }
  QC_HIT_AREA orphan(QC_HIT_AREA::kRectangle, nullptr, 100.0f, 100.0f);
  EXPECT_FALSE(orphan.isPointInside(0.0f, 0.0f));
  QC_HIT_AREA empty;
  EXPECT_FALSE(empty.isPointInside(0.0f, 0.0f));
  EXPECT_FALSE(empty.isPointInsideStub());
}

TEST(HitArea, CircleIsStrictlyInsideTheRadiusAroundTheWorldPosition) {
  QS_TRANSFORM3 owner;
  owner.fSetPosition(100.0f, 100.0f, 0.0f);
  QC_HIT_AREA area(QC_HIT_AREA::kCircle, &owner, 20.0f, 0.0f);
  EXPECT_FALSE(area.isPointInside(120.0f, 100.0f));  // on the radius
  EXPECT_TRUE(area.isPointInside(119.9f, 100.0f));
  EXPECT_TRUE(area.isPointInside(114.0f, 114.0f));   // about 19.8 away
  EXPECT_FALSE(area.isPointInside(115.0f, 115.0f));  // about 21.2 away
  // Pivot, rotation and scale play no part; parents move it.
  owner.fSetPivot(50.0f, 50.0f, 0.0f).fSetScale(3.0f, 3.0f, 1.0f).fSetAngle(1.0f);
  EXPECT_TRUE(area.isPointInside(119.9f, 100.0f));
  EXPECT_FALSE(area.isPointInside(130.0f, 100.0f));
  QS_TRANSFORM3 parent;
  parent.fSetPosition(1000.0f, 0.0f, 0.0f);
  owner.fSetParent(&parent);
  EXPECT_TRUE(area.isPointInside(1100.0f, 100.0f));
  EXPECT_FALSE(area.isPointInside(100.0f, 100.0f));
}

class CentredRectangle : public ::testing::Test {
 protected:
  void SetUp() override {
    owner.fSetPosition(300.0f, 200.0f, 0.0f);
    owner.fSetPivot(50.0f, 20.0f, 0.0f);  // a 100 x 40 picture anchored at its centre
  }
  QS_TRANSFORM3 owner;
  QC_HIT_AREA area{QC_HIT_AREA::kRectangle, &owner, 100.0f, 40.0f};
};

TEST_F(CentredRectangle, OpenRectangleCentredOnThePosition) {
  EXPECT_TRUE(area.isPointInside(251.0f, 199.0f));
  EXPECT_FALSE(area.isPointInside(250.0f, 200.0f));  // left edge
  EXPECT_TRUE(area.isPointInside(349.9f, 219.9f));
  EXPECT_FALSE(area.isPointInside(300.0f, 220.0f));  // bottom edge
  EXPECT_FALSE(area.isPointInside(350.0f, 200.0f));  // right edge
  EXPECT_FALSE(area.isPointInside(300.0f, 180.0f));  // top edge
  EXPECT_TRUE(area.isPointInside(300.0f, 180.5f));
}

TEST_F(CentredRectangle, RotatedOwnerTurnsTheArea) {
  owner.fSetAngle(kQuarterTurn);
  EXPECT_TRUE(area.isPointInside(300.0f, 249.0f));  // the long side is vertical now
  EXPECT_FALSE(area.isPointInside(349.0f, 200.0f));
  EXPECT_TRUE(area.isPointInside(319.0f, 200.0f));
  EXPECT_FALSE(area.isPointInside(321.0f, 200.0f));
}

TEST_F(CentredRectangle, RotatedSquareKeepsItsCorners) {
  QC_HIT_AREA square(QC_HIT_AREA::kRectangle, &owner, 100.0f, 100.0f);
  owner.fSetPivot(50.0f, 50.0f, 0.0f).fSetAngle(kQuarterTurn / 2.0f);
  // A corner of the turned square reaches about 70.7 pixels to the right of its centre.
  EXPECT_TRUE(square.isPointInside(365.0f, 200.0f));
  EXPECT_FALSE(square.isPointInside(372.0f, 200.0f));
  EXPECT_FALSE(square.isPointInside(345.0f, 245.0f));  // beyond an edge of the diamond
}

TEST_F(CentredRectangle, ParentMovesTheAreaUnchanged) {
  QS_TRANSFORM3 parent;
  parent.fSetPosition(1000.0f, 0.0f, 0.0f);
  owner.fSetParent(&parent);
  EXPECT_TRUE(area.isPointInside(1251.0f, 199.0f));
  EXPECT_FALSE(area.isPointInside(1250.0f, 200.0f));
  EXPECT_FALSE(area.isPointInside(300.0f, 200.0f));
}

TEST_F(CentredRectangle, ScaledOwnerCoversItsScaledPicture) {
  owner.fSetScale(2.0f, 2.0f, 1.0f);
  EXPECT_TRUE(area.isPointInside(201.0f, 161.0f));
  EXPECT_TRUE(area.isPointInside(399.0f, 239.0f));
  EXPECT_FALSE(area.isPointInside(199.0f, 200.0f));
  EXPECT_FALSE(area.isPointInside(300.0f, 241.0f));
  // A scaled parent scales the child's picture too.
  owner.fSetScale(1.0f, 1.0f, 1.0f);
  QS_TRANSFORM3 parent;
  parent.fSetScale(0.5f, 0.5f, 1.0f);
  owner.fSetParent(&parent);  // the world position becomes (150, 100), the picture 50 x 20
  EXPECT_TRUE(area.isPointInside(126.0f, 91.0f));
  EXPECT_FALSE(area.isPointInside(124.0f, 100.0f));
  EXPECT_FALSE(area.isPointInside(150.0f, 111.0f));
}

TEST_F(CentredRectangle, UnevenScaleAppliesAfterTheTurn) {
  // The renderer turns the quad first and scales the turned picture along the screen axes.
  owner.fSetAngle(kQuarterTurn).fSetScale(2.0f, 1.0f, 1.0f);
  // Turned: 40 wide and 100 high; scaled: 80 wide and 100 high.
  EXPECT_TRUE(area.isPointInside(339.0f, 249.0f));
  EXPECT_FALSE(area.isPointInside(341.0f, 200.0f));
  EXPECT_FALSE(area.isPointInside(300.0f, 251.0f));
}

TEST_F(CentredRectangle, DegenerateScaleLeavesNothingToHit) {
  owner.fSetScale(0.0f, 1.0f, 1.0f);
  EXPECT_FALSE(area.isPointInside(300.0f, 200.0f));
  owner.fSetScale(std::numeric_limits<float>::quiet_NaN(), 1.0f, 1.0f);
  EXPECT_FALSE(area.isPointInside(300.0f, 200.0f));
  owner.fSetScale(1.0f, 1.0f, 1.0f);
  owner.fSetPosition(std::numeric_limits<float>::quiet_NaN(), 200.0f, 0.0f);
  EXPECT_FALSE(area.isPointInside(300.0f, 200.0f));
}

TEST(HitArea, CornerAnchoredRectangleLiesWhereItsPictureIs) {
  // Anchor top-left: the picture spans (300, 200) .. (400, 240).
  QS_TRANSFORM3 owner;
  owner.fSetPosition(300.0f, 200.0f, 0.0f);
  QC_HIT_AREA area(QC_HIT_AREA::kRectangle, &owner, 100.0f, 40.0f);
  EXPECT_TRUE(area.isPointInside(301.0f, 201.0f));
  EXPECT_TRUE(area.isPointInside(399.0f, 239.0f));
  EXPECT_FALSE(area.isPointInside(299.0f, 201.0f));  // left of the picture
  EXPECT_FALSE(area.isPointInside(250.0f, 190.0f));
  // Anchor bottom-right: the picture spans (200, 160) .. (300, 200); turned a quarter about that
  // corner it spans (300, 100) .. (340, 200).
  owner.fSetPivot(100.0f, 40.0f, 0.0f);
  EXPECT_TRUE(area.isPointInside(201.0f, 161.0f));
  EXPECT_FALSE(area.isPointInside(301.0f, 201.0f));
  owner.fSetAngle(kQuarterTurn);
  EXPECT_TRUE(area.isPointInside(339.0f, 101.0f));
  EXPECT_TRUE(area.isPointInside(301.0f, 199.0f));
  EXPECT_FALSE(area.isPointInside(299.0f, 150.0f));
  EXPECT_FALSE(area.isPointInside(201.0f, 161.0f));
}

TEST(HitArea, SettersChangeTheTestedSize) {
  QS_TRANSFORM3 owner;
  owner.fSetPosition(50.0f, 50.0f, 0.0f);
  QC_HIT_AREA area(QC_HIT_AREA::kCircle, &owner, 10.0f, 0.0f);
  EXPECT_FALSE(area.isPointInside(65.0f, 50.0f));
  area.fSetWidth(area.fGetWidth() * 2.0f);
  EXPECT_TRUE(area.isPointInside(65.0f, 50.0f));
  EXPECT_FLOAT_EQ(area.fGetWidthF(), 20.0f);
  area.fSet(QC_HIT_AREA::kRectangle, &owner, 10.0f, 10.0f, 0, 0);
  EXPECT_TRUE(area.isPointInside(55.0f, 55.0f));
  EXPECT_FALSE(area.isPointInside(45.0f, 45.0f));
  EXPECT_EQ(area.fGetOwner(), &owner);
}

}  // namespace
