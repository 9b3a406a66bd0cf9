// A layout that runs its children in a row from the left edge, or from the right edge when its
// anchor is on the right (modes 2, 4 and 8). Alignment puts a child at the top (1, 2, 5), the
// bottom (3, 4, 6) or the middle (others).
#pragma once

#include "gui/widgets/qc_gui_layout.h"

namespace QOR {

class QC_GUI_HBOX_LAYOUT : public QC_GUI_LAYOUT {
 public:
  QC_GUI_HBOX_LAYOUT(int id, float width, float height, bool even, int mode)
      : QC_GUI_LAYOUT(id, width, height, even, mode) {}

  void fArrange(bool even, int mode) override;
};

}  // namespace QOR
