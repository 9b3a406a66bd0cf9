// Scratch folders for tests, made under the temporary folder and deleted with all they hold: a bare
// one (ScratchDir), and an application folder for one test (ScratchFolder), with a file system over
// it (which makes its Resources folder and enters it) installed as qcFILE_SYSTEM. Removing that
// one puts back the previous file system and current directory and deletes the folder.
#pragma once

#include "engine/files/qc_file_system.h"
#include "engine/service/qc_globals.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace qor_test {

class ScratchDir {
 public:
  ScratchDir() = default;
  ~ScratchDir() { fRemove(); }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // A folder named prefix + six random characters; false when it cannot be made.
  bool fCreate(const std::string& prefix) {
    fRemove();
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) return false;
    _path = pattern;
    return true;
  }
  // Nothing when no folder is held.
  void fRemove() {
    if (_path.empty()) return;
    std::error_code error;
    std::filesystem::remove_all(_path, error);
    _path.clear();
  }
  // Empty when no folder is held.
  const std::filesystem::path& fPath() const { return _path; }

 private:
  std::filesystem::path _path;
};

class ScratchFolder {
 public:
  ScratchFolder() = default;
  ~ScratchFolder() { fRemove(); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // A folder named prefix + six random characters; false when it cannot be made.
  bool fCreate(const std::string& prefix) {
    fRemove();
    _startFolder = std::filesystem::current_path();
    if (!_folder.fCreate(prefix)) return false;
    _base = _folder.fPath().string();
    _savedFiles = QOR::qcFILE_SYSTEM;
    _files = std::make_unique<QOR::QC_FILE_SYSTEM>(_base);
    QOR::qcFILE_SYSTEM = _files.get();
    return true;
  }

  // Nothing when no folder is held.
  void fRemove() {
    if (_base.empty()) return;
    QOR::qcFILE_SYSTEM = _savedFiles;
    _files.reset();
    std::filesystem::current_path(_startFolder);
    _folder.fRemove();
    _base.clear();
  }

  // A file under the Resources folder, its folders made as needed.
  void fWrite(const std::string& relative, const std::string& bytes) const {
    const std::filesystem::path path = std::filesystem::path(fResources()) / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  const std::string& fBase() const { return _base; }
  // The Resources folder with a trailing '/'.
  std::string fResources() const { return _files != nullptr ? _files->fGetResourceDirectory() : std::string(); }
  QOR::QC_FILE_SYSTEM* fFiles() const { return _files.get(); }

 private:
  std::filesystem::path _startFolder;
  ScratchDir _folder;
  std::string _base;
  std::unique_ptr<QOR::QC_FILE_SYSTEM> _files;
  QOR::QC_FILE_SYSTEM* _savedFiles = nullptr;
};

}  // namespace qor_test
