// Showing the back buffer on real OpenGL (Mesa): at the window's size every pixel arrives
// unchanged and right way up; at another size the picture matches the driver's own bilinear
// framebuffer blit. The presenter draws into framebuffers of the test's own, read back here.
// The device's presents keep the storage of image textures a frame draws and give back the others.
#include "host/d3dx9.h"
#include "host/recording_device.h"
#include "host/src/gl/gl_functions.h"
#include "host/src/gl/gl_present.h"
#include "host/src/gl/gl_texture.h"
#include "host/test_doors.h"
#include "tests/host/image_bytes.h"
#include "tests/kit/test_window.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace {

class GlPresentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_test::fUseRecordingDevice(false);
    host_test::fSetNonInteractive(true);
    host_test::fSetGlTextureRest(std::chrono::milliseconds(3000));
    ASSERT_NE(qor_test::fTestWindow(), nullptr);
    d3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d, nullptr);
    D3DPRESENT_PARAMETERS p{};
    p.BackBufferWidth = 64;
    p.BackBufferHeight = 64;
    // The device makes its context current; the presenter draws with it.
    ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, qor_test::fTestWindow(), 0, &p, &device), D3D_OK);
    ASSERT_TRUE(presenter.fBuild());
  }
  void TearDown() override {
    host_test::fSetGlTextureRest(std::chrono::milliseconds(3000));
    presenter.fDestroy();
    for (GLuint framebuffer : framebuffers) host_gl::gl.DeleteFramebuffers(1, &framebuffer);
    host_gl::gl.DeleteTextures(static_cast<GLsizei>(names.size()), names.data());
    if (device != nullptr) device->Release();
    if (d3d != nullptr) d3d->Release();
  }

  // An RGBA8 texture of these rows (from the top, as the back buffer stores them).
  GLuint texture(int width, int height, const std::vector<std::uint8_t>* rgba) {
    GLuint name = 0;
    host_gl::gl.GenTextures(1, &name);
    names.push_back(name);
    host_gl::gl.BindTexture(GL_TEXTURE_2D, name);
    host_gl::gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    host_gl::gl.PixelStorei(GL_UNPACK_ALIGNMENT, 4);
    host_gl::gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                           rgba != nullptr ? rgba->data() : nullptr);
    return name;
  }

  // A framebuffer drawing into a new texture of that size.
  GLuint framebuffer(int width, int height) {
    const GLuint colour = texture(width, height, nullptr);
    GLuint name = 0;
    host_gl::gl.GenFramebuffers(1, &name);
    framebuffers.push_back(name);
    host_gl::gl.BindFramebuffer(GL_FRAMEBUFFER, name);
    host_gl::gl.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
    EXPECT_EQ(host_gl::gl.CheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    return name;
  }

  // The framebuffer's rows as OpenGL stores them (from the bottom).
  std::vector<std::uint8_t> read(GLuint name, int width, int height) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    host_gl::gl.BindFramebuffer(GL_READ_FRAMEBUFFER, name);
    host_gl::gl.PixelStorei(GL_PACK_ALIGNMENT, 4);
    host_gl::gl.ReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
  }

  static std::vector<std::uint8_t> noise(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    for (std::uint8_t& byte : rgba) byte = static_cast<std::uint8_t>(random());
    return rgba;
  }

  IDirect3D9* d3d = nullptr;
  IDirect3DDevice9* device = nullptr;
  host_gl::GlPresenter presenter;
  std::vector<GLuint> names;
  std::vector<GLuint> framebuffers;
};

// Every byte of every pixel, at odd sizes too: stored row r shows as window row height - 1 - r.
TEST_F(GlPresentTest, AtTheWindowSizeEveryPixelArrivesUnchangedAndUpright) {
  for (const auto& [width, height] : {std::pair{64, 48}, std::pair{37, 5}, std::pair{1, 1}}) {
    const std::vector<std::uint8_t> picture = noise(width, height, static_cast<unsigned>(width * 100 + height));
    const GLuint source = texture(width, height, &picture);
    const GLuint window = framebuffer(width, height);
    presenter.fShow(source, width, height, width, height, window);
    const std::vector<std::uint8_t> shown = read(window, width, height);
    const std::size_t row = static_cast<std::size_t>(width) * 4;
    for (int y = 0; y < height; ++y) {
      ASSERT_EQ(std::vector<std::uint8_t>(shown.begin() + static_cast<std::ptrdiff_t>(y * row),
                                          shown.begin() + static_cast<std::ptrdiff_t>((y + 1) * row)),
                std::vector<std::uint8_t>(picture.begin() + static_cast<std::ptrdiff_t>((height - 1 - y) * row),
                                          picture.begin() + static_cast<std::ptrdiff_t>((height - y) * row)))
          << width << " x " << height << ", window row " << y;
    }
  }
}

// Larger and smaller windows: what the driver's own flipped bilinear blit shows, within a step of
// rounding.
TEST_F(GlPresentTest, AtAnotherSizeThePictureMatchesTheDriversBilinearBlit) {
  const int width = 40;
  const int height = 30;
  // Smooth rows and columns, so that filtering differences stay small.
  std::vector<std::uint8_t> picture(static_cast<std::size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = picture.data() + (static_cast<std::size_t>(y) * width + x) * 4;
      p[0] = static_cast<std::uint8_t>(x * 6);
      p[1] = static_cast<std::uint8_t>(y * 8);
      p[2] = static_cast<std::uint8_t>(255 - x * 3 - y * 2);
      p[3] = 255;
    }
  }
  const GLuint source = texture(width, height, &picture);
  GLuint sourceFramebuffer = 0;
  host_gl::gl.GenFramebuffers(1, &sourceFramebuffer);
  framebuffers.push_back(sourceFramebuffer);
  host_gl::gl.BindFramebuffer(GL_FRAMEBUFFER, sourceFramebuffer);
  host_gl::gl.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, source, 0);
  for (const auto& [w, h] : {std::pair{100, 70}, std::pair{21, 17}}) {
    const GLuint shown = framebuffer(w, h);
    presenter.fShow(source, width, height, w, h, shown);
    const GLuint expected = framebuffer(w, h);
    host_gl::gl.BindFramebuffer(GL_READ_FRAMEBUFFER, sourceFramebuffer);
    host_gl::gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, expected);
    host_gl::gl.BlitFramebuffer(0, 0, width, height, 0, h, w, 0, GL_COLOR_BUFFER_BIT, GL_LINEAR);
    const std::vector<std::uint8_t> a = read(shown, w, h);
    const std::vector<std::uint8_t> b = read(expected, w, h);
    int worst = 0;
    for (std::size_t i = 0; i < a.size(); ++i) worst = std::max(worst, std::abs(a[i] - b[i]));
    EXPECT_LE(worst, 2) << w << " x " << h;
  }
}

// Image textures keep their storage while every frame draws them and give it back once no frame
// has drawn them for the rest (a second, far longer than a frame here): each is drawn in the first
// frame; then frames that draw those of the first kind are presented until the others have given
// their storage back. One drawn every frame has its storage after every present.
TEST_F(GlPresentTest, PresentsKeepTheStorageOfDrawnImageTexturesAndGiveBackTheRest) {
  struct Case {
    bool drawnEveryFrame;
    IDirect3DTexture9* texture = nullptr;
  };
  Case cases[] = {{true}, {false}};
  const std::vector<std::uint8_t> png =
      image_bytes::fPng(4, 4, image_bytes::fMarkedRgba(4, 4, 0x3080C0FFu, 0xFF0000FFu));
  for (Case& c : cases) {
    ASSERT_EQ(D3DXCreateTextureFromFileInMemoryEx(device, png.data(), static_cast<UINT>(png.size()), 0, 0, 1, 0,
                                                  D3DFMT_UNKNOWN, D3DPOOL_MANAGED, 0, 0, 0, nullptr, nullptr,
                                                  &c.texture),
              D3D_OK);
  }
  // A quad over the whole picture in clip coordinates (identity transforms), with texture places.
  const float corners[6][5] = {{-1, -1, 0.5f, 0, 1}, {1, -1, 0.5f, 1, 1}, {1, 1, 0.5f, 1, 0},
                               {-1, -1, 0.5f, 0, 1}, {1, 1, 0.5f, 1, 0}, {-1, 1, 0.5f, 0, 0}};
  IDirect3DVertexBuffer9* buffer = nullptr;
  ASSERT_EQ(device->CreateVertexBuffer(sizeof(corners), 0, D3DFVF_XYZ | D3DFVF_TEX1, D3DPOOL_MANAGED, &buffer, nullptr),
            D3D_OK);
  void* data = nullptr;
  ASSERT_EQ(buffer->Lock(0, 0, &data, 0), D3D_OK);
  std::memcpy(data, corners, sizeof(corners));
  buffer->Unlock();
  device->SetRenderState(D3DRS_ZENABLE, FALSE);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  device->SetFVF(D3DFVF_XYZ | D3DFVF_TEX1);
  device->SetStreamSource(0, buffer, 0, sizeof(corners[0]));
  const auto present = [&](bool first) {
    EXPECT_EQ(device->BeginScene(), D3D_OK);
    for (const Case& c : cases) {
      if (!first && !c.drawnEveryFrame) continue;
      device->SetTexture(0, c.texture);
      EXPECT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3D_OK);
    }
    EXPECT_EQ(device->EndScene(), D3D_OK);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  };

  host_test::fSetGlTextureRest(std::chrono::milliseconds(1000));
  present(true);
  bool keptWhileDrawn = true;
  bool restPassed = false;
  for (const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
       keptWhileDrawn && !restPassed && std::chrono::steady_clock::now() < end;) {
    present(false);
    restPassed = true;
    for (const Case& c : cases) {
      const bool stored = dynamic_cast<host_gl::GlTexture*>(c.texture)->fHasStorage();
      if (c.drawnEveryFrame) keptWhileDrawn = keptWhileDrawn && stored;
      if (!c.drawnEveryFrame) restPassed = restPassed && !stored;
    }
  }
  EXPECT_TRUE(keptWhileDrawn) << "a texture drawn every frame gave its storage back";
  EXPECT_TRUE(restPassed) << "a texture no frame drew kept its storage past the rest";
  for (Case& c : cases) c.texture->Release();
  buffer->Release();
}

}  // namespace
