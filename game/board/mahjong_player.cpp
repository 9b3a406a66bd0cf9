// The player profile: defaults, reading from player.xml, and the bonus charges.
#include "game/board/mahjong_player.h"

#include "engine/files/well_formed_xml.h"
#include "engine/math/float_to_int.h"
#include "engine/service/qc_log.h"
#include "game/board/mahjong_player_file.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

// Names are wide strings of code points, some beyond 16 bits.
static_assert(sizeof(wchar_t) == 4);

namespace {

bool isExactlyTrue(const pugi::xml_attribute& attribute) { return std::strcmp(attribute.value(), "true") == 0; }

// A decimal number truncated toward zero: "12.9" reads as 12; NaN reads as 0 and numbers beyond
// the int range saturate.
int readTruncatedInt(const pugi::xml_attribute& attribute) { return QOR::fTruncateToInt(attribute.as_double()); }

// A float; a value that is not a finite float (NaN, infinity, beyond the float range) reads as 0,
// as a missing one does.
float readFloat(const pugi::xml_attribute& attribute) {
  const double value = attribute.as_double();
  if (!std::isfinite(value) || std::fabs(value) > FLT_MAX) return 0.0f;
  return static_cast<float>(value);
}

std::string numberedName(const char* prefix, int number) { return prefix + std::to_string(number); }

constexpr wchar_t kReplacement = 0xFFFD;

}  // namespace

std::wstring MAHJONG_PLAYER::NameFromFile(const char* utf8) {
  // The text as the file's writer writes it: well-formed, every bad sequence one U+FFFD.
  return pugi::as_wide(QOR::fWellFormedText(utf8).c_str());
}

std::string MAHJONG_PLAYER::NameToFile(const std::wstring& name) {
  std::wstring clean = name;
  for (wchar_t& c : clean) {
    const auto code = static_cast<std::uint32_t>(c);
    if (code == 0 || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) c = kReplacement;
  }
  return pugi::as_utf8(clean);
}

std::wstring MAHJONG_PLAYER::NameAsRead(const std::wstring& name) { return NameFromFile(NameToFile(name).c_str()); }

bool MAHJONG_PLAYER::SameName(const char* fileName, const std::wstring& name) {
  return NameFromFile(fileName) == NameAsRead(name);
}

pugi::xml_parse_result MAHJONG_PLAYER::LoadPlayerFile(const std::string& filePath, pugi::xml_document& document) {
  // Only a regular file is read, and never waited on: a folder, a pipe or a device (even one
  // swapped in after a look at the path) reads as unreadable. The file's one reader gives the
  // document held in memory where the session's saves could not be written.
  std::string bytes;
  pugi::xml_parse_result result;
  switch (MAHJONG_PLAYER_FILE::Read(filePath, bytes)) {
    case 1: return document.load_buffer(bytes.data(), bytes.size());
    case 0: result.status = pugi::status_file_not_found; return result;
    default: result.status = pugi::status_io_error; return result;
  }
}

MAHJONG_PLAYER::MAHJONG_PLAYER(const std::string& filePath, const std::wstring& playerName) {
  std::fill(std::begin(m_levels), std::end(m_levels), -1);
  std::wstring name = playerName;
  if (name.empty()) {
    pugi::xml_document document;
    LoadPlayerFile(filePath, document);
    name = NameFromFile(document.child("lastplayer").attribute("lpname").value());
  }
  LoadPlayer(name, filePath);
}

void MAHJONG_PLAYER::Reset(const std::wstring& playerName) {
  m_name = NameAsRead(playerName);
  m_filePath.clear();
  m_totalScore = 0;
  m_money = 0;
  m_XP = 0.0f;
  m_rank = 0;
  m_totalTilesRemoved = 0;
  m_totalBonusUsed = 0;
  m_abilitySlots = 1;
  m_bonusSlots = 1;
  m_lastPack = 1;
  m_lastLevel = 1;
  m_soundVolume = 0.5f;
  m_musicVolume = 0.5f;
  m_customCursor = true;
  m_fullScreen = true;
  m_seenStartComics = false;
  m_seenEndComics = false;
  m_tutorialShow = true;
  m_showShopMsg = true;
  m_doTilesShadowing = false;
  m_tileset = "2";
  m_bonuses = {PLAYER_BONUS(1, 0), PLAYER_BONUS(2, 1), PLAYER_BONUS(3, 0), PLAYER_BONUS(4, 0)};
  m_abilities = {PLAYER_ABILITY(1, 0), PLAYER_ABILITY(2, 0), PLAYER_ABILITY(3, 1), PLAYER_ABILITY(4, 0)};
  std::fill(std::begin(m_bonusSlot), std::end(m_bonusSlot), 0);
  std::fill(std::begin(m_abilitySlot), std::end(m_abilitySlot), 0);
  std::fill(std::begin(m_packs), std::end(m_packs), 0);
  m_trophies.clear();
  std::fill(std::begin(m_levels), std::end(m_levels), -1);
  m_sessionsCount = 0;
}

void MAHJONG_PLAYER::LoadPlayer(const std::wstring& playerName, const std::string& filePath) {
  pugi::xml_document document;
  const pugi::xml_parse_result result = LoadPlayerFile(filePath, document);
  QOR::fLog() << filePath << " --- " << result.description();
  m_filePath = filePath;
  QOR::fLog() << "filepath - " << filePath;
  // A partial tree of a damaged file is not read: half a profile is worse than a fresh one.
  if (!result || !document.first_child()) {
    QOR::fLog(" PLAYER XML DOC IS EMPTY ");
    Reset(playerName);
    m_filePath = filePath;
    return;
  }
  ReadPlayers(document, playerName);
}

void MAHJONG_PLAYER::ReadPlayers(const pugi::xml_node& document, const std::wstring& playerName) {
  pugi::xml_node player;
  for (pugi::xml_node candidate : document.children("player")) {
    if (SameName(candidate.attribute("name").value(), playerName)) {
      player = candidate;
      break;
    }
  }
  if (!player) {
    QOR::fLog() << "player " << NameToFile(playerName) << " not found";
    player = document.child("player");
    if (!player) {
      const std::string filePath = m_filePath;
      Reset(std::wstring());
      m_filePath = filePath;
      return;
    }
  }
  ReadPlayer(player);
}

void MAHJONG_PLAYER::ReadPlayer(const pugi::xml_node& player) {
  m_name = NameFromFile(player.attribute("name").value());
  const pugi::xml_attribute tileset = player.attribute("tileset");
  m_tileset = tileset ? tileset.value() : "2";
  m_totalScore = readTruncatedInt(player.attribute("totalscore"));
  m_money = readTruncatedInt(player.attribute("money"));
  m_XP = readFloat(player.attribute("XP"));
  m_soundVolume = readFloat(player.attribute("sound_volume"));
  m_musicVolume = readFloat(player.attribute("music_volume"));
  m_rank = player.attribute("rank").as_int();
  m_abilitySlots = player.attribute("ability_slots").as_int();
  m_bonusSlots = player.attribute("bonus_slots").as_int();
  m_totalTilesRemoved = player.attribute("totaltilesremoved").as_int();
  m_totalBonusUsed = player.attribute("totalbonusused").as_int();
  m_lastPack = player.attribute("lastpack").as_int();
  m_lastLevel = player.attribute("lastlevel").as_int();
  m_sessionsCount = player.attribute("sessionscount").as_int();
  m_customCursor = isExactlyTrue(player.attribute("custom_cursor"));
  m_seenStartComics = isExactlyTrue(player.attribute("seen_start_comics"));
  m_seenEndComics = isExactlyTrue(player.attribute("seen_end_comics"));
  m_tutorialShow = isExactlyTrue(player.attribute("tutorial_show"));
  m_showShopMsg = isExactlyTrue(player.attribute("show_shop_msg"));
  m_doTilesShadowing = isExactlyTrue(player.attribute("DoTilesShadowing"));
  // Full screen is true for a text beginning with 1, t, T, y or Y.
  m_fullScreen = player.attribute("full_screen").as_bool(false);

  const pugi::xml_node bonuses = player.child("bonuses");
  const pugi::xml_node abilities = player.child("abilities");
  for (int slot = 0; slot < kSlots; ++slot) {
    const std::string name = numberedName("slot", slot + 1);
    m_bonusSlot[slot] = bonuses.attribute(name.c_str()).as_int();
    m_abilitySlot[slot] = abilities.attribute(name.c_str()).as_int();
  }
  for (const pugi::xml_node& element : bonuses.children()) {
    if (element.type() != pugi::node_element) continue;
    PLAYER_BONUS bonus(element.attribute("id").as_int(), element.attribute("impr").as_int());
    bonus.recover = element.attribute("recover").as_int();
    bonus.set = element.attribute("set").as_int();
    bonus.charge = bonus.recover;  // loaded bonuses start fully charged
    m_bonuses.push_back(bonus);
  }
  for (const pugi::xml_node& element : abilities.children()) {
    if (element.type() != pugi::node_element) continue;
    PLAYER_ABILITY ability(element.attribute("id").as_int(), element.attribute("impr").as_int());
    ability.set = element.attribute("set").as_int();
    m_abilities.push_back(ability);
  }

  const pugi::xml_node trophies = player.child("trophies");
  for (int id = 1; id <= kMaxTrophyId; ++id) {
    if (trophies.attribute(numberedName("id", id).c_str())) m_trophies.push_back(id);
  }
  const pugi::xml_node levels = player.child("levels");
  for (int pack = 1; pack <= kPacks; ++pack) {
    for (int level = 1; level <= kLevelsPerPack; ++level) {
      const pugi::xml_attribute result =
          levels.attribute(("lvl" + std::to_string(pack) + std::to_string(level)).c_str());
      m_levels[LevelIndex(pack, level)] = result ? result.as_int() : -1;
    }
  }
  const pugi::xml_node packs = player.child("packs");
  for (int pack = 1; pack <= kPacks; ++pack) {
    m_packs[pack - 1] = packs.attribute(numberedName("id", pack).c_str()) ? 1 : 0;
  }
  // The first slots always hold tosschips and fadeunable, whatever the file says.
  m_bonusSlot[0] = 2;
  m_abilitySlot[0] = 3;
}

void MAHJONG_PLAYER::UpdateBonusRecover() {
  for (PLAYER_BONUS& bonus : m_bonuses) {
    // Recover for improvement levels 4, 3, 2 and any other.
    static constexpr int kRecover[4][4] = {{10, 12, 13, 15}, {4, 6, 8, 10}, {1, 2, 3, 4}, {2, 4, 6, 8}};
    if (bonus.id >= 1 && bonus.id <= 4) {
      const int column = bonus.impr == 4 ? 0 : bonus.impr == 3 ? 1 : bonus.impr == 2 ? 2 : 3;
      bonus.recover = kRecover[bonus.id - 1][column];
    }
    QOR::fLog() << "bonus id==" << bonus.id << " rec = " << bonus.recover;
  }
}

void MAHJONG_PLAYER::FillBonuses() {
  for (PLAYER_BONUS& bonus : m_bonuses) {
    if (bonus.set != 0) bonus.charge = bonus.recover;
  }
}

void MAHJONG_PLAYER::ChargeBonuses(int amount) {
  for (PLAYER_BONUS& bonus : m_bonuses) {
    if (bonus.charge < bonus.recover) bonus.charge += amount;
  }
}

PLAYER_BONUS* MAHJONG_PLAYER::FindBonus(int id) {
  for (PLAYER_BONUS& bonus : m_bonuses) {
    if (bonus.id == id) return &bonus;
  }
  return nullptr;
}

const PLAYER_BONUS* MAHJONG_PLAYER::FindBonus(int id) const { return const_cast<MAHJONG_PLAYER*>(this)->FindBonus(id); }
