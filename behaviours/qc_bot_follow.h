// Pulls a follower transform towards a leader, each step by the distance between them times the
// speed and the frame delta, so it slows as it closes in. A lifetime of 0 means endless; with
// stop-when-close the follower ends once it is within 1.0 of the leader.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/objects/qc_base.h"
#include "engine/service/qc_callback.h"

namespace QOR {

class QC_BOT_FOLLOW : public QC_BASE {
 public:
  QC_BOT_FOLLOW(QS_TRANSFORM3* follower, QS_TRANSFORM3* leader, float speed, float lifetime, bool stopWhenClose,
                float delay);

  // 1: the step; 38: d is kept as the end callback, fired at the end.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;

 private:
  int fStep();

  QS_TRANSFORM3* _follower;
  QS_TRANSFORM3* _leader;
  float _speed;
  float _lifetime;
  bool _endless;
  bool _stopWhenClose;
  float _delayLeft;
  QC_CALLBACK* _endCallback;
};

}  // namespace QOR
