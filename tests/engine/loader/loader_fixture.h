// The resource loader tests' fixture: the kit's loader over a scratch Resources folder with the
// renderer on the recording device, plus password packs written at test time.
#pragma once

#include "engine/render/qc_render.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_resource_loader.h"
#include "tests/host/image_bytes.h"
#include "tests/kit/resource_fixture.h"
#include "tools/packs/qc_pack_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace loader_test {

namespace fs = std::filesystem;

// A small PNG of one colour.
inline std::string fPngBytes(int width, int height, std::uint32_t rgba = 0xFF8040FFu) {
  const auto png = image_bytes::fPng(width, height, image_bytes::fMarkedRgba(width, height, rgba, rgba));
  return std::string(png.begin(), png.end());
}

// The invocations of the resource-error hook while an ErrorHookCounter is installed.
inline int& fErrorHookCount() {
  static int count = 0;
  return count;
}

inline int fCountErrorHook(std::uintptr_t) {
  ++fErrorHookCount();
  return 0;
}

// Installs a counting resource-error hook, counting from 0, and puts back the hook it replaced
// when it goes.
class ErrorHookCounter {
 public:
  ErrorHookCounter() : _saved(QOR::qcOnResourceError), _hook(&fCountErrorHook) {
    fErrorHookCount() = 0;
    QOR::qcOnResourceError = &_hook;
  }
  ~ErrorHookCounter() { QOR::qcOnResourceError = _saved; }
  ErrorHookCounter(const ErrorHookCounter&) = delete;
  ErrorHookCounter& operator=(const ErrorHookCounter&) = delete;

  int count() const { return fErrorHookCount(); }

 private:
  QOR::QC_CALLBACK* _saved;
  QOR::QC_CALLBACK _hook;
};

class LoaderTest : public qor_test::ResourceTest {
 protected:
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
};

}  // namespace loader_test
