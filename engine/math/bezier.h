// Bezier curves over floats, vectors and transforms: quadratic, cubic and of any degree. The
// parameter t runs from 0 (the first control point) to 1 (the last).
#pragma once

#include <vector>

#include "engine/math/qs_transform3.h"
#include "engine/math/qs_vec2.h"
#include "engine/math/qs_vec3.h"

namespace QOR {

// (1-t)^2*p0 + 2t(1-t)*p1 + t^2*p2; t exactly 0 gives p0 and exactly 1 gives p2, other t outside
// [0, 1] extend the curve.
float fQuadBezierFloat(float p0, float p1, float p2, float t);
QS_VEC2 fQuadBezierVec2(const QS_VEC2& p0, const QS_VEC2& p1, const QS_VEC2& p2, float t);
QS_VEC3 fQuadBezierVec3(const QS_VEC3& p0, const QS_VEC3& p1, const QS_VEC3& p2, float t);
// The quadratic curve on each of the 12 numbers; t <= 0 gives p0's numbers and t >= 1 p2's. Only
// the 12 numbers of out are written, never its leading word or parent link.
void fQuadBezierTransform(QS_TRANSFORM3& out, const QS_TRANSFORM3& p0, const QS_TRANSFORM3& p1,
                          const QS_TRANSFORM3& p2, float t);

// (1-t)^3*p0 + 3t(1-t)^2*p1 + 3t^2(1-t)*p2 + t^3*p3, with the same end rules as the quadratic one.
float fCubicBezierFloat(float p0, float p1, float p2, float p3, float t);
QS_VEC2 fCubicBezierVec2(const QS_VEC2& p0, const QS_VEC2& p1, const QS_VEC2& p2, const QS_VEC2& p3, float t);
QS_VEC3 fCubicBezierVec3(const QS_VEC3& p0, const QS_VEC3& p1, const QS_VEC3& p2, const QS_VEC3& p3, float t);
void fCubicBezierTransform(QS_TRANSFORM3& out, const QS_TRANSFORM3& p0, const QS_TRANSFORM3& p1,
                           const QS_TRANSFORM3& p2, const QS_TRANSFORM3& p3, float t);

// Curves of degree count - 1 through count control points in Bernstein form. t <= 0 gives the
// first point and t >= 1 the last. With no points (count <= 0 or a null array) the functions
// returning a value give zero and those with an out argument leave it unchanged.
float fBezierFloatArray(const float* points, int count, float t);
QS_VEC2 fBezierVec2Array(const QS_VEC2* points, int count, float t);
QS_VEC2 fBezierVec2List(const std::vector<QS_VEC2>& points, float t);
void fBezierVec3Array(QS_VEC3& out, const QS_VEC3* points, int count, float t);
void fBezierVec3List(QS_VEC3& out, const std::vector<QS_VEC3>& points, float t);
// Only the 12 numbers of out are written.
void fBezierTransformArray(QS_TRANSFORM3& out, const QS_TRANSFORM3* points, int count, float t);

}  // namespace QOR
