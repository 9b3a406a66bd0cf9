// Slider drawn from a strip of 12 equal frames: end buttons, knob, two track caps and a track body
// repeated between them. Type code 11.
#pragma once

#include "engine/math/qs_vec2.h"
#include "engine/render/qc_texture_info.h"
#include "gui/widgets/qc_gui_strip_slider.h"

namespace QOR {

class QC_GUI_SLIDER12 : public QC_GUI_STRIP_SLIDER {
 public:
  static constexpr int kFrames = 12;

  // Track from start to end, both the outer ends of the end buttons in screen pixels; the widget
  // sits at the midpoint of the fitted ends.
  QC_GUI_SLIDER12(int id, QC_TEXTURE_INFO* texture, QS_VEC2 start, QS_VEC2 end, float radius, float buttonDistance,
                  float minimum, float maximum, float step, float value);
  // The same with button distance 1.5.
  QC_GUI_SLIDER12(int id, QC_TEXTURE_INFO* texture, QS_VEC2 start, QS_VEC2 end, float radius, float minimum,
                  float maximum, float step, float value);
  // Base ends (-50, 0) and (50, 0); caps and body at the origin with a body of length 0.
  QC_GUI_SLIDER12(int id, QC_TEXTURE_INFO* texture, float buttonDistance);

  // New local end points and a new track layout: caps one frame width plus 2 pixels from the
  // ends, a body 3 frame widths shorter than the track.
  void fSetTrack(float x1, float y1, float x2, float y2);
};

}  // namespace QOR
