#include "tools/data/levels/board_geometry.h"

#include "tools/data/resource_layout.h"

#include <cstdlib>

namespace QOR {

namespace {

// Drawn extent of a tile around its centre: the back and face cells (the face one layer offset
// up and right) and the shadow (shifted right and down).
constexpr int kCellHalfX = kTileCellX / 2;
constexpr int kCellHalfY = kTileCellY / 2;

// What the in-game panel covers: its top row, and a box around each lower corner slot.
constexpr int kPanelTopBand = 72;
constexpr int kCornerBoxWidth = 150;
constexpr int kCornerBoxTop = 622;

bool overlaps(float left, float top, float right, float bottom, float boxLeft, float boxTop, float boxRight,
              float boxBottom) {
  return left < boxRight && right > boxLeft && top < boxBottom && bottom > boxTop;
}

}  // namespace

int fBoardOriginX() {
  return ((kScreenWidth / kTileSizeX) / 2 - kBoardColumns / 2) * kTileSizeX + kTileSizeX / 2 + 6;
}

int fBoardOriginY() {
  return ((kScreenHeight / kTileSizeY) / 2 - kBoardRows / 2) * kTileSizeY + kTileSizeY / 2 - 13;
}

float fTileScreenX(const QS_GRID_TILE& tile) {
  return static_cast<float>(fBoardOriginX()) + static_cast<float>(tile.x) * static_cast<float>(kTileSizeX / 2);
}

float fTileScreenY(const QS_GRID_TILE& tile) {
  return static_cast<float>(fBoardOriginY()) + static_cast<float>(tile.y) * static_cast<float>(kTileSizeY / 2);
}

bool isTileClearOfPanel(const QS_GRID_TILE& tile) {
  const float x = fTileScreenX(tile) + static_cast<float>(tile.layer * kLayerOffsetX);
  const float y = fTileScreenY(tile) - static_cast<float>(tile.layer * kLayerOffsetY);
  const float left = x - kCellHalfX;
  const float right = x + kCellHalfX + kLayerOffsetX + kShadowOffsetX;
  const float top = y - kCellHalfY - kLayerOffsetY;
  const float bottom = y + kCellHalfY - kShadowOffsetY;
  if (left < 0.0f || right > kScreenWidth || top < kPanelTopBand || bottom > kScreenHeight) return false;
  if (overlaps(left, top, right, bottom, 0.0f, kCornerBoxTop, kCornerBoxWidth, kScreenHeight)) return false;
  if (overlaps(left, top, right, bottom, kScreenWidth - kCornerBoxWidth, kCornerBoxTop, kScreenWidth, kScreenHeight))
    return false;
  return true;
}

bool isCovering(const QS_GRID_TILE& o, const QS_GRID_TILE& c) {
  return o.layer - c.layer == 1 && std::abs(o.x - c.x) <= 1 && std::abs(o.y - c.y) <= 1;
}

int fSideNeighbour(const QS_GRID_TILE& o, const QS_GRID_TILE& c) {
  if (o.layer != c.layer || std::abs(o.y - c.y) > 1) return 0;
  if (o.x - c.x == 2) return 1;
  if (o.x - c.x == -2) return -1;
  return 0;
}

bool isOverlapping(const QS_GRID_TILE& a, const QS_GRID_TILE& b) {
  return a.layer == b.layer && std::abs(a.x - b.x) < 2 && std::abs(a.y - b.y) < 2;
}

}  // namespace QOR
