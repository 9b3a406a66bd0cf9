#include "behaviours/qc_bot_move.h"

#include "behaviours/bot_common.h"
#include "engine/service/qc_log.h"

namespace QOR {

QC_BOT_MOVE::QC_BOT_MOVE(QS_TRANSFORM3* target, float duration, float speed, float endX, float endY, float endZ,
                         float delay)
    : _target(target),
      _givenDuration(duration),
      _givenSpeed(speed),
      _remaining(duration),
      _speed(speed),
      _end(endX, endY, endZ),
      _delayLeft(delay),
      _endCallback(nullptr) {
  fInitBot(*this, "bot_move");
  if (_delayLeft <= 0.0f) fSetUp();
}

void QC_BOT_MOVE::fSetUp() {
  _direction = _end - _target->_position;
  _remaining = _givenDuration;
  _speed = _givenSpeed;
  fResolveDurationSpeed(_remaining, _speed, _direction.fLength());
  _direction.fNormalize();
}

int QC_BOT_MOVE::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t d) {
  return fBotMessage(id, d, _endCallback, [this] { return fStep(); });
}

int QC_BOT_MOVE::fStep() {
  bool delayEnded = false;
  if (!fCountDelay(_delayLeft, delayEnded)) {
    if (delayEnded) fSetUp();
    return kGoOn;
  }
  if (!(_remaining > 0.0f)) {
    _target->_position = _end;
    fFireEndCallback(_endCallback);
    fLog("BOT_SELF_DESTROY");
    return kDeleteMe;
  }
  const float dt = fBotDelta();
  _target->_position += _direction * (_speed * dt);
  _remaining -= dt;
  return kGoOn;
}

QC_BOT_MOVE_ON::QC_BOT_MOVE_ON(QS_TRANSFORM3* target, float duration, float speed, float velocityX, float velocityY,
                               float, std::uint32_t word)
    : _target(target), _remaining(duration), _speed(speed), _velocityX(velocityX), _velocityY(velocityY), _word(word) {}

int QC_BOT_MOVE_ON::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t) {
  if (id != kMessageUpdate) return kGoOn;
  const float dt = fBotDelta();
  _remaining -= dt;
  if (!(_remaining > 0.0f)) return kDeleteMe;
  _target->fAddPosition(_velocityX * dt, _velocityY * dt, 0.0f);
  return kGoOn;
}

}  // namespace QOR
