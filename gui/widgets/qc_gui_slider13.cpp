#include "gui/widgets/qc_gui_slider13.h"

#include "gui/base/gui_texture_release.h"

namespace QOR {

QC_GUI_SLIDER13::QC_GUI_SLIDER13(int id, QC_TEXTURE_INFO* texture, QS_VEC2 start, QS_VEC2 end, float radius,
                                 float buttonDistance, float minimum, float maximum, float step, float value)
    : QC_GUI_STRIP_SLIDER(id, texture, kFrames, start, end, radius, buttonDistance, minimum, maximum, step, value),
      _fillLength(0.0f) {
  const float angle = fLayOutTrack(buttonDistance, 0.0f);
  _strip.fTurn(angle, -QC_GUI_SLIDER_STRIP::kHalfPi, -QC_GUI_SLIDER_STRIP::kHalfPi);
  fUpdateFill();
}

QC_GUI_SLIDER13::QC_GUI_SLIDER13(int id, QC_TEXTURE_INFO* texture, float buttonDistance)
    : QC_GUI_STRIP_SLIDER(id, texture, kFrames, QC_GUI_SLIDER_STRIP::fFrameWidthOf(texture, kFrames),
                          buttonDistance),
      _fillLength(0.0f) {
  _strip.fLayFill(_fillAnchor, _fillLength);
}

QC_GUI_SLIDER13::QC_GUI_SLIDER13(int id)
    : QC_GUI_STRIP_SLIDER(id, fDefaultWidgetTexture(), kFrames, 0.0f, 0.0f), _fillLength(0.0f) {
  _strip.fLayFill(_fillAnchor, _fillLength);
}

void QC_GUI_SLIDER13::fSetTrack(float x1, float y1, float x2, float y2) {
  const float angle = fPlaceTrack(x1, y1, x2, y2);
  // The track start moves with end 1 and keeps its distance from it, so the fill still starts
  // where the knob rests at the minimum.
  _trackOffset = _direction * _trackOffset.fLength();
  // Body and fill take the same quarter turn as at construction: the fill, anchored at its
  // top-centre on the track start, then runs toward the knob.
  _strip.fTurn(angle, -QC_GUI_SLIDER_STRIP::kHalfPi, -QC_GUI_SLIDER_STRIP::kHalfPi);
  fUpdateFill();
}

void QC_GUI_SLIDER13::fUpdateFill() {
  _fillAnchor = _start + _trackOffset;
  _fillLength = (fGetKnobPosition() - _fillAnchor).fLength();
  _strip.fLayFill(_fillAnchor, _fillLength);
}

QS_GUI_EVENT* QC_GUI_SLIDER13::fUpdate() {
  QS_GUI_EVENT* result = QC_GUI_STRIP_SLIDER::fUpdate();
  fUpdateFill();
  return result;
}

}  // namespace QOR
