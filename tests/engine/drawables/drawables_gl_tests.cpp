// Sprites and bitmap-font text on real OpenGL (SDL's offscreen driver with Mesa): frames are read
// back and sampled at points with a tolerance.
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "host/test_doors.h"
#include "host/win_window.h"
#include "tests/engine/drawables/drawables_test_kit.h"
#include "tests/kit/gl_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using namespace QOR;
using qor_test::fPixelNear;

namespace {

using DrawablesGl = qor_test::GlRenderTest;

TEST_F(DrawablesGl, SpritesSitWhereTheirAnchorsPutThem) {
  // Red left half, green right half: a mirrored sprite would show at once.
  QC_TEXTURE_INFO* t = texture(2, 1, {0xFFFF0000u, 0xFF00FF00u});
  QC_SPRITE centre(t);
  centre.fSetFilter(1);
  centre.fSetSize(100, 60);
  centre.fSetAnchor(0, 0.0f, 0.0f);
  centre.fSetPosition(200.0f, 200.0f, 0.0f);
  QC_SPRITE topLeft(t);
  topLeft.fSetFilter(1);
  topLeft.fSetSize(100, 60);
  topLeft.fSetAnchor(1, 0.0f, 0.0f);
  topLeft.fSetPosition(400.0f, 100.0f, 0.0f);
  QC_SPRITE bottomRight(t);
  bottomRight.fSetFilter(1);
  bottomRight.fSetSize(100, 60);
  bottomRight.fSetAnchor(4, 0.0f, 0.0f);
  bottomRight.fSetPosition(800.0f, 500.0f, 0.0f);
  const auto picture = frame([&] {
    centre.fRender();
    topLeft.fRender();
    bottomRight.fRender();
  });
  // Centre anchor: the quad spans 150..250 x 170..230.
  EXPECT_TRUE(fPixelNear(picture, screen(170), screen(200), 0xFF0000));
  EXPECT_TRUE(fPixelNear(picture, screen(230), screen(200), 0x00FF00));
  EXPECT_TRUE(fPixelNear(picture, screen(140), screen(200), 0x000000));
  EXPECT_TRUE(fPixelNear(picture, screen(200), screen(240), 0x000000));
  // Top-left anchor: 400..500 x 100..160.
  EXPECT_TRUE(fPixelNear(picture, screen(410), screen(110), 0xFF0000));
  EXPECT_TRUE(fPixelNear(picture, screen(490), screen(150), 0x00FF00));
  EXPECT_TRUE(fPixelNear(picture, screen(395), screen(110), 0x000000));
  // Bottom-right anchor: 700..800 x 440..500.
  EXPECT_TRUE(fPixelNear(picture, screen(710), screen(490), 0xFF0000));
  EXPECT_TRUE(fPixelNear(picture, screen(790), screen(450), 0x00FF00));
  EXPECT_TRUE(fPixelNear(picture, screen(805), screen(490), 0x000000));
  EXPECT_TRUE(fPixelNear(picture, screen(790), screen(505), 0x000000));
}

TEST_F(DrawablesGl, TintedAndAdditiveSprites) {
  QC_TEXTURE_INFO* white = texture(1, 1, {0xFFFFFFFFu});
  QC_SPRITE red(white);
  red.fSetSize(200, 200);
  red.fSetAnchor(1, 0.0f, 0.0f);
  red.fSetColor(0xFFFF0000u);
  red.fSetPosition(100.0f, 100.0f, 0.0f);
  QC_SPRITE tinted(white);
  tinted.fSetSize(100, 100);
  tinted.fSetAnchor(1, 0.0f, 0.0f);
  tinted.fSetColor(0xFF808080u);
  tinted.fSetPosition(500.0f, 100.0f, 0.0f);
  QC_SPRITE glow(white);
  glow.fSetSize(200, 200);
  glow.fSetAnchor(1, 0.0f, 0.0f);
  glow.fSetColor(0xFF00FF00u);
  glow.fAdditiveOn();
  const auto picture = frame([&] {
    red.fRender();
    tinted.fRender();
    // Drawn once over the right half of the red square, then switched back for a normal draw.
    glow.fRenderAt(200.0f, 100.0f, 0.0f, 1.0f, 1.0f);
    glow.fAdditiveOff();
    glow.fRenderAt(200.0f, 400.0f, 0.0f, 1.0f, 1.0f);
  });
  EXPECT_TRUE(fPixelNear(picture, screen(150), screen(200), 0xFF0000, 4));
  EXPECT_TRUE(fPixelNear(picture, screen(250), screen(200), 0xFFFF00, 4));  // red + green
  EXPECT_TRUE(fPixelNear(picture, screen(350), screen(200), 0x00FF00, 4));  // green on black
  EXPECT_TRUE(fPixelNear(picture, screen(550), screen(150), 0x808080, 4));
  EXPECT_TRUE(fPixelNear(picture, screen(250), screen(500), 0x00FF00, 4));
  // fRenderAt put the transform back.
  EXPECT_FLOAT_EQ(glow.fGetPosition().x, 0.0f);
}

TEST_F(DrawablesGl, TextDrawnWithABitmapFont) {
  QC_TEXTURE_INFO* page = drawables_test::fLoadPage(*render);
  ASSERT_NE(page, nullptr);
  ASSERT_NE(page, render->fGetDefaultTexture());
  const drawables_test::FontDocument description(drawables_test::fFontXml());
  QC_FONT font(description.font(), page, 600);
  ASSERT_EQ(font.fGetGlyphCount(), 5);
  font.fGetPage()->fSetFilter(1);
  font.fSetColor(0xFF00FFFFu);
  font.fSetScale(4.0f);
  const auto picture = frame([&] { font.fPrintW(200, 200, L"A%i\u0416", 7); });
  // At scale 4: 'A' spans x 192..216 and y 184..224 (its top at 200 + 4 * 1 - 4 * 5), the '7'
  // has no glyph, U+0416 follows at 216..256, y 180..228.
  EXPECT_TRUE(fPixelNear(picture, screen(204), screen(200), 0x00FFFF, 40));
  EXPECT_TRUE(fPixelNear(picture, screen(236), screen(220), 0x00FFFF, 40));
  EXPECT_TRUE(fPixelNear(picture, screen(252), screen(184), 0x00FFFF, 40));
  EXPECT_TRUE(fPixelNear(picture, screen(204), screen(178), 0x000000, 40));
  EXPECT_TRUE(fPixelNear(picture, screen(204), screen(230), 0x000000, 40));
  EXPECT_TRUE(fPixelNear(picture, screen(262), screen(200), 0x000000, 40));
  EXPECT_TRUE(fPixelNear(picture, screen(185), screen(200), 0x000000, 40));
  EXPECT_STREQ(font.fGetTextW(), L"A7\u0416");
}

}  // namespace
