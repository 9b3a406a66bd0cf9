#include "game/flow/select_player_msg_box.h"

#include "engine/math/float_to_int.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "game/board/mahjong_consts.h"
#include "game/board/name_blanks.h"
#include "game/flow/menu_objects.h"
#include "gui/widgets/qc_gui_linebox.h"
#include "gui/widgets/qc_image_button.h"

#include <cstdint>

namespace {

constexpr std::uint32_t kFieldTextColor = 0xFF000000u;  // opaque black on the light field

}  // namespace

std::wstring MAHJONG_GAME_MANAGER::SELECT_PLAYER_MSG_BOX::fTrimBlanks(const std::wstring& text) {
  return MAHJONG_NAMES::TrimBlanks(text);
}

std::wstring MAHJONG_GAME_MANAGER::SELECT_PLAYER_MSG_BOX::fTakeName(const std::wstring& emptyText) {
  std::wstring name = _textField != nullptr ? fTrimBlanks(_textField->fGetText()) : std::wstring();
  if (name.empty()) fShowError(emptyText);
  return name;
}

void MAHJONG_GAME_MANAGER::SELECT_PLAYER_MSG_BOX::fShowError(const std::wstring& text) {
  _error = true;
  _errorText = text;
}

MAHJONG_GAME_MANAGER::SELECT_PLAYER_MSG_BOX::~SELECT_PLAYER_MSG_BOX() { delete _textField; }

void MAHJONG_GAME_MANAGER::SELECT_PLAYER_MSG_BOX::fSetTextField(QOR::QC_GUI_LINEBOX* field) {
  if (field == _textField) return;
  delete _textField;
  _textField = field;
}

void MAHJONG_GAME_MANAGER::SELECT_PLAYER_MSG_BOX::fSetPosition(float x, float y) {
  STORE_MESSAGE_BOX::fSetPosition(x, y);
  if (_textField != nullptr) {
    _textField->fSetPosition(x, y - kFieldRise, 0.0f);
    _textField->fSetEnabled(true);
  }
}

void MAHJONG_GAME_MANAGER::SELECT_PLAYER_MSG_BOX::fRender(QOR::QC_FONT* font) {
  if (!isOpen()) return;
  if (font != nullptr) font->fSetColor(MENU_OBJECTS::GoldenColor());
  _veil->fRender();
  _back->fRender();
  if (font != nullptr) font->fSetAlign(0);
  const QOR::QS_VEC2 at = _back->fGetPosition();
  if (_nameEntry) {
    if (_textField != nullptr) {
      // The question itself, above the field: an empty field alone would not say what to type.
      const float fieldY = _textField->fGetPosition().y;
      if (font != nullptr) {
        font->fPrintW(QOR::fTruncateToInt(at.x), QOR::fTruncateToInt(fieldY) - kPromptRise, L"%s", _text);
      }
      QOR::QC_FONT* fieldFont = _textField->fGetFont();
      const std::uint32_t saved = fieldFont != nullptr ? fieldFont->fGetColor() : 0u;
      if (fieldFont != nullptr) fieldFont->fSetColor(kFieldTextColor);
      _textField->fRenderAll();
      if (fieldFont != nullptr) fieldFont->fSetColor(saved);
      if (_error && font != nullptr) {
        font->fPrintW(QOR::fTruncateToInt(at.x), QOR::fTruncateToInt(fieldY + static_cast<float>(kErrorDrop)), L"%s",
                      _errorText);
      }
    }
  } else if (font != nullptr) {
    // The text is an argument, never the format: a player's name may hold '%'.
    font->fPrintW(QOR::fTruncateToInt(at.x), QOR::fTruncateToInt(at.y), L"%s", _text);
  }
  _okButton->fRender();
  if (_question) _cancelButton->fRender();
}
