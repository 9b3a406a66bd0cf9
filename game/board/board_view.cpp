#include "game/board/board_view.h"

#include <algorithm>
#include <utility>

bool BOARD_AREA::Overlaps(const BOARD_AREA& other) const {
  // How far the other lies beyond the area's square core (the area less its corners' radius).
  const float r = std::max(0.0f, radius);
  const float gapX = std::max(left + r - other.right, other.left - (right - r));
  const float gapY = std::max(top + r - other.bottom, other.top - (bottom - r));
  if (r == 0.0f) return gapX < 0.0f && gapY < 0.0f;
  const float dx = std::max(gapX, 0.0f);
  const float dy = std::max(gapY, 0.0f);
  return dx * dx + dy * dy < r * r;
}

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

BOARD_AREA BOARD_VIEW::FaceArea(double posx, double posy, int layer) const {
  const TILE_METRICS& m = m_metrics;
  // The tile's place as the level reader puts it, its back's place on its layer, and the face one
  // layer offset up and right of that, as the chip draws them.
  const float x = m_origin.x + static_cast<float>(posx) * static_cast<float>(m.sizeX / 2);
  const float y = m_origin.y + static_cast<float>(posy) * static_cast<float>(m.sizeY / 2);
  const float faceX = x + static_cast<float>((layer + 1) * m.layer_offsetX);
  const float faceY = y - static_cast<float>((layer + 1) * m.layer_offsetY);
  const float halfWidth = static_cast<float>(m.sizeX) / 2.0f;
  const float halfHeight = static_cast<float>(m.sizeY) / 2.0f;
  return BOARD_AREA{faceX - halfWidth, faceY - halfHeight, faceX + halfWidth, faceY + halfHeight};
}

BOARD_AREA BOARD_VIEW::MustSeeArea(double posx, double posy, int layer) const {
  const BOARD_AREA face = FaceArea(posx, posy, layer);
  const float quarterWidth = static_cast<float>(m_metrics.sizeX) / 4.0f;
  const float quarterHeight = static_cast<float>(m_metrics.sizeY) / 4.0f;
  return BOARD_AREA{face.left + quarterWidth, face.top + quarterHeight, face.right - quarterWidth,
                    face.bottom - quarterHeight};
}

std::string BOARD_VIEW::WhyUnseen(double posx, double posy, int layer) const {
  const BOARD_AREA seen = MustSeeArea(posx, posy, layer);
  const BOARD_AREA screen{0.0f, 0.0f, static_cast<float>(m_screen.x), static_cast<float>(m_screen.y)};
  if (!screen.Holds(seen)) return "off the screen";
  for (const BOARD_AREA& part : m_covered) {
    if (part.Overlaps(seen)) return "under the panel";
  }
  return std::string();
}

bool BOARD_VIEW::isOpenAt(float x, float y) const {
  if (!(x >= 0.0f && y >= 0.0f && x <= static_cast<float>(m_screen.x) && y <= static_cast<float>(m_screen.y))) {
    return false;
  }
  return std::none_of(m_covered.begin(), m_covered.end(), [&](const BOARD_AREA& part) { return part.Overlaps(x, y); });
}
