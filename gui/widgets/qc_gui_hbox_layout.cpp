#include "gui/widgets/qc_gui_hbox_layout.h"

namespace QOR {

namespace {

// Top for the top anchors (1, 2, 5), bottom for the bottom ones (3, 4, 6), else the middle.
int fRowSide(int alignment) {
  switch (alignment) {
    case 1:
    case 2:
    case 5:
      return -1;
    case 3:
    case 4:
    case 6:
      return 1;
    default:
      return 0;
  }
}

}  // namespace

void QC_GUI_HBOX_LAYOUT::fArrange(bool even, int mode) {
  fArrangeRun(even, true, mode == 8 || mode == 2 || mode == 4, &fRowSide);
}

}  // namespace QOR
