// A level as the builder designs it: tiles on the board's half-tile grid, the suits, the special
// tiles and the extra tasks. Grid units are those of the level file: posx counts half tile widths
// and posy half tile heights from the board origin, so two tiles side by side differ by 2.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace QOR {

struct QS_GRID_TILE {
  int x = 0;
  int y = 0;
  int layer = 0;
  bool bonus = false;
  bool special = false;  // a candidate position for a special tile
};

// The seven suits in the order of the level file's writer.
enum QE_SUIT { SUIT_DIGITS, SUIT_DOTS, SUIT_BAMBOO, SUIT_DRAGONS, SUIT_WINDS, SUIT_FLOWERS, SUIT_SEASONS, SUIT_COUNT };
inline constexpr const char* kSuitNames[SUIT_COUNT] = {"digits", "dots", "bamboo", "dragons", "winds", "flowers",
                                                       "seasons"};
// Tiles of each suit in a full set.
inline constexpr int kSuitCapacity[SUIT_COUNT] = {36, 36, 36, 12, 16, 4, 4};

// Extra task kinds as the board codes them.
enum QE_TASK { TASK_NONE = 0, TASK_TIME = 1, TASK_MOVES = 2, TASK_MONEY = 3 };

struct QS_LEVEL_TASK {
  QE_TASK type = TASK_NONE;
  int value = 0;  // seconds, pairs or points
};

struct QS_LEVEL {
  std::vector<QS_GRID_TILE> tiles;
  std::array<bool, SUIT_COUNT> suits{};
  int specsTotal = 0;
  std::array<QS_LEVEL_TASK, 2> tasks{};
};

// Sum of the enabled suits' tile counts.
int fSuitCapacity(const std::array<bool, SUIT_COUNT>& suits);

}  // namespace QOR
