// A timer: after its duration it writes a value into an integer variable, when it has one, and
// fires its end callback.
#pragma once

#include "engine/objects/qc_base.h"
#include "engine/service/qc_callback.h"

#include <cstdint>

namespace QOR {

class QC_BOT_SLEEP : public QC_BASE {
 public:
  QC_BOT_SLEEP(int* variable, QC_CALLBACK* endCallback, float duration, std::int32_t value);

  // 1: the step; 38: d replaces the end callback.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;

 private:
  int* _variable;  // may be null
  QC_CALLBACK* _endCallback;
  float _remaining;
  std::int32_t _value;
};

}  // namespace QOR
