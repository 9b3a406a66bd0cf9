#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

#include "engine/math/qs_vec2.h"
#include "engine/math/qs_vec3.h"

namespace QOR {
namespace {

constexpr float kPi = 3.1415927f;

TEST(Vec2Test, ComparisonsUseLengths) {
  EXPECT_TRUE(QS_VEC2(3, 4) == QS_VEC2(0, 5));
  EXPECT_FALSE(QS_VEC2(3, 4) != QS_VEC2(-5, 0));
  EXPECT_TRUE(QS_VEC2(1, 1) < QS_VEC2(0, 2));
  EXPECT_TRUE(QS_VEC2(3, 4) == 5);
  EXPECT_TRUE(QS_VEC2(3, 4) > 4);
  EXPECT_TRUE(QS_VEC2(3, 4) <= 5);
}

TEST(Vec3Test, EqualityUsesComponentsButOrderingUsesLengths) {
  EXPECT_FALSE(QS_VEC3(3, 4, 0) == QS_VEC3(0, 5, 0));
  EXPECT_TRUE(QS_VEC3(3, 4, 0) != QS_VEC3(0, 5, 0));
  EXPECT_TRUE(QS_VEC3(3, 4, 0) <= QS_VEC3(0, 5, 0));
  EXPECT_TRUE(QS_VEC3(3, 4, 0) >= QS_VEC3(0, 5, 0));
  EXPECT_TRUE(QS_VEC3(0, 0, 5) == 5);
}

TEST(VectorTest, NormalizeReturnsOldLengthAndLeavesZeroAlone) {
  QS_VEC2 v(3, 4);
  EXPECT_FLOAT_EQ(v.fNormalize(), 5.0f);
  EXPECT_FLOAT_EQ(v.x, 0.6f);
  EXPECT_FLOAT_EQ(v.y, 0.8f);
  QS_VEC2 zero;
  EXPECT_EQ(zero.fNormalize(), 0.0f);
  EXPECT_TRUE(zero.isZero());
  QS_VEC3 zero3;
  EXPECT_EQ(zero3.fNormalize(), 0.0f);
  EXPECT_TRUE(zero3.isZero());
}

TEST(Vec2Test, GetAngleCoversEveryQuadrantAndAxis) {
  EXPECT_FLOAT_EQ(QS_VEC2(1, 0).fGetAngle(), 0.0f);
  EXPECT_FLOAT_EQ(QS_VEC2(0, 1).fGetAngle(), kPi / 2);
  EXPECT_FLOAT_EQ(QS_VEC2(-1, 0).fGetAngle(), kPi);
  EXPECT_FLOAT_EQ(QS_VEC2(0, -1).fGetAngle(), 3 * kPi / 2);
  EXPECT_FLOAT_EQ(QS_VEC2(-1, -1).fGetAngle(), 5 * kPi / 4);
  EXPECT_FLOAT_EQ(QS_VEC2(1, -1).fGetAngle(), 7 * kPi / 4);
  EXPECT_EQ(QS_VEC2(0, 0).fGetAngle(), 0.0f);
}

TEST(VectorTest, AngleToTurnsFromThisToOther) {
  EXPECT_FLOAT_EQ(QS_VEC2(1, 0).fAngleTo(QS_VEC2(0, 1)), kPi / 2);
  EXPECT_FLOAT_EQ(QS_VEC2(0, 1).fAngleTo(QS_VEC2(1, 0)), 3 * kPi / 2);
  EXPECT_FLOAT_EQ(QS_VEC2(1, 0).fAngleTo(QS_VEC2(2, 0)), 2 * kPi);
  EXPECT_FLOAT_EQ(QS_VEC2(1, 0).fAngleTo(QS_VEC2(-3, 0)), kPi);
  // In the xy plane the three-component angle agrees with the two-component one.
  EXPECT_FLOAT_EQ(QS_VEC3(0, 1, 0).fAngleTo(QS_VEC3(1, 0, 0)), 3 * kPi / 2);
  EXPECT_FLOAT_EQ(QS_VEC3(1, 0, 0).fAngleTo(QS_VEC3(0, 2, 0)), kPi / 2);
}

TEST(VectorTest, AngleToStaysFiniteForDegenerateInput) {
  EXPECT_EQ(QS_VEC2(0, 0).fAngleTo(QS_VEC2(1, 0)), 0.0f);
  EXPECT_EQ(QS_VEC2(1, 0).fAngleTo(QS_VEC2(0, 0)), 0.0f);
  EXPECT_EQ(QS_VEC3(0, 0, 0).fAngleTo(QS_VEC3(1, 0, 0)), 0.0f);
  // Parallel vectors whose rounded cosine can exceed 1.
  for (int i = 1; i < 200; ++i) {
    const QS_VEC2 a(0.1f * static_cast<float>(i), 0.3f * static_cast<float>(i));
    EXPECT_FALSE(std::isnan(a.fAngleTo(a * 3.7f))) << i;
    EXPECT_FALSE(std::isnan(a.fAngleTo(-a))) << i;
  }
}

TEST(VectorTest, IndexOutsideTheComponentsGivesZero) {
  const QS_VEC2 v(1, 2);
  EXPECT_EQ(v[1], 2.0f);
  EXPECT_EQ(v[2], 0.0f);
  EXPECT_EQ(v[-1], 0.0f);
  const QS_VEC3 w(1, 2, 3);
  EXPECT_EQ(w[2], 3.0f);
  EXPECT_EQ(w[3], 0.0f);
  EXPECT_EQ(w[-1], 0.0f);
}

TEST(Vec3Test, CrossPerpendicularAndExtremes) {
  EXPECT_TRUE(QS_VEC3::fCross(QS_VEC3(1, 0, 0), QS_VEC3(0, 1, 0)) == QS_VEC3(0, 0, 1));
  EXPECT_TRUE(QS_VEC3::fCross(QS_VEC3(1, 2, 3), QS_VEC3(4, 5, 6)) == QS_VEC3(-3, 6, -3));
  EXPECT_TRUE(QS_VEC3(1, 2, 3).fPerpendicularXY() == QS_VEC3(-2, 1, 3));
  EXPECT_EQ(QS_VEC3(2, -7, 5).fMax(), 5.0f);
  EXPECT_EQ(QS_VEC3(2, -7, 5).fMin(), -7.0f);
  EXPECT_FLOAT_EQ(QS_VEC3(0, 3, 4).fLengthDifference(QS_VEC3(0, 0, 7)), 2.0f);
}

TEST(VectorTest, TextFormsPrintThreeDecimals) {
  EXPECT_STREQ(QS_VEC2(1.5f, -2).fToString(), "1.500 -2.000");
  EXPECT_STREQ(QS_VEC3(0, 0.25f, -1).fToString(), "0.000 0.250 -1.000");
  // The largest floats still fit the buffers whole.
  const std::string big = QS_VEC3(-FLT_MAX, -FLT_MAX, -FLT_MAX).fToString();
  EXPECT_EQ(big.size(), 3 * 44 + 2);
  EXPECT_EQ(big.substr(big.size() - 4), ".000");
}

TEST(VectorTest, FromStringNeedsEnoughPieces) {
  QS_VEC2 v(7, 7);
  v.fFromString("10  20");  // the empty middle piece reads as 0
  EXPECT_EQ(v.x, 10.0f);
  EXPECT_EQ(v.y, 0.0f);
  v.fFromString("5");
  EXPECT_EQ(v.x, 10.0f);
  v.fFromString("1.25 -3 99");
  EXPECT_EQ(v.x, 1.25f);
  EXPECT_EQ(v.y, -3.0f);
  v.fFromString("abc 1e40");
  EXPECT_EQ(v.x, 0.0f);
  EXPECT_TRUE(std::isinf(v.y));

  QS_VEC3 w(1, 2, 3);
  w.fFromString("4 5");
  EXPECT_TRUE(w == QS_VEC3(1, 2, 3));
  w.fFromString("4 5 6 7");
  EXPECT_TRUE(w == QS_VEC3(4, 5, 6));
}

}  // namespace
}  // namespace QOR
