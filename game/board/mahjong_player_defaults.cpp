// The game's own source of a new player file: default_player.xml in the config pack.
#include "engine/service/qc_game.h"
#include "game/board/mahjong_player.h"
#include "game/board/pack_passwords.h"

#include <pugixml.hpp>

const pugi::xml_document* MAHJONG_PLAYER::GameDefaultPlayerDocument() {
  // The constants usually opened the pack already; a second registration only answers -110.
  QOR::QC_GAME::fAddPack("XML/config", MAHJONG_PACKS::kConfig);
  return QOR::QC_GAME::fLoadXml("default_player.xml");
}

bool MAHJONG_PLAYER::SavePlayers(const std::string& filePath) {
  return SavePlayersWith(filePath, &MAHJONG_PLAYER::GameDefaultPlayerDocument);
}
