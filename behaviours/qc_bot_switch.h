// Eases a transform between two stored states on request. It rests (update level 0) until asked
// to switch, and never ends by itself.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/objects/qc_base.h"
#include "engine/service/qc_callback.h"

namespace QOR {

class QC_BOT_SWITCH : public QC_BASE {
 public:
  // Rests heading for the first state; the target is not touched until a switch.
  QC_BOT_SWITCH(QS_TRANSFORM3* target, float duration, const QS_TRANSFORM3& first, const QS_TRANSFORM3& second,
                float delay);

  // 1: the step; 38: d is kept as the end callback, which is never fired.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;

  // Starts easing from where the target is now to the first or the second state. From rest it
  // takes the duration; turned round while running it takes the time already spent, so the way
  // back is as long as the way made.
  void fSwitchTo(bool second);
  // Switches to the state it is not heading for.
  void fToggle() { fSwitchTo(!_toSecond); }
  bool isRunning() const { return _updateLevel != 0; }
  bool isHeadingForSecond() const { return _toSecond; }

 private:
  int fStep();

  QS_TRANSFORM3* _target;
  QS_TRANSFORM3 _first;
  QS_TRANSFORM3 _second;
  QS_TRANSFORM3 _from;
  bool _toSecond;
  float _duration;
  float _elapsed;
  float _currentDuration;
  float _delay;
  float _delayLeft;
  QC_CALLBACK* _endCallback;
};

}  // namespace QOR
