// Shared pieces of the board tests: the shipped tile metrics, boards written as level files from
// grid cells, and the replay of a deal's own pair order on a fresh board with the real free rule.
#pragma once

#include "game/board/mahjong_board.h"
#include "game/board/mahjong_chip.h"
#include "game/board/tile_faces.h"
#include "game/board/tile_metrics.h"

#include <pugixml.hpp>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace board_test {

// The metrics of the shipped tiles.xml (60 x 76 faces, layers 6 px apart, a 16 x 8 grid).
inline void UseShippedMetrics() {
  tileMetrics = TILE_METRICS{};
  tileMetrics.layer_offsetX = 6;
  tileMetrics.layer_offsetY = 6;
  tileMetrics.shadow_offsetX = 5;
  tileMetrics.shadow_offsetY = -5;
  tileMetrics.sizeX = 60;
  tileMetrics.sizeY = 76;
  tileMetrics.rows = 8;
  tileMetrics.columns = 16;
}

// One tile of a level: grid position in half tiles, layer and flags.
struct CELL {
  int gx = 0;
  int gy = 0;
  int layer = 0;
  bool special = false;
  bool bonus = false;
  int fixedType = -1;  // >= 0: a fixed face
};

// The level file of the cells, the way the game's writer lays it out.
inline std::string LevelText(const std::vector<CELL>& cells, int specsTotal, const char* suits = nullptr,
                             const std::string& extra = std::string()) {
  std::ostringstream text;
  text << "<tiles specsTotal=\"" << specsTotal << "\">";
  for (const CELL& cell : cells) {
    text << "<tile posx=\"" << cell.gx << "\" posy=\"" << cell.gy << "\" level=\"" << cell.layer << "\"";
    if (cell.fixedType >= 0) text << " fixed=\"true\" type=\"" << cell.fixedType << "\"";
    if (cell.bonus) text << " isbonus=\"true\"";
    if (cell.special) text << " isspecial=\"true\"";
    text << "/>";
  }
  text << "</tiles>";
  if (suits != nullptr) text << "<suits " << suits << "/>";
  text << extra;
  return text.str();
}

// Reads the text into the board as a level file; false when it is no XML.
inline bool Load(MAHJONG_BOARD& board, const std::string& text, const std::string& name = "pk1lv1.xml") {
  pugi::xml_document document;
  if (!document.load_string(text.c_str())) return false;
  board.ReadLevel(document, name);
  return true;
}

inline MAHJONG_CHIP* ChipAt(const MAHJONG_BOARD& board, int gx, int gy, int layer) {
  const float x = board.GetOrigin().x + static_cast<float>(gx * (tileMetrics.sizeX / 2));
  const float y = board.GetOrigin().y + static_cast<float>(gy * (tileMetrics.sizeY / 2));
  for (MAHJONG_CHIP* chip : board.GetChips()) {
    if (chip->m_position.x == x && chip->m_position.y == y && chip->m_layer == layer) return chip;
  }
  return nullptr;
}

// What replaying a deal's pair order on a fresh copy of the dealt board found.
struct REPLAY {
  bool complete = false;    // the order names every chip of the board once, in pairs
  int pairs = 0;            // pairs replayed
  int illegalPairs = 0;     // pairs with a chip that was not free, or that did not match
  int lastSpecialPair = 0;  // 1-based number of the last pair holding a special tile (0: none)
  int specialsLeft = 0;     // special tiles still on the board afterwards
  std::string firstProblem;
};

// Plays the dealt board's own solution on a fresh board of the same chips (cells, layers, faces,
// flags), recomputing the free flags with the real rule before every pair.
inline REPLAY Replay(const MAHJONG_BOARD& dealt) {
  REPLAY result;
  MAHJONG_BOARD fresh;
  std::map<const MAHJONG_CHIP*, MAHJONG_CHIP*> twin;
  for (const MAHJONG_CHIP* chip : dealt.GetChips()) {
    auto* copy = new MAHJONG_CHIP(nullptr, chip->GetCell(), chip->m_layer, chip->m_isBonus, chip->m_isSpecial);
    copy->m_type = chip->m_type;
    fresh.AddChip(copy);
    twin[chip] = copy;
  }
  const MAHJONG_BOARD::CHIP_LIST& order = dealt.GetDealOrder();
  std::map<const MAHJONG_CHIP*, int> seen;
  for (const MAHJONG_CHIP* chip : order) ++seen[chip];
  result.complete = order.size() % 2 == 0 && order.size() == dealt.GetChips().size() && seen.size() == order.size();
  for (std::size_t k = 0; k + 1 < order.size(); k += 2) {
    if (twin.count(order[k]) == 0 || twin.count(order[k + 1]) == 0) {
      result.complete = false;
      break;
    }
    MAHJONG_CHIP* a = twin[order[k]];
    MAHJONG_CHIP* b = twin[order[k + 1]];
    fresh.UpdateAllFree();
    std::string problem;
    if (!a->isAvailable() || !b->isAvailable()) problem = "a chip of the pair was blocked";
    if (!a->isMatch(b)) problem = "the pair does not match";
    if (!problem.empty()) {
      ++result.illegalPairs;
      if (result.firstProblem.empty()) result.firstProblem = problem + " at pair " + std::to_string(k / 2 + 1);
    }
    ++result.pairs;
    if (a->m_isSpecial || b->m_isSpecial) result.lastSpecialPair = result.pairs;
    fresh.DeleteChip(a);
    fresh.DeleteChip(b);
  }
  for (const MAHJONG_CHIP* chip : fresh.GetChips()) result.specialsLeft += chip->m_isSpecial ? 1 : 0;
  return result;
}

}  // namespace board_test
