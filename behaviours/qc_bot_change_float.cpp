#include "behaviours/qc_bot_change_float.h"

#include "behaviours/bot_common.h"
#include "engine/service/qc_log.h"

namespace QOR {

QC_BOT_CHANGE_FLOAT::QC_BOT_CHANGE_FLOAT(float* variable, float amount, float duration, float speed, float delay)
    : _variable(variable), _remaining(duration), _speed(speed), _delayLeft(delay), _endCallback(nullptr) {
  fInitBot(*this, "bot_blink_change_float");
  fResolveDurationSpeed(_remaining, _speed, amount);
}

int QC_BOT_CHANGE_FLOAT::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t d) {
  return fBotMessage(id, d, _endCallback, [this] { return fStep(); });
}

int QC_BOT_CHANGE_FLOAT::fStep() {
  bool delayEnded = false;
  if (!fCountDelay(_delayLeft, delayEnded)) return kGoOn;
  if (!(_remaining > 0.0f)) {
    fLog("QC_BOT_CHANGE_FLOAT killed");
    fFireEndCallback(_endCallback);
    return kDeleteMe;
  }
  const float dt = fBotDelta();
  if (_variable != nullptr) *_variable += _speed * dt;
  _remaining -= dt;
  return kGoOn;
}

}  // namespace QOR
