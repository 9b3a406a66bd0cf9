// Widgets on real OpenGL (SDL's offscreen driver with Mesa): an image button in its normal, over
// and pressed looks and a half-filled progress bar, read back and sampled with a tolerance.
#include "engine/platform/qc_input.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_globals.h"
#include "gui/widgets/qc_gui_progress_bar.h"
#include "gui/widgets/qc_image_button.h"
#include "host/test_doors.h"
#include "host/win_window.h"
#include "tests/kit/gl_readback.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using namespace QOR;
using qor_test::fPixelNear;

namespace {

LRESULT windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND testWindow() {
  static HWND window = [] {
    WNDCLASSEXA record{};
    record.cbSize = sizeof(WNDCLASSEXA);
    record.lpfnWndProc = &windowProc;
    record.hInstance = GetModuleHandleA(nullptr);
    record.lpszClassName = "GuiGlTest";
    RegisterClassExA(&record);
    return CreateWindowExW(0, L"GuiGlTest", L"gui", WS_OVERLAPPEDWINDOW, 0, 0, 1024, 768, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  }();
  return window;
}

class GuiGl : public ::testing::Test {
 protected:
  void SetUp() override {
    host_test::fUseRecordingDevice(false);
    host_test::fSetNonInteractive(true);
    host_test::fSetDesktopSize(0, 0);
    ASSERT_NE(testWindow(), nullptr);
    render = std::make_unique<QC_RENDER>();
    ASSERT_EQ(render->fInit(testWindow(), 0.1f, 0.0f), 1);
    render->fSetClearColor(0xFF000000u);
    qcRENDER = render.get();
    input = std::make_unique<QC_INPUT>();
  }
  void TearDown() override {
    qcCurrentInput = nullptr;
    input.reset();
    qcRENDER = nullptr;
    // The renderer releases no device object of its own; the test does, so contexts do not pile up.
    if (render != nullptr && render->fGetDevice() != nullptr) render->fGetDevice()->Release();
    render.reset();
  }

  // A texture of w x h pixels made of vertical bands of equal width, one colour each.
  QC_TEXTURE_INFO* bands(int w, int h, const std::vector<std::uint32_t>& colours) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h);
    const int band = w / static_cast<int>(colours.size());
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) pixels[static_cast<std::size_t>(y) * w + x] = colours[x / band];
    }
    QC_TEXTURE_INFO* t = render->fCreateTexture(w, h);
    EXPECT_NE(t, nullptr);
    if (t != nullptr) {
      EXPECT_TRUE(t->fFill(pixels.data()));
    }
    return t;
  }

  qor_test::Picture frame(const std::function<void()>& draw) {
    EXPECT_EQ(render->BeginScene(), 1);
    draw();
    EXPECT_EQ(render->EndScene(), 0);
    return qor_test::fReadPicture(render->fGetDevice());
  }

  // Game pixels reach the picture scaled by 1024 / 1025: the screen camera spans the game size
  // plus one.
  static int screen(float game) { return static_cast<int>(game * 1024.0f / 1025.0f); }

  std::unique_ptr<QC_RENDER> render;
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
