#include "game/board/board_view.h"

#include <algorithm>
#include <utility>

BOARD_VIEW::BOARD_VIEW(const TILE_METRICS& metrics, QOR::QS_POINT screen, std::vector<BOARD_AREA> covered)
    : m_metrics(metrics), m_screen(screen), m_origin(OriginOn(metrics, screen)), m_covered(std::move(covered)) {}

QOR::QS_VEC2 BOARD_VIEW::OriginOn(const TILE_METRICS& metrics, QOR::QS_POINT screen) {
  const int sizeX = metrics.sizeX;
  const int sizeY = metrics.sizeY;
  // Whole tiles that fit the screen, halved, less half the grid: the grid sits in the middle.
  const int cellsX = sizeX != 0 ? screen.x / sizeX : 0;
  const int cellsY = sizeY != 0 ? screen.y / sizeY : 0;
  return QOR::QS_VEC2(static_cast<float>((cellsX / 2 - metrics.columns / 2) * sizeX + sizeX / 2 + 6),
                      static_cast<float>((cellsY / 2 - metrics.rows / 2) * sizeY + sizeY / 2 - 13));
}

BOARD_AREA BOARD_VIEW::TileArea(double posx, double posy, int layer) const {
  const TILE_METRICS& m = m_metrics;
  // The tile's place as the level reader puts it, then its back's place on its layer.
  const float x = m_origin.x + static_cast<float>(posx) * static_cast<float>(m.sizeX / 2);
  const float y = m_origin.y + static_cast<float>(posy) * static_cast<float>(m.sizeY / 2);
  const float backX = x + static_cast<float>(layer * m.layer_offsetX);
  const float backY = y - static_cast<float>(layer * m.layer_offsetY);
  // Back, face and shadow are atlas cells of one size, centred on the back's place, the face one
  // layer offset up and right of it, the shadow at the shadow offset (right and down).
  const float halfWidth = static_cast<float>(2 * m.layer_offsetX + m.sizeX) / 2.0f;
  const float halfHeight = static_cast<float>(2 * m.layer_offsetY + m.sizeY) / 2.0f;
  const auto dx = {0, m.layer_offsetX, m.shadow_offsetX};
  const auto dy = {0, -m.layer_offsetY, -m.shadow_offsetY};
  BOARD_AREA area;
  area.left = backX - halfWidth + static_cast<float>(std::min(dx));
  area.right = backX + halfWidth + static_cast<float>(std::max(dx));
  area.top = backY - halfHeight + static_cast<float>(std::min(dy));
  area.bottom = backY + halfHeight + static_cast<float>(std::max(dy));
  return area;
}

std::string BOARD_VIEW::WhyUnseen(double posx, double posy, int layer) const {
  const BOARD_AREA tile = TileArea(posx, posy, layer);
  const BOARD_AREA screen{0.0f, 0.0f, static_cast<float>(m_screen.x), static_cast<float>(m_screen.y)};
  if (!screen.Holds(tile)) return "off the screen";
  for (const BOARD_AREA& part : m_covered) {
    if (part.Overlaps(tile)) return "under the panel";
  }
  return std::string();
}
