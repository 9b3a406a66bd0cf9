// A picture in the widget tree that reports a click: 7 on the tick mouse button 1 goes down over
// it, nothing else and no callback.
#pragma once

#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "gui/widgets/qc_gui_picture_control.h"

namespace QOR {

class QC_GUI_IMAGE : public QC_GUI_PICTURE_CONTROL {
 public:
  // The whole texture at its size, anchored at its centre; rectangle hit area of that size.
  QC_GUI_IMAGE(int id, QC_TEXTURE_INFO* texture);

  QS_GUI_EVENT* fUpdate() override;
  // Resizes the picture only; the hit area keeps its size.
  void fSetSize(int width, int height) override;

  // Gives the shown texture back and shows the new one whole, at its size; the hit area stays.
  void fSetTexture(QC_TEXTURE_INFO* texture);
};

}  // namespace QOR
