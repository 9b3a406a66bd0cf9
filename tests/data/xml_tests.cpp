// The configuration documents hold every key the game reads, with values the game can use.
#include "tests/data/data_fixture.h"
#include "tests/data/strings_table.h"

#include "tools/data/levels/level_designer.h"
#include "tools/data/levels/level_file.h"
#include "tools/data/manifest.h"
#include "tools/data/resource_layout.h"
#include "tools/data/xml/xml_step.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <cstring>
#include <set>

namespace {

using qor_test::fResourceBytes;

constexpr float kFrame = 1.0f / 60.0f;

pugi::xml_document& document(const std::string& name, bool loose = false) {
  static std::map<std::string, std::unique_ptr<pugi::xml_document>> documents;
  auto& slot = documents[name];
  if (!slot) {
    slot = std::make_unique<pugi::xml_document>();
    const std::string bytes = fResourceBytes(name, loose);
    EXPECT_TRUE(slot->load_buffer(bytes.data(), bytes.size())) << name;
  }
  return *slot;
}

const qor_test::QS_STRINGS_TABLE& strings() {
  static const qor_test::QS_STRINGS_TABLE table = [] {
    qor_test::QS_STRINGS_TABLE t;
    EXPECT_TRUE(qor_test::fReadStringsTable(fResourceBytes("strings.xml"), t));
    return t;
  }();
  return table;
}

bool isHexColour(const std::string& text) {
  if (text.size() != 8) return false;
  return text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
}

TEST(DataConfig, ConstsHoldEveryKeyWithUsableValues) {
  const pugi::xml_node c = document("consts.xml").child("mahjong_consts");
  ASSERT_TRUE(c);
  for (const char* key : {"window_header", "blend_multiply", "MUSIC", "SOUND", "lang", "trophies_store_header_text_space",
                          "save_folder_studio", "save_folder_game", "ability_tip_lvl1", "ability_tip_lvl2",
                          "ability_tip_lvl3", "ability_tip_lvl4", "multiplier_sound_delay", "FPS_LIMIT", "UPS_LIMIT",
                          "pack_level_highlight", "money_color", "golden_color", "tutorial_flickering",
                          "storebtn_flickering", "comics_fadein_speed", "pause_fade_in_out",
                          "ability_show_tip_flickering"})
    EXPECT_FALSE(c.attribute(key).empty()) << key;
  EXPECT_STREQ(c.attribute("SOUND").value(), "true");
  EXPECT_STREQ(c.attribute("MUSIC").value(), "true");
  EXPECT_EQ(c.attribute("FPS_LIMIT").as_int(), 60);
  EXPECT_EQ(c.attribute("UPS_LIMIT").as_int(), 60);
  EXPECT_STRNE(c.attribute("window_header").value(), "");
  for (const char* key : {"money_color", "golden_color"}) {
    EXPECT_TRUE(isHexColour(c.attribute(key).value())) << key;
    EXPECT_EQ(std::strtoul(c.attribute(key).value(), nullptr, 16) >> 24, 0xFFu) << key << " is not opaque";
  }
  // Durations drive faders and animators, which never advance when they are not above one frame.
  for (const char* key : {"pack_level_highlight", "tutorial_flickering", "storebtn_flickering", "comics_fadein_speed",
                          "pause_fade_in_out", "ability_show_tip_flickering", "ability_tip_lvl1", "ability_tip_lvl2",
                          "ability_tip_lvl3", "ability_tip_lvl4"})
    EXPECT_GT(c.attribute(key).as_float(), kFrame) << key;
}

TEST(DataConfig, FxParamsHoldEveryKeyAndDurationsOutlastAFrame) {
  const pugi::xml_node fx = document("fx_params.xml").child("effects");
  ASSERT_TRUE(fx);
  const std::map<std::string, std::vector<std::string>> keys = {
      {"showspecial", {"hide_speed", "hide_layer_delay", "show_speed", "show_delay"}},
      {"show_level_speed_up", {"val"}}, {"alpha_additive", {"transparency"}}, {"show_layers_delay", {"val"}},
      {"highligh_tile_duration", {"val"}}, {"darken_tiles_duration", {"val"}}, {"border_alpha_duration", {"val"}},
      {"remove_chip_bezier_durration", {"val"}}, {"remove_chip_bezier_end", {"val_x", "val_y"}},
      {"remove_chip_bezier_mid", {"val_x", "val_y"}}, {"pts_delay_time", {"val"}}, {"pts_fade_time", {"val"}},
      {"pts_height", {"val"}}, {"fade_time", {"val"}}, {"delay_time", {"val"}}, {"cicles_count", {"val"}},
      {"incr_to_scale", {"val"}}, {"scale_dur", {"val"}}, {"fade_durr", {"val"}}, {"flash_delay", {"val"}},
      {"flash_count", {"val"}}, {"tilestrail", {"chip_trail_frequency", "chip_trail_length"}},
      {"fade_in_out_time", {"val"}}, {"show_level_time", {"val"}}, {"hide_level_time", {"val"}},
      {"start_panel_bezier_time", {"val"}}, {"strtpnl_bezier_mid_point", {"val_x", "val_y"}},
      {"increment_money_and_xp", {"effect_delay", "incr_delay", "color", "increment"}},
      {"lvlbtn_unblock", {"incr_to_scale", "incr_time", "fade_time"}},
      {"flash_pack_lock", {"incr_to_scale", "incr_time", "fade_time"}},
      {"flash_pack_btn", {"incr_to_scale", "incr_time", "fade_time"}}, {"motion_trail", {"freq", "length"}},
      {"browse_screens_speed", {"trophy", "levels"}}, {"flashrank", {"duration", "scale"}},
      {"stars_blob", {"duration", "amplitude", "frequency", "decay", "delayTime"}},
  };
  for (const auto& [element, attributes] : keys)
    for (const std::string& attribute : attributes)
      EXPECT_FALSE(fx.child(element.c_str()).attribute(attribute.c_str()).empty()) << element << " " << attribute;
  const std::vector<std::pair<std::string, std::string>> durations = {
      {"showspecial", "hide_speed"}, {"showspecial", "show_speed"}, {"show_layers_delay", "val"},
      {"highligh_tile_duration", "val"}, {"darken_tiles_duration", "val"}, {"border_alpha_duration", "val"},
      {"remove_chip_bezier_durration", "val"}, {"pts_delay_time", "val"}, {"pts_fade_time", "val"},
      {"fade_time", "val"}, {"delay_time", "val"}, {"scale_dur", "val"}, {"fade_durr", "val"}, {"flash_delay", "val"},
      {"tilestrail", "chip_trail_frequency"}, {"fade_in_out_time", "val"}, {"show_level_time", "val"},
      {"hide_level_time", "val"}, {"start_panel_bezier_time", "val"}, {"increment_money_and_xp", "incr_delay"},
      {"lvlbtn_unblock", "incr_time"}, {"lvlbtn_unblock", "fade_time"}, {"flash_pack_lock", "incr_time"},
      {"flash_pack_lock", "fade_time"}, {"flash_pack_btn", "incr_time"}, {"flash_pack_btn", "fade_time"},
      {"browse_screens_speed", "trophy"}, {"browse_screens_speed", "levels"}, {"flashrank", "duration"},
      {"stars_blob", "duration"}};
  for (const auto& [element, attribute] : durations)
    EXPECT_GT(fx.child(element.c_str()).attribute(attribute.c_str()).as_float(), kFrame) << element << " " << attribute;
  // The drop-in after a click lasts show_level_time x (1 - speed-up): it must stay a real duration.
  const float speedUp = fx.child("show_level_speed_up").attribute("val").as_float();
  EXPECT_GT(fx.child("show_level_time").attribute("val").as_float() * (1.0f - speedUp), kFrame);
  EXPECT_GE(fx.child("cicles_count").attribute("val").as_int(), 1);
  EXPECT_GE(fx.child("flash_count").attribute("val").as_int(), 1);
  const int alpha = fx.child("alpha_additive").attribute("transparency").as_int();
  EXPECT_GT(alpha, 0);
  EXPECT_LE(alpha, 255);
}

TEST(DataConfig, TilesXmlMatchesItsAtlases) {
  const pugi::xml_node tiles = document("tiles.xml").child("tiles");
  const int sizeX = tiles.attribute("sizeX").as_int();
  const int sizeY = tiles.attribute("sizeY").as_int();
  EXPECT_GT(sizeX, 0);
  EXPECT_EQ(sizeX % 2, 0);
  EXPECT_EQ(sizeY % 2, 0);
  EXPECT_GT(document("tiles.xml").child("layout").attribute("rows").as_int(), 0);
  EXPECT_GT(document("tiles.xml").child("layout").attribute("columns").as_int(), 0);
  std::set<std::string> names;
  for (pugi::xml_node set : tiles.children("set")) {
    names.insert(set.attribute("name").value());
    qor_test::QS_PICTURE_INFO info;
    std::string why;
    ASSERT_TRUE(qor_test::fDecodePicture(fResourceBytes(set.attribute("pic").value()), info, why)) << why;
    // The back, bonus, special and shadow cells are drawn at (2 x layer offset + size).
    EXPECT_EQ(info.width, 9 * (2 * tiles.attribute("layer_offsetX").as_int() + sizeX)) << set.attribute("pic").value();
    EXPECT_EQ(info.height, 6 * (2 * tiles.attribute("layer_offsetY").as_int() + sizeY)) << set.attribute("pic").value();
  }
  EXPECT_EQ(names, (std::set<std::string>{"1", "2", "3"}));
}

TEST(DataConfig, BalanceScoresEveryPack) {
  QOR::QS_BALANCE balance;
  std::string why;
  EXPECT_TRUE(QOR::fReadBalance(fResourceBytes("balance.xml"), balance, why)) << why;
  EXPECT_GT(document("balance.xml").child("multiplier").attribute("multi_bonus").as_int(), 0);
}

TEST(DataStrings, SheetKeepsTextsAndRefusesRepeatedKeys) {
  std::string sheet;
  std::string why;
  ASSERT_TRUE(QOR::fMakeStringsSheet(
      "<texts><text key=\"a\">One &amp; two\nlines</text><text key=\"Grand Master\">Gro\xc3\x9fmeister</text></texts>",
      sheet, why))
      << why;
  qor_test::QS_STRINGS_TABLE table;
  ASSERT_TRUE(qor_test::fReadStringsTable(sheet, table));
  EXPECT_EQ(table.value("a"), "One & two\nlines");
  EXPECT_EQ(table.value("Grand Master"), "Gro\xc3\x9fmeister");
  EXPECT_FALSE(QOR::fMakeStringsSheet("<texts><text key=\"a\"/><text key=\"a\"/></texts>", sheet, why));
  EXPECT_FALSE(QOR::fMakeStringsSheet("<texts><text key=\"a\">", sheet, why));
}

TEST(DataStrings, EveryKeyTheGameLooksUpIsThere) {
  for (const std::string& key : qor_test::fGameTextKeys()) EXPECT_TRUE(strings().has(key)) << key;
  EXPECT_EQ(strings().value(QOR::kRegularFontFnt), "not found");
  EXPECT_EQ(strings().value("regular_font_fnt"), QOR::kRegularFontFnt);
  EXPECT_EQ(strings().value("bold_font_stroke_png"), QOR::kBoldFontStrokePng);
  EXPECT_EQ(strings().value("big_font_png"), QOR::kBigFontPng);
  // "Exit" gives the bold font its narrow spacing.
  EXPECT_EQ(strings().value("quit"), "Exit");
}

TEST(DataStrings, PercentSignsOnlyWhereTheGamePassesArguments) {
  for (const auto& [key, text] : strings().rows) {
    const auto formatted = qor_test::fFormattedKeys().find(key);
    std::string conversions;
    for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 2))
      conversions += text.substr(at, 2);
    const std::string expected = formatted == qor_test::fFormattedKeys().end() ? "" : formatted->second;
    EXPECT_EQ(conversions, expected) << key;
  }
}

TEST(DataStrings, CreditsRunFromTheFirstEntryWithoutGaps) {
  int entries = 0;
  for (int n = 1;; ++n) {
    const std::string base = "credits_" + std::to_string(n);
    if (!strings().has(base) && !strings().has(base + "_b") && !strings().has(base + "_company")) break;
    ++entries;
  }
  EXPECT_GE(entries, 3);
  int keys = 0;
  for (const auto& row : strings().rows)
    if (row.first.rfind("credits_", 0) == 0) ++keys;
  EXPECT_EQ(keys, entries) << "a credits line lies after a gap and is never shown";
}

TEST(DataTrophies, TwentySixTrophiesWithTitlesAndDescriptions) {
  std::set<int> ids;
  for (pugi::xml_node trophy = document("trophies.xml").first_child(); trophy; trophy = trophy.next_sibling()) {
    if (trophy.type() != pugi::node_element) continue;
    EXPECT_STREQ(trophy.name(), "trophy");
    const int id = trophy.attribute("id").as_int();
    EXPECT_EQ(std::to_string(id), trophy.attribute("id").value());
    ids.insert(id);
    EXPECT_TRUE(strings().has(trophy.attribute("title").value())) << id;
    EXPECT_TRUE(strings().has("tr" + std::to_string(id))) << id;
  }
  EXPECT_EQ(ids.size(), 26u);
  EXPECT_EQ(*ids.begin(), 1);
  EXPECT_EQ(*ids.rbegin(), 26);
}

TEST(DataPlayer, DefaultPlayerHoldsSixPacksAndSixRisingRanksBeforeAnyPlayer) {
  pugi::xml_document& player = document("default_player.xml");
  ASSERT_TRUE(player.child("lastplayer"));
  EXPECT_FALSE(player.child("player")) << "a first run must ask for a name";
  std::set<std::string> titles;
  int previous = -1;
  int count = 0;
  for (pugi::xml_node rank : player.child("ranks").children("rank")) {
    EXPECT_GT(rank.attribute("xp").as_int(), previous);
    previous = rank.attribute("xp").as_int();
    titles.insert(rank.attribute("title").value());
    EXPECT_TRUE(strings().has(rank.attribute("title").value()));
    ++count;
  }
  EXPECT_EQ(count, 6);
  int packs = 0;
  for (int id = 1; id <= 6; ++id) {
    const pugi::xml_node pack = player.child("packs").find_child_by_attribute("id", std::to_string(id).c_str());
    ASSERT_TRUE(pack) << id;
    EXPECT_TRUE(strings().has(pack.attribute("name").value())) << id;
    EXPECT_EQ(titles.count(pack.attribute("rank").value()), 1u) << id;
    ++packs;
  }
  EXPECT_EQ(packs, 6);
}

// A pack needs the XP of its rank, which must be within what the packs before it can earn (one
// star per level plus one per extra task); the top rank must lie within a whole career.
TEST(DataPlayer, RanksAreReachableThroughTheCareer) {
  pugi::xml_document& player = document("default_player.xml");
  std::map<std::string, int> rankXp;
  for (pugi::xml_node rank : player.child("ranks").children("rank"))
    rankXp[rank.attribute("title").value()] = rank.attribute("xp").as_int();
  int earnable = 0;
  int previousNeed = -1;
  for (int pack = 1; pack <= 6; ++pack) {
    const pugi::xml_node node = player.child("packs").find_child_by_attribute("id", std::to_string(pack).c_str());
    const int need = rankXp[node.attribute("rank").value()];
    EXPECT_LE(need, earnable) << "pack " << pack << " needs more XP than the career can earn before it";
    EXPECT_GT(need, previousNeed) << "packs must ask for rising ranks";
    previousNeed = need;
    for (int level = 1; level <= 20; ++level) {
      QOR::QS_LEVEL read;
      std::string why;
      ASSERT_TRUE(QOR::fReadLevel(fResourceBytes(QOR::fLevelFileName(pack, level)), read, why)) << why;
      earnable += 1;
      for (const QOR::QS_LEVEL_TASK& task : read.tasks)
        if (task.type != QOR::TASK_NONE && task.value != 0) earnable += 1;
    }
  }
  int top = 0;
  for (const auto& [title, xp] : rankXp) top = std::max(top, xp);
  EXPECT_LE(top, earnable);
}

TEST(DataStore, StoreSettingsHasEveryLeafTheStoreReads) {
  pugi::xml_document& store = document("store_settings.xml", true);
  const auto checkLeaf = [&](pugi::xml_node leaf, const std::string& where) {
    ASSERT_TRUE(leaf) << where;
    EXPECT_TRUE(strings().has(leaf.attribute("title").value())) << where;
    EXPECT_GT(leaf.attribute("price").as_float(), 0.0f) << where;
  };
  for (int id = 1; id <= 4; ++id)
    for (int level = 1; level <= 4; ++level) {
      const std::string i = std::to_string(id);
      const std::string l = std::to_string(level);
      checkLeaf(store.child("bonuses").find_child_by_attribute("bonus", "id", i.c_str()).find_child_by_attribute(
                    "improve", "lvl", l.c_str()),
                "bonus " + i + " level " + l);
      checkLeaf(store.child("abilities").find_child_by_attribute("ability", "id", i.c_str()).find_child_by_attribute(
                    "improve", "lvl", l.c_str()),
                "ability " + i + " level " + l);
    }
  for (int slot = 2; slot <= 4; ++slot) {
    const std::string s = std::to_string(slot);
    checkLeaf(store.child("slots4bonus").find_child_by_attribute("slot", "id", s.c_str()), "bonus slot " + s);
    checkLeaf(store.child("slots4ability").find_child_by_attribute("slot", "id", s.c_str()), "ability slot " + s);
  }
}

}  // namespace
