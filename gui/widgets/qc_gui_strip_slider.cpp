#include "gui/widgets/qc_gui_strip_slider.h"

#include "gui/base/gui_texture_release.h"

#include <algorithm>

namespace QOR {

QC_GUI_STRIP_SLIDER::QC_GUI_STRIP_SLIDER(int id, QC_TEXTURE_INFO* texture, int frames, QS_VEC2 start, QS_VEC2 end,
                                         float radius, float buttonDistance, float minimum, float maximum,
                                         float step, float value)
    : QC_BASESLIDER(id, start, end, QC_GUI_SLIDER_STRIP::fFrameWidthOf(texture, frames), radius, buttonDistance,
                    minimum, maximum, step, value),
      _strip(texture, frames),
      _bodyLength(0.0f) {}

QC_GUI_STRIP_SLIDER::QC_GUI_STRIP_SLIDER(int id, QC_TEXTURE_INFO* texture, int frames, float knobSize,
                                         float buttonDistance)
    : QC_BASESLIDER(id, knobSize, buttonDistance), _strip(texture, frames), _bodyLength(0.0f) {
  _strip.fCreate(_transform, _parts, _states, _bodyLength);
}

QC_GUI_STRIP_SLIDER::~QC_GUI_STRIP_SLIDER() {
  QC_SPRITE* end1 = _strip.fGetSprite(QC_GUI_SLIDER_STRIP::kEnd1);
  fReleaseWidgetTexture(end1 != nullptr ? end1->fGetTexture() : nullptr);
}

float QC_GUI_STRIP_SLIDER::fLayOutTrack(float buttonDistance, float bodyExtra) {
  // The base has fitted the ends; its local end points are the track's.
  _start = fGetEnd1();
  _end = fGetEnd2();
  const float fw = _strip.fGetFrameWidth();
  _trackOffset = _direction * (fw * buttonDistance);
  const QS_VEC2 capInset = _trackOffset - _direction * (fw * 0.5f);
  _cap1 = _start + capInset;
  _body = (_start + _end) / 2.0f;
  _cap2 = _end - capInset;
  _bodyLength = ((_end - _trackOffset) - (_start + _trackOffset)).fLength() + bodyExtra;
  _strip.fCreate(_transform, _parts, _states, _bodyLength);
  _strip.fGetSprite(QC_GUI_SLIDER_STRIP::kCap1)->fGetTransform()->fSetPositionVec2(_cap1);
  _strip.fGetSprite(QC_GUI_SLIDER_STRIP::kCap2)->fGetTransform()->fSetPositionVec2(_cap2);
  _strip.fGetSprite(QC_GUI_SLIDER_STRIP::kBody)->fGetTransform()->fSetPositionVec2(_body);
  return QC_GUI_SLIDER_STRIP::fTrackAngle(_direction, _end.y > _start.y);
}

float QC_GUI_STRIP_SLIDER::fPlaceTrack(float x1, float y1, float x2, float y2) {
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
  return QC_GUI_SLIDER_STRIP::fTrackAngle(_direction, _end.y > _start.y);
}

QS_GUI_EVENT* QC_GUI_STRIP_SLIDER::fUpdate() {
  QS_GUI_EVENT* result = QC_BASESLIDER::fUpdate();
  _strip.fSetPartFrames(_states);
  return result;
}

QS_VEC2 QC_GUI_STRIP_SLIDER::fGetExtent() const {
  return QC_GUI_SLIDER_STRIP::fExtent(fGetEnd1(), fGetEnd2(), _knobSize,
                                      _strip.fGetSprite(QC_GUI_SLIDER_STRIP::kEnd1)->fGetHeight());
}

}  // namespace QOR
