// Blinkers of a vertex array's opacity at random periods: the pulse jumps to a new random alpha at
// each period, the analog one glides to it. After count pulses a blinker pauses; with a count it
// ends when its lifetime runs out (unless endless), with count 0 it blinks until deleted.
#pragma once

#include "engine/objects/qc_base.h"
#include "engine/render/qs_vertex_array.h"
#include "engine/service/qc_callback.h"

namespace QOR {

// The schedule both blinkers share. Not a bot by itself.
class QS_BLINK_RUN {
 public:
  QS_BLINK_RUN(QS_VERTEX_ARRAY* target, int minAlpha, int maxAlpha, float minPeriod, float maxPeriod, int count,
               float pause, bool endless, float lifetime, float delay);

  // What a step should do after the delay, the end test and the pause.
  enum class QE_PHASE { kWait, kEnd, kRun };
  // Waits out the delay, tests the end and runs the pause between series of pulses.
  QE_PHASE fBegin();
  // The random period and alpha of a new pulse, from the most recently made random generator
  // (the lower ends when there is none; the upper alpha itself is never drawn).
  float fDrawPeriod() const;
  int fDrawAlpha() const;
  // The first vertex's colour with the alpha replaced (kept to 0..255), given to every vertex.
  void fApplyAlpha(int alpha);
  // Lifetime and period countdown lose the frame delta.
  void fEnd();

  QS_VERTEX_ARRAY* _target;
  int _minAlpha;
  int _maxAlpha;
  float _minPeriod;
  float _maxPeriod;
  int _count;
  float _pause;
  bool _endless;
  float _lifetime;
  float _delayLeft;
  float _periodLeft;
  int _pulses;
  float _pauseLeft;
  QC_CALLBACK* _endCallback;  // kept, never fired
};

class QC_BOT_BLINK_PULSE : public QC_BASE {
 public:
  QC_BOT_BLINK_PULSE(QS_VERTEX_ARRAY* target, int minAlpha, int maxAlpha, float minPeriod, float maxPeriod, int count,
                     float pause, bool endless, float lifetime, float delay);

  // 1: the step; 38: d is kept as the end callback, which is never fired.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;

 private:
  int fStep();

  QS_BLINK_RUN _run;
  int _alpha;
};

class QC_BOT_BLINK_ANALOG : public QC_BASE {
 public:
  QC_BOT_BLINK_ANALOG(QS_VERTEX_ARRAY* target, int minAlpha, int maxAlpha, float minPeriod, float maxPeriod, int count,
                      float pause, bool endless, float lifetime, float delay);

  // 1: the step; 38: d is kept as the end callback, which is never fired.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;

 private:
  int fStep();

  QS_BLINK_RUN _run;
  float _alpha;
  float _previousAlpha;
  float _nextAlpha;
  float _glideSpeed;  // alpha per second
};

}  // namespace QOR
