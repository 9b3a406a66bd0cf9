// The flash that marks something newly opened (a pack's face, its breaking lock, a level button):
// the sprite grows from scale 1 towards a scale over a first time, then keeps growing while it
// fades out over a second time.
#pragma once

namespace QOR {
class QC_SPRITE;
}

struct UNLOCK_FLASH {
  float scale = 1.0f;  // the scale reached when the growing time ends
  float grow = 0.0f;   // seconds of growing (opaque)
  float fade = 0.0f;   // seconds of fading out
};

// One tick of the flash on the sprite (nothing drawn here; a null sprite only keeps the time).
// Returns true on the tick after both times have run out: the timer is then back at 0.
bool StepUnlockFlash(QOR::QC_SPRITE* sprite, float& timer, const UNLOCK_FLASH& flash, float dt);
