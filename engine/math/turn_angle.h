// The turning angle between two vectors, shared by QS_VEC2 and QS_VEC3.
#pragma once

#include <algorithm>
#include <cmath>

namespace QOR {

// From the dot product, the product of the two lengths and the turn's sign (the z component of
// the cross product): acos of the cosine for a positive turn, else 2 pi minus it, in [0, 2 pi].
// A zero-length vector has no direction, so the angle is 0. Rounding can push the cosine just
// past +-1, where acos is undefined; it is clamped back into range.
inline float fTurnAngle(float dot, float lengths, float side) {
  constexpr float kPi = 3.1415927f;
  if (lengths == 0.0f) return 0.0f;
  const float k = std::clamp(dot / lengths, -1.0f, 1.0f);
  return side > 0.0f ? std::acos(k) : 2.0f * kPi - std::acos(k);
}

}  // namespace QOR
