// The deal's search for a complete removal order, for boards its greedy passes leave with tiles
// unpaired: it takes pairs of free tiles off, goes back where it meets a dead end and remembers
// the positions that lead nowhere, until every tile is off, until it has shown that no order
// clears the board, or until it has visited its bound of positions. It tries the tops of the
// tallest stacks first, and passes over only what cannot help: a position where some chain of
// tiles, each covering the next, is longer than the pairs left, or where fixed faces outnumber
// their partners; a second loose tile (free, blocking nothing) of a kind already tried; two loose
// tiles together while anything else is left (such a pair can always wait until the end).
//
// A pair is two tiles free at that moment, by the board's own free rule, that may take one face:
// two fixed faces only when they match. Which tiles are special, and every face the deal draws,
// play no part, and the tiles are taken in an order of their cells, not of the list they come in,
// so the answer follows from the layout and the fixed faces alone.
#pragma once

#include "game/board/mahjong_board.h"

#include <cstddef>
#include <cstdint>
#include <unordered_set>
#include <vector>

class MAHJONG_CHIP;

class DEAL_SEARCH {
 public:
  // The chips to take off (none of them in flight), related by the board's free rule.
  DEAL_SEARCH(const MAHJONG_BOARD& board, const MAHJONG_BOARD::CHIP_LIST& chips);

  // Looks for an order, visiting at most maxPositions positions: kSearchFound, kSearchNone (an odd
  // number of chips has none) or kSearchUndecided.
  MAHJONG_BOARD::DEAL_SEARCH_RESULT Run(int maxPositions);
  // The order found, two by two (each pair free when it is taken): empty unless kFound.
  const MAHJONG_BOARD::CHIP_LIST& GetOrder() const { return m_order; }
  // The positions the last run visited.
  int GetPositions() const { return m_positions; }

 private:
  using STATE = std::vector<std::uint64_t>;  // one bit per tile still on the board
  struct STATE_HASH {
    std::size_t operator()(const STATE& state) const;
  };
  struct TILE {
    MAHJONG_CHIP* chip = nullptr;
    int matchClass = -1;          // a fixed face's class (flowers and seasons one each), -1 none
    std::vector<int> blocks;      // tiles it covers or stands beside, each once per relation
    std::vector<int> blockKinds;  // MAHJONG_BOARD::BLOCKING of each
    std::vector<int> covers;      // tiles one layer down that it covers
  };

  bool isFree(int t) const { return m_covering[t] == 0 && (m_left[t] == 0 || m_right[t] == 0); }
  bool isOn(int t) const { return (m_state[t / 64] >> (t % 64) & 1u) != 0; }
  // The tiles still on the board, in their order.
  void ListOn(std::vector<int>& on) const;
  bool mayPair(int a, int b) const;
  // Takes a tile off the board (step -1) or puts it back (+1).
  void Shift(int t, int step);
  // True when the board as it stands (that many tiles on it) can be cleared, the pairs appended to
  // the order; m_undecided when the bound was reached.
  bool Clear(int tilesLeft);
  // The pairs that clear a board of loose tiles only (all free, blocking nothing); false when the
  // fixed faces leave one without a partner.
  bool PairLoose(const std::vector<int>& loose);
  // The longest chain of tiles each covering the next: no two of them can go in one pair.
  int LongestChain();

  std::vector<TILE> m_tiles;  // upper layers first, then by row and column
  std::vector<int> m_covering;  // tiles on the board covering each tile
  std::vector<int> m_left;      // and standing beside it on the left
  std::vector<int> m_right;     // and on the right
  std::vector<int> m_depth;    // scratch: tiles in the tallest chain under and with each tile
  std::vector<int> m_blocked;  // scratch: tiles on the board each tile blocks
  std::vector<int> m_on;       // scratch: ListOn
  int m_plain = 0;             // tiles on the board without a fixed face
  std::vector<int> m_fixed;    // tiles on the board of each fixed face's class
  STATE m_state;
  std::unordered_set<STATE, STATE_HASH> m_dead;  // positions known to lead nowhere
  MAHJONG_BOARD::CHIP_LIST m_order;
  int m_positions = 0;
  int m_maxPositions = 0;
  bool m_undecided = false;
};
