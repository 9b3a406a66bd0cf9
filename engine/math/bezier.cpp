#include "engine/math/bezier.h"

#include <cfloat>
#include <climits>
#include <cmath>

#include "engine/math/transform_numbers.h"

namespace QOR {

namespace {

// Beyond this many control points the binomial coefficients of the running product no longer
// fit a double (C(1029, 514) is about 1.4e308).
constexpr int kMaxRunningProductPoints = 1000;

// Calls add(i, w) with the Bernstein weight w = C(n-1, i) * t^i * (1-t)^(n-1-i) of each of the n
// control points, for 0 < t < 1. The weights come from a running product: the power of t rises,
// the power of 1 - t falls by one division per point and the binomial coefficient follows its
// recurrence. When the starting power of 1 - t underflows (many points with t near 1) or the
// coefficients would overflow, each weight is taken from logarithms instead, so long curves
// still end at their last point rather than collapsing to zero.
template <typename Add>
void fForEachBernsteinWeight(int n, double t, Add add) {
  const double u = 1.0 - t;
  const double start = std::pow(u, static_cast<double>(n - 1));
  if (n <= kMaxRunningProductPoints && start >= DBL_MIN) {
    double f = start;
    double g = 1.0;
    double b = 1.0;
    for (int i = 0; i < n; ++i) {
      add(i, g * f * b);
      g *= t;
      f /= u;
      b = b * static_cast<double>(n - 1 - i) / static_cast<double>(i + 1);
    }
    return;
  }
  const double logT = std::log(t);
  const double logU = std::log(u);
  const double logAll = std::lgamma(static_cast<double>(n));
  for (int i = 0; i < n; ++i) {
    const double logBinomial =
        logAll - std::lgamma(static_cast<double>(i + 1)) - std::lgamma(static_cast<double>(n - i));
    add(i, std::exp(logBinomial + i * logT + (n - 1 - i) * logU));
  }
}

bool fHasPoints(const void* points, int count) { return points != nullptr && count > 0; }

}  // namespace

float fQuadBezierFloat(float p0, float p1, float p2, float t) {
  if (t == 0.0f) return p0;
  if (t == 1.0f) return p2;
  const float u = 1.0f - t;
  return u * u * p0 + 2.0f * t * u * p1 + t * t * p2;
}

QS_VEC2 fQuadBezierVec2(const QS_VEC2& p0, const QS_VEC2& p1, const QS_VEC2& p2, float t) {
  return QS_VEC2(fQuadBezierFloat(p0.x, p1.x, p2.x, t), fQuadBezierFloat(p0.y, p1.y, p2.y, t));
}

QS_VEC3 fQuadBezierVec3(const QS_VEC3& p0, const QS_VEC3& p1, const QS_VEC3& p2, float t) {
  return QS_VEC3(fQuadBezierFloat(p0.x, p1.x, p2.x, t), fQuadBezierFloat(p0.y, p1.y, p2.y, t),
                 fQuadBezierFloat(p0.z, p1.z, p2.z, t));
}

void fQuadBezierTransform(QS_TRANSFORM3& out, const QS_TRANSFORM3& p0, const QS_TRANSFORM3& p1,
                          const QS_TRANSFORM3& p2, float t) {
  if (t <= 0.0f) {
    fCopyTransformNumbers(out, p0);
    return;
  }
  if (t >= 1.0f) {
    fCopyTransformNumbers(out, p2);
    return;
  }
  for (int i = 0; i < kTransformNumbers; ++i) {
    fTransformNumber(out, i) =
        fQuadBezierFloat(fTransformNumber(p0, i), fTransformNumber(p1, i), fTransformNumber(p2, i), t);
  }
}

float fCubicBezierFloat(float p0, float p1, float p2, float p3, float t) {
  if (t == 0.0f) return p0;
  if (t == 1.0f) return p3;
  const float u = 1.0f - t;
  return u * u * u * p0 + 3.0f * t * u * u * p1 + 3.0f * t * t * u * p2 + t * t * t * p3;
}

QS_VEC2 fCubicBezierVec2(const QS_VEC2& p0, const QS_VEC2& p1, const QS_VEC2& p2, const QS_VEC2& p3, float t) {
  return QS_VEC2(fCubicBezierFloat(p0.x, p1.x, p2.x, p3.x, t), fCubicBezierFloat(p0.y, p1.y, p2.y, p3.y, t));
}

QS_VEC3 fCubicBezierVec3(const QS_VEC3& p0, const QS_VEC3& p1, const QS_VEC3& p2, const QS_VEC3& p3, float t) {
  return QS_VEC3(fCubicBezierFloat(p0.x, p1.x, p2.x, p3.x, t), fCubicBezierFloat(p0.y, p1.y, p2.y, p3.y, t),
                 fCubicBezierFloat(p0.z, p1.z, p2.z, p3.z, t));
}

void fCubicBezierTransform(QS_TRANSFORM3& out, const QS_TRANSFORM3& p0, const QS_TRANSFORM3& p1,
                           const QS_TRANSFORM3& p2, const QS_TRANSFORM3& p3, float t) {
  if (t <= 0.0f) {
    fCopyTransformNumbers(out, p0);
    return;
  }
  if (t >= 1.0f) {
    fCopyTransformNumbers(out, p3);
    return;
  }
  for (int i = 0; i < kTransformNumbers; ++i) {
    fTransformNumber(out, i) = fCubicBezierFloat(fTransformNumber(p0, i), fTransformNumber(p1, i),
                                                 fTransformNumber(p2, i), fTransformNumber(p3, i), t);
  }
}

float fBezierFloatArray(const float* points, int count, float t) {
  if (!fHasPoints(points, count)) return 0.0f;
  if (t <= 0.0f) return points[0];
  if (t >= 1.0f) return points[count - 1];
  double sum = 0.0;
  fForEachBernsteinWeight(count, t, [&](int i, double w) { sum += static_cast<double>(points[i]) * w; });
  return static_cast<float>(sum);
}

QS_VEC2 fBezierVec2Array(const QS_VEC2* points, int count, float t) {
  if (!fHasPoints(points, count)) return QS_VEC2();
  if (t <= 0.0f) return points[0];
  if (t >= 1.0f) return points[count - 1];
  double x = 0.0;
  double y = 0.0;
  fForEachBernsteinWeight(count, t, [&](int i, double w) {
    x += static_cast<double>(points[i].x) * w;
    y += static_cast<double>(points[i].y) * w;
  });
  return QS_VEC2(static_cast<float>(x), static_cast<float>(y));
}

// A list longer than INT_MAX points cannot be counted in an int; it is treated as having none.
QS_VEC2 fBezierVec2List(const std::vector<QS_VEC2>& points, float t) {
  if (points.size() > static_cast<std::size_t>(INT_MAX)) return QS_VEC2();
  return fBezierVec2Array(points.data(), static_cast<int>(points.size()), t);
}

void fBezierVec3Array(QS_VEC3& out, const QS_VEC3* points, int count, float t) {
  if (!fHasPoints(points, count)) return;
  if (t <= 0.0f) {
    out = points[0];
    return;
  }
  if (t >= 1.0f) {
    out = points[count - 1];
    return;
  }
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  fForEachBernsteinWeight(count, t, [&](int i, double w) {
    x += static_cast<double>(points[i].x) * w;
    y += static_cast<double>(points[i].y) * w;
    z += static_cast<double>(points[i].z) * w;
  });
  out.fSet(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

void fBezierVec3List(QS_VEC3& out, const std::vector<QS_VEC3>& points, float t) {
  if (points.size() > static_cast<std::size_t>(INT_MAX)) return;
  fBezierVec3Array(out, points.data(), static_cast<int>(points.size()), t);
}

void fBezierTransformArray(QS_TRANSFORM3& out, const QS_TRANSFORM3* points, int count, float t) {
  if (!fHasPoints(points, count)) return;
  if (t <= 0.0f) {
    fCopyTransformNumbers(out, points[0]);
    return;
  }
  if (t >= 1.0f) {
    fCopyTransformNumbers(out, points[count - 1]);
    return;
  }
  double sums[kTransformNumbers] = {};
  fForEachBernsteinWeight(count, t, [&](int i, double w) {
    for (int k = 0; k < kTransformNumbers; ++k) sums[k] += static_cast<double>(fTransformNumber(points[i], k)) * w;
  });
  for (int k = 0; k < kTransformNumbers; ++k) fTransformNumber(out, k) = static_cast<float>(sums[k]);
}

}  // namespace QOR
