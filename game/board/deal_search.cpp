#include "game/board/deal_search.h"

#include "game/board/mahjong_chip.h"
#include "game/board/tile_faces.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace {

// Faces that match fall in one class: each face its own, the flowers one, the seasons one.
int MatchClass(const MAHJONG_CHIP& chip) {
  if (!chip.m_fixed) return -1;
  if (MAHJONG_FACES::isFlower(chip.m_type)) return MAHJONG_FACES::kFirstFlower;
  if (MAHJONG_FACES::isSeason(chip.m_type)) return MAHJONG_FACES::kFirstSeason;
  return std::clamp(chip.m_type, 0, MAHJONG_FACES::kFaceCount - 1);
}

}  // namespace

std::size_t DEAL_SEARCH::STATE_HASH::operator()(const STATE& state) const {
  std::uint64_t hash = 0x9E3779B97F4A7C15u;
  for (const std::uint64_t word : state) hash = (hash ^ word) * 0x100000001B3u + (hash >> 29);
  return static_cast<std::size_t>(hash);
}

void DEAL_SEARCH::ListOn(std::vector<int>& on) const {
  on.clear();
  for (std::size_t w = 0; w < m_state.size(); ++w) {
    for (std::uint64_t bits = m_state[w]; bits != 0; bits &= bits - 1) {
      on.push_back(static_cast<int>(w * 64) + __builtin_ctzll(bits));
    }
  }
}

DEAL_SEARCH::DEAL_SEARCH(const MAHJONG_BOARD& board, const MAHJONG_BOARD::CHIP_LIST& chips) {
  MAHJONG_BOARD::CHIP_LIST sorted = chips;
  // Upper layers first, then row by row: an order of the cells alone.
  const auto key = [](const MAHJONG_CHIP* chip) {
    return std::make_tuple(-chip->m_layer, chip->m_cell.y, chip->m_cell.x);
  };
  std::stable_sort(sorted.begin(), sorted.end(),
                   [&key](const MAHJONG_CHIP* a, const MAHJONG_CHIP* b) { return key(a) < key(b); });
  const int count = static_cast<int>(sorted.size());
  m_tiles.resize(sorted.size());
  m_covering.assign(sorted.size(), 0);
  m_left.assign(sorted.size(), 0);
  m_right.assign(sorted.size(), 0);
  m_depth.assign(sorted.size(), 0);
  m_blocked.assign(sorted.size(), 0);
  m_fixed.assign(MAHJONG_FACES::kFaceCount, 0);
  m_state.assign((sorted.size() + 63) / 64, 0u);
  for (int t = 0; t < count; ++t) {
    m_tiles[t].chip = sorted[t];
    m_tiles[t].matchClass = MatchClass(*sorted[t]);
    m_state[t / 64] |= std::uint64_t{1} << (t % 64);
    if (m_tiles[t].matchClass < 0) {
      ++m_plain;
    } else {
      ++m_fixed[m_tiles[t].matchClass];
    }
  }
  for (int o = 0; o < count; ++o) {
    for (int c = 0; c < count; ++c) {
      if (o == c) continue;
      const MAHJONG_BOARD::BLOCKING blocking = board.BlockingOf(*sorted[o], *sorted[c]);
      if (blocking == MAHJONG_BOARD::kNotBlocking) continue;
      m_tiles[o].blocks.push_back(c);
      m_tiles[o].blockKinds.push_back(blocking);
      if (blocking == MAHJONG_BOARD::kCovering) {
        m_tiles[o].covers.push_back(c);
        ++m_covering[c];
      }
      if (blocking == MAHJONG_BOARD::kLeftNeighbour) ++m_left[c];
      if (blocking == MAHJONG_BOARD::kRightNeighbour) ++m_right[c];
    }
  }
}

MAHJONG_BOARD::DEAL_SEARCH_RESULT DEAL_SEARCH::Run(int maxPositions) {
  m_order.clear();
  m_dead.clear();
  m_positions = 0;
  m_maxPositions = maxPositions;
  m_undecided = false;
  if (m_tiles.size() % 2 != 0) return MAHJONG_BOARD::kSearchNone;
  if (Clear(static_cast<int>(m_tiles.size()))) return MAHJONG_BOARD::kSearchFound;
  m_order.clear();
  return m_undecided ? MAHJONG_BOARD::kSearchUndecided : MAHJONG_BOARD::kSearchNone;
}

bool DEAL_SEARCH::mayPair(int a, int b) const {
  const int first = m_tiles[a].matchClass;
  const int second = m_tiles[b].matchClass;
  return first < 0 || second < 0 || first == second;
}

void DEAL_SEARCH::Shift(int t, int step) {
  const std::uint64_t bit = std::uint64_t{1} << (t % 64);
  m_state[t / 64] = step < 0 ? m_state[t / 64] & ~bit : m_state[t / 64] | bit;
  const TILE& tile = m_tiles[t];
  (tile.matchClass < 0 ? m_plain : m_fixed[tile.matchClass]) += step;
  for (std::size_t k = 0; k < tile.blocks.size(); ++k) {
    const int other = tile.blocks[k];
    switch (tile.blockKinds[k]) {
      case MAHJONG_BOARD::kCovering: m_covering[other] += step; break;
      case MAHJONG_BOARD::kLeftNeighbour: m_left[other] += step; break;
      default: m_right[other] += step; break;
    }
  }
}

int DEAL_SEARCH::LongestChain() {
  // Lower layers first (the list runs from the upper ones), so every tile a tile covers has its
  // depth already.
  int longest = 0;
  for (auto at = m_on.rbegin(); at != m_on.rend(); ++at) {
    int below = 0;
    for (int under : m_tiles[*at].covers) {
      if (isOn(under)) below = std::max(below, m_depth[under]);
    }
    m_depth[*at] = below + 1;
    longest = std::max(longest, m_depth[*at]);
  }
  return longest;
}

bool DEAL_SEARCH::PairLoose(const std::vector<int>& loose) {
  std::map<int, std::vector<int>> fixed;
  std::vector<int> plain;
  for (int t : loose) (m_tiles[t].matchClass < 0 ? plain : fixed[m_tiles[t].matchClass]).push_back(t);
  std::vector<int> pairs;
  for (auto& [face, tiles] : fixed) {
    for (std::size_t k = 0; k + 1 < tiles.size(); k += 2) pairs.insert(pairs.end(), {tiles[k], tiles[k + 1]});
    if (tiles.size() % 2 == 0) continue;
    if (plain.empty()) return false;
    pairs.insert(pairs.end(), {tiles.back(), plain.back()});
    plain.pop_back();
  }
  for (std::size_t k = 0; k + 1 < plain.size(); k += 2) pairs.insert(pairs.end(), {plain[k], plain[k + 1]});
  for (int t : pairs) m_order.push_back(m_tiles[t].chip);
  return true;
}

bool DEAL_SEARCH::Clear(int tilesLeft) {
  if (tilesLeft == 0) return true;
  if (m_dead.count(m_state) != 0) return false;
  if (++m_positions > m_maxPositions) {
    m_undecided = true;
    return false;
  }
  // Free tiles that block others, and loose ones (free, blocking nothing): loose tiles only ever
  // serve as partners, and any two of one kind serve alike.
  ListOn(m_on);
  std::vector<int> free;
  std::vector<int> loose;
  for (int t : m_on) {
    if (!isFree(t)) continue;
    int blocked = 0;
    for (int other : m_tiles[t].blocks) blocked += isOn(other) ? 1 : 0;
    m_blocked[t] = blocked;
    (blocked > 0 ? free : loose).push_back(t);
  }
  // Nothing blocks anything: what is left is paired as it lies, or never.
  if (free.empty() && PairLoose(loose)) return true;
  bool dead = free.empty();
  // A fixed face without a match among the fixed ones needs a partner without a fixed face, and
  // no two tiles of a chain can go in one pair.
  const int odd = static_cast<int>(std::count_if(m_fixed.begin(), m_fixed.end(), [](int n) { return n % 2 != 0; }));
  dead = dead || odd > m_plain || 2 * LongestChain() > tilesLeft;
  if (!dead) {
    // The tops of the tallest stacks first, then the tiles that block the most.
    std::stable_sort(free.begin(), free.end(), [this](int a, int b) {
      return std::make_pair(m_depth[a], m_blocked[a]) > std::make_pair(m_depth[b], m_blocked[b]);
    });
    std::vector<int> partners = free;
    std::vector<int> classesSeen;
    for (int t : loose) {
      const int kind = m_tiles[t].matchClass;
      if (std::find(classesSeen.begin(), classesSeen.end(), kind) != classesSeen.end()) continue;
      classesSeen.push_back(kind);
      partners.push_back(t);
    }
    for (std::size_t i = 0; i < free.size(); ++i) {
      for (std::size_t j = i + 1; j < partners.size(); ++j) {
        const int a = free[i];
        const int b = partners[j];
        if (!mayPair(a, b)) continue;
        Shift(a, -1);
        Shift(b, -1);
        m_order.push_back(m_tiles[a].chip);
        m_order.push_back(m_tiles[b].chip);
        if (Clear(tilesLeft - 2)) return true;
        m_order.resize(m_order.size() - 2);
        Shift(b, +1);
        Shift(a, +1);
        if (m_undecided) return false;
      }
    }
  }
  m_dead.insert(m_state);
  return false;
}
