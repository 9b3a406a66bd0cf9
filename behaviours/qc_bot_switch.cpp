#include "behaviours/qc_bot_switch.h"

#include "behaviours/bot_common.h"
#include "engine/math/interpolation.h"
#include "engine/math/transform_numbers.h"

namespace QOR {

QC_BOT_SWITCH::QC_BOT_SWITCH(QS_TRANSFORM3* target, float duration, const QS_TRANSFORM3& first,
                             const QS_TRANSFORM3& second, float delay)
    : _target(target),
      _first(first),
      _second(second),
      _toSecond(false),
      _duration(duration),
      _elapsed(0.0f),
      _currentDuration(duration),
      _delay(delay),
      _delayLeft(0.0f),
      _endCallback(nullptr) {
  fInitBot(*this, "bot_switch");
  _updateLevel = 0;
}

int QC_BOT_SWITCH::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t d) {
  return fBotMessage(id, d, _endCallback, [this] { return fStep(); });
}

void QC_BOT_SWITCH::fSwitchTo(bool second) {
  _toSecond = second;
  fCopyTransformNumbers(_from, *_target);
  _currentDuration = isRunning() ? _elapsed : _duration;
  _updateLevel = 1;
  _elapsed = 0.0f;
  _delayLeft = _delay;
}

int QC_BOT_SWITCH::fStep() {
  if (!isRunning()) return kGoOn;
  bool delayEnded = false;
  if (!fCountDelay(_delayLeft, delayEnded)) return kGoOn;
  _elapsed += fBotDelta();
  const QS_TRANSFORM3& destination = _toSecond ? _second : _first;
  if (_elapsed < _currentDuration) {
    fLerpTransform(*_target, _from, destination, _elapsed / _currentDuration);
  } else {
    _updateLevel = 0;
    fCopyTransformNumbers(*_target, destination);
  }
  return kGoOn;
}

}  // namespace QOR
