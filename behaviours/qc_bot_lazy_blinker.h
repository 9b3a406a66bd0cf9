// A fading toggle of a vertex array's opacity: on request it fades the array to hidden (alpha 0)
// or shown (alpha 1), holds, and flips, for a number of toggles or endlessly. It rests until one
// of the start operations is called, and never ends by itself.
#pragma once

#include "engine/objects/qc_base.h"
#include "engine/render/qc_color.h"
#include "engine/render/qs_vertex_array.h"

namespace QOR {

class QC_BOT_LAZY_BLINKER : public QC_BASE {
 public:
  // hidden: the state the next fade leads to.
  QC_BOT_LAZY_BLINKER(QS_VERTEX_ARRAY* target, bool hidden, float fadeTime, float holdTime);

  // 1: the step; nothing else is taken.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;

  // count toggles (0: endless) after delay seconds; the fade starts from the colour the array has
  // when the delay is over.
  void fStart(int count, float delay);
  void fStartOnce(float delay) { fStart(1, delay); }
  // Flips the state to lead to, then one toggle.
  void fToggle(float delay);
  // Sets the state to lead to, then one toggle.
  void fSetState(bool hidden, float delay);
  bool isHidden() const { return _hidden; }

 private:
  // Captures the colour now as the fade's start and the difference to the same colour with
  // alpha 0 (hidden) or 1 (shown).
  void fSetUp();
  int fStep();

  QS_VERTEX_ARRAY* _target;
  bool _hidden;
  float _fadeTime;
  float _holdTime;
  float _fadeLeft;
  float _holdLeft;
  int _count;
  bool _endless;
  float _delayLeft;
  QC_COLORF _from;
  QC_COLORF _difference;
};

}  // namespace QOR
