// The tile geometry every chip and board shares, from tiles.xml: how far a tile moves per layer,
// where its shadow falls, the face rectangle (also the board's grid step) and the board grid.
#pragma once

#include <string>

namespace pugi {
class xml_node;
}

struct TILE_METRICS {
  int layer_offsetX = 0;   // pixels a tile moves right per layer
  int layer_offsetY = 0;   // pixels a tile moves up per layer
  int shadow_offsetX = 0;  // shadow shift right of the tile
  int shadow_offsetY = 0;  // shadow shift down of the tile
  int sizeX = 0;           // face rectangle width
  int sizeY = 0;           // face rectangle height
  int rows = 0;            // board grid, in tiles
  int columns = 0;

  // The set a new profile has, and the one a set tiles.xml does not list falls back to.
  static constexpr const char* kDefaultSet = "2";

  // Reads tiles.xml (the document, or a node whose children are `tiles` and `layout`): the six
  // metrics of `tiles`, the grid of `layout`; missing values are 0. Returns the `pic` of the `set`
  // named setName; when no set has that name, the default set's (with a log line); empty when
  // there is neither.
  std::string Read(const pugi::xml_node& document, const std::string& setName);
};

// The process-wide metrics (all 0 until a board reads tiles.xml).
extern TILE_METRICS tileMetrics;
