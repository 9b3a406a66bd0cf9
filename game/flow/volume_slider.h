// The options overlay's horizontal slider: a progress bar with a knob the player drags along it.
// The bar's percentage (0..100) is the slider's value. A plain object outside the widget tree:
// its owner creates, places, updates and draws it.
#pragma once

#include "engine/math/qs_vec2.h"

namespace QOR {
class QC_GUI_PROGRESS_BAR;
class QC_SPRITE;
class QC_TEXTURE_INFO;
}  // namespace QOR

class VOLUME_SLIDER {
 public:
  // The bar's texture holds the empty and the full bar side by side; the knob is centred on its
  // place. Takes over one subscription of each texture and gives both back when destroyed.
  VOLUME_SLIDER(QOR::QC_TEXTURE_INFO* bar, QOR::QC_TEXTURE_INFO* knob);
  ~VOLUME_SLIDER();
  VOLUME_SLIDER(const VOLUME_SLIDER&) = delete;
  VOLUME_SLIDER& operator=(const VOLUME_SLIDER&) = delete;

  // The bar's range becomes 0 .. 100.
  void SetFull();
  // The bar's percentage (clamped to 0..100) and the knob at that point of the bar.
  void SetValue(float percent);
  float GetValue() const;
  // The bar's centre at (x, y), the knob on the bar at the current value.
  void SetPosition(float x, float y);
  QOR::QS_VEC2 GetPosition() const;
  // One tick of mouse handling: a press on the knob starts a drag, the knob then follows the
  // mouse's x (its centre kept half a knob inside the bar) and sets the value; 1 on the tick the
  // drag ends (button 1 released), else 0.
  int Update();
  // The bar, then the knob.
  void Render();

  bool isDragging() const { return _dragging; }
  QOR::QC_SPRITE* GetKnob() const { return _knob; }
  QOR::QC_GUI_PROGRESS_BAR* GetBar() const { return _bar; }

 private:
  // The bar's left edge and width.
  float Left() const;
  float Width() const;
  // The knob at the bar's current percentage.
  void PlaceKnob();

  QOR::QC_GUI_PROGRESS_BAR* _bar;
  QOR::QC_SPRITE* _knob;
  bool _dragging;
};
