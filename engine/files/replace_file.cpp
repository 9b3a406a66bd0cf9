#include "engine/files/replace_file.h"

#include "engine/files/qc_file_system.h"
#include "engine/files/qc_private_folder.h"
#include "host/private_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>
#include <string_view>

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

constexpr char kSuffixLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// A temporary file's name: the target's name, then kMark, kRandomLetters letters or digits and
// kEnd. No person names a copy so, and the name says what made it. A target whose name leaves no
// room below the longest file name is cut short, never inside a UTF-8 character.
constexpr std::string_view kMark = ".~save-";
constexpr std::string_view kEnd = ".tmp";
constexpr std::size_t kRandomLetters = 6;
constexpr std::size_t kLongestFileName = 255;

std::string temporaryStem(const std::string& name) {
  const std::size_t room = kLongestFileName - kMark.size() - kRandomLetters - kEnd.size();
  if (name.size() <= room) return name;
  std::size_t cut = room;
  while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  return name.substr(0, cut);
}

bool isSuffixLetter(char c) { return c != '\0' && std::strchr(kSuffixLetters, c) != nullptr; }

// True when entry is the name of a temporary file that a replacement of the file name makes.
bool isTemporaryOf(const std::string& entry, const std::string& name) {
  const std::string start = temporaryStem(name).append(kMark);
  if (entry.size() != start.size() + kRandomLetters + kEnd.size() || entry.compare(0, start.size(), start) != 0 ||
      entry.compare(entry.size() - kEnd.size(), kEnd.size(), kEnd) != 0) {
    return false;
  }
  const auto letters = entry.begin() + static_cast<std::ptrdiff_t>(start.size());
  return std::all_of(letters, letters + kRandomLetters, isSuffixLetter);
}

// Creates a file no one had in the folder, named for name as isTemporaryOf knows it, its mode
// from the umask. The descriptor, or -1 with errno set.
int createTemporary(int folder, const std::string& name, std::string& temporary) {
  std::random_device random;
  std::uniform_int_distribution<int> letter(0, static_cast<int>(sizeof(kSuffixLetters)) - 2);
  for (int attempt = 0; attempt < 64; ++attempt) {
    temporary = temporaryStem(name).append(kMark);
    for (std::size_t i = 0; i < kRandomLetters; ++i) temporary += kSuffixLetters[letter(random)];
    temporary.append(kEnd);
    const int descriptor =
        ::openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor >= 0 || errno != EEXIST) return descriptor;
  }
  return -1;
}

int gModeError = 0;

// Gives the new file its mode. A file system that keeps no modes (FAT through FUSE) refuses the
// change as unsupported, or as not permitted on the user's own file: the file then keeps the mode
// it gives, and the save goes on. False, with errno set, for any other failure.
bool setMode(int descriptor, mode_t mode, const struct stat& made) {
  errno = gModeError;
  if (gModeError == 0 && ::fchmod(descriptor, mode) == 0) return true;
  const int error = errno;
  if (error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP || (error == EPERM && made.st_uid == ::geteuid())) {
    return true;
  }
  errno = error;
  return false;
}

// The read and write permissions of the regular file at name in the folder, or all of them.
mode_t permissionsOf(int folder, const std::string& name) {
  struct stat info {};
  if (name.empty() || ::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) {
    return 0666;
  }
  return info.st_mode & 0666;
}

}  // namespace

void fSetReplaceFilePause(void (*pause)(const std::string& temporaryPath)) { gPause = pause; }

void fSetReplaceFileModeError(int error) { gModeError = error; }

int fReplaceFile(const std::string& path, const void* data, std::size_t size, std::string& error,
                 const std::string& boundBy) {
  // No path is no file: the temporary would land in the working folder.
  if (path.empty()) {
    error = "no path to write to";
    return -1;
  }
  const QC_PRIVATE_FOLDER folder(path, false);
  if (folder.fResult() != 1 || folder.fName().empty()) {
    const bool notPrivate = folder.fResult() == QC_FILE_SYSTEM::kNotPrivate;
    error = folder.fName().empty() ? "no file name in the path"
            : notPrivate           ? folder.fCause()
                                   : "cannot create a temporary file beside it: " + folder.fCause();
    return -1;
  }
  const int at = folder.fDescriptor();
  std::string temporary;
  const int descriptor = createTemporary(at, folder.fName(), temporary);
  if (descriptor < 0) {
    error = std::string("cannot create a temporary file beside it: ") + std::strerror(errno);
    return -1;
  }
  // A new file's permissions are the umask's; a replacement keeps the old file's.
  struct stat made {};
  if (::fstat(descriptor, &made) != 0) {
    made.st_mode = 0600;
    made.st_uid = static_cast<uid_t>(-1);
  }
  mode_t mode = made.st_mode & 0666;
  struct stat old {};
  if (::fstatat(at, folder.fName().c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode)) {
    mode = old.st_mode & 0666;
  }
  if (!boundBy.empty()) mode &= permissionsOf(at, boundBy);

  const char* step = "write";
  bool done = writeAll(descriptor, static_cast<const char*>(data), size);
  if (done) {
    step = "set the permissions of";
    done = setMode(descriptor, mode, made);
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
    if (gPause != nullptr) gPause(folder.fFolder() + "/" + temporary);
    step = "rename";
    done = ::renameat(at, temporary.c_str(), at, folder.fName().c_str()) == 0;
  }
  if (!done) {
    error = std::string("cannot ") + step + " the temporary file: " + std::strerror(errno);
    ::unlinkat(at, temporary.c_str(), 0);
    return -1;
  }
  // The new contents are in place; the folder's entry is flushed too, or a power cut could bring
  // the old name back. A failure here loses nothing the caller can mend, so it is only told.
  if (::fsync(at) != 0) error = std::string("the folder could not be flushed: ") + std::strerror(errno);
  return 1;
}

int fRemoveReplaceLeftovers(const std::string& path) {
  // An empty path names no file, and its "leftovers" would be any dot file of the working folder.
  if (path.empty()) return 0;
  const QC_PRIVATE_FOLDER folder(path, false);
  if (folder.fResult() != 1 || folder.fName().empty()) return 0;
  const int copy = ::fcntl(folder.fDescriptor(), F_DUPFD_CLOEXEC, 0);
  DIR* entries = copy >= 0 ? ::fdopendir(copy) : nullptr;
  if (entries == nullptr) {
    if (copy >= 0) ::close(copy);
    return 0;
  }
  int removed = 0;
  while (const dirent* entry = ::readdir(entries)) {
    const std::string name = entry->d_name;
    if (!isTemporaryOf(name, folder.fName())) continue;
    struct stat info {};
    if (::fstatat(folder.fDescriptor(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode) ||
        !host_files::isOwnUser(info.st_uid)) {
      continue;
    }
    if (::unlinkat(folder.fDescriptor(), name.c_str(), 0) == 0) ++removed;
  }
  ::closedir(entries);
  return removed;
}

}  // namespace QOR
