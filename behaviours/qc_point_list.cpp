#include "behaviours/qc_point_list.h"

#include "engine/math/polygon.h"

namespace QOR {

bool QC_POINT_LIST::isInside(float x, float y) const { return isPointInPolygon(_points, x, y); }

void QC_POINT_LIST::fMove(float dx, float dy) {
  for (QS_VEC2& point : _points) point.fAdd(dx, dy);
}

void QC_POINT_LIST::fRotate(float cx, float cy, float angle) {
  for (QS_VEC2& point : _points) QS_TRANSFORM3::fRotatePointInPlace(cx, cy, point.x, point.y, angle);
}

void QC_POINT_LIST::fToLocal(const QS_TRANSFORM3& transform) {
  for (QS_VEC2& point : _points) QS_TRANSFORM3::fToLocal(point.x, point.y, transform);
}

}  // namespace QOR
