// The chip's removal: the start of its flight, its per-frame step and its sound.
#include "engine/math/float_to_int.h"
#include "engine/render/qc_sprite.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_sounds.h"
#include "game/board/tile_metrics.h"

void MAHJONG_CHIP::PlayCollapseSound() const {
  if (gameSounds != nullptr) gameSounds->Play("tile_collapse.ogg");
}

void MAHJONG_CHIP::StartRemove() {
  if (m_removing) return;
  m_removing = true;
  m_flightTime = 0.0f;
  m_flightStart = m_position;
  const MAHJONG_CONSTS* consts = MAHJONG_CONSTS::GetInstance();
  m_trail.Init(consts->remove_chip_bezier_durration, consts->chip_trail_frequency,
               QOR::fTruncateToInt(consts->chip_trail_length), consts->blend_multiply);
  m_trail.Follow(m_sprite);
  if (m_backSprite != nullptr) m_trail.Follow(m_backSprite);
}

int MAHJONG_CHIP::Update(float dt) {
  if (m_removing) {
    if (m_sprite != nullptr) {
      m_sprite->fSetPosition(m_position.x + static_cast<float>((m_layer + 1) * tileMetrics.layer_offsetX),
                             m_position.y - static_cast<float>((m_layer + 1) * tileMetrics.layer_offsetY), 0.0f);
    }
    m_trail.Update(dt);
  }
  m_alphaAnim.Update(dt);
  return 0;
}
