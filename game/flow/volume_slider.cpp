#include "game/flow/volume_slider.h"

#include "engine/math/float_to_int.h"
#include "engine/platform/qc_input.h"
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "gui/widgets/qc_gui_progress_bar.h"

namespace {

constexpr int kBarId = 34;

}  // namespace

VOLUME_SLIDER::VOLUME_SLIDER(QOR::QC_TEXTURE_INFO* bar, QOR::QC_TEXTURE_INFO* knob)
    : _bar(new QOR::QC_GUI_PROGRESS_BAR(kBarId, bar)), _knob(new QOR::QC_SPRITE(knob)), _dragging(false) {
  _knob->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
}

VOLUME_SLIDER::~VOLUME_SLIDER() {
  // The bar gives its texture back itself; the knob's subscription is ours.
  QOR::QC_TEXTURE_INFO* knob = _knob->fGetTexture();
  delete _knob;
  delete _bar;
  if (knob != nullptr && (QOR::qcRENDER == nullptr || knob != QOR::qcRENDER->fGetDefaultTexture())) {
    QOR::QC_GAME::fUnscribeImage(knob);
  }
}

void VOLUME_SLIDER::SetFull() { _bar->fSetRange(0.0f, 100.0f); }

float VOLUME_SLIDER::Left() const { return _bar->fGetPosition().x - Width() / 2.0f; }

float VOLUME_SLIDER::Width() const { return _bar->fGetSize().x; }

void VOLUME_SLIDER::PlaceKnob() {
  _knob->fSetPositionXY(Left() + Width() * _bar->fGetPercent() / 100.0f, _bar->fGetPosition().y);
}

void VOLUME_SLIDER::SetValue(float percent) {
  _bar->fSetPercent(percent);
  PlaceKnob();
}

float VOLUME_SLIDER::GetValue() const { return _bar->fGetPercent(); }

void VOLUME_SLIDER::SetPosition(float x, float y) {
  _bar->fSetPosition(x, y, 0.0f);
  PlaceKnob();
}

QOR::QS_VEC2 VOLUME_SLIDER::GetPosition() const { return _bar->fGetPosition(); }

int VOLUME_SLIDER::Update() {
  const QOR::QC_INPUT* input = QOR::qcCurrentInput;
  if (input == nullptr) return 0;
  if (input->isReleased(QOR::kMouseLeft)) {
    const bool ended = _dragging;
    _dragging = false;
    if (ended) return 1;
  }
  const QOR::QS_VEC2 knob = _knob->fGetPosition();
  const float knobWidth = _knob->fGetWidth();
  const float knobHeight = _knob->fGetHeight();
  if (input->isPressed(QOR::kMouseLeft) &&
      input->isMouseInRect(knob.x - knobWidth / 2.0f, knob.y - knobHeight / 2.0f, knobWidth, knobHeight)) {
    _dragging = true;
  }
  if (!_dragging) return 0;

  float x = 0.0f;
  float y = 0.0f;
  input->fGetMousePosF(&x, &y);
  const float left = Left();
  const float width = Width();
  const float right = left + width;
  if (left + knobWidth / 2.0f > x) x = static_cast<float>(QOR::fTruncateToInt(left + knobWidth / 2.0f));
  if (x > right - knobWidth / 2.0f) x = static_cast<float>(QOR::fTruncateToInt(right - knobWidth / 2.0f));
  _knob->fSetPositionXY(x, knob.y);
  // A bar without width has no percentage to take.
  const float percent = width > 0.0f ? static_cast<float>(QOR::fTruncateToInt((x - left) / width * 100.0f)) : 0.0f;
  _bar->fSetPercent(percent);
  return 0;
}

void VOLUME_SLIDER::Render() {
  _bar->fRenderAll();
  _knob->fRender();
}
