// One-line text field. A text wider than the box scrolls in it: the box shows the part around the
// caret, and the text is kept whole up to a length limit (typing beyond it is refused with a log
// line). A click places the caret by column (a fixed cell width, the font's line height, from the
// first character shown); the caret blinks once a second. Reports only clicks (7) and releases
// (8); editing and typing report nothing.
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
  // A 0 keeps the current value; the hit area follows.
  void fSetSize(int width, int height) override;
  float fGetWidth() override { return _background != nullptr ? _background->fGetWidth() : 0.0f; }
  float fGetHeight() override { return _background != nullptr ? _background->fGetHeight() : 0.0f; }

  QC_GUI_TEXTBOX* fSetSpacing(int spacing);
  // Divisor of the side margins (width / divisor each; 0 for none).
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
  // The text as given (no limit); the caret stays where it is, within the new text.
  void fSetText(const std::wstring& text);
  // The text as UTF-8 in one buffer shared by every text box (replaced by the next call), or null
  // for an empty text.
  const char* fGetTextA() const;
  // The same with one shared wide copy.
  const wchar_t* fGetTextW() const;
  const std::wstring& fGetText() const { return _text; }
  // 1 (nothing added) when the text has reached the length limit, else 0.
  int fAppendChar(wchar_t character);
  int fInsertChar(wchar_t character, int index);
  // 0 when a character was erased before (backward) or at the caret, else 1.
  int fDeleteChar(bool backward);
  // Removes trailing blanks.
  void fTrimRight();
  void fClearText() {
    _caretIndex = 0;
    _firstShown = 0;
    _text.clear();
  }

  // The longest text typing and the character operations make (kDefaultMaxLength unless set; a
  // longer text set whole is kept).
  static constexpr int kDefaultMaxLength = 255;
  void fSetMaxLength(int length) { _maxLength = length; }
  int fGetMaxLength() const { return _maxLength; }
  // The first character the box shows.
  int fGetFirstShown() const { return _firstShown; }
  int fGetCellWidth() const { return _cellWidth; }
  int fGetCaretIndex() const { return _caretIndex; }
  bool isCaretShown() const { return _caretShown; }
  QC_HIT_AREA* fGetHitArea() const { return _hitArea; }
  QC_SPRITE* fGetBackground() const { return _background; }

 private:
  void fBuild(QC_TEXTURE_INFO* background);
  // Cell width plus spacing, at least 1.
  int fColumnWidth() const;
  // Width of each side margin, and the room for text between them.
  int fMargin() const;
  int fRoom() const;
  // The drawn width of the characters [from, to): glyph widths plus spacing (0 without a font).
  long long fSpanWidth(int from, int to) const;
  // Scrolls so the caret stands inside the room, showing as much of the text's end as fits.
  void fScrollToCaret();
  void fEditKeys();

  std::wstring _text;
  QC_FONT* _font;
  QC_SPRITE* _background;
  QC_HIT_AREA* _hitArea;
  int _width;
  int _height;
  int _cellWidth;
  int _spacing;
  int _maxLength;
  int _firstShown;
  int _marginDivisor;
  bool _caretShown;
  int _caretIndex;
  float _blinkClock;
  bool _ownsFont;
  bool _releasesBackground;
};

}  // namespace QOR
