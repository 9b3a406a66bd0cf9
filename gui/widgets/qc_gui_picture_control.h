// A widget of the tree that shows one picture, a sprite on the control's transform, and tests the
// mouse against one hit area. It owns both, and gives the picture's texture back through the
// texture-release hook when it is destroyed. The base of the image, the panel, the two push
// buttons and the check box.
#pragma once

#include "engine/render/qc_sprite.h"
#include "gui/base/qc_gui_object.h"
#include "gui/base/qc_hit_area.h"

namespace QOR {

class QC_GUI_PICTURE_CONTROL : public QC_GUI_OBJECT {
 public:
  ~QC_GUI_PICTURE_CONTROL() override;

  // The picture in the frame of the control and its parents.
  void fRender() override { _image->fRenderInFrame(false, false, false); }
  float fGetWidth() override { return _image->fGetWidth(); }
  float fGetHeight() override { return _image->fGetHeight(); }

  QC_SPRITE* fGetImage() const { return _image; }
  QC_HIT_AREA* fGetHitArea() const { return _hitArea; }

 protected:
  // The derived widget makes the picture and the hit area.
  explicit QC_GUI_PICTURE_CONTROL(int id) : QC_GUI_OBJECT(id), _image(nullptr), _hitArea(nullptr) {}

  QC_SPRITE* _image;
  QC_HIT_AREA* _hitArea;
};

}  // namespace QOR
