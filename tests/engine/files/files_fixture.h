// A file system over a scratch folder of its own: the folder is made before each test and
// removed after it, and the process's current directory is put back.
#pragma once

#include "engine/files/qc_file_system.h"
#include "engine/files/unreadable_data.h"
#include "tests/kit/file_bytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace qor_test {

// Every byte value, NULs included, then some text.
inline std::string fAllByteValues() {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
  return bytes + "and then some text, repeated: " + std::string(500, 'z');
}

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Damage told by an earlier test of the process is told again.
    QOR::fForgetReportedDamage();
    _startFolder = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "qor_files_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    _base = pattern;
    _files = std::make_unique<QOR::QC_FILE_SYSTEM>(_base);
    _resources = _base + "/Resources/";
  }

  void TearDown() override {
    _files.reset();
    std::filesystem::current_path(_startFolder);
    std::error_code error;
    std::filesystem::remove_all(_base, error);
  }

  // A record as the loader makes one for a pack entry or a loose file.
  static QOR::QS_RESOURCE record(const std::string& folder, const std::string& name, const std::string& password) {
    QOR::QS_RESOURCE r(name);
    r._sgResName = name;
    r._folder = folder;
    r._sgPass = password;
    return r;
  }

  std::string data(const QOR::QS_RESOURCE& r) const {
    return std::string(static_cast<const char*>(r._data), r._size);
  }

  std::filesystem::path _startFolder;
  std::string _base;
  std::string _resources;
  std::unique_ptr<QOR::QC_FILE_SYSTEM> _files;
};

}  // namespace qor_test
