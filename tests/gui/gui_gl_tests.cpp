// Widgets on real OpenGL (SDL's offscreen driver with Mesa): an image button in its normal, over
// and pressed looks and a half-filled progress bar, read back and sampled with a tolerance.
#include "engine/platform/qc_input.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_globals.h"
#include "gui/widgets/qc_gui_progress_bar.h"
#include "gui/widgets/qc_image_button.h"
#include "host/test_doors.h"
#include "host/win_window.h"
#include "tests/kit/gl_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using namespace QOR;
using qor_test::fPixelNear;

namespace {

class GuiGl : public qor_test::GlRenderTest {
 protected:
  void SetUp() override {
    qor_test::GlRenderTest::SetUp();
    input = std::make_unique<QC_INPUT>();
  }
  void TearDown() override {
    qcCurrentInput = nullptr;
    input.reset();
    qor_test::GlRenderTest::TearDown();
  }

  // A texture of w x h pixels made of vertical bands of equal width, one colour each.
  QC_TEXTURE_INFO* bands(int w, int h, const std::vector<std::uint32_t>& colours) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h);
    const int band = w / static_cast<int>(colours.size());
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) pixels[static_cast<std::size_t>(y) * w + x] = colours[x / band];
    }
    return texture(w, h, pixels);
  }

  std::unique_ptr<QC_INPUT> input;
};

TEST_F(GuiGl, ButtonLooksAndHalfFilledBar) {
  // Five 40 x 40 cells: red normal, green over, blue pressed, then yellow and grey.
  QC_TEXTURE_INFO* strip = bands(200, 40, {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u, 0xFF808080u});
  QC_IMAGE_BUTTON normal(strip, nullptr, QC_HIT_AREA::kRectangle, 0.0f, 0.0f);
  QC_IMAGE_BUTTON over(strip, nullptr, QC_HIT_AREA::kRectangle, 0.0f, 0.0f);
  QC_IMAGE_BUTTON pressed(strip, nullptr, QC_HIT_AREA::kCircle, 0.0f, 0.0f);
  normal.fSetPosition(100.0f, 100.0f);
  over.fSetPosition(200.0f, 100.0f);
  pressed.fSetPosition(300.0f, 100.0f);
  input->fSetMousePosition(200, 100);
  over.fUpdate();  // enter: the cell follows on the next tick
  over.fUpdate();
  input->fUpdate();
  input->fSetMousePosition(300, 100);
  input->fKeyDown(1);
  EXPECT_EQ(pressed.fUpdate(), 2);
  input->fUpdate();
  pressed.fUpdate();

  // Empty half dark grey, full half white; half filled, the left half of the bar is white.
  QC_TEXTURE_INFO* two = bands(200, 20, {0xFF404040u, 0xFFFFFFFFu});
  QC_GUI_PROGRESS_BAR bar(1, two);
  bar.fSetPosition(500.0f, 300.0f, 0.0f);
  bar.fSetPercent(50.0f);

  const auto picture = frame([&] {
    normal.fRender();
    over.fRender();
    pressed.fRender();
    bar.fRenderAll();
  });
  EXPECT_TRUE(fPixelNear(picture, screen(100), screen(100), 0xFF0000));
  EXPECT_TRUE(fPixelNear(picture, screen(200), screen(100), 0x00FF00));
  EXPECT_TRUE(fPixelNear(picture, screen(300), screen(100), 0x0000FF));
  EXPECT_TRUE(fPixelNear(picture, screen(100), screen(125), 0x000000));  // 40 high around 100
  EXPECT_TRUE(fPixelNear(picture, screen(460), screen(300), 0xFFFFFF));
  EXPECT_TRUE(fPixelNear(picture, screen(490), screen(300), 0xFFFFFF));
  EXPECT_TRUE(fPixelNear(picture, screen(510), screen(300), 0x404040));
  EXPECT_TRUE(fPixelNear(picture, screen(540), screen(300), 0x404040));
  EXPECT_TRUE(fPixelNear(picture, screen(560), screen(300), 0x000000));  // the bar ends at 550
  EXPECT_TRUE(fPixelNear(picture, screen(440), screen(300), 0x000000));
}

}  // namespace
