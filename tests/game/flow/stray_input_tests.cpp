// A player's stray input over every screen, through the real game manager and input state: from
// a profile file with two players, seeded streams of clicks anywhere (and on whatever buttons
// stand), Enter, Escape, letters and Backspace, many of them while panels slide, screens fade and
// tiles drop in. Between the bursts a scripted way out (OK, Escape, Back, the pause panel's quit)
// must leave the screen it finds, or close the overlay or box on it, within ten seconds of game
// time; now and then a road leads to a screen stray clicks seldom reach (a finished level, the
// final screen, the trophies, the options, the help). After every tick: player.xml parses, no
// profile is missing unless its delete question was answered that tick, the game quits only when
// its quit question was answered that tick (it is then started again), the tutorial's panel
// never moves for a tutorial that is off, and a levels screen at rest shows the page it names.
//
// The suite runs a few seeds; QOR_STRAY_SEEDS=<n> runs n seeds and QOR_STRAY_TICKS=<n> sets the
// ticks of each (the README's long run).
#include "engine/platform/qc_input.h"
#include "game/board/mahjong_player.h"
#include "game/board/pack_passwords.h"
#include "game/flow/select_player_msg_box.h"
#include "gui/widgets/qc_gui_linebox.h"
#include "gui/widgets/qc_image_checkbox.h"
#include "tests/game/flow/career_driver.h"

#include <cstdlib>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using M = MAHJONG_GAME_MANAGER;

constexpr int kProbeTicks = 600;  // ten seconds of game time at 60 ticks a second

int fromEnvironment(const char* name, int fallback) {
  const char* text = std::getenv(name);
  const int value = text != nullptr ? std::atoi(text) : 0;
  return value > 0 ? value : fallback;
}

// The seeds of this run: the suite's few, or as many as QOR_STRAY_SEEDS asks for.
std::vector<unsigned> seeds() {
  std::vector<unsigned> list;
  const int count = fromEnvironment("QOR_STRAY_SEEDS", 4);
  for (int i = 0; i < count; ++i) list.push_back(static_cast<unsigned>(1 + 7919 * i));
  return list;
}

enum ROAD : int { kPlayers, kPacks, kLevels, kIntro, kGame, kCompletion, kTrophies, kOptions, kHelp, kFinal, kRoads };

class StrayInput : public flow_test::CareerDriver, public ::testing::WithParamInterface<unsigned> {
 protected:
  // Two players: ann far into the career (pack 6 at its last level, windowed), bo new.
  void beforeLoad() override {
    QOR::QC_GAME::fAddPack("XML/config", MAHJONG_PACKS::kConfig);
    const std::string path = M::PlayerFilePath();
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    MAHJONG_PLAYER bo(path, L"bo");
    bo.Reset(L"bo");
    bo.SavePlayers(path);
    MAHJONG_PLAYER ann(path, L"ann");
    ann.Reset(L"ann");
    ann.m_seenStartComics = true;
    ann.m_tutorialShow = false;
    ann.m_fullScreen = false;
    ann.m_XP = 200.0f;
    ann.m_money = 9000;
    for (int p = 1; p <= MAHJONG_PLAYER::kPacks; ++p) {
      ann.m_packs[p - 1] = 1;
      for (int level = 1; level <= MAHJONG_PLAYER::kLevelsPerPack; ++level) {
        if (p < MAHJONG_PLAYER::kPacks || level < MAHJONG_PLAYER::kLevelsPerPack) {
          ann.m_levels[MAHJONG_PLAYER::LevelIndex(p, level)] = 1 + (p + level) % 3;
        }
      }
    }
    ann.m_lastPack = 6;
    ann.m_lastLevel = 20;
    ann.SavePlayers(path);
  }

  void SetUp() override {
    CareerDriver::SetUp();
    drawEvery = 4;
    forgetFrames = true;
    random.seed(GetParam());
    profilesBefore = profileNames();
    ASSERT_EQ(profilesBefore, (std::set<std::string>{"ann", "bo"}));
    watching = true;
  }
  // The invariants are looked at around every tick's update, with that tick's input in place.
  void beforeUpdate() override {
    if (watching) lookBeforeTick();
  }
  void afterUpdate(int result) override {
    if (watching) checkAfterTick(result);
  }

  // ---- invariants of every tick ----
  static std::set<std::string> profileNames(bool* parses = nullptr) {
    pugi::xml_document document;
    const bool ok = static_cast<bool>(document.load_file(M::PlayerFilePath().c_str()));
    if (parses != nullptr) *parses = ok;
    std::set<std::string> names;
    for (const pugi::xml_node& player : document.children("player")) names.insert(player.attribute("name").value());
    return names;
  }
  bool answered() const {
    return QOR::qcCurrentInput->isReleased(flow_test::kEnter) || QOR::qcCurrentInput->isReleased(kMouseLeft);
  }
  void lookBeforeTick() {
    const auto* box = manager->playerBox;
    const bool boxStands = box != nullptr && box->isOpen() && !box->isHiding();
    askedDeletion.clear();
    if (manager->currentScreen == PLAYERS_SCREEN && boxStands && manager->playersQuestion == M::PLAYERS_DELETE &&
        answered()) {
      const PLAYER_LIST_ITEM* row = manager->PickedRow();
      if (row != nullptr) askedDeletion = pugi::as_utf8(row->name);
    }
    quitAnswered = manager->currentScreen == TITLE_SCREEN && boxStands && box->isQuestion() && !box->isNameEntry() &&
                   answered();
  }
  void checkAfterTick(int result) {
    std::ostringstream where;
    where << "seed " << GetParam() << ", tick " << ticks << ", screen " << manager->currentScreen << ", "
          << journal.str();
    if (result == -108) {
      EXPECT_TRUE(quitAnswered) << "the game quit unasked; " << where.str();
      quit = true;
    }
    bool parses = false;
    const std::set<std::string> now = profileNames(&parses);
    EXPECT_TRUE(parses) << "player.xml does not parse; " << where.str();
    for (const std::string& name : profilesBefore) {
      if (now.count(name) == 0) {
        EXPECT_EQ(name, askedDeletion) << "profile " << name << " lost; " << where.str();
      }
    }
    profilesBefore = now;
    EXPECT_FALSE(manager->tutorialOn == 0 && manager->tutorialPanelAnimator.active)
        << "the tutorial's panel moves for a tutorial that is off; " << where.str();
    if (manager->currentScreen == LEVELS_SCREEN && !manager->screenSlideTween.active && !manager->pageTween.active &&
        manager->levelButtons[0] != nullptr) {
      const float x = manager->levelButtons[0]->fGetPosition().x;
      const float page2 = -0.55f * static_cast<float>(QOR::qcGAME->fGetResolution().x);
      if (x == M::kLevelsInX || x == page2) {
        EXPECT_EQ(manager->page, x == M::kLevelsInX ? 1 : 2) << "the levels stand on another page; " << where.str();
      }
    }
    visited.insert(manager->currentScreen);
    if (::testing::Test::HasFailure()) failed = true;
  }

  // ---- the stray hands ----
  // The buttons that stand on the screen now (a stray click lands on one of them half the time).
  std::vector<QOR::QC_IMAGE_BUTTON*> buttons() const {
    const M& m = *manager;
    std::vector<QOR::QC_IMAGE_BUTTON*> list = {m.playButton, m.quitButton, m.playersButton, m.playersOkButton,
                                               m.addButton, m.careerButton, m.menuTrophiesButton,
                                               m.menuOptionsButton, m.menuHelpButton, m.menuBackButton,
                                               m.pageArrow, m.nextButton, m.optionsOkButton, m.creditsButton,
                                               m.creditsOkButton, m.helpOkButton, m.helpLeftArrow, m.helpRightArrow,
                                               m.levelRoad.startButton};
    for (const PLAYER_LIST_ITEM& row : m.playerRows) list.push_back(row.deleteButton);
    for (PACK_BUTTON* pack : m.packButtons) list.push_back(pack->button);
    for (QOR::QC_IMAGE_BUTTON* button : m.levelButtons) list.push_back(button);
    const STORE_MESSAGE_BOX* boxes[] = {m.playerBox, m.messageBox, m.trophyBox};
    for (const STORE_MESSAGE_BOX* box : boxes) {
      if (box != nullptr && box->isOpen()) {
        list.push_back(box->fGetOkButton());
        list.push_back(box->fGetCancelButton());
      }
    }
    if (m.board != nullptr && m.board->GetPanel() != nullptr) {
      MAHJONG_HUD_PANEL& hud = *m.board->GetPanel();
      for (QOR::QC_IMAGE_BUTTON* button : {hud.menuButton, hud.replayButton, hud.optionsButton, hud.mainMenuButton,
                                           hud.tutorialsButton, hud.skillSlot.button, hud.bonusSlot.button}) {
        list.push_back(button);
      }
    }
    std::erase(list, nullptr);
    return list;
  }
  bool chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(random) < p; }
  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
  // One tick of stray input: a press somewhere (or its release), a key, or nothing; more of it
  // while something moves.
  void strayTick() {
    const M& m = *manager;
    const bool boxSliding = (m.playerBox != nullptr && m.playerBox->isOpen() && !waiting(m.playerBox)) ||
                            (m.messageBox != nullptr && m.messageBox->isOpen() && !waiting(m.messageBox)) ||
                            (m.trophyBox != nullptr && m.trophyBox->isOpen() && !waiting(m.trophyBox));
    const bool dropping = m.board != nullptr && (m.board->m_dropTween.active || m.board->m_slideTween.active);
    const double busy = moving() || boxSliding || dropping ? 2.0 : 1.0;
    QOR::QC_INPUT& input = *QOR::qcCurrentInput;
    const std::uint8_t left = input.fGetState(kMouseLeft);
    int key = 0;
    if (left != 0 && left != 255) {
      if (chance(0.5)) {
        input.fKeyUp(kMouseLeft);
        journal << "up ";
      }
    } else if (chance(0.25 * busy)) {
      const std::vector<QOR::QC_IMAGE_BUTTON*> standing = buttons();
      const QOR::QS_POINT size = QOR::qcGAME->fGetResolution();
      int x = below(size.x);
      int y = below(size.y);
      if (!standing.empty() && chance(0.5)) {
        const QOR::QS_VEC2 at = standing[static_cast<std::size_t>(below(static_cast<int>(standing.size())))]->fGetPosition();
        x = static_cast<int>(at.x);
        y = static_cast<int>(at.y);
      }
      input.fSetMousePosition(x, y);
      input.fKeyDown(kMouseLeft);
      journal << "down(" << x << "," << y << ") ";
    } else if (chance(0.05 * busy)) {
      key = flow_test::kEnter;
    } else if (chance(0.05 * busy)) {
      key = flow_test::kEscape;
    } else if (chance(0.02)) {
      key = 'A' + below(26);
    } else if (chance(0.005)) {
      key = 8;  // Backspace
    }
    if (key != 0) journal << "key" << key << " ";
    trimJournal();
    tick(key);
  }
  void trimJournal() {
    const std::string text = journal.str();
    if (text.size() > 400) {
      journal.str(text.substr(text.size() - 300));
      journal.seekp(0, std::ios_base::end);
    }
  }

  // ---- the way out ----
  // The overlay or box that takes the input over the screen (0 none), in the manager's order:
  // help, options, the trophy award, then the boxes of the screens and the pause panel.
  int overlay() const {
    const M& m = *manager;
    if (m.helpOpen != 0) return 2;
    if (m.optionsOpen != 0) return 3;
    if (m.trophyBox != nullptr && m.trophyBox->isInfo()) return 1;
    if (m.messageBox != nullptr && m.messageBox->isOpen()) return 4;
    if (m.playerBox != nullptr && m.playerBox->isOpen()) return 5;
    if (m.currentScreen == GAME_SCREEN && m.board != nullptr && m.board->GetPanel()->isPaused()) return 6;
    return 0;
  }
  bool leftPanelStill() const {
    const M& m = *manager;
    return !m.sidePanelTween.active && !m.screenSlideTween.active && !m.screenFade.active &&
           !(m.currentScreen == LEVELS_SCREEN && m.pageTween.active) &&
           !(m.currentScreen == TROPHIES_SCREEN && m.trophyPageTween.active);
  }
  // One step of the scripted way out of whatever stands: the overlay's or box's OK or Escape,
  // then the screen's own way (Players, OK, Back, the level's start, the pause panel's quit, the
  // completion's OK, the comic's button).
  void wayOutStep() {
    M& m = *manager;
    const int shown = overlay();
    if (shown == 1) {
      if (waiting(m.trophyBox)) {
        click(m.trophyBox->fGetOkButton());
      } else {
        tick();
      }
      return;
    }
    if (shown == 2 || shown == 3) {
      tick(m.sidePanelTween.active ? 0 : flow_test::kEscape);
      return;
    }
    if (shown == 4) {
      if (!waiting(m.messageBox)) {
        tick();
      } else if (m.currentScreen == GAME_SCREEN && m.roadQuestion == M::ROAD_QUIT) {
        tick(flow_test::kEnter);
      } else {
        tick(m.messageBox->isQuestion() ? flow_test::kEscape : flow_test::kEnter);
      }
      return;
    }
    if (shown == 5) {
      tick(waiting(m.playerBox) ? flow_test::kEscape : 0);
      return;
    }
    switch (m.currentScreen) {
      case TITLE_SCREEN:
        if (leftPanelStill() && m.titlePanel->fGetPosition().y < static_cast<float>(QOR::qcGAME->fGetResolution().y)) {
          click(m.playersButton);
        } else {
          tick();
        }
        return;
      case PLAYERS_SCREEN:
        tick(leftPanelStill() ? flow_test::kEscape : 0);
        return;
      case PACKS_SCREEN:
      case LEVELS_SCREEN:
      case TROPHIES_SCREEN:
        if (leftPanelStill() && m.LeftPanelX() + 2.0f >= 0.0f) {
          click(m.menuBackButton);
        } else {
          tick();
        }
        return;
      case LEVEL_START_SCREEN:
        tick(m.introPanelShown != 0 && !m.sidePanelTween.active && m.requestedScreen == LEVEL_START_SCREEN
                 ? flow_test::kEscape
                 : 0);
        return;
      case GAME_SCREEN: {
        MAHJONG_LAYOUT& board = *m.board;
        if (board.GetPanel()->isPaused()) {
          click(board.GetPanel()->mainMenuButton);
        } else {
          tick(board.m_dropTween.active || board.m_slideTween.active ? 0 : flow_test::kEscape);
        }
        return;
      }
      case LEVEL_END_SCREEN:
        tick(m.sidePanelTween.active ? 0 : flow_test::kEnter);
        return;
      case COMICS_SCREEN:
      case FINAL_SCREEN:
        if (!m.screenFade.active && (m.nextButton->fGetImage()->fGetVertexColor(0) >> 24) == 255u) {
          click(m.nextButton);
        } else {
          tick();
        }
        return;
      default:
        tick();
        return;
    }
  }
  // The way out must leave the screen it finds, or close the overlay or box that stands on it,
  // within ten seconds of game time.
  void probe() {
    releaseMouse();
    const SCREEN_TYPE screen = manager->currentScreen;
    const int shown = overlay();
    for (int n = 0; n < kProbeTicks && !quit; ++n) {
      if (manager->currentScreen != screen || (shown != 0 && overlay() != shown)) return;
      wayOutStep();
    }
    if (quit) return;
    ADD_FAILURE() << "seed " << GetParam() << ": no way out of screen " << screen << " (overlay " << shown
                  << ") in ten seconds; now screen " << manager->currentScreen << ", overlay " << overlay()
                  << "; input before: " << journal.str();
    failed = true;
  }

  // ---- roads to the screens stray clicks seldom reach ----
  // The way out, step after step, until the title stands with nothing over it.
  bool toTitle() {
    for (int n = 0; n < 6000 && !quit; ++n) {
      if (manager->currentScreen == TITLE_SCREEN && overlay() == 0 && !moving()) return true;
      if (manager->currentScreen == TITLE_SCREEN && overlay() == 0) {
        tick();
      } else {
        wayOutStep();
      }
    }
    return false;
  }
  bool ticksUntil(const std::function<bool()>& done, int limit = 3000) {
    for (int n = 0; n < limit && !quit; ++n) {
      if (done()) return true;
      if (awardOpen()) {
        answerAward();
      } else {
        tick();
      }
    }
    return done();
  }
  // From the title to the packs with the named player current; when stray input deleted that
  // profile, with another one, and when it deleted them all, with a new one named at the title.
  bool toPacks(const std::string& wanted) {
    if (!toTitle()) return false;
    const std::set<std::string> names = profileNames();
    if (names.empty()) {
      click(manager->playButton);
      if (!ticksUntil([this] { return waiting(manager->playerBox); })) return false;
      type("ZOE");
      tick(flow_test::kEnter);
    }
    const std::string name = names.count(wanted) != 0 ? wanted : names.empty() ? "zoe" : *names.begin();
    if (!names.empty() && pugi::as_utf8(manager->player->m_name) != name) {
      click(manager->playersButton);
      if (!ticksUntil([this] { return !manager->sidePanelTween.active; })) return false;
      for (const PLAYER_LIST_ITEM& row : manager->playerRows) {
        if (pugi::as_utf8(row.name) == name) clickAt(row.deleteButton->fGetPosition().x - 400.0f, row.deleteButton->fGetPosition().y);
      }
      tick(flow_test::kEnter);
      if (!ticksUntil([this] { return manager->currentScreen == TITLE_SCREEN && !moving(); })) return false;
    }
    if (!names.empty()) click(manager->playButton);
    for (int n = 0; n < 40 && !quit && manager->currentScreen != PACKS_SCREEN; ++n) {
      if (!ticksUntil([this] {
            return manager->currentScreen == PACKS_SCREEN ||
                   (manager->currentScreen == COMICS_SCREEN && !manager->screenFade.active &&
                    (manager->nextButton->fGetImage()->fGetVertexColor(0) >> 24) == 255u);
          })) {
        return false;
      }
      if (manager->currentScreen == COMICS_SCREEN) click(manager->nextButton);
    }
    return ticksUntil([this] { return manager->currentScreen == PACKS_SCREEN && !moving(); });
  }
  // From the packs into a pack's levels (pack 1's when that pack is locked for this player).
  bool toLevels(int packNumber) {
    if (manager->packButtons.size() < static_cast<std::size_t>(packNumber)) return false;
    if (manager->packButtons[static_cast<std::size_t>(packNumber - 1)]->isLocked()) packNumber = 1;
    PACK_BUTTON& pack = *manager->packButtons[static_cast<std::size_t>(packNumber - 1)];
    if (pack.isLocked()) return false;
    click(pack.button);
    return ticksUntil([this] { return manager->currentScreen == LEVELS_SCREEN && !moving(); });
  }
  // From the levels into the intro of an open level (the last open one, or the given one).
  bool toIntro(int level = 0) {
    if (level == 0) {
      for (int i = 1; i <= M::kLevelButtons; ++i) {
        if (manager->levelButtons[i - 1]->fGetState() != 4) level = i;
      }
    }
    if (level == 0 || manager->levelButtons[level - 1]->fGetState() == 4) return false;
    if ((level > 10) != (manager->page == 2)) {
      click(manager->pageArrow);
      if (!ticksUntil([this] { return !moving(); })) return false;
    }
    click(manager->levelButtons[level - 1]);
    return ticksUntil([this] {
      return manager->currentScreen == LEVEL_START_SCREEN && manager->introPanelShown != 0 &&
             !manager->sidePanelTween.active && !manager->tutorialPanelAnimator.active;
    });
  }
  void road(ROAD to) {
    journal << "[road " << to << "] ";
    switch (to) {
      case kPlayers:
        if (toTitle()) click(manager->playersButton);
        return;
      case kPacks:
        toPacks(chance(0.5) ? "ann" : "bo");
        return;
      case kTrophies:
      case kOptions:
      case kHelp:
        if (toPacks("ann")) {
          click(to == kTrophies ? manager->menuTrophiesButton
                                : to == kOptions ? manager->menuOptionsButton : manager->menuHelpButton);
        }
        return;
      case kLevels:
        if (toPacks("ann")) toLevels(1 + below(MAHJONG_PLAYER::kPacks));
        return;
      case kIntro:
      case kGame:
      case kCompletion:
        if (!toPacks(chance(0.5) ? "ann" : "bo") || !toLevels(1) || !toIntro()) return;
        if (to == kIntro) return;
        click(manager->levelRoad.startButton);
        if (to == kGame) return;
        playToCompletion([] {}, 20000);
        return;
      case kFinal:
        if (!toPacks("ann") || !toLevels(MAHJONG_PLAYER::kPacks) || !toIntro(MAHJONG_PLAYER::kLevelsPerPack)) return;
        playToCompletion([] {}, 20000);
        if (manager->currentScreen == LEVEL_END_SCREEN) {
          rest();
          click(manager->levelRoad.startButton);
        }
        return;
      default:
        return;
    }
  }

  std::mt19937 random;
  std::set<std::string> profilesBefore;
  std::string askedDeletion;
  bool watching = false;
  bool quitAnswered = false;
  bool quit = false;
  bool failed = false;
  std::set<int> visited;
  std::ostringstream journal;
};

TEST_P(StrayInput, NothingSticksAndNothingIsLost) {
  const long long budget = fromEnvironment("QOR_STRAY_TICKS", 12000);
  int nextRoad = below(kRoads);
  while (ticks < budget && !failed) {
    const int burst = 1 + below(240);
    for (int n = 0; n < burst && !quit && !failed; ++n) strayTick();
    if (!quit && !failed) probe();
    if (!quit && !failed && chance(0.5)) {
      road(static_cast<ROAD>(nextRoad));
      nextRoad = (nextRoad + 1) % kRoads;
    }
    if (quit) {
      // The player asked to quit and the game ended: it starts again from the same files.
      quit = false;
      journal << "[restart] ";
      releaseMouse();
      loadGame();
    }
  }
  for (const SCREEN_TYPE screen : {TITLE_SCREEN, PLAYERS_SCREEN, PACKS_SCREEN, LEVELS_SCREEN, LEVEL_START_SCREEN,
                                   GAME_SCREEN, LEVEL_END_SCREEN, TROPHIES_SCREEN}) {
    EXPECT_EQ(visited.count(screen), 1u) << "seed " << GetParam() << " never reached screen " << screen;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, StrayInput, ::testing::ValuesIn(seeds()));

}  // namespace
