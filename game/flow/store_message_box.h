// The game's modal message box: a dark veil over the screen, a back image with one text, and an
// OK button (info mode) or OK and cancel (question mode). It slides down from above the screen to
// its place and back up when it closes. It decides nothing: fUpdate reports the answer and the
// caller acts on it.
//
// Protocol: show it, then call fUpdate once per tick while it is open. On 1 act and call fHide;
// it keeps drawing while it slides out and closes itself above the screen. On -1 (cancel or
// Escape, question mode) it is already closing. Once hidden it answers 0 to every button and key
// until the next show, so an answer is never given twice; closed, it answers 0 as well (also on
// the tick its slide-out ends).
#pragma once

#include "engine/math/qs_vec2.h"
#include "game/board/timed_values.h"

#include <string>

namespace QOR {
class QC_FONT;
class QC_IMAGE_BUTTON;
class QC_SPRITE;
class QC_TEXTURE_INFO;
}  // namespace QOR

class STORE_MESSAGE_BOX {
 public:
  static constexpr float kHiddenY = -300.0f;     // the back's y above the screen
  static constexpr float kButtonDrop = 150.0f;   // buttons stand this far below the box's y
  static constexpr float kButtonSpread = 60.0f;  // OK left and cancel right of x, question mode
  static constexpr int kTextRise = 6;            // the text is drawn this far above the box's y
  static constexpr int kKeyEnter = 13;
  static constexpr int kKeyEscape = 27;

  // Subscribes "Dark_back.png", "Message_back.png", "Ok_middle.png" and "Delete_middle.png" and
  // builds the veil (the whole screen), the back and the two buttons; closed.
  STORE_MESSAGE_BOX();
  // Deletes what it built and gives back its four subscriptions.
  virtual ~STORE_MESSAGE_BOX();
  STORE_MESSAGE_BOX(const STORE_MESSAGE_BOX&) = delete;
  STORE_MESSAGE_BOX& operator=(const STORE_MESSAGE_BOX&) = delete;

  // Opens info mode (OK alone) with the text, sliding down to (x, y).
  void fShowMessage(const std::wstring& text, float x, float y);
  // Opens question mode (OK and cancel) with the caller's code, sliding down to (x, y).
  void fShowQuestion(int code, const std::wstring& text, float x, float y);
  // Starts sliding out; the box closes when the slide ends above the screen.
  void fHide();
  // One tick: 1 confirmed (OK or Enter), -1 cancelled (cancel or Escape, question mode only, the
  // box then hides itself), 0 nothing. Only an open box that is not hiding answers.
  int fUpdate();
  // Draws the veil, the back, the text (literally, in the golden colour, with the font's current
  // alignment) and the buttons; nothing while closed.
  void fRender(QOR::QC_FONT* font);
  // Places the back at (x, y) and the buttons below it. Every placement the box makes, during
  // show and slide, goes through this slot.
  virtual void fSetPosition(float x, float y);
  // The back's position.
  QOR::QS_VEC2 fGetPosition() const;

  bool isQuestion() const { return _question; }
  bool isInfo() const { return _info; }
  bool isOpen() const { return _question || _info; }
  // Hidden by its caller (or by its own cancel) and sliding out.
  bool isHiding() const { return _hiding; }
  // Sliding in or out, or its veil fading.
  bool isMoving() const { return _slide.active || _veilFade.active; }
  int fGetCode() const { return _code; }
  const std::wstring& fGetText() const { return _text; }
  QOR::QC_SPRITE* fGetVeil() const { return _veil; }
  QOR::QC_SPRITE* fGetBack() const { return _back; }
  QOR::QC_IMAGE_BUTTON* fGetOkButton() const { return _okButton; }
  QOR::QC_IMAGE_BUTTON* fGetCancelButton() const { return _cancelButton; }

 protected:
  // Both open paths: mode, text and code set, placed above the screen, slide and veil started.
  void fOpen(bool question, int code, const std::wstring& text, float x, float y);
  static void fPlayClick();

  bool _question = false;
  bool _info = false;
  VALUE_TWEEN _slide;      // the back's y
  ALPHA_FADER _veilFade;   // the veil's alpha
  QOR::QC_SPRITE* _veil = nullptr;
  int _code = 0;
  QOR::QC_SPRITE* _back = nullptr;
  QOR::QC_IMAGE_BUTTON* _okButton = nullptr;
  QOR::QC_IMAGE_BUTTON* _cancelButton = nullptr;
  std::wstring _text;
  bool _hiding = false;

 private:
  QOR::QC_TEXTURE_INFO* _veilImage = nullptr;
  QOR::QC_TEXTURE_INFO* _backImage = nullptr;
  QOR::QC_TEXTURE_INFO* _okImage = nullptr;
  QOR::QC_TEXTURE_INFO* _cancelImage = nullptr;
};
