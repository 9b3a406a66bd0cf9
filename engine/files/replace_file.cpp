#include "engine/files/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

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

}  // namespace

void fSetReplaceFilePause(void (*pause)(const std::string& temporaryPath)) { gPause = pause; }

int fReplaceFile(const std::string& path, const void* data, std::size_t size, std::string& error) {
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
  return 1;
}

}  // namespace QOR
