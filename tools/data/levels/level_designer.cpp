#include "tools/data/levels/level_designer.h"

#include "tools/data/levels/board_geometry.h"
#include "tools/data/levels/deal_check.h"
#include "tools/data/levels/level_file.h"
#include "tools/data/levels/level_shapes.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <tuple>

namespace QOR {

namespace {

using TILES = std::vector<QS_GRID_TILE>;

constexpr int kMaxTiles = 144;  // a full tile set
constexpr int kLargestSize = 24;
constexpr std::size_t kMaxChoices = 400;

// Board sizes through the career: first and last level of each pack.
constexpr int kFirstTiles[kPackCount] = {24, 40, 56, 68, 80, 92};
constexpr int kLastTiles[kPackCount] = {76, 96, 112, 124, 136, 144};
constexpr int kMaxLayers[kPackCount] = {3, 3, 4, 4, 5, 5};

// Suit choices from the smallest to the largest set; every set has flowers and seasons.
struct SUIT_SET {
  std::array<bool, SUIT_COUNT> suits;
};
const std::vector<SUIT_SET>& suitSets() {
  // digits, dots, bamboo, dragons, winds, flowers, seasons
  static const std::vector<SUIT_SET> kSets = {
      {{false, true, false, false, false, true, true}},   // 44
      {{false, false, true, true, false, true, true}},    // 56
      {{true, false, false, false, true, true, true}},    // 60
      {{false, true, false, true, true, true, true}},     // 72
      {{false, true, true, false, false, true, true}},    // 80
      {{true, false, true, true, false, true, true}},     // 92
      {{true, true, false, false, true, true, true}},     // 96
      {{false, true, true, true, true, true, true}},      // 108
      {{true, true, true, true, false, true, true}},      // 128
      {{true, true, true, true, true, true, true}},       // 144
  };
  return kSets;
}

// Removes repeats and tiles that nothing holds up; false when two tiles of one layer overlap.
bool normalise(TILES& tiles) {
  std::set<std::tuple<int, int, int>> seen;
  TILES unique;
  for (const QS_GRID_TILE& t : tiles)
    if (seen.insert({t.layer, t.x, t.y}).second) unique.push_back(t);
  for (std::size_t a = 0; a < unique.size(); ++a)
    for (std::size_t b = a + 1; b < unique.size(); ++b)
      if (isOverlapping(unique[a], unique[b])) return false;
  bool changed = true;
  while (changed) {
    changed = false;
    for (std::size_t i = 0; i < unique.size(); ++i) {
      const QS_GRID_TILE& t = unique[i];
      if (t.layer == 0) continue;
      const bool held = std::any_of(unique.begin(), unique.end(), [&](const QS_GRID_TILE& o) {
        return o.layer == t.layer - 1 && std::abs(o.x - t.x) <= 1 && std::abs(o.y - t.y) <= 1;
      });
      if (!held) {
        unique.erase(unique.begin() + static_cast<std::ptrdiff_t>(i));
        changed = true;
        break;
      }
    }
  }
  std::stable_sort(unique.begin(), unique.end(),
                   [](const QS_GRID_TILE& a, const QS_GRID_TILE& b) { return a.layer < b.layer; });
  tiles = unique;
  return !tiles.empty();
}

bool fits(const TILES& tiles) {
  for (const QS_GRID_TILE& t : tiles) {
    if (t.x < kGridMinX || t.x > kGridMaxX || t.y < kGridMinY || t.y > kGridMaxY) return false;
    if (!isTileClearOfPanel(t)) return false;
  }
  return true;
}

// Centres the shape on the grid; when the panel's corners are in the way, tries it a little higher.
bool place(TILES& tiles) {
  int minX = tiles[0].x, maxX = tiles[0].x, minY = tiles[0].y, maxY = tiles[0].y;
  for (const QS_GRID_TILE& t : tiles) {
    minX = std::min(minX, t.x);
    maxX = std::max(maxX, t.x);
    minY = std::min(minY, t.y);
    maxY = std::max(maxY, t.y);
  }
  const int centreX = (kGridMinX + kGridMaxX) / 2;
  const int centreY = (kGridMinY + kGridMaxY) / 2;
  const int dx = centreX - static_cast<int>(std::floor((minX + maxX) / 2.0));
  const int baseDy = centreY - static_cast<int>(std::floor((minY + maxY) / 2.0));
  for (int lift : {0, -1, 1, -2}) {
    TILES moved = tiles;
    for (QS_GRID_TILE& t : moved) t.x += dx, t.y += baseDy + lift;
    if (fits(moved)) {
      tiles = moved;
      return true;
    }
  }
  return false;
}

// Tiles above a tile (any layer higher, within half a tile) plus one when both sides are taken.
int depthOf(const TILES& tiles, const QS_GRID_TILE& t) {
  int depth = 0;
  bool left = false;
  bool right = false;
  for (const QS_GRID_TILE& o : tiles) {
    if (o.layer > t.layer && std::abs(o.x - t.x) <= 1 && std::abs(o.y - t.y) <= 1) ++depth;
    const int side = fSideNeighbour(o, t);
    left = left || side < 0;
    right = right || side > 0;
  }
  return depth + (left && right ? 1 : 0);
}

bool isCovered(const TILES& tiles, const QS_GRID_TILE& t) {
  return std::any_of(tiles.begin(), tiles.end(), [&](const QS_GRID_TILE& o) {
    return o.layer > t.layer && std::abs(o.x - t.x) <= 1 && std::abs(o.y - t.y) <= 1;
  });
}

// An odd board loses the top tile nearest its middle.
void makeEven(TILES& tiles) {
  if (tiles.size() % 2 == 0) return;
  int best = -1;
  for (std::size_t i = 0; i < tiles.size(); ++i) {
    if (isCovered(tiles, tiles[i])) continue;
    const auto score = [&](const QS_GRID_TILE& t) {
      return std::make_tuple(-t.layer, std::abs(t.x - 16) + std::abs(t.y - 8), t.y, t.x);
    };
    if (best < 0 || score(tiles[i]) < score(tiles[best])) best = static_cast<int>(i);
  }
  tiles.erase(tiles.begin() + best);
}

unsigned mix(int x, int y, int layer, int salt) {
  unsigned h = static_cast<unsigned>(x) * 73856093u ^ static_cast<unsigned>(y) * 19349663u ^
               static_cast<unsigned>(layer) * 83492791u ^ static_cast<unsigned>(salt) * 2654435761u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  return h ^ (h >> 15);
}

// Picks up to count tiles by a preference (lower first), keeping them apart from each other.
std::vector<int> pickSpread(const TILES& tiles, int count, const std::vector<long>& preference,
                            const std::vector<bool>& allowed) {
  std::vector<int> order;
  for (std::size_t i = 0; i < tiles.size(); ++i)
    if (allowed[i]) order.push_back(static_cast<int>(i));
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return preference[a] < preference[b]; });
  std::vector<int> chosen;
  for (int spacing : {5, 3, 0}) {
    for (int index : order) {
      if (static_cast<int>(chosen.size()) >= count) break;
      if (std::find(chosen.begin(), chosen.end(), index) != chosen.end()) continue;
      const bool apart = std::all_of(chosen.begin(), chosen.end(), [&](int c) {
        return std::max(std::abs(tiles[c].x - tiles[index].x), std::abs(tiles[c].y - tiles[index].y)) >= spacing;
      });
      if (apart) chosen.push_back(index);
    }
  }
  return chosen;
}

// Special candidates sit deeper the harder the level; bonus tiles lie open on top.
void markTiles(const QS_LEVEL_PLAN& plan, TILES& tiles, int variant) {
  std::vector<int> depth(tiles.size());
  int deepest = 0;
  for (std::size_t i = 0; i < tiles.size(); ++i) {
    depth[i] = depthOf(tiles, tiles[i]);
    deepest = std::max(deepest, depth[i]);
  }
  // The tutorial's special tiles lie deepest: the level ends with them, after all its steps.
  const bool tutorial = plan.pack == 1 && plan.level == 1;
  const float wanted = deepest == 0  ? 0.0f
                       : tutorial    ? static_cast<float>(deepest)
                                     : 1.0f + plan.difficulty * static_cast<float>(deepest - 1);
  std::vector<long> preference(tiles.size());
  for (std::size_t i = 0; i < tiles.size(); ++i) {
    const long off = std::lround(std::fabs(static_cast<float>(depth[i]) - wanted) * 4.0f);
    preference[i] = off * 100000L + static_cast<long>(mix(tiles[i].x, tiles[i].y, tiles[i].layer, variant) % 100000u);
  }
  // A special tile lies under or between others, so no level can be won by its very first pair.
  std::vector<bool> allowed(tiles.size(), true);
  std::vector<int> all(tiles.size());
  for (std::size_t i = 0; i < tiles.size(); ++i) all[i] = static_cast<int>(i);
  const std::vector<bool> free = fFreeFlags(tiles, all);
  for (std::size_t i = 0; i < tiles.size(); ++i) allowed[i] = !free[i];
  for (int index : pickSpread(tiles, plan.candidates, preference, allowed)) {
    tiles[index].special = true;
  }
  for (std::size_t i = 0; i < tiles.size(); ++i) allowed[i] = !tiles[i].special;
  for (std::size_t i = 0; i < tiles.size(); ++i) {
    preference[i] = static_cast<long>(depth[i]) * 1000000L - static_cast<long>(tiles[i].layer) * 100000L +
                    static_cast<long>(mix(tiles[i].x, tiles[i].y, tiles[i].layer, variant + 7) % 100000u);
  }
  for (int index : pickSpread(tiles, plan.bonusTiles, preference, allowed)) tiles[index].bonus = true;
}

std::array<bool, SUIT_COUNT> chooseSuits(const QS_LEVEL_PLAN& plan, int tileCount) {
  if (plan.pack == 1 && plan.level == 1) return suitSets()[0].suits;  // the tutorial: dots, flowers, seasons
  std::vector<int> fitting;
  const int slack = 30 + static_cast<int>(plan.difficulty * 60.0f);
  for (std::size_t i = 0; i < suitSets().size(); ++i) {
    const int capacity = fSuitCapacity(suitSets()[i].suits);
    if (capacity >= tileCount && capacity <= tileCount + slack) fitting.push_back(static_cast<int>(i));
  }
  if (fitting.empty()) return suitSets().back().suits;
  return suitSets()[fitting[static_cast<std::size_t>(plan.level + plan.pack) % fitting.size()]].suits;
}

int roundUp(int value, int step) { return (value + step - 1) / step * step; }

void setTasks(const QS_LEVEL_PLAN& plan, const QS_BALANCE& balance, int maxMoves, QS_LEVEL& level) {
  const int pairs = static_cast<int>(level.tiles.size()) / 2;
  const int expectedPairs = std::min(pairs, static_cast<int>(std::ceil(maxMoves * 1.5)) + 2);
  const int movesTarget = static_cast<int>(std::ceil(maxMoves * 1.3)) + 2;
  // A moves target that every clearance meets would be no task: such a level gets another kind.
  std::vector<QE_TASK> kinds;
  static const QE_TASK kOrder[3] = {TASK_MOVES, TASK_TIME, TASK_MONEY};
  for (int k = 0; k < 3; ++k) {
    const QE_TASK type = kOrder[(plan.pack + plan.level + k) % 3];
    if (type != TASK_MOVES || movesTarget < pairs - 1) kinds.push_back(type);
  }
  for (int t = 0; t < plan.taskCount && t < 2 && t < static_cast<int>(kinds.size()); ++t) {
    const QE_TASK type = kinds[static_cast<std::size_t>(t)];
    int value = 0;
    if (type == TASK_MOVES) value = movesTarget;
    if (type == TASK_TIME) value = roundUp(20 + 4 * expectedPairs, 5);
    if (type == TASK_MONEY) {
      const int points = fEstimatePoints(balance, plan.pack, expectedPairs,
                                         static_cast<int>(level.tiles.size()) - 2 * expectedPairs, 3.0f);
      value = std::max(10, static_cast<int>(points * 0.7) / 10 * 10);
    }
    level.tasks[t] = {type, value};
  }
}

// Tries one drawn board: marks it, deals it with every seed and sets suits and tasks.
bool finishLevel(const QS_LEVEL_PLAN& plan, const QS_BALANCE& balance, TILES tiles, QS_LEVEL& level) {
  for (int variant = 0; variant < 4; ++variant) {
    QS_LEVEL candidate;
    candidate.tiles = tiles;
    markTiles(plan, candidate.tiles, variant);
    const int marked = static_cast<int>(
        std::count_if(candidate.tiles.begin(), candidate.tiles.end(), [](const QS_GRID_TILE& t) { return t.special; }));
    candidate.specsTotal = std::min(plan.specsTotal, marked);
    if (candidate.specsTotal < 1) return false;
    candidate.suits = chooseSuits(plan, static_cast<int>(tiles.size()));
    // Every choice of special tiles the game can make is dealt; when there are too many, a large
    // sample of them.
    int maxMoves = 0;
    bool clean = true;
    const std::vector<std::vector<int>> choices = fSpecialChoices(candidate, kMaxChoices);
    for (std::size_t c = 0; c < choices.size() && clean; ++c) {
      const QS_DEAL_REPORT report = fSimulateDealWith(candidate, choices[c]);
      clean = report.isClean();
      maxMoves = std::max(maxMoves, report.moveCount);
    }
    for (int seed = 0; choices.empty() && seed < kDealSeeds && clean; ++seed) {
      const QS_DEAL_REPORT report =
          fSimulateDeal(candidate, static_cast<std::uint32_t>(seed * 7919 + plan.pack * 101 + plan.level));
      clean = report.isClean();
      maxMoves = std::max(maxMoves, report.moveCount);
    }
    if (!clean) continue;
    setTasks(plan, balance, maxMoves, candidate);
    level = candidate;
    return true;
  }
  return false;
}

}  // namespace

bool fReadBalance(const std::string& text, QS_BALANCE& balance, std::string& error) {
  pugi::xml_document document;
  if (!document.load_buffer(text.data(), text.size())) {
    error = "balance.xml does not parse";
    return false;
  }
  const pugi::xml_node multiplier = document.child("multiplier");
  balance.multiPair = multiplier.attribute("multi_pair").as_int();
  balance.multiIncrAp = multiplier.attribute("multi_incr_ap").as_int();
  balance.multiTimeDecr = multiplier.attribute("multi_time_decr").as_int();
  if (balance.multiPair <= 0 || balance.multiIncrAp <= 0 || balance.multiTimeDecr <= 0) {
    error = "balance.xml: multiplier values must be positive";
    return false;
  }
  for (int p = 0; p < kPackCount; ++p) {
    const pugi::xml_node pack = document.child("packs").find_child_by_attribute("id", std::to_string(p + 1).c_str());
    balance.scorePair[p] = pack.attribute("score_pair").as_int();
    balance.scoreEndLevel[p] = pack.attribute("score_end_level").as_int();
    if (!pack || balance.scorePair[p] <= 0 || balance.scoreEndLevel[p] < 0) {
      error = "balance.xml: pack " + std::to_string(p + 1) + " has no positive score_pair";
      return false;
    }
  }
  return true;
}

int fEstimatePoints(const QS_BALANCE& balance, int pack, int pairs, int tilesLeft, float pace) {
  const int step = balance.multiIncrAp * 10;
  const float decay = static_cast<float>(balance.multiTimeDecr) / 10.0f;
  const int decaySteps = decay > 0.0f ? static_cast<int>(pace / decay) : 0;
  int multiplier = 1;
  int progress = 0;
  long points = 0;
  for (int p = 0; p < pairs; ++p) {
    for (int d = 0; d < decaySteps; ++d) {
      if (progress > (multiplier - 1) * step) --progress;
      else if (multiplier > 1) --multiplier;
    }
    points += static_cast<long>(balance.scorePair[pack - 1]) * multiplier;
    progress += balance.multiPair * 10;
    if (multiplier * step <= progress) ++multiplier;
  }
  points += static_cast<long>(tilesLeft) * balance.scoreEndLevel[pack - 1];
  return static_cast<int>(std::min(points, 100000000L));
}

namespace {

int targetTiles(int pack, int level) {
  return kFirstTiles[pack - 1] + (kLastTiles[pack - 1] - kFirstTiles[pack - 1]) * (level - 1) / 19;
}

// The families of every pack's levels: each family at most once in a pack, so that the boards grow
// with the pack's target sizes. Starts from a rotation and swaps families between levels (or with
// an unused family) while that brings the boards closer to their targets.
using PACK_FAMILIES = std::array<int, kLevelsPerPack>;
const std::array<PACK_FAMILIES, kPackCount>& careerFamilies() {
  static const std::array<PACK_FAMILIES, kPackCount> kCareer = [] {
    std::array<PACK_FAMILIES, kPackCount> career{};
    const int families = static_cast<int>(fShapeFamilies().size());
    for (int pack = 1; pack <= kPackCount; ++pack) {
      std::vector<std::vector<int>> sizes(static_cast<std::size_t>(families));
      for (int f = 0; f < families; ++f) sizes[f] = fFamilyBoardSizes(f, kMaxLayers[pack - 1]);
      const auto cost = [&](int level, int family) {
        int best = 1000000;
        for (int count : sizes[family]) best = std::min(best, std::abs(count - targetTiles(pack, level + 1)));
        const bool repeated = pack > 1 && career[pack - 2][level] == family;
        return best + (repeated ? 4 : 0);
      };
      PACK_FAMILIES& chosen = career[pack - 1];
      for (int level = 0; level < kLevelsPerPack; ++level) chosen[level] = (5 * level + 3 * (pack - 1)) % families;
      const int fixed = pack == 1 ? 1 : 0;  // the tutorial level keeps its small pyramid
      for (bool better = true; better;) {
        better = false;
        for (int a = fixed; a < kLevelsPerPack; ++a) {
          for (int b = a + 1; b < kLevelsPerPack; ++b)
            if (cost(a, chosen[b]) + cost(b, chosen[a]) < cost(a, chosen[a]) + cost(b, chosen[b])) {
              std::swap(chosen[a], chosen[b]);
              better = true;
            }
          for (int f = 0; f < families; ++f)
            if (std::find(chosen.begin(), chosen.end(), f) == chosen.end() && cost(a, f) < cost(a, chosen[a])) {
              chosen[a] = f;
              better = true;
            }
        }
      }
    }
    return career;
  }();
  return kCareer;
}

}  // namespace

QS_LEVEL_PLAN fPlanLevel(int pack, int level) {
  QS_LEVEL_PLAN plan;
  plan.pack = pack;
  plan.level = level;
  plan.family = careerFamilies()[pack - 1][level - 1];
  plan.targetTiles = targetTiles(pack, level);
  plan.maxLayers = kMaxLayers[pack - 1];
  plan.difficulty = static_cast<float>((pack - 1) * kLevelsPerPack + (level - 1)) / 119.0f;
  plan.specsTotal = 1 + static_cast<int>(plan.difficulty * 6.0f + 0.5f);
  plan.candidates = plan.specsTotal + 1 + (pack - 1) / 2;
  plan.bonusTiles = 2 + (pack - 1) / 2;
  if (pack == 1) plan.taskCount = level <= 3 ? 0 : 1;
  else if (pack == 2) plan.taskCount = level <= 10 ? 1 : 2;
  else plan.taskCount = 2;
  return plan;
}

std::vector<int> fFamilyBoardSizes(int family, int maxLayers) {
  std::vector<int> sizes;
  for (int size = 0; size <= kLargestSize; ++size) {
    TILES tiles = fShapeFamilies()[static_cast<std::size_t>(family)].make(size, maxLayers);
    if (tiles.empty() || !normalise(tiles)) continue;
    makeEven(tiles);
    if (tiles.size() >= 8 && tiles.size() <= kMaxTiles && place(tiles)) sizes.push_back(static_cast<int>(tiles.size()));
  }
  return sizes;
}

bool fDesignLevel(const QS_LEVEL_PLAN& plan, const QS_BALANCE& balance, QS_LEVEL& level, std::string& error) {
  const QS_SHAPE_FAMILY& family = fShapeFamilies()[static_cast<std::size_t>(plan.family)];
  std::vector<TILES> boards;
  for (int size = 0; size <= kLargestSize; ++size) {
    TILES tiles = family.make(size, plan.maxLayers);
    if (tiles.empty() || !normalise(tiles)) continue;
    makeEven(tiles);
    if (tiles.size() < 8 || tiles.size() > kMaxTiles || !place(tiles)) continue;
    boards.push_back(tiles);
  }
  std::stable_sort(boards.begin(), boards.end(), [&](const TILES& a, const TILES& b) {
    return std::abs(static_cast<int>(a.size()) - plan.targetTiles) <
           std::abs(static_cast<int>(b.size()) - plan.targetTiles);
  });
  for (const TILES& tiles : boards)
    if (finishLevel(plan, balance, tiles, level)) return true;
  error = std::string("no size of the family \"") + family.name + "\" gives a clean board for " +
          fLevelFileName(plan.pack, plan.level);
  return false;
}

}  // namespace QOR
