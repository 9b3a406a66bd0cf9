#include "game/board/chip_trail.h"

#include "engine/math/float_to_int.h"
#include "engine/render/qc_sprite.h"

void CHIP_TRAIL::Init(float lifetime, float sampleInterval, std::int32_t maxPoints, bool additive) {
  m_lifetime = lifetime;
  m_sampleInterval = sampleInterval;
  m_maxPoints = maxPoints;
  m_additive = additive;
  m_elapsed = 0.0f;
  m_sampleTimer = 0.0f;
  Clear();
}

void CHIP_TRAIL::Follow(QOR::QC_SPRITE* sprite) {
  if (sprite != nullptr) m_sprites.push_back(sprite);
}

void CHIP_TRAIL::Clear() {
  m_points.clear();
  m_sprites.clear();
}

void CHIP_TRAIL::Update(float dt) {
  if (m_sprites.empty()) return;
  if (m_sampleTimer < m_sampleInterval) {
    m_sampleTimer += dt;
    return;
  }
  m_elapsed += m_sampleTimer;
  m_sampleTimer = 0.0f;
  if (m_elapsed < m_lifetime) m_points.push_front(m_sprites.front()->fGetPosition());
  if ((static_cast<std::int64_t>(m_points.size()) >= m_maxPoints || m_elapsed >= m_lifetime) && !m_points.empty()) {
    m_points.pop_back();
  }
}

void CHIP_TRAIL::Render() {
  if (m_sprites.empty()) return;
  const int n = static_cast<int>(m_points.size());
  int i = 0;
  for (const QOR::QS_VEC2& point : m_points) {
    ++i;
    const float age = static_cast<float>(i) / static_cast<float>(n);
    const float scale = 1.0f + static_cast<float>(i) / (static_cast<float>(n) * -2.5f);
    const auto alpha = static_cast<std::uint32_t>(QOR::fTruncateToInt((1.0f - age) * 255.0f) & 0xFF);
    for (QOR::QC_SPRITE* sprite : m_sprites) {
      sprite->fSetColor((alpha << 24) | 0xFFFFFFu);
      if (m_additive) sprite->fAdditiveOn();
      sprite->fRenderAt(point.x, point.y, 0.0f, scale, scale);
      if (m_additive) sprite->fAdditiveOff();
    }
  }
  for (QOR::QC_SPRITE* sprite : m_sprites) {
    sprite->fSetColor(0xFFFFFFFFu);
    sprite->fSetScale(1.0f, 1.0f, 1.0f);
  }
}
