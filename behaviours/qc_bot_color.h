// Fades the colour of every vertex of a vertex array from its colour at the start to an end
// colour, channel by channel, and lands on the end colour exactly.
#pragma once

#include "engine/objects/qc_base.h"
#include "engine/render/qc_color.h"
#include "engine/render/qs_vertex_array.h"
#include "engine/service/qc_callback.h"

namespace QOR {

class QC_BOT_COLOR : public QC_BASE {
 public:
  // The start colour is the first vertex's, read here or when the delay ends.
  QC_BOT_COLOR(QS_VERTEX_ARRAY* target, float duration, QC_COLOR32 endColor, float delay);

  // 1: the step; 38: d is kept as the end callback, fired at the end.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;

 private:
  void fSetUp();
  int fStep();

  QS_VERTEX_ARRAY* _target;
  float _duration;
  float _elapsed;
  float _remaining;
  QC_COLOR32 _start;
  QC_COLOR32 _end;
  // End minus start per channel: alpha, red, green, blue.
  int _difference[4];
  float _delayLeft;
  QC_CALLBACK* _endCallback;
};

}  // namespace QOR
