// The frame rate of a screen at rest. The packs and levels screens, once nothing on them moves, only
// pulse their highlights, whose pictures change a few times a second; a paused level, its pause
// faded in, changes nothing at all. Drawing them sixty times a second would cost a share of a core
// for pictures the device finds unchanged. Anything that stirs (a slide, a box, the pointer, a key
// or button) brings the full rate back at the next frame.
#include "engine/platform/qc_input.h"
#include "engine/service/qc_globals.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/flow/mahjong_game_manager.h"

#include <algorithm>

namespace {

constexpr int kRestFps = 3;
// Updates a screen stands still for before it is drawn at the rest rate: half a second at 60.
constexpr int kRestAfter = 30;
// The Caps Lock key's state stands for the lock, lit or not, rather than a key held.
constexpr int kCapsLockKey = 20;

// A paused board whose pause has faded in, with nothing of it sliding, dropping or fading.
bool isPausedAtRest(const MAHJONG_LAYOUT* board) {
  return board != nullptr && board->GetPanel() != nullptr && board->GetPanel()->isPaused() &&
         !board->m_boardFader.active && !board->m_selectionFader.active && !board->m_dropTween.active &&
         !board->m_slideTween.active;
}

}  // namespace

int MAHJONG_GAME_MANAGER::FrameLimit(int fullLimit) {
  bool stirred = true;
  if (QOR::qcCurrentInput != nullptr) {
    const QOR::QS_POINT at = QOR::qcCurrentInput->fGetMousePos();
    stirred = at.x != restPointer.x || at.y != restPointer.y;
    restPointer = at;
    const std::uint8_t* keys = QOR::qcCurrentInput->fGetKeyStates();
    for (int key = 0; key < 256 && !stirred; ++key) stirred = key != kCapsLockKey && keys[key] != 0;
  }
  const bool restingScreen = currentScreen == PACKS_SCREEN || currentScreen == LEVELS_SCREEN ||
                             (currentScreen == GAME_SCREEN && isPausedAtRest(board));
  const bool atRest = restingScreen && helpOpen == 0 && optionsOpen == 0 && tutorial.on == 0 && !IsBoxOpen() &&
                      !IsMoving();
  restTicks = atRest && !stirred ? std::min(restTicks + 1, kRestAfter) : 0;
  if (restTicks < kRestAfter) return fullLimit;
  return fullLimit == 0 ? kRestFps : std::min(fullLimit, kRestFps);
}
