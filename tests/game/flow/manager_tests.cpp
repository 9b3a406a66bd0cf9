// The game manager over the real Resources, a scratch documents folder and the recording device:
// the hooks' loading road on a first run, the repair of a damaged player.xml, the count-up that a
// save or a level completes, and the levels screen's set-up.
#include "engine/platform/qc_window.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_music.h"
#include "game/board/mahjong_player.h"
#include "game/board/mahjong_sounds.h"
#include "game/flow/game_globals.h"
#include "game/flow/game_hooks.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/mahjong_loading_screen.h"
#include "gui/widgets/qc_image_button.h"
#include "host/test_doors.h"
#include "tests/game/kit/game_services.h"
#include "tests/kit/log_capture.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string canonical(const pugi::xml_document& document) {
  std::ostringstream out;
  document.save(out, "\t", pugi::format_indent);
  return out.str();
}

// Where each wanted line first appears after the previous one; -1 when it does not.
std::vector<int> linesInOrder(const std::vector<std::string>& log, const std::vector<std::string>& wanted) {
  std::vector<int> at;
  std::size_t from = 0;
  for (const std::string& line : wanted) {
    int found = -1;
    for (std::size_t i = from; i < log.size(); ++i) {
      if (log[i].rfind(line, 0) == 0) {
        found = static_cast<int>(i);
        from = i + 1;
        break;
      }
    }
    at.push_back(found);
  }
  return at;
}

class ManagerTest : public qor_test::GameServices {
 protected:
  void TearDown() override {
    delete gameLoadingScreen;
    delete gameManager;
    delete gameSounds;
    delete gameMusic;
    gameLoadingScreen = nullptr;
    gameManager = nullptr;
    gameSounds = nullptr;
    gameMusic = nullptr;
    gameLoaded = 0;
    loadProgress = 0;
    gameActive = 1;
    GameServices::TearDown();
  }

  fs::path playerFile() const { return documents() / "Greyfern" / "Lantern Tiles" / "player.xml"; }

  // A manager loaded to the title, as the hooks leave it.
  MAHJONG_GAME_MANAGER* loadedManager() {
    gameSounds = new MAHJONG_SOUNDS(false);
    gameManager = new MAHJONG_GAME_MANAGER();
    int progress = 0;
    while (progress < 100) gameManager->LoadStep(progress);
    return gameManager;
  }

  static void frame() {
    ASSERT_EQ(QOR::qcRENDER->BeginScene(), 1);
    GameRender(0);
    QOR::qcRENDER->EndScene();
  }
};

// First run through the hooks: the ten stages one per tick in order, the folders and player.xml
// made from default_player.xml, activation ignored while loading, and loading ending only when the
// loading screen's clamped clock reaches 3 s, with the title current and the data files read.
TEST_F(ManagerTest, FirstRunLoadsInStagesToTheTitle) {
  qor_test::LogCapture log;
  ASSERT_EQ(GameInit(0), 1);
  ASSERT_NE(gameManager, nullptr);
  ASSERT_NE(gameLoadingScreen, nullptr);
  EXPECT_FALSE(fs::exists(playerFile().parent_path()));

  std::vector<int> progress;
  for (int tick = 1; tick <= 23; ++tick) {
    QOR::qcFrameTime = 2.0f;  // a long loading tick: the loading screen takes 0.13 s of it
    EXPECT_EQ(GameUpdate(0), 0);
    EXPECT_FLOAT_EQ(QOR::qcFrameTime, MAHJONG_LOADING_SCREEN::kMaxStep);
    if (tick <= 10) progress.push_back(loadProgress);
    frame();
    EXPECT_EQ(GameActivate(0), 0);
    EXPECT_EQ(GameDeactivate(0), 0);
  }
  EXPECT_EQ(progress, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
  EXPECT_EQ(gameLoaded, 0) << "23 ticks are 2.99 s of the loading clock";
  EXPECT_EQ(GameUpdate(0), 0);
  EXPECT_EQ(gameLoaded, 1);
  EXPECT_EQ(gameLoadingScreen, nullptr);
  EXPECT_EQ(GameUpdate(0), 1);
  frame();
  EXPECT_EQ(GameDeactivate(0), 1);
  EXPECT_EQ(GameActivate(0), 1);

  const std::string file = playerFile().string();
  const std::vector<int> order =
      linesInOrder(log.lines(), {"MAHJONG_GAME_MANAGER::CheckPlayer()", "FILESYS CREATED FILE AT PATH " + file,
                                 "PUGII -- SAVED file at path " + file, "Init dark back", "quit.size()= 4",
                                 std::string(76, '='), "123", "456", "Game loaded"});
  for (std::size_t i = 0; i < order.size(); ++i) EXPECT_GE(order[i], 0) << "log line " << i << " missing or late";

  // player.xml is default_player.xml as the data sources hold it; no profile yet.
  pugi::xml_document written;
  ASSERT_TRUE(written.load_file(file.c_str()));
  pugi::xml_document source;
  ASSERT_TRUE(source.load_file((qor_test::fGameDataSourceDir() / "default_player.xml").c_str()));
  EXPECT_EQ(canonical(written), canonical(source));
  EXPECT_FALSE(written.child("player"));
  MAHJONG_GAME_MANAGER& manager = *gameManager;
  ASSERT_NE(manager.player, nullptr);
  EXPECT_TRUE(manager.player->m_name.empty());
  EXPECT_EQ(manager.currentPack, 1);
  EXPECT_EQ(manager.currentScreen, TITLE_SCREEN);
  int done = 100;
  manager.LoadStep(done);
  EXPECT_EQ(done, 100);

  // strings.xml, fonts and fx_params.xml as the data hold them.
  EXPECT_EQ(manager.texts[MAHJONG_GAME_MANAGER::TXT_QUIT], L"Exit");
  EXPECT_EQ(manager.texts[MAHJONG_GAME_MANAGER::TXT_TASK_SPECIAL], manager.GetText("task_special"));
  EXPECT_NE(manager.texts[MAHJONG_GAME_MANAGER::TXT_TASK_SPECIAL], L"not found");
  ASSERT_NE(manager.regularFont, nullptr);
  ASSERT_NE(manager.boldFont, nullptr);
  ASSERT_NE(manager.boldStrokeFont, nullptr);
  EXPECT_EQ(manager.regularFont->_spacing, -8);
  EXPECT_EQ(manager.boldFont->_spacing, -3);
  EXPECT_EQ(manager.boldStrokeFont->_spacing, -3);
  EXPECT_GT(manager.boldFont->fGetGlyphCount(), 0);
  std::vector<int> styles;
  for (const auto& [style, text] : manager.credits) styles.push_back(style);
  EXPECT_EQ(styles, (std::vector<int>{1, 0, 0, 1, 0, 1, 2}));
  EXPECT_EQ(manager.credits.back().second, L"Greyfern");
  EXPECT_EQ(manager.rankTitles.size(), 6u);
  EXPECT_EQ(manager.packNames.at(L"Azure Dragon"), L"Azure Dragon");
  EXPECT_FLOAT_EQ(fadeInOutTime, 0.45f);
  EXPECT_FLOAT_EQ(hideLevelTime, 0.5f);
  EXPECT_EQ(manager.fx.countUpIncrement, 25);
  EXPECT_EQ(manager.fx.countUpColor, 0xFF8C1C16u);
  EXPECT_FLOAT_EQ(manager.fx.starsBlobDelay, 0.15f);

  // The window shows the game's icon picture.
  int width = 0;
  int height = 0;
  EXPECT_TRUE(host_test::fWindowIconSize(QOR::qcWINDOW->fGetHandle(), width, height));
  EXPECT_EQ(width, 64);
  EXPECT_EQ(height, 64);
}

// The loading screen's first frame comes before the effects and the music load: they come with
// the loading's first stage, in the next tick.
TEST_F(ManagerTest, TheFirstFrameComesBeforeTheEffectsAndTheMusicLoad) {
  ASSERT_EQ(GameInit(0), 1);
  EXPECT_EQ(gameSounds, nullptr);
  EXPECT_EQ(gameMusic, nullptr);
  EXPECT_EQ(GameUpdate(0), 0);
  frame();
  EXPECT_EQ(gameSounds, nullptr) << "the effects loaded before the first frame";
  EXPECT_EQ(gameMusic, nullptr) << "the music loaded before the first frame";
  EXPECT_EQ(GameUpdate(0), 0);
  ASSERT_NE(gameSounds, nullptr);
  EXPECT_EQ(gameSounds->GetEffects().size(), 16u);
  EXPECT_NE(gameMusic, nullptr);
}

// A player.xml that does not parse, or lacks lastplayer, packs or ranks, is moved aside whole and
// made again from default_player.xml with every profile it still yields; a file without profiles
// is the normal first-run state and stays as it is; an earlier backup is never overwritten.
TEST_F(ManagerTest, DamagedPlayerFileIsMovedAsideAndRemade) {
  gameManager = new MAHJONG_GAME_MANAGER();
  MAHJONG_GAME_MANAGER& manager = *gameManager;
  const fs::path file = playerFile();
  const fs::path backup = file.string() + ".bak";
  pugi::xml_document defaults;
  ASSERT_TRUE(defaults.load_file((qor_test::fGameDataSourceDir() / "default_player.xml").c_str()));

  // Lacking packs, with two profiles: both survive, the last player stays current.
  const std::string lacking =
      "<lastplayer lpname=\"Bo\"/>\n<ranks><rank xp=\"0\" title=\"Candidate\"/></ranks>\n"
      "<player name=\"Al\" money=\"7\"/>\n<player name=\"Bo\" money=\"9\" XP=\"3.5\"/>\n";
  writeBytes(file, lacking);
  manager.CheckPlayer();
  EXPECT_EQ(readBytes(backup), lacking);
  pugi::xml_document remade;
  ASSERT_TRUE(remade.load_file(file.c_str()));
  EXPECT_STREQ(remade.child("lastplayer").attribute("lpname").value(), "Bo");
  std::ostringstream packs;
  remade.child("packs").print(packs);
  std::ostringstream defaultPacks;
  defaults.child("packs").print(defaultPacks);
  EXPECT_EQ(packs.str(), defaultPacks.str());
  std::vector<std::string> names;
  for (const pugi::xml_node& player : remade.children("player")) names.emplace_back(player.attribute("name").value());
  EXPECT_EQ(names, (std::vector<std::string>{"Al", "Bo"}));
  ASSERT_NE(manager.player, nullptr);
  EXPECT_EQ(manager.player->m_name, L"Bo");
  EXPECT_EQ(manager.player->m_money, 9);
  EXPECT_FLOAT_EQ(manager.player->m_XP, 3.5f);

  // Unparsable: a second backup name, the first backup untouched.
  const std::string truncated = "<lastplayer lpname=\"Cy\"/>\n<packs><pack id=\"1\"";
  writeBytes(file, truncated);
  manager.CheckPlayer();
  EXPECT_EQ(readBytes(backup), lacking);
  EXPECT_EQ(readBytes(file.string() + ".bak1"), truncated);
  ASSERT_TRUE(remade.load_file(file.c_str()));
  for (const char* element : {"lastplayer", "packs", "ranks"}) EXPECT_TRUE(remade.child(element)) << element;
  EXPECT_EQ(std::distance(remade.child("packs").begin(), remade.child("packs").end()), 6);

  // Complete but without profiles: kept byte for byte, no backup.
  const std::string firstRun = canonical(defaults);
  writeBytes(file, firstRun);
  manager.CheckPlayer();
  EXPECT_EQ(readBytes(file), firstRun);
  EXPECT_FALSE(fs::exists(file.string() + ".bak2"));
  EXPECT_TRUE(manager.player->m_name.empty());
}

// Leaving the level completion for a menu screen swaps the earned values into the shown ones and
// lets the left panel count the player's values up; a save during the count-up, or entering a
// level, completes it first so the file and the record hold what was earned.
TEST_F(ManagerTest, CountUpIsCompletedBeforeSavesAndLevels) {
  MAHJONG_GAME_MANAGER& manager = *loadedManager();
  manager.SavePlayerFile(L"Ann");
  MAHJONG_PLAYER& player = *manager.player;
  const auto finishLevel = [&](int money, float xp, SCREEN_TYPE next) {
    manager.shownMoney = player.m_money;
    manager.shownXP = static_cast<int>(player.m_XP);
    player.m_money = money;
    player.m_XP = xp;
    manager.currentScreen = LEVEL_END_SCREEN;
    manager.requestedScreen = next;
    manager.ChangeScreen();
    EXPECT_EQ(manager.currentScreen, next);
  };

  finishLevel(500, 20.5f, PACKS_SCREEN);
  EXPECT_EQ(manager.countUpRunning, 1);
  EXPECT_EQ(player.m_money, 0);
  EXPECT_EQ(manager.shownMoney, 500);
  EXPECT_EQ(manager.shownXP, 20);
  ASSERT_TRUE(manager.SavePlayer());
  EXPECT_EQ(manager.countUpRunning, 0);
  EXPECT_EQ(player.m_money, 500);
  EXPECT_FLOAT_EQ(player.m_XP, 20.5f);
  MAHJONG_PLAYER saved(playerFile().string(), L"Ann");
  EXPECT_EQ(saved.m_money, 500);
  EXPECT_FLOAT_EQ(saved.m_XP, 20.5f);

  // Into the levels screen and on into a level: the level's entry completes the count-up.
  finishLevel(800, 31.0f, LEVELS_SCREEN);
  EXPECT_EQ(manager.countUpRunning, 1);
  manager.requestedScreen = LEVEL_START_SCREEN;
  manager.ChangeScreen();
  EXPECT_EQ(manager.countUpRunning, 0);
  EXPECT_EQ(player.m_money, 800);
  EXPECT_FLOAT_EQ(player.m_XP, 31.0f);

  // Nothing earned, or a restart of the level: no count-up.
  finishLevel(800, 31.0f, PACKS_SCREEN);
  EXPECT_EQ(manager.countUpRunning, 0);
  finishLevel(900, 40.0f, GAME_SCREEN);
  EXPECT_EQ(manager.countUpRunning, 0);
  EXPECT_EQ(manager.shownMoney, 900);
  EXPECT_EQ(player.m_money, 900);
}

// Entering the levels screen: played levels and the first unplayed one after them open, the rest
// closed, the page that holds the first open unplayed level, the pack's room; from the packs
// screen nothing is rebuilt, from the level completion the menus are rebuilt and the mask is
// cleared at once instead of faded.
TEST_F(ManagerTest, LevelsScreenOpensOnThePageOfTheNextLevel) {
  MAHJONG_GAME_MANAGER& manager = *loadedManager();
  QOR::QC_TEXTURE_INFO* strip = QOR::QC_GAME::fSubscribeImage("PlayButton.png");
  for (int i = 0; i < MAHJONG_GAME_MANAGER::kLevelButtons; ++i) {
    delete manager.levels.buttons[i];
    manager.levels.buttons[i] = new QOR::QC_IMAGE_BUTTON(strip, nullptr, 2, 0.0f, 0.0f);
    manager.levels.buttons[i]->fSetPosition(100.0f + 10.0f * static_cast<float>(i), 300.0f);
  }
  delete manager.pageArrow;
  manager.pageArrow = new QOR::QC_IMAGE_BUTTON(strip, nullptr, 2, 0.0f, 0.0f);
  MAHJONG_PLAYER& player = *manager.player;
  for (int level = 1; level <= 20; ++level) player.m_levels[MAHJONG_PLAYER::LevelIndex(2, level)] = level <= 12 ? 2 : -1;
  const auto enter = [&](SCREEN_TYPE from) {
    manager.currentScreen = from;
    manager.requestedScreen = LEVELS_SCREEN;
    manager.ChangeScreen();
    EXPECT_EQ(manager.currentScreen, LEVELS_SCREEN);
  };

  manager.currentPack = 2;
  const unsigned builds = manager.menuGeneration;
  enter(PACKS_SCREEN);
  EXPECT_EQ(manager.menuGeneration, builds);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(manager.levels.buttons[i]->fGetState(), i < 13 ? 0 : 4) << "level " << i + 1;
  EXPECT_EQ(manager.page, 2);
  EXPECT_EQ(manager.pageText, L"Page %i/2");
  EXPECT_EQ(manager.pageArrow->fGetImage()->fGetTexture(), manager.leftArrow);
  EXPECT_FLOAT_EQ(manager.screenSlideTween.start, 100.0f);
  EXPECT_FLOAT_EQ(manager.screenSlideTween.end, -0.55f * 1024.0f);
  ASSERT_NE(manager.roomBack, nullptr);
  EXPECT_EQ(manager.roomBack->fGetTexture(), QOR::QC_GAME::fSubscribeImage("Crane_room2.jpg"));
  EXPECT_TRUE(manager.screenFade.active);
  EXPECT_EQ(manager.screenFade.target, manager.blackMask);

  // Pack 1 untouched: level 1 open, the rest closed, page 1 with the right arrow.
  manager.currentPack = 1;
  manager.screenFade.Stop();
  enter(LEVEL_END_SCREEN);
  EXPECT_EQ(manager.menuGeneration, builds + 1);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(manager.levels.buttons[i]->fGetState(), i == 0 ? 0 : 4) << "level " << i + 1;
  EXPECT_EQ(manager.page, 1);
  EXPECT_EQ(manager.pageArrow->fGetImage()->fGetTexture(), manager.rightArrow);
  EXPECT_FLOAT_EQ(manager.screenSlideTween.end, 390.0f);
  EXPECT_EQ(manager.roomBack->fGetTexture(), QOR::QC_GAME::fSubscribeImage("Lotus_room.jpg"));
  EXPECT_FALSE(manager.screenFade.active);
  for (int corner = 0; corner < 4; ++corner) EXPECT_EQ(manager.blackMask->fGetVertexColor(corner) >> 24, 0u);
  ASSERT_NE(manager.messageBox, nullptr);
}

}  // namespace
