// The video tests' shared set-up: a renderer on the recording device published as the engine's
// renderer, a scratch folder for clip files, and reading the video's texture back.
#pragma once

#include "engine/render/qc_render.h"
#include "engine/service/qc_globals.h"
#include "engine/video/qc_video.h"
#include "tests/kit/engine_fixture.h"
#include "tests/kit/scratch_folder.h"
#include "tests/kit/theora_maker.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace video_test {

// Colours away from the edges of what YCbCr can carry, so no channel is clamped on the way.
inline constexpr std::uint32_t kRed = 0xC83232;
inline constexpr std::uint32_t kGreen = 0x30B040;
inline constexpr std::uint32_t kBlue = 0x3040C8;
inline constexpr std::uint32_t kWhite = 0xF0F0F0;
inline constexpr std::uint32_t kGrey = 0x606060;

// Whether each channel of an ARGB word lies within tolerance of the expected 0xRRGGBB, alpha 255.
inline ::testing::AssertionResult fColourNear(std::uint32_t argb, std::uint32_t rgb, int tolerance = 10) {
  if ((argb >> 24) != 0xFF) return ::testing::AssertionFailure() << "alpha is not 255 in " << std::hex << argb;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int a = static_cast<int>((argb >> shift) & 0xFF);
    const int e = static_cast<int>((rgb >> shift) & 0xFF);
    if (std::abs(a - e) > tolerance) {
      char text[80];
      std::snprintf(text, sizeof(text), "colour %08X, expected about %06X", argb, rgb);
      return ::testing::AssertionFailure() << text;
    }
  }
  return ::testing::AssertionSuccess();
}

class VideoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qor_test::fUseTestDoors();
    _render = std::make_unique<QOR::QC_RENDER>();
    ASSERT_EQ(_render->fInit(nullptr, 0.1f, 0.0f), 1);
    _previousRender = QOR::qcRENDER;
    _previousFrameTime = QOR::qcFrameTime;
    QOR::qcRENDER = _render.get();
    ASSERT_TRUE(_scratch.fCreate("qor_video_"));
    _folder = _scratch.fPath().string();
  }

  void TearDown() override {
    QOR::qcRENDER = _previousRender;
    QOR::qcFrameTime = _previousFrameTime;
    _render.reset();
    _scratch.fRemove();
  }

  // Writes the bytes into the scratch folder; the path.
  std::string fWrite(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = _folder + "/" + name;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  // The bytes as an open stream, the way the resource loader hands a file to a video.
  std::FILE* fOpen(const std::vector<std::uint8_t>& bytes, const std::string& name = "clip.ogv") {
    std::FILE* stream = std::fopen(fWrite(name, bytes).c_str(), "rb");
    EXPECT_NE(stream, nullptr);
    return stream;
  }

  // The texel at (x, y) of the video's texture as an ARGB word; 0 without a texture.
  std::uint32_t fTexel(const QOR::QC_VIDEO& video, int x, int y) {
    QOR::QC_TEXTURE_INFO* texture = video.fGetTexture();
    if (texture == nullptr) return 0;
    auto* bytes = static_cast<std::uint8_t*>(_render->fTextureLock(texture));
    std::uint32_t value = 0;
    if (bytes != nullptr) {
      std::memcpy(&value, bytes + (static_cast<std::size_t>(y) * texture->fGetWidth() + x) * 4, 4);
    }
    _render->fTextureUnlock(texture);
    return value;
  }

  // Runs update steps of the given frame time.
  static void fRun(QOR::QC_VIDEO& video, int updates, float frameTime) {
    QOR::qcFrameTime = frameTime;
    for (int i = 0; i < updates; ++i) video.fUpdate();
  }

  std::unique_ptr<QOR::QC_RENDER> _render;
  QOR::QC_RENDER* _previousRender = nullptr;
  float _previousFrameTime = 0.0f;
  qor_test::ScratchDir _scratch;
  std::string _folder;
};

}  // namespace video_test
