#include "engine/platform/qc_timer.h"

#include "engine/platform/qc_window.h"

namespace QOR {

QC_TIMER::QC_TIMER() : _output(nullptr), _total(0.0f), _step(0.0f), _maxStep(0.0f) {
  _start = _now = _last = QC_WINDOW::fGetTime();
}

float QC_TIMER::fTick() {
  _now = QC_WINDOW::fGetTime();
  // Unsigned difference: the millisecond counter's wrap-around still gives the true small step.
  const std::uint32_t elapsed = _now - _last;
  _step = static_cast<float>(static_cast<double>(elapsed) / 1000.0);
  if (_maxStep != 0.0f && _step > _maxStep) _step = _maxStep;
  _last = _now;
  if (_output != nullptr) *_output = _step;
  _total += _step;
  return _step;
}

}  // namespace QOR
