#include "behaviours/qc_bot_sleep.h"

#include "behaviours/bot_common.h"

namespace QOR {

QC_BOT_SLEEP::QC_BOT_SLEEP(int* variable, QC_CALLBACK* endCallback, float duration, std::int32_t value)
    : _variable(variable), _endCallback(endCallback), _remaining(duration), _value(value) {
  fInitBot(*this, "bot_sleep");
}

int QC_BOT_SLEEP::fMessage(int id, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t d) {
  if (id == kMessageEndCallback) _endCallback = fArgToPointer<QC_CALLBACK>(d);
  if (id != kMessageUpdate) return kGoOn;
  _remaining -= fBotDelta();
  if (_remaining > 0.0f) return kGoOn;
  if (_variable != nullptr) *_variable = _value;
  fFireEndCallback(_endCallback);
  return kDeleteMe;
}

}  // namespace QOR
