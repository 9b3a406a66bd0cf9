// The career's level files: they load by the game's rules, fit the screen, carry what the game
// needs (an even count, specials, suits, tasks) and deal without degradation for many seeds.
#include "tests/data/data_fixture.h"

#include "tools/data/levels/board_geometry.h"
#include "tools/data/levels/deal_check.h"
#include "tools/data/levels/level_designer.h"
#include "tools/data/levels/level_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using QOR::QS_GRID_TILE;
using QOR::QS_LEVEL;

QS_GRID_TILE tile(int x, int y, int layer, bool special = false) { return QS_GRID_TILE{x, y, layer, false, special}; }

const std::vector<QS_LEVEL>& careerLevels() {
  static const std::vector<QS_LEVEL> kLevels = [] {
    std::vector<QS_LEVEL> levels;
    for (int pack = 1; pack <= QOR::kPackCount; ++pack)
      for (int number = 1; number <= QOR::kLevelsPerPack; ++number) {
        QS_LEVEL level;
        std::string why;
        const std::string name = QOR::fLevelFileName(pack, number);
        EXPECT_TRUE(QOR::fReadLevel(qor_test::fResourceBytes(name), level, why)) << name << ": " << why;
        levels.push_back(level);
      }
    return levels;
  }();
  return kLevels;
}

std::string nameOf(std::size_t index) {
  return QOR::fLevelFileName(static_cast<int>(index) / QOR::kLevelsPerPack + 1,
                             static_cast<int>(index) % QOR::kLevelsPerPack + 1);
}

TEST(DataLevelRules, FreeRuleInGridUnits) {
  // One layer up within half a tile covers; a whole tile aside or two layers up does not.
  EXPECT_TRUE(QOR::isCovering(tile(11, 11, 1), tile(10, 10, 0)));
  EXPECT_FALSE(QOR::isCovering(tile(12, 10, 1), tile(10, 10, 0)));
  EXPECT_FALSE(QOR::isCovering(tile(10, 10, 2), tile(10, 10, 0)));
  EXPECT_EQ(QOR::fSideNeighbour(tile(12, 11, 0), tile(10, 10, 0)), 1);
  EXPECT_EQ(QOR::fSideNeighbour(tile(8, 10, 0), tile(10, 10, 0)), -1);
  EXPECT_EQ(QOR::fSideNeighbour(tile(12, 12, 0), tile(10, 10, 0)), 0);
  const std::vector<QS_GRID_TILE> row = {tile(2, 2, 0), tile(4, 2, 0), tile(6, 2, 0)};
  EXPECT_EQ(QOR::fFreeFlags(row, {0, 1, 2}), (std::vector<bool>{true, false, true}));
  EXPECT_EQ(QOR::fFreeFlags(row, {0, 1}), (std::vector<bool>{true, true}));
}

TEST(DataLevelRules, TimeTasksReadAsMinutesAndSeconds) {
  EXPECT_EQ(QOR::fTimeTaskSeconds("2.3"), 149);  // the float rounding the game lives with
  EXPECT_EQ(QOR::fTimeTaskSeconds("2.31"), 150);
  EXPECT_EQ(QOR::fTimeTaskSeconds("1.5"), 110);
  EXPECT_EQ(QOR::fTimeTaskSeconds("nonsense"), 0);
  for (int seconds = 0; seconds <= 900; ++seconds)
    EXPECT_EQ(QOR::fTimeTaskSeconds(QOR::fTimeTaskText(seconds)), seconds) << QOR::fTimeTaskText(seconds);
}

TEST(DataLevelRules, DealerFindsDegradedBoards) {
  QS_LEVEL clean;
  clean.tiles = {tile(2, 2, 0), tile(4, 2, 0), tile(6, 2, 0, true), tile(8, 2, 0)};
  clean.specsTotal = 1;
  const QOR::QS_DEAL_REPORT report = QOR::fSimulateDeal(clean, 1);
  EXPECT_TRUE(report.isClean());
  EXPECT_EQ(report.specials, (std::vector<int>{2}));
  std::string why;
  EXPECT_TRUE(QOR::isLegalClearance(clean, report.takenPairs, why)) << why;

  QS_LEVEL tower;  // one free tile at a time: the builder must give up
  tower.tiles = {tile(2, 2, 0, true), tile(2, 2, 1), tile(2, 2, 2), tile(2, 2, 3)};
  EXPECT_FALSE(QOR::fSimulateDeal(tower, 1).isClean());

  QS_LEVEL greedy = clean;
  greedy.specsTotal = 3;  // more specials than candidates
  EXPECT_FALSE(QOR::fSimulateDeal(greedy, 1).isClean());
  EXPECT_FALSE(QOR::isLegalClearance(clean, {{0, 1}, {2, 3}}, why)) << "tile 1 is blocked at first";
}

TEST(DataLevelRules, WrittenLevelsReadBackAsWritten) {
  QS_LEVEL level;
  level.tiles = {tile(3, 5, 0, true), tile(5, 5, 0), tile(4, 6, 1)};
  level.tiles[2].bonus = true;
  level.suits[QOR::SUIT_DOTS] = true;
  level.specsTotal = 1;
  level.tasks[0] = {QOR::TASK_TIME, 149};
  level.tasks[1] = {QOR::TASK_MONEY, 1200};
  QS_LEVEL read;
  std::string why;
  ASSERT_TRUE(QOR::fReadLevel(QOR::fWriteLevel(level), read, why)) << why;
  ASSERT_EQ(read.tiles.size(), 3u);
  EXPECT_TRUE(read.tiles[0].special && read.tiles[2].bonus && !read.tiles[1].bonus);
  EXPECT_EQ(read.tiles[2].layer, 1);
  EXPECT_EQ(read.suits, level.suits);
  EXPECT_EQ(read.tasks[0].value, 149);
  EXPECT_EQ(read.tasks[1].type, QOR::TASK_MONEY);
  EXPECT_FALSE(QOR::fReadLevel("<tiles><tile", read, why));
  // No suits element enables all seven, as in the game.
  ASSERT_TRUE(QOR::fReadLevel("<tiles specsTotal=\"1\"/>", read, why));
  EXPECT_EQ(std::count(read.suits.begin(), read.suits.end(), true), QOR::SUIT_COUNT);
}

TEST(DataLevels, EveryLevelFollowsTheLevelFileRules) {
  ASSERT_EQ(careerLevels().size(), 120u);
  for (std::size_t i = 0; i < careerLevels().size(); ++i) {
    const QS_LEVEL& level = careerLevels()[i];
    const std::string name = nameOf(i);
    EXPECT_GE(level.tiles.size(), 8u) << name;
    EXPECT_EQ(level.tiles.size() % 2, 0u) << name << " has an odd tile count";
    const auto candidates = std::count_if(level.tiles.begin(), level.tiles.end(), [](const QS_GRID_TILE& t) { return t.special; });
    EXPECT_GE(level.specsTotal, 1) << name;
    EXPECT_LE(level.specsTotal, candidates) << name;
    std::vector<int> all(level.tiles.size());
    for (std::size_t t = 0; t < all.size(); ++t) all[t] = static_cast<int>(t);
    const std::vector<bool> free = QOR::fFreeFlags(level.tiles, all);
    for (std::size_t t = 0; t < all.size(); ++t)
      EXPECT_FALSE(level.tiles[t].special && free[t]) << name << ": special candidate " << t << " is free at the start";
    EXPECT_LE(static_cast<int>(level.tiles.size()), QOR::fSuitCapacity(level.suits))
        << name << " holds more tiles than its suits have";
    for (const QOR::QS_LEVEL_TASK& task : level.tasks)
      if (task.type != QOR::TASK_NONE) {
        EXPECT_GT(task.value, 0) << name;
      }
    for (std::size_t a = 0; a < level.tiles.size(); ++a) {
      const QS_GRID_TILE& t = level.tiles[a];
      EXPECT_TRUE(t.x >= QOR::kGridMinX && t.x <= QOR::kGridMaxX && t.y >= QOR::kGridMinY && t.y <= QOR::kGridMaxY)
          << name << " tile " << a << " lies outside the board";
      EXPECT_TRUE(QOR::isTileClearOfPanel(t)) << name << " tile " << a << " lies under the panel";
      EXPECT_GE(t.layer, 0);
      for (std::size_t b = a + 1; b < level.tiles.size(); ++b)
        EXPECT_FALSE(QOR::isOverlapping(t, level.tiles[b])) << name << " tiles " << a << " and " << b << " overlap";
      if (t.layer > 0) {
        EXPECT_TRUE(std::any_of(level.tiles.begin(), level.tiles.end(), [&](const QS_GRID_TILE& o) {
          return o.layer == t.layer - 1 && std::abs(o.x - t.x) <= 1 && std::abs(o.y - t.y) <= 1;
        })) << name << " tile " << a << " floats";
      }
    }
  }
}

// The designer checked its own seeds; these are others.
TEST(DataLevels, EveryLevelDealsCleanlyForManySeeds) {
  for (std::size_t i = 0; i < careerLevels().size(); ++i) {
    const QS_LEVEL& level = careerLevels()[i];
    for (std::uint32_t seed = 0; seed < 256; ++seed) {
      const QOR::QS_DEAL_REPORT report = QOR::fSimulateDeal(level, 100000 + seed * 31 + static_cast<std::uint32_t>(i));
      ASSERT_TRUE(report.isClean()) << nameOf(i) << " seed " << seed << ": " << report.problems.front();
      std::string why;
      ASSERT_TRUE(QOR::isLegalClearance(level, report.takenPairs, why)) << nameOf(i) << ": " << why;
      for (const QOR::QS_LEVEL_TASK& task : level.tasks)
        if (task.type == QOR::TASK_MOVES) {
          EXPECT_GE(task.value, report.moveCount) << nameOf(i) << " seed " << seed;
        }
    }
  }
}

TEST(DataLevels, CareerGrowsInSizeAndDifficulty) {
  double previousTiles = 0;
  double previousSpecials = 0;
  int previousLayers = 0;
  for (int pack = 0; pack < QOR::kPackCount; ++pack) {
    double tiles = 0;
    double specials = 0;
    int layers = 0;
    int tasks = 0;
    for (int number = 0; number < QOR::kLevelsPerPack; ++number) {
      const QS_LEVEL& level = careerLevels()[static_cast<std::size_t>(pack * QOR::kLevelsPerPack + number)];
      tiles += static_cast<double>(level.tiles.size());
      specials += level.specsTotal;
      for (const QS_GRID_TILE& t : level.tiles) layers = std::max(layers, t.layer + 1);
      for (const QOR::QS_LEVEL_TASK& task : level.tasks) tasks += task.type != QOR::TASK_NONE ? 1 : 0;
    }
    EXPECT_GT(tiles, previousTiles) << "pack " << pack + 1;
    EXPECT_GT(specials, previousSpecials) << "pack " << pack + 1;
    EXPECT_GE(layers, previousLayers) << "pack " << pack + 1;
    EXPECT_GT(tasks, 0) << "pack " << pack + 1;
    previousTiles = tiles;
    previousSpecials = specials;
    previousLayers = layers;
  }
  // The first level leads into the tutorial: no tasks, a small board with bonus tiles, and
  // seasons and flowers among few faces, so that their tutorial steps find their pairs.
  const QS_LEVEL& first = careerLevels()[0];
  EXPECT_EQ(first.tasks[0].type, QOR::TASK_NONE);
  EXPECT_LE(first.tiles.size(), 40u);
  EXPECT_TRUE(first.suits[QOR::SUIT_SEASONS] && first.suits[QOR::SUIT_FLOWERS]);
  EXPECT_LE(QOR::fSuitCapacity(first.suits), 44);
  EXPECT_TRUE(std::any_of(first.tiles.begin(), first.tiles.end(), [](const QS_GRID_TILE& t) { return t.bonus; }));
}

}  // namespace
