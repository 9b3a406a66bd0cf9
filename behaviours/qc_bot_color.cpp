#include "behaviours/qc_bot_color.h"

#include "behaviours/bot_common.h"
#include "engine/math/float_to_int.h"

#include <algorithm>

namespace QOR {

namespace {

// start + difference * fraction, cut to an integer and kept to a byte.
std::uint8_t fChannel(std::uint8_t start, int difference, float fraction) {
  const int value = fTruncateToInt(static_cast<double>(start) + static_cast<double>(difference) * fraction);
  return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

QC_BOT_COLOR::QC_BOT_COLOR(QS_VERTEX_ARRAY* target, float duration, QC_COLOR32 endColor, float delay)
    : _target(target),
      _duration(duration),
      _elapsed(0.0f),
      _remaining(duration),
      _start(0u),
      _end(endColor),
      _difference{0, 0, 0, 0},
      _delayLeft(delay),
      _endCallback(nullptr) {
  fInitBot(*this, "bot_color");
  if (_delayLeft <= 0.0f) fSetUp();
}

void QC_BOT_COLOR::fSetUp() {
  _start = _target->fGetColor();
  _difference[0] = _end.a - _start.a;
  _difference[1] = _end.r - _start.r;
  _difference[2] = _end.g - _start.g;
  _difference[3] = _end.b - _start.b;
}

int QC_BOT_COLOR::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t d) {
  return fBotMessage(id, d, _endCallback, [this] { return fStep(); });
}

int QC_BOT_COLOR::fStep() {
  bool delayEnded = false;
  if (!fCountDelay(_delayLeft, delayEnded)) {
    if (delayEnded) fSetUp();
    return kGoOn;
  }
  if (!(_remaining > 0.0f)) {
    _target->fSetColor(_end.fGetARGB());
    fFireEndCallback(_endCallback);
    return kDeleteMe;
  }
  // A positive remaining time means a positive duration, so the fraction is defined.
  const float fraction = _elapsed / _duration;
  const QC_COLOR32 color(fChannel(_start.a, _difference[0], fraction), fChannel(_start.r, _difference[1], fraction),
                         fChannel(_start.g, _difference[2], fraction), fChannel(_start.b, _difference[3], fraction));
  _target->fSetColor(color.fGetARGB());
  const float dt = fBotDelta();
  _elapsed += dt;
  _remaining -= dt;
  return kGoOn;
}

}  // namespace QOR
