// The constants' one record: built on first use from the pack "XML/config" through the game
// service, with the cheat switch from the working folder.
#include "engine/files/qc_file_system.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/mahjong_consts.h"
#include "game/board/pack_passwords.h"

#include <pugixml.hpp>

namespace {

MAHJONG_CONSTS loadConsts() {
  MAHJONG_CONSTS consts;
  QOR::QC_GAME::fAddPack("XML/config", MAHJONG_PACKS::kConfig);
  const pugi::xml_document* document = QOR::QC_GAME::fLoadXml("consts.xml");
  consts.cheats = MAHJONG_CONSTS::HasCheatFile();
  consts.ReadConsts(*document);
  consts.ReadFxParams(*QOR::QC_GAME::fLoadXml("fx_params.xml"));
  return consts;
}

}  // namespace

MAHJONG_CONSTS* MAHJONG_CONSTS::GetInstance() {
  static MAHJONG_CONSTS instance = loadConsts();
  return &instance;
}

bool MAHJONG_CONSTS::HasCheatFile() {
  const std::string path = QOR::fLoaderFileSystem()->fGetCurrentDirectory() + "/cheating.txt";
  return QOR::QC_GAME::fGetPathType(path) == 1;
}

