// The one rule of what level can be played, which the game's level check (level_lookup.h) and the
// level editor's save both follow.
#pragma once

#include "game/board/board_view.h"

#include <pugixml.hpp>

#include <string>

namespace MAHJONG_LEVELS {

// Why the level of the document cannot be played on that view; empty when it can. In this order:
// more tiles than a deal takes quickly (MAHJONG_BOARD::kMaxDealTiles, counted before anything is
// dealt); no tiles; an element among them that is not a `tile`; a tile outside the grid (posx
// beyond 0 .. 2 x columns, posy beyond 0 .. 2 x rows, in half tiles); two tiles on one cell of a
// layer (positions rounded to whole half tiles); a tile not seen (more than a quarter of its face
// off the screen or under the panel, BOARD_VIEW::isSeen); an odd number of tiles; more special
// tiles asked for than tiles marked special; and last a layout the deal builder cannot pair to the
// end, or one its search could not decide within its bound (MAHJONG_BOARD::FixedOrderDeal).
std::string PlayProblem(const pugi::xml_node& document, const BOARD_VIEW& view);

}  // namespace MAHJONG_LEVELS
