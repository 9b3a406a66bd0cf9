#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/math/bezier.h"
#include "engine/math/interpolation.h"

namespace QOR {
namespace {

// The 12 numbers with distinct values, so that misplaced numbers show.
QS_TRANSFORM3 fNumbered(float base) {
  QS_TRANSFORM3 t;
  t.fSetPivot(base + 1, base + 2, base + 3).fSetScale(base + 7, base + 8, base + 9);
  t.fSetRotation(base + 4, base + 5, base + 6);
  t.fSetPosition(base + 10, base + 11, base + 12);
  return t;
}

TEST(InterpolationTest, LerpEndRules) {
  EXPECT_FLOAT_EQ(fLerpFloat(2, 4, 1.5f), 5.0f);
  EXPECT_FLOAT_EQ(fLerpFloat(2, 4, -0.5f), 1.0f);
  EXPECT_EQ(fLerpFloat(1e30f, -1e30f, 1.0f), -1e30f);
  const QS_VEC2 a(0, 0), b(10, 20);
  const QS_VEC2 past = fLerpVec2(a, b, 1.5f);
  EXPECT_EQ(past.x, 10.0f);
  EXPECT_EQ(past.y, 20.0f);
  EXPECT_EQ(fLerpVec2(a, b, -2.0f).y, 0.0f);
  EXPECT_EQ(fLerpVec2(a, b, 0.25f).y, 5.0f);
  EXPECT_EQ(fLerpVec3(QS_VEC3(0.0f), QS_VEC3(4, 8, 12), 0.5f), QS_VEC3(2, 4, 6));
  EXPECT_EQ(fLerpVec3(QS_VEC3(0.0f), QS_VEC3(4, 8, 12), 7.0f), QS_VEC3(4, 8, 12));
}

TEST(InterpolationTest, LerpTransformWritesOnlyNumbersThatDiffer) {
  QS_TRANSFORM3 from, to, parent;
  from.fSetPosition(0, 5, 0);
  to.fSetPosition(10, 5, 0);
  to.fSetAngle(2.0f);
  QS_TRANSFORM3 out;
  out._leadingWord = 3;
  out.fSetParent(&parent);
  out.fSetPosition(-1, -2, -3);
  fLerpTransform(out, from, to, 0.5f);
  EXPECT_EQ(out._position, QS_VEC3(5, -2, -3));  // y and z equal in from and to: left alone
  EXPECT_EQ(out._rotation.z, 1.0f);
  fLerpTransform(out, from, to, 1.0f);
  EXPECT_EQ(out._position, QS_VEC3(10, 5, 0));
  fLerpTransform(out, fNumbered(0), fNumbered(100), -1.0f);
  EXPECT_STREQ(out.fToString(), fNumbered(0).fToString());
  EXPECT_EQ(out._leadingWord, 3u);
  EXPECT_EQ(out._parent, &parent);
}

TEST(InterpolationTest, DampedOscillationAndClamp) {
  EXPECT_NEAR(fDampedOscillation(0.125f, 2.0f, 3.0f, 0.0f), 3.0f, 1e-5f);  // sin(pi/2) * 3
  EXPECT_NEAR(fDampedOscillation(0.125f, 2.0f, 3.0f, 1.0f), 3.0f / std::exp(0.7853982f), 1e-5f);
  // Strongly negative damping: the divisor is held at 0.001 instead of reaching 0.
  const float grown = fDampedOscillation(0.125f, 2.0f, 3.0f, -1000.0f);
  EXPECT_TRUE(std::isfinite(grown));
  EXPECT_NEAR(grown, 3000.0f, 0.1f);
  EXPECT_EQ(fClamp(5, 0, 3), 3.0f);
  EXPECT_EQ(fClamp(-1, 0, 3), 0.0f);
  EXPECT_EQ(fClamp(2, 0, 3), 2.0f);
  EXPECT_EQ(fClamp(2, 5, 3), 5.0f);  // min wins when the range is reversed
}

TEST(BezierTest, QuadraticAndCubicForms) {
  EXPECT_FLOAT_EQ(fCubicBezierFloat(0, 0, 1, 1, 0.5f), 0.5f);
  EXPECT_EQ(fCubicBezierFloat(0.1f, 7, -3, 0.3f, 1.0f), 0.3f);
  EXPECT_EQ(fCubicBezierVec3(QS_VEC3(1.0f), QS_VEC3(5.0f), QS_VEC3(9.0f), QS_VEC3(0.7f), 1.0f), QS_VEC3(0.7f));
  const QS_VEC2 q = fQuadBezierVec2(QS_VEC2(0, 0), QS_VEC2(10, 20), QS_VEC2(20, 0), 0.5f);
  EXPECT_FLOAT_EQ(q.x, 10.0f);
  EXPECT_FLOAT_EQ(q.y, 10.0f);
  EXPECT_FLOAT_EQ(fQuadBezierFloat(0, 10, 20, 2.0f), 40.0f);  // quadratic forms extend past the ends
  const QS_VEC2 c = fCubicBezierVec2(QS_VEC2(0, 0), QS_VEC2(0, 3), QS_VEC2(3, 3), QS_VEC2(3, 0), 0.5f);
  EXPECT_FLOAT_EQ(c.x, 1.5f);
  EXPECT_FLOAT_EQ(c.y, 2.25f);

  QS_TRANSFORM3 out;
  QS_TRANSFORM3 parent;
  out.fSetParent(&parent);
  fQuadBezierTransform(out, fNumbered(0), fNumbered(10), fNumbered(20), 0.5f);
  EXPECT_STREQ(out.fToString(), fNumbered(10).fToString());
  fCubicBezierTransform(out, fNumbered(0), fNumbered(10), fNumbered(20), fNumbered(30), 1.5f);
  EXPECT_STREQ(out.fToString(), fNumbered(30).fToString());
  fCubicBezierTransform(out, fNumbered(0), fNumbered(10), fNumbered(20), fNumbered(30), 0.5f);
  EXPECT_STREQ(out.fToString(), fNumbered(15).fToString());
  EXPECT_EQ(out._parent, &parent);
}

TEST(BezierTest, AnyDegreeMatchesTheFixedForms) {
  const float values[] = {0, 10, 20};
  EXPECT_FLOAT_EQ(fBezierFloatArray(values, 3, 0.5f), 10.0f);
  const float cubic[] = {0.5f, -2, 7, 3};
  for (float t : {0.1f, 0.37f, 0.8f, 0.999f}) {
    EXPECT_NEAR(fBezierFloatArray(cubic, 4, t), fCubicBezierFloat(0.5f, -2, 7, 3, t), 1e-5f);
  }
  const std::vector<QS_VEC2> v2 = {QS_VEC2(0, 0), QS_VEC2(10, 20), QS_VEC2(20, 0)};
  const QS_VEC2 q = fBezierVec2List(v2, 0.5f);
  EXPECT_FLOAT_EQ(q.x, 10.0f);
  EXPECT_FLOAT_EQ(q.y, 10.0f);
  const std::vector<QS_VEC3> v3 = {QS_VEC3(0.0f), QS_VEC3(3.0f), QS_VEC3(6.0f), QS_VEC3(9.0f)};
  QS_VEC3 out;
  fBezierVec3List(out, v3, 0.25f);  // evenly spaced control points move at constant speed
  EXPECT_NEAR(out.x, 2.25f, 1e-5f);
  fBezierVec3Array(out, v3.data(), 4, 1.0f);
  EXPECT_EQ(out, QS_VEC3(9.0f));

  const QS_TRANSFORM3 ts[] = {fNumbered(0), fNumbered(10), fNumbered(20)};
  QS_TRANSFORM3 t;
  fBezierTransformArray(t, ts, 3, 0.5f);
  EXPECT_STREQ(t.fToString(), fNumbered(10).fToString());
  fBezierTransformArray(t, ts, 3, 9.0f);
  EXPECT_STREQ(t.fToString(), fNumbered(20).fToString());
}

TEST(BezierTest, AnyDegreeGuardsEndsAndEmptyInput) {
  const float values[] = {4, 8, 16};
  EXPECT_EQ(fBezierFloatArray(values, 3, 0.0f), 4.0f);
  EXPECT_EQ(fBezierFloatArray(values, 3, -0.5f), 4.0f);
  EXPECT_EQ(fBezierFloatArray(values, 3, 1.0f), 16.0f);
  EXPECT_EQ(fBezierFloatArray(values, 3, 3.0f), 16.0f);
  EXPECT_EQ(fBezierFloatArray(values, 1, 0.5f), 4.0f);  // degree 0: the one point
  EXPECT_EQ(fBezierFloatArray(values, 0, 0.5f), 0.0f);
  EXPECT_EQ(fBezierFloatArray(values, -3, 1.0f), 0.0f);
  EXPECT_EQ(fBezierFloatArray(nullptr, 3, 1.0f), 0.0f);
  EXPECT_TRUE(fBezierVec2List({}, 1.0f).isZero());
  QS_VEC3 out(1, 2, 3);
  fBezierVec3List(out, {}, 0.0f);
  EXPECT_EQ(out, QS_VEC3(1, 2, 3));  // no points: out keeps its value
  QS_TRANSFORM3 t = fNumbered(5);
  fBezierTransformArray(t, nullptr, 2, 0.5f);
  EXPECT_STREQ(t.fToString(), fNumbered(5).fToString());
}

TEST(BezierTest, LongCurvesStayOnTheirPoints) {
  // Many equal control points: every t must give that point, even where (1 - t)^(n-1) underflows
  // or the binomial coefficients no longer fit a double.
  for (int n : {60, 400, 1500}) {
    const std::vector<QS_VEC2> same(static_cast<std::size_t>(n), QS_VEC2(3, -7));
    for (float t : {0.001f, 0.5f, 0.999f, 0.9999999f}) {
      const QS_VEC2 p = fBezierVec2List(same, t);
      EXPECT_NEAR(p.x, 3.0f, 1e-3f) << n << " " << t;
      EXPECT_NEAR(p.y, -7.0f, 1e-3f) << n << " " << t;
    }
  }
}

}  // namespace
}  // namespace QOR
