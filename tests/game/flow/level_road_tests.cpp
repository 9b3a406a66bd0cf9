// A career level driven through the real game manager over the real Resources, tick by tick with
// the real input state: the intro, play by the test bot, pause with its restart and quit questions,
// the two no-moves messages, the completion panel with its stars, points and money, the way on to
// the next level, and the profile on disk (or, where nothing can be saved, in memory). Also the
// chip-place log a test can click real tiles by.
#include "engine/math/qs_transform3.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_tell_player.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/flow/menu_objects.h"
#include "game/flow/pack_button.h"
#include "game/flow/store_message_box.h"
#include "host/test_doors.h"
#include "tests/game/board/board_bot.h"
#include "tests/game/flow/flow_driver.h"
#include "tests/kit/environment_guard.h"
#include "tests/kit/log_capture.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

using board_test::BOARD_BOT;
using M = MAHJONG_GAME_MANAGER;

class LevelRoad : public flow_test::PlayerDriver {
 protected:
  void SetUp() override {
    PlayerDriver::SetUp();
    ASSERT_NE(player, nullptr);
    player->m_tutorialShow = false;
  }

  // From the levels screen of the pack (reached as a finished level leaves), a click on the
  // level's button, then (unless told not to) ticks until the intro panel stands on the screen.
  void enterLevel(int pack, int level, bool untilRest = true) {
    manager->currentPack = pack;
    if (manager->currentScreen != LEVELS_SCREEN) {
      manager->leftPanel.Slide(-302.0f);
      manager->currentScreen = LEVEL_END_SCREEN;
      manager->requestedScreen = LEVELS_SCREEN;
      manager->ChangeScreen();
    }
    // Clicks wait for the screen to settle and for the flash of a newly opened level; awards are
    // confirmed as they come.
    ASSERT_TRUE(runWhile([this] {
      if (awardShown()) tick(flow_test::kEnter);
      return manager->currentScreen != LEVELS_SCREEN || busy() || !manager->levels.newLevels.empty() || awardShown();
    }));
    QOR::QC_IMAGE_BUTTON* button = manager->levels.buttons[static_cast<std::size_t>(level - 1)];
    click(button);
    ASSERT_EQ(manager->requestedScreen, LEVEL_START_SCREEN);
    if (untilRest) untilIntroAtRest();
  }
  bool awardShown() const { return manager->trophies.awardBox != nullptr && manager->trophies.awardBox->isInfo(); }
  bool busy() const {
    return manager->sidePanelTween.active || manager->screenSlideTween.active || manager->screenFade.active ||
           manager->levels.pageTween.active;
  }
  void untilIntroAtRest() {
    ASSERT_TRUE(runWhile([this] {
      return manager->currentScreen != LEVEL_START_SCREEN || manager->introPanelShown == 0 ||
             manager->sidePanelTween.active || manager->levelRoad.introPanel->fGetPosition().y < 0.0f;
    }));
  }
  // Enter at the intro, then ticks until the game screen is current.
  void startPlay() {
    tick(flow_test::kEnter);
    ASSERT_EQ(manager->requestedScreen, GAME_SCREEN);
    ASSERT_TRUE(runWhile([this] { return manager->currentScreen != GAME_SCREEN; }));
  }
  // The bot plays while the game screen is current and no question is open, at most budget ticks
  // or until stop holds; trophy awards are confirmed as they come.
  void play(BOARD_BOT& bot, int budget, const std::function<bool()>& stop = [] { return false; }) {
    for (int n = 0; n < budget && manager->currentScreen == GAME_SCREEN && !manager->messageBox->isOpen() && !stop();
         ++n) {
      if (awardShown()) {
        tick(flow_test::kEnter);
        continue;
      }
      bot.BeforeTick();
      tick();
      bot.AfterTick(manager->levelRoad.lastBoardEvent);
    }
    // A press the bot began is let go.
    const std::uint8_t left = QOR::qcCurrentInput->fGetState(board_test::kMouseLeft);
    if (left != 0 && left != 255) {
      QOR::qcCurrentInput->fKeyUp(board_test::kMouseLeft);
      tick();
    }
  }
  // The pause panel from the menu button, then one of its buttons.
  void pauseAndClick(QOR::QC_IMAGE_BUTTON* MAHJONG_HUD_PANEL::*button) {
    MAHJONG_HUD_PANEL* panel = manager->board->GetPanel();
    click(panel->menuButton);
    ASSERT_TRUE(panel->isPaused());
    click(panel->*button);
  }
  // The screen-state log's frames drawn after each tick (none unless a test sets it).
  void beforeRender() override {
    for (int n = 0; n < stateFrames; ++n) manager->LogScreenState();
  }
  int stateFrames = 0;
  // Ticks from an answered restart until the reloaded level's intro stands again.
  void untilRestarted() {
    ASSERT_TRUE(runWhile([this] { return manager->currentScreen != LEVEL_START_SCREEN; }));
    untilIntroAtRest();
  }
};

// The road of one level: the intro lists the level's tasks; play; a restart asked from the pause
// panel and confirmed once reloads the level (all tiles back, no moves) and shows the intro again;
// a cancelled quit keeps playing; the board's no-moves events become their messages, the one with
// a bonus shuffles and the other restarts; the bot then clears the level, the completion panel
// lights one star plus one per met task, the points go into money, the next level opens in the
// profile on disk and the OK leads to the levels screen, where the next level can be entered.
TEST_F(LevelRoad, OneLevelFromIntroToTheNext) {
  enterLevel(1, 1);
  MAHJONG_LAYOUT& board = *manager->board;
  const std::size_t dealt = board.GetChips().size();
  ASSERT_GT(dealt, 0u);
  int tasks = 0;
  for (const std::int32_t value : {board.m_task1Value, board.m_task2Value}) tasks += value != 0 ? 1 : 0;
  EXPECT_EQ(static_cast<int>(manager->levelRoad.introTasks.size()), tasks);
  for (const INTRO_TASK& task : manager->levelRoad.introTasks) {
    if (task.kind == kTaskTime) {
      EXPECT_EQ(task.text, LEVEL_ROAD_TEXT::Clock(task.value));
    }
  }
  startPlay();
  EXPECT_EQ(manager->levelRoad.introPanel->fGetPosition().y,
            static_cast<float>(MAHJONG_CONSTS::GetInstance()->panel_slide_distance));

  {
    BOARD_BOT bot(board);
    play(bot, 2000, [&] { return board.m_movesMade >= 2 && board.m_selectedChip == nullptr; });
    ASSERT_EQ(board.m_movesMade, 2);
  }

  // Restart from the pause panel, confirmed by Enter.
  pauseAndClick(&MAHJONG_HUD_PANEL::replayButton);
  ASSERT_TRUE(manager->messageBox->isOpen());
  EXPECT_EQ(manager->messageBox->fGetText(), text(M::TXT_RESTART_LEVEL));
  tick(flow_test::kEnter);
  EXPECT_EQ(manager->requestedScreen, LEVEL_START_SCREEN);
  EXPECT_TRUE(board.m_slideTween.active);
  untilRestarted();
  EXPECT_EQ(board.GetChips().size(), dealt);
  EXPECT_EQ(board.m_movesMade, 0);
  // Answered once: the intro stays and the board does not slide out again.
  for (int n = 0; n < 60; ++n) tick();
  EXPECT_EQ(manager->currentScreen, LEVEL_START_SCREEN);
  EXPECT_FALSE(board.m_slideTween.active);
  EXPECT_FALSE(manager->messageBox->isOpen());
  startPlay();

  // Quit asked and cancelled: the level goes on.
  pauseAndClick(&MAHJONG_HUD_PANEL::mainMenuButton);
  ASSERT_TRUE(manager->messageBox->isOpen());
  EXPECT_EQ(manager->messageBox->fGetText(), text(M::TXT_WANT_TO_QUIT));
  tick(flow_test::kEscape);
  ASSERT_TRUE(runWhile([this] { return manager->messageBox->isOpen(); }));
  for (int n = 0; n < 30; ++n) tick();
  EXPECT_EQ(manager->currentScreen, GAME_SCREEN);
  EXPECT_EQ(manager->requestedScreen, GAME_SCREEN);
  EXPECT_FALSE(board.m_slideTween.active);

  // No moves with a usable bonus: the message, then the shuffle from the bonus.
  PLAYER_BONUS* shuffle = player->FindBonus(2);
  ASSERT_NE(shuffle, nullptr);
  shuffle->charge = shuffle->recover;
  board.m_availableMoves = 0;
  board.m_bonusUsable = 1;
  tick();
  ASSERT_TRUE(manager->messageBox->isOpen());
  EXPECT_EQ(manager->messageBox->fGetText(), text(M::TXT_NO_MOVES_BUT_BONUS));
  const int bonusesUsed = player->m_totalBonusUsed;
  tick(flow_test::kEnter);
  EXPECT_EQ(player->m_totalBonusUsed, bonusesUsed + 1);
  EXPECT_EQ(shuffle->charge, 0);
  EXPECT_TRUE(board.m_shuffleRequested || board.m_slideTween.active);
  for (int n = 0; n < 60; ++n) tick();
  EXPECT_EQ(player->m_totalBonusUsed, bonusesUsed + 1) << "the answer acts once";
  ASSERT_TRUE(runWhile([&] { return board.m_shuffleRequested || board.m_slideTween.active || board.m_dropTween.active; }));
  EXPECT_EQ(board.GetChips().size(), dealt);
  EXPECT_EQ(manager->currentScreen, GAME_SCREEN);

  // No moves and no bonus: the level failed, its OK restarts the level.
  board.m_availableMoves = 0;
  board.m_bonusUsable = 0;
  tick();
  ASSERT_TRUE(manager->messageBox->isOpen());
  EXPECT_EQ(manager->messageBox->fGetText(), text(M::TXT_LEVEL_FAIL));
  tick(flow_test::kEnter);
  EXPECT_EQ(board.m_availableMoves, 100);
  EXPECT_EQ(manager->requestedScreen, LEVEL_START_SCREEN);
  untilRestarted();
  EXPECT_FALSE(manager->messageBox->isOpen());
  startPlay();

  // The bot clears the level.
  const int moneyBefore = player->m_money;
  {
    BOARD_BOT bot(board);
    play(bot, 40000);
    EXPECT_EQ(bot.hiddenTargets, 0);
  }
  ASSERT_EQ(manager->currentScreen, LEVEL_END_SCREEN);
  ASSERT_TRUE(board.isLevelFinished());
  const int points = board.GetPanel()->GetScore();
  EXPECT_GT(points, 0);
  EXPECT_EQ(player->m_money, moneyBefore + points);
  EXPECT_EQ(player->m_levels[MAHJONG_PLAYER::LevelIndex(1, 1)], board.m_stars);
  EXPECT_EQ(player->m_lastLevel, 2);
  EXPECT_EQ(manager->levels.newLevels, std::vector<int>{1});

  // The panel comes to rest and its stars light up in turn.
  ASSERT_TRUE(runWhile([this] {
    return manager->sidePanelTween.active || manager->levelRoad.starsBlob != nullptr ||
           awardShown();
  }));
  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();
  EXPECT_EQ(manager->levelRoad.completionPanel->fGetPosition().y, static_cast<float>(size.y / 2));
  int lit = 1;
  for (int task = 1; task <= 2; ++task)
    lit += manager->isTaskMet(task) && manager->levelRoad.starsShown >= task + 1 ? 1 : 0;
  EXPECT_EQ(lit, board.m_stars);
  for (const QOR::QS_TRANSFORM3* star : manager->levelRoad.stars) {
    ASSERT_NE(star, nullptr);
    EXPECT_EQ(star->_scale.x, 1.0f) << "every star back at rest";
  }

  {
    MAHJONG_PLAYER onDisk(M::PlayerFilePath(), L"Ann");
    EXPECT_EQ(onDisk.m_levels[MAHJONG_PLAYER::LevelIndex(1, 1)], board.m_stars);
    EXPECT_EQ(onDisk.m_money, player->m_money);
    EXPECT_EQ(onDisk.m_lastLevel, 2);
    EXPECT_EQ(onDisk.m_lastPack, 1);
  }

  tick(flow_test::kEnter);
  EXPECT_EQ(manager->requestedScreen, LEVELS_SCREEN);
  ASSERT_TRUE(runWhile([this] { return manager->currentScreen != LEVELS_SCREEN; }));
  EXPECT_EQ(manager->board, nullptr);
  enterLevel(1, 2);
  EXPECT_EQ(manager->currentLevel, 2);
  ASSERT_NE(manager->board, nullptr);
  EXPECT_EQ(manager->board->m_level, 2);
  EXPECT_EQ(manager->levelRoad.starsBlob, nullptr);

  // Quit confirmed: back to the levels screen through the intro's way out, level 2 unplayed.
  startPlay();
  pauseAndClick(&MAHJONG_HUD_PANEL::mainMenuButton);
  ASSERT_TRUE(manager->messageBox->isOpen());
  tick(flow_test::kEnter);
  EXPECT_EQ(manager->currentScreen, LEVEL_START_SCREEN);
  EXPECT_EQ(manager->requestedScreen, LEVELS_SCREEN);
  ASSERT_TRUE(runWhile([this] { return manager->currentScreen != LEVELS_SCREEN; }));
  EXPECT_EQ(player->m_levels[MAHJONG_PLAYER::LevelIndex(1, 2)], -1);
  EXPECT_FALSE(manager->messageBox->isOpen());
}

// A first start whose documents folder cannot be made (its path runs through a file, which stops
// root too).
class LevelRoadUnsaved : public LevelRoad {
 protected:
  void beforeLoad() override {
    std::ofstream(documents() / "plain") << "not a folder";
    setenv("XDG_DOCUMENTS_DIR", (documents() / "plain" / "Documents").c_str(), 1);
    setenv("HOME", (documents() / "plain" / "home").c_str(), 1);
  }
  qor_test::EnvironmentGuard home{"HOME"};
};

// It reaches the title, which judges the shipped default_player.xml (and refuses it without
// lastplayer, packs or ranks); the profile is made, a level played to its end and saved, and every
// read (the packs, the rank, the profile) finds what was saved, held in memory: the player is
// told once and no player.xml appears anywhere.
TEST_F(LevelRoadUnsaved, AFirstStartThatCannotSavePlaysOnFromMemory) {
  namespace fs = std::filesystem;
  const std::string path = M::PlayerFilePath();
  ASSERT_EQ(path.rfind((documents() / "plain" / "").string(), 0), 0u) << path;
  EXPECT_TRUE(QOR::isToldToPlayer("player.xml not saved"));
  const int boxes = host_test::fMessageBoxCount();
  EXPECT_TRUE(manager->TitleDataLoaded());
  pugi::xml_document* shipped = QOR::QC_GAME::fLoadXml("default_player.xml");
  for (const char* lack : {"lastplayer", "packs", "ranks"}) {
    pugi::xml_document kept;
    kept.reset(*shipped);
    shipped->remove_child(lack);
    EXPECT_FALSE(manager->TitleDataLoaded()) << lack;
    shipped->reset(kept);
  }
  EXPECT_FALSE(manager->packs.buttons.back()->name.empty());

  enterLevel(1, 1);
  startPlay();
  {
    BOARD_BOT bot(*manager->board);
    play(bot, 40000);
  }
  ASSERT_EQ(manager->currentScreen, LEVEL_END_SCREEN);
  const MAHJONG_PLAYER saved(path, L"");
  EXPECT_TRUE(saved.m_name == L"Ann" && saved.m_money == player->m_money && saved.m_money > 0);
  EXPECT_EQ(saved.m_levels[MAHJONG_PLAYER::LevelIndex(1, 1)], manager->board->m_stars);
  EXPECT_FALSE(manager->rankTitle.empty());
  EXPECT_EQ(host_test::fMessageBoxCount(), boxes);
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(documents())) {
    EXPECT_NE(entry.path().filename(), "player.xml") << entry.path();
  }
  for (const fs::path& game : {qor_test::fGameDir(), qor_test::fGameDir() / "Resources", fs::current_path()}) {
    EXPECT_FALSE(fs::exists(game / "Greyfern") || fs::exists(game / "player.xml")) << game;
  }
}

// The state at rest of the intro and of the completion, which the end-to-end roads wait for before
// they click the panel's button, is logged only while that button takes a click, however many
// frames a loaded machine draws between two ticks (here two): a click on the button as the rest is
// first logged takes the road on, and the way off the panel logs no rest of its screen.
TEST_F(LevelRoad, TheLevelPanelsLogTheirRestOnlyWhileTheirButtonTakesAClick) {
  qor_test::EnvironmentGuard guard("QOR_LOG_SCREEN_STATES");
  setenv("QOR_LOG_SCREEN_STATES", "1", 1);
  stateFrames = 2;
  qor_test::LogCapture log;
  const auto restLogged = [&log](SCREEN_TYPE screen) {
    const std::string state = "screen state: screen=" + std::to_string(static_cast<int>(screen)) + " ";
    for (const std::string& line : log.lines()) {
      if (line.rfind(state, 0) == 0 && line.find("moving=0") != std::string::npos) return true;
    }
    return false;
  };
  const struct {
    const char* way;
    SCREEN_TYPE screen;
    std::function<void()> on;
    SCREEN_TYPE next;
  } ways[] = {
      {"the intro from the levels screen", LEVEL_START_SCREEN, [this] { enterLevel(1, 1, false); }, GAME_SCREEN},
      {"the intro after a restart", LEVEL_START_SCREEN,
       [this] {
         pauseAndClick(&MAHJONG_HUD_PANEL::replayButton);
         tick(flow_test::kEnter);
       },
       GAME_SCREEN},
      {"the completion", LEVEL_END_SCREEN, [this] { manager->LevelComplete(); }, LEVELS_SCREEN},
  };
  for (const auto& way : ways) {
    log.clear();
    way.on();
    ASSERT_TRUE(runWhile([&] { return !restLogged(way.screen); })) << way.way;
    click(manager->levelRoad.startButton);
    ASSERT_EQ(manager->requestedScreen, way.next) << way.way << ": the button took no click";
    log.clear();
    ASSERT_TRUE(runWhile([&] { return manager->currentScreen != way.next; })) << way.way;
    EXPECT_FALSE(restLogged(way.screen)) << way.way << " on its way off";
  }
}

// A board without moves whose shuffle bonus is not full after all: the no-moves message's OK
// shuffles nothing, the board counts its moves again and the level's failure follows, so the
// player is never left before a silent board.
TEST_F(LevelRoad, ANoMovesAnswerThatCannotShuffleLetsTheLevelFail) {
  enterLevel(1, 1);
  startPlay();
  MAHJONG_LAYOUT& board = *manager->board;
  for (MAHJONG_CHIP* chip : board.GetChips()) chip->bFreee = false;
  player->FindBonus(BONUS_TOSSCHIPS)->charge = 0;
  board.m_availableMoves = 0;
  board.m_bonusUsable = 1;
  tick();
  ASSERT_TRUE(manager->messageBox->isOpen());
  EXPECT_EQ(manager->messageBox->fGetText(), text(M::TXT_NO_MOVES_BUT_BONUS));
  const int bonusesUsed = player->m_totalBonusUsed;
  tick(flow_test::kEnter);
  EXPECT_EQ(player->m_totalBonusUsed, bonusesUsed);
  EXPECT_FALSE(board.m_shuffleRequested || board.m_slideTween.active);
  ASSERT_TRUE(runWhile([this] { return manager->messageBox->isOpen(); }));
  ASSERT_TRUE(runWhile([this] { return !manager->messageBox->isOpen(); }, 60));
  EXPECT_EQ(manager->messageBox->fGetText(), text(M::TXT_LEVEL_FAIL));

  // Its OK restarts the level; one that can no longer be played (its tiles gone from the pack's
  // copy) leads back to the levels screen instead.
  pugi::xml_document* shipped = QOR::QC_GAME::fLoadXml("XML/levels pk1lv1.xml");
  pugi::xml_document kept;
  kept.reset(*shipped);
  shipped->child("tiles").remove_children();
  tick(flow_test::kEnter);
  EXPECT_TRUE(runWhile([this] { return manager->currentScreen != LEVELS_SCREEN; }));
  EXPECT_EQ(manager->board, nullptr);
  shipped->reset(kept);
}

// A gap the process did not run (stopped for 45 s, a machine asleep) moves the level's clock by one
// short step only: the engine's update step over it, then the level's tick.
TEST_F(LevelRoad, AGapTheGameDidNotRunMovesTheClockByOneShortStep) {
  enterLevel(1, 1);
  startPlay();
  MAHJONG_LAYOUT& board = *manager->board;
  QOR::qcGAME->_upsLimit = 0;
  QOR::qcGAME->fUpdate();  // the frame timer counts from here
  tick();
  const float before = board.m_elapsed;
  host_test::fAdvanceTime(45000);
  QOR::qcGAME->fUpdate();
  tick();
  EXPECT_NEAR(board.m_elapsed - before, QOR::QC_GAME::kLongestStep, 1e-4f);
}

// The window goes away at some moment of a level's road (during loading, at the intro's start,
// while the intro slides away, at the level's first tick, on a restart's intro, on the completion
// panel's way on): once the level plays it stands paused, its clock still and both sound lists
// silent. The window back, the board resumes at the player's volumes; back before a level starts,
// the level starts playing.
TEST_F(LevelRoad, AWindowAwayAtAnyMomentLeavesTheLevelPausedAndSilent) {
  gameMusic = new MAHJONG_MUSIC();
  ASSERT_FALSE(gameMusic->GetTracks().empty());
  const auto away = [] { EXPECT_EQ(GameDeactivate(0), 1); };
  const auto enter = [this] { enterLevel(1, 1); };
  const auto untilPlaying = [this] { ASSERT_TRUE(runWhile([this] { return manager->currentScreen != GAME_SCREEN; })); };
  const auto restart = [this] {
    pauseAndClick(&MAHJONG_HUD_PANEL::replayButton);
    tick(flow_test::kEnter);
  };
  // Whether the effects and every track play at these volumes.
  const auto heardAt = [](float sound, float music) {
    bool at = gameSounds->GetEffects().at("button_click.ogg")->fGetVolume() == sound;
    for (const QOR::QC_SOUND* track : gameMusic->GetTracks()) at = at && track->fGetVolume() == music;
    return at;
  };
  // Ticks with the level on the screen: whether its clock ran.
  const auto clockRuns = [this] {
    const float clock = manager->board->m_elapsed;
    for (int n = 0; n < 60; ++n) tick();
    return manager->board->m_elapsed > clock;
  };
  const std::pair<const char*, std::function<void()>> moments[] = {
      {"loading", [&] {
         loadThroughHooks([](int tick) { if (tick == 5) GameDeactivate(0); });
         player = manager->player;
         player->m_tutorialShow = false;
         enter();
         startPlay(); }},
      {"the intro's start", [&] { enter(); tick(flow_test::kEnter); away(); untilPlaying(); }},
      {"the intro's slide", [&] {
         enter(); tick(flow_test::kEnter); tick();
         ASSERT_TRUE(manager->sidePanelTween.active);
         away(); untilPlaying(); }},
      {"the level's first tick", [&] { enter(); startPlay(); away(); }},
      {"a restart", [&] { enter(); startPlay(); restart(); untilRestarted(); away(); startPlay(); }},
      {"the completion's way on", [&] {
         enter(); startPlay(); manager->LevelComplete();
         ASSERT_TRUE(runWhile([this] { return manager->IsMoving(); }));
         tick(flow_test::kEnter); away();
         ASSERT_TRUE(runWhile([this] { return manager->currentScreen != LEVELS_SCREEN; }));
         enter(); startPlay(); }},
  };
  for (const auto& [moment, road] : moments) {
    SCOPED_TRACE(moment);
    road();
    ASSERT_EQ(manager->currentScreen, GAME_SCREEN);
    EXPECT_FALSE(clockRuns());
    EXPECT_TRUE(manager->board->GetPanel()->isPaused());
    EXPECT_TRUE(heardAt(0.0f, 0.0f));
    EXPECT_EQ(GameActivate(0), 1);
    EXPECT_TRUE(clockRuns());
    EXPECT_TRUE(heardAt(player->m_soundVolume, player->m_musicVolume));
  }
  restart();
  away();
  untilRestarted();
  GameActivate(0);
  startPlay();
  EXPECT_TRUE(clockRuns()) << "away as a restart's tiles slid out, back at its intro";
}

// Nothing on a paused board moves, whatever ran as the pause came: the hint pair blinking, a
// hint about to come due, the special view's layers fading. Once the pause has faded in, the level
// is drawn at the rest rate until the pointer stirs; unpaused, the level goes on.
TEST_F(LevelRoad, NothingOnAPausedBoardMovesAndItIsDrawnAtTheRestRate) {
  enterLevel(1, 1);
  startPlay();
  MAHJONG_LAYOUT& board = *manager->board;
  const QOR::QC_SPRITE* marker = manager->levelRoad.tipMarker;
  ASSERT_NE(marker, nullptr);
  const auto still = [&] {
    return std::make_tuple(board.m_elapsed, board.m_tipTimer, board.m_tipChipA, board.m_fadeTime, board.m_fadeLayer,
                           marker->fGetVertexColor(0));
  };
  const std::pair<const char*, std::function<void()>> rows[] = {
      {"the hint pair blinking", [&] {
         board.m_tipTimer = board.m_tipPeriod;
         for (int n = 0; n < 10; ++n) tick();
         ASSERT_TRUE(manager->levelRoad.tipFader.active); }},
      {"a hint about to come due", [&] { board.ResetTip(); board.m_tipTimer = board.m_tipPeriod - 0.05f; }},
      {"the special view's layers fading", [&] { board.ShowSpecial(); }},
  };
  for (const auto& [running, start] : rows) {
    SCOPED_TRACE(running);
    start();
    tick(flow_test::kEscape);
    ASSERT_TRUE(board.GetPanel()->isPaused());
    ASSERT_TRUE(runWhile([&] { return board.m_boardFader.active; }));
    const auto before = still();
    int limit = 0;
    for (int n = 0; n < 120; ++n) {
      tick();
      limit = manager->FrameLimit(60);
    }
    EXPECT_EQ(still(), before);
    EXPECT_TRUE(limit > 0 && limit < 60) << limit;
    QOR::qcCurrentInput->fSetMousePosition(20, 400);
    EXPECT_EQ(manager->FrameLimit(60), 60);
    clickAt(20.0f, 400.0f);
    for (int n = 0; n < 30; ++n) tick();
    EXPECT_NE(still(), before);
  }
}

// Clock texts: minutes and seconds with two digits each, nothing below zero; a value goes where
// the text's first mark is, or after it.
TEST(LevelRoadText, ClockAndFillIn) {
  EXPECT_EQ(LEVEL_ROAD_TEXT::Clock(125), L"02:05");
  EXPECT_EQ(LEVEL_ROAD_TEXT::Clock(600), L"10:00");
  EXPECT_EQ(LEVEL_ROAD_TEXT::Clock(-4), L"00:00");
  EXPECT_EQ(LEVEL_ROAD_TEXT::FillIn(L"Moves: %i max", L"40"), L"Moves: 40 max");
  EXPECT_EQ(LEVEL_ROAD_TEXT::FillIn(L"%s %d", L"7"), L"7 %d");
  EXPECT_EQ(LEVEL_ROAD_TEXT::FillIn(L"Moves", L"40"), L"Moves 40");
}

struct LOGGED_CHIP {
  int face = 0;
  int x = 0;
  int y = 0;
};

// The chips of the last "chip places" block of the log (count -1 when there is none).
std::vector<LOGGED_CHIP> lastChipPlaces(const qor_test::LogCapture& log, int& count) {
  std::vector<LOGGED_CHIP> chips;
  count = -1;
  for (const std::string& line : log.lines()) {
    if (line.rfind("chip places: count=", 0) == 0) {
      count = std::atoi(line.c_str() + 19);
      chips.clear();
    } else if (line.rfind("chip place: ", 0) == 0) {
      LOGGED_CHIP chip;
      EXPECT_EQ(std::sscanf(line.c_str(), "chip place: face=%d x=%d y=%d", &chip.face, &chip.x, &chip.y), 3) << line;
      chips.push_back(chip);
    }
  }
  return chips;
}

// With the variable set, the free tiles are logged once per change with points that pick them:
// two matching logged tiles clicked at their logged points make a pair, after which a new block
// lists the free tiles left, the taken ones gone. Without it nothing is logged.
TEST_F(LevelRoad, ChipPlacesLogPicksRealTiles) {
  qor_test::EnvironmentGuard guard("QOR_LOG_CHIP_PLACES");
  unsetenv("QOR_LOG_CHIP_PLACES");
  {
    qor_test::LogCapture log;
    enterLevel(1, 1);
    startPlay();
    for (int n = 0; n < 30; ++n) tick();
    EXPECT_FALSE(log.contains("chip place"));
  }

  setenv("QOR_LOG_CHIP_PLACES", "1", 1);
  qor_test::LogCapture log;
  tick();
  int count = 0;
  std::vector<LOGGED_CHIP> chips = lastChipPlaces(log, count);
  MAHJONG_LAYOUT& board = *manager->board;
  int free = 0;
  for (const MAHJONG_CHIP* chip : board.GetChips()) free += chip->isAvailable() ? 1 : 0;
  ASSERT_EQ(count, free);
  ASSERT_EQ(static_cast<int>(chips.size()), count);
  // Unchanged tiles are not logged again.
  log.clear();
  for (int n = 0; n < 10; ++n) tick();
  EXPECT_FALSE(log.contains("chip place"));

  // Equal faces match, and so do any two flowers (34..37) or any two seasons (38..41).
  const auto group = [](int face) { return face >= 34 && face <= 37 ? -1 : face >= 38 && face <= 41 ? -2 : face; };
  std::map<int, std::vector<LOGGED_CHIP>> byGroup;
  for (const LOGGED_CHIP& chip : chips) byGroup[group(chip.face)].push_back(chip);
  const std::vector<LOGGED_CHIP>* pair = nullptr;
  for (const auto& [face, same] : byGroup) {
    if (same.size() >= 2) pair = &same;
  }
  std::string faces;
  for (const LOGGED_CHIP& chip : chips) faces += " " + std::to_string(chip.face);
  ASSERT_NE(pair, nullptr) << "the level starts with a free matching pair:" << faces;
  for (int i = 0; i < 2; ++i) clickAt(static_cast<float>((*pair)[i].x), static_cast<float>((*pair)[i].y));
  EXPECT_EQ(board.m_movesMade, 1);
  for (int n = 0; n < 120; ++n) tick();
  int after = 0;
  const std::vector<LOGGED_CHIP> now = lastChipPlaces(log, after);
  free = 0;
  for (const MAHJONG_CHIP* chip : board.GetChips()) free += chip->isAvailable() ? 1 : 0;
  EXPECT_EQ(after, free);
  EXPECT_EQ(static_cast<int>(now.size()), after);
  for (int i = 0; i < 2; ++i) {
    for (const LOGGED_CHIP& chip : now) EXPECT_FALSE(chip.x == (*pair)[i].x && chip.y == (*pair)[i].y) << "a taken tile";
  }
}

}  // namespace
