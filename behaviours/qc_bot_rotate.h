// Turners of a transform's rotation at a constant rate: by a given turn, or to a given goal angle.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/math/qs_vec3.h"
#include "engine/objects/qc_base.h"
#include "engine/service/qc_callback.h"

namespace QOR {

// What the two turners share: the turn's direction and rate, the remaining time, the delay and
// the end callback. Not a bot by itself.
class QS_TURN_RUN {
 public:
  // Settles duration and speed from the turn; the turn becomes a unit direction only when one of
  // them had to be computed, otherwise it is used as given, scaled by the speed.
  QS_TURN_RUN(QS_TRANSFORM3* target, const QS_VEC3& turn, float duration, float speed, float delay);

  // Waits out the delay, then turns by direction * speed * dt; true when the time is over.
  bool fStep();

  QS_TRANSFORM3* _target;
  QS_VEC3 _direction;
  float _remaining;
  float _speed;
  float _delayLeft;
  QC_CALLBACK* _endCallback;
};

// Turns the target by (angleX, angleY, angleZ) radians in all.
class QC_BOT_ROTATE_ON : public QC_BASE {
 public:
  QC_BOT_ROTATE_ON(QS_TRANSFORM3* target, float duration, float speed, float angleX, float angleY, float angleZ,
                   float delay);
  // 1: the step; 38: d is kept as the end callback, fired at the end.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;

 private:
  QS_TURN_RUN _run;
};

// Turns the target from its rotation at construction towards (goalX, goalY, goalZ) radians; it
// ends where its last step left it, without a final snap.
class QC_BOT_ROTATE_TO : public QC_BASE {
 public:
  QC_BOT_ROTATE_TO(QS_TRANSFORM3* target, float duration, float speed, float goalX, float goalY, float goalZ,
                   float delay);
  // 1: the step; 38: d is kept as the end callback, fired at the end.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;

 private:
  QS_TURN_RUN _run;
};

}  // namespace QOR
