// Which chips are free, how many moves are left, the tip pair and the level-complete test.
//
// A chip is blocked by a chip one layer up that overlaps it by at least half a tile in x and in y,
// or by side neighbours on its own layer (a tile width exactly to its left and to its right, rows
// overlapping by half a tile): one neighbour on each side. Chips in their removal flight neither
// block nor are free. The rule looks at cells, never at where motion shows a tile: a tile still
// dropping in blocks what it will cover once it has landed.
#include "engine/service/qc_log.h"
#include "game/board/mahjong_board.h"
#include "game/board/mahjong_chip.h"

#include <algorithm>
#include <cmath>

namespace {

// The squared distance bounds the rule compares with: half a tile, squared, truncated.
struct REACH {
  double x;
  double y;
};

REACH Reach(const TILE_METRICS& metrics) {
  const double halfX = metrics.sizeX / 2.0;
  const double halfY = metrics.sizeY / 2.0;
  return {std::trunc(halfX * halfX), std::trunc(halfY * halfY)};
}

// The truncated square of a float difference (compared, never converted, so any value is safe).
double TruncSquare(float d) { return std::trunc(static_cast<double>(d * d)); }

// How o stands to c: one layer up and overlapping it by half a tile or more in x and in y, or on
// its layer a tile width exactly to its left or right with the rows overlapping by half a tile.
inline MAHJONG_BOARD::BLOCKING Blocking(const MAHJONG_CHIP& o, const MAHJONG_CHIP& c, const REACH& reach, float width) {
  if (o.m_layer - c.m_layer == 1) {
    const bool covers =
        TruncSquare(o.m_cell.x - c.m_cell.x) <= reach.x && TruncSquare(o.m_cell.y - c.m_cell.y) <= reach.y;
    return covers ? MAHJONG_BOARD::kCovering : MAHJONG_BOARD::kNotBlocking;
  }
  if (o.m_layer != c.m_layer || TruncSquare(o.m_cell.y - c.m_cell.y) > reach.y) return MAHJONG_BOARD::kNotBlocking;
  const float dx = o.m_cell.x - c.m_cell.x;
  if (dx == width) return MAHJONG_BOARD::kRightNeighbour;
  if (dx == -width) return MAHJONG_BOARD::kLeftNeighbour;
  return MAHJONG_BOARD::kNotBlocking;
}

}  // namespace

MAHJONG_BOARD::BLOCKING MAHJONG_BOARD::BlockingOf(const MAHJONG_CHIP& other, const MAHJONG_CHIP& chip) const {
  return Blocking(other, chip, Reach(m_metrics), static_cast<float>(m_metrics.sizeX));
}

bool MAHJONG_BOARD::UpdateChipFree(MAHJONG_CHIP* chip, const CHIP_LIST& list) {
  if (chip == nullptr) {
    QOR::fLog() << "MAHJONG_CHIP* is null! "
                << "chip"
                << "= " << static_cast<const void*>(chip);
    return false;
  }
  if (chip->m_removing) return false;
  const REACH reach = Reach(m_metrics);
  const auto width = static_cast<float>(m_metrics.sizeX);
  bool blocked = false;
  bool left = false;
  bool right = false;
  for (const MAHJONG_CHIP* other : list) {
    // Only the chip's own layer and the one above can block it: the rest is passed over at once
    // (this loop is most of a deal's time).
    if (other == nullptr || other == chip || other->m_removing) continue;
    const int above = other->m_layer - chip->m_layer;
    if (above != 0 && above != 1) continue;
    const BLOCKING blocking = Blocking(*other, *chip, reach, width);
    if (blocking == kCovering) {
      blocked = true;
      break;
    }
    left = left || blocking == kLeftNeighbour;
    right = right || blocking == kRightNeighbour;
    if (left && right) {
      blocked = true;
      break;
    }
  }
  chip->bFreee = !blocked;
  return !blocked;
}

void MAHJONG_BOARD::UpdateFreeInList(const CHIP_LIST& list) {
  for (MAHJONG_CHIP* chip : list) UpdateChipFree(chip, list);
}

void MAHJONG_BOARD::UpdateAllFree() { UpdateFreeInList(m_chips); }

int MAHJONG_BOARD::CountFreeChips(const CHIP_LIST& list) const {
  return static_cast<int>(std::count_if(list.begin(), list.end(),
                                        [](const MAHJONG_CHIP* chip) { return chip != nullptr && chip->bFreee; }));
}

void MAHJONG_BOARD::CalcAvailableMoves() {
  // Every later available match of an available chip not paired yet counts one move, so three
  // free tiles of one face give 2 moves and four give 3.
  CHIP_LIST paired;
  for (std::size_t a = 0; a < m_chips.size(); ++a) {
    MAHJONG_CHIP* first = m_chips[a];
    if (!first->isAvailable() || std::find(paired.begin(), paired.end(), first) != paired.end()) continue;
    for (std::size_t b = a + 1; b < m_chips.size(); ++b) {
      MAHJONG_CHIP* second = m_chips[b];
      if (second->isAvailable() && first->isMatch(second)) {
        paired.push_back(first);
        paired.push_back(second);
      }
    }
  }
  m_availableMoves = static_cast<std::int32_t>(paired.size() / 2);
  QOR::fLog() << "MAHJONG_LAYOUT::CalcAvailableMoves() " << m_availableMoves;
}

void MAHJONG_BOARD::CountSpecials() {
  m_specialsLeft = static_cast<std::int32_t>(std::count_if(
      m_chips.begin(), m_chips.end(), [](const MAHJONG_CHIP* chip) { return chip->m_isSpecial && !chip->m_removing; }));
}

bool MAHJONG_BOARD::isLevelComplete() {
  if (m_chips.empty()) return true;
  CountSpecials();
  return m_specialsLeft <= 0;
}

void MAHJONG_BOARD::ResetTip() {
  m_tipChipA = nullptr;
  m_tipChipB = nullptr;
  m_tipTimer = 0.0f;
}

void MAHJONG_BOARD::FindTipPair() {
  m_tipChipA = nullptr;
  m_tipChipB = nullptr;
  // Pass 1 starts from special chips only, pass 2 from any; a special partner is preferred.
  for (int pass = 0; pass < 2; ++pass) {
    for (MAHJONG_CHIP* first : m_chips) {
      if (!first->isAvailable() || (pass == 0 && !first->m_isSpecial)) continue;
      MAHJONG_CHIP* partner = nullptr;
      for (MAHJONG_CHIP* other : m_chips) {
        if (other->isAvailable() && first->isMatch(other) && other->m_isSpecial) {
          partner = other;
          break;
        }
      }
      if (partner == nullptr) {
        for (MAHJONG_CHIP* other : m_chips) {
          if (other->isAvailable() && first->isMatch(other)) {
            partner = other;
            break;
          }
        }
      }
      if (partner != nullptr) {
        m_tipChipA = first;
        m_tipChipB = partner;
        return;
      }
    }
  }
}
