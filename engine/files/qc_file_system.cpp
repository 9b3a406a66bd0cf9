#include "engine/files/qc_file_system.h"

#include "engine/service/qc_callback.h"
#include "engine/service/qc_globals.h"

#include <filesystem>
#include <system_error>

namespace QOR {

namespace fs = std::filesystem;

QC_FILE_SYSTEM* qcFileSystemInstance = nullptr;

namespace {
void toSlashes(std::string& path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
}
}  // namespace

QC_FILE_SYSTEM* QC_FILE_SYSTEM::fGetInstance() {
  static QC_FILE_SYSTEM instance;
  return &instance;
}

QC_FILE_SYSTEM::QC_FILE_SYSTEM() {
  _appFolder = fGetCurrentDirectory();
  _resourceFolder = _appFolder;
  _appFolder += "/";
  _resourceFolder += "/Resources/";
  toSlashes(_appFolder);
  toSlashes(_resourceFolder);
  if (fGetPathType(_resourceFolder) == 0) {
    if (!fCreateDirectory(_resourceFolder)) qcLastError = "Cant create \"Resources\" directory";
    fInvokeCallback(qcOnResourceError, 0);
  }
  _currentFolder = _appFolder;
  fSetCurrentDirectory(_resourceFolder);
  qcFileSystemInstance = this;
}

std::string QC_FILE_SYSTEM::fGetCurrentDirectory() {
  std::error_code error;
  std::string path = fs::current_path(error).string();
  toSlashes(path);
  _currentFolder = path;
  return path;
}

bool QC_FILE_SYSTEM::fSetCurrentDirectory(const std::string& path) {
  std::string p = path;
  toSlashes(p);
  std::error_code error;
  fs::current_path(p, error);
  _currentFolder = p;
  return false;
}

int QC_FILE_SYSTEM::fGetPathType(const std::string& path) const {
  std::string p = path;
  toSlashes(p);
  std::error_code error;
  const fs::file_status status = fs::status(p, error);
  if (error || !fs::exists(status)) return 0;
  return fs::is_directory(status) ? 2 : 1;
}

bool QC_FILE_SYSTEM::fCreateDirectory(const std::string& path) {
  std::string p = path;
  toSlashes(p);
  std::error_code error;
  fs::create_directories(p, error);
  return !error && fs::is_directory(p, error);
}

}  // namespace QOR
