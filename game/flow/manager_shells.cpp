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

// Comics: Play on the title requests the start comic and slides the title panel out.
void MAHJONG_GAME_MANAGER::BuildComics() {
  requestedScreen = COMICS_SCREEN;
  if (titlePanel != nullptr) {
    const float y = titlePanel->fGetPosition().y;
    sidePanelTween.Start(y, y + kPanelSlide, fadeInOutTime);
  }
}
void MAHJONG_GAME_MANAGER::UpdateStartComics() {}
void MAHJONG_GAME_MANAGER::RenderStartComics() { drawBack(screenBack); }
void MAHJONG_GAME_MANAGER::UpdateFinalScreen() {}
void MAHJONG_GAME_MANAGER::RenderFinalScreen() { drawBack(screenBack); }

// Left panel.
void MAHJONG_GAME_MANAGER::BuildMainMenu() {}
int MAHJONG_GAME_MANAGER::UpdateLeftPanel() { return 0; }
void MAHJONG_GAME_MANAGER::RenderLeftPanel() {}
void MAHJONG_GAME_MANAGER::ResetMenuButtons() {}
void MAHJONG_GAME_MANAGER::SelectMenuButton(QOR::QC_IMAGE_BUTTON* /*button*/) {}
float MAHJONG_GAME_MANAGER::LeftPanelX() const {
  return leftPanelBack != nullptr ? leftPanelBack->fGetPosition().x : -kPanelSlide;
}

// Players screen (its player box is built with the title).
void MAHJONG_GAME_MANAGER::UpdatePlayers() {}
void MAHJONG_GAME_MANAGER::RenderPlayers() {}

// Packs, levels and trophies screens.
void MAHJONG_GAME_MANAGER::BuildPacks() {}
void MAHJONG_GAME_MANAGER::UpdatePacks() {}
void MAHJONG_GAME_MANAGER::RenderPacks() { drawBack(screenBack); }
float MAHJONG_GAME_MANAGER::FirstPackButtonX() const { return 0.0f; }
void MAHJONG_GAME_MANAGER::UpdateLevels(int /*pack*/) {}
void MAHJONG_GAME_MANAGER::RenderLevels() { drawBack(roomBack != nullptr ? roomBack : screenBack); }
void MAHJONG_GAME_MANAGER::LoadLevelBackgrounds() {}
void MAHJONG_GAME_MANAGER::BuildTrophies() {}
void MAHJONG_GAME_MANAGER::UpdateTrophies() {}
void MAHJONG_GAME_MANAGER::RenderTrophies() { drawBack(screenBack); }
void MAHJONG_GAME_MANAGER::UpdateRank(int /*flash*/) {}
void MAHJONG_GAME_MANAGER::RecordAwardedTrophy() {}
void MAHJONG_GAME_MANAGER::RenderAwardedTrophy() {}
void MAHJONG_GAME_MANAGER::FreeLaterScreens() {}

// Level road and board.
void MAHJONG_GAME_MANAGER::BuildGameHud() {}
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
void MAHJONG_GAME_MANAGER::DeleteBoard() { board = nullptr; }
void MAHJONG_GAME_MANAGER::MakeTipMarker() {}
float MAHJONG_GAME_MANAGER::BoardPanelOffset() const { return 0.0f; }
void MAHJONG_GAME_MANAGER::ShowIntroMark() {}

// Tutorial.
void MAHJONG_GAME_MANAGER::UpdateTutorial(int /*step*/) {}
void MAHJONG_GAME_MANAGER::RenderTutorial() {}
void MAHJONG_GAME_MANAGER::TutorialStep() {}

// Options and help overlays. Until the options overlay exists, the player's cursor choice and
// volumes are applied here; the full-screen switch comes with the overlay.
void MAHJONG_GAME_MANAGER::BuildOptions() {}
void MAHJONG_GAME_MANAGER::ApplyPlayerOptions() {
  if (player == nullptr) return;
  if (player->m_customCursor) {
    QOR::QC_GAME::fHideCursor();
  } else {
    QOR::QC_GAME::fShowCursor();
  }
  if (gameSounds != nullptr) gameSounds->SetVolume(player->m_soundVolume);
  if (gameMusic != nullptr && MAHJONG_CONSTS::GetInstance()->MUSIC) gameMusic->SetVolume(player->m_musicVolume);
}
void MAHJONG_GAME_MANAGER::UpdateOptions() {}
void MAHJONG_GAME_MANAGER::RenderOptions() {}
void MAHJONG_GAME_MANAGER::UpdateHelp() {}
void MAHJONG_GAME_MANAGER::RenderHelp() {}
