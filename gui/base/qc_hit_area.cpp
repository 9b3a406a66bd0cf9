#include "gui/base/qc_hit_area.h"

#include <cmath>

namespace QOR {

QC_HIT_AREA::QC_HIT_AREA() : _type(kNone), _width(0.0f), _height(0.0f), _extra1(0), _owner(nullptr), _extra2(0) {}

QC_HIT_AREA::QC_HIT_AREA(int type, QS_TRANSFORM3* owner, float width, float height, std::uint32_t extra1,
                         std::uint32_t extra2)
    : _type(type), _width(width), _height(height), _extra1(extra1), _owner(owner), _extra2(extra2) {}

void QC_HIT_AREA::fSet(int type, QS_TRANSFORM3* owner, float width, float height, std::uint32_t extra1,
                       std::uint32_t extra2) {
  _type = type;
  _owner = owner;
  _width = width;
  _height = height;
  _extra1 = extra1;
  _extra2 = extra2;
}

bool QC_HIT_AREA::isPointInside(float x, float y) const {
  if (_owner == nullptr) return false;
  if (_type != kCircle && _type != kRectangle) return false;
  const QS_TRANSFORM3 world = _owner->fGetWorld(false, false, false);
  return _type == kCircle ? isInsideCircle(world, x, y) : isInsideRectangle(world, x, y);
}

// Centred on the world position; scale, rotation and pivot play no part.
bool QC_HIT_AREA::isInsideCircle(const QS_TRANSFORM3& world, float x, float y) const {
  const float px = world._position.x;
  const float py = world._position.y;
  const float r = _width;
  if (x > px + r || x < px - r || y > py + r || y < py - r) return false;
  const float dx = px - x;
  const float dy = py - y;
  return std::sqrt(dx * dx + dy * dy) < r;
}

// The picture's quad spans (0, 0)..(width, height) in its own frame and reaches the screen moved
// by minus the pivot, turned, scaled and moved to the world position (the renderer's world
// matrix). The point goes back the same way: minus the position, divided by the scale, turned
// back, plus the pivot. A zero or not-a-number scale leaves nothing to hit.
bool QC_HIT_AREA::isInsideRectangle(const QS_TRANSFORM3& world, float x, float y) const {
  const float sx = world._scale.x;
  const float sy = world._scale.y;
  if (!std::isfinite(sx) || !std::isfinite(sy) || sx == 0.0f || sy == 0.0f) return false;
  float dx = (x - world._position.x) / sx;
  float dy = (y - world._position.y) / sy;
  QS_TRANSFORM3::fRotatePointInPlace(0.0f, 0.0f, dx, dy, -world._rotation.z);
  const float lx = dx + world._pivot.x;
  const float ly = dy + world._pivot.y;
  return 0.0f < lx && lx < _width && 0.0f < ly && ly < _height;
}

}  // namespace QOR
