// A resource loader over a scratch application folder of its own, with the renderer on the
// recording device. Loose files, folder packs and password packs are written into the scratch
// Resources folder at test time.
#pragma once

#include "engine/files/qc_file_system.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"
#include "tests/host/image_bytes.h"
#include "tests/kit/engine_fixture.h"
#include "tools/packs/qc_pack_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace loader_test {

namespace fs = std::filesystem;

// A small PNG of one colour.
inline std::string fPngBytes(int width, int height, std::uint32_t rgba = 0xFF8040FFu) {
  const auto png = image_bytes::fPng(width, height, image_bytes::fMarkedRgba(width, height, rgba, rgba));
  return std::string(png.begin(), png.end());
}

class LoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qor_test::fUseTestDoors();
    _startFolder = fs::current_path();
    std::string pattern = (fs::temp_directory_path() / "qor_loader_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    _base = pattern;
    _savedFiles = QOR::qcFILE_SYSTEM;
    _savedRender = QOR::qcRENDER;
    _files = std::make_unique<QOR::QC_FILE_SYSTEM>(_base);
    QOR::qcFILE_SYSTEM = _files.get();
    _resources = _files->fGetResourceDirectory();
    _render = std::make_unique<QOR::QC_RENDER>();
    ASSERT_EQ(_render->fInit(nullptr, 0.1f, 0.0f), 1);
    QOR::qcRENDER = _render.get();
    _loader = std::make_unique<QOR::QC_RESOURCE_LOADER>();
  }

  void TearDown() override {
    // The loader gives its textures back to the renderer, so it goes first.
    _loader.reset();
    QOR::qcRENDER = _savedRender;
    _render.reset();
    QOR::qcFILE_SYSTEM = _savedFiles;
    _files.reset();
    fs::current_path(_startFolder);
    std::error_code error;
    fs::remove_all(_base, error);
  }

  // A file under the Resources folder (folders made as needed).
  void write(const std::string& relative, const std::string& bytes) {
    const fs::path path = fs::path(_resources) / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  // A password pack under the Resources folder.
  void writePack(const std::string& relative, const std::string& password,
                 const std::vector<std::pair<std::string, std::string>>& entries) {
    QOR::QC_PACK_WRITER writer(password);
    for (const auto& entry : entries) ASSERT_TRUE(writer.fAdd(entry.first, entry.second));
    const fs::path path = fs::path(_resources) / relative;
    fs::create_directories(path.parent_path());
    ASSERT_TRUE(writer.fWrite(path.string()));
  }

  QOR::QC_RESOURCE_LOADER& loader() { return *_loader; }
  QOR::QC_RENDER& render() { return *_render; }
  QOR::QC_TEXTURE_INFO* defaultTexture() { return _render->fGetDefaultTexture(); }

  fs::path _startFolder;
  std::string _base;
  std::string _resources;
  std::unique_ptr<QOR::QC_FILE_SYSTEM> _files;
  std::unique_ptr<QOR::QC_RENDER> _render;
  std::unique_ptr<QOR::QC_RESOURCE_LOADER> _loader;
  QOR::QC_FILE_SYSTEM* _savedFiles = nullptr;
  QOR::QC_RENDER* _savedRender = nullptr;
};

}  // namespace loader_test
