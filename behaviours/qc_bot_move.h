// Movers of a transform's position in a straight line: to an end point in a given time or at a
// given speed, or on at a fixed velocity for a while.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/math/qs_vec3.h"
#include "engine/objects/qc_base.h"
#include "engine/service/qc_callback.h"

#include <cstdint>

namespace QOR {

// Moves the target to (endX, endY, endZ) at a constant speed, lands on it exactly and fires its
// end callback. Duration and speed may be given either or both (see fResolveDurationSpeed).
class QC_BOT_MOVE : public QC_BASE {
 public:
  QC_BOT_MOVE(QS_TRANSFORM3* target, float duration, float speed, float endX, float endY, float endZ, float delay);

  // 1: the step; 38: d is kept as the end callback (also while the delay runs).
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;

 private:
  // Captures the start, settles duration and speed and the unit direction. The end callback is
  // left alone, so one attached during the delay still fires.
  void fSetUp();
  int fStep();

  QS_TRANSFORM3* _target;
  float _givenDuration;
  float _givenSpeed;
  float _remaining;
  float _speed;
  QS_VEC3 _end;
  QS_VEC3 _direction;
  float _delayLeft;
  QC_CALLBACK* _endCallback;
};

// Adds (velocityX, velocityY, 0) per second to the target's position until its duration, counted
// down before each move, runs out. Keeps the base object's name, Z and render level.
class QC_BOT_MOVE_ON : public QC_BASE {
 public:
  // unused is not kept; word is kept and never read.
  QC_BOT_MOVE_ON(QS_TRANSFORM3* target, float duration, float speed, float velocityX, float velocityY, float unused,
                 std::uint32_t word);

  // 1: the step; nothing else is taken.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;

 private:
  QS_TRANSFORM3* _target;
  float _remaining;
  [[maybe_unused]] float _speed;
  float _velocityX;
  float _velocityY;
  [[maybe_unused]] std::uint32_t _word;
};

}  // namespace QOR
