// Changes a float variable by an amount at a constant rate, in a given time or at a given speed.
#pragma once

#include "engine/objects/qc_base.h"
#include "engine/service/qc_callback.h"

namespace QOR {

class QC_BOT_CHANGE_FLOAT : public QC_BASE {
 public:
  // Duration and speed are settled over the amount (see fResolveDurationSpeed).
  QC_BOT_CHANGE_FLOAT(float* variable, float amount, float duration, float speed, float delay);

  // 1: the step; 38: d is kept as the end callback, fired at the end.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;

 private:
  int fStep();

  float* _variable;  // a null variable is left alone
  float _remaining;
  float _speed;
  float _delayLeft;
  QC_CALLBACK* _endCallback;
};

}  // namespace QOR
