#include "engine/files/qc_file_system.h"

#include "engine/service/qc_callback.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/util/text_utils.h"
#include "host/win_files.h"
#include "host/win_shell.h"
#include "host/win_system.h"

#include <string>

namespace QOR {

QC_FILE_SYSTEM* qcFileSystemInstance = nullptr;

QC_FILE_SYSTEM* QC_FILE_SYSTEM::fGetInstance() {
  static QC_FILE_SYSTEM instance;
  return &instance;
}

QC_FILE_SYSTEM::QC_FILE_SYSTEM() { fSetUp(fGetCurrentDirectory()); }

QC_FILE_SYSTEM::QC_FILE_SYSTEM(const std::string& appFolder) {
  std::string base = appFolder;
  fReplaceBackslashes(base);
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  fSetUp(base);
}

QC_FILE_SYSTEM::~QC_FILE_SYSTEM() {
  if (qcFileSystemInstance == this) qcFileSystemInstance = nullptr;
}

void QC_FILE_SYSTEM::fSetUp(const std::string& appFolder) {
  _appFolder = appFolder + "/";
  _resourceFolder = appFolder + "/Resources/";
  fReplaceBackslashes(_appFolder);
  fReplaceBackslashes(_resourceFolder);
  if (fGetPathType(_resourceFolder) == 0) {
    if (!fCreateDirectory(_resourceFolder)) {
      qcLastError = "Cant create \"Resources\" directory";
      fLog(qcLastError + " " + _resourceFolder);
    }
    fInvokeCallback(qcOnResourceError, 0);
  }
  _currentFolder = _appFolder;
  fSetCurrentDirectory(_resourceFolder);
  qcFileSystemInstance = this;
}

const std::string& QC_FILE_SYSTEM::fGetCurrentDirectory() {
  // Asked for its size first, so a deep directory is never cut or left stale.
  const DWORD needed = GetCurrentDirectoryA(0, nullptr);
  std::string path(needed, '\0');
  const DWORD length = needed > 0 ? GetCurrentDirectoryA(needed, path.data()) : 0;
  path.resize(length < needed ? length : 0);
  fReplaceBackslashes(path);
  _currentFolder = path;
  return _currentFolder;
}

bool QC_FILE_SYSTEM::fSetCurrentDirectory(const std::string& path) {
  SetCurrentDirectoryA(path.c_str());
  _currentFolder = path;
  return false;
}

const char* QC_FILE_SYSTEM::fGetDocumentsPath() {
  static char buffer[kLongestDocumentsPath + 1];
  ITEMIDLIST* list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &list)) || list == nullptr) return nullptr;
  // The buffer's own size: a folder as long as it can hold is found, a longer one passed over.
  const BOOL named = SHGetPathFromIDListEx(list, buffer, sizeof(buffer), 0);
  ILFree(list);
  return named ? buffer : nullptr;
}

int QC_FILE_SYSTEM::fGetPathType(const std::string& path) const {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return 2;
  return (attributes & FILE_ATTRIBUTE_DEVICE) != 0 ? 3 : 1;
}

bool QC_FILE_SYSTEM::fCreateDirectory(const std::string& path) {
  if (fGetPathType(path) != 0) return true;
  std::string chain = path;
  fReplaceBackslashes(chain);
  bool created = true;
  std::string prefix;
  for (const std::string& piece : fSplitString(chain, '/', false)) {
    prefix += piece;
    fLog("forCreate.c_str()= " + prefix);
    if (fGetPathType(prefix) == 0 && !CreateDirectoryA(prefix.c_str(), nullptr)) created = false;
  }
  return created;
}

bool QC_FILE_SYSTEM::fCreateFile(const std::string& path) {
  std::string full = path;
  fReplaceBackslashes(full);
  const std::size_t slash = full.rfind('/');
  if (slash == std::string::npos) return false;
  const std::string fileName = full.substr(slash + 1);
  const std::string folder = full.substr(0, slash);
  fLog("path: " + folder);
  fLog("file: " + fileName);
  fLog("fileName: " + path);
  fCreateDirectory(folder);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

bool QC_FILE_SYSTEM::fDeleteFile(const std::string& /*path*/) { return false; }

}  // namespace QOR
