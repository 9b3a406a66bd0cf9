#include "engine/math/polygon.h"

#include <cstdint>

#include "engine/math/float_to_int.h"
#include "engine/platform/qc_random.h"

namespace QOR {

namespace {

// Each edge from vertex j to vertex i that the horizontal ray from the point crosses to its left
// flips the result. The edge condition puts y strictly past one end, so y_j != y_i whenever the
// division runs.
template <typename Point, typename Crossing>
bool fCrossingTest(const std::vector<Point>& polygon, Crossing crossesLeft) {
  bool inside = false;
  const std::size_t n = polygon.size();
  if (n == 0) return false;
  std::size_t j = n - 1;
  for (std::size_t i = 0; i < n; ++i) {
    if (crossesLeft(polygon[i], polygon[j])) inside = !inside;
    j = i;
  }
  return inside;
}

// Sums the points weighted by r^3, r drawn per point; false when nothing could be weighted.
template <typename Point>
bool fWeightedSum(const std::vector<Point>& points, double& x, double& y) {
  if (qcCurrentRandom == nullptr) return false;
  float sumX = 0.0f;
  float sumY = 0.0f;
  float total = 0.0f;
  for (const Point& p : points) {
    const float r = qcCurrentRandom->fRandFloat(0.0f, 1.0f);
    const float w = r * r * r;
    sumX += static_cast<float>(p.x) * w;
    sumY += static_cast<float>(p.y) * w;
    total += w;
  }
  if (!(total > 0.0f)) return false;
  x = static_cast<double>(sumX / total);
  y = static_cast<double>(sumY / total);
  return true;
}

template <typename Point>
void fPlainAverage(const std::vector<Point>& points, double& x, double& y) {
  x = 0.0;
  y = 0.0;
  for (const Point& p : points) {
    x += static_cast<double>(p.x);
    y += static_cast<double>(p.y);
  }
  x /= static_cast<double>(points.size());
  y /= static_cast<double>(points.size());
}

}  // namespace

bool isPointInPolygon(const std::vector<QS_VEC2>& polygon, float x, float y) {
  return fCrossingTest(polygon, [x, y](const QS_VEC2& a, const QS_VEC2& b) {
    const bool spans = (a.y < y && b.y >= y) || (b.y < y && a.y >= y);
    return spans && a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y) < x;
  });
}

// The differences and their product are taken in 128 bits so that no coordinate pair can overflow;
// since |y - y_i| <= |y_j - y_i| the quotient is no larger than |x_j - x_i|.
bool isPointInPolygonInt(const std::vector<QS_POINT>& polygon, int x, int y) {
  return fCrossingTest(polygon, [x, y](const QS_POINT& a, const QS_POINT& b) {
    const bool spans = (a.y < y && b.y >= y) || (b.y < y && a.y >= y);
    if (!spans) return false;
    __extension__ typedef __int128 Wide;
    const Wide term =
        (static_cast<Wide>(b.x) - a.x) * (static_cast<Wide>(y) - a.y) / (static_cast<Wide>(b.y) - a.y);
    return static_cast<Wide>(a.x) + term < static_cast<Wide>(x);
  });
}

bool isPointInPolygonWorld(const std::vector<QS_VEC2>& polygon, float x, float y, const QS_TRANSFORM3* transform) {
  if (transform != nullptr) {
    const QS_TRANSFORM3 world = transform->fGetWorld(false, false, false);
    x -= world._position.x;
    y -= world._position.y;
  }
  return isPointInPolygon(polygon, x, y);
}

bool isPointInPolygonWorldInt(const std::vector<QS_POINT>& polygon, int x, int y, const QS_TRANSFORM3* transform) {
  if (transform != nullptr) {
    const QS_TRANSFORM3 world = transform->fGetWorld(false, false, false);
    x = fTruncateToInt(static_cast<double>(x) - static_cast<double>(world._position.x));
    y = fTruncateToInt(static_cast<double>(y) - static_cast<double>(world._position.y));
  }
  return isPointInPolygonInt(polygon, x, y);
}

QS_VEC2 fRandomWeightedPoint(const std::vector<QS_VEC2>& points) {
  if (points.empty()) return QS_VEC2();
  double x = 0.0;
  double y = 0.0;
  if (!fWeightedSum(points, x, y)) fPlainAverage(points, x, y);
  return QS_VEC2(static_cast<float>(x), static_cast<float>(y));
}

QS_POINT fRandomWeightedPointInt(const std::vector<QS_POINT>& points) {
  if (points.empty()) return QS_POINT();
  double x = 0.0;
  double y = 0.0;
  if (!fWeightedSum(points, x, y)) fPlainAverage(points, x, y);
  return QS_POINT(fTruncateToInt(x), fTruncateToInt(y));
}

}  // namespace QOR
