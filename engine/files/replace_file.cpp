#include "engine/files/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace QOR {

namespace {

// Writes every byte, resuming after interruptions and short writes.
bool writeAll(int descriptor, const char* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(descriptor, bytes, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) {
      errno = EIO;
      return false;
    }
    bytes += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

void (*gPause)(const std::string& temporaryPath) = nullptr;

// The folder of a path ("." for a bare name).
std::string folderOf(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  return folder.empty() ? std::string(".") : folder;
}

// Flushes a folder's entries to the disk; false with errno set on failure.
bool syncFolder(const std::string& folder) {
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return false;
  const bool synced = ::fsync(descriptor) == 0;
  const int cause = errno;
  ::close(descriptor);
  errno = cause;
  return synced;
}

// True for the suffix mkstemp gives: six letters or digits.
bool isTemporarySuffix(const std::string& suffix) {
  if (suffix.size() != 6) return false;
  for (const char c : suffix) {
    if (std::isalnum(static_cast<unsigned char>(c)) == 0) return false;
  }
  return true;
}

}  // namespace

void fSetReplaceFilePause(void (*pause)(const std::string& temporaryPath)) { gPause = pause; }

int fReplaceFile(const std::string& path, const void* data, std::size_t size, std::string& error) {
  // No path is no file: the temporary would land in the working folder.
  if (path.empty()) {
    error = "no path to write to";
    return -1;
  }
  std::string temporary = path + ".XXXXXX";
  const int descriptor = ::mkstemp(temporary.data());
  if (descriptor < 0) {
    error = std::string("cannot create a temporary file beside it: ") + std::strerror(errno);
    return -1;
  }
  // mkstemp makes the file private; the replacement keeps what the old file allowed.
  struct stat old {};
  const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;

  const char* step = "write";
  bool done = writeAll(descriptor, static_cast<const char*>(data), size);
  if (done) {
    step = "set the permissions of";
    done = ::fchmod(descriptor, mode) == 0;
  }
  if (done) {
    step = "flush";
    done = ::fsync(descriptor) == 0;
  }
  const int cause = errno;
  if (::close(descriptor) != 0 && done) {
    step = "close";
    done = false;
  } else {
    errno = cause;
  }
  if (done) {
    if (gPause != nullptr) gPause(temporary);
    step = "rename";
    done = std::rename(temporary.c_str(), path.c_str()) == 0;
  }
  if (!done) {
    error = std::string("cannot ") + step + " the temporary file: " + std::strerror(errno);
    ::unlink(temporary.c_str());
    return -1;
  }
  // The new contents are in place; the folder's entry is flushed too, or a power cut could bring
  // the old name back. A failure here loses nothing the caller can mend, so it is only told.
  if (!syncFolder(folderOf(path))) {
    error = std::string("the folder could not be flushed: ") + std::strerror(errno);
  }
  return 1;
}

int fRemoveReplaceLeftovers(const std::string& path) {
  // An empty path names no file, and its "leftovers" would be any dot file of the working folder.
  if (path.empty()) return 0;
  const std::filesystem::path target(path);
  const std::string prefix = target.filename().string() + ".";
  std::error_code error;
  std::filesystem::directory_iterator entries(folderOf(path), error);
  if (error) return 0;
  int removed = 0;
  for (const std::filesystem::directory_entry& entry : entries) {
    const std::string name = entry.path().filename().string();
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
    if (!isTemporarySuffix(name.substr(prefix.size()))) continue;
    std::error_code kind;
    if (!entry.is_regular_file(kind)) continue;
    if (std::filesystem::remove(entry.path(), kind)) ++removed;
  }
  return removed;
}

}  // namespace QOR
