#include "gui/widgets/qc_gui_panel.h"

#include "engine/math/float_to_int.h"
#include "gui/base/gui_texture_release.h"
#include "gui/base/qc_gui_input.h"

namespace QOR {

QC_GUI_PANEL::QC_GUI_PANEL(int id) : QC_GUI_PICTURE_CONTROL(id) {
  fBuild(fDefaultWidgetTexture());
}

QC_GUI_PANEL::QC_GUI_PANEL(int id, QC_TEXTURE_INFO* texture) : QC_GUI_PICTURE_CONTROL(id) { fBuild(texture); }

QC_GUI_PANEL::~QC_GUI_PANEL() { delete _onGrab; }

void QC_GUI_PANEL::fBuild(QC_TEXTURE_INFO* texture) {
  _typeCode = 6;
  _movable = true;
  _pointerOver = false;
  _grabbed = false;
  _grabOffsetX = 0;
  _grabOffsetY = 0;
  _onGrab = nullptr;
  _image = new QC_SPRITE(texture, _transform);
  _image->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  _width = _image->fGetPageWidth();
  _height = _image->fGetPageHeight();
  _hitArea = new QC_HIT_AREA(QC_HIT_AREA::kRectangle, _transform, static_cast<float>(_width),
                             static_cast<float>(_height), 0, 0);
}

void QC_GUI_PANEL::fSetSize(int width, int height) {
  _width = width;
  _height = height;
  _image->fSetSize(width, height);
  _image->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  _hitArea->fSetWidth(static_cast<float>(width));
  _hitArea->fSetHeight(static_cast<float>(height));
}

void QC_GUI_PANEL::fSetTexture(QC_TEXTURE_INFO* texture) {
  if (texture != _image->fGetTexture()) fReleaseWidgetTexture(_image->fGetTexture());
  _image->fSetTexture(texture);
  fSetSize(texture != nullptr ? texture->fGetWidth() : 0, texture != nullptr ? texture->fGetHeight() : 0);
}

QS_GUI_EVENT* QC_GUI_PANEL::fUpdate() {
  _pair._event = QE_GUI_NONE;
  const QS_VEC2 position = _transform->fGetPosition();
  const int mouseX = QC_GUI_INPUT::fMouseX();
  const int mouseY = QC_GUI_INPUT::fMouseY();
  const bool inside = QC_GUI_INPUT::isMouseOver(*_hitArea);
  if (inside && !_pointerOver) {
    fInvoke(_onEnter);
    _pair._event = QE_GUI_ENTER;
    _pointerOver = true;
  } else if (!inside && _pointerOver) {
    fInvoke(_onLeave);
    _pair._event = QE_GUI_LEAVE;
    _pointerOver = false;
  }
  if (QC_GUI_INPUT::isPressed(1)) {
    if (_pointerOver) {
      _grabbed = true;
      _active = true;
      _grabOffsetX = fTruncateToInt(static_cast<double>(mouseX) - position.x);
      _grabOffsetY = fTruncateToInt(static_cast<double>(mouseY) - position.y);
      fInvoke(_onDown);
      return fReport(QE_GUI_DOWN);
    }
    _active = false;
  }
  if (_grabbed && _movable) {
    fSetPosition(static_cast<float>(static_cast<double>(mouseX) - _grabOffsetX),
                 static_cast<float>(static_cast<double>(mouseY) - _grabOffsetY), 0.0f);
    fInvoke(_onGrab);
    _pair._event = QE_GUI_GRAB;
  }
  if (QC_GUI_INPUT::isReleased(1)) {
    // A drag ends with the button wherever the pointer is, so a panel that lost the pointer or
    // the focus does not stay stuck to the mouse.
    _grabbed = false;
    if (_pointerOver && _active) {
      fInvoke(_onUp);
      return fReport(QE_GUI_UP);
    }
  }
  return nullptr;
}

}  // namespace QOR
