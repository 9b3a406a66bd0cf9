// The balance read from the real balance.xml, the level end's stars from the extra tasks with the
// best result and experience kept in the saved profile, and the removal of every free pair.
#include "tests/game/board/play_test_kit.h"

#include <string>
#include <vector>

namespace {

using board_test::CELL;
using board_test::LevelText;

class PlayLevelEnd : public board_test::PlayTest {};

TEST_F(PlayLevelEnd, BalanceByPack) {
  Begin("", "pk3lv7.xml", 7);
  MAHJONG_LAYOUT& b = *board;
  const int pack3[] = {
      b.m_scoreOne, b.m_scorePair, b.m_scoreOneSpec, b.m_scorePairSpec, b.m_scoreAllClickable, b.m_scoreEndLevel,
      b.m_xp1,      b.m_xp2,       b.m_xp3};
  EXPECT_EQ(std::vector<int>(std::begin(pack3), std::end(pack3)), (std::vector<int>{14, 30, 42, 140, 14, 7, 1, 2, 3}));
  // Three multiplier values are kept in tenths; the decay period as read.
  EXPECT_EQ(b.m_multiBonus, 30);
  EXPECT_EQ(b.m_multiPair, 20);
  EXPECT_EQ(b.m_multiIncrAp, 60);
  EXPECT_EQ(b.m_multiTimeDecr, 4);
  // A pack without an entry scores nothing; the multiplier rules stay.
  b.m_pack = 9;
  b.LoadBalance();
  EXPECT_EQ(b.m_scorePair, 0);
  EXPECT_EQ(b.m_scoreEndLevel, 0);
  EXPECT_EQ(b.m_multiIncrAp, 60);
}

// The stars: one, one more for each task met (the time rounded to the whole second, the points
// with the end bonus); the best result and the experience only grow; each level end is saved.
TEST_F(PlayLevelEnd, StarsBestResultsAndExperience) {
  const std::vector<CELL> cells = {{0, 2, 0, true}, {4, 2, 0, true}, {8, 2, 0}, {12, 2, 0}};
  Begin(LevelText(cells, 0), "pk2lv3.xml", 3);
  MAHJONG_LAYOUT& b = *board;
  ASSERT_EQ(b.m_pack, 2);
  const int index = MAHJONG_PLAYER::LevelIndex(2, 3);
  ASSERT_EQ(player->m_levels[index], -1);
  const int endBonus = 4 * b.m_scoreEndLevel;  // every tile still on the board
  ASSERT_GT(endBonus, 0);

  struct CASE {
    const char* what;
    int type1, value1, type2, value2;
    float elapsed;
    int moves, points;
    int stars, stored;
    float xp;
    const char* sound;
  };
  const CASE cases[] = {
      {"no task", kTaskNone, 0, kTaskNone, 0, 500.0f, 90, 0, 1, 1, 1.0f, "level_normal.ogg"},
      {"time 120 in 120.6 s", kTaskTime, 120, kTaskNone, 0, 120.6f, 5, 0, 1, 1, 1.0f, "level_normal.ogg"},
      {"120.5 s rounds up", kTaskTime, 120, kTaskNone, 0, 120.5f, 5, 0, 1, 1, 1.0f, "level_normal.ogg"},
      {"money one short", kTaskMoney, 500, kTaskNone, 0, 10.0f, 10, 499 - endBonus, 1, 1, 1.0f, "level_normal.ogg"},
      {"both met: from 1 to 3 stars", kTaskMoves, 10, kTaskMoney, 100, 10.0f, 10, 100, 3, 3, 3.0f,
       "level_excellent.ogg"},
      {"time 120 in 120.4 s, fewer than before", kTaskTime, 120, kTaskNone, 0, 120.4f, 5, 0, 2, 3, 3.0f,
       "level_good.ogg"},
      {"money met by the end bonus", kTaskMoney, 500, kTaskMoves, 9, 10.0f, 10, 500 - endBonus, 2, 3, 3.0f,
       "level_good.ogg"},
      {"only the second met", kTaskMoves, 9, kTaskTime, 60, 59.0f, 10, 0, 2, 3, 3.0f, "level_good.ogg"},
  };
  int total = player->m_totalScore;
  for (const CASE& c : cases) {
    SCOPED_TRACE(c.what);
    b.m_task1Type = c.type1;
    b.m_task1Value = c.value1;
    b.m_task2Type = c.type2;
    b.m_task2Value = c.value2;
    b.m_elapsed = c.elapsed;
    b.m_movesMade = c.moves;
    panel().SetScore(c.points);
    b.m_levelFinished = false;
    Hush();
    b.FinishLevel();
    EXPECT_EQ(b.GetStars(), c.stars);
    EXPECT_EQ(panel().GetScore(), c.points + endBonus);
    total += c.points + endBonus;
    EXPECT_EQ(player->m_totalScore, total);
    EXPECT_EQ(player->m_levels[index], c.stored);
    EXPECT_FLOAT_EQ(player->m_XP, c.xp);
    EXPECT_TRUE(Played(c.sound));
    MAHJONG_PLAYER saved(player->m_filePath, L"Player");
    EXPECT_EQ(saved.m_levels[index], c.stored);
    EXPECT_FLOAT_EQ(saved.m_XP, c.xp);
  }

  // A level outside the career (no pack) pays but keeps no stars.
  b.m_pack = 0;
  b.m_task1Type = b.m_task2Type = kTaskNone;
  b.m_task1Value = b.m_task2Value = 0;
  b.m_levelFinished = false;
  b.FinishLevel();
  EXPECT_EQ(b.GetStars(), 1);
  EXPECT_FLOAT_EQ(player->m_XP, 3.0f);
}

// Every free pair at once: each pair starts its flight, the points of the all-pairs removal, and
// the level end when no special tile is left; the flights still land afterwards.
TEST_F(PlayLevelEnd, AllFreePairsAtOnce) {
  const std::vector<CELL> cells = {{0, 2, 0, true, false, 3},   {4, 2, 0, true, false, 3},
                                   {8, 2, 0, false, false, 4},  {12, 2, 0, false, false, 4},
                                   {16, 2, 0, false, false, 4}, {20, 2, 0, false, false, 6},
                                   {24, 2, 0, false, false, 7}, {28, 2, 0, false, false, 7}};
  Begin(LevelText(cells, 0));
  MAHJONG_LAYOUT& b = *board;
  b.RemoveAllFreePairs();
  int flying = 0;
  for (const MAHJONG_CHIP* chip : b.GetChips()) flying += chip->m_removing ? 1 : 0;
  EXPECT_EQ(flying, 6) << "three of a face make one pair";
  EXPECT_TRUE(b.isLevelFinished());
  EXPECT_EQ(panel().GetScore(), 6 * b.m_scoreAllClickable + 8 * b.m_scoreEndLevel);
  EXPECT_EQ(player->m_levels[0], 1);
  EXPECT_EQ(Settle(), 0);
  EXPECT_EQ(b.GetChips().size(), 2u);
}

}  // namespace
