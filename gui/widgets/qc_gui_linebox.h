// One-line text entry: a background image with an inner input area in which wide text is typed
// and edited (left, right, backspace, delete) and drawn in a bitmap font with a blinking caret.
// The active flag is the focus: only an active line box blinks and takes keys. Reports 7 on a
// click inside, 11 while a focus request is set, 10 when a character was inserted.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "gui/base/qc_gui_object.h"
#include "gui/base/qc_hit_area.h"

#include <pugixml.hpp>

#include <string>

namespace QOR {

class QC_GUI_LINEBOX : public QC_GUI_OBJECT {
 public:
  static constexpr unsigned kUnlimited = 0x7FFFFFFFu;

  // The font stays the caller's.
  QC_GUI_LINEBOX(int id, QC_TEXTURE_INFO* background, QC_FONT* font);
  // Builds its own font from the description and page (text buffer of 600 characters).
  QC_GUI_LINEBOX(int id, QC_TEXTURE_INFO* background, pugi::xml_node fontDescription, QC_TEXTURE_INFO* fontPage);
  // Releases the background (and the page of a font it made) through the texture-release hook;
  // deletes its own font only.
  ~QC_GUI_LINEBOX() override;

  QS_GUI_EVENT* fUpdate() override;
  void fRender() override;
  float fGetWidth() override { return _background->fGetWidth(); }
  float fGetHeight() override { return _background->fGetHeight(); }

  // 0, 5, 6 centre; 1, 3, 7 left; 2, 4, 8 right; other modes change nothing.
  void fSetAlignment(int mode);
  int fGetAlignment() const { return _alignment; }
  // Insets of the input area from the background's edges.
  void fSetInputArea(float left, float top, float right, float bottom);
  void fSetInputMargin(float margin) { fSetInputArea(margin, margin, margin, margin); }
  // 0 means unlimited; a longer existing text is not cut.
  void fSetMaxLength(unsigned length) { _maxLength = length == 0 ? kUnlimited : length; }
  unsigned fGetMaxLength() const { return _maxLength; }
  // Half a blink cycle; also restarts the blink with the caret shown.
  void fSetCaretBlinkTime(float seconds);

  // Accepted when it is no longer than the maximum and no wider than the input area; the caret
  // goes to the start. Refused silently otherwise.
  void fSetText(const std::wstring& text);
  // Full: a typed character was refused for want of room, and nothing was erased since. A full
  // line box takes no character, however narrow, so a text never goes on past a refused one.
  bool isFull() const { return _full; }
  std::wstring fGetText() const { return _text; }
  bool isEmpty() const { return _text.empty(); }
  void fClearText() {
    _text.clear();
    _caret = 0;
    _full = false;
  }
  QC_GUI_LINEBOX* fSetCaretPosition(int position);
  unsigned fGetCaretPosition() const { return _caret; }
  QC_GUI_LINEBOX* fShowCaret(bool shown) {
    _caretShown = shown;
    return this;
  }
  bool isCaretShown() const { return _caretShown; }
  void fSetExcludedChars(const std::wstring& characters) { _excluded = characters; }
  std::wstring fGetExcludedChars() const { return _excluded; }
  bool isCharAllowed(wchar_t character) const { return _excluded.find(character) == std::wstring::npos; }
  // While set, every update takes the focus.
  void fSetFocusRequest(bool request) { _focusRequest = request; }
  // A font the line box made itself is deleted (and its page released) when another replaces it;
  // a caller's font never is.
  QC_GUI_LINEBOX* fSetFont(QC_FONT* font);
  QC_FONT* fGetFont() const { return _font; }
  // The form's font resource name, kept for reference.
  void fSetFontName(const std::string& name) { _fontName = name; }
  const std::string& fGetFontName() const { return _fontName; }
  QC_HIT_AREA* fGetHitArea() const { return _hitArea; }
  QS_TRANSFORM3* fGetTextTransform() const { return _textTransform; }
  QC_SPRITE* fGetBackground() const { return _background; }

 private:
  void fBuild(QC_TEXTURE_INFO* background);
  // Inserts the character typed this tick when it fits; true when one was inserted. A character
  // refused for want of room makes the line box full.
  bool fTypeCharacter();
  void fDrawText();

  std::wstring _text;
  std::wstring _excluded;
  QS_TRANSFORM3* _hitTransform;
  QC_HIT_AREA* _hitArea;
  QC_FONT* _font;
  QC_SPRITE* _background;
  QS_TRANSFORM3* _textTransform;
  int _alignment;
  unsigned _caret;
  unsigned _maxLength;
  bool _caretShown;
  bool _focusRequest;
  bool _full;
  float _blinkPeriod;
  float _blinkCountdown;
  bool _ownsFont;
  std::string _fontName;
  float _margins[4];
};

}  // namespace QOR
