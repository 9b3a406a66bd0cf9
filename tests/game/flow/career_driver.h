// A player's hands on the whole game, through the real manager and input state: clicks on each
// screen's buttons once they stand still, the board bot's pairs, the tutorial's steps followed as
// a player follows them, trophy awards and messages confirmed with their OK buttons. Every wait
// ends on a state (a screen current, every slide and fade at rest), with a tick budget as the
// only limit. Shared by the career and the stray-input tests.
#pragma once

#include "engine/math/qs_vec2.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/flow/pack_button.h"
#include "game/flow/store_message_box.h"
#include "game/flow/trophy_item.h"
#include "tests/game/board/board_bot.h"
#include "tests/game/flow/flow_driver.h"

#include <memory>
#include <utility>
#include <vector>

namespace flow_test {

class CareerDriver : public FlowDriver {
 protected:
  static constexpr int kMouseLeft = board_test::kMouseLeft;

  // ---- what the screen shows ----
  bool awardOpen() const { return manager->trophyBox != nullptr && manager->trophyBox->isInfo(); }
  // A box that has slid in to the screen's middle and waits for its answer.
  static bool waiting(const STORE_MESSAGE_BOX* box) {
    return box != nullptr && box->isOpen() && !box->isHiding() &&
           box->fGetPosition().y == static_cast<float>(QOR::qcGAME->fGetResolution().y / 2);
  }
  bool moving() const {
    const MAHJONG_GAME_MANAGER& m = *manager;
    // The comic and the final screen run only the screen fade (the slides a switch starts there
    // wait for the next screen).
    if (m.currentScreen == COMICS_SCREEN || m.currentScreen == FINAL_SCREEN) return m.screenFade.active;
    bool flashing = false;
    for (const PACK_BUTTON* pack : m.packButtons) flashing = flashing || pack->lockFlash != 0 || pack->buttonFlash != 0;
    // The left panel counts money and experience up on the screens it stands beside.
    const bool counting = m.countUpRunning != 0 && (m.currentScreen == PACKS_SCREEN || m.currentScreen == LEVELS_SCREEN ||
                                                    m.currentScreen == TROPHIES_SCREEN);
    // A page turn runs only on its own screen.
    const bool turning = (m.currentScreen == LEVELS_SCREEN && m.pageTween.active) ||
                         (m.currentScreen == TROPHIES_SCREEN && m.trophyPageTween.active);
    return m.sidePanelTween.active || m.screenSlideTween.active || m.levelPanelTween.active || turning ||
           m.screenFade.active || counting || flashing ||
           (m.currentScreen == LEVELS_SCREEN && !m.newLevels.empty()) ||
           (m.messageBox != nullptr && m.messageBox->isHiding()) ||
           (m.trophyBox != nullptr && m.trophyBox->isHiding());
  }
  bool tutorialPanelUp() const {
    return !manager->tutorialPanelAnimator.active &&
           manager->tutorialPanelPos.y <= static_cast<float>(QOR::qcGAME->fGetResolution().y);
  }

  // ---- hands ----
  // Lets go of mouse button 1 away from everything, when a press is held.
  void releaseMouse() {
    const std::uint8_t left = QOR::qcCurrentInput->fGetState(kMouseLeft);
    if (left == 0 || left == 255) return;
    QOR::qcCurrentInput->fSetMousePosition(0, 0);
    QOR::qcCurrentInput->fKeyUp(kMouseLeft);
    tick();
  }
  // Waits for the award box to stand, notes the trophy and clicks OK; the box then slides away.
  void answerAward() {
    releaseMouse();
    ASSERT_TRUE(runWhile([this] { return awardOpen() && !waiting(manager->trophyBox); }));
    if (!awardOpen()) return;
    const int id = manager->awardedTrophy->fGetId();
    awards.push_back(id);
    if (id >= 21 && id <= 23 && manager->board != nullptr) {
      // The exact multiplier rules: the award came at exactly that multiplier.
      EXPECT_EQ(manager->board->GetPanel()->GetMultiplier(), 5 * (id - 20)) << "trophy " << id;
    }
    click(manager->trophyBox->fGetOkButton());
    EXPECT_TRUE(manager->trophyBox->isHiding()) << "trophy " << id << " was not confirmed";
  }
  // Confirms the general message box with its OK button once it stands.
  void answerMessage() {
    releaseMouse();
    ASSERT_TRUE(runWhile([this] { return manager->messageBox->isOpen() && !waiting(manager->messageBox); }));
    if (manager->messageBox->isOpen()) click(manager->messageBox->fGetOkButton());
  }
  // Ticks until nothing slides, fades, counts up or flashes; awards are answered on the way.
  void rest(int limit = 6000) {
    for (int n = 0; n < limit; ++n) {
      if (awardOpen()) {
        answerAward();
        continue;
      }
      if (!moving()) return;
      tick();
    }
    const MAHJONG_GAME_MANAGER& m = *manager;
    FAIL() << "the screen " << m.currentScreen << " never came to rest: side " << m.sidePanelTween.active << " slide "
           << m.screenSlideTween.active << " level panel " << m.levelPanelTween.active << " page "
           << m.pageTween.active << " shelf page " << m.trophyPageTween.active << " fade " << m.screenFade.active
           << " count-up " << static_cast<int>(m.countUpRunning) << " new levels " << m.newLevels.size();
  }
  void untilScreen(SCREEN_TYPE screen, int limit = 6000) {
    for (int n = 0; n < limit && manager->currentScreen != screen; ++n) {
      if (awardOpen()) {
        answerAward();
      } else {
        tick();
      }
    }
    ASSERT_EQ(manager->currentScreen, screen);
    rest();
  }

  // The level intro has come down and stands; a start is refused while the tutorial's panel moves.
  void untilIntroAtRest() {
    ASSERT_TRUE(runWhile([this] {
      if (awardOpen()) answerAward();
      return manager->currentScreen != LEVEL_START_SCREEN || manager->introPanelShown == 0 ||
             manager->sidePanelTween.active || manager->levelRoad.introPanel->fGetPosition().y < 0.0f ||
             manager->tutorialPanelAnimator.active;
    }));
  }

  // Plays the level that stands at its intro to its completion panel: the intro's start button,
  // then the board bot's pairs (or, while the tutorial runs, the pairs a player takes following
  // its steps); messages and awards are confirmed as they come, and a failed level is started
  // again. eachTick runs after every tick of play.
  void playToCompletion(const std::function<void()>& eachTick = [] {}, int budget = 60000) {
    std::unique_ptr<board_test::BOARD_BOT> bot;
    MAHJONG_LAYOUT* botBoard = nullptr;
    for (int n = 0; n < budget; ++n) {
      if (manager->currentScreen == LEVEL_END_SCREEN) {
        releaseMouse();
        return;
      }
      if (awardOpen()) {
        answerAward();
        continue;
      }
      if (manager->messageBox->isOpen() && !manager->messageBox->isHiding()) {
        answerMessage();
        continue;
      }
      if (manager->currentScreen == LEVEL_START_SCREEN) {
        releaseMouse();
        if (manager->requestedScreen == LEVEL_START_SCREEN && manager->introPanelShown != 0 &&
            !manager->sidePanelTween.active && manager->levelRoad.introPanel->fGetPosition().y >= 0.0f &&
            !manager->tutorialPanelAnimator.active) {
          click(manager->levelRoad.startButton);
        } else {
          tick();
        }
        continue;
      }
      if (manager->currentScreen != GAME_SCREEN) {
        tick();
        continue;
      }
      if (manager->tutorialOn != 0) {
        followTutorial();
        eachTick();
        continue;
      }
      if (bot == nullptr || botBoard != manager->board) {
        bot = std::make_unique<board_test::BOARD_BOT>(*manager->board);
        botBoard = manager->board;
      }
      bot->BeforeTick();
      tick();
      bot->AfterTick(manager->lastBoardEvent);
      eachTick();
    }
    FAIL() << "the level did not end within " << budget << " ticks, screen " << manager->currentScreen
           << ", tutorial step " << manager->tutorial.step;
  }

  // One move of a player who follows the tutorial: nothing while its panel moves or while a step
  // that goes on by itself waits for its panel to leave; a click on the slot a slot step points
  // at (while it takes clicks); else a free pair, sparing the special tiles before their own step
  // (the last of them ends the level).
  void followTutorial() {
    const int step = manager->tutorial.step;
    const bool up = tutorialPanelUp();
    const bool waitsForPair = step == 4 || step == 5 || step == 7 || step == 8;
    MAHJONG_LAYOUT& board = *manager->board;
    if (manager->tutorialPanelAnimator.active || (!up && !waitsForPair) || board.m_dropTween.active ||
        board.m_slideTween.active || board.m_shuffleRequested) {
      releaseMouse();
      tick();
      return;
    }
    if ((step == 3 || step == 7) && up) {
      // A slot used while the panel still rose leaves the panel up with the board free again:
      // the next pair puts it away.
      QOR::QC_IMAGE_BUTTON* slot = step == 3 ? board.GetPanel()->skillSlot.button : board.GetPanel()->bonusSlot.button;
      if (slot->fGetState() != 4) {
        click(slot);
        return;
      }
    }
    MAHJONG_CHIP* pair[2] = {nullptr, nullptr};
    for (const bool spare : {step < 9, false}) {
      for (MAHJONG_CHIP* a : board.GetChips()) {
        if (pair[0] != nullptr || !a->isAvailable() || (spare && a->isSpecial())) continue;
        for (MAHJONG_CHIP* b : board.GetChips()) {
          if (b == a || !b->isAvailable() || !a->isMatch(b) || (spare && b->isSpecial())) continue;
          pair[0] = a;
          pair[1] = b;
          break;
        }
      }
      if (pair[0] != nullptr) break;
    }
    if (pair[0] == nullptr) {
      tick();
      return;
    }
    for (MAHJONG_CHIP* chip : pair) {
      int x = 0;
      int y = 0;
      if (!board_test::ClickPoint(board, *chip, x, y)) {
        tick();
        return;
      }
      QOR::qcCurrentInput->fSetMousePosition(x, y);
      QOR::qcCurrentInput->fKeyDown(kMouseLeft);
      tick();
      QOR::qcCurrentInput->fKeyUp(kMouseLeft);
      tick();
    }
    QOR::qcCurrentInput->fSetMousePosition(0, 0);
  }

  std::vector<int> awards;  // trophies in the order their boxes were confirmed
};

}  // namespace flow_test
