// Point-in-polygon tests and a random point drawn inside a set of points.
#pragma once

#include <vector>

#include "engine/math/qs_point.h"
#include "engine/math/qs_transform3.h"
#include "engine/math/qs_vec2.h"

namespace QOR {

// Crossing rule over the closed outline (the last vertex joins the first). A point exactly on the
// outline counts on some edges and not on others: on a left edge it is outside. Fewer than three
// vertices enclose nothing.
bool isPointInPolygon(const std::vector<QS_VEC2>& polygon, float x, float y);
// The same in integer arithmetic, the crossing term truncated toward zero; wide enough that no
// coordinate can overflow it.
bool isPointInPolygonInt(const std::vector<QS_POINT>& polygon, int x, int y);
// The same tests after subtracting the world position of transform (its fGetWorld) from the point;
// the world rotation and scale are not applied. A null transform tests the point as given.
bool isPointInPolygonWorld(const std::vector<QS_VEC2>& polygon, float x, float y, const QS_TRANSFORM3* transform);
bool isPointInPolygonWorldInt(const std::vector<QS_POINT>& polygon, int x, int y, const QS_TRANSFORM3* transform);

// A random point inside the points' convex hull: the points averaged with weights r^3, one draw r
// in [0, 1] from the current generator per point. No points give (0, 0); without a current
// generator, or when every weight comes out 0, the plain average is returned.
QS_VEC2 fRandomWeightedPoint(const std::vector<QS_VEC2>& points);
// The same over integer points, summed in floats, each coordinate truncated toward zero.
QS_POINT fRandomWeightedPointInt(const std::vector<QS_POINT>& points);

}  // namespace QOR
