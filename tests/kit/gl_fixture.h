// A renderer on real OpenGL (SDL's offscreen driver with Mesa) on one shared test window, for
// tests that draw a frame and read the picture back.
#pragma once

#include "engine/render/qc_render.h"
#include "engine/render/qc_texture_info.h"
#include "engine/service/qc_globals.h"
#include "host/test_doors.h"
#include "tests/kit/gl_readback.h"
#include "tests/kit/test_window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace qor_test {

class GlRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_test::fUseRecordingDevice(false);
    host_test::fSetNonInteractive(true);
    host_test::fSetDesktopSize(0, 0);
    ASSERT_NE(fTestWindow(), nullptr);
    render = std::make_unique<QOR::QC_RENDER>();
    ASSERT_EQ(render->fInit(fTestWindow(), 0.1f, 0.0f), 1);
    render->fSetClearColor(0xFF000000u);
    QOR::qcRENDER = render.get();
  }
  void TearDown() override {
    host_test::fSetDesktopSize(0, 0);
    QOR::qcRENDER = nullptr;
    // The renderer releases no device object of its own; the test does, so contexts do not pile up.
    if (render != nullptr && render->fGetDevice() != nullptr) render->fGetDevice()->Release();
    render.reset();
  }

  // A texture of w x h ARGB words.
  QOR::QC_TEXTURE_INFO* texture(int w, int h, const std::vector<std::uint32_t>& pixels) {
    QOR::QC_TEXTURE_INFO* t = render->fCreateTexture(w, h);
    EXPECT_NE(t, nullptr);
    if (t != nullptr) {
      EXPECT_TRUE(t->fFill(pixels.data()));
    }
    return t;
  }

  // Draws one frame and reads it back.
  Picture frame(const std::function<void()>& draw) {
    EXPECT_EQ(render->BeginScene(), 1);
    draw();
    EXPECT_EQ(render->EndScene(), 0);
    return fReadPicture(render->fGetDevice());
  }

  // Game pixels reach the picture scaled by 1024 / 1025: the screen camera spans the game size
  // plus one.
  static int screen(float game) { return static_cast<int>(game * 1024.0f / 1025.0f); }

  std::unique_ptr<QOR::QC_RENDER> render;
};

}  // namespace qor_test
