// Grows or shrinks a transform's scale towards an end scale at a constant rate and lands on it.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/math/qs_vec3.h"
#include "engine/objects/qc_base.h"
#include "engine/service/qc_callback.h"

namespace QOR {

class QC_BOT_SCALE : public QC_BASE {
 public:
  // The set-up runs here and again when a delay ends, each time from the scale the target has then.
  QC_BOT_SCALE(QS_TRANSFORM3* target, float duration, float speed, float endX, float endY, float endZ, float delay);

  // 1: the step; 38: d is kept as the end callback, which is never fired.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;

 private:
  // The difference end - current scale, with duration and speed settled from the given ones: a
  // unit direction when one was computed, unchanged when both were given, and unchanged at speed
  // 1 over one second when neither was.
  void fSetUp();
  int fStep();

  QS_TRANSFORM3* _target;
  float _givenDuration;
  float _givenSpeed;
  float _remaining;
  float _speed;
  QS_VEC3 _end;
  QS_VEC3 _direction;
  float _delayLeft;
  QC_CALLBACK* _endCallback;
};

}  // namespace QOR
