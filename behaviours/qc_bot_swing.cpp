#include "behaviours/qc_bot_swing.h"

#include "behaviours/bot_common.h"
#include "engine/service/qc_log.h"

#include <cmath>

namespace QOR {

QC_BOT_SWING::QC_BOT_SWING(float* variable, float amplitude, float startTime, float timeScale, float delay)
    : _variable(variable),
      _amplitude(amplitude),
      _startTime(startTime),
      _timeScale(timeScale),
      _time(-delay),
      _rate(timeScale != 0.0f ? amplitude / timeScale : 0.0f),
      _reported(false) {
  fInitBot(*this, "bot_swing");
}

int QC_BOT_SWING::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t) {
  return id == kMessageUpdate ? fStep() : kGoOn;
}

int QC_BOT_SWING::fStep() {
  if (_variable == nullptr) {
    if (!_reported) fLog("Assertion failed: m_target, file framework\\MULTICOMPONENTS\\BOTS\\QC_BOT_SWING, line 38");
    _reported = true;
    return kGoOn;
  }
  // A zero time scale would divide by zero: such a swing holds its variable still.
  if (_timeScale == 0.0f) return kGoOn;
  const float dt = fBotDelta();
  if (_time < 0.0f) {
    _time += dt;
    if (_time >= 0.0f) {
      _time = _startTime;
      *_variable += static_cast<float>(static_cast<double>(_startTime / _timeScale * _amplitude) * 0.85);
    }
    return kGoOn;
  }
  _time += dt;
  *_variable += std::cos(_time / _timeScale) * _rate * dt;
  return kGoOn;
}

}  // namespace QOR
