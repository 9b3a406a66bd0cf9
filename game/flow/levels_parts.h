// What the levels screen owns: the 20 level buttons on two pages (level 1's x telling the page),
// their backs, the flash of a newly opened level, the level highlight and the page turn. The page
// number and the page arrow are the manager's, shared with the trophies screen. The manager holds
// one; it frees what it holds when the manager goes.
#pragma once

#include "game/board/timed_values.h"

#include <vector>

namespace QOR {
class QC_IMAGE_BUTTON;
class QC_SPRITE;
}  // namespace QOR

struct LEVELS_PARTS {
  static constexpr int kButtons = 20;

  LEVELS_PARTS() = default;
  ~LEVELS_PARTS() { Free(); }
  LEVELS_PARTS(const LEVELS_PARTS&) = delete;
  LEVELS_PARTS& operator=(const LEVELS_PARTS&) = delete;

  // Deletes every object and gives its picture back; all null afterwards.
  void Free();
  // Places the level highlight on level 1..20.
  void MoveLevelGlow(int level);
  // Level 1's button to x, the other buttons and the level highlight by the same amount.
  void Slide(float x);

  QOR::QC_IMAGE_BUTTON* buttons[kButtons] = {};
  QOR::QC_SPRITE* backs[kButtons] = {};
  QOR::QC_SPRITE* flashSprite = nullptr;  // the flash of a newly opened level
  QOR::QC_SPRITE* glow = nullptr;
  // Levels opened by a completion (0-based indices, appended by the level road); the first flashes.
  std::vector<int> newLevels;
  float flashTimer = 0.0f;
  VALUE_TWEEN pageTween;
};
