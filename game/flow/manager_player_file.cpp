// player.xml in the user's documents folder: opened at the start (made from default_player.xml on
// the first run, repaired when it is damaged) and the player record read from it.
#include "engine/service/qc_log.h"
#include "game/board/mahjong_player.h"
#include "game/board/mahjong_player_file.h"
#include "game/flow/mahjong_game_manager.h"

#include <string>

std::string MAHJONG_GAME_MANAGER::PlayerFilePath() {
  const std::string folder = MAHJONG_PLAYER_FILE::GameFolder();
  // Without a documents folder there is no file: never one in the working folder or the game's
  // own, where other users' games would share it. Nothing is read or saved then.
  if (folder.empty()) {
    static bool told = false;
    if (!told) QOR::fLog("No documents folder: the player file is neither read nor saved");
    told = true;
    return std::string();
  }
  return folder + "player.xml";
}

void MAHJONG_GAME_MANAGER::CheckPlayer() {
  QOR::fLog("MAHJONG_GAME_MANAGER::CheckPlayer()");
  const std::string path = PlayerFilePath();
  // A file without any profile is the normal state before the first player is named: it stays.
  MAHJONG_PLAYER_FILE(path).Open();
  currentPack = 1;
  delete player;
  player = new MAHJONG_PLAYER(path, L"");
}

bool MAHJONG_GAME_MANAGER::SavePlayerFile(const std::wstring& name) {
  CompleteCountUp();
  if (player == nullptr) player = new MAHJONG_PLAYER(PlayerFilePath(), name);
  player->Reset(name);
  const bool saved = SavePlayer();
  ApplyPlayerOptions();
  return saved;
}
