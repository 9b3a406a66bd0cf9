#include "tests/data/strings_table.h"

#include <pugixml.hpp>

namespace qor_test {

bool QS_STRINGS_TABLE::has(const std::string& key) const {
  for (const auto& row : rows)
    if (row.first == key) return true;
  return false;
}

std::string QS_STRINGS_TABLE::value(const std::string& key) const {
  for (const auto& row : rows)
    if (row.first == key) return row.second;
  return "not found";
}

bool fReadStringsTable(const std::string& bytes, QS_STRINGS_TABLE& table) {
  pugi::xml_document document;
  if (!document.load_buffer(bytes.data(), bytes.size())) return false;
  const pugi::xml_node sheet = document.child("Workbook").child("Worksheet").child("Table");
  for (pugi::xml_node row = sheet.child("Row"); row; row = row.next_sibling()) {
    std::string cells[2] = {"Value not loaded", "Value not loaded"};
    int column = 1;
    for (pugi::xml_node cell = row.first_child(); cell; cell = cell.next_sibling(), ++column)
      if (column <= 2) cells[column - 1] = cell.first_child().child_value();
    table.rows.emplace_back(cells[0], cells[1]);
  }
  return !table.rows.empty();
}

std::vector<std::string> fGameTextKeys() {
  std::vector<std::string> keys = {
      "page", "welcome", "players", "quit", "changeplscr", "want2quit", "deleteplayer", "typenewplname", "plexists",
      "plnoname",
      "restartlevel", "options", "store", "trophies", "career", "sound", "music", "fullscr", "customcursor", "fronts",
      "credits", "rank2low", "notmoney", "buypack", "help", "level_start", "level_end", "pleaseclickanywhere",
      "start_comics_text", "end_comics_text", "end_comics_player_name", "level_fail", "no_moves_but_bonus",
      "store_name", "trophies_name", "lastlevelpack", "task_money", "task_moves", "task_time", "task_special",
      "Candidate", "Novice", "Experienced", "Expert", "Master", "Grand Master", "Flourishing Lotus", "Golden Shadoof",
      "Bamboo Coppice", "Red Phoenix", "Branch of Sakura", "Azure Dragon", "regular_font_fnt", "regular_font_png",
      "bold_font_fnt", "bold_font_png", "bold_font_stroke_png", "big_font_fnt", "big_font_png", "help_header_1",
      "help_header_2", "help_header_3", "credits_1"};
  keys.pop_back();  // credits are checked on their own: the first entry may be in any of three forms
  for (int i = 1; i <= 10; ++i) keys.push_back("tut" + std::to_string(i));
  for (int i = 1; i <= 12; ++i) keys.push_back("help_text_" + std::to_string(i));
  for (int i = 1; i <= 26; ++i) keys.push_back("tr" + std::to_string(i));
  for (int id = 1; id <= 4; ++id)
    for (int level = 1; level <= 4; ++level) {
      keys.push_back("bn" + std::to_string(id) + std::to_string(level));
      keys.push_back("ab" + std::to_string(id) + std::to_string(level));
    }
  for (int level = 2; level <= 4; ++level) {
    keys.push_back("bnslot" + std::to_string(level));
    keys.push_back("abslot" + std::to_string(level));
  }
  return keys;
}

const std::map<std::string, std::string>& fFormattedKeys() {
  static const std::map<std::string, std::string> kKeys = {
      {"task_special", "%i"}, {"task_money", "%s"}, {"task_moves", "%s"}, {"task_time", "%s"},
      {"start_comics_text", "%s"}, {"end_comics_player_name", "%s"}, {"buypack", "%i"}, {"notmoney", "%i"},
  };
  return kKeys;
}

}  // namespace qor_test
