// Textures and render targets on the recording device: the default texture, images from bytes and
// files, failed loads, release, filling, and targets across a device reset.
#include "engine/render/qc_render.h"
#include "tests/engine/render/render_test_kit.h"
#include "tests/host/image_bytes.h"
#include "tests/kit/engine_fixture.h"
#include "tests/kit/log_capture.h"
#include "tests/kit/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

using namespace QOR;
using namespace render_test;

namespace {

class RenderTextures : public ::testing::Test {
 protected:
  void SetUp() override {
    qor_test::fUseTestDoors();
    render = std::make_unique<QC_RENDER>();
    ASSERT_EQ(render->fInit(nullptr, 0.1f, 0.0f), 1);
  }

  // The 32-bit pixel at (x, y) of a texture, as it lies in memory.
  std::uint32_t pixel(QC_TEXTURE_INFO* t, int x, int y) {
    auto* bytes = static_cast<std::uint8_t*>(render->fTextureLock(t));
    EXPECT_NE(bytes, nullptr);
    std::uint32_t value = 0;
    if (bytes != nullptr) std::memcpy(&value, bytes + (static_cast<std::size_t>(y) * t->fGetWidth() + x) * 4, 4);
    render->fTextureUnlock(t);
    return value;
  }

  std::unique_ptr<QC_RENDER> render;
};

TEST_F(RenderTextures, DefaultTextureHasFourColouredBlocks) {
  QC_TEXTURE_INFO* t = render->fGetDefaultTexture();
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->fGetSize(), QS_POINT(16, 16));
  EXPECT_EQ(pixel(t, 0, 0), 0xFFFF2400u);
  EXPECT_EQ(pixel(t, 15, 7), 0xFF3CAA3Cu);
  EXPECT_EQ(pixel(t, 7, 8), 0xFFFDE910u);
  EXPECT_EQ(pixel(t, 15, 15), 0xFF3C57A9u);
}

TEST_F(RenderTextures, PngFromMemoryKeepsTheImageSizeAndItsPixels) {
  const auto png = image_bytes::fPng(100, 60, image_bytes::fMarkedRgba(100, 60, 0x10203040u, 0xFF0000FFu));
  QC_TEXTURE_INFO* t = render->fLoadTextureFromMemory(png.data(), png.size(), "unnamed");
  ASSERT_NE(t, nullptr);
  ASSERT_NE(t, render->fGetDefaultTexture());
  EXPECT_EQ(t->fGetWidth(), 100);
  EXPECT_EQ(t->fGetHeight(), 60);
  // Loaded images are A8B8G8R8: red, green, blue, alpha in memory.
  const auto create = fCalls("CreateTexture").back();
  EXPECT_EQ(create.args[4], D3DFMT_A8B8G8R8);
  EXPECT_EQ(create.args[5], D3DPOOL_MANAGED);
  EXPECT_EQ(pixel(t, 0, 0), 0xFF0000FFu);  // opaque red: bytes FF 00 00 FF
  EXPECT_EQ(pixel(t, 99, 59), 0x40302010u);  // bytes 10 20 30 40
}

TEST_F(RenderTextures, JpegFromMemoryLoadsWithItsSize) {
  std::vector<std::uint8_t> rgb(64 * 32 * 3, 0);
  for (std::size_t i = 0; i < rgb.size(); i += 3) rgb[i + 1] = 200;  // green
  const auto jpeg = image_bytes::fJpeg(64, 32, rgb);
  QC_TEXTURE_INFO* t = render->fLoadTextureFromMemory(jpeg.data(), jpeg.size(), "unnamed");
  ASSERT_NE(t, render->fGetDefaultTexture());
  EXPECT_EQ(t->fGetSize(), QS_POINT(64, 32));
  const std::uint32_t p = pixel(t, 10, 10);
  EXPECT_NEAR(static_cast<int>(p & 0xFF), 0, 8);
  EXPECT_NEAR(static_cast<int>((p >> 8) & 0xFF), 200, 8);
  EXPECT_EQ(p >> 24, 0xFFu);
}

TEST_F(RenderTextures, PngFileLoadsThroughEitherSlash) {
  qor_test::ScratchDir scratch;
  ASSERT_TRUE(scratch.fCreate("qor_render_textures_"));
  const auto dir = scratch.fPath();
  const auto png = image_bytes::fPng(3, 5, image_bytes::fMarkedRgba(3, 5, 0xFFFFFFFFu, 0x000000FFu));
  std::ofstream(dir / "pic.png", std::ios::binary).write(reinterpret_cast<const char*>(png.data()),
                                                         static_cast<std::streamsize>(png.size()));
  const std::string windowsStyle = dir.string() + "\\pic.png";
  QC_TEXTURE_INFO* t = render->fLoadTexture(windowsStyle.c_str());
  ASSERT_NE(t, render->fGetDefaultTexture());
  EXPECT_EQ(t->fGetSize(), QS_POINT(3, 5));
}

TEST_F(RenderTextures, MissingFileGivesTheDefaultTextureWhichSurvivesRelease) {
  qor_test::LogCapture log;
  QC_TEXTURE_INFO* t = render->fLoadTexture("no/such/picture.png");
  EXPECT_EQ(t, render->fGetDefaultTexture());
  EXPECT_TRUE(log.hasLine("Textue not load no/such/picture.png"));
  render->fReleaseTexture(t);
  EXPECT_EQ(pixel(render->fGetDefaultTexture(), 0, 0), 0xFFFF2400u);
}

TEST_F(RenderTextures, DamagedBytesShowTheNamedBoxAndGiveTheDefaultTexture) {
  const auto png = image_bytes::fPng(8, 8, image_bytes::fMarkedRgba(8, 8, 0xFFFFFFFFu, 0xFFFFFFFFu));
  const std::vector<std::uint8_t> truncated(png.begin(), png.begin() + 20);
  const std::vector<std::uint8_t> noise(300, 0x5A);
  qor_test::LogCapture log;
  EXPECT_EQ(render->fLoadTextureFromMemory(truncated.data(), truncated.size(), "unnamed"),
            render->fGetDefaultTexture());
  EXPECT_EQ(render->fLoadTextureFromMemory(noise.data(), noise.size(), "tiles"), render->fGetDefaultTexture());
  EXPECT_EQ(render->fLoadTextureFromMemory(nullptr, 10, "empty"), render->fGetDefaultTexture());
  EXPECT_TRUE(log.contains("[unnamed] Texture load from memory failed"));
  EXPECT_TRUE(log.contains("[tiles] Texture load from memory failed"));
}

TEST_F(RenderTextures, LoadsBeforeTheDefaultTextureExistsGiveNull) {
  // A renderer that never started has no device: each failed image is one log line naming it, and
  // no box (the game reports the renderer's own failure once).
  QC_RENDER early;
  qor_test::LogCapture log;
  host_test::fResetMessageBoxCount();
  const std::vector<std::uint8_t> noise(300, 0x5A);
  EXPECT_EQ(early.fLoadTexture("missing.png"), nullptr);
  EXPECT_EQ(early.fLoadTextureFromMemory(noise.data(), noise.size(), "tiles"), nullptr);
  EXPECT_EQ(host_test::fMessageBoxCount(), 0);
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"Texture missing.png not loaded: no renderer",
                                                   "Texture tiles not loaded: no renderer"}));

  // A device whose default texture could not be made still says so in a box.
  host_test::fRecordingControls().failCreateTexture = true;
  QC_RENDER bare;
  ASSERT_EQ(bare.fInit(nullptr, 0.1f, 0.0f), 1);
  host_test::fRecordingControls().failCreateTexture = false;
  ASSERT_EQ(bare.fGetDefaultTexture(), nullptr);
  EXPECT_EQ(bare.fLoadTexture("missing.png"), nullptr);
  EXPECT_TRUE(log.contains("[error] defaultTexture not exist!!!"));
  EXPECT_EQ(host_test::fMessageBoxCount(), 1);
}

TEST_F(RenderTextures, ReleaseFreesTheDeviceTextureAndForgetsForeignHandles) {
  QC_TEXTURE_INFO* t = render->fCreateTexture(8, 8);
  ASSERT_NE(t, nullptr);
  const int serial = host_test::fSerialOf(t->_texture);
  EXPECT_TRUE(host_test::fIsAlive(serial));
  // Drawn with first (a frame's worth, flushed), so the batch holds it as its current texture.
  fDrawQuad(*render, fQuad(0, 0, 8, 8), t, fSpriteState());
  render->fFlush();
  ASSERT_EQ(render->fGetCurrentTexture(), t);
  render->fReleaseTexture(t);
  // Made at once, with nothing allocated in between, the next handle usually gets the released
  // one's address back (not under the address sanitizer): the batch must not take it for the
  // texture it already had, and must bind it when drawn.
  QC_TEXTURE_INFO* next = render->fCreateTexture(8, 8);
  ASSERT_NE(next, nullptr);
  EXPECT_FALSE(host_test::fIsAlive(serial));
  EXPECT_EQ(render->fGetCurrentTexture(), nullptr);
  host_test::fRecordedCalls().clear();
  fDrawQuad(*render, fQuad(0, 0, 8, 8), next, fSpriteState());
  const auto bound = fCalls("SetTexture");
  ASSERT_EQ(bound.size(), 1u);
  EXPECT_EQ(bound[0].args[1], host_test::fSerialOf(next->_texture));
  // A handle the renderer did not make (a target's texture wrapped by the game) stays intact.
  QC_RENDER_TARGET* target = render->fCreateTarget(16, 16);
  ASSERT_NE(target, nullptr);
  QC_TEXTURE_INFO page(target->_texture, 16, 16);
  render->fReleaseTexture(&page);
  EXPECT_EQ(page._texture, target->_texture);
  EXPECT_TRUE(host_test::fIsAlive(host_test::fSerialOf(target->_texture)));
}

TEST_F(RenderTextures, FillWritesRowsAndFailuresAreReported) {
  QC_TEXTURE_INFO* t = render->fCreateTexture(3, 2);
  const std::uint32_t words[6] = {1, 2, 3, 4, 5, 6};
  EXPECT_TRUE(t->fFill(words));
  EXPECT_EQ(pixel(t, 2, 0), 3u);
  EXPECT_EQ(pixel(t, 0, 1), 4u);
  host_test::fRecordingControls().failLocks = true;
  qor_test::LogCapture log;
  EXPECT_FALSE(t->fFill(words));
  EXPECT_EQ(render->fTextureLock(t), nullptr);
  EXPECT_TRUE(log.hasLine("QC_RENDER::fTextureLock ERROR"));
  host_test::fRecordingControls().failLocks = false;
  host_test::fRecordingControls().failCreateTexture = true;
  EXPECT_EQ(render->fCreateTexture(4, 4), nullptr);
  EXPECT_EQ(render->fCreateTexture(0, 4), nullptr);
}

TEST_F(RenderTextures, TargetsCountTheirIdsAndRefuseTheWrongDeviceState) {
  QC_RENDER_TARGET* first = render->fCreateTarget(1024, 768);
  QC_RENDER_TARGET* second = render->fCreateTarget(64, 64);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->_id, 0u);
  EXPECT_EQ(second->_id, 1u);
  EXPECT_EQ(render->EndTarget(), -1);
  ASSERT_EQ(render->BeginScene(), 1);
  host_test::fRecordedCalls().clear();
  EXPECT_EQ(render->BeginTarget(first), -1);
  EXPECT_TRUE(host_test::fRecordedCalls().empty());
  EXPECT_EQ(render->EndScene(), 0);
}

TEST_F(RenderTextures, TargetClearsToTransparentBlackAndReturnsToTheScreen) {
  render->fSetClearColor(0xFF336699u);
  QC_RENDER_TARGET* target = render->fCreateTarget(128, 64);
  host_test::fRecordedCalls().clear();
  ASSERT_EQ(render->BeginTarget(target), 1);
  EXPECT_EQ(render->fGetDeviceState(), QC_RENDER::kInTarget);
  EXPECT_EQ(fCalls("SetRenderTarget").at(0).args[1], host_test::fSerialOf(target->_surface));
  EXPECT_EQ(fCalls("Clear").at(0).args, (std::vector<double>{0, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0, 0}));
  // Its projection: a 45-degree view of 128 x 64 without the screen's extra pixel.
  const auto projection = fCalls("SetTransform").at(0);
  EXPECT_EQ(projection.args[0], D3DTS_PROJECTION);
  EXPECT_NEAR(projection.args[1], (1.0 / std::tan(3.14159265 / 8.0)) / 2.0, 1e-4);
  fDrawQuad(*render, fQuad(0, 0, 10, 10), render->fGetDefaultTexture(), fSpriteState());
  EXPECT_EQ(render->EndTarget(), 0);
  EXPECT_EQ(render->fGetDeviceState(), QC_RENDER::kIdle);
  EXPECT_EQ(host_test::fCountCalls("DrawIndexedPrimitive"), 1);
  const auto targets = fCalls("SetRenderTarget");
  ASSERT_EQ(targets.size(), 2u);
  EXPECT_NE(targets[1].args[1], targets[0].args[1]);
  EXPECT_EQ(render->BeginScene(), 1);
  EXPECT_EQ(fCalls("Clear").back().args[2], 0xFF336699u);
}

TEST_F(RenderTextures, RefusedTargetSceneLeavesDrawingOnTheScreen) {
  QC_RENDER_TARGET* target = render->fCreateTarget(32, 32);
  host_test::fRecordingControls().failBeginScene = true;
  qor_test::LogCapture log;
  host_test::fRecordedCalls().clear();
  EXPECT_EQ(render->BeginTarget(target), 0);
  EXPECT_TRUE(log.hasLine("ERROR BeginTarget"));
  const auto targets = fCalls("SetRenderTarget");
  ASSERT_EQ(targets.size(), 2u);
  EXPECT_NE(targets[1].args[1], host_test::fSerialOf(target->_surface));
  EXPECT_EQ(render->fGetDeviceState(), QC_RENDER::kIdle);
  host_test::fRecordingControls().failBeginScene = false;
  host_test::fRecordingControls().failClear = true;
  EXPECT_EQ(render->BeginTarget(target), -1);
  EXPECT_EQ(render->fGetDeviceState(), QC_RENDER::kIdle);
  host_test::fRecordingControls().failClear = false;
  EXPECT_EQ(render->BeginTarget(target), 1);
}

TEST_F(RenderTextures, TargetTextureObjectSurvivesAModeChange) {
  QC_RENDER_TARGET* target = render->fCreateTarget(256, 128);
  IDirect3DTexture9* before = target->_texture;
  const int serial = host_test::fSerialOf(before);
  // The game keeps its own handle around the target's texture.
  QC_TEXTURE_INFO page(target->_texture, 256, 128);
  render->fSetResolution(800, 600, false, false);
  EXPECT_EQ(host_test::fCountCalls("Reset"), 1);
  EXPECT_EQ(target->_texture, before);
  EXPECT_TRUE(host_test::fIsAlive(serial));
  ASSERT_NE(target->_surface, nullptr);
  EXPECT_EQ(target->_id, 0u);
  EXPECT_EQ(target->_width, 256);
  // Drawing into the target and then showing the page both still work.
  ASSERT_EQ(render->BeginTarget(target), 1);
  EXPECT_EQ(render->EndTarget(), 0);
  ASSERT_EQ(render->BeginScene(), 1);
  host_test::fRecordedCalls().clear();
  fDrawQuad(*render, fQuad(0, 0, 10, 10), &page, fSpriteState());
  EXPECT_EQ(fCalls("SetTexture").at(0).args[1], serial);
  EXPECT_EQ(render->EndScene(), 0);
  EXPECT_EQ(host_test::fCountCalls("DrawIndexedPrimitive"), 1);
}

TEST_F(RenderTextures, ReleasedTargetLeavesTheMap) {
  QC_RENDER_TARGET* target = render->fCreateTarget(16, 16);
  const int serial = host_test::fSerialOf(target->_texture);
  render->fReleaseTarget(target);
  EXPECT_FALSE(host_test::fIsAlive(serial));
  // A later reset has no target left to rebuild.
  render->fSetResolution(640, 480, false, false);
  EXPECT_EQ(host_test::fCountCalls("Reset"), 1);
  EXPECT_EQ(fCalls("Reset").back().args, (std::vector<double>{640, 480}));
}

}  // namespace
