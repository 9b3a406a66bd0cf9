// The board's rules on small boards: which tiles are free, how many moves are left, which pair a
// tip shows, when a level is complete, which faces match, and the deal's face rules.
#include "engine/platform/qc_random.h"
#include "engine/render/qc_sprite.h"
#include "game/board/chip_trail.h"
#include "game/board/remove_chip_bezier.h"
#include "game/board/mahjong_board.h"
#include "game/board/mahjong_chip.h"
#include "tests/game/board/board_test_kit.h"
#include "tests/kit/log_capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

using board_test::CELL;
using board_test::ChipAt;

namespace {

class BoardRules : public ::testing::Test {
 protected:
  void SetUp() override {
    board_test::UseShippedMetrics();
    board.SetTileMetrics(tileMetrics);
    board.SetRandom(&random);
  }
  void Load(const std::vector<CELL>& cells, int specsTotal = 0, const char* suits = nullptr) {
    ASSERT_TRUE(board_test::Load(board, board_test::LevelText(cells, specsTotal, suits)));
  }
  bool Free(int gx, int gy, int layer) {
    MAHJONG_CHIP* chip = ChipAt(board, gx, gy, layer);
    EXPECT_NE(chip, nullptr) << gx << "," << gy << "," << layer;
    return chip != nullptr && chip->bFreee;
  }

  qor_test::LogCapture log;
  QOR::QC_RANDOM random{5};
  MAHJONG_BOARD board;
};

// Side neighbours block only in pairs, only at exactly one tile width and on overlapping rows;
// a tile one layer up blocks when it is at most half a tile off in x and y; two layers up never.
TEST_F(BoardRules, FreeRule) {
  // A row of three, a lone tile beside a gap of a tile and a fraction, rows half a tile apart.
  Load({{0, 0, 0}, {2, 0, 0}, {4, 0, 0}, {20, 0, 0}, {24, 0, 0}, {22, 1, 0}});
  EXPECT_TRUE(Free(0, 0, 0));
  EXPECT_FALSE(Free(2, 0, 0));
  EXPECT_TRUE(Free(4, 0, 0));
  EXPECT_FALSE(Free(22, 1, 0)) << "rows half a tile apart still count as neighbours";
  MAHJONG_CHIP* lone = ChipAt(board, 20, 0, 0);
  lone->SetPositionXY(lone->m_position.x + 0.5f, lone->m_position.y);  // 1 tile + 0.5 px from its right neighbour
  board.UpdateAllFree();
  EXPECT_TRUE(Free(22, 1, 0));

  // Half a tile sideways one layer up blocks; a whole tile does not; a tile two layers up does not.
  Load({{0, 0, 0}, {1, 1, 1}, {10, 0, 0}, {12, 0, 1}, {20, 0, 0}, {20, 0, 2}});
  EXPECT_FALSE(Free(0, 0, 0));
  EXPECT_TRUE(Free(10, 0, 0));
  EXPECT_TRUE(Free(20, 0, 0));

  // A chip in flight neither blocks nor is free; a null chip is not free and says so.
  Load({{0, 0, 0}, {0, 0, 1}});
  ChipAt(board, 0, 0, 1)->m_removing = true;
  board.UpdateAllFree();
  EXPECT_TRUE(Free(0, 0, 0));
  EXPECT_FALSE(board.UpdateChipFree(ChipAt(board, 0, 0, 1), board.GetChips()));
  EXPECT_FALSE(board.UpdateChipFree(nullptr, board.GetChips()));
  EXPECT_TRUE(log.contains("MAHJONG_CHIP* is null! "));

  // The rule works in the metrics the board was given, whatever the process-wide ones say.
  Load({{0, 0, 0}, {2, 0, 0}, {4, 0, 0}});
  const MAHJONG_CHIP* row[3] = {ChipAt(board, 0, 0, 0), ChipAt(board, 2, 0, 0), ChipAt(board, 4, 0, 0)};
  ASSERT_TRUE(row[0] != nullptr && row[1] != nullptr && row[2] != nullptr);
  tileMetrics = TILE_METRICS{};
  board.UpdateAllFree();
  board_test::UseShippedMetrics();
  EXPECT_TRUE(row[0]->bFreee && !row[1]->bFreee && row[2]->bFreee);
}

// Three free tiles of one face give 2 moves, four give 3; flowers match flowers, seasons seasons;
// a tile never matches itself or one at the very same place. The tip prefers a special first tile
// and a special partner; a level is complete when no special tile is left outside a flight.
TEST_F(BoardRules, MovesMatchingTipsAndCompletion) {
  std::vector<CELL> row;
  for (int c = 0; c < 4; ++c) row.push_back({4 * c, 0, 0});
  Load(row);
  for (MAHJONG_CHIP* chip : board.GetChips()) chip->m_type = 5;
  board.CalcAvailableMoves();
  EXPECT_EQ(board.m_availableMoves, 3);
  board.GetChips()[3]->m_type = 6;
  board.CalcAvailableMoves();
  EXPECT_EQ(board.m_availableMoves, 2);

  MAHJONG_CHIP* a = board.GetChips()[0];
  MAHJONG_CHIP* b = board.GetChips()[1];
  const int pairs[][3] = {{35, 36, 1}, {38, 41, 1}, {33, 34, 0}, {37, 38, 0}, {34, 34, 1}, {12, 13, 0}};
  for (const auto& p : pairs) {
    a->m_type = p[0];
    b->m_type = p[1];
    EXPECT_EQ(a->isMatch(b), p[2] == 1) << p[0] << " with " << p[1];
  }
  EXPECT_FALSE(a->isMatch(a));
  // At (y, x) the twin lies as far from the origin as a: only comparing x and y tells them apart.
  MAHJONG_CHIP twin(nullptr, QOR::QS_VEC2(a->m_position.y, a->m_position.x), a->m_layer, false, false);
  twin.m_type = a->m_type;
  EXPECT_TRUE(a->isMatch(&twin));
  twin.SetPosition(a->m_position);
  EXPECT_FALSE(a->isMatch(&twin));

  // Faces 7, 7 (special), 7 (special), 9 in list order: the tip starts from the first special
  // tile, though a plain one comes before it, and takes the special partner over the plain one.
  const int faces[] = {7, 7, 7, 9};
  for (int i = 0; i < 4; ++i) board.GetChips()[i]->m_type = faces[i];
  board.GetChips()[1]->m_isSpecial = true;
  board.GetChips()[2]->m_isSpecial = true;
  board.FindTipPair();
  EXPECT_EQ(board.m_tipChipA, board.GetChips()[1]);
  EXPECT_EQ(board.m_tipChipB, board.GetChips()[2]);

  EXPECT_FALSE(board.isLevelComplete());
  board.GetChips()[1]->m_removing = true;
  board.GetChips()[2]->m_removing = true;
  EXPECT_TRUE(board.isLevelComplete()) << "ordinary tiles may remain";
  board.DeleteAllChips();
  EXPECT_TRUE(board.isLevelComplete());
  EXPECT_EQ(board.m_tipChipA, nullptr);
  EXPECT_EQ(board.m_tipChipB, nullptr);
}

// The deal's face rules: two fixed tiles that do not match are refused, one fixed tile gives its
// face; with only the dragons (3 faces, 6 pairs) a board of 8 pairs still deals; with no suit
// enabled every suit is dealt instead of drawing forever; more specials wanted than candidates
// deals nothing; a reshuffle keeps the move count, the specials and the faces of tiles in flight.
TEST_F(BoardRules, DealFaceRules) {
  Load({{0, 0, 0, false, false, 3}, {4, 0, 0, false, false, 4}, {8, 0, 0}});
  MAHJONG_CHIP* three = ChipAt(board, 0, 0, 0);
  MAHJONG_CHIP* four = ChipAt(board, 4, 0, 0);
  MAHJONG_CHIP* loose = ChipAt(board, 8, 0, 0);
  EXPECT_EQ(board.AssignTileTypes(three, four), -1);
  EXPECT_EQ(three->m_type, 3);
  EXPECT_EQ(four->m_type, 4);
  EXPECT_EQ(board.AssignTileTypes(loose, four), 0);
  EXPECT_EQ(loose->m_type, 4);

  std::vector<CELL> row;
  for (int c = 0; c < 16; ++c) row.push_back({2 * c, 0, 0});
  Load(row, 0, "dragons=\"yes\"");
  board.AlternBuildPath(false);
  ASSERT_EQ(board.GetChips().size(), 16u);
  for (const MAHJONG_CHIP* chip : board.GetChips()) EXPECT_TRUE(chip->m_type >= 27 && chip->m_type <= 29);
  EXPECT_TRUE(log.contains("memset!!!!!!!!"));

  Load(row, 0, "");
  log.clear();
  board.AlternBuildPath(false);
  std::set<int> suits;
  for (const MAHJONG_CHIP* chip : board.GetChips()) suits.insert(MAHJONG_FACES::SuitOfFace(chip->m_type));
  EXPECT_GT(suits.size(), 2u);
  EXPECT_TRUE(log.contains("no suit enabled"));

  row[3].special = row[9].special = true;
  Load(row, 3);
  board.AlternBuildPath(false);
  EXPECT_TRUE(log.contains("amount of special tiles exceeds amount of possible positions "));
  for (const MAHJONG_CHIP* chip : board.GetChips()) EXPECT_EQ(chip->m_type, 0);

  // 18 tiles, one with a fixed flower, which the deal pairs with a flower; a pair in flight
  // during the reshuffles.
  row.push_back({32, 0, 0});
  row.push_back({34, 0, 0});
  row[0].fixedType = 36;
  Load(row, 1);
  board.AlternBuildPath(false);
  ASSERT_EQ(board.GetChips().size(), 18u);
  const MAHJONG_BOARD::CHIP_LIST& order = board.GetDealOrder();
  const auto fixedAt = std::find(order.begin(), order.end(), ChipAt(board, 0, 0, 0)) - order.begin();
  EXPECT_TRUE(order[static_cast<std::size_t>(fixedAt ^ 1)]->isFlower()) << "the fixed flower's partner";
  const int moves = board.m_dealMoveCount;
  MAHJONG_CHIP* flying = board.GetChips()[5];
  const int flyingFace = flying->m_type;
  flying->m_removing = true;
  board.GetChips()[6]->m_removing = true;
  std::vector<const MAHJONG_CHIP*> specials;
  for (const MAHJONG_CHIP* chip : board.GetChips())
    if (chip->m_isSpecial) specials.push_back(chip);
  for (int k = 0; k < 8; ++k) {
    board.AlternBuildPath(true);
    EXPECT_EQ(board.m_dealMoveCount, moves);
    // Kept faces stay, a flower or season within its group.
    EXPECT_TRUE(MAHJONG_FACES::isMatch(flying->m_type, flyingFace)) << flying->m_type << " was " << flyingFace;
    const MAHJONG_CHIP* fixedFlower = ChipAt(board, 0, 0, 0);
    EXPECT_TRUE(fixedFlower->isFlower()) << fixedFlower->m_type;
    std::vector<const MAHJONG_CHIP*> now;
    for (const MAHJONG_CHIP* chip : board.GetChips())
      if (chip->m_isSpecial) now.push_back(chip);
    EXPECT_EQ(now, specials);
    EXPECT_EQ(board.GetChips().size(), 18u);
  }
}

// The removal flight reaches exactly the end point and ends on the update after; a frame not
// shorter than the flight leaves it where it is; a curve of no length ends at once at its end. The
// trail keeps fewer points than its maximum and empties itself after its lifetime.
TEST(ChipFlight, CurveAndTrail) {
  REMOVE_CHIP_BEZIER curve;
  curve.duration = 0.5f;
  curve.end = QOR::QS_VEC2(880.0f, 30.0f);
  curve.mid = QOR::QS_VEC2(640.0f, 420.0f);
  const QOR::QS_VEC2 start(100.0f, 200.0f);
  float t = 0.0f;
  bool flying = true;
  QOR::QS_VEC2 at = curve.GetPoint(start, t, flying, 0.5f);
  EXPECT_TRUE(at.x == start.x && at.y == start.y && t == 0.0f && flying);
  for (int step = 1; step <= 4; ++step) at = curve.GetPoint(start, t, flying, 0.125f);
  EXPECT_TRUE(flying);
  EXPECT_TRUE(at.x == 880.0f && at.y == 30.0f);
  at = curve.GetPoint(start, t, flying, 0.125f);
  EXPECT_FALSE(flying);
  EXPECT_TRUE(at.x == 880.0f && at.y == 30.0f);
  curve.duration = 0.0f;
  flying = true;
  at = curve.GetPoint(start, t, flying, 0.016f);
  EXPECT_FALSE(flying);
  EXPECT_TRUE(at.x == 880.0f && at.y == 30.0f);

  QOR::QC_SPRITE sprite(static_cast<QOR::QC_TEXTURE_INFO*>(nullptr));
  CHIP_TRAIL trail;
  trail.Init(1.0f, 0.0625f, 4, false);
  trail.Follow(&sprite);
  std::size_t most = 0;
  for (int tick = 0; tick < 200; ++tick) {
    sprite.fSetPosition(static_cast<float>(tick), 0.0f, 0.0f);
    trail.Update(0.0625f);
    most = std::max(most, trail.GetPoints().size());
  }
  EXPECT_EQ(most, 3u);
  EXPECT_TRUE(trail.GetPoints().empty());
}

}  // namespace
