#include "gui/widgets/qc_gui_image.h"

#include "gui/base/gui_texture_release.h"
#include "gui/base/qc_gui_input.h"

namespace QOR {

QC_GUI_IMAGE::QC_GUI_IMAGE(int id, QC_TEXTURE_INFO* texture) : QC_GUI_PICTURE_CONTROL(id) {
  _typeCode = 8;
  _image = new QC_SPRITE(texture, _transform);
  _image->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  _hitArea = new QC_HIT_AREA(QC_HIT_AREA::kRectangle, _transform, _image->fGetWidth(), _image->fGetHeight(), 0, 0);
}

QS_GUI_EVENT* QC_GUI_IMAGE::fUpdate() {
  _pair._event = QE_GUI_NONE;
  // Only the tick of the press counts: a held button reports once.
  if (QC_GUI_INPUT::isMouseOver(*_hitArea) && QC_GUI_INPUT::fGetState(1) == 1) return fReport(QE_GUI_DOWN);
  return nullptr;
}

void QC_GUI_IMAGE::fSetSize(int width, int height) {
  _image->fSetSize(width, height);
  _image->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
}

void QC_GUI_IMAGE::fSetTexture(QC_TEXTURE_INFO* texture) {
  fReleaseWidgetTexture(_image->fGetTexture());
  _image->fSetImage(texture);
  _image->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
}

}  // namespace QOR
