// The tester's keys in the play step, with the cheat flag off (no "cheating.txt" beside the game)
// and on: each key's effect, and the win key taking the special tiles off the board, in flight or
// not, with no pointer left to them.
#include "game/board/mahjong_consts.h"
#include "host/win_keyboard.h"
#include "tests/game/board/play_test_kit.h"

#include <algorithm>
#include <initializer_list>

namespace {

using board_test::CELL;
using board_test::LevelText;

class CheatKeys : public board_test::PlayTest {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    saved = MAHJONG_CONSTS::GetInstance()->cheats;
  }
  void TearDown() override {
    MAHJONG_CONSTS::GetInstance()->cheats = saved;
    PlayTest::TearDown();
  }
  static void SetCheats(bool on) { MAHJONG_CONSTS::GetInstance()->cheats = on; }
  // A bonus of the profile that is in use and empty.
  void GiveBonus() {
    player->m_bonuses.clear();
    player->m_bonuses.emplace_back(2, 0);
    player->m_bonuses.back().recover = 40;
    player->m_bonuses.back().set = 1;
  }
  int Specials() const {
    return static_cast<int>(std::count_if(board->GetChips().begin(), board->GetChips().end(),
                                          [](const MAHJONG_CHIP* chip) { return chip->m_isSpecial; }));
  }

  bool saved = false;
};

// A row of free tiles (fixed faces), a blocked tile between two others, and two special pairs.
std::string CheatLevel() {
  const std::vector<CELL> cells = {{0, 2, 0, false, false, 5},  {4, 2, 0, false, false, 5},  {8, 2, 0, true, false, 8},
                                   {12, 2, 0, true, false, 8},  {0, 6, 0, false, false, 20}, {2, 6, 0, false, false, 21},
                                   {4, 6, 0, false, false, 20}, {10, 6, 0, true, false, 30}, {14, 6, 0, true, false, 30},
                                   {20, 6, 0, false, false, 21}};
  return LevelText(cells, 0);
}

TEST_F(CheatKeys, WithoutTheCheatFileNoKeyActs) {
  SetCheats(MAHJONG_CONSTS::HasCheatFile());
  ASSERT_FALSE(MAHJONG_CONSTS::GetInstance()->cheats) << "the game's folder holds no cheat file";
  Begin(CheatLevel());
  GiveBonus();
  MAHJONG_LAYOUT& b = *board;
  const std::size_t chips = b.GetChips().size();
  Hush();
  log.clear();
  for (int key : std::initializer_list<int>{'U', 'R', 'D', 'T', 'S', static_cast<int>(VK_F1), static_cast<int>(VK_F2), 'B', 'Q', 'E', 'F'}) {
    EXPECT_EQ(Key(key), 0) << key;
  }
  EXPECT_EQ(b.GetChips().size(), chips);
  EXPECT_FALSE(b.isLevelFinished());
  EXPECT_LT(b.m_elapsed, 1.0f);
  EXPECT_EQ(b.m_movesMade, 0);
  EXPECT_FALSE(b.m_deleteAny);
  EXPECT_FALSE(b.m_darkenToggle);
  EXPECT_FALSE(b.m_layerFadeRunning);
  EXPECT_EQ(player->m_bonuses.front().charge, 0);
  EXPECT_FALSE(Played("inc_multiplier.ogg"));
  EXPECT_FALSE(Played("bonus_ready.ogg"));
  for (const char* line : {"win right now", "R - set up effects ", "D - delete any chip", "T -  plus 1 minute ",
                           "S - show special chips ", "F1 - moves made ++ ", "F2 - moves made -- "}) {
    EXPECT_FALSE(log.contains(line)) << line;
  }
  // A click on a free tile only selects it.
  Click(At(20, 6));
  EXPECT_EQ(b.m_selectedChip, At(20, 6));
  EXPECT_EQ(b.GetChips().size(), chips);
}

TEST_F(CheatKeys, WithTheFlagEachKeyActsOnTheTickItIsReleased) {
  SetCheats(true);
  Begin(CheatLevel());
  GiveBonus();
  MAHJONG_LAYOUT& b = *board;
  Hush();
  log.clear();

  const float before = b.m_elapsed;
  Key('T');
  EXPECT_GE(b.m_elapsed, before + 60.0f);
  EXPECT_LT(b.m_elapsed, before + 61.0f);
  Key(static_cast<int>(VK_F1));
  Key(static_cast<int>(VK_F1));
  Key(static_cast<int>(VK_F2));
  EXPECT_EQ(b.m_movesMade, 1);
  // Held down, a key does nothing until it is released.
  QOR::qcCurrentInput->fKeyDown(static_cast<int>(VK_F1));
  Tick();
  Tick();
  EXPECT_EQ(b.m_movesMade, 1);
  QOR::qcCurrentInput->fKeyUp(static_cast<int>(VK_F1));
  Tick();
  EXPECT_EQ(b.m_movesMade, 2);
  for (const char* line : {"T -  plus 1 minute ", "F1 - moves made ++ ", "F2 - moves made -- "}) {
    EXPECT_TRUE(log.hasLine(line)) << line;
  }

  // D: a blocked tile ignores the click; the next free one is removed alone.
  Key('D');
  EXPECT_TRUE(b.m_deleteAny);
  ASSERT_FALSE(At(2, 6)->bFreee);
  Click(At(2, 6));
  EXPECT_TRUE(b.m_deleteAny);
  EXPECT_FALSE(At(2, 6)->m_removing);
  MAHJONG_CHIP* lone = At(20, 6);
  Click(lone);
  EXPECT_FALSE(b.m_deleteAny);
  EXPECT_TRUE(lone->m_removing);
  Settle();
  EXPECT_EQ(At(20, 6), nullptr);

  // Q fades the darkening out first, then in again.
  Key('Q');
  EXPECT_TRUE(b.m_darkenToggle);
  Key('Q');
  EXPECT_FALSE(b.m_darkenToggle);
  // E: the multiplier's sound and flash; F: every bonus full, with its sound; B refills the ones
  // in use.
  Hush();
  Key('E');
  EXPECT_TRUE(Played("inc_multiplier.ogg"));
  EXPECT_TRUE(panel().multFlash.running);
  Key('F');
  EXPECT_TRUE(Played("bonus_ready.ogg"));
  EXPECT_EQ(player->m_bonuses.front().charge, 40);
  player->m_bonuses.front().charge = 3;
  Key('B');
  EXPECT_EQ(player->m_bonuses.front().charge, 40);
  // S starts the layers' fade that shows the special tiles; R reads the effect keys again.
  Key('S');
  EXPECT_TRUE(b.m_layerFadeRunning);
  log.clear();
  Key('R');
  EXPECT_TRUE(log.hasLine("R - set up effects "));
  EXPECT_FALSE(b.isLevelFinished());
}

TEST_F(CheatKeys, TheWinKeyTakesEverySpecialTileOffAndEndsTheLevel) {
  SetCheats(true);
  Begin(CheatLevel());
  MAHJONG_LAYOUT& b = *board;
  // One special pair is in its flight, a special tile of the other pair is selected and hovered.
  ASSERT_EQ(Click(At(8, 2)), 0);
  ASSERT_EQ(Click(At(12, 2)), MAHJONG_LAYOUT::kEventPairRemoved);
  ASSERT_TRUE(At(8, 2)->m_removing);
  Click(At(10, 6));
  ASSERT_EQ(b.m_selectedChip, At(10, 6));
  ASSERT_EQ(Specials(), 4);
  const std::size_t ordinary = b.GetChips().size() - 4;

  log.clear();
  EXPECT_EQ(Key('U'), MAHJONG_LAYOUT::kEventLevelComplete);
  EXPECT_TRUE(log.hasLine("win right now"));
  EXPECT_EQ(Specials(), 0);
  EXPECT_EQ(b.GetChips().size(), ordinary) << "the ordinary tiles stay";
  EXPECT_EQ(b.m_selectedChip, nullptr);
  EXPECT_TRUE(b.m_hoverChip == nullptr || !b.m_hoverChip->m_isSpecial);
  EXPECT_TRUE(b.m_tipChipA == nullptr || !b.m_tipChipA->m_isSpecial);
  EXPECT_TRUE(b.isLevelFinished());
  // The board goes on drawing and stepping without the deleted tiles.
  for (int n = 0; n < 30; ++n) EXPECT_EQ(Tick(), 0);
}

}  // namespace
