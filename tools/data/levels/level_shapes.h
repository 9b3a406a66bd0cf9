// The board shapes of the career: twenty families (pyramids, towers, bridges, turtle-like shells,
// letters ...), each drawn at growing sizes. A shape is a list of tiles on the half-tile grid at
// arbitrary coordinates; the level designer centres it on the board.
#pragma once

#include "tools/data/levels/level_model.h"

#include <string>
#include <vector>

namespace QOR {

// One family: size 0 is its smallest board; a larger size gives more tiles; an empty result means
// the family has no board of that size.
struct QS_SHAPE_FAMILY {
  const char* name;
  std::vector<QS_GRID_TILE> (*make)(int size, int maxLayers);
};

const std::vector<QS_SHAPE_FAMILY>& fShapeFamilies();

// Helpers shared by the families (and tests): a full rectangle of cols x rows tiles from (x, y);
// the next layer over a layer, stacked on tiles whose four side neighbours exist, or set half a
// tile over every 2 x 2 block.
void fAddRect(std::vector<QS_GRID_TILE>& tiles, int x, int y, int cols, int rows, int layer);
std::vector<QS_GRID_TILE> fRoofStacked(const std::vector<QS_GRID_TILE>& layer);
std::vector<QS_GRID_TILE> fRoofHalf(const std::vector<QS_GRID_TILE>& layer);
// Tiles from a picture: every '#' of row r, column c is a tile at (x + 2c, y + 2r).
void fAddMask(std::vector<QS_GRID_TILE>& tiles, int x, int y, int layer, const std::vector<std::string>& rows);

}  // namespace QOR
