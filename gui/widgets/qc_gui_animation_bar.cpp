#include "gui/widgets/qc_gui_animation_bar.h"

#include "engine/math/float_to_int.h"
#include "gui/base/gui_texture_release.h"

#include <algorithm>

namespace QOR {

QC_GUI_ANIMATION_BAR::QC_GUI_ANIMATION_BAR(int id, QC_TEXTURE_INFO* sheet, int columns, int rows, int frames)
    : QC_BASEPROGRESS(id),
      _columns(std::max(columns, 1)),
      _rows(std::max(rows, 1)),
      _frame(0) {
  _typeCode = 5;
  // A frame index past the sheet would show texture outside it.
  const long long cells = static_cast<long long>(_columns) * _rows;
  _lastFrame = static_cast<int>(std::clamp<long long>(static_cast<long long>(frames) - 1, 0, cells - 1));
  _sprite = new QC_SPRITE(sheet, _transform);
  _frameWidth = _sprite->fGetPageWidth() / _columns;
  _frameHeight = _sprite->fGetPageHeight() / _rows;
  _sprite->fSetSize(_frameWidth, _frameHeight);
  _sprite->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  _sprite->fSetFrame(_columns, _rows, 0);
}

QC_GUI_ANIMATION_BAR::~QC_GUI_ANIMATION_BAR() {
  fReleaseWidgetTexture(_sprite->fGetTexture());
  delete _sprite;
}

void QC_GUI_ANIMATION_BAR::fRefresh() {
  _frame = std::clamp(fTruncateToInt(static_cast<double>(_fraction) * _lastFrame), 0, _lastFrame);
  _sprite->fSetFrame(_columns, _rows, _frame);
  fNotifyFilled();
}

void QC_GUI_ANIMATION_BAR::fSetSize(int width, int height) {
  _frameWidth = width;
  _frameHeight = height;
  _sprite->fSetSize(width, height);
  _sprite->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
}

void QC_GUI_ANIMATION_BAR::fRender() { _sprite->fRenderInFrame(false, false, false); }

}  // namespace QOR
