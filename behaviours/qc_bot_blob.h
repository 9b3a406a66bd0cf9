// A scale pulse: grows a transform from a start scale to an end scale, then lets it swing about
// the end scale with a damped oscillation until the cycle's duration is over.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/objects/qc_base.h"
#include "engine/service/qc_callback.h"

namespace QOR {

class QC_BOT_BLOB : public QC_BASE {
 public:
  // Note that amplitude comes before frequency. Sets the target's scale to the start scale at once.
  QC_BOT_BLOB(QS_TRANSFORM3* target, float duration, float amplitude, float frequency, float damping,
              float startScale, float endScale, float delay, bool repeat);

  // 1: the step; 38: d is kept as the end callback, which the blob never fires.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;
  // One step on the frame delta: 0, or -113 once a cycle is over without repeat.
  int fUpdate();

  float _duration;
  float _frequency;  // also the speed factor of the growth phase
  float _amplitude;
  float _damping;
  float _startScale;
  float _endScale;
  float _delay;
  bool _repeat;
  bool _reached;  // the growth phase has reached the end scale
  QC_CALLBACK* _endCallback;
  // The owner may retarget a finished blob by writing these three. A null target makes the steps
  // run their time without writing anything.
  QS_TRANSFORM3* _target;
  float _elapsed;
  float _delayLeft;

 private:
  void fSetTargetScale(float scale);
};

}  // namespace QOR
