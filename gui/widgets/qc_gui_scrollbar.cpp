#include "gui/widgets/qc_gui_scrollbar.h"

#include "engine/math/float_to_int.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_globals.h"
#include "gui/base/gui_texture_release.h"

#include <algorithm>
#include <cmath>

namespace QOR {

namespace {

// The bar's own rounded angles.
constexpr float kBarPi = 3.14f;
constexpr float kBarHalfPi = 1.57f;

}  // namespace

QC_GUI_SCROLL_BAR12::QC_GUI_SCROLL_BAR12(int id, QC_TEXTURE_INFO* texture)
    : QC_GUI_OBJECT(id),
      _strip(texture, kFrames),
      _states{0, 0, 0},
      _hitAreas{nullptr, nullptr, nullptr},
      _parts{nullptr, nullptr, nullptr} {
  for (int i = 0; i < 3; ++i) {
    _parts[i] = new QS_TRANSFORM3();
    _parts[i]->fSetParent(_transform);
    _hitAreas[i] = new QC_HIT_AREA(QC_HIT_AREA::kCircle, _parts[i], kRadius, 0.0f, 0, 0);
  }
  fInitSprites();
}

QC_GUI_SCROLL_BAR12::~QC_GUI_SCROLL_BAR12() {
  fReleaseWidgetTexture(_strip.fGetTexture());
  // The sprites only borrow the part transforms and never touch them when they go.
  for (int i = 0; i < 3; ++i) {
    delete _hitAreas[i];
    delete _parts[i];
  }
}

void QC_GUI_SCROLL_BAR12::fInitSprites() {
  const QS_VEC2 end1 = _parts[0]->fGetPosition();
  const QS_VEC2 end2 = _parts[1]->fGetPosition();
  const float radius = _hitAreas[0]->fGetWidth();
  const float s = 2.0f * radius;
  // Negative lengths (the ends closer than three parts) give an empty body.
  const float bodyLength = std::max(0.0f, (end2 - end1).fLength() - 3.0f * s);
  _strip.fCreate(_transform, _parts, _states, bodyLength);
  const int side = fTruncateToInt(s);
  for (int i = QC_GUI_SLIDER_STRIP::kEnd1; i <= QC_GUI_SLIDER_STRIP::kCap2; ++i) {
    QC_SPRITE* sprite = _strip.fGetSprite(i);
    sprite->fSetSize(side, side);
    sprite->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  }
  QC_SPRITE* body = _strip.fGetSprite(QC_GUI_SLIDER_STRIP::kBody);
  body->fSetSize(side, fTruncateToInt(bodyLength));
  body->fFitUV();
  body->fOffsetUV(0.8333333f, 0.0f);
  body->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  _strip.fGetSprite(QC_GUI_SLIDER_STRIP::kCap1)->fGetTransform()->fSetPositionVec2(end1 + _cap1Offset);
  _strip.fGetSprite(QC_GUI_SLIDER_STRIP::kCap2)->fGetTransform()->fSetPositionVec2(end2 - _direction * s);
  body->fGetTransform()->fSetPositionVec2(end1 + (end2 - end1) / 2.0f);
  const float dx = std::clamp(_direction.x, -1.0f, 1.0f);
  const float angle = end2.y > end1.y ? std::acos(dx) : std::acos(-dx) + kBarPi;
  _strip.fTurn(angle, -kBarHalfPi, 0.0f);
}

void QC_GUI_SCROLL_BAR12::fRender() {
  _strip.fRender();
  if (qcRENDER == nullptr) return;
  static constexpr int kOrder[3] = {0, 2, 1};
  constexpr float kSide = 5.0f;
  for (int i : kOrder) {
    const QS_TRANSFORM3* owner = _hitAreas[i]->fGetOwner();
    const float x = owner->_position.x;
    const float y = owner->_position.y;
    const float w = _hitAreas[i]->fGetWidth();
    const float h = _hitAreas[i]->fGetHeight();
    qcRENDER->fDrawSquare(fTruncateToInt(x), fTruncateToInt(y), 0xFFFF0000u, kSide);
    qcRENDER->fDrawSquare(fTruncateToInt(x + w / 2.0f), fTruncateToInt(y + h / 2.0f), 0xFF00FF00u, kSide);
    qcRENDER->fDrawSquare(fTruncateToInt(x + w / 2.0f), fTruncateToInt(y - h / 2.0f), 0xFF00FF00u, kSide);
    qcRENDER->fDrawSquare(fTruncateToInt(x - w / 2.0f), fTruncateToInt(y + h / 2.0f), 0xFF0000FFu, kSide);
    qcRENDER->fDrawSquare(fTruncateToInt(x - w / 2.0f), fTruncateToInt(y - h / 2.0f), 0xFF0000FFu, kSide);
  }
}

}  // namespace QOR
