#include "behaviours/qc_bot_rotate.h"

#include "behaviours/bot_common.h"
#include "engine/service/qc_log.h"

namespace QOR {

QS_TURN_RUN::QS_TURN_RUN(QS_TRANSFORM3* target, const QS_VEC3& turn, float duration, float speed, float delay)
    : _target(target), _direction(turn), _remaining(duration), _speed(speed), _delayLeft(delay), _endCallback(nullptr) {
  if (fResolveDurationSpeed(_remaining, _speed, _direction.fLength()) != QE_DURATION_SPEED::kBothGiven) {
    _direction.fNormalize();
  }
}

bool QS_TURN_RUN::fStep() {
  bool delayEnded = false;
  if (!fCountDelay(_delayLeft, delayEnded)) return false;
  if (!(_remaining > 0.0f)) return true;
  const float dt = fBotDelta();
  const QS_VEC3 step = _direction * (dt * _speed);
  _target->fAddRotation(step.x, step.y, step.z);
  _remaining -= dt;
  return false;
}

QC_BOT_ROTATE_ON::QC_BOT_ROTATE_ON(QS_TRANSFORM3* target, float duration, float speed, float angleX, float angleY,
                                   float angleZ, float delay)
    : _run(target, QS_VEC3(angleX, angleY, angleZ), duration, speed, delay) {
  fInitBot(*this, "bot_rotate");
}

int QC_BOT_ROTATE_ON::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t d) {
  if (id == kMessageEndCallback) _run._endCallback = fArgToPointer<QC_CALLBACK>(d);
  if (id != kMessageUpdate || !_run.fStep()) return kGoOn;
  fLog("BOT_ROTATE_SELF_DESTROY ");
  fFireEndCallback(_run._endCallback);
  return kDeleteMe;
}

QC_BOT_ROTATE_TO::QC_BOT_ROTATE_TO(QS_TRANSFORM3* target, float duration, float speed, float goalX, float goalY,
                                   float goalZ, float delay)
    : _run(target, QS_VEC3(goalX, goalY, goalZ) - target->_rotation, duration, speed, delay) {
  fInitBot(*this, "bot_rotate");
}

int QC_BOT_ROTATE_TO::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t d) {
  if (id == kMessageEndCallback) _run._endCallback = fArgToPointer<QC_CALLBACK>(d);
  if (id != kMessageUpdate || !_run.fStep()) return kGoOn;
  fFireEndCallback(_run._endCallback);
  fLog("BOT_ROTATE_SELF_DESTROY");
  return kDeleteMe;
}

}  // namespace QOR
