#include "gui/widgets/qc_gui_checkbox5.h"

#include "gui/base/gui_texture_release.h"
#include "gui/base/qc_gui_input.h"
#include "gui/widgets/five_cell_strip.h"

namespace QOR {

QC_GUI_CHECKBOX5::QC_GUI_CHECKBOX5(int id) : QC_GUI_PICTURE_CONTROL(id) {
  fBuild(fDefaultWidgetTexture());
}

QC_GUI_CHECKBOX5::QC_GUI_CHECKBOX5(int id, QC_TEXTURE_INFO* strip) : QC_GUI_PICTURE_CONTROL(id) { fBuild(strip); }

void QC_GUI_CHECKBOX5::fBuild(QC_TEXTURE_INFO* strip) {
  _typeCode = 1;
  _pointerOver = false;
  _pressed = false;
  _state = 0;
  _image = new QC_SPRITE(strip, _transform);
  fShowFirstOfFiveCells(*_image);
  _hitArea = fNewFiveCellHitArea(*_image, _transform);
}

void QC_GUI_CHECKBOX5::fSetSize(int width, int height) {
  _image->fSetSize(width, height);
  _image->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  _hitArea->fSetWidth(static_cast<float>(width));
  _hitArea->fSetHeight(static_cast<float>(height));
}

QS_GUI_EVENT* QC_GUI_CHECKBOX5::fUpdateOver(bool inside) {
  if (!inside) {
    _state = 0;
    _pressed = false;
    fInvoke(_onLeave);
    _active = false;
    _pair._event = QE_GUI_LEAVE;
  } else if (QC_GUI_INPUT::isPressed(1)) {
    // The pressed cell shows from the next tick on.
    _pressed = true;
    _state = 2;
    fInvoke(_onDown);
    return fReport(QE_GUI_DOWN);
  }
  fShow();
  return nullptr;
}

QS_GUI_EVENT* QC_GUI_CHECKBOX5::fUpdate() {
  _pair._event = QE_GUI_NONE;
  const bool inside = QC_GUI_INPUT::isMouseOver(*_hitArea);
  switch (_state) {
    case 0:
      if (inside) {
        _state = 1;
        fInvoke(_onEnter);
        _active = true;
        _pair._event = QE_GUI_ENTER;
      }
      fShow();
      return nullptr;
    case 1:
      return fUpdateOver(inside);
    case 2:
      if (_pressed && QC_GUI_INPUT::isReleased(1)) {
        _pressed = false;
        _state = 3;
        fShow();
        fInvoke(_onUp);
        return fReport(QE_GUI_UP);
      }
      return fUpdateOver(inside);
    case 3:
      if (_pressed && QC_GUI_INPUT::isReleased(1)) {
        _pressed = false;
        _state = 1;
        fShow();
        fInvoke(_onUp);
        return fReport(QE_GUI_UP);
      }
      if (inside) {
        _pointerOver = true;
        if (QC_GUI_INPUT::isPressed(1)) {
          _pressed = true;
          fInvoke(_onDown);
          return fReport(QE_GUI_DOWN);
        }
      } else {
        _pointerOver = false;
        _pressed = false;
      }
      fShow();
      return nullptr;
    default:
      fShow();
      return nullptr;
  }
}

void QC_GUI_CHECKBOX5::fRender() {
  if (_state == 3) {
    const int base = !_pointerOver ? 0 : (!_pressed ? 1 : 2);
    _image->fSetFrame(5, 1, base);
    _image->fRenderInFrame(false, false, false);
    _image->fSetFrame(5, 1, 3);
  }
  _image->fRenderInFrame(false, false, false);
}

}  // namespace QOR
