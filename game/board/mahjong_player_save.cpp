// Writing the profile into player.xml: its element as the file format carries it; the file itself
// is changed by its one writer, MAHJONG_PLAYER_FILE.
#include "engine/service/qc_log.h"
#include "game/board/mahjong_player.h"
#include "game/board/mahjong_player_file.h"

#include <pugixml.hpp>

#include <charconv>
#include <string>

namespace {

constexpr const char* kBonusNames[4] = {"allclickable", "tosschips", "deleteany", "showspec"};
constexpr const char* kAbilityNames[4] = {"startmult", "xpmult", "fadeunable", "tip"};

// As printf's "%g" in the C locale: six significant digits, no trailing zeros.
std::string formatFloat(float value) {
  char buffer[32];
  const std::to_chars_result written =
      std::to_chars(buffer, buffer + sizeof(buffer), static_cast<double>(value), std::chars_format::general, 6);
  return std::string(buffer, written.ptr);
}

const char* formatBool(bool value) { return value ? "true" : "false"; }

void setInt(pugi::xml_node& node, const char* name, int value) {
  node.append_attribute(name).set_value(std::to_string(value).c_str());
}

template <typename RECORD>
const RECORD* recordOf(const std::vector<RECORD>& records, int id) {
  for (const RECORD& record : records) {
    if (record.id == id) return &record;
  }
  return &records.front();
}

}  // namespace

bool MAHJONG_PLAYER::SavePlayersWith(const std::string& filePath, DEFAULTS_SOURCE defaults) {
  if (m_filePath.empty()) m_filePath = filePath;
  // An empty path is no documents folder: the file tells so and holds the save in memory.
  return MAHJONG_PLAYER_FILE(filePath.empty() ? m_filePath : filePath, defaults).SavePlayer(*this);
}

void MAHJONG_PLAYER::WritePlayer(pugi::xml_node& player) const {
  player.append_attribute("name").set_value(NameToFile(m_name).c_str());
  setInt(player, "totalscore", m_totalScore);
  player.append_attribute("tileset").set_value(m_tileset.c_str());
  setInt(player, "money", m_money);
  player.append_attribute("XP").set_value(formatFloat(m_XP).c_str());
  setInt(player, "rank", m_rank);
  setInt(player, "ability_slots", m_abilitySlots);
  setInt(player, "bonus_slots", m_bonusSlots);
  setInt(player, "totaltilesremoved", m_totalTilesRemoved);
  setInt(player, "totalbonusused", m_totalBonusUsed);
  player.append_attribute("custom_cursor").set_value(formatBool(m_customCursor));
  player.append_attribute("full_screen").set_value(formatBool(m_fullScreen));
  player.append_attribute("sound_volume").set_value(formatFloat(m_soundVolume).c_str());
  player.append_attribute("music_volume").set_value(formatFloat(m_musicVolume).c_str());
  player.append_attribute("seen_start_comics").set_value(formatBool(m_seenStartComics));
  player.append_attribute("DoTilesShadowing").set_value(formatBool(m_doTilesShadowing));
  player.append_attribute("seen_end_comics").set_value(formatBool(m_seenEndComics));
  player.append_attribute("tutorial_show").set_value(formatBool(m_tutorialShow));
  player.append_attribute("show_shop_msg").set_value(formatBool(m_showShopMsg));
  setInt(player, "lastlevel", m_lastLevel);
  setInt(player, "lastpack", m_lastPack);
  setInt(player, "sessionscount", m_sessionsCount);

  // Each id 1..4 gets one element, with the values of the profile's record of that id (its first
  // record when it has none of that id, only name and id when it has no record at all).
  pugi::xml_node bonuses = player.append_child("bonuses");
  for (int slot = 0; slot < kSlots; ++slot)
    setInt(bonuses, ("slot" + std::to_string(slot + 1)).c_str(), m_bonusSlot[slot]);
  for (int id = 1; id <= 4; ++id) {
    pugi::xml_node bonus = bonuses.append_child("bonus");
    bonus.append_attribute("name").set_value(kBonusNames[id - 1]);
    setInt(bonus, "id", id);
    if (m_bonuses.empty()) continue;
    const PLAYER_BONUS* record = recordOf(m_bonuses, id);
    setInt(bonus, "recover", record->recover);
    setInt(bonus, "impr", record->impr);
    setInt(bonus, "set", record->set);
  }
  pugi::xml_node abilities = player.append_child("abilities");
  for (int slot = 0; slot < kSlots; ++slot) {
    setInt(abilities, ("slot" + std::to_string(slot + 1)).c_str(), m_abilitySlot[slot]);
  }
  for (int id = 1; id <= 4; ++id) {
    pugi::xml_node ability = abilities.append_child("ability");
    ability.append_attribute("name").set_value(kAbilityNames[id - 1]);
    setInt(ability, "id", id);
    if (m_abilities.empty()) continue;
    const PLAYER_ABILITY* record = recordOf(m_abilities, id);
    setInt(ability, "impr", record->impr);
    setInt(ability, "set", record->set);
  }

  // An attribute per owned trophy and open pack, with an empty value; a trophy owned twice is
  // written once (a repeated attribute would make the file unreadable to strict readers).
  pugi::xml_node trophies = player.append_child("trophies");
  for (int id : m_trophies) {
    const std::string name = "id" + std::to_string(id);
    if (!trophies.attribute(name.c_str())) trophies.append_attribute(name.c_str()).set_value("");
  }
  pugi::xml_node packs = player.append_child("packs");
  for (int pack = 1; pack <= kPacks; ++pack) {
    if (m_packs[pack - 1] != 0) packs.append_attribute(("id" + std::to_string(pack)).c_str()).set_value("");
  }
  pugi::xml_node levels = player.append_child("levels");
  for (int pack = 1; pack <= kPacks; ++pack) {
    for (int level = 1; level <= kLevelsPerPack; ++level) {
      const int result = m_levels[LevelIndex(pack, level)];
      if (result != -1) setInt(levels, ("lvl" + std::to_string(pack) + std::to_string(level)).c_str(), result);
    }
  }
}
