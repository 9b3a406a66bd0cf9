// What the two drawn sliders share: the slider base with a QC_GUI_SLIDER_STRIP on its parts, the
// track's layout points (caps, body and the track offset from each end), drawing, the box extent
// and the hand-back of the strip's texture. QC_GUI_SLIDER12 and QC_GUI_SLIDER13 add the turn of
// their body and, for the 13-frame strip, the fill.
#pragma once

#include "engine/math/qs_vec2.h"
#include "engine/render/qc_texture_info.h"
#include "gui/widgets/qc_baseslider.h"
#include "gui/widgets/qc_gui_slider_strip.h"

namespace QOR {

class QC_GUI_STRIP_SLIDER : public QC_BASESLIDER {
 public:
  // Releases the texture through the texture-release hook; the strip deletes the sprites.
  ~QC_GUI_STRIP_SLIDER() override;

  QS_GUI_EVENT* fUpdate() override;
  void fRender() override { _strip.fRender(); }
  // The extent along the track from one end button's outer edge to the other's, projected on x
  // and y, plus the button height across the track.
  float fGetWidth() override { return fGetExtent().x; }
  float fGetHeight() override { return fGetExtent().y; }

  float fGetFrameWidth() const { return _strip.fGetFrameWidth(); }
  float fGetFrameHeight() const { return _strip.fGetFrameHeight(); }
  float fGetBodyLength() const { return _bodyLength; }
  QS_VEC2 fGetTrackOffset() const { return _trackOffset; }
  QS_VEC2 fGetCap1Position() const { return _cap1; }
  QS_VEC2 fGetBodyPosition() const { return _body; }
  QS_VEC2 fGetCap2Position() const { return _cap2; }
  QC_TEXTURE_INFO* fGetTexture() const { return _strip.fGetTexture(); }
  QC_SPRITE* fGetSprite(int index) const { return _strip.fGetSprite(index); }

 protected:
  // Track from start to end, both the outer ends of the end buttons in screen pixels; the knob is
  // one frame wide. The sprites are made by fLayOutTrack.
  QC_GUI_STRIP_SLIDER(int id, QC_TEXTURE_INFO* texture, int frames, QS_VEC2 start, QS_VEC2 end, float radius,
                      float buttonDistance, float minimum, float maximum, float step, float value);
  // The base's default ends; the sprites are made at once, caps and body at the origin with a body
  // of length 0.
  QC_GUI_STRIP_SLIDER(int id, QC_TEXTURE_INFO* texture, int frames, float knobSize, float buttonDistance);

  // The construction layout on the fitted ends: track offset = button distance frame widths along
  // the track, caps half a frame inside it, body between the ends and as long as the track
  // between the offsets plus bodyExtra; makes the sprites and places caps and body. Returns the
  // track angle for the caller's turn.
  float fLayOutTrack(float buttonDistance, float bodyExtra);
  // New local end points: caps one frame width plus 2 pixels from the ends, a body 3 frame widths
  // shorter than the track (never below 0) centred between them. Returns the track angle.
  float fPlaceTrack(float x1, float y1, float x2, float y2);

  QC_GUI_SLIDER_STRIP _strip;
  QS_VEC2 _trackOffset;
  QS_VEC2 _start;
  QS_VEC2 _cap1;
  QS_VEC2 _body;
  QS_VEC2 _cap2;
  QS_VEC2 _end;
  float _bodyLength;

 private:
  QS_VEC2 fGetExtent() const;
};

}  // namespace QOR
