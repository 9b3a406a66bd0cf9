// The faces of the tiles in the three styles of the options: "numbers" (tile set "1", large
// numerals), "classic" (set "2", the traditional characters, dots and bamboo with real CJK glyphs)
// and "cards" (set "3", card-like pips with corner indices). Faces 0..41 in seven suits: digits
// (characters) 0..8, dots 9..17, bamboo 18..26, dragons 27..29 (red, green, white), winds 30..33
// (east, south, west, north), flowers 34..37, seasons 38..41.
#pragma once

#include <cairo.h>

namespace QOR::ART {

enum class TILE_STYLE { NUMBERS, CLASSIC, CARDS };

// Draws face 0..41 in the rectangle (x, y, w, h): the tile's top surface, transparent elsewhere.
void fDrawTileFace(cairo_t* cr, TILE_STYLE style, int face, double x, double y, double w, double h);

// The three tile bodies and the shadow, as atlas frames 42..45 in a cell of cw x ch pixels: the
// top surface (sizeX x sizeY) at the cell's top right, the body one layer offset down and left.
enum class TILE_BACK { NORMAL, BONUS, SPECIAL, SHADOW };
void fDrawTileBack(cairo_t* cr, TILE_BACK back, double cw, double ch);

}  // namespace QOR::ART
