#include "game/board/timed_values.h"

#include "engine/math/float_to_int.h"
#include "engine/render/qc_sprite.h"

#include <algorithm>

namespace {

// A record runs only over a positive duration; anything else (zero, negative, not a number)
// finishes it at once, so no step below divides by zero.
bool isRunnable(float seconds) { return seconds > 0.0f; }

// The sprite's colour with its alpha replaced; the RGB is taken from vertex 0.
void fSetAlpha(QOR::QC_SPRITE* sprite, int alpha) {
  const std::uint32_t rgb = sprite->fGetVertexColor(0) & 0x00FFFFFFu;
  const auto a = static_cast<std::uint32_t>(std::clamp(alpha, 0, 255));
  sprite->fSetColor(rgb | (a << 24));
}

}  // namespace

// --- VALUE_TWEEN ---

void VALUE_TWEEN::Start(float startValue, float endValue, float seconds) {
  start = startValue;
  end = endValue;
  duration = seconds;
  t = 0.0f;
  active = isRunnable(seconds);
  speed = endValue < 0.0f ? 0.9875f : 1.0f;
}

float VALUE_TWEEN::GetValue() const {
  if (!active || !isRunnable(duration)) return end;
  return start + (end - start) * t / duration;
}

float VALUE_TWEEN::Update(float dt) {
  if (!isRunnable(duration)) {
    active = false;
    return end;
  }
  if (t < duration) {
    t += speed * dt;
  } else {
    active = false;
  }
  // The ramp follows the sign of the end value, not the direction of motion.
  if (end > 0.0f) {
    if (t / duration >= 0.8f && speed > 0.0f) {
      speed -= 0.0002f;
    } else {
      speed = 1.0f;
    }
  } else {
    speed = 1.0f;
  }
  if (t / duration > 1.0f) {
    t = duration;
    active = false;
  }
  return GetValue();
}

// --- ALPHA_FADER ---

void ALPHA_FADER::Start(QOR::QC_SPRITE* sprite, float seconds, bool fadeIn) {
  active = true;
  duration = seconds;
  target = sprite;
  direction = fadeIn;
  t = 0.0f;
  if (!isRunnable(seconds)) {
    active = false;
    if (target != nullptr) fSetAlpha(target, fadeIn ? 255 : 0);
    return;
  }
  if (target != nullptr) fSetAlpha(target, fadeIn ? 0 : 255);
}

void ALPHA_FADER::Update(float dt) {
  if (!active || dt >= duration || target == nullptr) return;
  if (!isRunnable(duration)) {
    active = false;
    fSetAlpha(target, direction ? 255 : 0);
    return;
  }
  t += dt;
  if (t / duration > 1.0f) {
    t = duration;
    active = false;
  }
  const float done = t / duration;
  fSetAlpha(target, QOR::fTruncateToInt(direction ? done * 255.0f : (1.0f - done) * 255.0f));
}

// --- INT_ANIMATOR ---

void INT_ANIMATOR::Start(std::int32_t* value, std::int32_t endValue, float seconds) {
  active = true;
  duration = seconds;
  end = endValue;
  target = value;
  start = value != nullptr ? *value : 0;
  t = 0.0f;
  if (!isRunnable(seconds)) Stop();
}

void INT_ANIMATOR::Stop() {
  active = false;
  if (target != nullptr) *target = end;
}

void INT_ANIMATOR::Update(float dt) {
  if (!active || dt >= duration) return;
  if (!isRunnable(duration)) {
    Stop();
    return;
  }
  if (duration > t) {
    t += dt;
  } else {
    t = duration;
    Stop();
  }
  if (t / duration > 1.0f) t = duration;
  if (target == nullptr) return;
  const auto span = static_cast<float>(static_cast<std::int64_t>(end) - start);
  *target = QOR::fTruncateToInt(static_cast<float>(start) + span * t / duration);
}

// --- FLOAT_ANIMATOR ---

void FLOAT_ANIMATOR::Start(float* value, float endValue, float seconds) {
  active = true;
  duration = seconds;
  end = endValue;
  target = value;
  start = value != nullptr ? *value : 0.0f;
  t = 0.0f;
  if (!isRunnable(seconds)) Stop();
}

void FLOAT_ANIMATOR::Stop() {
  active = false;
  if (target != nullptr) *target = end;
}

void FLOAT_ANIMATOR::Update(float dt) {
  if (!active || dt >= duration) return;
  if (!isRunnable(duration)) {
    Stop();
    return;
  }
  if (t >= duration) {
    t = duration;
    Stop();
  } else {
    t += dt;
  }
  t = std::min(t, duration);
  if (target != nullptr) *target = start + (end - start) * t / duration;
}
