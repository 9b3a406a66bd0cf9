#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "engine/math/polygon.h"
#include "engine/platform/qc_random.h"

namespace QOR {
namespace {

TEST(PolygonTest, UnitSquareCrossingRule) {
  const std::vector<QS_VEC2> square = {QS_VEC2(0, 0), QS_VEC2(1, 0), QS_VEC2(1, 1), QS_VEC2(0, 1)};
  EXPECT_TRUE(isPointInPolygon(square, 0.5f, 0.5f));
  EXPECT_FALSE(isPointInPolygon(square, 1.5f, 0.5f));
  EXPECT_FALSE(isPointInPolygon(square, 0.0f, 0.5f));  // on the left edge
  EXPECT_FALSE(isPointInPolygon({}, 0.0f, 0.0f));
  EXPECT_FALSE(isPointInPolygon({QS_VEC2(0, 0), QS_VEC2(5, 5)}, 2.0f, 2.0f));

  // A concave outline: the notch between the two prongs is outside.
  const std::vector<QS_POINT> u = {QS_POINT(0, 0),   QS_POINT(30, 0),  QS_POINT(30, 30), QS_POINT(20, 30),
                                   QS_POINT(20, 10), QS_POINT(10, 10), QS_POINT(10, 30), QS_POINT(0, 30)};
  EXPECT_TRUE(isPointInPolygonInt(u, 5, 20));
  EXPECT_TRUE(isPointInPolygonInt(u, 25, 20));
  EXPECT_TRUE(isPointInPolygonInt(u, 15, 5));
  EXPECT_FALSE(isPointInPolygonInt(u, 15, 20));
  EXPECT_FALSE(isPointInPolygonInt(u, 35, 20));
}

TEST(PolygonTest, IntegerTestSurvivesExtremeCoordinates) {
  const std::vector<QS_POINT> big = {QS_POINT(INT_MIN, INT_MIN), QS_POINT(INT_MAX, INT_MIN),
                                     QS_POINT(INT_MAX, INT_MAX), QS_POINT(INT_MIN, INT_MAX)};
  EXPECT_TRUE(isPointInPolygonInt(big, 0, 0));
  EXPECT_TRUE(isPointInPolygonInt(big, INT_MAX - 1, 5));
  EXPECT_FALSE(isPointInPolygonInt(big, INT_MIN, 5));
  // A slanted edge over the whole range: (x_j - x_i) * (y - y_i) needs more than 64 bits.
  const std::vector<QS_POINT> slant = {QS_POINT(INT_MIN, INT_MIN), QS_POINT(INT_MAX, INT_MAX),
                                       QS_POINT(INT_MIN, INT_MAX)};
  EXPECT_FALSE(isPointInPolygonInt(slant, 1000, 0));
  EXPECT_TRUE(isPointInPolygonInt(slant, -1000, 0));
}

TEST(PolygonTest, WorldVariantsMoveThePointByTheWorldPosition) {
  const std::vector<QS_VEC2> square = {QS_VEC2(0, 0), QS_VEC2(10, 0), QS_VEC2(10, 10), QS_VEC2(0, 10)};
  const std::vector<QS_POINT> squareInt = {QS_POINT(0, 0), QS_POINT(10, 0), QS_POINT(10, 10), QS_POINT(0, 10)};
  QS_TRANSFORM3 parent, child;
  parent.fSetPosition(100, 100, 0);
  parent.fSetScale(2, 2, 1);  // scale and rotation of the world are not applied to the test
  child.fSetPosition(10, 0, 0);
  child.fSetParent(&parent);
  EXPECT_TRUE(isPointInPolygonWorld(square, 125.0f, 105.0f, &child));
  EXPECT_FALSE(isPointInPolygonWorld(square, 5.0f, 5.0f, &child));
  EXPECT_TRUE(isPointInPolygonWorld(square, 5.0f, 5.0f, nullptr));
  EXPECT_TRUE(isPointInPolygonWorldInt(squareInt, 125, 105, &child));
  EXPECT_FALSE(isPointInPolygonWorldInt(squareInt, 119, 105, &child));
  child.fSetPosition(10.25f, 0, 0);  // world x 120.5: 120 - 120.5 = -0.5 truncates to 0, the left edge
  EXPECT_FALSE(isPointInPolygonWorldInt(squareInt, 120, 105, &child));
  EXPECT_TRUE(isPointInPolygonWorldInt(squareInt, 122, 105, &child));
}

TEST(PolygonTest, WeightedPointLiesInTheHullAndAdvancesTheGeneratorPerPoint) {
  QC_RANDOM* saved = qcCurrentRandom;
  QC_RANDOM twin(99u);
  QC_RANDOM random(12345u);  // constructed last: the current generator
  const std::vector<QS_VEC2> triangle = {QS_VEC2(0, 0), QS_VEC2(100, 0), QS_VEC2(0, 100)};
  for (int i = 0; i < 50; ++i) {
    const QS_VEC2 p = fRandomWeightedPoint(triangle);
    EXPECT_GE(p.x, 0.0f);
    EXPECT_GE(p.y, 0.0f);
    EXPECT_LE(p.x + p.y, 100.001f);
  }
  random.fSetSeed(99u);
  const QS_POINT q = fRandomWeightedPointInt({QS_POINT(0, 0), QS_POINT(10, 10)});
  twin.fNext();
  twin.fNext();
  EXPECT_EQ(random.fGetState(), twin.fGetState());
  EXPECT_EQ(q.x, q.y);
  EXPECT_GE(q.x, 0);
  EXPECT_LE(q.x, 10);

  // This seed makes the next draw exactly 0: the only weight vanishes and the plain average of the
  // points stands in instead of dividing by a zero total.
  random.fSetSeed(634785765u);
  EXPECT_EQ(fRandomWeightedPointInt({QS_POINT(10, 20)}), QS_POINT(10, 20));
  EXPECT_EQ(random.fGetState(), 0u);
  EXPECT_TRUE(fRandomWeightedPoint({}).isZero());
  qcCurrentRandom = nullptr;
  EXPECT_EQ(fRandomWeightedPointInt({QS_POINT(0, 0), QS_POINT(3, 3)}), QS_POINT(1, 1));
  qcCurrentRandom = saved;
}

}  // namespace
}  // namespace QOR
