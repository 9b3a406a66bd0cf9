#include "game/editor/editor_hooks.h"

#include "engine/render/qc_sprite.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "game/board/editor_menu.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_layout.h"
#include "game/board/pack_passwords.h"

namespace {

// Wide enough for the menu column beside the board's grid.
constexpr int kWidth = 1200;
constexpr int kHeight = 800;
// The tile set every new profile starts with.
constexpr char kTileSet[] = "2";
constexpr char kBackdrop[] = "Lotus_room.jpg";
// The backdrop is dimmed so the grid and the markers stand out.
constexpr std::uint32_t kBackdropColor = 0xFF707070u;

MAHJONG_LAYOUT* editorBoard = nullptr;
QOR::QC_TEXTURE_INFO* backdropImage = nullptr;
QOR::QC_SPRITE* backdrop = nullptr;

void Release() {
  delete editorBoard;
  editorBoard = nullptr;
  delete backdrop;
  backdrop = nullptr;
  if (backdropImage != nullptr) QOR::QC_GAME::fUnscribeImage(backdropImage);
  backdropImage = nullptr;
}

}  // namespace

int EditorMain(std::uintptr_t) {
  QOR::qcGAME = QOR::QC_GAME::fGetGame();
  QOR::qcOnInit = QOR::fCreateCallback(&EditorInit);
  QOR::qcOnUpdate = QOR::fCreateCallback(&EditorUpdate);
  QOR::qcOnRender = QOR::fCreateCallback(&EditorRender);
  QOR::qcOnQuit = QOR::fCreateCallback(&EditorExit);
  QOR::QC_GAME::fInitServices(QOR::qcGAME, "Lantern Tiles level editor");
  QOR::qcGAME->fRun();
  Release();
  return 0;
}

int EditorInit(std::uintptr_t) {
  // The first use of the constants registers "XML/config" and reads consts.xml.
  const MAHJONG_CONSTS* consts = MAHJONG_CONSTS::GetInstance();
  QOR::QC_GAME::fSetCaption(consts->window_header + " - level editor");
  QOR::qcGAME->_upsLimit = consts->UPS_LIMIT;
  QOR::qcGAME->_fpsLimit = consts->FPS_LIMIT;
  // The shipped levels, the tile sets, the fonts and the pictures (the backgrounds among them).
  QOR::QC_GAME::fAddPack("XML/levels", MAHJONG_PACKS::kLevels);
  QOR::QC_GAME::fAddPack("data/tiles", MAHJONG_PACKS::kTiles);
  QOR::QC_GAME::fAddPack("data/fonts", MAHJONG_PACKS::kFonts);
  QOR::QC_GAME::fAddPack("data/surfaces", MAHJONG_PACKS::kSurfaces);
  QOR::qcGAME->fSetResolution(kWidth, kHeight, 0);
  QOR::QC_GAME::fSetClearColor(0xFF000000u);

  backdropImage = QOR::QC_GAME::fSubscribeImage(kBackdrop);
  backdrop = new QOR::QC_SPRITE(backdropImage);
  backdrop->fSetSize(kWidth, kHeight);
  backdrop->fSetAnchor(QOR::QC_SPRITE::kAnchorTopLeft, 0.0f, 0.0f);
  backdrop->fSetPosition(0.0f, 0.0f, 0.0f);
  backdrop->fSetColor(kBackdropColor);

  editorBoard = new MAHJONG_LAYOUT(kTileSet, nullptr, true, 0, nullptr);
  EDITOR_MENU::Attach(*editorBoard);
  QOR::fLog() << "level editor: levels are saved to " << EDITOR_MENU::LevelFolder();
  return 1;
}

int EditorUpdate(std::uintptr_t) {
  if (editorBoard != nullptr) editorBoard->Update();
  return 1;
}

int EditorRender(std::uintptr_t) {
  if (backdrop != nullptr) backdrop->fRender();
  if (editorBoard != nullptr) editorBoard->RenderEditor();
  return 1;
}

int EditorExit(std::uintptr_t) {
  if (QOR::qcGAME != nullptr) QOR::qcGAME->fQuit();
  return 1;
}
