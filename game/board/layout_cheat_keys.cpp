// The tester's keys, asked every tick of play. They act only when the constants' cheat flag is set
// (a file "cheating.txt" in the working folder), each on the tick its key is released.
#include "engine/platform/qc_input.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_player.h"
#include "game/board/play_kit.h"

int MAHJONG_LAYOUT::CheatKeys() {
  if (!MAHJONG_CONSTS::GetInstance()->cheats) return 0;

  if (PLAY_KIT::isKeyReleased('U')) {
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
  if (PLAY_KIT::isKeyReleased('R')) {
    QOR::fLog() << "R - set up effects ";
    LoadFxParams();
  }
  if (PLAY_KIT::isKeyReleased('D')) {
    QOR::fLog() << "D - delete any chip";
    m_deleteAny = true;
  }
  if (PLAY_KIT::isKeyReleased('T')) {
    QOR::fLog() << "T -  plus 1 minute ";
    m_elapsed += 60.0f;
  }
  if (PLAY_KIT::isKeyReleased('S')) {
    QOR::fLog() << "S - show special chips ";
    ShowSpecial();
  }
  if (PLAY_KIT::isKeyReleased(QOR::kKeyF1)) {
    QOR::fLog() << "F1 - moves made ++ ";
    ++m_movesMade;
  }
  if (PLAY_KIT::isKeyReleased(QOR::kKeyF2)) {
    QOR::fLog() << "F2 - moves made -- ";
    --m_movesMade;
  }
  if (PLAY_KIT::isKeyReleased('B')) {
    if (m_player != nullptr) m_player->FillBonuses();
    if (m_panel != nullptr) m_panel->ResetBonusButton();
  }
  if (PLAY_KIT::isKeyReleased('Q')) {
    // The first press fades the darkening out, the second fades it back in.
    m_darkenToggle = !m_darkenToggle;
    DarkenTiles(!m_darkenToggle);
  }
  if (PLAY_KIT::isKeyReleased('E')) {
    PLAY_KIT::PlaySound("inc_multiplier.ogg");
    if (m_panel != nullptr) m_panel->StartFlash();
  }
  if (PLAY_KIT::isKeyReleased('F')) {
    PLAY_KIT::PlaySound("bonus_ready.ogg");
    if (m_player != nullptr) {
      for (PLAYER_BONUS& bonus : m_player->m_bonuses) {
        bonus.charge = bonus.recover;
        if (m_panel != nullptr) m_panel->bonusSlot.Reset();
      }
    }
  }
  return 0;
}
