#include "engine/files/qc_file_system.h"

#include "engine/service/qc_callback.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/util/text_utils.h"
#include "host/win_files.h"
#include "host/win_shell.h"
#include "host/win_system.h"

#include <cstring>
#include <string>

namespace QOR {

QC_FILE_SYSTEM* qcFileSystemInstance = nullptr;

QC_FILE_SYSTEM* QC_FILE_SYSTEM::fGetInstance() {
  static QC_FILE_SYSTEM instance;
  return &instance;
}

namespace {

// The folder as the file system keeps it: '/' separators, one trailing '/'.
std::string asFolder(std::string folder) {
  fReplaceBackslashes(folder);
  while (!folder.empty() && folder.back() == '/') folder.pop_back();
  return folder + "/";
}

// The process's current directory with '/' separators. Asked for its size first, so a deep
// directory is never cut or left stale.
std::string currentFolder() {
  const DWORD needed = GetCurrentDirectoryA(0, nullptr);
  std::string path(needed, '\0');
  const DWORD length = needed > 0 ? GetCurrentDirectoryA(needed, path.data()) : 0;
  path.resize(length < needed ? length : 0);
  fReplaceBackslashes(path);
  return path;
}

// The folder that holds the running program, with '/' separators; empty when it is unknown.
std::string programFolder() {
  std::string path(256, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::string();
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  fReplaceBackslashes(path);
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

QC_FILE_SYSTEM::QC_FILE_SYSTEM() : QC_FILE_SYSTEM(currentFolder(), programFolder()) {}

QC_FILE_SYSTEM::QC_FILE_SYSTEM(const std::string& appFolder) {
  _lookedIn.push_back(asFolder(appFolder));
  fSetUp(_lookedIn.front());
}

QC_FILE_SYSTEM::QC_FILE_SYSTEM(const std::string& workingFolder, const std::string& programFolder) {
  const std::string working = asFolder(workingFolder.empty() ? programFolder : workingFolder);
  _lookedIn.push_back(working);
  const std::string program = programFolder.empty() ? working : asFolder(programFolder);
  if (program != working) _lookedIn.push_back(program);
  // The working folder when it holds Resources, else the program's own folder: a start from
  // another folder neither misses the data nor leaves a Resources folder behind there.
  const bool inWorking = fGetPathType(working + "Resources") == 2;
  if (!inWorking && program != working) {
    fLog("No Resources in the working folder " + working + ": the game's data is looked for in " + program);
  }
  fSetUp(inWorking ? working : program);
}

QC_FILE_SYSTEM::~QC_FILE_SYSTEM() {
  if (qcFileSystemInstance == this) qcFileSystemInstance = nullptr;
}

void QC_FILE_SYSTEM::fSetUp(const std::string& appFolder) {
  _appFolder = appFolder;
  _resourceFolder = appFolder + "Resources/";
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
  _currentFolder = currentFolder();
  return _currentFolder;
}

bool QC_FILE_SYSTEM::fSetCurrentDirectory(const std::string& path) {
  SetCurrentDirectoryA(path.c_str());
  _currentFolder = path;
  return false;
}

std::string QC_FILE_SYSTEM::fFindDocumentsFolder() {
  char buffer[kLongestDocumentsPath + 1];
  ITEMIDLIST* list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &list)) || list == nullptr) return std::string();
  // The buffer's own size: a folder as long as it can hold is found, a longer one passed over.
  const BOOL named = SHGetPathFromIDListEx(list, buffer, sizeof(buffer), 0);
  ILFree(list);
  return named ? std::string(buffer) : std::string();
}

const char* QC_FILE_SYSTEM::fGetDocumentsPath() {
  static char buffer[kLongestDocumentsPath + 1];
  const std::string folder = fFindDocumentsFolder();
  if (folder.empty() || folder.size() >= sizeof(buffer)) return nullptr;
  std::memcpy(buffer, folder.c_str(), folder.size() + 1);
  return buffer;
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
