#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/math/qs_matrix4.h"
#include "tests/kit/log_capture.h"

namespace QOR {
namespace {

constexpr float kPi = 3.1415927f;

void ExpectNear(const QS_VEC3& v, float x, float y, float z) {
  EXPECT_NEAR(v.x, x, 1e-5f);
  EXPECT_NEAR(v.y, y, 1e-5f);
  EXPECT_NEAR(v.z, z, 1e-5f);
}

void ExpectMatricesNear(const QS_MATRIX4& a, const QS_MATRIX4& b) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(a.e[i], b.e[i], 1e-6f) << "element " << i;
}

TEST(MatrixTest, ConstructorTakesArgumentsColumnByColumn) {
  const QS_MATRIX4 m(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  EXPECT_EQ(m.e[0], 0.0f);
  EXPECT_EQ(m.e[4], 1.0f);
  EXPECT_EQ(m.e[12], 3.0f);
  EXPECT_EQ(m.e[1], 4.0f);
  EXPECT_EQ(m.e[15], 15.0f);
  const QS_MATRIX4 t = m.fTranspose();
  for (int i = 0; i < 16; ++i) EXPECT_EQ(t.e[i], static_cast<float>(i));
}

TEST(MatrixTest, ProductAppliesTheRightOperandFirst) {
  QS_MATRIX4 a, b;
  a.fTranslation(QS_VEC3(1, 0, 0));
  const float quarter = kPi / 2;
  b.fRotationZ(&quarter);
  QS_VEC3 p(1, 0, 0);
  (a * b).fTransformCoord(p);
  ExpectNear(p, 1, 1, 0);

  QS_MATRIX4 c = a;
  const QS_MATRIX4 copy = (c *= b);
  ExpectMatricesNear(c, a * b);
  ExpectMatricesNear(copy, c);
}

TEST(MatrixTest, RotationAxisMatchesTheAxisRotations) {
  const float angle = 0.7f;
  QS_MATRIX4 axisX, axisY, axisZ, rotX, rotY, rotZ;
  QS_VEC3 x(3, 0, 0), y(0, 2, 0), z(0, 0, 5);
  axisX.fRotationAxis(&angle, x);
  axisY.fRotationAxis(&angle, y);
  axisZ.fRotationAxis(&angle, z);
  rotX.fRotationX(&angle);
  rotY.fRotationY(&angle);
  rotZ.fRotationZ(&angle);
  ExpectMatricesNear(axisX, rotX);
  ExpectMatricesNear(axisY, rotY);
  ExpectMatricesNear(axisZ, rotZ);
  EXPECT_TRUE(z == QS_VEC3(0, 0, 1));  // the caller's axis is normalised in place

  // Left-handed: a quarter turn about y takes +x to -z.
  const float quarter = kPi / 2;
  QS_VEC3 p(1, 0, 0);
  rotY.fRotationY(&quarter);
  rotY.fTransformNormal(p);
  ExpectNear(p, 0, 0, -1);
}

TEST(MatrixTest, TransformsAndRowProduct) {
  QS_MATRIX4 m;
  m.fTranslation(QS_VEC3(1, 2, 3));
  QS_VEC3 normal(1, 1, 1);
  m.fTransformNormal(normal);
  ExpectNear(normal, 1, 1, 1);
  // fMulVector multiplies rows by a column vector, so it needs the transposed matrix to translate.
  ExpectNear(m.fMulVector(QS_VEC3(1, 1, 1)), 1, 1, 1);
  ExpectNear(m.fTranspose().fMulVector(QS_VEC3(1, 1, 1)), 2, 3, 4);

  QS_MATRIX4 s;
  s.fScaling(QS_VEC3(2, 3, 4));
  QS_VEC3 p(1, 1, 1);
  (m * s).fTransformCoord(p);
  ExpectNear(p, 3, 5, 7);
}

TEST(MatrixTest, LogWritesOneLinePerRow) {
  QS_MATRIX4 m;
  m.fTranslation(QS_VEC3(0.5f, -2, 30));
  qor_test::LogCapture log;
  m.fLog();
  const std::vector<std::string> expected = {"1 0 0 0", "0 1 0 0", "0 0 1 0", "0.5 -2 30 1"};
  EXPECT_EQ(log.lines(), expected);
}

}  // namespace
}  // namespace QOR
