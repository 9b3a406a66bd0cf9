// The panel's lower-corner slots and the timing of its two flashes.
#include "engine/math/float_to_int.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/render/qc_sprite.h"
#include "game/board/mahjong_hud_panel.h"
#include "gui/widgets/qc_image_button.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int kDisabledState = 4;

int clampAlpha(double alpha) { return std::clamp(QOR::fTruncateToInt(alpha), 0, 255); }

}  // namespace

// --- HUD_SLOT ---

HUD_SLOT::~HUD_SLOT() {
  delete icon;
  delete button;
}

void HUD_SLOT::Render(float x, float y) {
  if (isEmpty()) return;
  if (button != nullptr) {
    button->fSetPosition(x, y);
    button->fRender();
  }
  if (icon != nullptr) icon->fRenderAt(x, y, 0.0f, 1.0f, 1.0f);
}

void HUD_SLOT::SetPosition(float x, float y) {
  if (isEmpty()) return;
  if (button != nullptr) button->fSetPosition(x, y);
  if (icon != nullptr) icon->fSetPosition(x, y, 0.0f);
}

int HUD_SLOT::Click() {
  if (button == nullptr) return 0;
  return button->fUpdate();
}

bool HUD_SLOT::isActive() const {
  const QOR::QS_POINT screen = QOR::qcGAME != nullptr ? QOR::qcGAME->fGetResolution() : QOR::QS_POINT{1024, 768};
  return isActiveAt(static_cast<float>(screen.x) - MAHJONG_HUD_PANEL::kSlotInset,
                    static_cast<float>(screen.y) - MAHJONG_HUD_PANEL::kSlotRise);
}

bool HUD_SLOT::isActiveAt(float placeX, float placeY) const {
  if (icon == nullptr) return false;
  // Both coordinates, each on its own: the engine's vector equality compares lengths.
  const QOR::QS_VEC2 at = icon->fGetPosition();
  if (!(std::fabs(at.x - placeX) < kPlaceTolerance) || !(std::fabs(at.y - placeY) < kPlaceTolerance)) return false;
  return button == nullptr || button->fGetState() != kDisabledState;
}

void HUD_SLOT::Reset() {
  flashOn = 1;
  flashTime = 0.0f;
  flashCycle = 0;
  if (button != nullptr) button->fReset();
}

// --- HUD_BONUS_FLASH ---

bool HUD_BONUS_FLASH::Advance(HUD_SLOT& slot, float dt) const {
  if (slot.flashOn == 0) return false;
  slot.flashTime += dt;
  if (!(slot.flashTime >= CycleLength())) return false;
  slot.flashCycle += 1;
  slot.flashTime = 0.0f;
  if (slot.flashCycle >= cycles) slot.flashOn = 0;
  return true;
}

float HUD_BONUS_FLASH::ScaleAt(float t) const {
  const float divisor = (growth + 1.0f) * growTime;
  if (!(std::fabs(divisor) > 0.0f) || !std::isfinite(divisor)) return growth;
  return growth + t / divisor;
}

int HUD_BONUS_FLASH::AlphaAt(float t) const {
  // A fade of no length has already ended, at alpha 0.
  if (!(fadeTime > 0.0f)) return 0;
  return clampAlpha(255.0 * (1.0 - (static_cast<double>(t) - growTime) / fadeTime));
}

// --- HUD_MULTIPLIER_FLASH ---

void HUD_MULTIPLIER_FLASH::Start() {
  fadeClock = 0.0f;
  holdClock = 0.0f;
  cycleCounter = 0;
  running = true;
}

int HUD_MULTIPLIER_FLASH::Step(float dt) {
  if (!running) return -1;
  // Fades of no length jump to their end: fully lit after the fade in, dark after the fade out.
  if (fadeClock <= fadeTime) {
    fadeClock += dt;
    if (!(fadeTime > 0.0f)) return 255;
    return clampAlpha(255.0 * std::min(1.0, static_cast<double>(fadeClock) / fadeTime));
  }
  if (holdClock < holdTime) {
    holdClock += dt;
    return -1;
  }
  if (fadeClock <= 2.0f * fadeTime) {
    fadeClock += dt;
    if (!(fadeTime > 0.0f)) return 0;
    return clampAlpha(255.0 * std::max(0.0, 1.0 - (static_cast<double>(fadeClock) - fadeTime) / fadeTime));
  }
  if (holdClock < 2.0f * holdTime) {
    holdClock += dt;
    return -1;
  }
  if (static_cast<std::int64_t>(cycleCounter) >= static_cast<std::int64_t>(cycles) - 1) {
    running = false;
  } else {
    cycleCounter += 1;
    fadeClock = 0.0f;
    holdClock = 0.0f;
  }
  return -1;
}
