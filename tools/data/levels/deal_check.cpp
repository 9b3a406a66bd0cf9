#include "tools/data/levels/deal_check.h"

#include "tools/data/levels/board_geometry.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace QOR {

namespace {

constexpr int kSpecialPasses = 2500;
constexpr int kFreeAttempts = 2501;
constexpr int kRestPasses = 2501;

float distanceToSortPoint(const QS_GRID_TILE& tile) {
  const float dx = fTileScreenX(tile) - (-1.5f * static_cast<float>(kScreenWidth));
  const float dy = fTileScreenY(tile) - (2.0f * static_cast<float>(kScreenHeight));
  return std::sqrt(dx * dx + dy * dy);
}

float tileDistance(const QS_GRID_TILE& a, const QS_GRID_TILE& b) {
  const float dx = fTileScreenX(a) - fTileScreenX(b);
  const float dy = fTileScreenY(a) - fTileScreenY(b);
  const float dz = static_cast<float>(a.layer - b.layer);
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// For every tile, the tiles that can block it: (other tile, 0 covering, -1 left, +1 right). Made
// once per board, so that the free flags after each pair cost a few lookups per tile.
using BLOCKERS = std::vector<std::vector<std::pair<int, int>>>;

BLOCKERS blockersOf(const std::vector<QS_GRID_TILE>& tiles) {
  BLOCKERS blockers(tiles.size());
  for (std::size_t c = 0; c < tiles.size(); ++c)
    for (std::size_t o = 0; o < tiles.size(); ++o) {
      if (o == c || tiles[o].layer < tiles[c].layer) continue;
      if (isCovering(tiles[o], tiles[c])) blockers[c].emplace_back(static_cast<int>(o), 0);
      else if (const int side = fSideNeighbour(tiles[o], tiles[c]); side != 0)
        blockers[c].emplace_back(static_cast<int>(o), side);
    }
  return blockers;
}

// The free rule for the tiles of list, counting only the tiles marked present.
std::vector<bool> freeFlags(const BLOCKERS& blockers, const std::vector<int>& list, const std::vector<char>& present) {
  std::vector<bool> flags(list.size(), true);
  for (std::size_t a = 0; a < list.size(); ++a) {
    bool left = false;
    bool right = false;
    for (const auto& [other, kind] : blockers[static_cast<std::size_t>(list[a])]) {
      if (!present[static_cast<std::size_t>(other)]) continue;
      if (kind == 0) {
        flags[a] = false;
        break;
      }
      left = left || kind < 0;
      right = right || kind > 0;
      if (left && right) {
        flags[a] = false;
        break;
      }
    }
  }
  return flags;
}

// The working state of one run: the remaining list (tile indices) with its free flags.
struct DEAL_STATE {
  const std::vector<QS_GRID_TILE>& tiles;
  std::vector<bool> special;
  std::vector<int> remaining;
  std::vector<bool> free;  // by position in remaining
  QS_DEAL_REPORT report;
  BLOCKERS blockers = blockersOf(tiles);
  std::vector<char> present = std::vector<char>(tiles.size(), 0);

  void refresh() {
    std::fill(present.begin(), present.end(), 0);
    for (int index : remaining) present[static_cast<std::size_t>(index)] = 1;
    free = freeFlags(blockers, remaining, present);
  }
  void take(std::size_t first, std::size_t second) {
    report.takenPairs.emplace_back(remaining[first], remaining[second]);
    const std::size_t high = std::max(first, second);
    const std::size_t low = std::min(first, second);
    remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(high));
    remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(low));
    refresh();
  }
  // The first free position other than skip, or -1.
  int firstFreeExcept(std::size_t skip) const {
    for (std::size_t i = 0; i < remaining.size(); ++i)
      if (i != skip && free[i]) return static_cast<int>(i);
    return -1;
  }
  int find(int tile) const {
    for (std::size_t i = 0; i < remaining.size(); ++i)
      if (remaining[i] == tile) return static_cast<int>(i);
    return -1;
  }
};

// The board's chip list after loading: ascending layer, then within a layer from the farthest to
// the nearest to the sort point, both stable (the game's bubble sorts).
std::vector<int> loadedOrder(const std::vector<QS_GRID_TILE>& tiles) {
  std::vector<int> order(tiles.size());
  for (std::size_t i = 0; i < tiles.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    if (tiles[a].layer != tiles[b].layer) return tiles[a].layer < tiles[b].layer;
    return distanceToSortPoint(tiles[a]) > distanceToSortPoint(tiles[b]);
  });
  return order;
}

// Chooses the special tiles; false when the level asks for more than it has candidates.
bool scatterSpecials(const QS_LEVEL& level, const std::vector<int>& order, std::mt19937& random,
                     std::vector<bool>& special) {
  std::vector<int> candidates;
  for (int index : order)
    if (level.tiles[index].special) candidates.push_back(index);
  special.assign(level.tiles.size(), false);
  if (candidates.empty()) return true;
  const std::size_t wanted = level.specsTotal > 0 ? static_cast<std::size_t>(level.specsTotal) : candidates.size();
  if (candidates.size() < wanted) return false;
  for (std::size_t n = 0; n < wanted; ++n) {
    std::uniform_int_distribution<std::size_t> pick(0, candidates.size() - 1);
    const std::size_t chosen = pick(random);
    special[candidates[chosen]] = true;
    candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(chosen));
  }
  return true;
}

void specialPhase(DEAL_STATE& state, std::vector<int>& moves) {
  for (int pass = 0; pass < kSpecialPasses; ++pass) {
    int s = -1;
    for (std::size_t i = 0; i < state.remaining.size() && s < 0; ++i)
      if (state.special[state.remaining[i]] && state.free[i]) s = static_cast<int>(i);
    for (std::size_t i = 0; i < state.remaining.size() && s < 0; ++i)
      if (state.special[state.remaining[i]]) s = static_cast<int>(i);
    if (s < 0) return;
    const int specialTile = state.remaining[s];
    int pairs = 0;
    int excluded = -1;
    for (int attempt = 0; attempt < kFreeAttempts; ++attempt) {
      const int sPos = state.find(specialTile);
      if (state.free[sPos]) break;
      int nearest = -1;
      float best = 0.0f;
      for (std::size_t i = 0; i < state.remaining.size(); ++i) {
        if (!state.free[i] || state.remaining[i] == excluded) continue;
        const float d = tileDistance(state.tiles[state.remaining[i]], state.tiles[specialTile]);
        if (nearest < 0 || d < best) {
          nearest = static_cast<int>(i);
          best = d;
        }
      }
      if (nearest < 0) {
        state.report.problems.push_back("no moves left but there's still " + std::to_string(state.remaining.size()) +
                                        " tiles left");
        return;
      }
      const int nearestTile = state.remaining[nearest];
      const int partner = state.firstFreeExcept(static_cast<std::size_t>(nearest));
      if (partner < 0) {
        state.report.problems.push_back("NO PAIR FOR CLOSEST LEFT");
        return;
      } else {
        state.take(static_cast<std::size_t>(partner), static_cast<std::size_t>(nearest));
        ++pairs;
      }
      excluded = nearestTile;
    }
    const int sPos = state.find(specialTile);
    if (!state.free[sPos]) {
      state.report.problems.push_back("special tile paired while blocked");
      return;
    }
    const int partner = state.firstFreeExcept(static_cast<std::size_t>(sPos));
    if (partner < 0) {
      state.report.problems.push_back("special tile without a free partner");
      return;
    }
    state.take(static_cast<std::size_t>(partner), static_cast<std::size_t>(sPos));
    moves.push_back(pairs + 1);
  }
  state.report.problems.push_back("special passes exhausted");
}

void restPhase(DEAL_STATE& state) {
  for (int pass = 0; pass < kRestPasses && !state.remaining.empty(); ++pass) {
    int n = 0;
    for (std::size_t i = 0; i < state.remaining.size(); ++i) {
      if (!state.free[i]) continue;
      ++n;
      for (std::size_t j = i; j < state.remaining.size(); ++j) {
        if (j == i || !state.free[j]) continue;
        ++n;
        state.take(i, j);
        break;
      }
    }
    if (n < 2 && !state.remaining.empty()) {
      state.report.problems.push_back("unresolved tiles left!");
      return;
    }
  }
  if (!state.remaining.empty()) state.report.problems.push_back("rest passes exhausted");
}

}  // namespace

std::vector<bool> fFreeFlags(const std::vector<QS_GRID_TILE>& tiles, const std::vector<int>& list) {
  std::vector<char> present(tiles.size(), 0);
  for (int index : list) present[static_cast<std::size_t>(index)] = 1;
  return freeFlags(blockersOf(tiles), list, present);
}

QS_DEAL_REPORT fSimulateDeal(const QS_LEVEL& level, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<bool> special;
  if (!scatterSpecials(level, loadedOrder(level.tiles), random, special)) {
    QS_DEAL_REPORT report;
    report.problems.push_back("amount of special tiles exceeds amount of possible positions ");
    return report;
  }
  std::vector<int> chosen;
  for (std::size_t i = 0; i < special.size(); ++i)
    if (special[i]) chosen.push_back(static_cast<int>(i));
  return fSimulateDealWith(level, chosen);
}

QS_DEAL_REPORT fSimulateDealWith(const QS_LEVEL& level, const std::vector<int>& specials) {
  DEAL_STATE state{level.tiles, std::vector<bool>(level.tiles.size(), false), {}, {}, {}};
  for (int index : specials) state.special[static_cast<std::size_t>(index)] = true;
  state.report.specials = specials;
  std::vector<int> byLayer = loadedOrder(level.tiles);
  std::stable_sort(byLayer.begin(), byLayer.end(),
                   [&](int a, int b) { return level.tiles[a].layer > level.tiles[b].layer; });
  state.remaining = byLayer;
  state.refresh();

  std::vector<int> moves;
  specialPhase(state, moves);
  for (int m : moves) state.report.moveCount += m;
  if (!state.report.problems.empty()) return state.report;
  state.refresh();
  restPhase(state);
  return state.report;
}

std::vector<std::vector<int>> fSpecialChoices(const QS_LEVEL& level, std::size_t limit) {
  std::vector<int> candidates;
  for (std::size_t i = 0; i < level.tiles.size(); ++i)
    if (level.tiles[i].special) candidates.push_back(static_cast<int>(i));
  const std::size_t wanted =
      level.specsTotal > 0 ? static_cast<std::size_t>(level.specsTotal) : candidates.size();
  std::vector<std::vector<int>> choices;
  if (wanted > candidates.size()) return choices;
  // Walk the subsets of size `wanted` in lexicographic order of their index lists.
  std::vector<std::size_t> pick(wanted);
  for (std::size_t i = 0; i < wanted; ++i) pick[i] = i;
  for (;;) {
    std::vector<int> choice;
    for (std::size_t p : pick) choice.push_back(candidates[p]);
    choices.push_back(choice);
    if (choices.size() > limit) return {};
    std::size_t i = wanted;
    while (i > 0 && pick[i - 1] == candidates.size() - wanted + i - 1) --i;
    if (i == 0) break;
    ++pick[i - 1];
    for (std::size_t j = i; j < wanted; ++j) pick[j] = pick[j - 1] + 1;
  }
  return choices;
}

bool isLegalClearance(const QS_LEVEL& level, const std::vector<std::pair<int, int>>& pairs, std::string& why) {
  const BLOCKERS blockers = blockersOf(level.tiles);
  std::vector<char> present(level.tiles.size(), 1);
  std::size_t left = level.tiles.size();
  for (std::size_t step = 0; step < pairs.size(); ++step) {
    const auto [a, b] = pairs[step];
    const auto onBoard = [&](int t) { return t >= 0 && t < static_cast<int>(present.size()) && present[t] != 0; };
    if (a == b || !onBoard(a) || !onBoard(b)) {
      why = "pair " + std::to_string(step) + " takes a tile that is not on the board";
      return false;
    }
    const std::vector<bool> free = freeFlags(blockers, {a, b}, present);
    if (!free[0] || !free[1]) {
      why = "pair " + std::to_string(step) + " takes a blocked tile";
      return false;
    }
    present[static_cast<std::size_t>(a)] = 0;
    present[static_cast<std::size_t>(b)] = 0;
    left -= 2;
  }
  if (left != 0) {
    why = std::to_string(left) + " tiles are never taken";
    return false;
  }
  return true;
}

}  // namespace QOR
