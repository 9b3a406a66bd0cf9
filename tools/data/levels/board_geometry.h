// Where the game puts the tiles of a level on a 1024 x 768 screen with our tile set, and which
// screen areas the in-game panel covers, so that the builder lays out boards that fit.
#pragma once

#include "tools/data/levels/level_model.h"

namespace QOR {

inline constexpr int kScreenWidth = 1024;
inline constexpr int kScreenHeight = 768;

// The board origin as the game computes it from the screen, tile size and grid (integer division).
int fBoardOriginX();
int fBoardOriginY();

// The centre of a tile on the screen before its layer shift: origin + grid x half tile size.
float fTileScreenX(const QS_GRID_TILE& tile);
float fTileScreenY(const QS_GRID_TILE& tile);

// The grid positions whose whole face rectangle lies inside the board rectangle, where the mouse
// can reach every part of the tile: x in 1 .. 2 x columns - 1, y in 1 .. 2 x rows - 1.
inline constexpr int kGridMinX = 1;
inline constexpr int kGridMaxX = 31;
inline constexpr int kGridMinY = 1;
inline constexpr int kGridMaxY = 15;

// True when the drawn tile (back, face and shadow, with its layer shift) stays on the screen and
// clear of the in-game panel: the top row and the two lower corner slots.
bool isTileClearOfPanel(const QS_GRID_TILE& tile);

// The free rule in grid units. o covers c: one layer up and within half a tile in x and in y.
bool isCovering(const QS_GRID_TILE& o, const QS_GRID_TILE& c);
// o is c's neighbour on the left (-1), on the right (+1) or neither (0): same layer, within half a
// tile in y and exactly one tile away in x.
int fSideNeighbour(const QS_GRID_TILE& o, const QS_GRID_TILE& c);
// Two tiles of one layer that overlap.
bool isOverlapping(const QS_GRID_TILE& a, const QS_GRID_TILE& b);

}  // namespace QOR
