// The editor's save and load buttons, and what it counts as unsaved work. Levels are written to
// the designer's folder of levels (never into a pack) and read from there, or, when that folder
// has no level of the name, from the shipped levels (level_lookup.h).
#include "engine/files/qc_file_system.h"
#include "engine/platform/qc_window.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "game/board/editor_menu.h"
#include "game/board/level_lookup.h"
#include "game/board/mahjong_layout.h"
#include "game/board/name_blanks.h"
#include "game/board/playable_level.h"
#include "gui/widgets/qc_gui_textbox.h"

#include <pugixml.hpp>

#include <string>

namespace {

constexpr char kDefaultName[] = "default";
constexpr char kBackgroundFolder[] = "data/surfaces/";
constexpr char kBackgroundExtension[] = ".png";
constexpr const char* kTaskElements[2] = {"extratask1", "extratask2"};

// The background box's text from the level's `background` ("data/surfaces/" + text + ".png").
std::string BackgroundName(const pugi::xml_node& document) {
  const std::string value = document.child("tiles").attribute("background").value();
  const std::string folder = kBackgroundFolder;
  const std::string extension = kBackgroundExtension;
  if (value.size() <= folder.size() + extension.size() || value.compare(0, folder.size(), folder) != 0 ||
      value.compare(value.size() - extension.size(), extension.size(), extension) != 0) {
    return std::string();
  }
  return value.substr(folder.size(), value.size() - folder.size() - extension.size());
}

// What went wrong, in the log and in a box over the editor: a designer works with no terminal.
void TellDesigner(const std::string& text) {
  QOR::fLog() << text;
  HWND owner = QOR::qcWINDOW != nullptr ? QOR::qcWINDOW->fGetHandle() : nullptr;
  const std::string caption = QOR::qcGAME != nullptr ? QOR::qcGAME->_gameName : std::string();
  MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OK);
}

// A name the levels folder cannot hold as a file of its own is refused, and told why.
bool isNameUsable(const std::string& name, const char* what) {
  const std::string problem = MAHJONG_LEVELS::NameProblem(name);
  if (problem.empty()) return true;
  QOR::fLog() << "level name refused: " << name;
  TellDesigner(std::string("Level not ") + what + ": " + problem + ".");
  return false;
}

// The level name box's text without the blanks at either end, as player names lose them.
std::string LevelName(const EDITOR_MENU& menu) {
  if (menu.levelNameBox == nullptr) return std::string();
  return pugi::as_utf8(MAHJONG_NAMES::TrimBlanks(menu.levelNameBox->fGetText()));
}

}  // namespace

std::string MAHJONG_LAYOUT::EditorLevelText() const {
  EDITOR_MENU* menu = m_editorMenu;
  return LevelText(menu != nullptr ? menu->Settings(menu->TargetMoves()) : CurrentLevelSettings());
}

bool MAHJONG_LAYOUT::hasUnsavedEdits() const { return EditorLevelText() != m_editorSavedText; }

void MAHJONG_LAYOUT::MarkEditorSaved() { m_editorSavedText = EditorLevelText(); }

bool MAHJONG_LAYOUT::SaveEditorLevel() {
  EDITOR_MENU* menu = m_editorMenu;
  if (menu == nullptr) return false;
  m_targetMoves = menu->TargetMoves();
  std::string name = LevelName(*menu);
  if (name.empty()) name = kDefaultName;
  if (!isNameUsable(name, "saved")) return false;
  const std::string folder = MAHJONG_LEVELS::Folder();
  if (folder.empty()) {
    TellDesigner("Level not saved: there is no documents folder to save it in.");
    return false;
  }
  const std::string path = folder + name + ".xml";
  // Its folders are made as the game makes its own: writable by the designer alone, none made or
  // opened through a link another user owns.
  std::string cause;
  if (QOR::QC_FILE_SYSTEM::fMakePrivateFolder(folder.substr(0, folder.size() - 1), &cause) != 1 ||
      !SaveLevelWith(path, menu->Settings(m_targetMoves), &cause)) {
    TellDesigner("Level not saved: " + path + " could not be written: " + cause + ".");
    return false;
  }
  MarkEditorSaved();
  // Saved all the same, so that work in progress is kept: the designer learns what to mend.
  pugi::xml_document level;
  level.load_string(m_editorSavedText.c_str());
  const std::string problem = MAHJONG_LEVELS::PlayProblem(level, PlayView());
  if (!problem.empty()) TellDesigner("Level saved to " + path + ", but the game will not play it: " + problem + ".");
  return true;
}

bool MAHJONG_LAYOUT::LoadEditorLevel() {
  EDITOR_MENU* menu = m_editorMenu;
  if (menu == nullptr) return false;
  const std::string name = LevelName(*menu);
  if (!isNameUsable(name, "loaded")) return false;
  const std::string file = name + ".xml";
  pugi::xml_document own;
  const pugi::xml_document* document = MAHJONG_LEVELS::ReadForEditing(file, own);
  if (document == nullptr) {
    const std::string folder = MAHJONG_LEVELS::Folder();
    TellDesigner("Level not loaded: no level " + name + " could be read from " +
                 (folder.empty() ? std::string() : folder + " or ") + "the game's levels.");
    return false;
  }
  if (hasUnsavedEdits() &&
      !QOR::QC_GAME::fAskOkCancel("The level has changes that are not saved. Load " + name + " without saving them?")) {
    QOR::fLog() << "level " << name << " not loaded: the changes are kept";
    return false;
  }

  m_targetMoves = menu->TargetMoves();
  ResetFields();
  ReadLevel(*document, file);
  LEVEL_FILE_SETTINGS settings = CurrentLevelSettings();
  settings.background = BackgroundName(*document);
  // A task's value is shown as the file writes it: the board keeps a time in whole seconds
  // ("1.30" reads as 89), and a text made back from those is not the designer's.
  for (int t = 0; t < 2; ++t) {
    if (settings.tasks[t].type.empty()) continue;
    settings.tasks[t].value = document->child(kTaskElements[t]).attribute("val").value();
  }
  menu->ShowSettings(settings);
  MarkEditorSaved();
  return true;
}
