// The board's scoring values from balance.xml, and the level end: the end bonus, the pay into the
// profile, the stars of the extra tasks, the best stars and experience, and the save.
#include "engine/service/qc_game.h"
#include "engine/service/qc_log.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_player.h"
#include "game/board/mahjong_sounds.h"
#include "game/board/xml_numbers.h"

#include <pugixml.hpp>

#include <climits>
#include <cmath>
#include <string>

namespace {

// The multiplier values are kept in tenths of a step.
std::int32_t Tenfold(int value) { return MAHJONG_LAYOUT::SaturatePoints(static_cast<std::int64_t>(value) * 10); }

// Whether one extra task was met at the level end.
bool TaskMet(std::int32_t type, std::int32_t value, std::int32_t movesMade, std::int32_t points, float seconds) {
  switch (type) {
    case kTaskMoves:
      return movesMade <= value;
    case kTaskMoney:
      return value <= points;
    case kTaskTime:
      return seconds <= static_cast<float>(value);
    default:
      return false;
  }
}

}  // namespace

std::int32_t MAHJONG_LAYOUT::SaturatePoints(std::int64_t points) {
  if (points > INT_MAX) return INT_MAX;
  if (points < INT_MIN) return INT_MIN;
  return static_cast<std::int32_t>(points);
}

void MAHJONG_LAYOUT::LoadBalance() {
  const pugi::xml_document* document = QOR::QC_GAME::fLoadXml("balance.xml");
  const pugi::xml_node multiplier = document != nullptr ? document->child("multiplier") : pugi::xml_node();
  m_multiBonus = Tenfold(MAHJONG_XML::AttributeInt(multiplier, "multi_bonus"));
  m_multiPair = Tenfold(MAHJONG_XML::AttributeInt(multiplier, "multi_pair"));
  m_multiIncrAp = Tenfold(MAHJONG_XML::AttributeInt(multiplier, "multi_incr_ap"));
  m_multiTimeDecr = MAHJONG_XML::AttributeInt(multiplier, "multi_time_decr");

  // The pack's child is chosen by its id, compared as text with the pack number.
  const std::string id = std::to_string(m_pack);
  pugi::xml_node pack;
  if (document != nullptr) {
    for (const pugi::xml_node& child : document->child("packs").children()) {
      if (id == child.attribute("id").value()) {
        pack = child;
        break;
      }
    }
  }
  m_scoreOne = MAHJONG_XML::AttributeInt(pack, "score_one");
  m_scorePair = MAHJONG_XML::AttributeInt(pack, "score_pair");
  m_scoreOneSpec = MAHJONG_XML::AttributeInt(pack, "score_one_spec");
  m_scorePairSpec = MAHJONG_XML::AttributeInt(pack, "score_pair_spec");
  m_scoreAllClickable = MAHJONG_XML::AttributeInt(pack, "score_all_clickable");
  m_scoreEndLevel = MAHJONG_XML::AttributeInt(pack, "score_end_level");
  m_xp1 = MAHJONG_XML::AttributeInt(pack, "xp1");
  m_xp2 = MAHJONG_XML::AttributeInt(pack, "xp2");
  m_xp3 = MAHJONG_XML::AttributeInt(pack, "xp3");
}

bool MAHJONG_LAYOUT::EndLevelIfComplete() {
  if (!isLevelComplete()) return false;
  FinishLevel();
  return true;
}

void MAHJONG_LAYOUT::FinishLevel() {
  if (m_levelFinished) return;
  m_levelFinished = true;
  // Every tile still on the board (in flight or not) adds the end bonus.
  AddPoints(static_cast<std::int64_t>(m_chips.size()) * m_scoreEndLevel);
  const std::int32_t points = m_panel != nullptr ? m_panel->GetScore() : 0;
  if (m_player != nullptr) {
    m_player->m_totalScore = SaturatePoints(static_cast<std::int64_t>(m_player->m_totalScore) + points);
    m_player->m_money = SaturatePoints(static_cast<std::int64_t>(m_player->m_money) + points);
  }

  // The clock counts to the nearest whole second, halves upward.
  m_elapsed = std::floor(m_elapsed + 0.5f);
  std::int32_t stars = 1;
  if (m_task1Value != 0 && TaskMet(m_task1Type, m_task1Value, m_movesMade, points, m_elapsed)) stars = 2;
  if (m_task2Value != 0 && TaskMet(m_task2Type, m_task2Value, m_movesMade, points, m_elapsed)) stars += 1;
  m_stars = stars;

  if (m_player != nullptr) {
    const int index = MAHJONG_PLAYER::LevelIndex(m_pack, m_level);
    const bool known =
        m_pack >= 1 && m_pack <= MAHJONG_PLAYER::kPacks && m_level >= 1 && m_level <= MAHJONG_PLAYER::kLevelsPerPack;
    if (known && m_player->m_levels[index] < stars) {
      if (m_player->m_levels[index] < 0) m_player->m_levels[index] = 0;
      const int gain = stars - m_player->m_levels[index];
      m_player->m_levels[index] = stars;
      m_player->m_XP += static_cast<float>(gain);
    }
  }

  if (gameSounds != nullptr) {
    gameSounds->Play(stars >= 3 ? "level_excellent.ogg" : stars == 2 ? "level_good.ogg" : "level_normal.ogg");
  }
  QOR::fLog() << "You gain " << stars << " star(s)! " << (m_player != nullptr ? m_player->m_XP : 0.0f);
  if (m_player != nullptr) m_player->SavePlayers();
}
