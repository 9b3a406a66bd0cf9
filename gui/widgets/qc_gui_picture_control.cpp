#include "gui/widgets/qc_gui_picture_control.h"

#include "gui/base/gui_texture_release.h"

namespace QOR {

QC_GUI_PICTURE_CONTROL::~QC_GUI_PICTURE_CONTROL() {
  if (_image != nullptr) fReleaseWidgetTexture(_image->fGetTexture());
  delete _image;
  delete _hitArea;
}

}  // namespace QOR
