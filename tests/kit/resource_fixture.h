// A resource loader over a scratch Resources folder, with the renderer on the recording device
// installed as qcRENDER. The loader starts empty and is not installed as qcRESOURCE_LOADER: tests
// write their files and register the packs they need.
#pragma once

#include "engine/files/qc_file_system.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"
#include "tests/kit/engine_fixture.h"
#include "tests/kit/scratch_folder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace qor_test {

class ResourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fUseTestDoors();
    ASSERT_TRUE(_scratch.fCreate("qor_resources_"));
    _base = _scratch.fBase();
    _resources = _scratch.fResources();
    _files = _scratch.fFiles();
    _savedRender = QOR::qcRENDER;
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
    _files = nullptr;
    _scratch.fRemove();
  }

  // A file under the Resources folder (folders made as needed).
  void write(const std::string& relative, const std::string& bytes) { _scratch.fWrite(relative, bytes); }

  ScratchFolder _scratch;
  // The scratch application folder, its Resources folder (with a trailing '/') and the file
  // system over it.
  std::string _base;
  std::string _resources;
  QOR::QC_FILE_SYSTEM* _files = nullptr;
  std::unique_ptr<QOR::QC_RENDER> _render;
  std::unique_ptr<QOR::QC_RESOURCE_LOADER> _loader;
  QOR::QC_RENDER* _savedRender = nullptr;
};

}  // namespace qor_test
