#include "behaviours/qc_bot_scale.h"

#include "behaviours/bot_common.h"

namespace QOR {

QC_BOT_SCALE::QC_BOT_SCALE(QS_TRANSFORM3* target, float duration, float speed, float endX, float endY, float endZ,
                           float delay)
    : _target(target),
      _givenDuration(duration),
      _givenSpeed(speed),
      _remaining(duration),
      _speed(speed),
      _end(endX, endY, endZ),
      _delayLeft(delay),
      _endCallback(nullptr) {
  fInitBot(*this, "bot_scale");
  fSetUp();
}

void QC_BOT_SCALE::fSetUp() {
  _direction = _end - _target->_scale;
  _remaining = _givenDuration;
  _speed = _givenSpeed;
  switch (fResolveDurationSpeed(_remaining, _speed, _direction.fLength())) {
    case QE_DURATION_SPEED::kComputed:
      _direction.fNormalize();
      break;
    case QE_DURATION_SPEED::kBothZero:
      _speed = 1.0f;
      break;
    case QE_DURATION_SPEED::kBothGiven:
      break;
  }
}

int QC_BOT_SCALE::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t d) {
  return fBotMessage(id, d, _endCallback, [this] { return fStep(); });
}

int QC_BOT_SCALE::fStep() {
  bool delayEnded = false;
  if (!fCountDelay(_delayLeft, delayEnded)) {
    if (delayEnded) fSetUp();
    return kGoOn;
  }
  if (!(_remaining > 0.0f)) {
    _target->_scale = _end;
    return kDeleteMe;
  }
  const float dt = fBotDelta();
  const QS_VEC3 step = _direction * (_speed * dt);
  _target->fAddScale(step.x, step.y, step.z);
  _remaining -= dt;
  return kGoOn;
}

}  // namespace QOR
