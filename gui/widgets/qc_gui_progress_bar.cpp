#include "gui/widgets/qc_gui_progress_bar.h"

#include "engine/math/float_to_int.h"
#include "gui/base/gui_texture_release.h"

namespace QOR {

QC_GUI_PROGRESS_BAR::QC_GUI_PROGRESS_BAR(int id, QC_TEXTURE_INFO* texture)
    : QC_BASEPROGRESS(id) {
  _typeCode = 4;
  _background = new QC_SPRITE(texture, _transform);
  const int textureHeight = _background->fGetPageHeight();
  _barWidth = fTruncateToInt(static_cast<double>(_background->fGetPageWidth()) * 0.5);
  _barHeight = textureHeight;
  _background->fSetSize(_barWidth, textureHeight);
  _background->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  _background->fSetFrame(2, 1, 0);
  // The full half sits on a transform of its own inside the widget's; zero wide until the first
  // refresh.
  _filled = new QC_SPRITE(texture, nullptr);
  _filled->fGetTransform()->fSetParent(_transform);
  _filled->fSetSize(0, _barHeight);
  _filled->fSetUV(0.5f, 0.0f, 0.5f, 1.0f);
  _filled->fSetFrame(2, 1, 1);
}

QC_GUI_PROGRESS_BAR::~QC_GUI_PROGRESS_BAR() {
  fReleaseWidgetTexture(_background->fGetTexture());
  delete _background;
  delete _filled;
}

void QC_GUI_PROGRESS_BAR::fRefresh() {
  const float f = _fraction;
  _filled->fSetSize(fTruncateToInt(static_cast<double>(_barWidth) * f), _barHeight);
  _filled->fSetUV(0.5f, 0.0f, 0.5f + f / 2.0f, 1.0f);
  // The pivot goes to the left edge's middle plus half the bar: the left edge stays on the
  // background's while the part grows to the right.
  _filled->fSetAnchor(QC_SPRITE::kAnchorLeftCentre, static_cast<float>(_barWidth) / 2.0f, 0.0f);
  fNotifyFilled();
}

void QC_GUI_PROGRESS_BAR::fSetSize(int width, int height) {
  _barWidth = width;
  _barHeight = height;
  _background->fSetSize(width, height);
  _background->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  fRefresh();
}

void QC_GUI_PROGRESS_BAR::fRender() {
  _background->fRenderInFrame(false, false, false);
  _filled->fRenderInFrame(false, false, false);
}

}  // namespace QOR
