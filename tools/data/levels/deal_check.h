// Plays the game's solvable-deal builder on a level's geometry: which special tiles it chooses
// (from a seed), which pairs it takes off in which order and where it would have to give up. Faces
// do not matter for that: no tile of our levels is fixed, so every pair the builder picks gets a
// matching face. A level deals without degradation when the builder never runs out of free tiles,
// never frees a special tile by force and never drops a tile; its taken order is then a complete
// solution of the board.
#pragma once

#include "tools/data/levels/level_model.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace QOR {

struct QS_DEAL_REPORT {
  std::vector<std::string> problems;             // what the game would log as a degraded deal
  int moveCount = 0;                             // the deal move count (pairs until the last special)
  std::vector<int> specials;                     // tile indices chosen as special tiles
  std::vector<std::pair<int, int>> takenPairs;   // tile indices in the order the builder took them
  bool isClean() const { return problems.empty(); }
};

// Deals the level once; seed chooses the special tiles among the candidates.
QS_DEAL_REPORT fSimulateDeal(const QS_LEVEL& level, std::uint32_t seed);
// Deals the level with the given special tiles (indices into level.tiles).
QS_DEAL_REPORT fSimulateDealWith(const QS_LEVEL& level, const std::vector<int>& specials);

// Every way the game can choose specsTotal special tiles among the candidates (each a list of tile
// indices), or an empty list when there are more than limit ways.
std::vector<std::vector<int>> fSpecialChoices(const QS_LEVEL& level, std::size_t limit);

// Replays pairs of tile indices on the level's board from the start and answers whether each pair
// was free when taken and every tile was taken exactly once.
bool isLegalClearance(const QS_LEVEL& level, const std::vector<std::pair<int, int>>& pairs, std::string& why);

// The free rule of the board for every tile of a list of tile indices, against that list only.
std::vector<bool> fFreeFlags(const std::vector<QS_GRID_TILE>& tiles, const std::vector<int>& list);

}  // namespace QOR
