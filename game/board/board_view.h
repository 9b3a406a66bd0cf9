// Where the tiles of a level can be seen while it is played: the board placed on the game's
// screen, less what the in-game panel covers there. A tile counts as seen when the player can
// tell its face and pick it: its face, less a quarter of its width at the left and at the right
// and a quarter of its height at the top and at the bottom, lies on the screen and over no part of
// the panel, so at most a quarter of the face is lost at an edge. The board takes clicks and hover
// wherever the screen shows no part of the panel, so it takes them on every face so seen.
#pragma once

#include "engine/math/qs_point.h"
#include "engine/math/qs_vec2.h"
#include "game/board/tile_metrics.h"

#include <string>
#include <vector>

// A screen rectangle, edges in pixels (right and bottom beyond the last pixel), its corners
// rounded by a radius (a circle when it is a square twice the radius wide).
struct BOARD_AREA {
  float left = 0.0f;
  float top = 0.0f;
  float right = 0.0f;
  float bottom = 0.0f;
  float radius = 0.0f;

  // They share some pixel (touching edges share none); the other's corners are taken square.
  bool Overlaps(const BOARD_AREA& other) const;
  bool Overlaps(float x, float y) const { return Overlaps(BOARD_AREA{x, y, x, y}); }
  // The other lies inside the rectangle (corners taken square).
  bool Holds(const BOARD_AREA& other) const {
    return other.left >= left && other.right <= right && other.top >= top && other.bottom <= bottom;
  }
};

class BOARD_VIEW {
 public:
  // The screen the game's levels are played on: the engine's resolution unless config.xml names
  // another, and the screen a level is checked for wherever it is checked (the editor's window is
  // larger).
  static constexpr int kPlayWidth = 1024;
  static constexpr int kPlayHeight = 768;

  // Nothing is seen: no tile metrics.
  BOARD_VIEW() = default;
  // The board of those metrics on a screen of that size (its grid centred there as the board
  // places it), with the areas the panel covers on it.
  BOARD_VIEW(const TILE_METRICS& metrics, QOR::QS_POINT screen, std::vector<BOARD_AREA> covered);

  // Where the board's grid origin lies on a screen of that size (integer divisions, as the board
  // computes it).
  static QOR::QS_VEC2 OriginOn(const TILE_METRICS& metrics, QOR::QS_POINT screen);

  // The face of a tile at grid (posx, posy) in half tiles on that layer: drawn one layer offset
  // up and right of the tile's back, over the back's top surface (its margin and its shadow are
  // no part of it).
  BOARD_AREA FaceArea(double posx, double posy, int layer) const;
  // The part of that face that must be seen: the face less a quarter of its width at either side
  // and a quarter of its height at the top and at the bottom.
  BOARD_AREA MustSeeArea(double posx, double posy, int layer) const;
  // Empty when the tile is seen; otherwise why not: "off the screen" or "under the panel" (only
  // where the face itself is).
  std::string WhyUnseen(double posx, double posy, int layer) const;
  bool isSeen(double posx, double posy, int layer) const { return WhyUnseen(posx, posy, layer).empty(); }
  // Whether a point takes the board's clicks and hover: on the screen and on no part of the panel.
  bool isOpenAt(float x, float y) const;

  const TILE_METRICS& GetMetrics() const { return m_metrics; }
  QOR::QS_POINT GetScreen() const { return m_screen; }
  const std::vector<BOARD_AREA>& GetCovered() const { return m_covered; }

 private:
  TILE_METRICS m_metrics;
  QOR::QS_POINT m_screen{0, 0};
  QOR::QS_VEC2 m_origin;
  std::vector<BOARD_AREA> m_covered;
};
