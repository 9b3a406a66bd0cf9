// The player box: the game's message box with a one-line name field. It asks for a new player's
// name (name-entry mode: the field stands where the text would, with an optional error line under
// it) and serves the plain questions of the title and players screens (quit, delete a player).
// Every placement the base box makes, on show and while sliding, moves the field along.
#pragma once

#include "game/flow/mahjong_game_manager.h"
#include "game/flow/store_message_box.h"

#include <string>

namespace QOR {
class QC_FONT;
class QC_GUI_LINEBOX;
}  // namespace QOR

class MAHJONG_GAME_MANAGER::SELECT_PLAYER_MSG_BOX : public STORE_MESSAGE_BOX {
 public:
  static constexpr float kFieldRise = 20.0f;  // the field stands this far above the box's y
  static constexpr int kErrorDrop = 50;       // the error line stands this far below the field
  static constexpr int kPromptRise = 60;      // the prompt stands this far above the field
  // The strings.xml key of the refusal of a name that is empty once its end blanks are dropped.
  static constexpr char kEmptyNameKey[] = "plnoname";

  SELECT_PLAYER_MSG_BOX() = default;
  // Deletes the text field (which gives its background back).
  ~SELECT_PLAYER_MSG_BOX() override;

  // Back at (x, y), the field at (x, y - 20) and enabled, the buttons below.
  void fSetPosition(float x, float y) override;
  // Draws the box while open: veil, back, then in name entry the box's own text as the prompt
  // above the field, the field (its text in opaque black) and the error line under it when the
  // error flag is set, otherwise the box's own text; then the buttons. Texts are drawn as they
  // stand. Replaces the base's fRender.
  void fRender(QOR::QC_FONT* font);

  // Takes the field over (a previous one is deleted).
  void fSetTextField(QOR::QC_GUI_LINEBOX* field);
  QOR::QC_GUI_LINEBOX* fGetTextField() const { return _textField; }

  // The text with the blanks at either end dropped (spaces of every width, the no-break ones
  // and the invisible ones among them).
  static std::wstring fTrimBlanks(const std::wstring& text);
  // The typed name without the blanks at either end. When nothing is left the name is refused:
  // the error line says emptyText under the field, and the empty text comes back.
  std::wstring fTakeName(const std::wstring& emptyText);

  bool isNameEntry() const { return _nameEntry; }
  void fSetNameEntry(bool nameEntry) { _nameEntry = nameEntry; }
  bool isError() const { return _error; }
  // Off takes the error line away.
  void fSetError(bool error) { _error = error; }
  // The error line on, saying text.
  void fShowError(const std::wstring& text);
  const std::wstring& fGetErrorText() const { return _errorText; }

 private:
  bool _nameEntry = false;
  bool _error = false;
  std::wstring _errorText;
  QOR::QC_GUI_LINEBOX* _textField = nullptr;
};
