// The player profile and player.xml: a full round trip, saves that keep the rest of the file, a
// save killed before its rename, damaged files, and the file's reading rules.
#include "engine/files/replace_file.h"
#include "game/board/mahjong_player.h"
#include "tests/game/kit/game_services.h"
#include "tests/kit/file_bytes.h"
#include "tests/kit/log_capture.h"

#include <pugixml.hpp>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) { return qor_test::fReadBytes(path.string()); }
void writeBytes(const fs::path& path, const std::string& bytes) { qor_test::fWriteBytes(path.string(), bytes); }

// A node as text, to compare elements that must come through a save untouched.
std::string nodeText(const pugi::xml_node& node) {
  std::ostringstream text;
  node.print(text, "\t");
  return text.str();
}

std::vector<std::string> attributeNames(const pugi::xml_node& node) {
  std::vector<std::string> names;
  for (const pugi::xml_attribute& attribute : node.attributes()) names.emplace_back(attribute.name());
  return names;
}

int countPlayers(const pugi::xml_document& document, const char* name) {
  int count = 0;
  for (const pugi::xml_node& player : document.children("player")) {
    if (std::string(player.attribute("name").value()) == name) ++count;
  }
  return count;
}

// The name the file holds for Ünïcødé plus a tile beyond 16 bits (U+1F004).
const std::wstring kWideName = L"\u00dcn\u00efc\u00f8d\u00e9 \U0001F004";
const std::string kUtf8Name =
    "\xc3\x9cn\xc3\xaf"
    "c\xc3\xb8"
    "d\xc3\xa9 \xf0\x9f\x80\x84";

class PlayerProfile : public qor_test::GameServices {
 protected:
  void SetUp() override {
    GameServices::SetUp();
    _file = documents() / "Greyfern" / "Lantern Tiles" / "player.xml";
    fs::create_directories(_file.parent_path());
  }
  // player.xml as the first run makes it.
  void seedDefaultFile() const { fs::copy_file(defaultFile(), _file, fs::copy_options::overwrite_existing); }
  fs::path defaultFile() const { return qor_test::fGameDataSourceDir() / "default_player.xml"; }
  const fs::path& file() const { return _file; }
  std::string path() const { return _file.string(); }

  // Checks that the file's packs and ranks are those of default_player.xml.
  void expectDefaultPacksAndRanks(const pugi::xml_document& document) const {
    pugi::xml_document defaults;
    ASSERT_TRUE(defaults.load_file(defaultFile().c_str()));
    ASSERT_TRUE(document.child("packs"));
    EXPECT_EQ(nodeText(document.child("packs")), nodeText(defaults.child("packs")));
    EXPECT_EQ(nodeText(document.child("ranks")), nodeText(defaults.child("ranks")));
  }

 private:
  fs::path _file;
};

// The save-kill test needs no engine services: the child only reads and writes the file.
class PlayerProfileFile : public PlayerProfile {
 protected:
  bool startServices() const override { return false; }
};

TEST_F(PlayerProfile, EverythingTheFileCarriesComesBackAfterASave) {
  seedDefaultFile();
  MAHJONG_PLAYER saved(path(), L"");
  saved.Reset(kWideName);
  saved.m_totalScore = 12345;
  saved.m_money = 678;
  saved.m_XP = 42.5f;
  saved.m_rank = 3;
  saved.m_totalTilesRemoved = 900;
  saved.m_totalBonusUsed = 17;
  saved.m_abilitySlots = 2;
  saved.m_bonusSlots = 3;
  saved.m_lastPack = 2;
  saved.m_lastLevel = 5;
  saved.m_soundVolume = 0.25f;
  saved.m_musicVolume = 0.8f;
  saved.m_customCursor = false;
  saved.m_fullScreen = false;
  saved.m_seenStartComics = true;
  saved.m_seenEndComics = true;
  saved.m_tutorialShow = false;
  saved.m_showShopMsg = false;
  saved.m_doTilesShadowing = true;
  saved.m_tileset = "3";
  saved.m_sessionsCount = 9;
  saved.m_bonuses[0].recover = 13;
  saved.m_bonuses[0].impr = 2;
  saved.m_bonuses[0].set = 1;
  saved.m_bonuses[3].recover = 2;
  saved.m_bonuses[3].impr = 4;
  saved.m_abilities[1].impr = 3;
  saved.m_abilities[1].set = 1;
  saved.m_bonusSlot[0] = 4;
  saved.m_bonusSlot[1] = 1;
  saved.m_bonusSlot[2] = 3;
  saved.m_abilitySlot[0] = 1;
  saved.m_abilitySlot[2] = 4;
  saved.m_packs[0] = saved.m_packs[2] = saved.m_packs[5] = 1;
  saved.m_trophies = {26, 7, 1, 99};
  saved.m_levels[MAHJONG_PLAYER::LevelIndex(2, 5)] = 3;
  saved.m_levels[MAHJONG_PLAYER::LevelIndex(1, 20)] = 2;
  saved.m_levels[MAHJONG_PLAYER::LevelIndex(1, 1)] = 0;
  saved.m_levels[MAHJONG_PLAYER::LevelIndex(6, 20)] = 1;
  ASSERT_TRUE(saved.SavePlayers(path()));

  // The file as written: the attribute order, numbers and flags as text, tabs, the UTF-8 name.
  const std::string text = readBytes(file());
  EXPECT_NE(text.find("\n\t<bonuses slot1=\"4\" slot2=\"1\" slot3=\"3\">"), std::string::npos) << text;
  pugi::xml_document document;
  ASSERT_TRUE(document.load_string(text.c_str()));
  const pugi::xml_node player = document.child("player");
  EXPECT_EQ(attributeNames(player), (std::vector<std::string>{"name",
                                                              "totalscore",
                                                              "tileset",
                                                              "money",
                                                              "XP",
                                                              "rank",
                                                              "ability_slots",
                                                              "bonus_slots",
                                                              "totaltilesremoved",
                                                              "totalbonusused",
                                                              "custom_cursor",
                                                              "full_screen",
                                                              "sound_volume",
                                                              "music_volume",
                                                              "seen_start_comics",
                                                              "DoTilesShadowing",
                                                              "seen_end_comics",
                                                              "tutorial_show",
                                                              "show_shop_msg",
                                                              "lastlevel",
                                                              "lastpack",
                                                              "sessionscount"}));
  EXPECT_EQ(std::string(player.attribute("name").value()), kUtf8Name);
  EXPECT_EQ(std::string(document.child("lastplayer").attribute("lpname").value()), kUtf8Name);
  EXPECT_STREQ(player.attribute("XP").value(), "42.5");
  EXPECT_STREQ(player.attribute("sound_volume").value(), "0.25");
  EXPECT_STREQ(player.attribute("music_volume").value(), "0.8");
  EXPECT_STREQ(player.attribute("full_screen").value(), "false");
  EXPECT_STREQ(player.attribute("DoTilesShadowing").value(), "true");
  std::vector<std::string> children;
  for (const pugi::xml_node& child : player.children()) children.emplace_back(child.name());
  EXPECT_EQ(children, (std::vector<std::string>{"bonuses", "abilities", "trophies", "packs", "levels"}));
  EXPECT_EQ(attributeNames(player.child("levels")), (std::vector<std::string>{"lvl11", "lvl120", "lvl25", "lvl620"}));
  EXPECT_STREQ(player.child("levels").attribute("lvl25").value(), "3");
  EXPECT_EQ(attributeNames(player.child("packs")), (std::vector<std::string>{"id1", "id3", "id6"}));
  EXPECT_EQ(attributeNames(player.child("trophies")), (std::vector<std::string>{"id26", "id7", "id1", "id99"}));
  EXPECT_EQ(attributeNames(player.child("bonuses").child("bonus")),
            (std::vector<std::string>{"name", "id", "recover", "impr", "set"}));
  expectDefaultPacksAndRanks(document);

  // Read back as the last player: equal but for what loading defines (first slots, trophy order,
  // full charges).
  MAHJONG_PLAYER loaded(path(), L"");
  MAHJONG_PLAYER expected = saved;
  expected.m_bonusSlot[0] = 2;
  expected.m_abilitySlot[0] = 3;
  expected.m_trophies = {1, 7, 26, 99};
  for (PLAYER_BONUS& bonus : expected.m_bonuses) bonus.charge = bonus.recover;
  EXPECT_EQ(loaded.m_name, kWideName);
  EXPECT_EQ(loaded.m_levels[MAHJONG_PLAYER::LevelIndex(2, 5)], 3);
  EXPECT_EQ(loaded.m_levels[MAHJONG_PLAYER::LevelIndex(2, 6)], -1);
  EXPECT_TRUE(loaded == expected);
}

TEST_F(PlayerProfile, SavesReplaceOnlyTheirOwnPlayerAndKeepTheRestOfTheFile) {
  seedDefaultFile();
  for (const wchar_t* name : {L"Anna", L"Boris"}) {
    MAHJONG_PLAYER player(path(), name);
    player.Reset(name);
    player.m_money = name[0];
    ASSERT_TRUE(player.SavePlayers(path()));
  }
  // A file edited by hand may hold a player twice; the save leaves one.
  pugi::xml_document before;
  ASSERT_TRUE(before.load_file(file().c_str()));
  before.append_copy(before.child("player")).attribute("name").set_value("Carl");
  before.append_copy(before.child("player")).attribute("name").set_value("Carl");
  ASSERT_TRUE(before.save_file(file().c_str(), "\t"));
  const std::string anna = nodeText(before.child("player"));
  const std::string boris = nodeText(before.child("player").next_sibling("player"));

  MAHJONG_PLAYER carl(path(), L"Carl");
  carl.m_money = 1;
  ASSERT_TRUE(carl.SavePlayers(path()));
  carl.m_money = 2;
  ASSERT_TRUE(carl.SavePlayers());  // the profile's own file

  pugi::xml_document after;
  ASSERT_TRUE(after.load_file(file().c_str()));
  EXPECT_EQ(countPlayers(after, "Carl"), 1);
  EXPECT_EQ(countPlayers(after, "Anna"), 1);
  EXPECT_EQ(countPlayers(after, "Boris"), 1);
  EXPECT_STREQ(after.last_child().attribute("name").value(), "Carl");
  EXPECT_STREQ(after.last_child().attribute("money").value(), "2");
  EXPECT_EQ(nodeText(after.child("player")), anna);
  EXPECT_EQ(nodeText(after.child("player").next_sibling("player")), boris);
  EXPECT_STREQ(after.child("lastplayer").attribute("lpname").value(), "Carl");
  expectDefaultPacksAndRanks(after);
  EXPECT_EQ(MAHJONG_PLAYER(path(), L"Anna").m_money, 'A');
}

void killHere(const std::string& /*temporaryPath*/) { raise(SIGKILL); }

TEST_F(PlayerProfileFile, ASaveKilledBetweenWriteAndRenameLosesNothing) {
  seedDefaultFile();
  MAHJONG_PLAYER anna(path(), L"Anna");
  anna.Reset(L"Anna");
  anna.m_totalScore = 100;
  ASSERT_TRUE(anna.SavePlayers(path()));
  const std::string before = readBytes(file());

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    QOR::fSetReplaceFilePause(&killHere);
    MAHJONG_PLAYER changed(path(), L"Anna");
    changed.m_totalScore = 999;
    changed.SavePlayers(path());
    _exit(0);  // not reached: the pause kills the child
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "status " << status;

  EXPECT_EQ(readBytes(file()), before);
  EXPECT_EQ(MAHJONG_PLAYER(path(), L"Anna").m_totalScore, 100);
  // The kill came after the whole new file was written: it lies beside the old one, complete.
  int leftovers = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(file().parent_path())) {
    if (entry.path() == file()) continue;
    ++leftovers;
    pugi::xml_document temporary;
    EXPECT_TRUE(temporary.load_file(entry.path().c_str()));
    EXPECT_EQ(MAHJONG_PLAYER(entry.path().string(), L"Anna").m_totalScore, 999);
  }
  EXPECT_EQ(leftovers, 1);
}

TEST_F(PlayerProfile, DamagedOrMissingFilesResetTheProfileAndSavesRebuildTheFile) {
  seedDefaultFile();
  MAHJONG_PLAYER boris(path(), L"Boris");
  boris.Reset(L"Boris");
  boris.m_money = 77;
  ASSERT_TRUE(boris.SavePlayers(path()));
  MAHJONG_PLAYER anna(path(), L"Anna");
  anna.Reset(L"Anna");
  anna.m_money = 55;
  ASSERT_TRUE(anna.SavePlayers(path()));
  const std::string whole = readBytes(file());
  const std::string truncated = whole.substr(0, whole.find("<player name=\"Anna\"") + 30);

  MAHJONG_PLAYER fresh(path(), L"Anna");
  fresh.Reset(L"Anna");
  struct CASE {
    const char* what;
    std::string bytes;
    bool keepsBoris;
  };
  for (const CASE& damaged : {CASE{"truncated", truncated, true}, CASE{"garbage", "\x01\xff<<player name=", false},
                              CASE{"empty", "", false}, CASE{"missing", "", false}}) {
    SCOPED_TRACE(damaged.what);
    if (std::string(damaged.what) == "missing") {
      fs::remove(file());
    } else {
      writeBytes(file(), damaged.bytes);
    }
    qor_test::LogCapture log;
    MAHJONG_PLAYER loaded(path(), L"Anna");
    EXPECT_TRUE(log.hasLine(" PLAYER XML DOC IS EMPTY "));
    fresh.m_filePath = path();
    EXPECT_TRUE(loaded == fresh);

    loaded.m_money = 5;
    ASSERT_TRUE(loaded.SavePlayers(path()));
    pugi::xml_document rebuilt;
    ASSERT_TRUE(rebuilt.load_file(file().c_str()));
    EXPECT_STREQ(rebuilt.child("lastplayer").attribute("lpname").value(), "Anna");
    expectDefaultPacksAndRanks(rebuilt);
    EXPECT_EQ(countPlayers(rebuilt, "Anna"), 1);
    EXPECT_EQ(MAHJONG_PLAYER(path(), L"").m_money, 5);
    // Profiles the damaged file still held whole are kept.
    EXPECT_EQ(countPlayers(rebuilt, "Boris"), damaged.keepsBoris ? 1 : 0);
    if (damaged.keepsBoris) {
      EXPECT_EQ(MAHJONG_PLAYER(path(), L"Boris").m_money, 77);
    }
  }

  // A file that is there but cannot be read is never written over.
  fs::remove(file());
  fs::create_directory(file());
  qor_test::LogCapture log;
  EXPECT_FALSE(anna.SavePlayers(path()));
  EXPECT_TRUE(log.contains("player.xml not saved"));
  EXPECT_TRUE(fs::is_directory(file()));
}

TEST_F(PlayerProfile, NumbersFlagsAndListsFollowTheFileRules) {
  writeBytes(file(), R"(<lastplayer lpname="Nobody"/>
<player name="First" totalscore="1"/>
<player name="Eve" totalscore="12.9" money="-3.7" XP="inf" sound_volume="nan" music_volume="1e60"
        rank="7" lastpack="1e3" full_screen="yes" custom_cursor="yes" tutorial_show="True"
        show_shop_msg="true">
  <bonuses slot1="4" slot2="3"><bonus id="3" recover="4" impr="1" set="1"/><!-- note --><x id="9" recover="7"/></bonuses>
  <abilities slot1="0" slot3="2"/>
  <trophies id0="" id5="" id100=""/>
  <levels lvl11="2" lvl121="3" lvl71="1" lvl25=""/>
</player>
<player name="Max" totalscore="1e300" money="-1e300"/>)");
  MAHJONG_PLAYER eve(path(), L"Eve");
  EXPECT_EQ(eve.m_totalScore, 12);
  EXPECT_EQ(eve.m_money, -3);
  EXPECT_EQ(eve.m_XP, 0.0f);
  EXPECT_EQ(eve.m_soundVolume, 0.0f);
  EXPECT_EQ(eve.m_musicVolume, 0.0f);
  EXPECT_EQ(eve.m_rank, 7);
  EXPECT_EQ(eve.m_lastPack, 1);
  EXPECT_EQ(eve.m_lastLevel, 0);
  EXPECT_TRUE(eve.m_fullScreen);
  EXPECT_FALSE(eve.m_customCursor);
  EXPECT_FALSE(eve.m_tutorialShow);
  EXPECT_TRUE(eve.m_showShopMsg);
  EXPECT_EQ(eve.m_tileset, "2");
  EXPECT_EQ(eve.m_bonusSlot[0], 2);
  EXPECT_EQ(eve.m_bonusSlot[1], 3);
  EXPECT_EQ(eve.m_abilitySlot[0], 3);
  EXPECT_EQ(eve.m_abilitySlot[2], 2);
  ASSERT_EQ(eve.m_bonuses.size(), 2u);
  EXPECT_EQ(eve.m_bonuses[0], [] {
    PLAYER_BONUS b(3, 1);
    b.recover = b.charge = 4;
    b.set = 1;
    return b;
  }());
  EXPECT_EQ(eve.m_bonuses[1].charge, 7);
  EXPECT_TRUE(eve.m_abilities.empty());
  EXPECT_EQ(eve.m_trophies, std::vector<int>{5});
  EXPECT_EQ(eve.m_levels[MAHJONG_PLAYER::LevelIndex(1, 1)], 2);
  EXPECT_EQ(eve.m_levels[MAHJONG_PLAYER::LevelIndex(2, 5)], 0);
  EXPECT_EQ(eve.m_levels[MAHJONG_PLAYER::LevelIndex(1, 2)], -1);
  EXPECT_EQ(std::count(std::begin(eve.m_levels), std::end(eve.m_levels), -1), MAHJONG_PLAYER::kLevels - 2);
  EXPECT_EQ(std::count(std::begin(eve.m_packs), std::end(eve.m_packs), 0), MAHJONG_PLAYER::kPacks);
  MAHJONG_PLAYER max(path(), L"Max");
  EXPECT_EQ(max.m_totalScore, INT_MAX);
  EXPECT_EQ(max.m_money, INT_MIN);

  // An unknown name falls back to the first player; a file without players gives a nameless reset.
  {
    qor_test::LogCapture log;
    EXPECT_EQ(MAHJONG_PLAYER(path(), L"").m_name, L"First");
    EXPECT_TRUE(log.hasLine("player Nobody not found"));
  }
  writeBytes(file(), "<lastplayer lpname=\"Eve\"/><packs/>");
  MAHJONG_PLAYER nobody(path(), L"Eve");
  EXPECT_EQ(nobody.m_name, L"");
  EXPECT_EQ(nobody.m_bonuses.size(), 4u);
  EXPECT_EQ(nobody.m_filePath, path());

  // Without bonuses or abilities each element holds only its name and id.
  eve.m_bonuses.clear();
  eve.m_abilities.clear();
  ASSERT_TRUE(eve.SavePlayers(path()));
  pugi::xml_document saved;
  ASSERT_TRUE(saved.load_file(file().c_str()));
  const pugi::xml_node written = saved.find_child_by_attribute("player", "name", "Eve");
  std::vector<std::string> names;
  for (const pugi::xml_node& bonus : written.child("bonuses").children()) {
    EXPECT_EQ(attributeNames(bonus), (std::vector<std::string>{"name", "id"}));
    names.emplace_back(bonus.attribute("name").value());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"allclickable", "tosschips", "deleteany", "showspec"}));
  for (const pugi::xml_node& ability : written.child("abilities").children()) {
    EXPECT_EQ(attributeNames(ability), (std::vector<std::string>{"name", "id"}));
  }

  // Recover by id and improvement level, one log line per bonus.
  MAHJONG_PLAYER table(path(), L"Eve");
  table.m_bonuses.clear();
  for (int id = 1; id <= 4; ++id) {
    for (int impr : {4, 3, 2, 1, 0, 7}) table.m_bonuses.emplace_back(id, impr);
  }
  qor_test::LogCapture log;
  table.UpdateBonusRecover();
  std::vector<int> recovers;
  for (const PLAYER_BONUS& bonus : table.m_bonuses) recovers.push_back(bonus.recover);
  EXPECT_EQ(recovers,
            (std::vector<int>{10, 12, 13, 15, 15, 15, 4, 6, 8, 10, 10, 10, 1, 2, 3, 4, 4, 4, 2, 4, 6, 8, 8, 8}));
  EXPECT_TRUE(log.hasLine("bonus id==3 rec = 2"));
  table.m_bonuses[0].set = 1;
  table.FillBonuses();
  table.ChargeBonuses(3);
  EXPECT_EQ(table.m_bonuses[0].charge, 10);  // filled, then already at its recover
  EXPECT_EQ(table.m_bonuses[1].charge, 3);
}

}  // namespace
