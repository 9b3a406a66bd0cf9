#include "gui/widgets/qc_image_checkbox.h"

#include "gui/base/qc_gui_input.h"
#include "gui/widgets/five_cell_strip.h"

namespace QOR {

QC_IMAGE_CHECKBOX::QC_IMAGE_CHECKBOX(QC_TEXTURE_INFO* strip) : _transform(new QS_TRANSFORM3()) {
  _image = new QC_SPRITE(strip, _transform);
  fInit();
}

QC_IMAGE_CHECKBOX::QC_IMAGE_CHECKBOX(const char* fileName) : _transform(new QS_TRANSFORM3()) {
  _image = new QC_SPRITE(fileName, _transform);
  fInit();
}

QC_IMAGE_CHECKBOX::~QC_IMAGE_CHECKBOX() {
  delete _image;
  delete _hitArea;
  delete _transform;
}

void QC_IMAGE_CHECKBOX::fInit() {
  _state = 0;
  _hitArea = fNewFiveCellHitArea(*_image, _transform);
  _onEnter = _onLeave = _onPress = _onLeftClick = _onRightClick = nullptr;
  fShowFirstOfFiveCells(*_image);
  _pointerOver = false;
  _pressedLeft = false;
  _pressedRight = false;
}

void QC_IMAGE_CHECKBOX::fUpdateOver(bool inside) {
  if (!inside) {
    _state = 0;
    _pressedLeft = false;
    _pressedRight = false;
    fInvokeCallback(_onLeave, 0);
    fShowCell(_state);
    return;
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
  fShowCell(_state);
}

int QC_IMAGE_CHECKBOX::fUpdate() {
  const bool inside = QC_GUI_INPUT::isMouseOver(*_hitArea);
  switch (_state) {
    case 0:
      if (inside) {
        _state = 1;
        fInvokeCallback(_onEnter, 0);
        fShowCell(_state);
      }
      return 0;
    case 1:
      fUpdateOver(inside);
      return 0;
    case 2:
      if (_pressedLeft && QC_GUI_INPUT::isReleased(1)) {
        _pressedLeft = false;
        _state = 3;
        fShowCell(_state);
        if (!_pressedRight) fInvokeCallback(_onLeftClick, 0);
        return kClicked;
      }
      if (_pressedRight && QC_GUI_INPUT::isReleased(2)) {
        _pressedRight = false;
        _state = 3;
        fShowCell(_state);
        if (!_pressedLeft) fInvokeCallback(_onRightClick, 0);
        return kClicked;
      }
      fUpdateOver(inside);
      return 0;
    case 3:
      // Unchecking: the release of a press that began on the checked box. While the other
      // button is still held the box stays checked.
      if (_pressedLeft && QC_GUI_INPUT::isReleased(1)) {
        _pressedLeft = false;
        if (!_pressedRight) {
          _state = 1;
          fShowCell(_state);
          fInvokeCallback(_onLeftClick, 0);
        }
        return kClicked;
      }
      if (_pressedRight && QC_GUI_INPUT::isReleased(2)) {
        _pressedRight = false;
        if (!_pressedLeft) {
          _state = 1;
          fShowCell(_state);
          fInvokeCallback(_onRightClick, 0);
        }
        return kClicked;
      }
      if (inside) {
        _pointerOver = true;
        if (QC_GUI_INPUT::isPressed(1)) {
          _pressedLeft = true;
          fInvokeCallback(_onPress, 0);
        }
        if (QC_GUI_INPUT::isPressed(2)) {
          _pressedRight = true;
          fInvokeCallback(_onPress, 0);
        }
      } else {
        _pointerOver = false;
        _pressedLeft = false;
        _pressedRight = false;
      }
      return 0;
    default:
      return 0;
  }
}

void QC_IMAGE_CHECKBOX::fRender() {
  if (_state == 3) {
    const int base = !_pointerOver ? 0 : (!_pressedLeft && !_pressedRight ? 1 : 2);
    fShowCell(base);
    _image->fRender();
    fShowCell(3);
  }
  _image->fRender();
}

}  // namespace QOR
