// Swings a float variable as amplitude * sin(t / time scale), by integrating its rate each step.
// It never ends by itself.
#pragma once

#include "engine/objects/qc_base.h"

namespace QOR {

class QC_BOT_SWING : public QC_BASE {
 public:
  // The variable is required; a swing without one logs the failed check once and does nothing.
  QC_BOT_SWING(float* variable, float amplitude, float startTime, float timeScale, float delay);

  // 1: the step; nothing else is taken.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;

 private:
  int fStep();

  float* _variable;
  float _amplitude;
  float _startTime;
  float _timeScale;
  float _time;  // below 0 while the delay runs
  float _rate;  // amplitude / time scale
  bool _reported;
};

}  // namespace QOR
