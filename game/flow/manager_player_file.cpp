// player.xml in the user's documents folder: made from default_player.xml on the first run,
// repaired when it is damaged, and the player record read from it.
#include "engine/files/qc_file_system.h"
#include "engine/files/replace_file.h"
#include "engine/service/qc_log.h"
#include "game/board/mahjong_player.h"
#include "game/flow/mahjong_game_manager.h"

#include <pugixml.hpp>

#include <filesystem>
#include <string>
#include <system_error>

namespace {

constexpr const char* kFileElements[3] = {"lastplayer", "packs", "ranks"};

class STRING_WRITER : public pugi::xml_writer {
 public:
  void write(const void* data, std::size_t size) override { text.append(static_cast<const char*>(data), size); }
  std::string text;
};

bool writeDocument(const std::string& path, const pugi::xml_document& document, std::string& error) {
  STRING_WRITER text;
  document.save(text, "\t", pugi::format_indent);
  return QOR::fReplaceFile(path, text.text.data(), text.text.size(), error) == 1;
}

bool hasFileElements(const pugi::xml_node& document) {
  for (const char* name : kFileElements) {
    if (!document.child(name)) return false;
  }
  return true;
}

// The first free name of player.xml.bak, player.xml.bak1, ... (the last one is reused).
std::string backupPath(const std::string& path) {
  std::string candidate = path + ".bak";
  for (int n = 1; n < 100; ++n) {
    std::error_code error;
    if (!std::filesystem::exists(candidate, error) && !error) return candidate;
    candidate = path + ".bak" + std::to_string(n);
  }
  return candidate;
}

}  // namespace

std::string MAHJONG_GAME_MANAGER::PlayerFilePath() {
  QOR::QC_FILE_SYSTEM* files = QOR::QC_FILE_SYSTEM::fGetInstance();
  const char* documents = files->fGetDocumentsPath();
  // Without a documents folder the file stays beside the game rather than at the disk's root.
  const std::string base = documents != nullptr && documents[0] != '\0' ? documents : files->fGetCurrentDirectory();
  return base + "/Greyfern/Lantern Tiles/player.xml";
}

void MAHJONG_GAME_MANAGER::CheckPlayer() {
  QOR::fLog("MAHJONG_GAME_MANAGER::CheckPlayer()");
  const std::string path = PlayerFilePath();
  QOR::QC_FILE_SYSTEM* files = QOR::QC_FILE_SYSTEM::fGetInstance();
  // A file without any profile is the normal state before the first player is named: it stays.
  if (files->fGetPathType(path) == 1) RepairPlayerFile(path);
  if (files->fGetPathType(path) == 0) {
    CreatePlayerFile(path);
  } else {
    QOR::fLog("File exists");
  }
  currentPack = 1;
  delete player;
  player = new MAHJONG_PLAYER(path, L"");
}

void MAHJONG_GAME_MANAGER::CreatePlayerFile(const std::string& path) {
  const pugi::xml_document* defaults = MAHJONG_PLAYER::GameDefaultPlayerDocument();
  QOR::QC_FILE_SYSTEM* files = QOR::QC_FILE_SYSTEM::fGetInstance();
  QOR::fLog((files->fCreateFile(path) ? "FILESYS CREATED FILE AT PATH " : "FILESYS FAILED TO CREATE file at path ") +
            path);
  pugi::xml_document empty;
  std::string error;
  if (writeDocument(path, defaults != nullptr ? *defaults : empty, error)) {
    QOR::fLog("PUGII -- SAVED file at path " + path);
  } else {
    QOR::fLog("PUGII -- FAILED to SAVE file at path " + path + " (" + error + ")");
  }
}

void MAHJONG_GAME_MANAGER::RepairPlayerFile(const std::string& path) {
  pugi::xml_document file;
  const pugi::xml_parse_result parsed = MAHJONG_PLAYER::LoadPlayerFile(path, file);
  if (parsed && hasFileElements(file)) return;
  // Nothing better can be made without the defaults: the file then stays as it is.
  const pugi::xml_document* defaults = MAHJONG_PLAYER::GameDefaultPlayerDocument();
  if (defaults == nullptr || !hasFileElements(*defaults)) {
    QOR::fLog("player.xml is damaged and default_player.xml cannot replace it: " + path);
    return;
  }
  // The damaged file is kept whole beside the new one (renamed, so byte for byte).
  const std::string backup = backupPath(path);
  std::error_code error;
  std::filesystem::rename(path, backup, error);
  if (error) {
    QOR::fLog("player.xml is damaged and cannot be moved aside: " + path + ": " + error.message());
    return;
  }
  QOR::fLog() << "player.xml " << (parsed ? "lacks lastplayer, packs or ranks" : "does not parse") << " ("
              << parsed.description() << "): moved to " << backup << ", made again from default_player.xml";

  // The new file: the defaults' lastplayer, packs and ranks (the old lastplayer when it had one),
  // then every profile the old file still yields.
  pugi::xml_document rebuilt;
  for (const char* name : kFileElements) {
    const pugi::xml_node old = file.child(name);
    rebuilt.append_copy(std::string(name) == "lastplayer" && old ? old : defaults->child(name));
  }
  for (const pugi::xml_node& profile : file.children("player")) rebuilt.append_copy(profile);
  std::string writeError;
  if (!writeDocument(path, rebuilt, writeError)) {
    QOR::fLog("PUGII -- FAILED to SAVE file at path " + path + " (" + writeError + ")");
  }
}

void MAHJONG_GAME_MANAGER::SavePlayerFile(const std::wstring& name) {
  CompleteCountUp();
  if (player == nullptr) player = new MAHJONG_PLAYER(PlayerFilePath(), name);
  player->Reset(name);
  SavePlayer();
  ApplyPlayerOptions();
}
