// The tutorial of the first level driven through the real game manager over the real Resources: the
// test bot plays, the test uses the HUD slots when a step points at them, and every step is checked
// while its panel is up: a step that shows a pair leaves only that pair takeable, a slot step
// leaves nothing takeable until the slot is used. A small random deal may lack the kinds of tile
// the later steps wait for or end before them, so the test turns pairs of the deal's own order
// (still a solution) into those kinds and keeps special pairs on the board.
#include "engine/platform/qc_random.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/flow/menu_objects.h"
#include "game/flow/store_message_box.h"
#include "tests/game/board/board_bot.h"
#include "tests/game/flow/flow_driver.h"

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using board_test::BOARD_BOT;
using M = MAHJONG_GAME_MANAGER;

constexpr std::uint32_t kDealSeed = 1;  // the same deal on every run

// The kind of pair whose coming free (on a removed pair, the panel out) moves a step on.
bool awaited(const MAHJONG_CHIP* chip, int step) {
  switch (step) {
    case 4:
      return chip->isSeason();
    case 5:
      return chip->isFlower();
    case 7:
      return chip->isBonus();
    case 8:
      return chip->isSpecial();
    default:
      return false;
  }
}

class Tutorial : public flow_test::PlayerDriver {
 protected:
  void SetUp() override {
    PlayerDriver::SetUp();
    ASSERT_NE(player, nullptr);
    ASSERT_TRUE(player->m_tutorialShow);
  }
  // The levels screen of pack 1 at rest, reached as a finished level leaves for it.
  void levelsOfPack1() {
    manager->currentPack = 1;
    manager->leftPanel.Slide(-302.0f);
    manager->currentScreen = LEVEL_END_SCREEN;
    manager->requestedScreen = LEVELS_SCREEN;
    manager->ChangeScreen();
    ASSERT_TRUE(runWhile([this] {
      return manager->currentScreen != LEVELS_SCREEN || manager->sidePanelTween.active ||
             manager->screenSlideTween.active || manager->screenFade.active;
    }));
  }
  bool awardShown() const { return manager->trophies.awardBox != nullptr && manager->trophies.awardBox->isInfo(); }
  bool panelUp() const {
    return !manager->tutorial.panelAnimator.active &&
           manager->tutorial.panelPos.y <= static_cast<float>(MENU_OBJECTS::ScreenSize().y);
  }
  std::vector<MAHJONG_CHIP*> takeable() const {
    std::vector<MAHJONG_CHIP*> chips;
    for (MAHJONG_CHIP* chip : manager->board->GetChips()) {
      if (chip->isAvailable()) chips.push_back(chip);
    }
    return chips;
  }
  void releaseMouse() {
    const std::uint8_t left = QOR::qcCurrentInput->fGetState(board_test::kMouseLeft);
    if (left != 0 && left != 255) {
      // Off the board first: the release clicks nothing.
      QOR::qcCurrentInput->fSetMousePosition(0, 0);
      QOR::qcCurrentInput->fKeyUp(board_test::kMouseLeft);
      tick();
    }
  }

  // The pair the bot takes next: the first free pair of the deal's order.
  static std::pair<const MAHJONG_CHIP*, const MAHJONG_CHIP*> botsNext(const MAHJONG_LAYOUT& board) {
    const MAHJONG_BOARD::CHIP_LIST& order = board.GetDealOrder();
    for (std::size_t i = 0; i < order.size(); ++i) {
      if (!order[i]->isAvailable()) continue;
      for (std::size_t j = i + 1; j < order.size(); ++j) {
        if (order[j]->isAvailable() && order[i]->isMatch(order[j])) return {order[i], order[j]};
      }
    }
    return {nullptr, nullptr};
  }
  // A random deal need not hold the kind a step waits for. The step looks at the last free tile
  // of the kind in the chip list and its free partners; when that finds nothing beyond the pair the
  // bot takes next, the free pair of the deal's own order (so the deal stays solvable) that lies
  // last in the list, not the bot's next, is made one of the kind (two different seasons or
  // flowers, two bonus or two special tiles).
  static void offerAwaitedPair(MAHJONG_LAYOUT& board, int step) {
    const auto next = botsNext(board);
    const auto nextOne = [&](const MAHJONG_CHIP* chip) { return chip == next.first || chip == next.second; };
    const MAHJONG_BOARD::CHIP_LIST& chips = board.GetChips();
    for (auto a = chips.rbegin(); a != chips.rend(); ++a) {
      if (!(*a)->isAvailable() || !awaited(*a, step)) continue;
      if (nextOne(*a)) break;
      for (const MAHJONG_CHIP* b : chips) {
        if (b->isAvailable() && !nextOne(b) && (*a)->isMatch(b) &&
            ((step != 4 && step != 5) || (*a)->GetType() != b->GetType())) {
          return;
        }
      }
      break;
    }
    const auto place = [&](const MAHJONG_CHIP* chip) {
      return static_cast<std::size_t>(std::find(chips.begin(), chips.end(), chip) - chips.begin());
    };
    const MAHJONG_BOARD::CHIP_LIST& order = board.GetDealOrder();
    MAHJONG_CHIP* best[2] = {nullptr, nullptr};
    std::size_t bestPlace = 0;
    for (std::size_t k = 0; k + 1 < order.size(); k += 2) {
      MAHJONG_CHIP* a = order[k];
      MAHJONG_CHIP* b = order[k + 1];
      if (!a->isAvailable() || !b->isAvailable() || nextOne(a) || nextOne(b)) continue;
      const std::size_t last = std::max(place(a), place(b));
      if (best[0] == nullptr || last > bestPlace) {
        best[0] = a;
        best[1] = b;
        bestPlace = last;
      }
    }
    if (best[0] == nullptr) return;
    if (step == 4 || step == 5) {
      best[0]->SetType(step == 4 ? 38 : 34);
      best[1]->SetType(step == 4 ? 39 : 35);
    } else if (step == 7) {
      best[0]->m_isBonus = best[1]->m_isBonus = true;
    } else {
      best[0]->SetSpecial(true);
      best[1]->SetSpecial(true);
    }
  }

  // The level ends with its last special pair, which a small deal reaches before the tutorial's
  // end: while the tutorial runs, pairs of the deal's order still on the board are made special so
  // that two special pairs stay.
  static void keepLevelGoing(MAHJONG_LAYOUT& board) {
    const MAHJONG_BOARD::CHIP_LIST& order = board.GetDealOrder();
    int specials = 0;
    for (const MAHJONG_CHIP* chip : board.GetChips()) specials += chip->isSpecial() && !chip->isRemoving() ? 1 : 0;
    for (std::size_t k = order.size(); specials < 4 && k >= 2; k -= 2) {
      MAHJONG_CHIP* a = order[k - 2];
      MAHJONG_CHIP* b = order[k - 1];
      if (a->isRemoving() || b->isRemoving() || a->isSpecial() || b->isSpecial()) continue;
      a->SetSpecial(true);
      b->SetSpecial(true);
      specials += 2;
    }
  }

  // A pair step's panel is up: its text speaks of the kind of pair it frames, and that pair alone
  // is takeable.
  void expectPairFitsText(int step) {
    using FITS = bool (*)(const MAHJONG_CHIP*, const MAHJONG_CHIP*);
    const struct {
      int step;
      const wchar_t* says;
      FITS fits;
    } claims[] = {
        {2, L"the same face,\ntwo flowers or two seasons", [](auto a, auto b) { return a->isMatch(b); }},
        {4, L"the marked pair", [](auto a, auto b) { return a->isMatch(b); }},
        {5, L"two seasons", [](auto a, auto b) { return a->isSeason() && b->isSeason() && a->GetType() != b->GetType(); }},
        {6, L"two flowers", [](auto a, auto b) { return a->isFlower() && b->isFlower() && a->GetType() != b->GetType(); }},
        {8, L"bonus tile", [](auto a, auto b) { return a->isMatch(b) && (a->isBonus() || b->isBonus()); }},
        {9, L"Special tiles", [](auto a, auto b) { return a->isMatch(b) && (a->isSpecial() || b->isSpecial()); }},
    };
    for (const auto& claim : claims) {
      if (claim.step != step) continue;
      EXPECT_NE(manager->tutorial.messages[static_cast<std::size_t>(step - 1)].find(claim.says), std::wstring::npos);
      const std::vector<MAHJONG_CHIP*> chips = takeable();
      ASSERT_EQ(manager->tutorial.framePoints.size(), 2u);
      ASSERT_EQ(chips.size(), 2u);
      EXPECT_TRUE(claim.fits(chips[0], chips[1]));
    }
  }

  // The tutorial's level entered from the levels screen, dealt from the seed, up to the game screen.
  void enterTutorial(std::uint32_t seed) {
    player->m_tutorialShow = true;
    levelsOfPack1();
    QOR::qcRANDOM->fSetSeed(seed);
    click(manager->levels.buttons[0]);
    ASSERT_EQ(manager->tutorial.on, 1);
    ASSERT_TRUE(runWhile([this] { return !panelUp(); }));
    tick(flow_test::kEnter);
    ASSERT_TRUE(runWhile([this] { return manager->currentScreen != GAME_SCREEN; }));
  }

  // From the game screen the bot plays the level to its end, the test using the HUD slots when a
  // step points at them (checking that nothing is takeable before) and checking each pair step's
  // pair against its text; shown runs once per step while its panel is up. The player reads each panel before playing on: nothing is clicked while a
  // panel moves, nor while a step that goes on by itself waits for its panel to leave (at steps 4,
  // 5, 7 and 8 the next step comes on a removed pair with the panel out). With arranged, the deal
  // is given the kinds the later steps wait for and keeps two special pairs. The steps seen are
  // added to steps.
  void playTutorial(bool arranged, std::vector<int>& steps, const std::function<void(int)>& shown = [](int) {}) {
    MAHJONG_LAYOUT& board = *manager->board;
    BOARD_BOT bot(board);
    std::set<int> checked;
    // A box (no moves) ends the road where it stands.
    for (int n = 0; n < 40000 && manager->currentScreen == GAME_SCREEN && !manager->messageBox->isOpen(); ++n) {
      if (awardShown()) {
        tick(flow_test::kEnter);
        continue;
      }
      const int step = manager->tutorial.step;
      if (manager->tutorial.on != 0 && (steps.empty() || steps.back() != step)) steps.push_back(step);
      if (manager->tutorial.on != 0 && panelUp() && checked.insert(step).second) {
        SCOPED_TRACE("step " + std::to_string(step));
        if (step == 3 || step == 7) {
          EXPECT_TRUE(takeable().empty());
          // Waiting changes nothing, and no no-moves message comes.
          releaseMouse();
          for (int k = 0; k < 30; ++k) tick();
          EXPECT_TRUE(takeable().empty());
          EXPECT_EQ(manager->tutorial.step, step);
          EXPECT_FALSE(manager->messageBox->isOpen());
          MAHJONG_HUD_PANEL* hud = board.GetPanel();
          const int moves = board.m_movesMade;
          click(step == 3 ? hud->skillSlot.button : hud->bonusSlot.button);
          EXPECT_EQ(board.m_movesMade, moves);
          ASSERT_TRUE(runWhile([&] { return board.m_shuffleRequested || board.m_slideTween.active || board.m_dropTween.active; }));
          EXPECT_FALSE(takeable().empty()) << "the slot's use frees the board";
          continue;
        }
        expectPairFitsText(step);
        shown(step);
      }
      const bool waits = manager->tutorial.on != 0 && (manager->tutorial.panelAnimator.active ||
                                                       (!panelUp() && step != 4 && step != 5 && step != 7 && step != 8));
      if (waits) {
        releaseMouse();
        tick();
        continue;
      }
      if (arranged && manager->tutorial.on != 0) keepLevelGoing(board);
      if (arranged && manager->tutorial.on != 0 && !panelUp()) offerAwaitedPair(board, step);
      bot.BeforeTick();
      tick();
      bot.AfterTick(manager->levelRoad.lastBoardEvent);
    }
    releaseMouse();
  }
};

// The ten steps in order on the first level: the intro refuses its start while the first panel
// rises; pair steps leave exactly the framed pair takeable (two different seasons at step 5, two
// different flowers at step 6, a bonus tile at 8, a special tile at 9, each with a match); slot
// steps leave no tile takeable until the slot is used; after step 10 the tutorial is off, the level
// is finished by the bot and the profile on disk no longer asks for the tutorial.
TEST_F(Tutorial, TenStepsOnlyTheShownPairIsTakeable) {
  levelsOfPack1();
  QOR::qcRANDOM->fSetSeed(kDealSeed);
  click(manager->levels.buttons[0]);
  ASSERT_EQ(manager->tutorial.on, 1);
  ASSERT_EQ(manager->tutorial.step, 0);
  ASSERT_EQ(manager->tutorial.messages.size(), 10u);

  // The intro comes to rest and shows the first step; a start while its panel rises is refused.
  ASSERT_TRUE(runWhile([this] { return manager->tutorial.step == 0; }));
  EXPECT_EQ(manager->currentScreen, LEVEL_START_SCREEN);
  ASSERT_TRUE(manager->tutorial.panelAnimator.active);
  tick(flow_test::kEnter);
  EXPECT_EQ(manager->requestedScreen, LEVEL_START_SCREEN);
  EXPECT_EQ(manager->tutorial.counter, 1);
  ASSERT_TRUE(runWhile([this] { return !panelUp(); }));
  EXPECT_EQ(manager->tutorial.arrowPoints.size(), 1u);
  tick(flow_test::kEnter);
  EXPECT_EQ(manager->requestedScreen, GAME_SCREEN);
  ASSERT_TRUE(runWhile([this] { return manager->currentScreen != GAME_SCREEN; }));

  MAHJONG_LAYOUT& board = *manager->board;
  std::vector<int> steps{1};
  playTutorial(true, steps, [&](int step) {
    if (step == 9 && steps[steps.size() - 2] == 7) {
      // The bonus tiles were all taken while step 7 waited: step 8 passed without its text.
      const MAHJONG_BOARD::CHIP_LIST& all = board.GetChips();
      EXPECT_TRUE(std::none_of(all.begin(), all.end(), [](const MAHJONG_CHIP* c) { return c->isBonus() && !c->isRemoving(); }));
    }
  });
  ASSERT_FALSE(manager->messageBox->isOpen()) << "at step " << manager->tutorial.step;
  // Step 8 passes without its text when no bonus tile is left (checked as step 9 shows).
  std::vector<int> expected{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  if (std::find(steps.begin(), steps.end(), 8) == steps.end()) expected.erase(expected.begin() + 7);
  EXPECT_EQ(steps, expected);
  EXPECT_EQ(manager->tutorial.on, 0);
  EXPECT_EQ(manager->tutorial.step, 11);
  EXPECT_FALSE(player->m_tutorialShow);
  ASSERT_EQ(manager->currentScreen, LEVEL_END_SCREEN);
  MAHJONG_PLAYER onDisk(M::PlayerFilePath(), L"Ann");
  EXPECT_FALSE(onDisk.m_tutorialShow);
  EXPECT_GE(onDisk.m_levels[MAHJONG_PLAYER::LevelIndex(1, 1)], 1);
}

// The tutorial fills the shuffle bonus for its slot step itself, so entering its level empties
// that bonus, found by its id wherever the profile lists it; the others start the level full.
TEST_F(Tutorial, TheShuffleBonusIsEmptiedByItsIdWhereverItIsListed) {
  std::reverse(player->m_bonuses.begin(), player->m_bonuses.end());
  ASSERT_NE(player->m_bonuses[1].id, BONUS_TOSSCHIPS);
  for (PLAYER_BONUS& bonus : player->m_bonuses) bonus.charge = bonus.recover = 5;
  levelsOfPack1();
  click(manager->levels.buttons[0]);
  ASSERT_EQ(manager->tutorial.on, 1);
  for (const PLAYER_BONUS& bonus : player->m_bonuses) {
    EXPECT_EQ(bonus.charge, bonus.id == BONUS_TOSSCHIPS ? 0 : bonus.recover) << "bonus " << bonus.id;
  }
}

// The shipped tutorial level as dealt, from several seeds, played with no tile changed: every step
// whose text shows marks a pair of what the text speaks of; a step with no such pair on the board
// passes without its text.
TEST_F(Tutorial, EveryShownStepMarksThePairItsTextSpeaksOf) {
  for (const std::uint32_t seed : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    enterTutorial(seed);
    std::vector<int> steps;
    playTutorial(false, steps);
  }
  // A board that keeps a single flower, from step 4 on (its other flowers made seasons of two
  // faces, the tile taken last made a flower): the flowers' step can never come, so the tutorial
  // goes on past the seasons' step rather than waiting there.
  enterTutorial(kDealSeed);
  std::vector<int> steps;
  playTutorial(false, steps, [this](int step) {
    if (step != 4) return;
    int season = 0;
    for (MAHJONG_CHIP* chip : manager->board->GetChips()) {
      if (chip->isFlower()) chip->SetType(38 + season++ % 2);
    }
    const MAHJONG_BOARD::CHIP_LIST& order = manager->board->GetDealOrder();
    ASSERT_FALSE(order.empty());
    order.back()->SetType(34);
  });
  ASSERT_NE(std::find(steps.begin(), steps.end(), 5), steps.end()) << "the seasons' step came";
  EXPECT_GT(steps.back(), 5);
}

}  // namespace
