#include "game/flow/unlock_flash.h"

#include "engine/math/float_to_int.h"
#include "engine/render/qc_sprite.h"

#include <algorithm>
#include <cstdint>

bool StepUnlockFlash(QOR::QC_SPRITE* sprite, float& timer, const UNLOCK_FLASH& flash, float dt) {
  // A growing time of 0 or less shows the full scale at once.
  const auto scaleAt = [&flash](float t) {
    return flash.grow > 0.0f ? 1.0f + (flash.scale - 1.0f) * t / flash.grow : flash.scale;
  };
  if (timer < flash.grow) {
    timer += dt;
    if (sprite != nullptr) {
      const float s = scaleAt(timer);
      sprite->fSetScale(s, s, 1.0f);
      sprite->fSetColor(0xFFFFFFFFu);
    }
    return false;
  }
  if (timer < flash.grow + flash.fade) {
    timer += dt;
    if (sprite != nullptr) {
      const float s = scaleAt(timer);
      sprite->fSetScale(s, s, 1.0f);
      const int alpha = std::clamp(QOR::fTruncateToInt((1.0f - (timer - flash.grow) / flash.fade) * 255.0f), 0, 255);
      sprite->fSetColor((static_cast<std::uint32_t>(alpha) << 24) | 0x00FFFFFFu);
    }
    return false;
  }
  timer = 0.0f;
  return true;
}
