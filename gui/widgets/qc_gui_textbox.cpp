#include "gui/widgets/qc_gui_textbox.h"

#include "engine/math/float_to_int.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "gui/base/gui_texture_release.h"
#include "gui/base/qc_gui_input.h"

#include <algorithm>
#include <cstdint>

namespace QOR {

namespace {

constexpr int kOwnFontBuffer = 600;

// The shared results of fGetTextA and fGetTextW.
std::string gNarrowText;
std::wstring gWideText;

}  // namespace

QC_GUI_TEXTBOX::QC_GUI_TEXTBOX(int id, pugi::xml_node fontDescription, QC_TEXTURE_INFO* fontPage,
                               QC_TEXTURE_INFO* background)
    : QC_GUI_OBJECT(id), _font(new QC_FONT(fontDescription, fontPage, kOwnFontBuffer)), _ownsFont(true) {
  fBuild(background);
  _releasesBackground = true;
}

QC_GUI_TEXTBOX::QC_GUI_TEXTBOX(int id, QC_FONT* font, QC_TEXTURE_INFO* background)
    : QC_GUI_OBJECT(id), _font(font), _ownsFont(false) {
  if (font == nullptr) {
    fLog("QC_GUI_TEXTBOX constructor ERROR");
    _typeCode = 2;
    _background = nullptr;
    _hitArea = nullptr;
    _width = _height = 0;
    _cellWidth = 1;
    _spacing = 0;
    _maxLength = kDefaultMaxLength;
    _firstShown = 0;
    _marginDivisor = 20;
    _caretShown = true;
    _caretIndex = 0;
    _blinkClock = 0.0f;
    _releasesBackground = false;
    return;
  }
  fBuild(background);
  _releasesBackground = true;
}

QC_GUI_TEXTBOX::QC_GUI_TEXTBOX(int id) : QC_GUI_OBJECT(id), _font(nullptr), _ownsFont(false) {
  fBuild(fDefaultWidgetTexture());
  // The default texture was not taken from the resource loader, so nothing is handed back.
  _releasesBackground = false;
}

QC_GUI_TEXTBOX::~QC_GUI_TEXTBOX() {
  if (_background != nullptr && _releasesBackground) fReleaseWidgetTexture(_background->fGetTexture());
  delete _background;
  delete _hitArea;
  fDropOwnedFont(_font, _ownsFont);
}

void QC_GUI_TEXTBOX::fBuild(QC_TEXTURE_INFO* background) {
  _typeCode = 2;
  _caretShown = true;
  _caretIndex = 0;
  _blinkClock = 0.0f;
  _background = new QC_SPRITE(background, _transform);
  _background->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  _width = _background->fGetPageWidth();
  _height = _background->fGetPageHeight();
  _marginDivisor = 20;
  _cellWidth = _font != nullptr ? _font->fGetLineHeight() : 1;
  _spacing = 0;
  _maxLength = kDefaultMaxLength;
  _firstShown = 0;
  _hitArea = new QC_HIT_AREA(QC_HIT_AREA::kRectangle, _transform, static_cast<float>(_width),
                             static_cast<float>(_height), 0, 0);
}

int QC_GUI_TEXTBOX::fColumnWidth() const {
  const long long column = static_cast<long long>(_cellWidth) + _spacing;
  return static_cast<int>(std::clamp<long long>(column, 1, INT32_MAX));
}

int QC_GUI_TEXTBOX::fMargin() const { return _marginDivisor > 0 ? _width / _marginDivisor : 0; }

int QC_GUI_TEXTBOX::fRoom() const {
  const long long room = static_cast<long long>(_width) - 2LL * fMargin();
  return static_cast<int>(std::clamp<long long>(room, 0, INT32_MAX));
}

long long QC_GUI_TEXTBOX::fSpanWidth(int from, int to) const {
  if (_font == nullptr) return 0;
  long long width = 0;
  for (int i = std::max(from, 0); i < to && i < static_cast<int>(_text.size()); ++i) {
    width += static_cast<long long>(_font->fGetCharWidth(static_cast<int>(_text[static_cast<std::size_t>(i)]))) +
             _spacing;
  }
  return width;
}

void QC_GUI_TEXTBOX::fScrollToCaret() {
  const int length = static_cast<int>(_text.size());
  _caretIndex = std::clamp(_caretIndex, 0, length);
  _firstShown = std::clamp(_firstShown, 0, _caretIndex);
  while (_firstShown < _caretIndex && fSpanWidth(_firstShown, _caretIndex) > fRoom()) ++_firstShown;
  // Where the text's end leaves room (after erasing), earlier characters come back into view.
  while (_firstShown > 0 && fSpanWidth(_firstShown - 1, length) <= fRoom()) --_firstShown;
}

void QC_GUI_TEXTBOX::fSetSize(int width, int height) {
  if (width != 0) _width = width;
  if (height != 0) _height = height;
  if (_background == nullptr) return;
  _background->fSetSize(_width, _height);
  _background->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  // Clicks land on the box as it is now drawn; the caret columns assume the same width.
  _hitArea->fSetWidth(static_cast<float>(_width));
  _hitArea->fSetHeight(static_cast<float>(_height));
}

QC_GUI_TEXTBOX* QC_GUI_TEXTBOX::fSetSpacing(int spacing) {
  _spacing = spacing;
  return this;
}

QC_GUI_TEXTBOX* QC_GUI_TEXTBOX::fSetFont(QC_FONT* font) {
  if (font != _font) {
    fDropOwnedFont(_font, _ownsFont);
    _font = font;
  }
  _cellWidth = _font != nullptr ? _font->fGetLineHeight() : 1;
  return this;
}

void QC_GUI_TEXTBOX::fSetFontScale(float scale) {
  if (_font != nullptr) _font->fSetScale(scale);
}

void QC_GUI_TEXTBOX::fLoadFont(const char* fileName) {
  if (_font == nullptr) return;
  if (_font->fLoadFile(fileName) != 1) fLog("Error loading font.");
}

void QC_GUI_TEXTBOX::fSetTextA(const char* text) {
  _text.clear();
  if (text != nullptr) {
    for (const char* p = text; *p != '\0'; ++p) {
      const auto widened = static_cast<std::uint16_t>(static_cast<std::int16_t>(static_cast<std::int8_t>(*p)));
      _text.push_back(static_cast<wchar_t>(widened));
    }
  }
  _caretIndex = std::min(_caretIndex, static_cast<int>(_text.size()));
}

void QC_GUI_TEXTBOX::fSetText(const std::wstring& text) {
  _text = text;
  _caretIndex = std::min(_caretIndex, static_cast<int>(_text.size()));
}

const char* QC_GUI_TEXTBOX::fGetTextA() const {
  gNarrowText.clear();
  gNarrowText.shrink_to_fit();
  if (_text.empty()) return nullptr;
  gNarrowText = pugi::as_utf8(_text.c_str());
  return gNarrowText.c_str();
}

const wchar_t* QC_GUI_TEXTBOX::fGetTextW() const {
  gWideText.clear();
  gWideText.shrink_to_fit();
  if (_text.empty()) return nullptr;
  gWideText = _text;
  return gWideText.c_str();
}

int QC_GUI_TEXTBOX::fAppendChar(wchar_t character) {
  if (static_cast<long long>(_text.size()) >= _maxLength) return 1;
  _text.push_back(character);
  return 0;
}

int QC_GUI_TEXTBOX::fInsertChar(wchar_t character, int index) {
  if (static_cast<long long>(_text.size()) >= _maxLength) return 1;
  const int at = std::clamp(index, 0, static_cast<int>(_text.size()));
  _text.insert(_text.begin() + at, character);
  return 0;
}

int QC_GUI_TEXTBOX::fDeleteChar(bool backward) {
  if (backward) {
    if (_caretIndex <= 0 || _caretIndex > static_cast<int>(_text.size())) return 1;
    --_caretIndex;
    _text.erase(static_cast<std::size_t>(_caretIndex), 1);
    return 0;
  }
  if (_text.empty() || _caretIndex < 0 || _caretIndex >= static_cast<int>(_text.size())) return 1;
  _text.erase(static_cast<std::size_t>(_caretIndex), 1);
  return 0;
}

void QC_GUI_TEXTBOX::fTrimRight() {
  while (!_text.empty() && _text.back() == L' ') _text.pop_back();
  _caretIndex = std::min(_caretIndex, static_cast<int>(_text.size()));
}

void QC_GUI_TEXTBOX::fEditKeys() {
  const int length = static_cast<int>(_text.size());
  if (QC_GUI_INPUT::fGetState(QC_GUI_INPUT::kKeyRight) == 1 && _caretIndex < length) ++_caretIndex;
  if (QC_GUI_INPUT::fGetState(QC_GUI_INPUT::kKeyLeft) == 1 && _caretIndex > 0) --_caretIndex;
  if (QC_GUI_INPUT::fGetState(QC_GUI_INPUT::kKeyBackspace) == 1) fDeleteChar(true);
  if (QC_GUI_INPUT::fGetState(QC_GUI_INPUT::kKeyDelete) == 1) fDeleteChar(false);
  // Typing: a key that produced no character, or a control code (Escape, Tab), inserts nothing,
  // and a mouse press in the same tick takes precedence.
  const std::uint32_t lastKey = QC_GUI_INPUT::fGetLastKey();
  const wchar_t character = QC_GUI_INPUT::fGetTypedChar();
  if (lastKey != 0 && QC_GUI_INPUT::isTextChar(character) && !QC_GUI_INPUT::isSystemKey(static_cast<int>(lastKey)) &&
      !QC_GUI_INPUT::isPressed(1) && !QC_GUI_INPUT::isPressed(2)) {
    if (static_cast<long long>(_text.size()) < _maxLength) {
      const int at = _caretIndex;
      ++_caretIndex;
      fInsertChar(character, at);
    } else {
      // Never cut silently: the refusal is told.
      fLog() << "Text box " << fGetId() << " is full (" << _maxLength << " characters): typing refused";
    }
  }
  fScrollToCaret();
}

QS_GUI_EVENT* QC_GUI_TEXTBOX::fUpdate() {
  _pair._event = QE_GUI_NONE;
  if (_hitArea == nullptr) return nullptr;  // made without a font
  _blinkClock += qcFrameTime;
  if (_blinkClock < 0.5f) {
    _caretShown = true;
  } else if (_blinkClock < 1.0f) {
    _caretShown = false;
  } else {
    _blinkClock = 0.0f;
  }
  if (QC_GUI_INPUT::isMouseOver(*_hitArea)) {
    if (QC_GUI_INPUT::isPressed(1)) {
      _active = true;
      const QS_TRANSFORM3 world = _transform->fGetWorld(false, false, false);
      const long long x = fTruncateToInt(static_cast<double>(world._position.x));
      const long long column = (QC_GUI_INPUT::fMouseX() - x + _width / 2) / fColumnWidth() + _firstShown;
      _caretIndex = static_cast<int>(std::clamp<long long>(column, 0, static_cast<long long>(_text.size())));
      return fReport(QE_GUI_DOWN);
    }
    if (QC_GUI_INPUT::isReleased(1) && _active) return fReport(QE_GUI_UP);
  } else if (QC_GUI_INPUT::isPressed(1)) {
    _active = false;
  }
  if (_active) fEditKeys();
  return nullptr;
}

void QC_GUI_TEXTBOX::fRender() {
  if (_font == nullptr || _background == nullptr) return;
  fScrollToCaret();
  _background->fRenderInFrame(false, false, false);
  const QS_TRANSFORM3 world = _transform->fGetWorld(false, false, false);
  const float x0 = world._position.x - static_cast<float>(_width / 2 - fMargin());
  // The line is centred on the box: its top at the box's middle would hang below the box. Glyphs
  // are drawn from the font page's pivot, so the line's top lies that far above the pen.
  const QS_TRANSFORM3* page = _font->fGetPage() != nullptr ? _font->fGetPage()->fGetTransform() : nullptr;
  const double pivot = page != nullptr ? static_cast<double>(page->_pivot.y) : 0.0;
  const int y = fTruncateToInt(static_cast<double>(world._position.y) - _font->fGetLineHeight() / 2 + pivot);
  const int savedAlignment = _font->fGetAlign();
  _font->fSetAlign(1);
  // The characters from the first shown on, as many as the room between the margins holds.
  const long long room = fRoom();
  long long run = 0;
  const int length = static_cast<int>(_text.size());
  for (int i = _firstShown; i <= length; ++i) {
    const long long advance = i < length ? fSpanWidth(i, i + 1) : 0;
    const bool fits = i < length && run + advance <= room;
    if (fits) {
      _font->fDrawChar(static_cast<int>(_text[static_cast<std::size_t>(i)]),
                       fTruncateToInt(static_cast<double>(x0) + static_cast<double>(run)), y);
    }
    if (_active && _caretShown && _caretIndex == i) {
      _font->fDrawText(fTruncateToInt(static_cast<double>(x0) + static_cast<double>(run) - 5.0), y, "|");
    }
    if (!fits) break;
    run += advance;
  }
  _font->fSetAlign(savedAlignment);
}

}  // namespace QOR
