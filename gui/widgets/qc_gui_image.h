// A picture in the widget tree that reports a click: 7 on the tick mouse button 1 goes down over
// it, nothing else and no callback.
#pragma once

#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "gui/base/qc_gui_object.h"
#include "gui/base/qc_hit_area.h"

namespace QOR {

class QC_GUI_IMAGE : public QC_GUI_OBJECT {
 public:
  // The whole texture at its size, anchored at its centre; rectangle hit area of that size.
  QC_GUI_IMAGE(int id, QC_TEXTURE_INFO* texture);
  // Gives the texture back through the texture-release hook.
  ~QC_GUI_IMAGE() override;

  QS_GUI_EVENT* fUpdate() override;
  void fRender() override { _image->fRenderInFrame(false, false, false); }
  // Resizes the picture only; the hit area keeps its size.
  void fSetSize(int width, int height) override;
  float fGetWidth() override { return _image->fGetWidth(); }
  float fGetHeight() override { return _image->fGetHeight(); }

  // Gives the shown texture back and shows the new one whole, at its size; the hit area stays.
  void fSetTexture(QC_TEXTURE_INFO* texture);

  QC_SPRITE* fGetImage() const { return _image; }
  QC_HIT_AREA* fGetHitArea() const { return _hitArea; }

 private:
  QC_SPRITE* _image;
  QC_HIT_AREA* _hitArea;
};

}  // namespace QOR
