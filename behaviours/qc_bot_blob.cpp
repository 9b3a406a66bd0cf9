#include "behaviours/qc_bot_blob.h"

#include "behaviours/bot_common.h"
#include "engine/math/interpolation.h"

namespace QOR {

QC_BOT_BLOB::QC_BOT_BLOB(QS_TRANSFORM3* target, float duration, float amplitude, float frequency, float damping,
                         float startScale, float endScale, float delay, bool repeat)
    : _duration(duration),
      _frequency(frequency),
      _amplitude(amplitude),
      _damping(damping),
      _startScale(startScale),
      _endScale(endScale),
      _delay(delay),
      _repeat(repeat),
      _reached(false),
      _endCallback(nullptr),
      _target(target),
      _elapsed(0.0f),
      _delayLeft(delay) {
  fInitBot(*this, "bot_blob");
  fSetTargetScale(startScale);
}

int QC_BOT_BLOB::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t d) {
  return fBotMessage(id, d, _endCallback, [this] { return fUpdate(); });
}

void QC_BOT_BLOB::fSetTargetScale(float scale) {
  if (_target != nullptr) _target->fSetScale(scale, scale, 0.0f);
}

int QC_BOT_BLOB::fUpdate() {
  const float dt = fBotDelta();
  if (_delayLeft > 0.0f) {
    _delayLeft -= dt;
    return kGoOn;
  }
  // Written as "not at most" so that a NaN duration ends the cycle instead of dividing by it.
  if (!(_elapsed <= _duration)) {
    if (!_repeat) return kDeleteMe;
    _reached = false;
    _elapsed = 0.0f;
    _delayLeft = _delay;
    fSetTargetScale(_startScale);
    return kGoOn;
  }
  // A zero duration still runs the one step in which elapsed equals it, at t = 0.
  const float t = _duration > 0.0f ? _elapsed / _duration : 0.0f;
  const float oscillation = fDampedOscillation(t, _frequency, _amplitude, _damping);
  float value;
  if (_reached) {
    value = _endScale + oscillation;
  } else {
    value = _startScale + (_endScale - _startScale) * t * _frequency;
    if (value >= _endScale) _reached = true;
  }
  fSetTargetScale(value);
  _elapsed += dt;
  return kGoOn;
}

}  // namespace QOR
