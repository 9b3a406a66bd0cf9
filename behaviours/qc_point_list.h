// A polygon as a list of 2D points (the closing edge runs from the last point back to the first),
// with a point-inside test and operations that move, rotate or transform every point at once.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/math/qs_vec2.h"

#include <vector>

namespace QOR {

class QC_POINT_LIST {
 public:
  QC_POINT_LIST() = default;

  // Appends the point; the number of points afterwards.
  int fAddPoint(const QS_VEC2& point) {
    _points.push_back(point);
    return fGetCount();
  }
  int fGetCount() const { return static_cast<int>(_points.size()); }
  const std::vector<QS_VEC2>& fGetPoints() const { return _points; }
  // The crossing rule over the closed outline; fewer than three points enclose nothing.
  bool isInside(float x, float y) const;
  void fMove(float dx, float dy);
  // Every point turned about the centre by the angle in radians.
  void fRotate(float cx, float cy, float angle);
  // Every point taken into the transform's local frame (QS_TRANSFORM3::fToLocal).
  void fToLocal(const QS_TRANSFORM3& transform);

 private:
  std::vector<QS_VEC2> _points;
};

}  // namespace QOR
