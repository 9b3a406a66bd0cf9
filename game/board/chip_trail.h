// The fading trail a removed tile leaves behind: the positions of the sprites it follows, sampled
// at a fixed interval for the flight's length, then shrinking one point per interval. It draws the
// followed sprites themselves (shared with the board) at each point, smaller and fainter with age.
#pragma once

#include "engine/math/qs_vec2.h"

#include <cstdint>
#include <deque>
#include <vector>

namespace QOR {
class QC_SPRITE;
}

class CHIP_TRAIL {
 public:
  CHIP_TRAIL() = default;

  // Starts a new trail: no points, no followed sprites, clocks at 0.
  void Init(float lifetime, float sampleInterval, std::int32_t maxPoints, bool additive);
  // Adds a sprite to follow (not owned); the first one gives the sampled positions.
  void Follow(QOR::QC_SPRITE* sprite);
  void Update(float dt);
  // Each point, newest first, with every followed sprite; the sprites' colour and scale are put
  // back to opaque white and 1 afterwards.
  void Render();
  // Forgets the followed sprites and the points.
  void Clear();

  const std::deque<QOR::QS_VEC2>& GetPoints() const { return m_points; }
  bool isFollowing() const { return !m_sprites.empty(); }

  float m_lifetime = 0.0f;
  float m_elapsed = 0.0f;
  float m_sampleTimer = 0.0f;
  float m_sampleInterval = 0.0f;
  std::int32_t m_maxPoints = 0;
  bool m_additive = false;

 private:
  std::deque<QOR::QS_VEC2> m_points;       // newest first
  std::vector<QOR::QC_SPRITE*> m_sprites;  // not owned
};
