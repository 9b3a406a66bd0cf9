// Designs the 120 levels of the career: a shape family and size per level growing through the
// packs, the suits, the special and bonus tiles, and the extra tasks with targets that a good
// player can meet (estimated from the deal and the scoring rules of balance.xml).
#pragma once

#include "tools/data/levels/level_model.h"

#include <string>
#include <vector>

namespace QOR {

inline constexpr int kPackCount = 6;
inline constexpr int kLevelsPerPack = 20;

// The scoring values of balance.xml that the task targets depend on.
struct QS_BALANCE {
  int multiPair = 0;      // multiplier progress per pair, as in the file
  int multiIncrAp = 0;    // progress per multiplier step, as in the file
  int multiTimeDecr = 0;  // tenths of a second per decay step
  int scorePair[kPackCount] = {};
  int scoreEndLevel[kPackCount] = {};
};

// Reads balance.xml; false with a reason when an expected value is missing or not positive.
bool fReadBalance(const std::string& text, QS_BALANCE& balance, std::string& error);

// What a level should be before it is drawn.
struct QS_LEVEL_PLAN {
  int pack = 1;
  int level = 1;
  int family = 0;        // index into fShapeFamilies()
  int targetTiles = 0;   // the size the family is drawn at, roughly
  int maxLayers = 2;
  int specsTotal = 1;
  int candidates = 2;    // special candidate positions
  int bonusTiles = 2;
  float difficulty = 0;  // 0 (first level) .. 1 (last level)
  int taskCount = 0;
};

QS_LEVEL_PLAN fPlanLevel(int pack, int level);

// Draws the planned level; false with a reason when no size of the family gives a board that fits
// the screen and deals cleanly for every checked seed.
bool fDesignLevel(const QS_LEVEL_PLAN& plan, const QS_BALANCE& balance, QS_LEVEL& level, std::string& error);

// The tile counts of the boards a family can draw that fit the screen, smallest size first.
std::vector<int> fFamilyBoardSizes(int family, int maxLayers);

// How many random special-tile choices the designer deals when a level has too many possible
// choices to deal each of them.
inline constexpr int kDealSeeds = 200;

// The points a good player scores on a level that takes the given pairs, one every `pace` seconds,
// before the end bonus for the tiles left.
int fEstimatePoints(const QS_BALANCE& balance, int pack, int pairs, int tilesLeft, float pace);

}  // namespace QOR
