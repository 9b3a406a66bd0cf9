#include "behaviours/qc_bot_follow.h"

#include "behaviours/bot_common.h"
#include "engine/service/qc_log.h"

namespace QOR {

QC_BOT_FOLLOW::QC_BOT_FOLLOW(QS_TRANSFORM3* follower, QS_TRANSFORM3* leader, float speed, float lifetime,
                             bool stopWhenClose, float delay)
    : _follower(follower),
      _leader(leader),
      _speed(speed),
      _lifetime(lifetime),
      _endless(lifetime == 0.0f),
      _stopWhenClose(stopWhenClose),
      _delayLeft(delay),
      _endCallback(nullptr) {
  fInitBot(*this, "bot_follow");
}

int QC_BOT_FOLLOW::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t d) {
  return fBotMessage(id, d, _endCallback, [this] { return fStep(); });
}

int QC_BOT_FOLLOW::fStep() {
  bool delayEnded = false;
  if (!fCountDelay(_delayLeft, delayEnded)) return kGoOn;
  if (!_endless && !(_lifetime > 0.0f)) {
    fLog("QC_BOT_FOLLOW killed");
    fFireEndCallback(_endCallback);
    return kDeleteMe;
  }
  const float dt = fBotDelta();
  const QS_VEC3 gap = _leader->_position - _follower->_position;
  const QS_VEC3 step = gap * (dt * _speed);
  _follower->fAddPosition(step.x, step.y, step.z);
  if (_stopWhenClose && gap.fLength() <= 1.0f) {
    _lifetime = 0.0f;
    _endless = false;
  }
  _lifetime -= dt;
  return kGoOn;
}

}  // namespace QOR
