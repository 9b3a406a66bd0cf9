// Reading opens that never block: a look at the path first (a device is never opened at all),
// then an open that does not wait, checked on the descriptor it gave; in a private folder a link
// another user owns is never followed.
#include "host/regular_files.h"

#include "host/private_files.h"
#include "host/src/files/host_paths.h"
#include "host/test_doors.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace {
std::atomic<void (*)(const char*)> g_openPause{nullptr};
}  // namespace

namespace host_test {
void fSetRegularOpenPause(void (*pause)(const char* path)) { g_openPause.store(pause); }
}  // namespace host_test

namespace host_files {

namespace {

QE_FOUND kindOf(const struct stat& info) {
  if (S_ISREG(info.st_mode)) return QE_FOUND::kFile;
  return S_ISDIR(info.st_mode) ? QE_FOUND::kFolder : QE_FOUND::kOtherKind;
}

void refuse(QE_FOUND why, QE_FOUND* found) {
  if (found != nullptr) *found = why;
}

}  // namespace

namespace {

// Opens name in the folder at (AT_FDCWD for a path) for reading when it is a regular file; a link
// is followed when anyLink is set, or when the user owns it.
std::FILE* openRegular(int at, const std::string& name, bool anyLink, QE_FOUND* found, std::uint64_t* size) {
  if (size != nullptr) *size = 0;
  struct stat info {};
  if (name.empty() || ::fstatat(at, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
    refuse(errno == EACCES ? QE_FOUND::kUnopened : QE_FOUND::kMissing, found);
    return nullptr;
  }
  const bool link = S_ISLNK(info.st_mode);
  if (link && !anyLink && !isOwnUser(info.st_uid)) {
    refuse(QE_FOUND::kForeignLink, found);
    return nullptr;
  }
  if (link && ::fstatat(at, name.c_str(), &info, 0) != 0) {
    refuse(errno == EACCES || errno == ELOOP ? QE_FOUND::kUnopened : QE_FOUND::kMissing, found);
    return nullptr;
  }
  if (kindOf(info) != QE_FOUND::kFile) {
    refuse(kindOf(info), found);
    return nullptr;
  }
  if (void (*pause)(const char*) = g_openPause.load(); pause != nullptr) pause(name.c_str());
  // A link put in the file's place after the look is followed only where any link is.
  const int follow = link || anyLink ? 0 : O_NOFOLLOW;
  const int descriptor = ::openat(at, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | follow);
  if (descriptor < 0) {
    refuse(errno == ENOENT ? QE_FOUND::kMissing : QE_FOUND::kUnopened, found);
    return nullptr;
  }
  // The path may name something else by now: what counts is what was opened.
  const QE_FOUND kind = ::fstat(descriptor, &info) == 0 ? kindOf(info) : QE_FOUND::kUnopened;
  const int flags = ::fcntl(descriptor, F_GETFL);
  // Reads then wait for data as any file's do.
  if (kind != QE_FOUND::kFile || flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    ::close(descriptor);
    refuse(kind != QE_FOUND::kFile ? kind : QE_FOUND::kUnopened, found);
    return nullptr;
  }
  std::FILE* stream = ::fdopen(descriptor, "rb");
  if (stream == nullptr) {
    ::close(descriptor);
    refuse(QE_FOUND::kUnopened, found);
    return nullptr;
  }
  if (found != nullptr) *found = QE_FOUND::kFile;
  if (size != nullptr) *size = static_cast<std::uint64_t>(info.st_size);
  return stream;
}

// The whole regular file, up to limit bytes and one more.
QE_FOUND readWhole(std::FILE* stream, QE_FOUND found, std::string& bytes, std::uint64_t limit) {
  bytes.clear();
  if (stream == nullptr) return found;
  char chunk[16384];
  for (std::size_t n; bytes.size() <= limit && (n = std::fread(chunk, 1, sizeof(chunk), stream)) > 0;) {
    bytes.append(chunk, n);
  }
  const bool failed = std::ferror(stream) != 0;
  std::fclose(stream);
  found = failed ? QE_FOUND::kReadError : bytes.size() > limit ? QE_FOUND::kTooLarge : QE_FOUND::kFile;
  if (found != QE_FOUND::kFile) std::string().swap(bytes);
  return found;
}

}  // namespace

std::FILE* fOpenRegularFile(const char* path, QE_FOUND* found, std::uint64_t* size) {
  return openRegular(AT_FDCWD, host_detail::fHostPath(path), true, found, size);
}

std::FILE* fOpenRegularFileIn(int folder, const char* name, QE_FOUND* found, std::uint64_t* size) {
  return openRegular(folder, host_detail::fHostPath(name), false, found, size);
}

QE_FOUND fReadRegularFile(const char* path, std::string& bytes, std::uint64_t limit) {
  QE_FOUND found = QE_FOUND::kUnopened;
  std::FILE* stream = fOpenRegularFile(path, &found);
  return readWhole(stream, found, bytes, limit);
}

QE_FOUND fReadRegularFileIn(int folder, const char* name, std::string& bytes, std::uint64_t limit) {
  QE_FOUND found = QE_FOUND::kUnopened;
  std::FILE* stream = fOpenRegularFileIn(folder, name, &found);
  return readWhole(stream, found, bytes, limit);
}

const char* fDescribe(QE_FOUND found) {
  switch (found) {
    case QE_FOUND::kFile:
      return "read";
    case QE_FOUND::kMissing:
      return "missing";
    case QE_FOUND::kFolder:
      return "a folder";
    case QE_FOUND::kOtherKind:
      return "not a regular file";
    case QE_FOUND::kTooLarge:
      return "too large";
    case QE_FOUND::kReadError:
      return "read error";
    case QE_FOUND::kForeignLink:
      return "a link another user owns";
    case QE_FOUND::kUnopened:
      break;
  }
  return "cannot be opened";
}

}  // namespace host_files
