// The chip's record and its matching rules (no drawing, no input).
#include "game/board/mahjong_chip.h"

#include "engine/service/qc_log.h"
#include "game/board/tile_faces.h"
#include "game/board/tile_metrics.h"

MAHJONG_CHIP::MAHJONG_CHIP(QOR::QC_SPRITE* sprite, const QOR::QS_VEC2& position, std::int32_t layer, bool isbonus,
                           bool isspecial)
    : m_sprite(sprite),
      m_position(position),
      m_home(position),
      m_cell(position),
      m_layer(layer),
      m_isBonus(isbonus),
      m_isSpecial(isspecial) {}

MAHJONG_CHIP::~MAHJONG_CHIP() { QOR::fLog() << "delete chip " << m_fixed; }

bool MAHJONG_CHIP::isFlower() const { return MAHJONG_FACES::isFlower(m_type); }

bool MAHJONG_CHIP::isSeason() const { return MAHJONG_FACES::isSeason(m_type); }

bool MAHJONG_CHIP::SamePlace(const MAHJONG_CHIP& other) const {
  // x and y each: the engine's vector equality compares lengths only.
  return m_cell.x == other.m_cell.x && m_cell.y == other.m_cell.y && m_layer == other.m_layer;
}

bool MAHJONG_CHIP::isMatch(const MAHJONG_CHIP* other) const {
  if (other == nullptr || other == this || SamePlace(*other)) return false;
  return m_type == other->m_type || (isSeason() && other->isSeason()) || (isFlower() && other->isFlower());
}

QOR::QS_VEC2 MAHJONG_CHIP::BackPlace() const {
  return QOR::QS_VEC2(m_position.x + static_cast<float>(m_layer * tileMetrics.layer_offsetX),
                      m_position.y - static_cast<float>(m_layer * tileMetrics.layer_offsetY));
}
