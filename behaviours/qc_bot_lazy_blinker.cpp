#include "behaviours/qc_bot_lazy_blinker.h"

#include "behaviours/bot_common.h"

namespace QOR {

QC_BOT_LAZY_BLINKER::QC_BOT_LAZY_BLINKER(QS_VERTEX_ARRAY* target, bool hidden, float fadeTime, float holdTime)
    : _target(target),
      _hidden(hidden),
      _fadeTime(fadeTime),
      _holdTime(holdTime),
      _fadeLeft(fadeTime),
      _holdLeft(holdTime),
      _count(0),
      _endless(false),
      _delayLeft(0.0f) {
  fInitBot(*this, "bot_lazy_blinker");
}

int QC_BOT_LAZY_BLINKER::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t) {
  return id == kMessageUpdate ? fStep() : kGoOn;
}

void QC_BOT_LAZY_BLINKER::fSetUp() {
  _from = QC_COLORF(_target->fGetColor());
  const QC_COLORF to(_from.r, _from.g, _from.b, _hidden ? 0.0f : 1.0f);
  _difference = to - _from;
}

void QC_BOT_LAZY_BLINKER::fStart(int count, float delay) {
  _count = count;
  _endless = count == 0;
  _delayLeft = delay;
  _fadeLeft = _fadeTime;
  _holdLeft = _holdTime;
  if (delay <= 0.0f) fSetUp();
}

void QC_BOT_LAZY_BLINKER::fToggle(float delay) {
  _hidden = !_hidden;
  fStart(1, delay);
}

void QC_BOT_LAZY_BLINKER::fSetState(bool hidden, float delay) {
  _hidden = hidden;
  fStart(1, delay);
}

int QC_BOT_LAZY_BLINKER::fStep() {
  bool delayEnded = false;
  if (!fCountDelay(_delayLeft, delayEnded)) {
    if (delayEnded) fSetUp();
    return kGoOn;
  }
  if (_count < 1 && !_endless) return kGoOn;
  const float dt = fBotDelta();
  // A positive countdown means a positive fade time, so the fraction is defined.
  // The fade's last step lands on the colour it leads to, so a hidden array is fully hidden.
  if (_fadeLeft > 0.0f) {
    _target->fSetColor((_from + _difference * ((_fadeTime - _fadeLeft) / _fadeTime)).fGetARGB());
    _fadeLeft -= dt;
    if (_fadeLeft <= 0.0f) _target->fSetColor((_from + _difference).fGetARGB());
    return kGoOn;
  }
  if (_holdLeft > 0.0f) {
    _holdLeft -= dt;
    return kGoOn;
  }
  _hidden = !_hidden;
  fSetUp();
  _fadeLeft = _fadeTime;
  _holdLeft = _holdTime;
  if (!_endless) --_count;
  return kGoOn;
}

}  // namespace QOR
