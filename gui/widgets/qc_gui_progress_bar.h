// Progress bar: a texture holding the empty bar in its left half and the full bar in its right
// half; the full half is shown over the empty one from the left edge up to the fraction. A filled
// callback fires once each time the bar becomes full.
#pragma once

#include "engine/math/qs_vec2.h"
#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "gui/widgets/qc_base_progress.h"

namespace QOR {

class QC_GUI_PROGRESS_BAR : public QC_BASEPROGRESS {
 public:
  QC_GUI_PROGRESS_BAR(int id, QC_TEXTURE_INFO* texture);
  // Releases the texture through the texture-release hook and deletes both sprites.
  ~QC_GUI_PROGRESS_BAR() override;

  void fRender() override;
  // Bar size; the background is resized and the filled part redrawn.
  void fSetSize(int width, int height) override;
  void fRefresh() override;

  // (bar width, bar height).
  QS_VEC2 fGetSize() const { return QS_VEC2(static_cast<float>(_barWidth), static_cast<float>(_barHeight)); }
  QC_SPRITE* fGetBackground() const { return _background; }
  QC_SPRITE* fGetFilledPart() const { return _filled; }

 private:
  int _barWidth;
  int _barHeight;
  QC_SPRITE* _background;
  QC_SPRITE* _filled;
};

}  // namespace QOR
