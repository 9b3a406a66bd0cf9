// The bonuses on the board: using one (the shuffle), recharging the bonus slot pair by pair, and
// the removal of every free pair at once.
#include "engine/service/qc_log.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_player.h"
#include "game/board/play_kit.h"

namespace {

// The bonus the panel's bonus slot holds.
constexpr int kShuffleBonus = BONUS_TOSSCHIPS;

}  // namespace

PLAYER_BONUS* MAHJONG_LAYOUT::FindBonus(int id) const {
  return m_player != nullptr ? m_player->FindBonus(id) : nullptr;
}

bool MAHJONG_LAYOUT::UseBonus(int id) {
  bool shuffled = false;
  if (PLAYER_BONUS* record = FindBonus(id)) {
    const PLAYER_BONUS used = *record;
    record->charge = 0;
    if (used.charge >= used.recover) {
      QOR::fLog() << "do bonus " << id;
      ++m_player->m_totalBonusUsed;
      if (id == kShuffleBonus) {
        StartShuffle();
        PLAY_KIT::PlaySound("use_bonus_shuffle.ogg");
        shuffled = true;
      }
    }
  }
  CheckBonusReady();
  return shuffled;
}

void MAHJONG_LAYOUT::ChargeBonusSlot() {
  if (m_panel == nullptr || m_panel->bonusSlot.isActive()) return;
  PLAYER_BONUS* bonus = FindBonus(kShuffleBonus);
  if (bonus == nullptr) return;
  if (bonus->charge < bonus->recover) bonus->charge += 1;
  if (bonus->charge < bonus->recover) return;
  // Full again: the slot flashes and takes clicks.
  m_panel->bonusSlot.Reset();
  CheckBonusReady();
  PLAY_KIT::PlaySound("bonus_ready.ogg");
}

void MAHJONG_LAYOUT::RemoveAllFreePairs() {
  std::int64_t removed = 0;
  for (std::size_t i = 0; i < m_chips.size(); ++i) {
    MAHJONG_CHIP* first = m_chips[i];
    if (!first->isAvailable()) continue;
    for (std::size_t j = i + 1; j < m_chips.size(); ++j) {
      MAHJONG_CHIP* second = m_chips[j];
      if (!second->isAvailable() || !first->isMatch(second)) continue;
      first->StartRemove();
      second->StartRemove();
      PLAY_KIT::PlaySound("tile_collapse.ogg");
      removed += 2;
      break;
    }
  }
  CountSpecials();
  AddPoints(static_cast<std::int64_t>(m_scoreAllClickable) * removed);
  UpdateAllFree();
  EndLevelIfComplete();
}
