#include "game/board/playable_level.h"

#include "engine/platform/qc_random.h"
#include "game/board/mahjong_board.h"
#include "game/board/xml_numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>
#include <tuple>

namespace {

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof(text), "%g", value);
  return text;
}

// Why the deal builder cannot pair the level (the board read from it): empty when it pairs every
// tile. Its plain fixed order and then its search decide, and neither looks at a face it draws
// or at which tiles are special, so the answer follows from the layout and the fixed faces alone;
// the game's deal falls back to the same order and the same search, so a level that passes here
// is always paired to the end, whatever the draws.
std::string DealProblem(const pugi::xml_node& document, const BOARD_VIEW& view, int tiles) {
  MAHJONG_BOARD board;
  board.SetTileMetrics(view.GetMetrics());
  board.SetLayoutScreen(view.GetScreen());
  board.ComputeOrigin();
  // A generator of its own: the check leaves the game's random stream as it was.
  QOR::QC_RANDOM random(0);
  board.SetRandom(&random);
  board.ReadLevel(document, "the level check");
  const int unpaired = board.FixedOrderDeal();
  if (unpaired == 0) return std::string();
  const std::string counted = std::to_string(unpaired) + " of its " + std::to_string(tiles) + " tiles";
  if (board.GetDealSearch() == MAHJONG_BOARD::kSearchUndecided) {
    return "the deal's plain order leaves " + counted + " unpaired, and whether another order pairs them all could " +
           "not be decided within the search's " + std::to_string(MAHJONG_BOARD::kSearchPositions) + " positions";
  }
  return "the deal cannot pair " + counted + " (tiles stacked with none beside them, or fixed faces without a match)";
}

}  // namespace

namespace MAHJONG_LEVELS {

std::string PlayProblem(const pugi::xml_node& document, const BOARD_VIEW& view) {
  const pugi::xml_node tiles = document.child("tiles");
  // Counted first: a huge level is refused before anything is read or dealt.
  int count = 0;
  for (const pugi::xml_node& tile : tiles.children()) count += tile.type() == pugi::node_element ? 1 : 0;
  if (count > MAHJONG_BOARD::kMaxDealTiles) {
    return std::to_string(count) + " tiles, more than the " + std::to_string(MAHJONG_BOARD::kMaxDealTiles) +
           " a level may have";
  }
  if (count == 0) return "no tiles";

  const TILE_METRICS& grid = view.GetMetrics();
  const double right = 2.0 * grid.columns;
  const double bottom = 2.0 * grid.rows;
  std::set<std::tuple<int, long long, long long>> cells;
  int number = 0;
  int candidates = 0;
  for (const pugi::xml_node& tile : tiles.children()) {
    if (tile.type() != pugi::node_element) continue;
    ++number;
    if (std::strcmp(tile.name(), "tile") != 0) return "a <" + std::string(tile.name()) + "> element among the tiles";
    // Read as the board reads them: numbers that do not parse are 0, layers bounded.
    const double x = MAHJONG_XML::AttributeDouble(tile, "posx");
    const double y = MAHJONG_XML::AttributeDouble(tile, "posy");
    const int layer = std::clamp(MAHJONG_XML::AttributeInt(tile, "level"), 0, MAHJONG_BOARD::kMaxLayer);
    const std::string where = "tile " + std::to_string(number) + " (posx " + Number(x) + ", posy " + Number(y) +
                              ", level " + std::to_string(layer) + ")";
    if (!(x >= 0.0 && x <= right && y >= 0.0 && y <= bottom)) {
      return where + " outside the " + std::to_string(grid.columns) + " x " + std::to_string(grid.rows) + " grid";
    }
    if (!cells.emplace(layer, std::llround(x), std::llround(y)).second) return where + " on a cell taken already";
    const std::string unseen = view.WhyUnseen(x, y, layer);
    if (!unseen.empty()) return where + " " + unseen;
    candidates += MAHJONG_XML::HasAttribute(tile, "isspecial") ? 1 : 0;
  }
  if (count % 2 != 0) return "an odd number of tiles (" + std::to_string(count) + "): one would be left without a pair";
  const int wanted = std::max(0, MAHJONG_XML::AttributeInt(tiles, "specsTotal"));
  if (candidates > 0 && wanted > candidates) {
    return std::to_string(wanted) + " special tiles asked for, but only " + std::to_string(candidates) +
           " tiles may be special";
  }
  return DealProblem(document, view, count);
}

}  // namespace MAHJONG_LEVELS
