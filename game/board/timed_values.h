// The small records behind every timed change of one value in the game: a float tween with a
// speed ramp, the alpha fade of one sprite, and linear changes of an int or a float held elsewhere.
// Owners embed them by value and advance them once per tick with the frame time; none owns what
// it points to. Callers read `active` to know whether a record still runs.
//
// A duration of zero or less (or not a number) finishes a record at once at its end value.
#pragma once

#include <cstdint>

namespace QOR {
class QC_SPRITE;
}

// A float running from start to end over duration seconds. A tween towards a positive end slows
// down slightly over its last 20 %; one towards a negative end takes its first step at 0.9875.
class VALUE_TWEEN {
 public:
  VALUE_TWEEN() = default;

  void Start(float startValue, float endValue, float seconds);
  // Advances by dt (scaled by the speed) and returns the value.
  float Update(float dt);
  // start + (end - start) * t / duration while active; end when not.
  float GetValue() const;
  void Stop() { active = false; }

  bool active = false;
  float t = 0.0f;
  float duration = 0.0f;
  float end = 0.0f;
  float start = 0.0f;
  float speed = 1.0f;
};

// The alpha of one sprite fading in (0 to 255) or out (255 to 0); the sprite keeps its colour.
class ALPHA_FADER {
 public:
  ALPHA_FADER() = default;

  // fadeIn true fades in, false fades out; the sprite's alpha jumps to where the fade begins.
  void Start(QOR::QC_SPRITE* sprite, float seconds, bool fadeIn);
  // Nothing when inactive, without a target, or when dt is not shorter than the duration.
  void Update(float dt);
  void Stop() { active = false; }

  bool active = false;
  bool direction = false;  // true fading in, false fading out
  float duration = 0.0f;
  float t = 0.0f;
  QOR::QC_SPRITE* target = nullptr;
};

// A linear change of an int held elsewhere, from its value at Start to end; values are
// truncated toward zero.
class INT_ANIMATOR {
 public:
  INT_ANIMATOR() = default;

  // Restarts from the target's current value.
  void Start(std::int32_t* value, std::int32_t endValue, float seconds);
  // Nothing when inactive or when dt is not shorter than the duration.
  void Update(float dt);
  // Stops and writes the end value.
  void Stop();

  bool active = false;
  float duration = 0.0f;
  float t = 0.0f;
  std::int32_t end = 0;
  std::int32_t start = 0;
  std::int32_t* target = nullptr;
};

// A linear change of a float held elsewhere, from its value at Start to end.
class FLOAT_ANIMATOR {
 public:
  FLOAT_ANIMATOR() = default;

  // Restarts from the target's current value.
  void Start(float* value, float endValue, float seconds);
  // Nothing when inactive or when dt is not shorter than the duration.
  void Update(float dt);
  // Stops and writes the end value.
  void Stop();

  bool active = false;
  float duration = 0.0f;
  float t = 0.0f;
  float end = 0.0f;
  float start = 0.0f;
  float* target = nullptr;
};
