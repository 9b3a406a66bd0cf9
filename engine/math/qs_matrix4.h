// 4x4 float matrix in the Direct3D layout: e[4 * row + column], points are row vectors multiplied
// on the left (p' = p * M), so the translation sits in e[12], e[13] and e[14]. The 16 floats are
// handed unchanged to the device as a transform.
#pragma once

#include "engine/math/qs_vec3.h"

namespace QOR {

class QS_MATRIX4 {
 public:
  float e[16];

  QS_MATRIX4() { fIdentity(); }
  // Arguments are taken column by column: argument n is stored in e[4 * (n % 4) + n / 4], so the
  // first four fill e[0], e[4], e[8] and e[12].
  QS_MATRIX4(float a0, float a1, float a2, float a3, float a4, float a5, float a6, float a7, float a8,
             float a9, float a10, float a11, float a12, float a13, float a14, float a15);

  void fIdentity();
  static QS_MATRIX4 fGetIdentity() { return QS_MATRIX4(); }

  // Each of these first resets the matrix to the identity.
  void fTranslation(const QS_VEC3& v);
  void fTranslationX(float x);
  void fTranslationY(float y);
  void fTranslationZ(float z);
  void fScaling(const QS_VEC3& v);
  // Rotations by the angle behind the pointer (radians); a null pointer leaves the identity.
  void fRotationX(const float* angle);
  void fRotationY(const float* angle);
  void fRotationZ(const float* angle);
  // Left-handed rotation about the axis, which is normalised in place first.
  void fRotationAxis(const float* angle, QS_VEC3& axis);

  // v := v * M as a point (with translation, no division by w).
  void fTransformCoord(QS_VEC3& v) const;
  // v := v * M as a direction (without translation).
  void fTransformNormal(QS_VEC3& v) const;
  // Each row against the column vector (x, y, z, 1): component i is row i . (x, y, z, 1).
  QS_VEC3 fMulVector(const QS_VEC3& v) const;

  QS_MATRIX4 fTranspose() const;
  // Four log lines, one row each, elements separated by blanks.
  void fLog() const;

  QS_MATRIX4 operator+(const QS_MATRIX4& o) const;
  QS_MATRIX4 operator-(const QS_MATRIX4& o) const;
  QS_MATRIX4 operator*(float s) const;
  // a * b is the Direct3D product b . a: a point transformed by the result goes through b first,
  // then through a.
  QS_MATRIX4 operator*(const QS_MATRIX4& o) const;
  QS_MATRIX4 operator*=(const QS_MATRIX4& o) {
    *this = *this * o;
    return *this;
  }

  operator float*() { return e; }
  operator const float*() const { return e; }
};

static_assert(sizeof(QS_MATRIX4) == 64, "QS_MATRIX4 is 16 packed floats");

}  // namespace QOR
