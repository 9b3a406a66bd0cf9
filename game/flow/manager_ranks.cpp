// Ranks: the player's experience placed on the rank list of the player file, the experience bar
// of the left panel, the packs' average stars, and the opening of the next pack once its rank's
// experience is reached and the pack before it has been finished. That rule reads only what the
// player file keeps (experience and results), so a pack it earns opens whichever road comes next.
// The count-up's steps, and every early end of a count-up, give what the experience earns (the
// rank, the pack and the experience trophies) through GiveRankRewards.
#include "engine/math/float_to_int.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_log.h"
#include "game/board/mahjong_player.h"
#include "game/board/xml_numbers.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/pack_button.h"

#include <pugixml.hpp>

#include <algorithm>

namespace {

// The share of the bar the experience fills: the part of the way from the current rank's start
// to the next rank's. Nothing left to reach (the top rank) fills it; a span of zero or less, or an
// experience that is not a number, leaves it empty.
double barShare(double xp, int current, int next, bool hasNext) {
  if (!hasNext) return 1.0;
  const double span = static_cast<double>(next) - current;
  if (!(span > 0.0)) return 0.0;
  const double share = (xp - current) / span;
  return share > 0.0 ? std::min(share, 1.0) : 0.0;
}

}  // namespace

bool MAHJONG_GAME_MANAGER::isPackEarned(std::size_t k) const {
  if (player == nullptr || k < 1 || k >= packs.buttons.size() || k >= std::size_t{MAHJONG_PLAYER::kPacks}) return false;
  const int previous = static_cast<int>(k);  // the pack before, numbered from 1
  return static_cast<float>(packs.buttons[k]->xp) <= player->m_XP &&
         player->m_levels[MAHJONG_PLAYER::LevelIndex(previous, MAHJONG_PLAYER::kLevelsPerPack)] > 0;
}

bool MAHJONG_GAME_MANAGER::OpenEarnedPack() {
  for (std::size_t k = 1; k < packs.buttons.size(); ++k) {
    PACK_BUTTON* pack = packs.buttons[k];
    if (!pack->isLocked() || pack->buttonFlash != 0 || pack->lockFlash != 0 || !isPackEarned(k) ||
        player->m_packs[k] == 1) {
      continue;
    }
    const int number = static_cast<int>(k) + 1;
    pack->buttonFlash = 1;
    pack->lockFlash = 1;
    pack->lockSoundPlayed = 0;
    packs.packFlashTimer = 0.0f;
    packs.lockFlashTimer = 0.0f;
    player->m_packs[k] = 1;
    MakeLastPack(number);
    SavePlayer();
    QOR::fLog() << "pack " << number << " unlocked by its rank and the last level of pack " << number - 1;
    return true;
  }
  return false;
}

void MAHJONG_GAME_MANAGER::GiveRankRewards() {
  UpdateRank(1);
  AwardRankTrophies();
}

void MAHJONG_GAME_MANAGER::AwardRankTrophies() {
  // One rule fires a check: checked again as long as a check adds a trophy.
  while (player != nullptr) {
    const std::size_t owned = player->m_trophies.size();
    CheckTrophies(kEventXPRaised);
    if (player->m_trophies.size() == owned) return;
  }
}

void MAHJONG_GAME_MANAGER::UpdateRank(int flash) {
  leftPanel.glowFlicker = 0;
  // A pack the experience opens comes first: its save may end a count-up, raising the experience
  // to what was earned, and the rank is judged on that.
  if (flash != 0) OpenEarnedPack();
  UpdatePackStars();
  const float xp = player != nullptr ? player->m_XP : 0.0f;

  // The rank list, lowest first: the current rank is the last one whose next rank begins at or
  // below the experience.
  pugi::xml_document file;
  MAHJONG_PLAYER::LoadPlayerFile(PlayerFilePath(), file);
  pugi::xml_node current = file.child("ranks").child("rank");
  pugi::xml_node next;
  nextRankXP = 0;
  while (current) {
    next = current.next_sibling("rank");
    if (!next) break;
    const int nextXP = MAHJONG_XML::AttributeInt(next, "xp");
    if (static_cast<float>(nextXP) > xp) {
      nextRankXP = nextXP;
      break;
    }
    current = next;
  }

  if (leftPanel.experienceBar != nullptr) {
    const int imageWidth = std::max(leftPanel.experienceBar->fGetPageWidth(), 0);
    const double share =
        current ? barShare(xp, MAHJONG_XML::AttributeInt(current, "xp"), nextRankXP, static_cast<bool>(next)) : 0.0;
    const int width = std::clamp(QOR::fTruncateToInt(share * imageWidth), 0, imageWidth);
    leftPanel.experienceBar->fSetSize(width, leftPanel.experienceBar->fGetPageHeight());
    leftPanel.experienceBar->fFitUV();
  }

  if (flash != 0) {
    leftPanel.rankFlash = 1;
    leftPanel.rankFlashTimer = 0.0f;
  }

  const auto title = current ? rankTitles.find(pugi::as_wide(current.attribute("title").value())) : rankTitles.end();
  rankTitle = title != rankTitles.end() ? title->second : std::wstring();
}
