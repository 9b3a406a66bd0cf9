// The renderer on real OpenGL (SDL's offscreen driver with Mesa): frames are read back and
// sampled at points with a tolerance.
#include "engine/objects/qc_particle.h"
#include "engine/render/qc_render.h"
#include "host/test_doors.h"
#include "host/win_window.h"
#include "tests/engine/render/render_test_kit.h"
#include "tests/kit/gl_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using namespace QOR;
using namespace render_test;
using qor_test::fPixelNear;

namespace {

class RenderGl : public qor_test::GlRenderTest {
 protected:
  void SetUp() override {
    host_test::fSetGlPointSizeLimit(0.0f);
    qor_test::GlRenderTest::SetUp();
  }
  void TearDown() override {
    host_test::fSetGlPointSizeLimit(0.0f);
    qor_test::GlRenderTest::TearDown();
  }
};

TEST_F(RenderGl, ClearsToTheClearColourAtTheBackBufferSize) {
  render->fSetClearColor(0xFF102030u);
  const qor_test::Picture picture = frame([] {});
  EXPECT_EQ(picture.width, 1024);
  EXPECT_EQ(picture.height, 768);
  EXPECT_TRUE(fPixelNear(picture, 5, 5, 0x102030, 2));
  EXPECT_TRUE(fPixelNear(picture, 1000, 760, 0x102030, 2));
}

TEST_F(RenderGl, TexturedQuadKeepsItsOrientationAndColours) {
  // Red, green on the top row; blue, white below: a flipped or mirrored picture shows at once.
  QC_TEXTURE_INFO* t = texture(2, 2, {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu});
  const auto picture = frame([&] { fDrawQuad(*render, fQuad(100, 100, 400, 400), t, fSpriteState(1)); });
  EXPECT_TRUE(fPixelNear(picture, screen(200), screen(200), 0xFF0000));
  EXPECT_TRUE(fPixelNear(picture, screen(400), screen(200), 0x00FF00));
  EXPECT_TRUE(fPixelNear(picture, screen(200), screen(400), 0x0000FF));
  EXPECT_TRUE(fPixelNear(picture, screen(400), screen(400), 0xFFFFFF));
  EXPECT_TRUE(fPixelNear(picture, screen(90), screen(300), 0x000000));
  EXPECT_TRUE(fPixelNear(picture, screen(300), screen(510), 0x000000));
}

TEST_F(RenderGl, TintedAndHalfTransparentQuadsBlendWithWhatIsBelow) {
  QC_TEXTURE_INFO* white = texture(1, 1, {0xFFFFFFFFu});
  render->fSetClearColor(0xFF0000FFu);
  const auto picture = frame([&] {
    fDrawQuad(*render, fQuad(0, 0, 200, 200, 0xFF808080u), white, fSpriteState());
    fDrawQuad(*render, fQuad(300, 0, 200, 200, 0x80FF0000u), white, fSpriteState());
  });
  EXPECT_TRUE(fPixelNear(picture, screen(100), screen(100), 0x808080, 4));
  // Half red over blue.
  EXPECT_TRUE(fPixelNear(picture, screen(400), screen(100), 0x80007F, 4));
}

TEST_F(RenderGl, AdditiveQuadAddsToWhatIsBelow) {
  QC_TEXTURE_INFO* white = texture(1, 1, {0xFFFFFFFFu});
  QC_RENDER_STATE additive = fSpriteState();
  additive.fSet(QC_RENDER_STATE::kAdditive, true);
  const auto picture = frame([&] {
    fDrawQuad(*render, fQuad(100, 100, 200, 200, 0xFFFF0000u), white, fSpriteState());
    fDrawQuad(*render, fQuad(200, 100, 200, 200, 0xFF00FF00u), white, additive);
  });
  EXPECT_TRUE(fPixelNear(picture, screen(150), screen(200), 0xFF0000, 4));
  EXPECT_TRUE(fPixelNear(picture, screen(250), screen(200), 0xFFFF00, 4));
  EXPECT_TRUE(fPixelNear(picture, screen(350), screen(200), 0x00FF00, 4));
}

TEST_F(RenderGl, UntexturedShapesDrawInTheirVertexColour) {
  const auto picture = frame([&] {
    render->fDrawSquare(100, 100, 0xFF00FF00u, 50.0f);
    render->fDrawLine(300, 100, 300, 300, 0xFFFF0000u);
  });
  EXPECT_TRUE(fPixelNear(picture, screen(125), screen(125), 0x00FF00, 4));
  // A one-pixel line: one of the two columns around it carries it.
  const int x = screen(300);
  const bool lit = fPixelNear(picture, x, screen(200), 0xFF0000, 40) ||
                   fPixelNear(picture, x - 1, screen(200), 0xFF0000, 40) ||
                   fPixelNear(picture, x + 1, screen(200), 0xFF0000, 40);
  EXPECT_TRUE(lit);
}

TEST_F(RenderGl, TextureCoordinatesWrapByDefault) {
  // A 2 x 1 texture, red then blue, repeated twice across the quad.
  QC_TEXTURE_INFO* t = texture(2, 1, {0xFFFF0000u, 0xFF0000FFu});
  const auto picture = frame([&] { fDrawQuad(*render, fQuad(0, 0, 400, 100, 0xFFFFFFFFu, 2.0f), t, fSpriteState()); });
  EXPECT_TRUE(fPixelNear(picture, screen(50), screen(50), 0xFF0000));
  EXPECT_TRUE(fPixelNear(picture, screen(150), screen(50), 0x0000FF));
  EXPECT_TRUE(fPixelNear(picture, screen(250), screen(50), 0xFF0000));
  EXPECT_TRUE(fPixelNear(picture, screen(350), screen(50), 0x0000FF));
}

TEST_F(RenderGl, TrianglesWoundCounterClockwiseOnScreenAreCulled) {
  QC_TEXTURE_INFO* white = texture(1, 1, {0xFFFFFFFFu});
  std::vector<QS_VERTEX> mirrored = fQuad(100, 100, 200, 200);
  std::swap(mirrored[1], mirrored[3]);
  const auto picture = frame([&] {
    fDrawQuad(*render, fQuad(400, 100, 200, 200), white, fSpriteState());
    fDrawQuad(*render, mirrored, white, fSpriteState());
  });
  EXPECT_TRUE(fPixelNear(picture, screen(500), screen(200), 0xFFFFFF, 4));
  EXPECT_TRUE(fPixelNear(picture, screen(200), screen(200), 0x000000, 4));
}

TEST_F(RenderGl, RenderTargetShowsUprightOnTheScreen) {
  QC_TEXTURE_INFO* white = texture(1, 1, {0xFFFFFFFFu});
  QC_RENDER_TARGET* target = render->fCreateTarget(256, 256);
  ASSERT_NE(target, nullptr);
  ASSERT_EQ(render->BeginTarget(target), 1);
  fDrawQuad(*render, fQuad(0, 0, 256, 128, 0xFFFF0000u), white, fSpriteState());
  fDrawQuad(*render, fQuad(0, 128, 256, 128, 0xFF0000FFu), white, fSpriteState());
  ASSERT_EQ(render->EndTarget(), 0);
  // The game wraps the target's texture in a handle of its own.
  QC_TEXTURE_INFO page(target->_texture, target->_width, target->_height);
  const auto picture = frame([&] { fDrawQuad(*render, fQuad(100, 100, 256, 256), &page, fSpriteState()); });
  EXPECT_TRUE(fPixelNear(picture, screen(228), screen(150), 0xFF0000));
  EXPECT_TRUE(fPixelNear(picture, screen(228), screen(300), 0x0000FF));
  EXPECT_TRUE(fPixelNear(picture, screen(50), screen(50), 0x000000));
}

TEST_F(RenderGl, RenderTargetKeepsWorkingAfterAModeChange) {
  QC_TEXTURE_INFO* white = texture(1, 1, {0xFFFFFFFFu});
  QC_RENDER_TARGET* target = render->fCreateTarget(128, 128);
  ASSERT_NE(target, nullptr);
  QC_TEXTURE_INFO page(target->_texture, target->_width, target->_height);
  render->fSetResolution(800, 600, false, false);
  ASSERT_EQ(render->BeginTarget(target), 1);
  fDrawQuad(*render, fQuad(0, 0, 128, 128, 0xFF00FF00u), white, fSpriteState());
  ASSERT_EQ(render->EndTarget(), 0);
  const auto picture = frame([&] { fDrawQuad(*render, fQuad(0, 0, 128, 128), &page, fSpriteState()); });
  EXPECT_EQ(picture.width, 800);
  EXPECT_TRUE(fPixelNear(picture, 60, 60, 0x00FF00));
}

// Particles: red top half and blue bottom half of the sprite texture.
class RenderGlParticles : public RenderGl {
 protected:
  void drawAndCheck() {
    QC_TEXTURE_INFO* t = texture(1, 2, {0xFFFF0000u, 0xFF0000FFu});
    std::vector<QC_PARTICLE> particles(3);
    const float xs[3] = {200.0f, 400.0f, 600.0f};
    for (int i = 0; i < 3; ++i) {
      particles[i]._base._position = QS_VEC3(xs[i], 300.0f, 0.0f);
      particles[i]._base._size = 40.0f;
      particles[i]._base._color = 0xFFFFFFFFu;
      particles[i]._next = i < 2 ? &particles[i + 1] : nullptr;
    }
    QC_RENDER_STATE state;
    state.fSet(QC_RENDER_STATE::kAlphaBlend, true);
    state.fSetFilter(1);
    state.fSet(QC_RENDER_STATE::kTextured, true);
    state.fSetPrimitive(3);
    const auto picture = frame([&] { render->fDrawParticles(&particles[0], t, &state); });
    for (float x : xs) {
      EXPECT_TRUE(fPixelNear(picture, screen(x), screen(290), 0xFF0000)) << x;
      EXPECT_TRUE(fPixelNear(picture, screen(x), screen(310), 0x0000FF)) << x;
      EXPECT_TRUE(fPixelNear(picture, screen(x), screen(330), 0x000000)) << x;
      EXPECT_TRUE(fPixelNear(picture, screen(x + 30), screen(300), 0x000000)) << x;
    }
  }
};

TEST_F(RenderGlParticles, PointSpritesHaveTheirSizeInPixelsAndTextureOriginTopLeft) { drawAndCheck(); }

TEST_F(RenderGlParticles, PointSpritesBeyondTheDriverLimitAreDrawnAsQuads) {
  host_test::fSetGlPointSizeLimit(8.0f);
  drawAndCheck();
}

TEST_F(RenderGl, FullScreenStretchLetterboxesTheGamePicture) {
  host_test::fSetDesktopSize(1920, 1080);
  render->fSetResolution(1024, 768, true, true);
  QC_TEXTURE_INFO* white = texture(1, 1, {0xFFFFFFFFu});
  const auto picture = frame([&] { fDrawQuad(*render, fQuad(0, 0, 1025, 769), white, fSpriteState()); });
  ASSERT_EQ(picture.width, 1920);
  ASSERT_EQ(picture.height, 1080);
  // 1440 pixels of picture between bars of 240 on each side.
  EXPECT_TRUE(fPixelNear(picture, 100, 540, 0x000000, 4));
  EXPECT_TRUE(fPixelNear(picture, 236, 540, 0x000000, 4));
  EXPECT_TRUE(fPixelNear(picture, 244, 540, 0xFFFFFF, 4));
  EXPECT_TRUE(fPixelNear(picture, 960, 540, 0xFFFFFF, 4));
  EXPECT_TRUE(fPixelNear(picture, 1676, 540, 0xFFFFFF, 4));
  EXPECT_TRUE(fPixelNear(picture, 1684, 540, 0x000000, 4));
  EXPECT_TRUE(fPixelNear(picture, 960, 3, 0xFFFFFF, 4));
  EXPECT_TRUE(fPixelNear(picture, 960, 1076, 0xFFFFFF, 4));
}

}  // namespace
