// A three-part bar drawn from the sliders' 12-frame strip (end 1, end 2 and a middle part, two
// track caps and a body), with a layout and a render but no behaviour: its update reports nothing.
// Nothing sets its ends, so as constructed every part sits at the widget's origin.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/math/qs_vec2.h"
#include "engine/render/qc_texture_info.h"
#include "gui/base/qc_gui_object.h"
#include "gui/base/qc_hit_area.h"
#include "gui/widgets/qc_gui_slider_strip.h"

namespace QOR {

class QC_GUI_SCROLL_BAR12 : public QC_GUI_OBJECT {
 public:
  static constexpr int kFrames = 12;
  static constexpr float kRadius = 15.0f;

  // Keeps the plain control's type code (-1); nothing reads it.
  QC_GUI_SCROLL_BAR12(int id, QC_TEXTURE_INFO* texture);
  // Releases the texture through the texture-release hook and frees the sprites, the hit areas
  // and the part transforms.
  ~QC_GUI_SCROLL_BAR12() override;

  QS_GUI_EVENT* fUpdate() override { return nullptr; }
  // Caps, body, the three parts, then debug markers around the three hit areas.
  void fRender() override;

  QC_SPRITE* fGetSprite(int index) const { return _strip.fGetSprite(index); }
  QS_TRANSFORM3* fGetPartTransform(int part) const { return part >= 0 && part < 3 ? _parts[part] : nullptr; }
  QC_HIT_AREA* fGetHitArea(int part) const { return part >= 0 && part < 3 ? _hitAreas[part] : nullptr; }
  QC_TEXTURE_INFO* fGetTexture() const { return _strip.fGetTexture(); }

 private:
  void fInitSprites();

  QC_GUI_SLIDER_STRIP _strip;
  int _states[3];
  QS_VEC2 _unused;
  QS_VEC2 _cap1Offset;
  QS_VEC2 _direction;
  QC_HIT_AREA* _hitAreas[3];
  QS_TRANSFORM3* _parts[3];
};

}  // namespace QOR
