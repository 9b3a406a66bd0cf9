// Advisory file locks: flock on a descriptor of the stand-in's own, so the lock goes with the open
// file and the system releases it when the process ends.
#include "host/file_lock.h"

#include "host/private_files.h"
#include "host/src/files/host_paths.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace host_files {

QE_LOCK fTakeFileLock(int folder, const char* name, int* handle, std::string* cause) {
  const auto unavailable = [cause](const std::string& why) {
    if (cause != nullptr) *cause = why;
    return QE_LOCK::kUnavailable;
  };
  if (handle != nullptr) *handle = -1;
  const std::string file = host_detail::fHostPath(name);
  // Read-only is enough for a lock, so a file left in a folder that became read-only still
  // serves; the open never waits (a pipe put at the path) and the descriptor is not inherited.
  // A link is followed only when the user owns it: one another user planted would make the file
  // where it points. One put there after this look is never followed.
  struct stat entry {};
  const bool link = ::fstatat(folder, file.c_str(), &entry, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(entry.st_mode);
  if (link && !isOwnUser(entry.st_uid)) return unavailable("a link another user owns");
  const int descriptor = ::openat(folder, file.c_str(), O_RDONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC |
                                                            (link ? 0 : O_NOFOLLOW),
                                  0666);
  if (descriptor < 0) return unavailable(std::strerror(errno));
  struct stat info {};
  if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(descriptor);
    return unavailable("not a regular file");
  }
  if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(descriptor);
    if (error == EWOULDBLOCK) return QE_LOCK::kHeldElsewhere;
    return unavailable(std::strerror(error));
  }
  if (handle != nullptr) *handle = descriptor;
  return QE_LOCK::kTaken;
}

void fReleaseFileLock(int handle) {
  if (handle >= 0) ::close(handle);
}

}  // namespace host_files
