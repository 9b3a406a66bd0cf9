// The editor's save and load buttons. Levels are written to a loose folder of the user's (never
// into a pack) and read from there, or, when that folder has no level of the name, from the
// shipped levels of the pack "XML/levels".
#include "engine/files/qc_file_system.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/editor_menu.h"
#include "game/board/mahjong_layout.h"

#include <pugixml.hpp>

#include <string>

namespace {

constexpr char kDefaultName[] = "default";
constexpr char kBackgroundFolder[] = "data/surfaces/";
constexpr char kBackgroundExtension[] = ".png";

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

// A level name is a file name inside the levels folder: no folder part, not "." or "..".
bool isPlainName(const std::string& name) {
  return name.find_first_of("/\\:") == std::string::npos && name != "." && name != "..";
}

}  // namespace

bool MAHJONG_LAYOUT::SaveEditorLevel() {
  EDITOR_MENU* menu = m_editorMenu;
  if (menu == nullptr) return false;
  m_targetMoves = menu->TargetMoves();
  std::string name = EDITOR_MENU::TextOf(menu->levelNameBox);
  if (name.empty()) name = kDefaultName;
  if (!isPlainName(name)) {
    QOR::fLog() << "level name refused: " << name;
    return false;
  }
  const std::string folder = EDITOR_MENU::LevelFolder();
  QOR::QC_FILE_SYSTEM::fGetInstance()->fCreateDirectory(folder.substr(0, folder.size() - 1));
  return SaveLevelWith(folder + name + ".xml", menu->Settings(m_targetMoves));
}

bool MAHJONG_LAYOUT::LoadEditorLevel() {
  EDITOR_MENU* menu = m_editorMenu;
  if (menu == nullptr) return false;
  const std::string name = EDITOR_MENU::TextOf(menu->levelNameBox);
  if (name.empty()) return false;
  if (!isPlainName(name)) {
    QOR::fLog() << "level name refused: " << name;
    return false;
  }
  const std::string file = name + ".xml";
  const std::string path = EDITOR_MENU::LevelFolder() + file;

  pugi::xml_document own;
  const pugi::xml_document* document = nullptr;
  if (QOR::QC_GAME::fGetPathType(path) == 1) {
    const pugi::xml_parse_result parsed = own.load_file(path.c_str());
    if (!parsed) {
      QOR::fLog() << "level not loaded from " << path << ": " << parsed.description();
      return false;
    }
    document = &own;
  } else if (QOR::qcRESOURCE_LOADER != nullptr && QOR::qcRESOURCE_LOADER->fFindResource(file, true) != nullptr) {
    document = QOR::QC_GAME::fLoadXml(file);
  } else {
    QOR::fLog() << "File doesn't exist " << path;
    return false;
  }

  m_targetMoves = menu->TargetMoves();
  ResetFields();
  ReadLevel(*document, file);
  LEVEL_FILE_SETTINGS settings = CurrentLevelSettings();
  settings.background = BackgroundName(*document);
  menu->ShowSettings(settings);
  return true;
}
