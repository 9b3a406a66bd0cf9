// Slider drawn from a strip of 12 equal frames: end buttons, knob, two track caps and a track body
// repeated between them. Type code 11.
#pragma once

#include "engine/math/qs_vec2.h"
#include "engine/render/qc_texture_info.h"
#include "gui/widgets/qc_baseslider.h"
#include "gui/widgets/qc_gui_slider_strip.h"

namespace QOR {

class QC_GUI_SLIDER12 : public QC_BASESLIDER {
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
  // Releases the texture through the texture-release hook and deletes the sprites.
  ~QC_GUI_SLIDER12() override;

  QS_GUI_EVENT* fUpdate() override;
  void fRender() override;
  // The extent along the track from one end button's outer edge to the other's, projected on x
  // and y, plus the button height across the track.
  float fGetWidth() override;
  float fGetHeight() override;

  // New local end points and a new track layout: caps one frame width plus 2 pixels from the
  // ends, a body 3 frame widths shorter than the track.
  void fSetTrack(float x1, float y1, float x2, float y2);

  float fGetFrameWidth() const { return _strip.fGetFrameWidth(); }
  float fGetFrameHeight() const { return _strip.fGetFrameHeight(); }
  float fGetBodyLength() const { return _bodyLength; }
  QS_VEC2 fGetTrackOffset() const { return _trackOffset; }
  QS_VEC2 fGetCap1Position() const { return _cap1; }
  QS_VEC2 fGetBodyPosition() const { return _body; }
  QS_VEC2 fGetCap2Position() const { return _cap2; }
  QC_TEXTURE_INFO* fGetTexture() const { return _strip.fGetTexture(); }
  QC_SPRITE* fGetSprite(int index) const { return _strip.fGetSprite(index); }

 private:
  void fLayOut(float buttonDistance);

  QC_GUI_SLIDER_STRIP _strip;
  QS_VEC2 _trackOffset;
  QS_VEC2 _start;
  QS_VEC2 _cap1;
  QS_VEC2 _body;
  QS_VEC2 _cap2;
  QS_VEC2 _end;
  float _bodyLength;
};

}  // namespace QOR
