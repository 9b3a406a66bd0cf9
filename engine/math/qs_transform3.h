// Placement record of drawables, widgets and game objects: pivot, rotation angles, scale factors,
// position and an optional parent transform it is placed in.
#pragma once

#include <cstdint>

#include "engine/math/qs_point.h"
#include "engine/math/qs_vec2.h"
#include "engine/math/qs_vec3.h"

namespace QOR {

class QS_TRANSFORM3 {
 public:
  // Not read by any transform operation; kept for the objects that embed the record.
  std::uint32_t _leadingWord;
  // Local origin offset.
  QS_VEC3 _pivot;
  // Angles in radians; composition through parents turns positions by z only.
  QS_VEC3 _rotation;
  QS_VEC3 _scale;
  // Placement in pixels.
  QS_VEC3 _position;
  // The transform this one is placed in, not owned; null for none. It must outlive this one.
  QS_TRANSFORM3* _parent;

  // Scale (1, 1, 1), everything else zero, no parent.
  QS_TRANSFORM3();
  // Copies pivot, rotation, scale, position and the parent link; the leading word starts at 0.
  QS_TRANSFORM3(const QS_TRANSFORM3& other);
  // Reads the 12 numbers of the text form ("position pivot rotation scale", blank-separated)
  // and clears the parent. Text with fewer than 12 numbers leaves the default transform.
  explicit QS_TRANSFORM3(const char* text);
  // Assignment copies every field, the leading word included.
  QS_TRANSFORM3& operator=(const QS_TRANSFORM3& other) = default;

  void fSetPosition(float x, float y, float z) { _position.fSet(x, y, z); }
  void fSetPositionVec3(const QS_VEC3& p) { _position = p; }
  void fSetPositionVec2(const QS_VEC2& p) { _position.x = p.x; _position.y = p.y; }
  QS_TRANSFORM3& fSetPivot(float x, float y, float z) { _pivot.fSet(x, y, z); return *this; }
  QS_TRANSFORM3& fSetScale(float x, float y, float z) { _scale.fSet(x, y, z); return *this; }
  QS_TRANSFORM3& fSetAngle(float a) { _rotation.z = a; return *this; }
  void fSetRotation(float x, float y, float z) { _rotation.fSet(x, y, z); }
  void fAddPosition(float dx, float dy, float dz) { _position += QS_VEC3(dx, dy, dz); }
  void fAddRotation(float ax, float ay, float az) { _rotation += QS_VEC3(ax, ay, az); }
  // Adds to the scale factors (not a multiplication).
  void fAddScale(float sx, float sy, float sz) { _scale += QS_VEC3(sx, sy, sz); }
  QS_TRANSFORM3& fMove(float dx, float dy) { _position.x += dx; _position.y += dy; return *this; }

  QS_VEC2 fGetPosition() const { return QS_VEC2(_position.x, _position.y); }
  QS_VEC3 fGetPositionVec3() const { return _position; }
  QS_VEC2& fGetPositionTo(QS_VEC2& out) const { out.fSet(_position.x, _position.y); return out; }

  // Sets the parent and returns the one it replaces (null when there was none).
  QS_TRANSFORM3* fSetParent(QS_TRANSFORM3* parent) {
    QS_TRANSFORM3* previous = _parent;
    _parent = parent;
    return previous;
  }

  // This transform placed in its parents. Every parent's world is complete; the flags act only
  // on the last step, applying the parent's world to this transform. A parent chain that loops
  // back on itself is cut where it would revisit a transform.
  QS_TRANSFORM3 fGetWorld(bool skipPosition, bool skipRotation, bool skipScale) const;
  // Combines this transform in place with an already complete parent transform.
  void fApplyParent(QS_TRANSFORM3 parent, bool skipPosition, bool skipRotation, bool skipScale);
  // In-place combination with a parent: position moved and turned, scale and rotation combined;
  // the position is not scaled.
  QS_TRANSFORM3& fCombine(QS_TRANSFORM3 parent);

  // "px py pz vx vy vz rx ry rz sx sy sz" (position, pivot, rotation, scale) with three decimals,
  // in a buffer shared by every QS_TRANSFORM3 and overwritten by the next call.
  const char* fToString() const;

  // Maps a screen point into t's local frame, in place: turned about t's position by minus its
  // angle, then (position - point + pivot) * scale on each axis.
  static void fToLocal(float& x, float& y, const QS_TRANSFORM3& t);
  // Integer variant: turned as above, then point - position + pivot, truncated toward zero,
  // without scale.
  static QS_POINT fToLocalInt(QS_POINT p, const QS_TRANSFORM3& t);

  // (x, y) turned about (cx, cy) by a (from +x toward +y), in double precision; (x, y) itself
  // when a is exactly 0.
  static QS_VEC2 fRotatePoint(float cx, float cy, float x, float y, float a);
  // The same in place, in single precision; nothing happens when a is exactly 0.
  static void fRotatePointInPlace(float cx, float cy, float& x, float& y, float a);
  // The same for an integer point, each result truncated toward zero.
  static void fRotateIntPoint(float cx, float cy, QS_POINT& p, float a);
  // The zero vector, whatever it is given.
  static QS_VEC3 fGetZeroVec3(const QS_VEC3& ignored);
};

}  // namespace QOR
