// The game constants: the value syntax of consts.xml and fx_params.xml, the record built from the
// real "XML/config" pack, and the cheat file rule.
#include "game/board/mahjong_consts.h"
#include "tests/game/kit/game_services.h"
#include "tests/kit/scratch_folder.h"

#include <pugixml.hpp>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

std::uint32_t argb(const QOR::QC_COLOR32& colour) { return colour.fGetARGB(); }

pugi::xml_document parse(const char* text) {
  pugi::xml_document document;
  EXPECT_TRUE(document.load_string(text));
  return document;
}

TEST(ConstsSyntax, FlagsNumbersColoursAndTextsReadAsTheFileFormatSays) {
  const pugi::xml_document consts = parse(R"(<mahjong_consts
      window_header="Caption &amp; more" blend_multiply="1" MUSIC="true" SOUND="True"
      lang=" +42" FPS_LIMIT="60fps" UPS_LIMIT="0x1E"
      ability_tip_lvl1="1,5" ability_tip_lvl2="-2.5e1"
      ability_tip_lvl3="inf" ability_tip_lvl4="nan" multiplier_sound_delay="1e999"
      pack_level_highlight="abc" tutorial_flickering=" .45"
      money_color="ffffd700" golden_color="0x80F0C850" />)");
  MAHJONG_CONSTS c;
  c.ReadConsts(consts);
  EXPECT_EQ(c.window_header, "Caption & more");
  // Only the exact text "true" is true.
  EXPECT_FALSE(c.blend_multiply);
  EXPECT_TRUE(c.MUSIC);
  EXPECT_FALSE(c.SOUND);
  // Decimal up to the first other character; hexadecimal is not read as such.
  EXPECT_EQ(c.lang, 42);
  EXPECT_EQ(c.FPS_LIMIT, 60);
  EXPECT_EQ(c.UPS_LIMIT, 0);
  // A comma is no decimal point; what is not a finite number reads as 0.
  EXPECT_FLOAT_EQ(c.ability_tip_lvl1, 1.0f);
  EXPECT_FLOAT_EQ(c.ability_tip_lvl2, -25.0f);
  for (float zero : {c.ability_tip_lvl3, c.ability_tip_lvl4, c.multiplier_sound_delay, c.pack_level_highlight}) {
    EXPECT_EQ(zero, 0.0f);
  }
  EXPECT_FLOAT_EQ(c.tutorial_flickering, 0.45f);
  EXPECT_EQ(c.money_color.a, 255);
  EXPECT_EQ(c.money_color.r, 255);
  EXPECT_EQ(c.money_color.g, 215);
  EXPECT_EQ(c.money_color.b, 0);
  EXPECT_EQ(argb(c.golden_color), 0x80F0C850u);

  // Colours beyond 32 bits are clamped, never wrapped into another colour; ints beyond int too.
  c.ReadConsts(parse(R"(<mahjong_consts money_color="1FFFFFFFF" golden_color="0x123456789ABCDEF0"
                         lang="99999999999" FPS_LIMIT="-99999999999999999999999" UPS_LIMIT="-7"/>)"));
  EXPECT_EQ(argb(c.money_color), 0xFFFFFFFFu);
  EXPECT_EQ(argb(c.golden_color), 0xFFFFFFFFu);
  EXPECT_EQ(c.lang, INT_MAX);
  EXPECT_EQ(c.FPS_LIMIT, INT_MIN);
  EXPECT_EQ(c.UPS_LIMIT, -7);

  c.ReadFxParams(parse(R"(<effects><other val="9"/><remove_chip_bezier_durration val="0.6" val_x="3"/>
      <tilestrail chip_trail_frequency="0.03" chip_trail_length="8"/></effects>)").document_element());
  EXPECT_FLOAT_EQ(c.remove_chip_bezier_durration, 0.6f);
  EXPECT_FLOAT_EQ(c.chip_trail_frequency, 0.03f);
  EXPECT_FLOAT_EQ(c.chip_trail_length, 8.0f);
}

TEST(ConstsSyntax, MissingFilesRootsAndAttributesLeaveWhatTheRecordHolds) {
  MAHJONG_CONSTS c;
  EXPECT_EQ(c.panel_slide_distance, -300);
  EXPECT_FALSE(c.SOUND || c.cheats);
  c.lang = 7;
  c.golden_color = 0x11223344u;
  c.chip_trail_length = 3.0f;
  // No document, the other file's root, a root of another name, no attributes: nothing changes.
  for (const char* text : {"", "<effects/>", "<consts lang='1'/>", "<mahjong_consts/>"}) {
    pugi::xml_document document;
    document.load_string(text);
    c.ReadConsts(document);
    c.ReadFxParams(document);
  }
  c.ReadConsts(pugi::xml_node());
  c.ReadFxParams(pugi::xml_node());
  c.ReadConsts(parse(R"(<mahjong_consts SOUND="true"/>)"));
  c.ReadFxParams(parse(R"(<effects><tilestrail chip_trail_frequency="0.5"/></effects>)"));
  EXPECT_EQ(c.lang, 7);
  EXPECT_EQ(argb(c.golden_color), 0x11223344u);
  EXPECT_TRUE(c.SOUND);
  EXPECT_FLOAT_EQ(c.chip_trail_frequency, 0.5f);
  EXPECT_FLOAT_EQ(c.chip_trail_length, 3.0f);
  EXPECT_EQ(c.remove_chip_bezier_durration, 0.0f);
}

using GameConsts = qor_test::GameServices;

// The one record comes from the built pack and holds what the hand-written sources say, read here
// with the C library's own conversions.
TEST_F(GameConsts, TheRecordIsBuiltOnceFromTheConfigPackWithTheSourcesValues) {
  const MAHJONG_CONSTS* c = MAHJONG_CONSTS::GetInstance();
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(MAHJONG_CONSTS::GetInstance(), c);
  EXPECT_EQ(c->panel_slide_distance, -300);
  EXPECT_FALSE(c->cheats);

  pugi::xml_document consts, fx;
  ASSERT_TRUE(consts.load_file((qor_test::fGameDataSourceDir() / "consts.xml").c_str()));
  ASSERT_TRUE(fx.load_file((qor_test::fGameDataSourceDir() / "fx_params.xml").c_str()));
  const pugi::xml_node k = consts.child("mahjong_consts");
  const auto value = [&](const char* key) { return k.attribute(key).value(); };
  for (const auto& [key, field] : std::initializer_list<std::pair<const char*, const std::string*>>{
           {"window_header", &c->window_header},
           {"save_folder_studio", &c->save_folder_studio},
           {"save_folder_game", &c->save_folder_game}}) {
    EXPECT_EQ(*field, value(key)) << key;
  }
  for (const auto& [key, field] : std::initializer_list<std::pair<const char*, const bool*>>{
           {"blend_multiply", &c->blend_multiply}, {"MUSIC", &c->MUSIC}, {"SOUND", &c->SOUND}}) {
    EXPECT_EQ(*field, std::strcmp(value(key), "true") == 0) << key;
  }
  for (const auto& [key, field] : std::initializer_list<std::pair<const char*, const int*>>{
           {"lang", &c->lang}, {"FPS_LIMIT", &c->FPS_LIMIT}, {"UPS_LIMIT", &c->UPS_LIMIT}}) {
    EXPECT_EQ(*field, std::atoi(value(key))) << key;
  }
  for (const auto& [key, field] : std::initializer_list<std::pair<const char*, const QOR::QC_COLOR32*>>{
           {"money_color", &c->money_color}, {"golden_color", &c->golden_color}}) {
    EXPECT_EQ(argb(*field), std::strtoul(value(key), nullptr, 16)) << key;
  }
  for (const auto& [key, field] : std::initializer_list<std::pair<const char*, const float*>>{
           {"trophies_store_header_text_space", &c->trophies_store_header_text_space},
           {"ability_tip_lvl1", &c->ability_tip_lvl1}, {"ability_tip_lvl2", &c->ability_tip_lvl2},
           {"ability_tip_lvl3", &c->ability_tip_lvl3}, {"ability_tip_lvl4", &c->ability_tip_lvl4},
           {"multiplier_sound_delay", &c->multiplier_sound_delay}, {"pack_level_highlight", &c->pack_level_highlight},
           {"tutorial_flickering", &c->tutorial_flickering}, {"storebtn_flickering", &c->storebtn_flickering},
           {"comics_fadein_speed", &c->comics_fadein_speed}, {"pause_fade_in_out", &c->pause_fade_in_out},
           {"ability_show_tip_flickering", &c->ability_show_tip_flickering}}) {
    EXPECT_EQ(*field, std::strtof(value(key), nullptr)) << key;
  }
  const pugi::xml_node effects = fx.child("effects");
  const auto effect = [&](const char* element, const char* key) {
    return std::strtof(effects.child(element).attribute(key).value(), nullptr);
  };
  EXPECT_EQ(c->remove_chip_bezier_durration, effect("remove_chip_bezier_durration", "val"));
  EXPECT_EQ(c->chip_trail_frequency, effect("tilestrail", "chip_trail_frequency"));
  EXPECT_EQ(c->chip_trail_length, effect("tilestrail", "chip_trail_length"));
  // The sources set what the game needs (a caption, sound and music on, a trail).
  EXPECT_FALSE(c->window_header.empty());
  EXPECT_TRUE(c->SOUND && c->MUSIC);
  EXPECT_GT(c->chip_trail_length, 0.0f);
}

class CheatFile : public qor_test::GameServices {
 protected:
  bool startServices() const override { return false; }
};

// The working folder is where the file system stands (its Resources folder once it is made).
TEST_F(CheatFile, OnlyAFileNamedCheatingTxtInTheWorkingFolderSwitchesCheatsOn) {
  qor_test::ScratchFolder scratch;
  ASSERT_TRUE(scratch.fCreate("qor_cheats_"));
  const std::filesystem::path working = QOR::qcFILE_SYSTEM->fGetCurrentDirectory();
  ASSERT_TRUE(std::filesystem::equivalent(scratch.fResources(), working));
  EXPECT_FALSE(MAHJONG_CONSTS::HasCheatFile());

  std::filesystem::create_directory(working / "cheating.txt");
  EXPECT_FALSE(MAHJONG_CONSTS::HasCheatFile());
  std::filesystem::remove(working / "cheating.txt");

  // Beside the working folder it does not count either.
  std::ofstream(std::filesystem::path(scratch.fBase()) / "cheating.txt") << "on";
  EXPECT_FALSE(MAHJONG_CONSTS::HasCheatFile());

  // Any content, none included.
  std::ofstream(working / "cheating.txt").flush();
  EXPECT_TRUE(MAHJONG_CONSTS::HasCheatFile());
  std::ofstream(working / "cheating.txt") << "false";
  EXPECT_TRUE(MAHJONG_CONSTS::HasCheatFile());
}

}  // namespace
