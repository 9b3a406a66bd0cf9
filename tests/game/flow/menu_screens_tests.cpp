// The left panel, the packs screen and the levels screen driven through the real game manager over
// the real Resources: loaded to the title with a profile, then moved from screen to screen tick by
// tick through the real input state, every frame drawn on the recording device.
#include "engine/files/unreadable_data.h"
#include "engine/platform/qc_input.h"
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/sound/qc_sound.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_player.h"
#include "game/board/mahjong_sounds.h"
#include "game/flow/game_globals.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/pack_button.h"
#include "game/flow/store_message_box.h"
#include "game/flow/trophy_item.h"
#include "gui/widgets/qc_image_button.h"
#include "host/test_doors.h"
#include "tests/game/flow/flow_driver.h"
#include "tests/game/kit/game_services.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using flow_test::kEnter;

// The shared driver with a player; the menus' own settling.
class MenuScreensTest : public flow_test::PlayerDriver {
 protected:
  // Ticks while anything slides or fades or a message box is open (at most 600).
  void settle() {
    const auto busy = [this] {
      return m->sidePanelTween.active || m->screenSlideTween.active || m->levels.pageTween.active ||
             m->screenFade.active || m->messageBox->isOpen();
    };
    for (int n = 0; n < 600 && busy(); ++n) tick();
    ASSERT_FALSE(busy());
  }
  // Ticks until the screen is current (at most 600), then until everything has settled.
  void untilScreen(SCREEN_TYPE screen) {
    for (int n = 0; n < 600 && m->currentScreen != screen; ++n) tick();
    ASSERT_EQ(m->currentScreen, screen);
    settle();
  }
  // A level has just ended: the panel stands slid out, as the level's start left it.
  void leaveLevelFor(SCREEN_TYPE screen) {
    m->leftPanel.Slide(-302.0f);
    m->currentScreen = LEVEL_END_SCREEN;
    m->requestedScreen = screen;
    m->ChangeScreen();
  }
  // From the title to the packs screen, as Play leaves it.
  void enterPacks() {
    m->currentScreen = TITLE_SCREEN;
    m->requestedScreen = PACKS_SCREEN;
    m->ChangeScreen();
    settle();
    ASSERT_EQ(m->currentScreen, PACKS_SCREEN);
  }
  PACK_BUTTON& pack(int n) const { return *m->packs.buttons.at(static_cast<std::size_t>(n - 1)); }
  int& result(int packNumber, int level) const {
    return player->m_levels[MAHJONG_PLAYER::LevelIndex(packNumber, level)];
  }
  std::vector<int> levelStates() const {
    std::vector<int> states;
    for (const QOR::QC_IMAGE_BUTTON* button : m->levels.buttons) states.push_back(button->fGetState());
    return states;
  }

  MAHJONG_GAME_MANAGER*& m = manager;
};

// The packs from player.xml: names, ranks and their experience, pack 1 open whatever its flag,
// the others by their open flag; stars the truncated mean of the played levels of open packs. The
// screen slides in to exactly 450 with the panel at exactly -2. A locked pack says "rank too low"
// past the player's rank and "last level of the pack" up to it; an unlocking pack stays locked
// until its face flash ends, its lock sound plays once, and an open pack slides the screen out to
// exactly 1650 and on to its levels.
TEST_F(MenuScreensTest, PacksLockRulesStarsAndUnlockFlashes) {
  player->m_packs[0] = 0;
  player->m_packs[1] = 1;
  for (const auto& [level, stars] : std::vector<std::pair<int, int>>{{1, 3}, {2, 2}, {3, 2}}) result(1, level) = stars;
  result(3, 1) = 3;  // a result in a locked pack counts nothing
  m->loadMenus();
  ASSERT_EQ(m->packs.buttons.size(), 6u);
  EXPECT_EQ(pack(1).name, m->GetText("Flourishing Lotus"));
  EXPECT_EQ(pack(4).rankTitle, m->rankTitles.at(L"Expert"));
  EXPECT_EQ(pack(4).xp, 75);
  EXPECT_EQ(pack(6).price, 20000);
  std::vector<bool> locked;
  std::vector<int> stars;
  for (int n = 1; n <= 6; ++n) {
    locked.push_back(pack(n).isLocked());
    stars.push_back(pack(n).stars);
  }
  EXPECT_EQ(locked, (std::vector<bool>{false, false, true, true, true, true}));
  EXPECT_EQ(stars, (std::vector<int>{2, 0, 0, 0, 0, 0}));
  EXPECT_EQ(pack(2).button->fGetPosition().x, 2000.0f);
  EXPECT_EQ(pack(6).button->fGetPosition().y, 612.0f);

  enterPacks();
  EXPECT_EQ(m->packs.FirstX(), MAHJONG_GAME_MANAGER::kPacksInX);
  EXPECT_EQ(pack(1).button->fGetPosition().y, 192.0f);
  EXPECT_FLOAT_EQ(pack(4).button->fGetPosition().x, 800.0f);
  EXPECT_EQ(m->leftPanel.X(), -2.0f);
  EXPECT_EQ(m->leftPanel.careerButton->fGetState(), 3);

  // The player holds pack 3's rank: pack 4 asks for more; pack 3, which the player cannot pay for,
  // for its predecessor's last level.
  m->rankTitle = pack(3).rankTitle;
  const auto lockedMessage = [this](int n) {
    click(pack(n).button);
    const std::wstring text = m->messageBox->isInfo() ? m->messageBox->fGetText() : L"(none)";
    tick(kEnter);
    settle();
    return text;
  };
  EXPECT_EQ(lockedMessage(4), m->texts[MAHJONG_GAME_MANAGER::TXT_RANK_TOO_LOW]);
  EXPECT_NE(lockedMessage(3).find(m->texts[MAHJONG_GAME_MANAGER::TXT_LAST_LEVEL_PACK]), std::wstring::npos);
  EXPECT_EQ(m->currentScreen, PACKS_SCREEN);

  // Pack 3 opens as the rank rules open it: both flashes, the button clickable after the face's.
  pack(3).lockFlash = 1;
  pack(3).buttonFlash = 1;
  int lockSounds = 0;
  int ticksLocked = 0;
  for (int n = 0; n < 200 && (pack(3).lockFlash != 0 || pack(3).buttonFlash != 0); ++n) {
    if (pack(3).buttonFlash != 0) {
      EXPECT_TRUE(pack(3).isLocked());
      ++ticksLocked;
    }
    tick();
    lockSounds += played("pack_lock_broken.ogg") ? 1 : 0;
    if (pack(3).buttonFlash == 0 && pack(3).lockFlash != 0) {
      EXPECT_FALSE(pack(3).isLocked());
    }
  }
  EXPECT_EQ(lockSounds, 1);
  EXPECT_NEAR(ticksLocked, 42, 2);  // 0.3 s growing and 0.4 s fading at 60 ticks a second
  EXPECT_FALSE(pack(3).isLocked());
  EXPECT_EQ(m->packs.lockFlashSprite->fGetVertexColor(0), 0xFFFFFFFFu);

  // Pack 1 with its open flag 0: slides out to exactly 1650 and the levels follow.
  click(pack(1).button);
  EXPECT_TRUE(played("button_pack_click.ogg"));
  EXPECT_EQ(m->requestedScreen, LEVELS_SCREEN);
  for (int n = 0; n < 600 && m->currentScreen == PACKS_SCREEN; ++n) tick();
  EXPECT_EQ(m->currentScreen, LEVELS_SCREEN);
  EXPECT_EQ(m->packs.FirstX(), MAHJONG_GAME_MANAGER::kPacksOutX);
  EXPECT_EQ(m->currentPack, 1);
  EXPECT_NE(m->levels.backs[19]->fGetTexture(), QOR::qcRENDER->fGetDefaultTexture());
}

// The levels screen: with levels 1..10 played (one of them with no star) it opens on page 2 with
// level 11 open and 12..20 closed; the buttons stand in their grid; the page button turns pages
// and ignores clicks while a page turns, each turn landing exactly; a newly opened level flashes
// once and an index past the last level is dropped; back during a page turn goes to the packs
// without the panel, and the levels come again on their own page with the arrow answering.
TEST_F(MenuScreensTest, LevelsOpenRulePagesAndBack) {
  for (int level = 1; level <= 10; ++level) result(2, level) = level == 4 ? 0 : 2;
  player->m_packs[1] = 1;
  m->loadMenus();
  enterPacks();
  click(pack(2).button);
  untilScreen(LEVELS_SCREEN);
  ASSERT_EQ(m->currentPack, 2);

  std::vector<int> expected(20, 4);
  for (int i = 0; i <= 10; ++i) expected[static_cast<std::size_t>(i)] = 0;
  EXPECT_EQ(levelStates(), expected);
  const float page2 = -0.55f * 1024.0f;
  const QOR::QS_VEC2 first = m->levels.buttons[0]->fGetPosition();
  EXPECT_EQ(first.x, page2);
  EXPECT_EQ(first.y, 130.0f);
  EXPECT_EQ(m->page, 2);
  const auto at = [this, first](int level) {
    const QOR::QS_VEC2 p = m->levels.buttons[level - 1]->fGetPosition();
    return QOR::QS_VEC2(p.x - first.x, p.y);
  };
  for (const auto& [level, x, y] : std::vector<std::tuple<int, float, float>>{
           {3, 440.0f, 130.0f}, {4, 0.0f, 280.0f}, {10, 220.0f, 580.0f}, {11, 960.0f, 130.0f}, {20, 1180.0f, 580.0f}}) {
    EXPECT_NEAR(at(level).x, x, 0.01f) << "level " << level;
    EXPECT_EQ(at(level).y, y) << "level " << level;
  }

  // Page 2 -> 1: a click while the page turns changes nothing; the turn lands on 390 exactly.
  click(m->pageArrow);
  EXPECT_TRUE(m->levels.pageTween.active);
  EXPECT_EQ(m->page, 1);
  click(m->pageArrow);
  EXPECT_EQ(m->page, 1);
  EXPECT_EQ(m->levels.pageTween.end, MAHJONG_GAME_MANAGER::kLevelsInX);
  settle();
  EXPECT_EQ(m->levels.buttons[0]->fGetPosition().x, MAHJONG_GAME_MANAGER::kLevelsInX);
  EXPECT_EQ(m->pageArrow->fGetImage()->fGetTexture(), m->rightArrow);
  click(m->pageArrow);
  settle();
  EXPECT_EQ(m->page, 2);
  EXPECT_EQ(m->levels.buttons[0]->fGetPosition().x, page2);
  EXPECT_EQ(m->pageArrow->fGetImage()->fGetTexture(), m->leftArrow);

  // Level 11 was opened by the last completion: its flash runs once; a bad index is dropped.
  m->levels.newLevels = {10, 20};
  int flashTicks = 0;
  for (int n = 0; n < 200 && !m->levels.newLevels.empty(); ++n) {
    tick();
    ++flashTicks;
  }
  EXPECT_TRUE(m->levels.newLevels.empty());
  EXPECT_NEAR(flashTicks, 43, 2);  // 0.3 s growing and 0.4 s fading

  // Back while a page turns: the packs screen, the panel never moving.
  click(m->pageArrow);
  ASSERT_TRUE(m->levels.pageTween.active);
  click(m->leftPanel.backButton);
  EXPECT_EQ(m->requestedScreen, PACKS_SCREEN);
  for (int n = 0; n < 600 && m->currentScreen == LEVELS_SCREEN; ++n) {
    tick();
    EXPECT_EQ(m->leftPanel.X(), -2.0f);
  }
  EXPECT_EQ(m->levels.buttons[0]->fGetPosition().x, MAHJONG_GAME_MANAGER::kLevelsOutX);
  untilScreen(PACKS_SCREEN);
  EXPECT_EQ(m->packs.FirstX(), MAHJONG_GAME_MANAGER::kPacksInX);

  // The turn ended with the visit: the levels come again on the page of their next level, and
  // the arrow turns the page.
  click(pack(2).button);
  untilScreen(LEVELS_SCREEN);
  EXPECT_EQ(m->page, 2);
  EXPECT_EQ(m->levels.buttons[0]->fGetPosition().x, page2);
  click(m->pageArrow);
  settle();
  EXPECT_EQ(m->page, 1);
  EXPECT_EQ(m->levels.buttons[0]->fGetPosition().x, MAHJONG_GAME_MANAGER::kLevelsInX);

  // A shipped level that cannot be played (its tiles gone from the pack's copy) is told in a box,
  // and the screen stays as it was, with no board.
  pugi::xml_document* shipped = QOR::QC_GAME::fLoadXml("XML/levels pk2lv1.xml");
  pugi::xml_document kept;
  kept.reset(*shipped);
  shipped->child("tiles").remove_children();
  QOR::fForgetReportedDamage();
  host_test::fResetMessageBoxCount();
  click(m->levels.buttons[0]);
  settle();
  EXPECT_EQ(host_test::fMessageBoxCount(), 1);
  EXPECT_EQ(m->board, nullptr);
  EXPECT_EQ(m->levels.buttons[0]->fGetPosition().x, MAHJONG_GAME_MANAGER::kLevelsInX);
  shipped->reset(kept);
}

// The count-up after a level: money rises by the step value each step with "money.ogg" and the
// experience by 1; a step as large as the target falls to 0.4 of the rest and keeps that size for
// later count-ups; a step below 1 still adds 1, so every count-up arrives; a pack bought and back
// finish it at once; nothing passes the earned values.
TEST_F(MenuScreensTest, CountUpStepsArriveAndBackFinishes) {
  m->fx.countUpEffectDelay = 0.0f;
  m->fx.countUpIncrDelay = 0.0f;  // one step per tick
  const auto countUp = [this](int fromMoney, int toMoney, int fromXP, int toXP) {
    m->shownMoney = fromMoney;
    m->shownXP = fromXP;
    player->m_money = toMoney;
    player->m_XP = static_cast<float>(toXP);
    leaveLevelFor(PACKS_SCREEN);
    EXPECT_EQ(m->countUpRunning, 1);
    std::vector<int> money;
    for (int n = 0; n < 300 && m->countUpRunning != 0; ++n) {
      tick();
      if (played("money.ogg")) money.push_back(player->m_money);
      EXPECT_LE(player->m_money, toMoney);
    }
    EXPECT_EQ(m->countUpRunning, 0);
    EXPECT_EQ(player->m_money, toMoney);
    EXPECT_EQ(player->m_XP, static_cast<float>(toXP));
    settle();
    return money;
  };

  m->fx.countUpIncrement = 10;
  const std::vector<int> tens = countUp(0, 500, 0, 3);
  ASSERT_EQ(tens.size(), 50u);
  for (std::size_t i = 0; i < tens.size(); ++i) EXPECT_EQ(tens[i], 10 * static_cast<int>(i + 1));

  // A fresh process's first step of 50 towards 30: the step becomes 4 and stays 4.
  m->leftPanel.countUpStepSet = false;
  m->fx.countUpIncrement = 50;
  EXPECT_EQ(countUp(20, 30, 3, 3), (std::vector<int>{24, 28, 30}));
  EXPECT_EQ(m->leftPanel.countUpStepValue, 4.0f);
  EXPECT_EQ(countUp(30, 45, 3, 9), (std::vector<int>{34, 38, 42, 45}));  // experience 4..9 goes on
  EXPECT_EQ(m->leftPanel.countUpStepValue, 4.0f);

  // A step that truncates to 0 still adds 1.
  m->leftPanel.countUpStepValue = 0.4f;
  EXPECT_EQ(countUp(45, 48, 9, 9), (std::vector<int>{46, 47, 48}));

  // A pack bought while the count-up has far to go is paid from the money earned, to the last
  // coin, and stays paid: the last pack from then on, at its level 1, with both highlights. One
  // coin less is refused. The experience trophies the cut count-up owed come first, one by one.
  m->fx.countUpEffectDelay = 100.0f;
  for (const int money : {4999, 5000}) {
    const bool bought = money == 5000;
    m->shownMoney = 100;
    player->m_money = money;
    player->m_XP = static_cast<float>(m->shownXP = 50);  // the rank of pack 3 (5000)
    player->m_lastPack = 1;
    player->m_lastLevel = 7;
    leaveLevelFor(PACKS_SCREEN);
    settle();
    click(pack(3).button);
    std::vector<int> shown;
    for (int n = 0; n < 600 && m->trophies.awardBox->isOpen(); ++n, tick(kEnter)) {
      const int id = m->trophies.awarded->fGetId();
      if (shown.empty() || shown.back() != id) shown.push_back(id);
      EXPECT_FALSE(m->messageBox->isOpen());
    }
    EXPECT_EQ(shown, (bought ? std::vector<int>{} : std::vector<int>{4, 5}));
    if (!bought) click(pack(3).button);  // again, after the boxes
    ASSERT_TRUE(m->messageBox->isOpen());
    EXPECT_EQ(m->messageBox->isQuestion(), bought);  // else "notmoney"
    tick(kEnter);
    settle();
    for (const MAHJONG_PLAYER& p : {*player, MAHJONG_PLAYER(MAHJONG_GAME_MANAGER::PlayerFilePath(), L"Ann")}) {
      EXPECT_EQ(p.m_money, bought ? 0 : money);
      EXPECT_EQ(p.m_packs[2], bought ? 1 : 0);
      EXPECT_EQ(p.m_lastPack, bought ? 3 : 1);
      EXPECT_EQ(p.m_lastLevel, bought ? 1 : 7);
    }
    EXPECT_EQ(m->packs.glow->fGetPosition().y, pack(bought ? 3 : 1).button->fGetPosition().y);
    EXPECT_EQ(m->levels.glow->fGetPosition().y, m->levels.buttons[bought ? 0 : 6]->fGetPosition().y);
  }

  // Back during a count-up ends it at the earned values and slides to the title.
  m->fx.countUpIncrDelay = 1.0f;
  m->shownMoney = 48;
  m->shownXP = 9;
  player->m_money = 900;
  player->m_XP = 12.5f;
  leaveLevelFor(PACKS_SCREEN);
  settle();
  ASSERT_EQ(m->countUpRunning, 1);
  EXPECT_LT(player->m_money, 900);
  click(m->leftPanel.backButton);
  EXPECT_EQ(m->countUpRunning, 0);
  EXPECT_EQ(player->m_money, 900);
  EXPECT_EQ(player->m_XP, 12.5f);
  untilScreen(TITLE_SCREEN);
}

// After a level the levels screen opens with the count-up running and the next level flashing; a
// click on that level ends the count-up at the earned values before the board exists, makes the
// board for its file with the tutorial's bonus emptied on level 1 of pack 1, and slides the
// buttons and the panel out; the panel alone switches to the level intro, once.
TEST_F(MenuScreensTest, LevelClickCompletesTheCountUpAndEntersTheLevel) {
  result(1, 1) = 2;
  m->fx.countUpIncrDelay = 1.0f;
  m->shownMoney = 0;
  m->shownXP = 0;
  player->m_money = 300;
  player->m_XP = 10.25f;
  m->levels.newLevels = {1};
  leaveLevelFor(LEVELS_SCREEN);
  settle();
  ASSERT_EQ(m->currentScreen, LEVELS_SCREEN);
  ASSERT_EQ(m->countUpRunning, 1);
  EXPECT_EQ(m->levels.buttons[0]->fGetPosition().x, MAHJONG_GAME_MANAGER::kLevelsInX);
  EXPECT_EQ(m->leftPanel.X(), -2.0f);
  std::vector<int> expected(20, 4);
  expected[0] = expected[1] = 0;
  EXPECT_EQ(levelStates(), expected);

  click(m->levels.buttons[0]);
  EXPECT_TRUE(played("button_level_click.ogg"));
  EXPECT_EQ(m->countUpRunning, 0);
  EXPECT_EQ(player->m_money, 300);
  EXPECT_EQ(player->m_XP, 10.25f);
  EXPECT_TRUE(m->levels.newLevels.empty());
  ASSERT_NE(m->board, nullptr);
  EXPECT_EQ(m->board->m_pack, 1);
  EXPECT_EQ(m->board->m_level, 1);
  EXPECT_FALSE(m->board->GetChips().empty());
  EXPECT_EQ(m->board->m_hintText, m->texts[MAHJONG_GAME_MANAGER::TXT_CLICK_ANYWHERE]);
  EXPECT_EQ(m->currentLevel, 1);
  ASSERT_GE(player->m_bonuses.size(), 2u);
  EXPECT_EQ(player->m_bonuses[1].charge, 0);
  EXPECT_EQ(m->board->GetPanel()->bonusSlot.button->fGetState(), 4);
  EXPECT_EQ(m->requestedScreen, LEVEL_START_SCREEN);

  for (int n = 0; n < 600 && m->currentScreen == LEVELS_SCREEN; ++n) tick();
  EXPECT_EQ(m->currentScreen, LEVEL_START_SCREEN);
  EXPECT_EQ(m->leftPanel.X(), -302.0f);
  EXPECT_EQ(m->levels.buttons[0]->fGetPosition().x, MAHJONG_GAME_MANAGER::kLevelsOutX);
  // Entered once, by the panel: a second switch from the intro would slide the panel back in, and
  // the buttons' own switch would flash the black mask over the intro.
  EXPECT_FALSE(m->sidePanelTween.active);
  EXPECT_FALSE(m->screenFade.active);
  EXPECT_EQ(m->blackMask->fGetVertexColor(0) >> 24, 0u);
}

// At rest the packs and the levels screen pulse their highlight (on the last pack, on the last
// level) and nothing else: over a whole pulse, in and out, the frames they draw change in steps,
// not at every one of its 96 ticks, and still swell and fade through several alphas.
TEST_F(MenuScreensTest, AtRestAScreenChangesOnlyWithTheSteppedHighlightPulse) {
  for (const SCREEN_TYPE screen : {PACKS_SCREEN, LEVELS_SCREEN}) {
    enterPacks();
    if (screen == LEVELS_SCREEN) {
      click(pack(1).button);
      untilScreen(LEVELS_SCREEN);
    }
    // A frame as the device sees it: every call with its numbers and the vertices it draws.
    const auto frame = [this] {
      host_test::fRecordedCalls().clear();
      tick();
      std::string seen;
      for (const host_test::RecordedCall& call : host_test::fRecordedCalls()) {
        seen += call.name;
        for (double arg : call.args) seen += ' ' + std::to_string(arg);
        seen.append(call.vertices.begin(), call.vertices.end());
      }
      return seen;
    };
    std::set<std::string> distinct;
    std::string last = frame();
    int changes = 0;
    for (int n = 0; n < 96; ++n) {
      const std::string now = frame();
      changes += now != last ? 1 : 0;
      distinct.insert(now);
      last = now;
    }
    EXPECT_LE(changes, 18) << "screen " << screen;
    EXPECT_GE(distinct.size(), 5u) << "screen " << screen;
    m->currentScreen = TITLE_SCREEN;
  }
}

// The packs and levels screens at rest, only their highlights pulsing, are drawn at a few frames a
// second once they have stood still for a moment; whatever stirs brings the full rate back at the
// next update: the pointer moving, a key held, a slide, another screen.
TEST_F(MenuScreensTest, AMenuAtRestIsDrawnAtAFewFramesASecondUntilAnythingStirs) {
  const auto limitAfter = [this](int updates) {
    int limit = 0;
    for (int n = 0; n < updates; ++n) {
      tick();
      limit = m->FrameLimit(60);
    }
    return limit;
  };
  enterPacks();
  const int rest = limitAfter(60);
  EXPECT_GT(rest, 0);
  EXPECT_LE(rest, 20);
  QOR::qcCurrentInput->fSetMousePosition(500, 400);
  EXPECT_EQ(m->FrameLimit(60), 60);
  EXPECT_EQ(limitAfter(60), rest);
  QOR::qcCurrentInput->fKeyDown('A');
  EXPECT_EQ(limitAfter(60), 60) << "a key held";
  QOR::qcCurrentInput->fKeyUp('A');
  EXPECT_EQ(limitAfter(60), rest);
  click(pack(1).button);
  EXPECT_EQ(m->FrameLimit(60), 60) << "the screen slides to the levels";
  untilScreen(LEVELS_SCREEN);
  EXPECT_EQ(limitAfter(60), rest);
  m->currentScreen = TITLE_SCREEN;
  EXPECT_EQ(limitAfter(60), 60);
}

}  // namespace
