#include "gui/widgets/qc_image_button.h"

#include "engine/math/float_to_int.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_globals.h"
#include "gui/base/qc_gui_input.h"
#include "gui/widgets/five_cell_strip.h"

namespace QOR {

QC_IMAGE_BUTTON::QC_IMAGE_BUTTON(QC_TEXTURE_INFO* strip, QS_TRANSFORM3* transform, int hitType, float width,
                                 float height) {
  fInit(strip, transform, hitType, width, height);
}

QC_IMAGE_BUTTON::QC_IMAGE_BUTTON(const char* fileName, QS_TRANSFORM3* transform, int hitType, float width,
                                 float height) {
  QC_TEXTURE_INFO* strip = qcRENDER != nullptr && fileName != nullptr ? qcRENDER->fLoadTexture(fileName) : nullptr;
  fInit(strip, transform, hitType, width, height);
}

QC_IMAGE_BUTTON::~QC_IMAGE_BUTTON() {
  delete _image;
  delete _hitArea;
  if (_ownsTransform) delete _transform;
}

void QC_IMAGE_BUTTON::fInit(QC_TEXTURE_INFO* strip, QS_TRANSFORM3* transform, int hitType, float width,
                            float height) {
  _state = 0;
  _ownsTransform = transform == nullptr;
  _transform = _ownsTransform ? new QS_TRANSFORM3() : transform;
  _image = new QC_SPRITE(strip, _transform);
  if (hitType == QC_HIT_AREA::kCircle && height == 0.0f) height = width;
  const float hitWidth = width != 0.0f ? width : fFiveCellWidth(*_image);
  const float hitHeight = height != 0.0f ? height : static_cast<float>(_image->fGetPageHeight());
  _hitArea = new QC_HIT_AREA(hitType, _transform, hitWidth, hitHeight, 0, 0);
  if (hitType == QC_HIT_AREA::kCircle) _hitArea->fSetWidth(_hitArea->fGetWidth() / 2.0f);
  _onEnter = _onLeave = _onPress = _onLeftClick = _onRightClick = nullptr;
  _image->fSetSize(fTruncateToInt(hitWidth), fTruncateToInt(hitHeight));
  _image->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  _image->fSetFrame(5, 1, _state);
  _pressedLeft = false;
  _pressedRight = false;
}

void QC_IMAGE_BUTTON::fSetSize(int width, int height, int anchorMode) {
  _image->fSetSize(width, height);
  _image->fSetAnchor(anchorMode, 0.0f, 0.0f);
  _hitArea->fSetWidth(static_cast<float>(width));
  _hitArea->fSetHeight(static_cast<float>(height));
  if (_hitArea->fGetType() == QC_HIT_AREA::kCircle) _hitArea->fSetWidth(_hitArea->fGetWidth() * 0.5f);
}

void QC_IMAGE_BUTTON::fSetStrip(QC_TEXTURE_INFO* strip) {
  _image->fSetImage(strip);
  fSetSize(fTruncateToInt(fFiveCellWidth(*_image)), _image->fGetPageHeight(), QC_SPRITE::kAnchorCentre);
  fRefreshFrame();
}

int QC_IMAGE_BUTTON::fGetWidth() const { return fTruncateToInt(_image->fGetWidth()); }

int QC_IMAGE_BUTTON::fGetHeight() const { return fTruncateToInt(_image->fGetHeight()); }

void QC_IMAGE_BUTTON::fRender() { _image->fRender(); }

void QC_IMAGE_BUTTON::fLeave() {
  _state = 0;
  _pressedLeft = false;
  _pressedRight = false;
  fInvokeCallback(_onLeave, 0);
}

int QC_IMAGE_BUTTON::fUpdate() {
  const bool inside = QC_GUI_INPUT::isMouseOver(*_hitArea);
  switch (_state) {
    case 0:
      if (!inside) return 0;
      // The cell follows on the next tick.
      _state = 1;
      fInvokeCallback(_onEnter, 0);
      if (QC_GUI_INPUT::isPressed(1)) {
        _state = 2;
        _pressedLeft = true;
        fInvokeCallback(_onPress, 0);
      }
      return _state;
    case 1:
      if (!inside) {
        fLeave();
        fRefreshFrame();
        return 0;
      }
      if (QC_GUI_INPUT::isPressed(1)) {
        _pressedLeft = true;
        _state = 2;
        fInvokeCallback(_onPress, 0);
      }
      if (QC_GUI_INPUT::isPressed(2)) {
        _pressedRight = true;
        _state = 2;
        fInvokeCallback(_onPress, 0);
      }
      fRefreshFrame();
      return 0;
    case 2:
      // Leaving while pressed cancels the click: the release rows then find no press.
      if (!inside) fLeave();
      if (_pressedLeft && QC_GUI_INPUT::isReleased(1)) {
        _pressedLeft = false;
        _state = 1;
        fRefreshFrame();
        if (!_pressedRight) fInvokeCallback(_onLeftClick, 0);
        return kClicked;
      }
      if (_pressedRight && QC_GUI_INPUT::isReleased(2)) {
        _pressedRight = false;
        _state = 1;
        fRefreshFrame();
        if (!_pressedLeft) fInvokeCallback(_onRightClick, 0);
        return kClicked;
      }
      fRefreshFrame();
      return 0;
    default:
      // Selected and inactive buttons ignore the pointer.
      return 0;
  }
}

}  // namespace QOR
