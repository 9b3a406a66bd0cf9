// The screens and overlays that are not built yet, as shells: their builds make nothing, their
// updates return at once and their renders draw the screen's background so the screen is visibly
// there. Each is replaced here by its real version, or moved to its own file, when it is built.
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_music.h"
#include "game/board/mahjong_player.h"
#include "game/board/mahjong_sounds.h"
#include "game/flow/mahjong_game_manager.h"
#include "gui/widgets/qc_image_button.h"

namespace {

void drawBack(QOR::QC_SPRITE* back) {
  if (back != nullptr) back->fRender();
}

}  // namespace

// Trophies screen and ranks.
void MAHJONG_GAME_MANAGER::BuildTrophies() {}
void MAHJONG_GAME_MANAGER::UpdateTrophies() {}
void MAHJONG_GAME_MANAGER::RenderTrophies() { drawBack(screenBack); }
void MAHJONG_GAME_MANAGER::UpdateRank(int /*flash*/) {}
void MAHJONG_GAME_MANAGER::RecordAwardedTrophy() {}
void MAHJONG_GAME_MANAGER::RenderAwardedTrophy() {}
void MAHJONG_GAME_MANAGER::CheckTrophies(int /*code*/) {}
void MAHJONG_GAME_MANAGER::FreeLaterScreens() { FreeMenuScreens(); }

// Level road and board.
void MAHJONG_GAME_MANAGER::UpdateGame() {}
void MAHJONG_GAME_MANAGER::UpdateLevelStart() {}
void MAHJONG_GAME_MANAGER::UpdateLevelEnd() {}
void MAHJONG_GAME_MANAGER::RenderLevelStart() {}
void MAHJONG_GAME_MANAGER::RenderLevelEnd() {}
void MAHJONG_GAME_MANAGER::RenderTipMarkers() {}
void MAHJONG_GAME_MANAGER::RenderBoardLayout() {}
void MAHJONG_GAME_MANAGER::RenderBoardHud() {}
void MAHJONG_GAME_MANAGER::UpdateBoard() {}
void MAHJONG_GAME_MANAGER::PauseBoard(int /*pause*/) {}
void MAHJONG_GAME_MANAGER::MakeTipMarker() {}
float MAHJONG_GAME_MANAGER::BoardPanelOffset() const { return 0.0f; }
void MAHJONG_GAME_MANAGER::ShowIntroMark() {}
void MAHJONG_GAME_MANAGER::BuildLevelInfo() {}
void MAHJONG_GAME_MANAGER::ResetLevelRoad() {}

// Tutorial.
void MAHJONG_GAME_MANAGER::UpdateTutorial(int /*step*/) {}
void MAHJONG_GAME_MANAGER::RenderTutorial() {}
void MAHJONG_GAME_MANAGER::TutorialStep() {}
void MAHJONG_GAME_MANAGER::BuildTutorial() {}
