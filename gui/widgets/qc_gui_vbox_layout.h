// A layout that runs its children in a column from the top edge, or from the bottom edge when its
// anchor is at the bottom (modes 3, 4 and 6). Alignment puts a child at the left (1, 3, 7), the
// right (2, 4, 8) or the middle (others).
#pragma once

#include "gui/widgets/qc_gui_layout.h"

namespace QOR {

class QC_GUI_VBOX_LAYOUT : public QC_GUI_LAYOUT {
 public:
  QC_GUI_VBOX_LAYOUT(int id, float width, float height, bool even, int mode)
      : QC_GUI_LAYOUT(id, width, height, even, mode) {}

  void fArrange(bool even, int mode) override;
};

}  // namespace QOR
