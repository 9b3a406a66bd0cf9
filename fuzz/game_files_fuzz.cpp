// Fuzz target of the game's own files: each input is read as player.xml, consts.xml and
// fx_params.xml through the game's readers.
//   player.xml: the profile read from the input is saved to a new file and read again, and must
//   come back as the file format carries it (floats to six digits, one record per bonus and
//   ability id); it is also saved over the input itself, which must then parse and hold every
//   other whole profile the input held, plus this one once, at the end.
//   consts.xml and fx_params.xml: every float the constants take is finite.
#include "fuzz/fuzz_scratch.h"
#include "fuzz/xml_feedback.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_player.h"
#include "game/board/mahjong_player_file.h"

#include <pugixml.hpp>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

// What a new player file starts from, as default_player.xml holds it.
const pugi::xml_document* defaultPlayerDocument() {
  static pugi::xml_document document;
  static const bool parsed = document.load_string(
      "<lastplayer lpname=\"\"/>"
      "<packs><pack id=\"1\" name=\"Flourishing Lotus\" rank=\"Candidate\" price=\"0\"/></packs>"
      "<ranks><rank xp=\"0\" title=\"Candidate\"/><rank xp=\"15\" title=\"Novice\"/></ranks>");
  return parsed ? &document : nullptr;
}

std::string& scratchPath(const char* name) {
  static std::string input = qor_fuzz::fScratchBase() + "/input.xml";
  static std::string copy = qor_fuzz::fScratchBase() + "/copy.xml";
  return std::strcmp(name, "input") == 0 ? input : copy;
}

// A float as the file keeps it: printf's "%g", read back.
float throughText(float value) {
  char text[64];
  std::snprintf(text, sizeof(text), "%g", static_cast<double>(value));
  return static_cast<float>(std::strtod(text, nullptr));
}

// The profile a save and a load give back: the file has one record per bonus and ability id 1..4
// (from the profile's record of that id, else its first; only the id when it has none), loaded
// bonuses are fully charged and the first slots hold tosschips and fadeunable.
MAHJONG_PLAYER throughFile(const MAHJONG_PLAYER& profile) {
  MAHJONG_PLAYER expected = profile;
  expected.m_bonusSlot[0] = 2;
  expected.m_abilitySlot[0] = 3;
  expected.m_XP = throughText(profile.m_XP);
  expected.m_soundVolume = throughText(profile.m_soundVolume);
  expected.m_musicVolume = throughText(profile.m_musicVolume);
  expected.m_bonuses.clear();
  expected.m_abilities.clear();
  for (int id = 1; id <= 4; ++id) {
    PLAYER_BONUS bonus(id, 0);
    if (!profile.m_bonuses.empty()) {
      const PLAYER_BONUS* record = &profile.m_bonuses.front();
      for (const PLAYER_BONUS& other : profile.m_bonuses) {
        if (other.id == id) {
          record = &other;
          break;
        }
      }
      bonus.recover = bonus.charge = record->recover;
      bonus.impr = record->impr;
      bonus.set = record->set;
    }
    expected.m_bonuses.push_back(bonus);
    PLAYER_ABILITY ability(id, 0);
    if (!profile.m_abilities.empty()) {
      const PLAYER_ABILITY* record = &profile.m_abilities.front();
      for (const PLAYER_ABILITY& other : profile.m_abilities) {
        if (other.id == id) {
          record = &other;
          break;
        }
      }
      ability.impr = record->impr;
      ability.set = record->set;
    }
    expected.m_abilities.push_back(ability);
  }
  return expected;
}

// The top-level profiles of a document; with a name, only those of that name.
int countPlayers(const pugi::xml_node& document, const std::string* name = nullptr) {
  int count = 0;
  for (const pugi::xml_node& player : document.children("player")) {
    if (name == nullptr || std::strcmp(player.attribute("name").value(), name->c_str()) == 0) ++count;
  }
  return count;
}

void checkPlayerFile(const std::uint8_t* data, std::size_t size) {
  const std::string& input = scratchPath("input");
  const std::string& copy = scratchPath("copy");
  std::ofstream(input, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  std::remove(copy.c_str());

  MAHJONG_PLAYER first(input, L"");
  const MAHJONG_PLAYER expected = throughFile(first);
  if (!first.SavePlayersWith(copy, &defaultPlayerDocument)) __builtin_trap();
  MAHJONG_PLAYER second(copy, first.m_name);
  second.m_filePath = expected.m_filePath;
  if (!(second == expected)) __builtin_trap();

  // Saved over the input: the other whole profiles stay (one a damaged input cuts off is left
  // out), this one is there once, last.
  const std::string name = pugi::as_utf8(first.m_name);
  pugi::xml_document before;
  const pugi::xml_parse_result parsed = before.load_buffer(data, size);
  const std::string source(reinterpret_cast<const char*>(data), size);
  int others = 0;
  for (const pugi::xml_node& profile : MAHJONG_PLAYER_FILE::WholeProfiles(before, source, parsed)) {
    if (!MAHJONG_PLAYER::SameName(profile.attribute("name").value(), first.m_name)) ++others;
  }
  if (!first.SavePlayersWith(input, &defaultPlayerDocument)) __builtin_trap();
  pugi::xml_document after;
  if (!MAHJONG_PLAYER::LoadPlayerFile(input, after)) __builtin_trap();
  if (countPlayers(after, &name) != 1 || countPlayers(after) != others + 1) __builtin_trap();
  pugi::xml_node last = after.last_child();
  if (std::strcmp(last.name(), "player") != 0 || std::strcmp(last.attribute("name").value(), name.c_str()) != 0) {
    __builtin_trap();
  }
  const pugi::xml_node lastPlayer = after.child("lastplayer");
  if (lastPlayer && std::strcmp(lastPlayer.attribute("lpname").value(), name.c_str()) != 0) __builtin_trap();
  MAHJONG_PLAYER third(input, first.m_name);
  third.m_filePath = expected.m_filePath;
  if (!(third == expected)) __builtin_trap();
}

bool finite(float value) { return std::isfinite(value); }

void checkConstants(const std::uint8_t* data, std::size_t size) {
  pugi::xml_document document;
  const pugi::xml_parse_result result = document.load_buffer(data, size);
  qor_fuzz::fXmlFeedback(result, document);
  MAHJONG_CONSTS consts;
  consts.ReadConsts(document);
  consts.ReadFxParams(document);
  const float values[] = {consts.trophies_store_header_text_space,
                          consts.ability_tip_lvl1,
                          consts.ability_tip_lvl2,
                          consts.ability_tip_lvl3,
                          consts.ability_tip_lvl4,
                          consts.multiplier_sound_delay,
                          consts.pack_level_highlight,
                          consts.tutorial_flickering,
                          consts.storebtn_flickering,
                          consts.comics_fadein_speed,
                          consts.pause_fade_in_out,
                          consts.ability_show_tip_flickering,
                          consts.remove_chip_bezier_durration,
                          consts.chip_trail_frequency,
                          consts.chip_trail_length};
  for (float value : values) {
    if (!finite(value)) __builtin_trap();
  }
  if (consts.panel_slide_distance != -300 || consts.cheats) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  if (!qor_fuzz::fStartScratch("qor_game_files_fuzz_")) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  checkPlayerFile(data, size);
  checkConstants(data, size);
  return 0;
}
