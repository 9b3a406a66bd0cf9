#include "gui/widgets/qc_gui_linebox.h"

#include "engine/service/qc_globals.h"
#include "gui/base/gui_texture_release.h"
#include "gui/base/qc_gui_input.h"

namespace QOR {

namespace {

constexpr int kCaretGlyph = '|';
constexpr int kOwnFontBuffer = 600;

}  // namespace

QC_GUI_LINEBOX::QC_GUI_LINEBOX(int id, QC_TEXTURE_INFO* background, QC_FONT* font)
    : QC_GUI_OBJECT(id), _font(font), _ownsFont(false) {
  fBuild(background);
}

QC_GUI_LINEBOX::QC_GUI_LINEBOX(int id, QC_TEXTURE_INFO* background, pugi::xml_node fontDescription,
                               QC_TEXTURE_INFO* fontPage)
    : QC_GUI_OBJECT(id), _font(new QC_FONT(fontDescription, fontPage, kOwnFontBuffer)), _ownsFont(true) {
  fBuild(background);
}

QC_GUI_LINEBOX::~QC_GUI_LINEBOX() {
  fReleaseWidgetTexture(_background->fGetTexture());
  delete _textTransform;
  delete _hitArea;
  delete _hitTransform;
  delete _background;
  fDropOwnedFont(_font, _ownsFont);
}

void QC_GUI_LINEBOX::fBuild(QC_TEXTURE_INFO* background) {
  _typeCode = 3;
  _background = new QC_SPRITE(background, _transform);
  _background->fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  // The input area lives on a copy of the widget transform placed inside it, so the margins can
  // move the area without moving the picture.
  _hitTransform = new QS_TRANSFORM3(*_transform);
  _hitTransform->fSetParent(_transform);
  _hitArea = new QC_HIT_AREA(QC_HIT_AREA::kRectangle, _hitTransform, _background->fGetWidth(),
                             _background->fGetHeight(), 0, 0);
  _textTransform = new QS_TRANSFORM3();
  _textTransform->fSetParent(_hitTransform);
  _alignment = 7;
  _caret = 0;
  _caretShown = false;
  _focusRequest = false;
  _full = false;
  for (float& m : _margins) m = 0.0f;
  fSetCaretBlinkTime(0.5f);
  fSetInputMargin(4.0f);
  fSetMaxLength(0);
  fSetAlignment(7);
}

void QC_GUI_LINEBOX::fSetCaretBlinkTime(float seconds) {
  _blinkPeriod = seconds;
  _blinkCountdown = seconds;
  _caretShown = true;
}

void QC_GUI_LINEBOX::fSetInputArea(float left, float top, float right, float bottom) {
  _margins[0] = left;
  _margins[1] = top;
  _margins[2] = right;
  _margins[3] = bottom;
  _full = false;  // the room is measured anew
  const float width = _background->fGetWidth() - left - right;
  const float height = _background->fGetHeight() - top - bottom;
  _hitArea->fSetHeight(height);
  _hitArea->fSetWidth(width);
  _hitTransform->_position.x = (left - right) / 2.0f;
  _hitTransform->_position.y = (top - bottom) / 2.0f;
  // The area is centred on its position, as the picture is on the widget's.
  _hitTransform->fSetPivot(width / 2.0f, height / 2.0f, _hitTransform->_pivot.z);
  fSetAlignment(_alignment);
}

void QC_GUI_LINEBOX::fSetAlignment(int mode) {
  const float halfWidth = _hitArea->fGetWidth() / 2.0f;
  const float inset = static_cast<float>(_font != nullptr ? _font->fGetDefaultAdvance() / 2 : 0);
  switch (mode) {
    case 0: case 5: case 6:
      _textTransform->fSetPosition(0.0f, 0.0f, 0.0f);
      _alignment = 0;
      break;
    case 1: case 3: case 7:
      _textTransform->fSetPosition(-halfWidth + inset, 0.0f, 0.0f);
      _alignment = 7;
      break;
    case 2: case 4: case 8:
      // The same inset from the right edge as from the left one.
      _textTransform->fSetPosition(halfWidth - inset, 0.0f, 0.0f);
      _alignment = 8;
      break;
    default:
      break;
  }
}

void QC_GUI_LINEBOX::fSetText(const std::wstring& text) {
  if (text.size() > _maxLength) return;
  const float width = static_cast<float>(_font != nullptr ? _font->fGetLineWidthW(text.c_str()) : 0);
  if (!(_hitArea->fGetWidth() >= width)) return;
  _text = text;
  _caret = 0;
  _full = false;
}

QC_GUI_LINEBOX* QC_GUI_LINEBOX::fSetCaretPosition(int position) {
  if (position < 0) position = 0;
  _caret = static_cast<unsigned>(position) > _text.size() ? static_cast<unsigned>(_text.size())
                                                          : static_cast<unsigned>(position);
  return this;
}

QC_GUI_LINEBOX* QC_GUI_LINEBOX::fSetFont(QC_FONT* font) {
  if (font == _font) return this;
  fDropOwnedFont(_font, _ownsFont);
  _font = font;
  _full = false;  // the room is measured anew
  fSetAlignment(_alignment);  // the text inset follows the font's advance
  return this;
}

bool QC_GUI_LINEBOX::fTypeCharacter() {
  const std::uint32_t lastKey = QC_GUI_INPUT::fGetLastKey();
  if (QC_GUI_INPUT::isSystemKey(static_cast<int>(lastKey))) return false;
  const wchar_t character = QC_GUI_INPUT::fGetTypedChar();
  // Tab and the other control codes are never text.
  if (!QC_GUI_INPUT::isTextChar(character) || _full || _text.size() >= _maxLength || !isCharAllowed(character)) {
    return false;
  }
  // A character the font cannot draw is not taken: the text would hold something no screen shows.
  if (_font != nullptr && _font->fFindGlyph(static_cast<int>(character)) == nullptr) return false;
  long long needed = 0;
  if (_font != nullptr) {
    needed = static_cast<long long>(_font->fGetLineWidthW(_text.c_str())) +
             2LL * (static_cast<long long>(_font->fGetCharWidth(static_cast<int>(character))) + _font->_spacing);
  }
  if (!(_hitArea->fGetWidth() > static_cast<float>(needed))) {
    _full = true;
    return false;
  }
  if (_caret > _text.size()) return false;
  _text.insert(_text.begin() + _caret, character);
  ++_caret;
  return true;
}

QS_GUI_EVENT* QC_GUI_LINEBOX::fUpdate() {
  _pair._event = QE_GUI_NONE;
  if (QC_GUI_INPUT::isPressed(1)) {
    if (QC_GUI_INPUT::isMouseOver(*_hitArea)) {
      _active = true;
      _pair._event = QE_GUI_DOWN;
    } else if (_active) {
      _active = false;
    }
  }
  if (_focusRequest) {
    _active = true;
    _pair._event = QE_GUI_FOCUS_REQUEST;
  }
  if (_active) {
    if (_blinkCountdown > 0.0f) {
      _blinkCountdown -= qcFrameTime;
    } else {
      _blinkCountdown = _blinkPeriod;
      _caretShown = !_caretShown;
    }
  } else {
    _caretShown = false;
  }
  if (_active && QC_GUI_INPUT::fGetLastKey() != 0) {
    // Typing keeps the caret visible.
    _blinkCountdown = _blinkPeriod;
    _caretShown = true;
  }
  if (_active) {
    if (QC_GUI_INPUT::isPressed(QC_GUI_INPUT::kKeyLeft) && _caret > 0) --_caret;
    if (QC_GUI_INPUT::isPressed(QC_GUI_INPUT::kKeyRight) && _caret != _text.size()) ++_caret;
    if (QC_GUI_INPUT::isPressed(QC_GUI_INPUT::kKeyBackspace) && _caret > 0) {
      _text.erase(_caret - 1, 1);
      --_caret;
      _full = false;
    }
    if (QC_GUI_INPUT::isPressed(QC_GUI_INPUT::kKeyDelete) && _caret < _text.size()) {
      _text.erase(_caret, 1);
      _full = false;
    }
    if (fTypeCharacter()) _pair._event = QE_GUI_CHANGED;
  }
  return _pair._event != QE_GUI_NONE ? &_pair : nullptr;
}

void QC_GUI_LINEBOX::fRender() {
  _background->fRenderInFrame(false, false, false);
  if (_font != nullptr) fDrawText();
}

void QC_GUI_LINEBOX::fDrawText() {
  QC_SPRITE* page = _font->fGetPage();
  if (page == nullptr || page->fGetTransform() == nullptr) return;
  // The text frame's world, cut from its parents so they are not applied twice.
  QS_TRANSFORM3 frame = _textTransform->fGetWorld(false, false, false);
  frame._parent = nullptr;
  QS_TRANSFORM3* pageTransform = page->fGetTransform();
  pageTransform->fSetParent(&frame);
  const int savedAlignment = _font->fGetAlign();
  _font->fSetAlign(_alignment);
  const int x0 = _font->fGetOffsetXW(_text.c_str());
  int run = 0;
  for (std::size_t i = 0; i <= _text.size(); ++i) {
    if (i == _caret && _caretShown) _font->fDrawChar(kCaretGlyph, x0 + run - 2, 0);
    if (i == _text.size()) break;
    run += _font->fDrawChar(static_cast<int>(_text[i]), x0 + run, 0) + _font->_spacing;
  }
  _font->fSetAlign(savedAlignment);
  pageTransform->fSetParent(nullptr);
}

}  // namespace QOR
