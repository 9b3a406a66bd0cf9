#include "gui/widgets/qc_gui_button5.h"

#include "gui/base/gui_texture_release.h"
#include "gui/base/qc_gui_input.h"
#include "gui/widgets/five_cell_strip.h"

namespace QOR {

QC_GUI_BUTTON5::QC_GUI_BUTTON5(int id) : QC_GUI_PICTURE_CONTROL(id) {
  fBuild(fDefaultWidgetTexture());
}

QC_GUI_BUTTON5::QC_GUI_BUTTON5(int id, QC_TEXTURE_INFO* strip) : QC_GUI_PICTURE_CONTROL(id) { fBuild(strip); }

void QC_GUI_BUTTON5::fBuild(QC_TEXTURE_INFO* strip) {
  _typeCode = 0;
  _pressed = false;
  _state = 0;
  _image = new QC_SPRITE(strip, _transform);
  fShowFirstOfFiveCells(*_image);
  _hitArea = fNewFiveCellHitArea(*_image, _transform);
}

bool QC_GUI_BUTTON5::fUpdateOver(bool inside) {
  if (!inside) {
    _state = 0;
    _pressed = false;
    fInvoke(_onLeave);
    _active = false;
    _pair._event = QE_GUI_LEAVE;
    return false;
  }
  if (QC_GUI_INPUT::isPressed(1)) {
    _pressed = true;
    _state = 2;
    fInvoke(_onDown);
    _pair._event = QE_GUI_DOWN;
    return true;
  }
  return false;
}

QS_GUI_EVENT* QC_GUI_BUTTON5::fUpdate() {
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
      break;
    case 1:
      // The cell of a press changes on the next tick.
      if (fUpdateOver(inside)) return &_pair;
      break;
    case 2:
      if (_pressed && QC_GUI_INPUT::isReleased(1)) {
        _pressed = false;
        _state = 1;
        fShowState();
        fInvoke(_onUp);
        _pair._event = QE_GUI_UP;
      }
      if (fUpdateOver(inside)) return &_pair;
      break;
    default:
      // Selected and disabled ignore the pointer.
      break;
  }
  fShowState();
  return _pair._event != QE_GUI_NONE ? &_pair : nullptr;
}

}  // namespace QOR
