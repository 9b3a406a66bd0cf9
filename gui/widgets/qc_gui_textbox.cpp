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
    _maxChars = 0;
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
  fRecomputeMaxChars();
  _hitArea = new QC_HIT_AREA(QC_HIT_AREA::kRectangle, _transform, static_cast<float>(_width),
                             static_cast<float>(_height), 0, 0);
}

int QC_GUI_TEXTBOX::fColumnWidth() const {
  const long long column = static_cast<long long>(_cellWidth) + _spacing;
  return static_cast<int>(std::clamp<long long>(column, 1, INT32_MAX));
}

void QC_GUI_TEXTBOX::fRecomputeMaxChars() {
  const long long margin = _marginDivisor > 0 ? _width / _marginDivisor : 0;
  const long long room = static_cast<long long>(_width) - 2 * margin;
  _maxChars = static_cast<int>(std::clamp<long long>(room / fColumnWidth(), 0, INT32_MAX));
}

void QC_GUI_TEXTBOX::fSetSize(int width, int height) {
  if (width != 0) _width = width;
  if (height != 0) _height = height;
  fRecomputeMaxChars();
  if (_background == nullptr) return;
  _background->fSetSize(_width, _height);
  _background->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  // Clicks land on the box as it is now drawn; the caret columns assume the same width.
  _hitArea->fSetWidth(static_cast<float>(_width));
  _hitArea->fSetHeight(static_cast<float>(_height));
}

QC_GUI_TEXTBOX* QC_GUI_TEXTBOX::fSetSpacing(int spacing) {
  _spacing = spacing;
  fRecomputeMaxChars();
  return this;
}

QC_GUI_TEXTBOX* QC_GUI_TEXTBOX::fSetFont(QC_FONT* font) {
  if (font != _font) {
    fDropOwnedFont(_font, _ownsFont);
    _font = font;
  }
  _cellWidth = _font != nullptr ? _font->fGetLineHeight() : 1;
  fRecomputeMaxChars();
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
  if (static_cast<long long>(_text.size()) >= _maxChars) return 1;
  _text.push_back(character);
  return 0;
}

int QC_GUI_TEXTBOX::fInsertChar(wchar_t character, int index) {
  if (static_cast<long long>(_text.size()) >= _maxChars) return 1;
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
  if (QC_GUI_INPUT::fGetState(QC_GUI_INPUT::kKeyRight) == 1 && _caretIndex < length && _caretIndex < _maxChars) {
    ++_caretIndex;
  }
  if (QC_GUI_INPUT::fGetState(QC_GUI_INPUT::kKeyLeft) == 1 && _caretIndex > 0) --_caretIndex;
  if (QC_GUI_INPUT::fGetState(QC_GUI_INPUT::kKeyBackspace) == 1) fDeleteChar(true);
  if (QC_GUI_INPUT::fGetState(QC_GUI_INPUT::kKeyDelete) == 1) fDeleteChar(false);
  // Typing: a key that produced no character inserts nothing, and a mouse press in the same tick
  // takes precedence.
  const std::uint32_t lastKey = QC_GUI_INPUT::fGetLastKey();
  if (static_cast<long long>(_text.size()) < _maxChars && lastKey != 0 &&
      !QC_GUI_INPUT::isSystemKey(static_cast<int>(lastKey)) && !QC_GUI_INPUT::isPressed(1) &&
      !QC_GUI_INPUT::isPressed(2)) {
    const wchar_t character = QC_GUI_INPUT::fGetTypedChar();
    if (character != 0) {
      const int at = _caretIndex;
      ++_caretIndex;
      fInsertChar(character, at);
    }
  }
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
      const long long column = (QC_GUI_INPUT::fMouseX() - x + _width / 2) / fColumnWidth();
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
  _background->fRenderInFrame(false, false, false);
  const QS_TRANSFORM3 world = _transform->fGetWorld(false, false, false);
  const float x0 = world._position.x - static_cast<float>(_width / 2 - _width / 20);
  const int y = fTruncateToInt(static_cast<double>(world._position.y));
  const int savedAlignment = _font->fGetAlign();
  _font->fSetAlign(1);
  float run = 0.0f;
  const std::size_t length = _text.size();
  for (std::size_t i = 0; i <= length; ++i) {
    if (i < length) {
      _font->fDrawChar(static_cast<int>(_text[i]), fTruncateToInt(static_cast<double>(x0 + run)), y);
    }
    if (_active && _caretShown && static_cast<std::size_t>(_caretIndex) == i) {
      _font->fDrawText(fTruncateToInt(static_cast<double>(x0 + run - 5.0f)), y, "|");
    }
    if (i < length) run += static_cast<float>(_spacing + _font->fGetCharWidth(static_cast<int>(_text[i])));
  }
  _font->fSetAlign(savedAlignment);
}

}  // namespace QOR
