#include "engine/math/qs_matrix4.h"

#include <cmath>

#include "engine/service/qc_log.h"

namespace QOR {

QS_MATRIX4::QS_MATRIX4(float a0, float a1, float a2, float a3, float a4, float a5, float a6, float a7,
                       float a8, float a9, float a10, float a11, float a12, float a13, float a14,
                       float a15) {
  const float args[16] = {a0, a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15};
  for (int n = 0; n < 16; ++n) e[4 * (n % 4) + n / 4] = args[n];
}

void QS_MATRIX4::fIdentity() {
  for (int i = 0; i < 16; ++i) e[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

void QS_MATRIX4::fTranslation(const QS_VEC3& v) {
  fIdentity();
  e[12] = v.x;
  e[13] = v.y;
  e[14] = v.z;
}

void QS_MATRIX4::fTranslationX(float x) {
  fIdentity();
  e[12] = x;
}

void QS_MATRIX4::fTranslationY(float y) {
  fIdentity();
  e[13] = y;
}

void QS_MATRIX4::fTranslationZ(float z) {
  fIdentity();
  e[14] = z;
}

void QS_MATRIX4::fScaling(const QS_VEC3& v) {
  fIdentity();
  e[0] = v.x;
  e[5] = v.y;
  e[10] = v.z;
}

void QS_MATRIX4::fRotationX(const float* angle) {
  fIdentity();
  if (angle == nullptr) return;
  const float c = std::cos(*angle);
  const float s = std::sin(*angle);
  e[5] = c;
  e[6] = s;
  e[9] = -s;
  e[10] = c;
}

void QS_MATRIX4::fRotationY(const float* angle) {
  fIdentity();
  if (angle == nullptr) return;
  const float c = std::cos(*angle);
  const float s = std::sin(*angle);
  e[0] = c;
  e[2] = -s;
  e[8] = s;
  e[10] = c;
}

void QS_MATRIX4::fRotationZ(const float* angle) {
  fIdentity();
  if (angle == nullptr) return;
  const float c = std::cos(*angle);
  const float s = std::sin(*angle);
  e[0] = c;
  e[1] = s;
  e[4] = -s;
  e[5] = c;
}

void QS_MATRIX4::fRotationAxis(const float* angle, QS_VEC3& axis) {
  axis.fNormalize();
  fIdentity();
  if (angle == nullptr) return;
  const float x = axis.x, y = axis.y, z = axis.z;
  const float s = std::sin(*angle);
  const float w = std::cos(*angle);
  const float t = 1.0f - w;
  e[0] = t * x * x + w;
  e[1] = t * x * y + s * z;
  e[2] = t * x * z - s * y;
  e[4] = t * y * x - s * z;
  e[5] = t * y * y + w;
  e[6] = t * y * z + s * x;
  e[8] = t * z * x + s * y;
  e[9] = t * z * y - s * x;
  e[10] = t * z * z + w;
}

void QS_MATRIX4::fTransformCoord(QS_VEC3& v) const {
  const QS_VEC3 p = v;
  v.x = p.x * e[0] + p.y * e[4] + p.z * e[8] + e[12];
  v.y = p.x * e[1] + p.y * e[5] + p.z * e[9] + e[13];
  v.z = p.x * e[2] + p.y * e[6] + p.z * e[10] + e[14];
}

void QS_MATRIX4::fTransformNormal(QS_VEC3& v) const {
  const QS_VEC3 p = v;
  v.x = p.x * e[0] + p.y * e[4] + p.z * e[8];
  v.y = p.x * e[1] + p.y * e[5] + p.z * e[9];
  v.z = p.x * e[2] + p.y * e[6] + p.z * e[10];
}

QS_VEC3 QS_MATRIX4::fMulVector(const QS_VEC3& v) const {
  QS_VEC3 out;
  out.x = e[0] * v.x + e[1] * v.y + e[2] * v.z + e[3];
  out.y = e[4] * v.x + e[5] * v.y + e[6] * v.z + e[7];
  out.z = e[8] * v.x + e[9] * v.y + e[10] * v.z + e[11];
  return out;
}

QS_MATRIX4 QS_MATRIX4::fTranspose() const {
  QS_MATRIX4 out;
  for (int r = 0; r < 4; ++r) {
    for (int j = 0; j < 4; ++j) out.e[4 * r + j] = e[4 * j + r];
  }
  return out;
}

void QS_MATRIX4::fLog() const {
  for (int r = 0; r < 4; ++r) {
    QOR::fLog() << e[4 * r] << " " << e[4 * r + 1] << " " << e[4 * r + 2] << " " << e[4 * r + 3];
  }
}

QS_MATRIX4 QS_MATRIX4::operator+(const QS_MATRIX4& o) const {
  QS_MATRIX4 out;
  for (int i = 0; i < 16; ++i) out.e[i] = e[i] + o.e[i];
  return out;
}

QS_MATRIX4 QS_MATRIX4::operator-(const QS_MATRIX4& o) const {
  QS_MATRIX4 out;
  for (int i = 0; i < 16; ++i) out.e[i] = e[i] - o.e[i];
  return out;
}

QS_MATRIX4 QS_MATRIX4::operator*(float s) const {
  QS_MATRIX4 out;
  for (int i = 0; i < 16; ++i) out.e[i] = e[i] * s;
  return out;
}

QS_MATRIX4 QS_MATRIX4::operator*(const QS_MATRIX4& o) const {
  QS_MATRIX4 out;
  for (int r = 0; r < 4; ++r) {
    for (int j = 0; j < 4; ++j) {
      out.e[4 * r + j] =
          e[j] * o.e[4 * r] + e[4 + j] * o.e[4 * r + 1] + e[8 + j] * o.e[4 * r + 2] + e[12 + j] * o.e[4 * r + 3];
    }
  }
  return out;
}

}  // namespace QOR
