#include "gui/widgets/qc_gui_slider13.h"

#include "engine/render/qc_render.h"
#include "engine/service/qc_globals.h"
#include "gui/base/gui_texture_release.h"

#include <algorithm>

namespace QOR {

namespace {

QC_TEXTURE_INFO* fDefaultTexture() { return qcRENDER != nullptr ? qcRENDER->fGetDefaultTexture() : nullptr; }

}  // namespace

QC_GUI_SLIDER13::QC_GUI_SLIDER13(int id, QC_TEXTURE_INFO* texture, QS_VEC2 start, QS_VEC2 end, float radius,
                                 float buttonDistance, float minimum, float maximum, float step, float value)
    : QC_BASESLIDER(id, start, end, QC_GUI_SLIDER_STRIP::fFrameWidthOf(texture, kFrames), radius, buttonDistance,
                    minimum, maximum, step, value),
      _strip(texture, kFrames),
      _fillLength(0.0f),
      _bodyLength(0.0f) {
  fLayOut(buttonDistance);
}

QC_GUI_SLIDER13::QC_GUI_SLIDER13(int id, QC_TEXTURE_INFO* texture, float buttonDistance)
    : QC_BASESLIDER(id, QC_GUI_SLIDER_STRIP::fFrameWidthOf(texture, kFrames), buttonDistance),
      _strip(texture, kFrames),
      _fillLength(0.0f),
      _bodyLength(0.0f) {
  _strip.fCreate(_transform, _parts, _states, _bodyLength);
  _strip.fLayFill(_fillAnchor, _fillLength);
}

QC_GUI_SLIDER13::QC_GUI_SLIDER13(int id) : QC_BASESLIDER(id, 0.0f, 0.0f), _strip(fDefaultTexture(), kFrames),
                                           _fillLength(0.0f), _bodyLength(0.0f) {
  _strip.fCreate(_transform, _parts, _states, _bodyLength);
  _strip.fLayFill(_fillAnchor, _fillLength);
}

QC_GUI_SLIDER13::~QC_GUI_SLIDER13() {
  QC_SPRITE* end1 = _strip.fGetSprite(QC_GUI_SLIDER_STRIP::kEnd1);
  fReleaseWidgetTexture(end1 != nullptr ? end1->fGetTexture() : nullptr);
}

void QC_GUI_SLIDER13::fLayOut(float buttonDistance) {
  // The base has fitted the ends; its local end points are the track's.
  _start = fGetEnd1();
  _end = fGetEnd2();
  const float fw = _strip.fGetFrameWidth();
  _trackOffset = _direction * (fw * buttonDistance);
  const QS_VEC2 capInset = _trackOffset - _direction * (fw * 0.5f);
  _cap1 = _start + capInset;
  _body = (_start + _end) / 2.0f;
  _cap2 = _end - capInset;
  _bodyLength = ((_end - _trackOffset) - (_start + _trackOffset)).fLength();
  _strip.fCreate(_transform, _parts, _states, _bodyLength);
  _strip.fGetSprite(QC_GUI_SLIDER_STRIP::kCap1)->fGetTransform()->fSetPositionVec2(_cap1);
  _strip.fGetSprite(QC_GUI_SLIDER_STRIP::kCap2)->fGetTransform()->fSetPositionVec2(_cap2);
  _strip.fGetSprite(QC_GUI_SLIDER_STRIP::kBody)->fGetTransform()->fSetPositionVec2(_body);
  const float angle = QC_GUI_SLIDER_STRIP::fTrackAngle(_direction, _end.y > _start.y);
  _strip.fTurn(angle, -QC_GUI_SLIDER_STRIP::kHalfPi, -QC_GUI_SLIDER_STRIP::kHalfPi);
  fUpdateFill();
}

void QC_GUI_SLIDER13::fSetTrack(float x1, float y1, float x2, float y2) {
  fSetEnds(x1, y1, x2, y2);
  _start = fGetEnd1();
  _end = fGetEnd2();
  const QS_VEC2 v = _end - _start;
  const float fw = _strip.fGetFrameWidth();
  _bodyLength = std::max(0.0f, v.fLength() - 3.0f * fw);
  _cap1 = _start + _direction * (fw + 2.0f);
  _cap2 = _end - _direction * (fw + 2.0f);
  _body = _start + v / 2.0f;
  _strip.fGetSprite(QC_GUI_SLIDER_STRIP::kCap1)->fGetTransform()->fSetPositionVec2(_cap1);
  _strip.fGetSprite(QC_GUI_SLIDER_STRIP::kCap2)->fGetTransform()->fSetPositionVec2(_cap2);
  _strip.fLayBody(_body, _bodyLength);
  _strip.fGetSprite(QC_GUI_SLIDER_STRIP::kBody)->fGetTransform()->_position.z = 0.0f;
  // The track start moves with end 1 and keeps its distance from it, so the fill still starts
  // where the knob rests at the minimum.
  _trackOffset = _direction * _trackOffset.fLength();
  // Body and fill take the same quarter turn as at construction: the fill, anchored at its
  // top-centre on the track start, then runs toward the knob.
  const float angle = QC_GUI_SLIDER_STRIP::fTrackAngle(_direction, _end.y > _start.y);
  _strip.fTurn(angle, -QC_GUI_SLIDER_STRIP::kHalfPi, -QC_GUI_SLIDER_STRIP::kHalfPi);
  fUpdateFill();
}

void QC_GUI_SLIDER13::fUpdateFill() {
  _fillAnchor = _start + _trackOffset;
  _fillLength = (fGetKnobPosition() - _fillAnchor).fLength();
  _strip.fLayFill(_fillAnchor, _fillLength);
}

QS_GUI_EVENT* QC_GUI_SLIDER13::fUpdate() {
  QS_GUI_EVENT* result = QC_BASESLIDER::fUpdate();
  fUpdateFill();
  _strip.fSetPartFrames(_states);
  return result;
}

void QC_GUI_SLIDER13::fRender() { _strip.fRender(); }

float QC_GUI_SLIDER13::fGetWidth() {
  return QC_GUI_SLIDER_STRIP::fExtent(fGetEnd1(), fGetEnd2(), _knobSize,
                                      _strip.fGetSprite(QC_GUI_SLIDER_STRIP::kEnd1)->fGetHeight())
      .x;
}

float QC_GUI_SLIDER13::fGetHeight() {
  return QC_GUI_SLIDER_STRIP::fExtent(fGetEnd1(), fGetEnd2(), _knobSize,
                                      _strip.fGetSprite(QC_GUI_SLIDER_STRIP::kEnd1)->fGetHeight())
      .y;
}

}  // namespace QOR
