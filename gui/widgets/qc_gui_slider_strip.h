// The drawn part of a slider: sprites cut from one image strip of N equal frames (end 1, end 2 and
// knob with idle / hovered / held looks at 0..2, 3..5, 6..8; track cap 1, body and cap 2 at 9, 10,
// 11; with 13 frames a fill at 12). End buttons and knob are drawn on the slider base's part
// transforms; caps, body and fill on transforms of their own placed in the widget's.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/math/qs_vec2.h"
#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"

namespace QOR {

class QC_GUI_SLIDER_STRIP {
 public:
  static constexpr int kEnd1 = 0;
  static constexpr int kEnd2 = 1;
  static constexpr int kKnob = 2;
  static constexpr int kCap1 = 3;
  static constexpr int kCap2 = 4;
  static constexpr int kBody = 5;
  static constexpr int kFill = 6;
  static constexpr float kPi = 3.1415927f;
  static constexpr float kHalfPi = 1.5707964f;

  // Frame width := texture width / frames (integer division), frame height := texture height;
  // both 0 without a texture. No sprites yet.
  QC_GUI_SLIDER_STRIP(QC_TEXTURE_INFO* texture, int frames);
  // Deletes the sprites (and with them the transforms they made).
  ~QC_GUI_SLIDER_STRIP();
  QC_GUI_SLIDER_STRIP(const QC_GUI_SLIDER_STRIP&) = delete;
  QC_GUI_SLIDER_STRIP& operator=(const QC_GUI_SLIDER_STRIP&) = delete;

  static float fFrameWidthOf(const QC_TEXTURE_INFO* texture, int frames);

  // Makes the sprites: end 1, end 2 and knob on the given part transforms, caps, body (and with
  // 13 frames the fill) on own transforms parented to the widget's. Square parts frame width x
  // frame height, anchored at their centre; the body frame width x body length with its frame
  // repeated along it.
  void fCreate(QS_TRANSFORM3* widget, QS_TRANSFORM3* const parts[3], const int states[3], float bodyLength);
  // Part frames from the three part states: state, state + 3, state + 6.
  void fSetPartFrames(const int states[3]);
  // Track angle of a direction: acos(dx) when end 2 lies below end 1, else pi + acos(-dx); the
  // cosines are clamped to -1..1.
  static float fTrackAngle(const QS_VEC2& direction, bool end2Below);
  // Every transform of the strip gets rotation z := angle; body and fill then get the extra turn.
  void fTurn(float angle, float bodyTurn, float fillTurn);
  // Body of size frame width x length (at least 0) centred at the position, frame repeated.
  void fLayBody(const QS_VEC2& position, float length);
  // Fill from `from` (its top-centre) over length pixels, frame 12 repeated.
  void fLayFill(const QS_VEC2& from, float length);
  // (width, height) of a slider's box: its extent from one end button's outer edge to the other's
  // (end 2 - end 1 plus one knob size along the track) projected on x and y, plus the button
  // height across the track.
  static QS_VEC2 fExtent(const QS_VEC2& end1, const QS_VEC2& end2, float knobSize, float buttonHeight);
  // Caps, body, fill, then end 1, end 2, knob.
  void fRender();

  QC_SPRITE* fGetSprite(int index) const { return index >= 0 && index < 7 ? _sprites[index] : nullptr; }
  QC_TEXTURE_INFO* fGetTexture() const { return _texture; }
  int fGetFrames() const { return _frames; }
  float fGetFrameWidth() const { return _frameWidth; }
  float fGetFrameHeight() const { return _frameHeight; }

 private:
  // The body's and the fill's frame as a u offset: index / frames.
  float fFrameU(int index) const;

  QC_TEXTURE_INFO* _texture;
  int _frames;
  float _frameWidth;
  float _frameHeight;
  QC_SPRITE* _sprites[7];
};

}  // namespace QOR
