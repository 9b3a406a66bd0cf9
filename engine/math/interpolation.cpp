#include "engine/math/interpolation.h"

#include <cmath>

#include "engine/math/transform_numbers.h"

namespace QOR {

namespace {

constexpr float kTwoPi = 6.2831855f;
// The smallest divisor of the damped oscillation.
constexpr float kMinDamping = 0.001f;

}  // namespace

float fLerpFloat(float a, float b, float t) {
  if (t == 0.0f) return a;
  if (t == 1.0f) return b;
  return a + (b - a) * t;
}

QS_VEC2 fLerpVec2(const QS_VEC2& a, const QS_VEC2& b, float t) {
  if (t <= 0.0f) return a;
  if (t >= 1.0f) return b;
  return QS_VEC2(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t);
}

QS_VEC3 fLerpVec3(const QS_VEC3& a, const QS_VEC3& b, float t) {
  if (t <= 0.0f) return a;
  if (t >= 1.0f) return b;
  return QS_VEC3(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t);
}

void fLerpTransform(QS_TRANSFORM3& out, const QS_TRANSFORM3& from, const QS_TRANSFORM3& to, float t) {
  if (t <= 0.0f) {
    fCopyTransformNumbers(out, from);
    return;
  }
  if (t >= 1.0f) {
    fCopyTransformNumbers(out, to);
    return;
  }
  for (int i = 0; i < kTransformNumbers; ++i) {
    const float a = fTransformNumber(from, i);
    const float b = fTransformNumber(to, i);
    if (a != b) fTransformNumber(out, i) = fLerpFloat(a, b, t);
  }
}

// exp is positive, so only a strongly negative t * damping can bring the divisor near 0; it is
// held at kMinDamping there instead of dividing by (almost) nothing.
float fDampedOscillation(float t, float frequency, float amplitude, float damping) {
  float e = static_cast<float>(std::exp(static_cast<double>(kTwoPi * t * damping)));
  if (std::fabs(e) < kMinDamping) e = kMinDamping;
  const double wave = std::sin(static_cast<double>(kTwoPi * frequency * t));
  const float s = static_cast<float>(wave * static_cast<double>(amplitude));
  return s / e;
}

float fClamp(float value, float min, float max) {
  if (min >= value) return min;
  if (value >= max) return max;
  return value;
}

}  // namespace QOR
