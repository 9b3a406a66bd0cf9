// The timed value records driven as the game drives them, in frame times exact in binary.
#include "engine/render/qc_sprite.h"
#include "game/board/timed_values.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

constexpr float kTick = 0.0625f;

std::uint32_t alphaOf(const QOR::QC_SPRITE& s) { return s.fGetVertexColor(0) >> 24; }

// Towards a positive end (whichever way it moves) the tween loses 0.0002 of speed per update
// from 80 % on, so 1 s takes 17 updates of 1/16 s; towards a negative end the first update runs at
// 0.9875. An idle tween reports its end.
TEST(TimedValueTest, TweenSpeedRampAndEndValue) {
  VALUE_TWEEN up;
  up.Start(0.0f, 768.0f, 1.0f);
  for (int k = 1; k <= 13; ++k) EXPECT_FLOAT_EQ(up.Update(kTick), 48.0f * static_cast<float>(k));
  EXPECT_NEAR(up.Update(kTick), 768.0f * (0.8125f + 0.9998f * kTick), 1e-3f);
  EXPECT_NEAR(up.Update(kTick), 768.0f * (0.8125f + 1.9994f * kTick), 1e-3f);
  up.Update(kTick);
  EXPECT_TRUE(up.active);
  EXPECT_FLOAT_EQ(up.Update(kTick), 768.0f);
  EXPECT_FALSE(up.active);

  VALUE_TWEEN falling;
  falling.Start(1000.0f, 768.0f, 1.0f);
  for (int k = 0; k < 13; ++k) falling.Update(kTick);
  EXPECT_GT(falling.Update(kTick), 1000.0f - 232.0f * 0.875f);

  VALUE_TWEEN down;
  down.Start(0.0f, -300.0f, 1.0f);
  EXPECT_NEAR(down.Update(kTick), -300.0f * 0.9875f * kTick, 1e-4f);
  EXPECT_NEAR(down.Update(kTick), -300.0f * 1.9875f * kTick, 1e-4f);
  down.Stop();
  EXPECT_FLOAT_EQ(down.GetValue(), -300.0f);
  EXPECT_FLOAT_EQ(VALUE_TWEEN().Update(kTick), 0.0f);
}

// The fader and the animators stand still while the frame is not shorter than the duration, and
// otherwise run linearly: the fader keeps the RGB, the int animator truncates toward zero, and a
// restart begins at the target's current value.
TEST(TimedValueTest, FaderAndAnimatorsRunLinearlyAndRestartFromTheTarget) {
  QOR::QC_SPRITE sprite(static_cast<QOR::QC_TEXTURE_INFO*>(nullptr));
  sprite.fSetColor(0xFF123456u);
  ALPHA_FADER fader;
  fader.Start(&sprite, 0.02f, true);
  fader.Update(0.02f);
  EXPECT_EQ(sprite.fGetVertexColor(0), 0x00123456u);
  fader.Start(&sprite, 1.0f, false);
  for (std::uint32_t expected : {191u, 127u, 63u, 0u, 0u}) {
    fader.Update(0.25f);
    EXPECT_EQ(alphaOf(sprite), expected);
  }
  EXPECT_FALSE(fader.active);
  EXPECT_EQ(sprite.fGetVertexColor(0), 0x00123456u);

  std::int32_t level = 0;
  INT_ANIMATOR ints;
  ints.Start(&level, -10, 0.02f);
  ints.Update(0.05f);
  EXPECT_EQ(level, 0);
  ints.Start(&level, -10, 1.0f);
  for (std::int32_t expected : {-2, -5}) {
    ints.Update(0.25f);
    EXPECT_EQ(level, expected);
  }
  ints.Start(&level, 5, 1.0f);
  ints.Update(0.25f);
  EXPECT_EQ(level, -2);  // -5 + 2.5
  for (int k = 0; k < 4; ++k) ints.Update(0.25f);
  EXPECT_FALSE(ints.active);
  EXPECT_EQ(level, 5);

  float place = 4.0f;
  FLOAT_ANIMATOR floats;
  floats.Start(&place, 8.0f, 0.01f);
  floats.Update(0.02f);
  EXPECT_FLOAT_EQ(place, 4.0f);
  floats.Start(&place, 8.0f, 0.5f);
  floats.Update(0.125f);
  EXPECT_FLOAT_EQ(place, 5.0f);
  floats.Start(&place, 0.0f, 1.0f);
  floats.Update(0.25f);
  EXPECT_FLOAT_EQ(place, 3.75f);
  floats.Stop();
  EXPECT_FLOAT_EQ(place, 0.0f);
}

// A duration of zero, below zero or not a number finishes every record at once at its end value.
TEST(TimedValueTest, NonPositiveDurationFinishesAtOnceAtTheEnd) {
  for (float seconds : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
    SCOPED_TRACE(seconds);
    VALUE_TWEEN tween;
    tween.Start(-300.0f, 384.0f, seconds);
    EXPECT_FALSE(tween.active);
    EXPECT_FLOAT_EQ(tween.Update(0.016f), 384.0f);

    QOR::QC_SPRITE sprite(static_cast<QOR::QC_TEXTURE_INFO*>(nullptr));
    sprite.fSetColor(0x80ABCDEFu);
    ALPHA_FADER fader;
    fader.Start(&sprite, seconds, true);
    EXPECT_EQ(sprite.fGetVertexColor(0), 0xFFABCDEFu);
    fader.Update(0.016f);
    EXPECT_FALSE(fader.active);
    EXPECT_EQ(sprite.fGetVertexColor(0), 0xFFABCDEFu);

    std::int32_t level = 7;
    INT_ANIMATOR ints;
    ints.Start(&level, 255, seconds);
    EXPECT_EQ(level, 255);
    float place = 1.0f;
    FLOAT_ANIMATOR floats;
    floats.Start(&place, -2.5f, seconds);
    floats.Update(0.016f);
    EXPECT_FALSE(ints.active || floats.active);
    EXPECT_FLOAT_EQ(place, -2.5f);
  }
}

}  // namespace
