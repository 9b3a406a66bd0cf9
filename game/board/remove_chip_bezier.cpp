#include "game/board/remove_chip_bezier.h"

#include "engine/math/bezier.h"

QOR::QS_VEC2 REMOVE_CHIP_BEZIER::PointAt(const QOR::QS_VEC2& start, float t) const {
  if (!(duration > 0.0f)) return end;
  float u = t / duration;
  if (u > 1.0f) u = 1.0f;
  if (u <= 0.0f) return start;
  if (u >= 1.0f) return end;
  return QOR::fQuadBezierVec2(start, mid, end, u);
}

QOR::QS_VEC2 REMOVE_CHIP_BEZIER::GetPoint(const QOR::QS_VEC2& start, float& flightTime, bool& removing,
                                          float dt) const {
  if (!removing) return QOR::QS_VEC2(0.0f, 0.0f);
  // A curve of no length (or not a number) cannot be flown: the flight ends where it goes.
  if (!(duration > 0.0f)) {
    flightTime = 0.0f;
    removing = false;
    return end;
  }
  if (dt >= duration) return PointAt(start, flightTime);
  if (flightTime < duration) {
    flightTime += dt;
  } else {
    flightTime = duration;
    removing = false;
  }
  if (flightTime / duration > 1.0f) flightTime = duration;
  return PointAt(start, flightTime);
}
