// Linear blends, a damped oscillation and a clamp, used by animations whose parameter t runs from
// 0 to 1 over their duration.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/math/qs_vec2.h"
#include "engine/math/qs_vec3.h"

namespace QOR {

// a + (b - a) * t, also for t outside [0, 1]; t exactly 0 gives a and exactly 1 gives b.
float fLerpFloat(float a, float b, float t);
// Per component; t <= 0 gives a and t >= 1 gives b.
QS_VEC2 fLerpVec2(const QS_VEC2& a, const QS_VEC2& b, float t);
QS_VEC3 fLerpVec3(const QS_VEC3& a, const QS_VEC3& b, float t);
// Blends the 12 numbers of from and to into out. t <= 0 copies from's numbers and t >= 1 to's;
// between, only the numbers that differ between from and to are written, so the others stay free
// for whatever else moves out. The leading word and the parent link of out are never touched.
void fLerpTransform(QS_TRANSFORM3& out, const QS_TRANSFORM3& from, const QS_TRANSFORM3& to, float t);

// sin(2*pi*frequency*t) * amplitude / exp(2*pi*t*damping). The divisor is held at 0.001 or more,
// so a strongly negative damping gives a large but finite result.
float fDampedOscillation(float t, float frequency, float amplitude, float damping);

// min when min >= value; otherwise max when value >= max; otherwise value.
float fClamp(float value, float min, float max);

}  // namespace QOR
