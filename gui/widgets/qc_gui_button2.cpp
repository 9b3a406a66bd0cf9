#include "gui/widgets/qc_gui_button2.h"

#include "engine/service/qc_log.h"
#include "gui/base/qc_gui_input.h"

namespace QOR {

QC_GUI_BUTTON2::QC_GUI_BUTTON2(int id, QC_TEXTURE_INFO* strip)
    : QC_GUI_PICTURE_CONTROL(id), _state(0), _onButtonDown(nullptr), _onButtonUp(nullptr) {
  _typeCode = 0;
  _image = new QC_SPRITE(strip, _transform);
  _image->fSetSize(_image->fGetPageWidth() / 2, _image->fGetPageHeight());
  _image->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  _image->fSetFrame(2, 1, 0);
  _hitArea = new QC_HIT_AREA(QC_HIT_AREA::kRectangle, _transform, _image->fGetWidth(), _image->fGetHeight(), 0, 0);
}

QC_GUI_BUTTON2::~QC_GUI_BUTTON2() {
  delete _onButtonDown;
  delete _onButtonUp;
}

QS_GUI_EVENT* QC_GUI_BUTTON2::fUpdate() {
  _pair._event = QE_GUI_NONE;
  const bool inside = QC_GUI_INPUT::isMouseOver(*_hitArea);
  if (_state == 0) {
    // Only a press that starts over the button counts, not one already held on arrival.
    if (inside && QC_GUI_INPUT::fGetState(1) == 1) {
      _state = 2;
      fInvoke(_onButtonDown);
      fLog("DOWN");
      _image->fSetFrame(2, 1, 1);
      _pair._event = QE_GUI_DOWN;
    }
  } else if (_state == 2) {
    if (!inside || QC_GUI_INPUT::isReleased(1)) {
      _state = 0;
      fInvoke(_onButtonUp);
      fLog("UP");
      _image->fSetFrame(2, 1, 0);
      _pair._event = QE_GUI_UP;
    }
  }
  return _pair._event != QE_GUI_NONE ? &_pair : nullptr;
}

}  // namespace QOR
