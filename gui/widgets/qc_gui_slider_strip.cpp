#include "gui/widgets/qc_gui_slider_strip.h"

#include "engine/math/float_to_int.h"

#include <algorithm>
#include <cmath>

namespace QOR {

QC_GUI_SLIDER_STRIP::QC_GUI_SLIDER_STRIP(QC_TEXTURE_INFO* texture, int frames)
    : _texture(texture),
      _frames(frames),
      _frameWidth(fFrameWidthOf(texture, frames)),
      _frameHeight(texture != nullptr ? static_cast<float>(texture->fGetHeight()) : 0.0f),
      _sprites{nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr} {}

QC_GUI_SLIDER_STRIP::~QC_GUI_SLIDER_STRIP() {
  for (QC_SPRITE*& sprite : _sprites) {
    delete sprite;
    sprite = nullptr;
  }
}

float QC_GUI_SLIDER_STRIP::fFrameWidthOf(const QC_TEXTURE_INFO* texture, int frames) {
  if (texture == nullptr || frames < 1) return 0.0f;
  return static_cast<float>(texture->fGetWidth() / frames);
}

float QC_GUI_SLIDER_STRIP::fFrameU(int index) const {
  return _frames > 0 ? static_cast<float>(index) / static_cast<float>(_frames) : 0.0f;
}

void QC_GUI_SLIDER_STRIP::fCreate(QS_TRANSFORM3* widget, QS_TRANSFORM3* const parts[3], const int states[3],
                                  float bodyLength) {
  const int count = _frames >= 13 ? 7 : 6;
  for (int i = 0; i < count; ++i) {
    if (i <= kKnob) {
      _sprites[i] = new QC_SPRITE(_texture, parts[i]);
    } else {
      // Caps, body and fill make their own transform, placed in the widget's.
      _sprites[i] = new QC_SPRITE(_texture, nullptr);
      _sprites[i]->fGetTransform()->fSetParent(widget);
    }
  }
  const int w = fTruncateToInt(_frameWidth);
  const int h = fTruncateToInt(_frameHeight);
  for (int i = 0; i <= kCap2; ++i) {
    _sprites[i]->fSetSize(w, h);
    _sprites[i]->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  }
  fSetPartFrames(states);
  _sprites[kCap1]->fSetFrame(_frames, 1, 9);
  _sprites[kCap2]->fSetFrame(_frames, 1, 11);
  fLayBody(QS_VEC2(0.0f, 0.0f), bodyLength);
}

void QC_GUI_SLIDER_STRIP::fSetPartFrames(const int states[3]) {
  for (int i = 0; i <= kKnob; ++i) {
    if (_sprites[i] != nullptr) _sprites[i]->fSetFrame(_frames, 1, states[i] + 3 * i);
  }
}

float QC_GUI_SLIDER_STRIP::fTrackAngle(const QS_VEC2& direction, bool end2Below) {
  // A unit vector's component can round just past +-1, where acos is undefined.
  const float dx = std::clamp(direction.x, -1.0f, 1.0f);
  if (std::isnan(dx)) return 0.0f;
  return end2Below ? std::acos(dx) : kPi + std::acos(-dx);
}

void QC_GUI_SLIDER_STRIP::fTurn(float angle, float bodyTurn, float fillTurn) {
  for (QC_SPRITE* sprite : _sprites) {
    if (sprite != nullptr) sprite->fGetTransform()->_rotation.z = angle;
  }
  if (_sprites[kBody] != nullptr) _sprites[kBody]->fGetTransform()->_rotation.z += bodyTurn;
  if (_sprites[kFill] != nullptr) _sprites[kFill]->fGetTransform()->_rotation.z += fillTurn;
}

void QC_GUI_SLIDER_STRIP::fLayBody(const QS_VEC2& position, float length) {
  QC_SPRITE* body = _sprites[kBody];
  if (body == nullptr) return;
  body->fSetSize(fTruncateToInt(_frameWidth), std::max(0, fTruncateToInt(length)));
  // The body's frame repeats along its length instead of stretching.
  body->fFitUV();
  body->fOffsetUV(fFrameU(10), 0.0f);
  body->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  body->fGetTransform()->fSetPositionVec2(position);
}

void QC_GUI_SLIDER_STRIP::fLayFill(const QS_VEC2& from, float length) {
  QC_SPRITE* fill = _sprites[kFill];
  if (fill == nullptr) return;
  fill->fSetSize(fTruncateToInt(_frameWidth), std::max(0, fTruncateToInt(length)));
  fill->fFitUV();
  fill->fOffsetUV(fFrameU(12), 0.0f);
  // Top-centre on the track start: the fill's height runs from there toward the knob.
  fill->fSetAnchor(QC_SPRITE::kAnchorTopCentre, 0.0f, 0.0f);
  fill->fGetTransform()->fSetPositionVec2(from);
}

QS_VEC2 QC_GUI_SLIDER_STRIP::fExtent(const QS_VEC2& end1, const QS_VEC2& end2, float knobSize, float buttonHeight) {
  QS_VEC2 d = end2 - end1;
  d.fNormalize();
  const float a = d.fAngleTo(QS_VEC2(1.0f, 0.0f));
  const QS_VEC2 e = (end2 - end1) + d * knobSize;
  return QS_VEC2(std::fabs(e.x) + buttonHeight * std::fabs(std::sin(a)),
                 std::fabs(e.y) + buttonHeight * std::fabs(std::cos(a)));
}

void QC_GUI_SLIDER_STRIP::fRender() {
  static constexpr int kOrder[7] = {kCap1, kCap2, kBody, kFill, kEnd1, kEnd2, kKnob};
  for (int index : kOrder) {
    if (_sprites[index] != nullptr) _sprites[index]->fRenderInFrame(false, false, false);
  }
}

}  // namespace QOR
