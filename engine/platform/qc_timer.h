// Millisecond frame timer: each tick measures the seconds since the previous one.
#pragma once

#include <cstdint>

namespace QOR {

class QC_TIMER {
 public:
  QC_TIMER();

  void fSetOutput(float* output) { _output = output; }
  // Seconds since the previous tick, also written to the output when one is set.
  float fTick();

  float fGetStep() const { return _step; }
  float fGetTotal() const { return _total; }
  // When non-zero, a longer step is cut down to it.
  void fSetMaxStep(float maximum) { _maxStep = maximum; }

 private:
  float* _output;
  std::uint32_t _start;
  std::uint32_t _now;
  std::uint32_t _last;
  float _total;
  float _step;
  float _maxStep;
};

}  // namespace QOR
