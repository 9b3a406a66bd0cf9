// The tester's keys, asked every tick of play. They act only when the constants' cheat flag is set
// (a file "cheating.txt" in the working folder), each on the tick its key is released.
#include "engine/platform/qc_input.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "host/win_keyboard.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_player.h"
#include "game/board/mahjong_sounds.h"

namespace {

bool isReleased(int key) { return QOR::qcCurrentInput != nullptr && QOR::qcCurrentInput->isReleased(key); }

void Play(const char* effect) {
  if (gameSounds != nullptr) gameSounds->Play(effect);
}

}  // namespace

int MAHJONG_LAYOUT::CheatKeys() {
  if (!MAHJONG_CONSTS::GetInstance()->cheats) return 0;

  if (isReleased('U')) {
    QOR::fLog() << "win right now";
    // Every special tile leaves the board at once, flying or not; the board deletes what it owns
    // and forgets every pointer to it.
    for (std::size_t i = m_chips.size(); i-- > 0;) {
      if (m_chips[i]->m_isSpecial) RemoveChipAt(i);
    }
    UpdateFreeInList(m_chips);
    CalcAvailableMoves();
    if (EndLevelIfComplete()) return kEventLevelComplete;
  }
  if (isReleased('R')) {
    QOR::fLog() << "R - set up effects ";
    LoadFxParams();
  }
  if (isReleased('D')) {
    QOR::fLog() << "D - delete any chip";
    m_deleteAny = true;
  }
  if (isReleased('T')) {
    QOR::fLog() << "T -  plus 1 minute ";
    m_elapsed += 60.0f;
  }
  if (isReleased('S')) {
    QOR::fLog() << "S - show special chips ";
    ShowSpecial();
  }
  if (isReleased(static_cast<int>(VK_F1))) {
    QOR::fLog() << "F1 - moves made ++ ";
    ++m_movesMade;
  }
  if (isReleased(static_cast<int>(VK_F2))) {
    QOR::fLog() << "F2 - moves made -- ";
    --m_movesMade;
  }
  if (isReleased('B')) {
    if (m_player != nullptr) m_player->FillBonuses();
    if (m_panel != nullptr) m_panel->ResetBonusButton();
  }
  if (isReleased('Q')) {
    // The first press fades the darkening out, the second fades it back in.
    m_darkenToggle = !m_darkenToggle;
    DarkenTiles(!m_darkenToggle);
  }
  if (isReleased('E')) {
    Play("inc_multiplier.ogg");
    if (m_panel != nullptr) m_panel->StartFlash();
  }
  if (isReleased('F')) {
    Play("bonus_ready.ogg");
    if (m_player != nullptr) {
      for (PLAYER_BONUS& bonus : m_player->m_bonuses) {
        bonus.charge = bonus.recover;
        if (m_panel != nullptr) m_panel->bonusSlot.Reset();
      }
    }
  }
  return 0;
}
