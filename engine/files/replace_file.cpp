#include "engine/files/replace_file.h"

#include "engine/files/qc_file_system.h"
#include "engine/files/qc_private_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <random>

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

// True for the suffix of a temporary file: six letters or digits.
bool isTemporarySuffix(const std::string& suffix) {
  if (suffix.size() != 6) return false;
  for (const char c : suffix) {
    if (std::isalnum(static_cast<unsigned char>(c)) == 0) return false;
  }
  return true;
}

// Creates a file no one had in the folder: name + "." + six letters or digits, its mode from the
// umask. The descriptor, or -1 with errno set.
int createTemporary(int folder, const std::string& name, std::string& temporary) {
  std::random_device random;
  std::uniform_int_distribution<int> letter(0, static_cast<int>(sizeof(kSuffixLetters)) - 2);
  for (int attempt = 0; attempt < 64; ++attempt) {
    temporary = name + ".";
    for (int i = 0; i < 6; ++i) temporary += kSuffixLetters[letter(random)];
    const int descriptor =
        ::openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor >= 0 || errno != EEXIST) return descriptor;
  }
  return -1;
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
  mode_t mode = ::fstat(descriptor, &made) == 0 ? made.st_mode & 0666 : 0600;
  struct stat old {};
  if (::fstatat(at, folder.fName().c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode)) {
    mode = old.st_mode & 0666;
  }
  if (!boundBy.empty()) mode &= permissionsOf(at, boundBy);

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
  const std::string prefix = folder.fName() + ".";
  int removed = 0;
  while (const dirent* entry = ::readdir(entries)) {
    const std::string name = entry->d_name;
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
    if (!isTemporarySuffix(name.substr(prefix.size()))) continue;
    struct stat info {};
    if (::fstatat(folder.fDescriptor(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) {
      continue;
    }
    if (::unlinkat(folder.fDescriptor(), name.c_str(), 0) == 0) ++removed;
  }
  ::closedir(entries);
  return removed;
}

}  // namespace QOR
