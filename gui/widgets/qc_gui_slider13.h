// Slider drawn from a strip of 13 equal frames: as the 12-frame slider, plus a fill (frame 12)
// drawn along the track from its start to the knob. Keeps the slider base's type code 10. The
// list box scrolls with one.
#pragma once

#include "engine/math/qs_vec2.h"
#include "engine/render/qc_texture_info.h"
#include "gui/widgets/qc_gui_strip_slider.h"

namespace QOR {

class QC_GUI_SLIDER13 : public QC_GUI_STRIP_SLIDER {
 public:
  static constexpr int kFrames = 13;

  // Track from start to end, both the outer ends of the end buttons in screen pixels.
  QC_GUI_SLIDER13(int id, QC_TEXTURE_INFO* texture, QS_VEC2 start, QS_VEC2 end, float radius, float buttonDistance,
                  float minimum, float maximum, float step, float value);
  // Base ends (-50, 0) and (50, 0); caps, body and fill at the origin, body and fill of length 0
  // until the first update lays the fill out.
  QC_GUI_SLIDER13(int id, QC_TEXTURE_INFO* texture, float buttonDistance);
  // The same with the renderer's default texture (none without a renderer), knob size 0 and
  // button distance 0.
  explicit QC_GUI_SLIDER13(int id);

  // The parts' frames as the 12-frame slider, then the fill follows the knob.
  QS_GUI_EVENT* fUpdate() override;

  // New local end points and track layout; the fill's start follows the new end 1 and the fill
  // is laid out again at once.
  void fSetTrack(float x1, float y1, float x2, float y2);
  // The fill from the track start (end 1 + track offset) to the knob's centre.
  void fUpdateFill();

  float fGetFillLength() const { return _fillLength; }
  QS_VEC2 fGetFillAnchor() const { return _fillAnchor; }

 private:
  QS_VEC2 _fillAnchor;
  float _fillLength;
};

}  // namespace QOR
