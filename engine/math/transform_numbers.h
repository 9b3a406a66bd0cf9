// The 12 numbers of a transform (pivot, rotation, scale, position; x y z each) by index, for the
// blends and curves that treat a transform as 12 independent numbers.
#pragma once

#include "engine/math/qs_transform3.h"

namespace QOR {

inline constexpr int kTransformNumbers = 12;

// Index 0..11 in the order pivot x y z, rotation x y z, scale x y z, position x y z.
template <typename Transform>
auto& fTransformNumber(Transform& t, int i) {
  auto& v = i < 3 ? t._pivot : (i < 6 ? t._rotation : (i < 9 ? t._scale : t._position));
  const int axis = i % 3;
  return axis == 0 ? v.x : (axis == 1 ? v.y : v.z);
}

// Copies the 12 numbers only: the leading word and the parent link of out stay as they are.
inline void fCopyTransformNumbers(QS_TRANSFORM3& out, const QS_TRANSFORM3& from) {
  out._pivot = from._pivot;
  out._rotation = from._rotation;
  out._scale = from._scale;
  out._position = from._position;
}

}  // namespace QOR
