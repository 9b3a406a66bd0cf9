// One-line text field limited by a character count worked out from its width and a fixed cell
// width (the font's line height). A click places the caret by column; the caret blinks once a
// second. Reports only clicks (7) and releases (8); editing and typing report nothing.
#pragma once

#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "gui/base/qc_gui_object.h"
#include "gui/base/qc_hit_area.h"

#include <pugixml.hpp>

#include <string>

namespace QOR {

class QC_GUI_TEXTBOX : public QC_GUI_OBJECT {
 public:
  // Builds its own font from the description and page (text buffer of 600 characters).
  QC_GUI_TEXTBOX(int id, pugi::xml_node fontDescription, QC_TEXTURE_INFO* fontPage, QC_TEXTURE_INFO* background);
  // The font stays the caller's. A null font logs "QC_GUI_TEXTBOX constructor ERROR" and leaves a
  // box that takes no input and draws nothing.
  QC_GUI_TEXTBOX(int id, QC_FONT* font, QC_TEXTURE_INFO* background);
  // No font; the background is the renderer's default texture.
  explicit QC_GUI_TEXTBOX(int id);
  // Releases a background it was given (and the page of a font it made) through the
  // texture-release hook; deletes its own font only.
  ~QC_GUI_TEXTBOX() override;

  QS_GUI_EVENT* fUpdate() override;
  void fRender() override;
  // A 0 keeps the current value; the character limit and the hit area follow.
  void fSetSize(int width, int height) override;
  float fGetWidth() override { return _background != nullptr ? _background->fGetWidth() : 0.0f; }
  float fGetHeight() override { return _background != nullptr ? _background->fGetHeight() : 0.0f; }

  QC_GUI_TEXTBOX* fSetSpacing(int spacing);
  // Divisor of the side margins (width / divisor each); used from the next change of size,
  // spacing or font.
  QC_GUI_TEXTBOX* fSetMarginDivisor(int divisor) {
    _marginDivisor = divisor;
    return this;
  }
  // The cell width becomes the font's line height. A font the text box made itself is deleted
  // (and its page released) when another replaces it.
  QC_GUI_TEXTBOX* fSetFont(QC_FONT* font);
  QC_FONT* fGetFont() const { return _font; }
  void fSetFontScale(float scale);
  // Asks the font to load a file; logs "Error loading font." when it does not report 1.
  void fLoadFont(const char* fileName);

  // Each byte becomes one character (as a signed 8-bit value widened to 16 bits); no limit; the
  // caret stays where it is, within the new text.
  void fSetTextA(const char* text);
  // The text as UTF-8 in one buffer shared by every text box (replaced by the next call), or null
  // for an empty text.
  const char* fGetTextA() const;
  // The same with one shared wide copy.
  const wchar_t* fGetTextW() const;
  const std::wstring& fGetText() const { return _text; }
  // 1 (nothing added) when the box is full, else 0.
  int fAppendChar(wchar_t character);
  int fInsertChar(wchar_t character, int index);
  // 0 when a character was erased before (backward) or at the caret, else 1.
  int fDeleteChar(bool backward);
  // Removes trailing blanks.
  void fTrimRight();
  void fClearText() {
    _caretIndex = 0;
    _text.clear();
  }

  int fGetMaxChars() const { return _maxChars; }
  int fGetCellWidth() const { return _cellWidth; }
  int fGetCaretIndex() const { return _caretIndex; }
  bool isCaretShown() const { return _caretShown; }
  QC_HIT_AREA* fGetHitArea() const { return _hitArea; }
  QC_SPRITE* fGetBackground() const { return _background; }

 private:
  void fBuild(QC_TEXTURE_INFO* background);
  void fRecomputeMaxChars();
  // Cell width plus spacing, at least 1.
  int fColumnWidth() const;
  void fEditKeys();

  std::wstring _text;
  QC_FONT* _font;
  QC_SPRITE* _background;
  QC_HIT_AREA* _hitArea;
  int _width;
  int _height;
  int _cellWidth;
  int _spacing;
  int _maxChars;
  int _marginDivisor;
  bool _caretShown;
  int _caretIndex;
  float _blinkClock;
  bool _ownsFont;
  bool _releasesBackground;
};

}  // namespace QOR
