// The curve every removed tile flies along: a quadratic Bezier from where the tile was to one
// fixed end point of the screen, bent by one control point. One record lives in the board and
// serves every chip; each chip keeps its own flight time and flag.
#pragma once

#include "engine/math/qs_vec2.h"

#include <cstdint>

class REMOVE_CHIP_BEZIER {
 public:
  REMOVE_CHIP_BEZIER() = default;

  // Advances one flight by dt and returns its point. While flight time < duration the time grows
  // by dt; the update after it reached the duration ends the flight (removing cleared) at exactly
  // the end point. A frame whose dt is not below the duration leaves the flight where it is. A
  // flight that is not running gives (0, 0); a duration of zero or less ends it at once at the end.
  QOR::QS_VEC2 GetPoint(const QOR::QS_VEC2& start, float& flightTime, bool& removing, float dt) const;
  // The curve's point at flight time t (clamped to the duration).
  QOR::QS_VEC2 PointAt(const QOR::QS_VEC2& start, float t) const;

  float duration = 0.0f;
  QOR::QS_VEC2 end;
  QOR::QS_VEC2 mid;  // control point
};

// A record of three points the game manager keeps two of; nothing else reads it.
struct THREE_POINT_PATH {
  THREE_POINT_PATH() = default;

  bool active = false;
  std::int32_t first = 0;
  std::int32_t second = 0;
  QOR::QS_VEC2 points[3];
};
