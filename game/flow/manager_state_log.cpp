// The screen-state log a test of the real window waits on (QOR_LOG_SCREEN_STATES=1): a line
// whenever the current screen, its overlays, its boxes or its motion change, as shown on screen.
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_log.h"
#include "game/board/mahjong_layout.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/select_player_msg_box.h"
#include "game/flow/store_message_box.h"
#include "gui/widgets/qc_image_button.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool isOpen(const STORE_MESSAGE_BOX* box) { return box != nullptr && box->isOpen() && !box->isHiding(); }
bool isMoving(const STORE_MESSAGE_BOX* box) { return box != nullptr && box->isMoving(); }

}  // namespace

// What moves on the screen as the player sees it (the list below).
bool MAHJONG_GAME_MANAGER::IsMoving() const {
  // Boxes, the tutorial's panel and the screen fade move over every screen; the pulses of
  // highlights and glows never stop and are not motion of the screen.
  bool moving = isMoving(messageBox) || isMoving(trophies.awardBox) || isMoving(playerBox) ||
                (tutorial.on != 0 && tutorial.panelAnimator.active) || screenFade.active;
  // The board, the comic and the final screen step none of the menus' slides: one started on the
  // way in (the title's or the left panel's) stays unfinished there until a menu comes back.
  const bool menusStep =
      (currentScreen != GAME_SCREEN && currentScreen != COMICS_SCREEN && currentScreen != FINAL_SCREEN) ||
      helpOpen != 0 || optionsOpen != 0;
  if (menusStep) {
    moving = moving || sidePanelTween.active || screenSlideTween.active || levelPanelTween.active ||
             levels.pageTween.active || trophies.pageTween.active || countUpRunning != 0;
  }
  // The board's tiles drop in and slide out under the level's intro and completion too.
  if (currentScreen == GAME_SCREEN || currentScreen == LEVEL_START_SCREEN || currentScreen == LEVEL_END_SCREEN) {
    moving = moving || (board != nullptr && (board->m_dropTween.active || board->m_slideTween.active));
  }
  // The level's intro and completion are at rest only with their panel on the screen, where its
  // button takes a click: between the board's arrival and the panel's slide in, and between its
  // slide out and what follows, either stands still for a tick with the panel above the screen
  // (and a loaded machine may draw frames in that tick).
  if (currentScreen == LEVEL_START_SCREEN || currentScreen == LEVEL_END_SCREEN) {
    const QOR::QC_SPRITE* panel =
        currentScreen == LEVEL_START_SCREEN ? levelRoad.introPanel : levelRoad.completionPanel;
    moving = moving || (panel != nullptr && panel->fGetPosition().y < 0.0f);
  }
  // The stars of the completion panel wobble one after the other until the last is at rest; the
  // comic's and the final screen's pictures and button appear one after the other, and the button
  // answers once it has come whole.
  bool appearing = false;
  if (currentScreen == COMICS_SCREEN || currentScreen == FINAL_SCREEN) {
    for (const QOR::QC_SPRITE* sprite : {comics.pictures[0], comics.pictures[1], comics.pictures[2],
                                         comics.nextButton != nullptr ? comics.nextButton->fGetImage() : nullptr}) {
      appearing = appearing || (sprite != nullptr && (sprite->fGetVertexColor(0) >> 24) != 0xFFu);
    }
  }
  return moving || levelRoad.starsBlob != nullptr || appearing;
}

bool MAHJONG_GAME_MANAGER::IsBoxOpen() const {
  return isOpen(messageBox) || isOpen(trophies.awardBox) || isOpen(playerBox);
}

// Logs "screen state: screen=<n> help=<0|1> options=<0|1> box=<0|1> moving=<0|1>" whenever that
// state changes (box: a message box is open; moving: a box, the tutorial's panel, the screen fade
// or the board's tiles move, a menu panel slides, the level intro's or completion's panel is not
// yet or no longer on the screen, the completion's stars wobble, the left panel counts up or the
// comic's pictures fade in); nothing without the switch. Called after each frame is drawn: a
// state at rest is logged once a frame showing it was presented.
void MAHJONG_GAME_MANAGER::LogScreenState() {
  const char* flag = std::getenv("QOR_LOG_SCREEN_STATES");
  if (flag == nullptr || std::string_view(flag) != "1") return;
  const bool moving = IsMoving();
  const bool boxOpen = IsBoxOpen();
  const std::string state = "screen state: screen=" + std::to_string(static_cast<int>(currentScreen)) +
                            " help=" + std::to_string(helpOpen != 0 ? 1 : 0) +
                            " options=" + std::to_string(optionsOpen != 0 ? 1 : 0) +
                            " box=" + std::to_string(boxOpen ? 1 : 0) + " moving=" + std::to_string(moving ? 1 : 0);
  // Called after each frame is drawn. A state at rest is logged once the frame before this one
  // already showed it, so that frame has been presented: a test that reads the line finds that
  // state on the screen. Motion is logged at once.
  if (state != seenScreenState) {
    seenScreenState = state;
    seenScreenStateFrames = 0;
  }
  ++seenScreenStateFrames;
  if (state == loggedScreenState || (!moving && seenScreenStateFrames < 2)) return;
  loggedScreenState = state;
  QOR::fLog(state);
}
