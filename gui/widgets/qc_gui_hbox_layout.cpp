#include "gui/widgets/qc_gui_hbox_layout.h"

namespace QOR {

void QC_GUI_HBOX_LAYOUT::fArrange(bool even, int mode) {
  const float sign = (mode == 8 || mode == 2 || mode == 4) ? -1.0f : 1.0f;
  // Invisible children keep their share of the gap.
  const float gap = fEvenGap(_width, _usedWidth, _children.size());
  float x = -_width / 2.0f;
  for (std::size_t i = 0; i < _children.size(); ++i) {
    QC_GUI_OBJECT* child = _children[i];
    if (!child->isVisible()) continue;
    float ex = 0.0f;
    float ey = 0.0f;
    fGetExtent(child, ex, ey);
    const float space = even ? gap : fGetOffset(i);
    x = x + ex / 2.0f + space;
    float y = 0.0f;
    switch (fGetAlignment(i)) {
      case 1:
      case 2:
      case 5:
        y = -_height / 2.0f + ey / 2.0f;
        break;
      case 3:
      case 4:
      case 6:
        y = _height / 2.0f - ey / 2.0f;
        break;
      default:
        break;
    }
    child->fSetPosition(sign * x, y, 0.0f);
    x = x + ex / 2.0f;
  }
}

}  // namespace QOR
