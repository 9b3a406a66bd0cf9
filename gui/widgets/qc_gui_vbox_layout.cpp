#include "gui/widgets/qc_gui_vbox_layout.h"

namespace QOR {

void QC_GUI_VBOX_LAYOUT::fArrange(bool even, int mode) {
  const float sign = (mode == 4 || mode == 3 || mode == 6) ? -1.0f : 1.0f;
  // Invisible children keep their share of the gap.
  const float gap = fEvenGap(_height, _usedHeight, _children.size());
  float y = -_height / 2.0f;
  for (std::size_t i = 0; i < _children.size(); ++i) {
    QC_GUI_OBJECT* child = _children[i];
    if (!child->isVisible()) continue;
    float ex = 0.0f;
    float ey = 0.0f;
    fGetExtent(child, ex, ey);
    const float space = even ? gap : fGetOffset(i);
    float x = 0.0f;
    switch (fGetAlignment(i)) {
      case 7:
      case 1:
      case 3:
        x = -_width / 2.0f + ex / 2.0f;
        break;
      case 8:
      case 2:
      case 4:
        x = _width / 2.0f - ex / 2.0f;
        break;
      default:
        break;
    }
    y = y + ey / 2.0f + space;
    child->fSetPosition(x, sign * y, 0.0f);
    y = y + ey / 2.0f;
  }
}

}  // namespace QOR
