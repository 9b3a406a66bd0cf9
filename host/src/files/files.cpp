// Current directory, folder creation, attributes and file creation on std::filesystem and stdio.
#include "host/src/files/host_paths.h"
#include "host/src/host_internal.h"
#include "host/win_files.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The one handle every successful CreateFileA returns: the file is closed again at once, so the
// handle holds nothing to release.
struct HostFileHandle : HostObject {};
HostFileHandle g_fileHandle;

}  // namespace

DWORD GetCurrentDirectoryA(DWORD bufferLength, char* buffer) {
  std::error_code error;
  const std::string path = fs::current_path(error).string();
  if (error || path.empty()) return 0;
  const DWORD needed = static_cast<DWORD>(path.size() + 1);
  if (buffer == nullptr || bufferLength < needed) return needed;
  std::memcpy(buffer, path.c_str(), needed);
  return needed - 1;
}

BOOL SetCurrentDirectoryA(const char* path) {
  const std::string p = host_detail::fHostPath(path);
  if (p.empty()) return FALSE;
  std::error_code error;
  fs::current_path(p, error);
  return error ? FALSE : TRUE;
}

BOOL CreateDirectoryA(const char* path, SECURITY_ATTRIBUTES* /*security*/) {
  const std::string p = host_detail::fHostPath(path);
  if (p.empty()) return FALSE;
  std::error_code error;
  // create_directory reports false without an error when the folder was there already.
  return fs::create_directory(p, error) && !error ? TRUE : FALSE;
}

DWORD GetFileAttributesA(const char* path) {
  const std::string p = host_detail::fHostPath(path);
  if (p.empty()) return INVALID_FILE_ATTRIBUTES;
  std::error_code error;
  const fs::file_status status = fs::status(p, error);
  if (error || !fs::exists(status)) return INVALID_FILE_ATTRIBUTES;
  return fs::is_directory(status) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
}

HANDLE CreateFileA(const char* path, DWORD access, DWORD /*shareMode*/, SECURITY_ATTRIBUTES* /*security*/,
                   DWORD disposition, DWORD /*flags*/, HANDLE /*templateFile*/) {
  const std::string p = host_detail::fHostPath(path);
  if (p.empty()) return INVALID_HANDLE_VALUE;
  std::error_code error;
  const fs::file_status status = fs::status(p, error);
  const bool exists = !error && fs::exists(status);
  if (exists && fs::is_directory(status)) return INVALID_HANDLE_VALUE;
  const bool writes = (access & GENERIC_WRITE) != 0;
  const char* mode = nullptr;
  switch (disposition) {
    case CREATE_NEW:
      if (exists) return INVALID_HANDLE_VALUE;
      mode = "wb";
      break;
    case CREATE_ALWAYS:
      mode = "wb";
      break;
    case OPEN_EXISTING:
      if (!exists) return INVALID_HANDLE_VALUE;
      mode = writes ? "r+b" : "rb";
      break;
    case OPEN_ALWAYS:
      mode = exists ? (writes ? "r+b" : "rb") : "wb";
      break;
    default:
      return INVALID_HANDLE_VALUE;
  }
  std::FILE* file = std::fopen(p.c_str(), mode);
  if (file == nullptr) return INVALID_HANDLE_VALUE;
  std::fclose(file);
  return &g_fileHandle;
}
