// A particle system drawn on real OpenGL and read back: its particles reach the renderer as point
// sprites of their own position, size and colour, straight from the live list.
#include "behaviours/qc_particle_system.h"
#include "engine/platform/qc_random.h"
#include "engine/service/qc_globals.h"
#include "tests/kit/gl_fixture.h"

#include <gtest/gtest.h>

using namespace QOR;
using qor_test::fPixelNear;

namespace {

class ParticlesGl : public qor_test::GlRenderTest {
 protected:
  void SetUp() override {
    qor_test::GlRenderTest::SetUp();
    savedDelta = qcFrameTime;
    qcFrameTime = 0.125f;
  }
  void TearDown() override {
    qcFrameTime = savedDelta;
    qor_test::GlRenderTest::TearDown();
  }

  // A still system of 40-pixel sprites, alpha-blended, with one particle at each x on y = 300.
  void Populate(QC_PARTICLE_SYSTEM_EX& system, std::uint32_t colour) {
    system.fSetRandom(&random);
    system.fSetMultiply(false);
    system.fSetVelocity(0.0f, 0.0f);
    system.fSetGravity(0.0f, 0.0f);
    system.fSetFrequency(0.0f);
    system.fSetStartSize(40.0f);
    system.fSetEndSize(40.0f);
    system.fSetStartColor(colour);
    system.fSetAverColor(colour);
    system.fSetEndColor(colour);
    system.fGetTemplate()->fSetLifetime(0.5f);
    system.fSetPoint(200.0f, 300.0f, 0.0f);
    system.fStart();
    system.fBurstAt(1, 400.0f, 300.0f);
    system.fBurstAt(1, 600.0f, 300.0f);
    ASSERT_EQ(system.fGetLiveCount(), 3);
  }

  QC_RANDOM random{7};
  float savedDelta = 0.0f;
  static constexpr float kXs[3] = {200.0f, 400.0f, 600.0f};
};

TEST_F(ParticlesGl, LiveParticlesAreTexturedSpritesOfTheirSizeAtTheirPositions) {
  // Red over blue: an upside-down or shifted sprite shows at once.
  QC_PARTICLE_SYSTEM_EX system(texture(1, 2, {0xFFFF0000u, 0xFF0000FFu}));
  Populate(system, 0xFFFFFFFFu);
  const auto picture = frame([&] { system.fRender(); });
  for (float x : kXs) {
    EXPECT_TRUE(fPixelNear(picture, screen(x), screen(290), 0xFF0000)) << x;
    EXPECT_TRUE(fPixelNear(picture, screen(x), screen(310), 0x0000FF)) << x;
    EXPECT_TRUE(fPixelNear(picture, screen(x), screen(330), 0x000000)) << x;
    EXPECT_TRUE(fPixelNear(picture, screen(x + 30), screen(300), 0x000000)) << x;
  }
  EXPECT_TRUE(fPixelNear(picture, screen(300), screen(300), 0x000000));
}

TEST_F(ParticlesGl, TheColourTintsTheSpriteAndDeadParticlesAreGone) {
  QC_PARTICLE_SYSTEM_EX system(texture(1, 1, {0xFFFFFFFFu}));
  Populate(system, 0xFF00FF00u);
  system.fUpdate();
  const auto tinted = frame([&] { system.fRender(); });
  for (float x : kXs) EXPECT_TRUE(fPixelNear(tinted, screen(x), screen(300), 0x00FF00)) << x;
  // A particle born at 60 pixels is drawn 60 pixels wide beside the 40-pixel ones.
  system.fSetStartSize(60.0f);
  system.fBurstAt(1, 800.0f, 500.0f);
  const auto grown = frame([&] { system.fRender(); });
  EXPECT_TRUE(fPixelNear(grown, screen(825), screen(500), 0x00FF00));
  EXPECT_TRUE(fPixelNear(grown, screen(835), screen(500), 0x000000));
  EXPECT_TRUE(fPixelNear(grown, screen(230), screen(300), 0x000000));

  // Life 0.5 s: four more ticks end the first three, the next frees them.
  for (int i = 0; i < 5; ++i) system.fUpdate();
  EXPECT_EQ(system.fGetLiveCount(), 1);
  const auto later = frame([&] { system.fRender(); });
  for (float x : kXs) EXPECT_TRUE(fPixelNear(later, screen(x), screen(300), 0x000000)) << x;
  EXPECT_TRUE(fPixelNear(later, screen(800), screen(500), 0x00FF00));
}

TEST_F(ParticlesGl, TheMultiplyFlagAddsTheSpritesToWhatIsBelow) {
  QC_PARTICLE_SYSTEM_EX system(texture(1, 1, {0xFFFFFFFFu}));
  Populate(system, 0xFF00FF00u);
  system.fSetMultiply(true);
  render->fSetClearColor(0xFFFF0000u);
  const auto picture = frame([&] { system.fRender(); });
  for (float x : kXs) EXPECT_TRUE(fPixelNear(picture, screen(x), screen(300), 0xFFFF00)) << x;
  EXPECT_TRUE(fPixelNear(picture, screen(300), screen(300), 0xFF0000));
}

}  // namespace
