#include "gui/widgets/qc_gui_vbox_layout.h"

namespace QOR {

namespace {

// Left for the left anchors (7, 1, 3), right for the right ones (8, 2, 4), else the middle.
int fColumnSide(int alignment) {
  switch (alignment) {
    case 7:
    case 1:
    case 3:
      return -1;
    case 8:
    case 2:
    case 4:
      return 1;
    default:
      return 0;
  }
}

}  // namespace

void QC_GUI_VBOX_LAYOUT::fArrange(bool even, int mode) {
  fArrangeRun(even, false, mode == 4 || mode == 3 || mode == 6, &fColumnSide);
}

}  // namespace QOR
