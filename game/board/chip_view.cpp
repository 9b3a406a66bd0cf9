// The chip on screen: its colour, the mouse test, and drawing with the board's shared sprites
// (each moved to the chip, drawn and put back, so no chip holds an image of its own).
#include "engine/platform/qc_input.h"
#include "engine/render/qc_sprite.h"
#include "game/board/mahjong_chip.h"
#include "game/board/tile_faces.h"
#include "game/board/tile_metrics.h"

#include <algorithm>

std::uint32_t MAHJONG_CHIP::GetColor() const { return m_sprite != nullptr ? m_sprite->fGetVertexColor(0) : 0u; }

void MAHJONG_CHIP::SetColor(std::uint32_t argb) {
  if (m_sprite != nullptr) m_sprite->fSetColor(argb);
}

bool MAHJONG_CHIP::isUnderMouse() const {
  if (QOR::qcCurrentInput == nullptr) return false;
  const float left = m_position.x + static_cast<float>(m_layer * tileMetrics.layer_offsetX - tileMetrics.sizeX / 2);
  const float top = m_position.y - static_cast<float>(m_layer * tileMetrics.layer_offsetY + tileMetrics.sizeY / 2);
  return QOR::qcCurrentInput->isMouseInRect(left, top, static_cast<float>(tileMetrics.sizeX),
                                            static_cast<float>(tileMetrics.sizeY));
}

void MAHJONG_CHIP::StartAlphaAnim(std::int32_t end, float duration) { m_alphaAnim.Start(&m_alpha, end, duration); }

void MAHJONG_CHIP::Render(QOR::QC_SPRITE* back, bool highlight, QOR::QC_SPRITE* overlay) {
  if (m_backSprite == nullptr) m_backSprite = back;
  if (m_removing) m_trail.Render();
  const QOR::QS_VEC2 place = BackPlace();
  if (back != nullptr) back->fRenderAt(place.x, place.y, 0.0f, 1.0f, 1.0f);
  // A chip not dealt yet (no face) shows its back only.
  if (m_sprite != nullptr && m_type >= 0 && m_type < MAHJONG_FACES::kAtlasColumns * MAHJONG_FACES::kAtlasRows) {
    m_sprite->fSetFrame(MAHJONG_FACES::kAtlasColumns, MAHJONG_FACES::kAtlasRows, m_type);
    m_sprite->fRenderAt(place.x + static_cast<float>(tileMetrics.layer_offsetX),
                        place.y - static_cast<float>(tileMetrics.layer_offsetY), 0.0f, 1.0f, 1.0f);
  }
  if ((highlight || m_alphaAnim.active) && back != nullptr) {
    back->fAdditiveOn();
    back->fSetColor((static_cast<std::uint32_t>(std::clamp(m_alpha, 0, 255)) << 24) + 0xFFFFFFu);
    back->fRenderAt(place.x, place.y, 0.0f, 1.0f, 1.0f);
    back->fAdditiveOff();
    back->fSetColor(0xFFFFFFFFu);
  }
  if (overlay != nullptr) overlay->fRenderAt(place.x, place.y, 0.0f, 1.0f, 1.0f);
}

void MAHJONG_CHIP::PlaceSprite(QOR::QC_SPRITE* sprite) const {
  if (sprite == nullptr) return;
  const QOR::QS_VEC2& at = m_flightTime < 0.1f ? m_home : m_position;
  sprite->fRenderAt(at.x + static_cast<float>(m_layer * tileMetrics.layer_offsetX + tileMetrics.shadow_offsetX),
                    at.y - static_cast<float>(m_layer * tileMetrics.layer_offsetY + tileMetrics.shadow_offsetY), 0.0f,
                    1.0f, 1.0f);
}
