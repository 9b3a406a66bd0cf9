#include "game/editor/editor_hooks.h"

#include "engine/platform/qc_window.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/editor_menu.h"
#include "game/board/level_lookup.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_layout.h"
#include "game/board/pack_passwords.h"

namespace {

// Wide enough for the menu column beside the board's grid (16 tiles of 60 pixels).
constexpr int kWidth = 1260;
constexpr int kHeight = 800;
// The tile set every new profile starts with.
constexpr char kTileSet[] = "2";
constexpr char kBackdrop[] = "Lotus_room.jpg";
// The backdrop is dimmed so the grid and the markers stand out.
constexpr std::uint32_t kBackdropColor = 0xFF707070u;

MAHJONG_LAYOUT* editorBoard = nullptr;
QOR::QC_TEXTURE_INFO* backdropImage = nullptr;
QOR::QC_SPRITE* backdrop = nullptr;

}  // namespace

void EditorRelease() {
  delete editorBoard;
  editorBoard = nullptr;
  delete backdrop;
  backdrop = nullptr;
  if (backdropImage != nullptr) QOR::QC_GAME::fUnscribeImage(backdropImage);
  backdropImage = nullptr;
}

MAHJONG_LAYOUT* EditorBoard() { return editorBoard; }

int EditorMain(std::uintptr_t) {
  QOR::qcGAME = QOR::QC_GAME::fGetGame();
  QOR::qcOnInit = QOR::fCreateCallback(&EditorInit);
  QOR::qcOnUpdate = QOR::fCreateCallback(&EditorUpdate);
  QOR::qcOnRender = QOR::fCreateCallback(&EditorRender);
  QOR::qcOnQuit = QOR::fCreateCallback(&EditorExit);
  QOR::QC_GAME::fInitServices(QOR::qcGAME, "Lantern Tiles level editor");
  QOR::qcGAME->fRun();
  EditorRelease();
  return 0;
}

int EditorInit(std::uintptr_t) {
  // The first use of the constants registers "XML/config" and reads consts.xml.
  const MAHJONG_CONSTS* consts = MAHJONG_CONSTS::GetInstance();
  QOR::QC_GAME::fSetCaption(consts->window_header + " - level editor");
  QOR::qcGAME->_upsLimit = consts->UPS_LIMIT;
  QOR::qcGAME->_fpsLimit = consts->FPS_LIMIT;
  // The constants are read once a process; the board reads more of their pack with each loader.
  if (QOR::qcRESOURCE_LOADER->fGetPack("XML/config") == nullptr) {
    QOR::QC_GAME::fAddPack("XML/config", MAHJONG_PACKS::kConfig);
  }
  // The shipped levels, the tile sets, the fonts, the buttons (the board's in-game panel is made
  // with it) and the pictures (the backgrounds among them).
  QOR::QC_GAME::fAddPack("XML/levels", MAHJONG_PACKS::kLevels);
  QOR::QC_GAME::fAddPack("data/tiles", MAHJONG_PACKS::kTiles);
  QOR::QC_GAME::fAddPack("data/fonts", MAHJONG_PACKS::kFonts);
  QOR::QC_GAME::fAddPack("data/btns", MAHJONG_PACKS::kButtons);
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
  const std::string levels = MAHJONG_LEVELS::Folder();
  QOR::fLog() << "level editor: levels are saved to " << (levels.empty() ? "nowhere (no documents folder)" : levels);
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
  if (QOR::qcGAME == nullptr) return 1;
  // The window's close asks as Escape does when there is unsaved work, and Cancel keeps the
  // editor; the close a quit signal asks for is no question (the session ends).
  if (QOR::QC_WINDOW::fIsQuitSignalled() || editorBoard == nullptr || editorBoard->ConfirmEditorQuit()) {
    QOR::qcGAME->fQuit();
  }
  return 1;
}
