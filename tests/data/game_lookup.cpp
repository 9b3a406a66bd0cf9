#include "tests/data/game_lookup.h"

#include "game/board/pack_passwords.h"


namespace qor_test {

std::vector<std::pair<std::string, const char*>> fGameRegistrations() {
  return {
      {"XML/config", MAHJONG_PACKS::kConfig},    // the constants, at the first caption
      {"data", nullptr},                         // the init hook's folders
      {"data/fonts", nullptr},
      {"data/surfaces", nullptr},
      {"data/audio", MAHJONG_PACKS::kAudio},     // the sound lists
      {"XML/config", MAHJONG_PACKS::kConfig},    // the game manager's packs
      {"XML/levels", MAHJONG_PACKS::kLevels},
      {"data/tiles", MAHJONG_PACKS::kTiles},
      {"data/trophies", MAHJONG_PACKS::kTrophies},
      {"data/fonts", MAHJONG_PACKS::kFonts},
      {"data/btns", MAHJONG_PACKS::kButtons},
      {"data/surfaces", MAHJONG_PACKS::kSurfaces},
      {"data/surfaces/options", nullptr},        // the options overlay
      {"data/tiles/", nullptr},                  // every board
      {"data/editor/", nullptr},                 // the level editor
      {"data/fonts/", nullptr},
  };
}

GAME_LOOKUP::GAME_LOOKUP(QOR::QC_FILE_SYSTEM& files, const std::vector<std::string>& extraFolders) : _files(files) {
  for (const auto& [name, password] : fGameRegistrations()) _loader.fAddPack(name.c_str(), password);
  for (const std::string& folder : extraFolders) _loader.fAddPack(folder.c_str(), nullptr);
  for (const QOR::QC_RESOURCE_PACK* pack : _loader.fGetPacks())
    _registeredCounts.emplace_back(pack->fGetName(), static_cast<std::size_t>(pack->fGetCount()));
}

QOR::QS_RESOURCE* GAME_LOOKUP::fFind(const std::string& name) { return _loader.fFindResource(name); }

namespace {

bool takeBytes(QOR::QC_FILE_SYSTEM& files, QOR::QS_RESOURCE& record, bool loose, std::string& bytes,
               std::string& why) {
  const int result = files.fLoadResource(&record);
  if (result != 1) {
    why = "fLoadResource gives " + std::to_string(result);
    return false;
  }
  std::size_t size = record._size;
  if (loose && size > 0) --size;  // a loose file's buffer counts its terminating NUL
  bytes.assign(static_cast<const char*>(record._data), size);
  files.fFreeResource(&record);
  return true;
}

}  // namespace

bool GAME_LOOKUP::fLoad(const std::string& name, std::string& bytes, std::string& why) {
  QOR::QS_RESOURCE* record = fFind(name);
  if (record == nullptr) {
    why = "no record named \"" + name + "\"";
    return false;
  }
  return takeBytes(_files, *record, record->_sgPass.empty(), bytes, why);
}

bool GAME_LOOKUP::fLoadLoose(const std::string& path, std::string& bytes, std::string& why) {
  QOR::QS_RESOURCE record(path);
  return takeBytes(_files, record, true, bytes, why);
}

}  // namespace qor_test
