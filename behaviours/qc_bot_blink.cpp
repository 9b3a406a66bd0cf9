#include "behaviours/qc_bot_blink.h"

#include "behaviours/bot_common.h"
#include "engine/math/float_to_int.h"
#include "engine/platform/qc_random.h"
#include "engine/render/qc_color.h"
#include "engine/service/qc_log.h"

#include <algorithm>

namespace QOR {

QS_BLINK_RUN::QS_BLINK_RUN(QS_VERTEX_ARRAY* target, int minAlpha, int maxAlpha, float minPeriod, float maxPeriod,
                           int count, float pause, bool endless, float lifetime, float delay)
    : _target(target),
      _minAlpha(minAlpha),
      _maxAlpha(maxAlpha),
      _minPeriod(minPeriod),
      _maxPeriod(maxPeriod),
      _count(count),
      _pause(pause),
      _endless(endless),
      _lifetime(lifetime),
      _delayLeft(delay),
      _periodLeft(0.0f),
      _pulses(0),
      _pauseLeft(pause),
      _endCallback(nullptr) {}

QS_BLINK_RUN::QE_PHASE QS_BLINK_RUN::fBegin() {
  bool delayEnded = false;
  if (!fCountDelay(_delayLeft, delayEnded)) return QE_PHASE::kWait;
  if (_lifetime <= 0.0f && !_endless && _count != 0) {
    fApplyAlpha(255);
    return QE_PHASE::kEnd;
  }
  if (_count != 0 && _pulses == _count) {
    if (_pauseLeft > 0.0f) {
      const float dt = fBotDelta();
      _pauseLeft -= dt;
      _lifetime -= dt;
      return QE_PHASE::kWait;
    }
    _pulses = 0;
    _pauseLeft = _pause;
  }
  return QE_PHASE::kRun;
}

float QS_BLINK_RUN::fDrawPeriod() const {
  return qcCurrentRandom != nullptr ? qcCurrentRandom->fRandFloat(_minPeriod, _maxPeriod) : _minPeriod;
}

int QS_BLINK_RUN::fDrawAlpha() const {
  return qcCurrentRandom != nullptr ? qcCurrentRandom->fRandInt(_minAlpha, _maxAlpha) : _minAlpha;
}

void QS_BLINK_RUN::fApplyAlpha(int alpha) {
  QC_COLOR32 color(_target->fGetColor());
  color.a = static_cast<std::uint8_t>(std::clamp(alpha, 0, 255));
  _target->fSetColor(color.fGetARGB());
}

void QS_BLINK_RUN::fEnd() {
  const float dt = fBotDelta();
  _lifetime -= dt;
  _periodLeft -= dt;
}

QC_BOT_BLINK_PULSE::QC_BOT_BLINK_PULSE(QS_VERTEX_ARRAY* target, int minAlpha, int maxAlpha, float minPeriod,
                                       float maxPeriod, int count, float pause, bool endless, float lifetime,
                                       float delay)
    : _run(target, minAlpha, maxAlpha, minPeriod, maxPeriod, count, pause, endless, lifetime, delay), _alpha(0) {
  fInitBot(*this, "bot_blink_pulse");
  _run._periodLeft = _run.fDrawPeriod();
}

int QC_BOT_BLINK_PULSE::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t d) {
  return fBotMessage(id, d, _run._endCallback, [this] { return fStep(); });
}

int QC_BOT_BLINK_PULSE::fStep() {
  switch (_run.fBegin()) {
    case QS_BLINK_RUN::QE_PHASE::kWait:
      return kGoOn;
    case QS_BLINK_RUN::QE_PHASE::kEnd:
      fLog("QC_BOT_BLINK_PULSE killed");
      return kDeleteMe;
    case QS_BLINK_RUN::QE_PHASE::kRun:
      break;
  }
  if (_run._periodLeft <= 0.0f) {
    _run._periodLeft = _run.fDrawPeriod();
    _alpha = _run.fDrawAlpha();
    _run.fApplyAlpha(_alpha);
    ++_run._pulses;
  }
  _run.fEnd();
  return kGoOn;
}

QC_BOT_BLINK_ANALOG::QC_BOT_BLINK_ANALOG(QS_VERTEX_ARRAY* target, int minAlpha, int maxAlpha, float minPeriod,
                                         float maxPeriod, int count, float pause, bool endless, float lifetime,
                                         float delay)
    : _run(target, minAlpha, maxAlpha, minPeriod, maxPeriod, count, pause, endless, lifetime, delay),
      _alpha(static_cast<float>(QC_COLOR32(target->fGetColor()).a)),
      _previousAlpha(_alpha),
      _nextAlpha(_alpha),
      _glideSpeed(0.0f) {
  fInitBot(*this, "bot_blink_analog");
}

int QC_BOT_BLINK_ANALOG::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t d) {
  return fBotMessage(id, d, _run._endCallback, [this] { return fStep(); });
}

int QC_BOT_BLINK_ANALOG::fStep() {
  switch (_run.fBegin()) {
    case QS_BLINK_RUN::QE_PHASE::kWait:
      return kGoOn;
    case QS_BLINK_RUN::QE_PHASE::kEnd:
      fLog("QC_BOT_BLINK_ANALOG killed");
      return kDeleteMe;
    case QS_BLINK_RUN::QE_PHASE::kRun:
      break;
  }
  if (_run._periodLeft <= 0.0f) {
    const float period = _run.fDrawPeriod();
    _run._periodLeft = period;
    _previousAlpha = _nextAlpha;
    _nextAlpha = static_cast<float>(_run.fDrawAlpha());
    // A period of no length jumps to the new alpha instead of dividing by zero.
    if (period > 0.0f) {
      _glideSpeed = (_nextAlpha - _previousAlpha) / period;
    } else {
      _glideSpeed = 0.0f;
      _alpha = _nextAlpha;
    }
    ++_run._pulses;
  }
  _alpha += _glideSpeed * fBotDelta();
  _run.fApplyAlpha(fTruncateToInt(_alpha));
  _run.fEnd();
  return kGoOn;
}

}  // namespace QOR
