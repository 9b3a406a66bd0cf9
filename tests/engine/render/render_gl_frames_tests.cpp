// The OpenGL device over several frames (SDL's offscreen driver with Mesa): texture pixels kept
// by the driver alone and given back on lock, repeated frames that keep their picture while any
// change shows at once, and frames that draw over the previous picture drawn every time.
#include "engine/render/qc_render.h"
#include "host/test_doors.h"
#include "tests/engine/render/render_test_kit.h"
#include "tests/kit/gl_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace QOR;
using namespace render_test;
using qor_test::fPixelNear;

namespace {

class RenderGlFrames : public qor_test::GlRenderTest {
 protected:
  std::vector<std::uint32_t> words(QC_TEXTURE_INFO* texture, int count) {
    std::vector<std::uint32_t> out(static_cast<std::size_t>(count));
    void* bits = render->fTextureLock(texture);
    EXPECT_NE(bits, nullptr);
    if (bits != nullptr) std::memcpy(out.data(), bits, out.size() * 4);
    render->fTextureUnlock(texture);
    return out;
  }
};

// A filled texture locks again with its pixels (read back from the driver); a pixel changed under
// a lock is drawn; a texture never written locks as zeros and draws transparent.
TEST_F(RenderGlFrames, TexturePixelsComeBackOnLockAndChangesAreDrawn) {
  QC_TEXTURE_INFO* t = texture(2, 1, {0xFFFF0000u, 0x800000FFu});
  EXPECT_EQ(words(t, 2), (std::vector<std::uint32_t>{0xFFFF0000u, 0x800000FFu}));
  auto* bits = static_cast<std::uint32_t*>(render->fTextureLock(t));
  ASSERT_NE(bits, nullptr);
  bits[0] = 0xFF00FF00u;
  ASSERT_TRUE(render->fTextureUnlock(t));
  EXPECT_EQ(words(t, 2), (std::vector<std::uint32_t>{0xFF00FF00u, 0x800000FFu}));

  QC_TEXTURE_INFO* blank = render->fCreateTexture(4, 4);
  ASSERT_NE(blank, nullptr);
  render->fSetClearColor(0xFFFF0000u);
  const auto picture = frame([&] {
    fDrawQuad(*render, fQuad(0, 0, 200, 100), t, fSpriteState());
    fDrawQuad(*render, fQuad(300, 0, 100, 100), blank, fSpriteState());
  });
  EXPECT_TRUE(fPixelNear(picture, screen(50), screen(50), 0x00FF00, 4));
  EXPECT_TRUE(fPixelNear(picture, screen(150), screen(50), 0x80007F, 4));  // half blue over red
  EXPECT_TRUE(fPixelNear(picture, screen(350), screen(50), 0xFF0000, 4));
  EXPECT_EQ(words(blank, 16), std::vector<std::uint32_t>(16, 0u));
}

// The same frame again keeps its picture; a texture's new pixels, a moved sprite and a quad that
// became transparent each show in the very next frame.
TEST_F(RenderGlFrames, RepeatedFramesKeepThePictureAndEveryChangeShows) {
  QC_TEXTURE_INFO* t = texture(1, 1, {0xFFFF0000u});
  float x = 100.0f;
  std::uint32_t tint = 0xFFFFFFFFu;
  const auto draw = [&] { fDrawQuad(*render, fQuad(x, 100, 100, 100, tint), t, fSpriteState()); };
  for (int repeat = 0; repeat < 3; ++repeat) {
    const auto picture = frame(draw);
    EXPECT_TRUE(fPixelNear(picture, screen(150), screen(150), 0xFF0000, 4)) << repeat;
    EXPECT_TRUE(fPixelNear(picture, screen(350), screen(150), 0x000000, 4)) << repeat;
  }
  ASSERT_TRUE(t->fFill(std::vector<std::uint32_t>{0xFF0000FFu}.data()));
  EXPECT_TRUE(fPixelNear(frame(draw), screen(150), screen(150), 0x0000FF, 4));
  x = 300.0f;
  auto picture = frame(draw);
  EXPECT_TRUE(fPixelNear(picture, screen(150), screen(150), 0x000000, 4));
  EXPECT_TRUE(fPixelNear(picture, screen(350), screen(150), 0x0000FF, 4));
  tint = 0x00FFFFFFu;
  picture = frame(draw);
  EXPECT_TRUE(fPixelNear(picture, screen(350), screen(150), 0x000000, 4));
  picture = frame(draw);
  EXPECT_TRUE(fPixelNear(picture, screen(350), screen(150), 0x000000, 4));
}

// Frames that add to what the last one left (no clear first) are drawn each time.
TEST_F(RenderGlFrames, FramesDrawnOverThePreviousPictureAccumulate) {
  IDirect3DDevice9* device = render->fGetDevice();
  ASSERT_NE(device, nullptr);
  // A screen-filling quad in clip coordinates (identity transforms), a quarter red.
  struct Vertex {
    float x, y, z;
    std::uint32_t argb;
  };
  const Vertex corners[6] = {{-1, -1, 0.5f, 0xFF400000u}, {1, -1, 0.5f, 0xFF400000u}, {1, 1, 0.5f, 0xFF400000u},
                             {-1, -1, 0.5f, 0xFF400000u}, {1, 1, 0.5f, 0xFF400000u}, {-1, 1, 0.5f, 0xFF400000u}};
  IDirect3DVertexBuffer9* buffer = nullptr;
  ASSERT_EQ(device->CreateVertexBuffer(sizeof(corners), 0, D3DFVF_XYZ | D3DFVF_DIFFUSE, D3DPOOL_MANAGED, &buffer,
                                       nullptr),
            D3D_OK);
  void* data = nullptr;
  ASSERT_EQ(buffer->Lock(0, 0, &data, 0), D3D_OK);
  std::memcpy(data, corners, sizeof(corners));
  buffer->Unlock();
  const D3DMATRIX identity = {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
  device->SetTransform(D3DTS_WORLD, &identity);
  device->SetTransform(D3DTS_VIEW, &identity);
  device->SetTransform(D3DTS_PROJECTION, &identity);
  device->SetTexture(0, nullptr);
  device->SetRenderState(D3DRS_ZENABLE, FALSE);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
  device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
  device->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
  device->SetStreamSource(0, buffer, 0, sizeof(Vertex));
  ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0), D3D_OK);
  for (const std::uint32_t expected : {0x400000u, 0x800000u, 0xC00000u}) {
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    ASSERT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3D_OK);
    ASSERT_EQ(device->EndScene(), D3D_OK);
    ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    EXPECT_TRUE(fPixelNear(qor_test::fReadPicture(device), 512, 384, expected, 2));
  }
  buffer->Release();
}

}  // namespace
