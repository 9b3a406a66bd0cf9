// Current directory, the program's path, folder creation, attributes and file creation on
// std::filesystem and POSIX.
#include "host/private_files.h"
#include "host/src/files/host_paths.h"
#include "host/src/host_internal.h"
#include "host/win_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
  if (module != nullptr || buffer == nullptr || size == 0) return 0;
  std::error_code error;
  const std::string path = fs::read_symlink("/proc/self/exe", error).string();
  if (error || path.empty()) return 0;
  const std::size_t length = std::min<std::size_t>(path.size(), size - 1);
  std::memcpy(buffer, path.data(), length);
  buffer[length] = '\0';
  return length < path.size() ? size : static_cast<DWORD>(length);
}

BOOL CreateDirectoryA(const char* path, SECURITY_ATTRIBUTES* /*security*/) {
  const std::string p = host_detail::fHostPath(path);
  if (p.empty()) return FALSE;
  // As a folder of the user's profile is: writable by its maker alone, whatever the umask.
  return host_files::fMakeOwnFolder(AT_FDCWD, p.c_str()) ? TRUE : FALSE;
}

DWORD GetFileAttributesA(const char* path) {
  const std::string p = host_detail::fHostPath(path);
  if (p.empty()) return INVALID_FILE_ATTRIBUTES;
  std::error_code error;
  const fs::file_status status = fs::status(p, error);
  if (error || !fs::exists(status)) return INVALID_FILE_ATTRIBUTES;
  if (fs::is_directory(status)) return FILE_ATTRIBUTE_DIRECTORY;
  return fs::is_regular_file(status) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_DEVICE;
}

HANDLE CreateFileA(const char* path, DWORD access, DWORD /*shareMode*/, SECURITY_ATTRIBUTES* /*security*/,
                   DWORD disposition, DWORD /*flags*/, HANDLE /*templateFile*/) {
  const std::string p = host_detail::fHostPath(path);
  if (p.empty()) return INVALID_HANDLE_VALUE;
  std::error_code error;
  const fs::file_status status = fs::status(p, error);
  const bool exists = !error && fs::exists(status);
  // Only regular files: a folder cannot be one, and a pipe or device would hold the open.
  if (exists && !fs::is_regular_file(status)) return INVALID_HANDLE_VALUE;
  const int update = (access & GENERIC_WRITE) != 0 ? O_RDWR : O_RDONLY;
  int mode = 0;
  switch (disposition) {
    case CREATE_NEW:
      mode = O_WRONLY | O_CREAT | O_EXCL;
      break;
    case CREATE_ALWAYS:
      mode = O_WRONLY | O_CREAT | O_TRUNC;
      break;
    case OPEN_EXISTING:
      if (!exists) return INVALID_HANDLE_VALUE;
      mode = update;
      break;
    case OPEN_ALWAYS:
      mode = exists ? update : O_WRONLY | O_CREAT;
      break;
    default:
      return INVALID_HANDLE_VALUE;
  }
  // The open never waits, and what it opened must still be a regular file.
  const int descriptor = ::open(p.c_str(), mode | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (descriptor < 0) return INVALID_HANDLE_VALUE;
  struct stat info {};
  const bool regular = ::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode);
  ::close(descriptor);
  return regular ? &g_fileHandle : INVALID_HANDLE_VALUE;
}
