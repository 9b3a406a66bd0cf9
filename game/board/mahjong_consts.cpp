// Reading the constants from their documents.
#include "game/board/mahjong_consts.h"

#include <pugixml.hpp>

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <system_error>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The text after leading blanks and one '+' (from_chars takes neither).
const char* numberStart(const char* text) {
  while (isBlank(*text)) ++text;
  if (*text == '+' && text[1] != '+' && text[1] != '-') ++text;
  return text;
}

// Only the exact text "true" is true.
void readBool(const pugi::xml_node& node, const char* key, bool& value) {
  const pugi::xml_attribute attribute = node.attribute(key);
  if (attribute) value = std::strcmp(attribute.value(), "true") == 0;
}

// Decimal digits up to the first other character; 0 when there are none, the nearest int when
// the number is beyond int.
void readInt(const pugi::xml_node& node, const char* key, int& value) {
  const pugi::xml_attribute attribute = node.attribute(key);
  if (!attribute) return;
  const char* start = numberStart(attribute.value());
  long long parsed = 0;
  const auto [end, error] = std::from_chars(start, start + std::strlen(start), parsed, 10);
  if (error == std::errc::result_out_of_range) {
    value = *start == '-' ? INT_MIN : INT_MAX;
  } else if (error != std::errc()) {
    value = 0;
  } else {
    value = parsed > INT_MAX ? INT_MAX : (parsed < INT_MIN ? INT_MIN : static_cast<int>(parsed));
  }
}

// Decimal text in the C locale whatever the process's locale; 0 when it does not parse or is not
// a finite float (durations and speeds later feed divisions and integer conversions).
void readFloat(const pugi::xml_node& node, const char* key, float& value) {
  const pugi::xml_attribute attribute = node.attribute(key);
  if (!attribute) return;
  const char* start = numberStart(attribute.value());
  float parsed = 0.0f;
  const auto [end, error] = std::from_chars(start, start + std::strlen(start), parsed, std::chars_format::general);
  value = (error == std::errc() && std::isfinite(parsed)) ? parsed : 0.0f;
}

void readText(const pugi::xml_node& node, const char* key, std::string& value) {
  const pugi::xml_attribute attribute = node.attribute(key);
  if (attribute) value = attribute.value();
}

// Hexadecimal AARRGGBB as the unsigned conversion with base 16 reads it ("0x" accepted); a value
// beyond 32 bits is clamped to 0xFFFFFFFF.
void readColor(const pugi::xml_node& node, const char* key, QOR::QC_COLOR32& value) {
  const pugi::xml_attribute attribute = node.attribute(key);
  if (attribute) value = QOR::fHexToColor(attribute.value());
}

// The node itself when it has that name, else its child of that name (a document or the element).
pugi::xml_node elementOf(const pugi::xml_node& root, const char* name) {
  return std::strcmp(root.name(), name) == 0 ? root : root.child(name);
}

}  // namespace

MAHJONG_CONSTS::MAHJONG_CONSTS() = default;

void MAHJONG_CONSTS::ReadConsts(const pugi::xml_node& root) {
  const pugi::xml_node node = elementOf(root, "mahjong_consts");
  if (!node) return;
  readText(node, "window_header", window_header);
  readBool(node, "blend_multiply", blend_multiply);
  readBool(node, "MUSIC", MUSIC);
  readBool(node, "SOUND", SOUND);
  readInt(node, "lang", lang);
  readFloat(node, "trophies_store_header_text_space", trophies_store_header_text_space);
  readText(node, "save_folder_studio", save_folder_studio);
  readText(node, "save_folder_game", save_folder_game);
  readFloat(node, "ability_tip_lvl1", ability_tip_lvl1);
  readFloat(node, "ability_tip_lvl2", ability_tip_lvl2);
  readFloat(node, "ability_tip_lvl3", ability_tip_lvl3);
  readFloat(node, "ability_tip_lvl4", ability_tip_lvl4);
  readFloat(node, "multiplier_sound_delay", multiplier_sound_delay);
  readInt(node, "FPS_LIMIT", FPS_LIMIT);
  readInt(node, "UPS_LIMIT", UPS_LIMIT);
  readFloat(node, "pack_level_highlight", pack_level_highlight);
  readColor(node, "money_color", money_color);
  readColor(node, "golden_color", golden_color);
  readFloat(node, "tutorial_flickering", tutorial_flickering);
  readFloat(node, "storebtn_flickering", storebtn_flickering);
  readFloat(node, "comics_fadein_speed", comics_fadein_speed);
  readFloat(node, "pause_fade_in_out", pause_fade_in_out);
  readFloat(node, "ability_show_tip_flickering", ability_show_tip_flickering);
}

void MAHJONG_CONSTS::ReadFxParams(const pugi::xml_node& root) {
  const pugi::xml_node node = elementOf(root, "effects");
  if (!node) return;
  readFloat(node.child("remove_chip_bezier_durration"), "val", remove_chip_bezier_durration);
  const pugi::xml_node trail = node.child("tilestrail");
  readFloat(trail, "chip_trail_frequency", chip_trail_frequency);
  readFloat(trail, "chip_trail_length", chip_trail_length);
}
