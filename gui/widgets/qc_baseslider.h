// Logic of every slider: a value between a minimum and a maximum, shown by a knob that moves along
// a straight track between two end buttons. Releasing a pressed end button steps the value down
// (end 1) or up (end 2); dragging the knob sets the value from the mouse, snapped to multiples of
// the step. Each part has a circular hit area on a transform of its own placed in the widget's.
// The base draws nothing; the drawn sliders put sprites on the three transforms.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/math/qs_vec2.h"
#include "gui/base/qc_gui_object.h"
#include "gui/base/qc_hit_area.h"

namespace QOR {

class QC_BASESLIDER : public QC_GUI_OBJECT {
 public:
  // The three parts, in update order.
  static constexpr int kEnd1 = 0;
  static constexpr int kEnd2 = 1;
  static constexpr int kKnob = 2;
  // Part states.
  static constexpr int kIdle = 0;
  static constexpr int kHovered = 1;
  static constexpr int kHeld = 2;
  static constexpr float kDefaultRadius = 15.0f;

  // Range 0..100, step 1, value 0, hit radius 15, ends (-50, 0) and (50, 0).
  QC_BASESLIDER(int id, float knobSize, float buttonDistance);
  // The track from start to end in screen pixels: the ends are pulled in by half a knob each, the
  // widget goes to their midpoint and the ends become local points around it.
  QC_BASESLIDER(int id, QS_VEC2 start, QS_VEC2 end, float knobSize, float radius, float buttonDistance,
                float minimum, float maximum, float step, float value);
  // Frees the three hit areas and the three transforms.
  ~QC_BASESLIDER() override;

  // The three part machines (end 1, end 2, knob). Returns the pair on a press, on every step while
  // a part is held and on the release; enter and leave are only recorded.
  QS_GUI_EVENT* fUpdate() override;

  // Stores v clamped to the range (with maximum below minimum the minimum wins) and places the
  // knob. A value that is not a number is taken as the minimum.
  void fSetValue(float v);
  void fStepBy(int n) { fSetValue(_value + _step * static_cast<float>(n)); }
  float fGetValue() const { return _value; }
  // New local end points; direction, debug rectangle and scale follow.
  void fSetEnds(float x1, float y1, float x2, float y2);
  // New range; the scale is recomputed and the value re-applied. An empty range (or one that is
  // not finite) has no scale: the knob then rests at end 1 + knob offset.
  void fSetRange(float minimum, float maximum);
  // Radius of all three hit areas; the debug rectangle and the scale are recomputed.
  void fSetRadius(float r);
  float fGetKnobSize() const { return _knobSize; }
  float fGetRadius() const { return _hitAreas[kEnd1]->fGetWidth(); }
  // |end 2 - end 1| + knob size: the slider's full extent along its track.
  float fGetLength() const;
  // Pulls start and end (screen pixels) in by half a knob each, places the widget at their
  // midpoint (z unchanged) and turns both into local points around it.
  void fFitEnds(QS_VEC2& start, QS_VEC2& end, float knobSize);
  // Rings of dots around the three hit areas (side = part state + 1) and the debug rectangle.
  void fDrawDebug();

  // Read access for the drawn sliders, the list box and tests.
  float fGetMin() const { return _minimum; }
  float fGetMax() const { return _maximum; }
  float fGetStep() const { return _step; }
  float fGetKnobOffset() const { return _knobOffset; }
  // Part state of kEnd1, kEnd2 or kKnob; 0 for any other index.
  int fGetPartState(int part) const { return part >= 0 && part < 3 ? _states[part] : 0; }
  bool isHeld() const { return _held; }
  QS_TRANSFORM3* fGetPartTransform(int part) const { return part >= 0 && part < 3 ? _parts[part] : nullptr; }
  QC_HIT_AREA* fGetHitArea(int part) const { return part >= 0 && part < 3 ? _hitAreas[part] : nullptr; }
  QS_VEC2 fGetEnd1() const { return _parts[kEnd1]->fGetPosition(); }
  QS_VEC2 fGetEnd2() const { return _parts[kEnd2]->fGetPosition(); }
  QS_VEC2 fGetKnobPosition() const { return _parts[kKnob]->fGetPosition(); }
  QS_VEC2 fGetDirection() const { return _direction; }
  // Debug rectangle in the widget's frame: left, top, right, bottom.
  int fGetRectLeft() const { return _rectLeft; }
  int fGetRectTop() const { return _rectTop; }
  int fGetRectRight() const { return _rectRight; }
  int fGetRectBottom() const { return _rectBottom; }

 protected:
  float _knobOffset;
  float _minimum;
  float _maximum;
  float _step;
  float _value;
  float _knobSize;
  int _states[3] = {kIdle, kIdle, kIdle};
  bool _held = false;
  int _rectLeft = 0;
  int _rectTop = 0;
  int _rectRight = 0;
  int _rectBottom = 0;
  QS_VEC2 _scaleVector;
  QS_VEC2 _offsetVector;
  QS_VEC2 _direction;
  QC_HIT_AREA* _hitAreas[3] = {nullptr, nullptr, nullptr};
  QS_TRANSFORM3* _parts[3] = {nullptr, nullptr, nullptr};

 private:
  void fMakeParts(float radius);
  void fComputeRect();
  // One end button's machine; returns true when the update ends with this part.
  bool fUpdateEnd(int part, bool over, bool mayHover, int stepSign);
  QS_GUI_EVENT* fUpdateKnob(bool over);
  void fDragStep();
  // The drag's snapping of a raw value to the step.
  float fSnap(float raw) const;
};

}  // namespace QOR
