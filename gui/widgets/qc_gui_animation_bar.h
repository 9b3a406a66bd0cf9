// Progress shown as one frame of a sprite-sheet animation: the fraction picks the frame. A filled
// callback fires once each time the display becomes full.
#pragma once

#include "engine/math/qs_vec2.h"
#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "gui/widgets/qc_base_progress.h"

namespace QOR {

class QC_GUI_ANIMATION_BAR : public QC_BASEPROGRESS {
 public:
  // A sheet of columns x rows frames of which the first `frames` are used. Columns, rows and
  // frames below 1 count as 1, and no more frames are used than the sheet holds.
  QC_GUI_ANIMATION_BAR(int id, QC_TEXTURE_INFO* sheet, int columns, int rows, int frames);
  // Releases the sheet through the texture-release hook and deletes the sprite.
  ~QC_GUI_ANIMATION_BAR() override;

  void fRender() override;
  // Frame size; the frame shown stays.
  void fSetSize(int width, int height) override;
  float fGetWidth() override { return _sprite->fGetWidth(); }
  float fGetHeight() override { return _sprite->fGetHeight(); }
  void fRefresh() override;

  // (frame width, frame height).
  QS_VEC2 fGetSize() const { return QS_VEC2(static_cast<float>(_frameWidth), static_cast<float>(_frameHeight)); }
  // The frame last shown.
  int fGetFrame() const { return _frame; }
  QC_SPRITE* fGetSprite() const { return _sprite; }

 private:
  int _columns;
  int _rows;
  int _lastFrame;
  int _frameWidth;
  int _frameHeight;
  QC_SPRITE* _sprite;
  int _frame;
};

}  // namespace QOR
