// Private folders, opened one folder at a time from descriptors.
#include "host/private_files.h"

#include "host/src/files/host_paths.h"
#include "host/test_doors.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::atomic<long> g_ownUser{-1};

// The folders of a chain, in order ("" and "." are no folder).
std::vector<std::string> folderNames(const std::string& chain) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= chain.size()) {
    const std::size_t end = std::min(chain.find('/', start), chain.size());
    const std::string name = chain.substr(start, end - start);
    if (!name.empty() && name != ".") names.push_back(name);
    start = end + 1;
  }
  return names;
}

// The user whose files count as the process's own (the test door's, when set).
uid_t playerUser() {
  const long forced = g_ownUser.load();
  return forced >= 0 ? static_cast<uid_t>(forced) : ::geteuid();
}

// Calls lookup with a buffer for the account databases' _r calls, grown while it is too small; the
// call's result.
template <typename LOOKUP>
int withBuffer(const LOOKUP& lookup) {
  std::vector<char> buffer(16384);
  int result = lookup(buffer.data(), buffer.size());
  while (result == ERANGE && buffer.size() < (std::size_t{1} << 24)) {
    buffer.resize(buffer.size() * 2);
    result = lookup(buffer.data(), buffer.size());
  }
  return result;
}

// True when the group holds no user but the player: its member list names no one else and no
// other account has it as its primary group (a user-private group, as Debian gives each user; the
// same test Debian's OpenSSH makes of a group-writable home). A group that is not found holds
// anyone.
bool holdsOnlyThePlayer(gid_t group) {
  const uid_t player = playerUser();
  std::string name;
  withBuffer([&](char* buffer, std::size_t size) {
    passwd entry {};
    passwd* found = nullptr;
    const int result = ::getpwuid_r(player, &entry, buffer, size, &found);
    if (result == 0 && found != nullptr) name = found->pw_name;
    return result;
  });
  bool alone = false;
  withBuffer([&](char* buffer, std::size_t size) {
    ::group entry {};
    ::group* found = nullptr;
    const int result = ::getgrgid_r(group, &entry, buffer, size, &found);
    if (result != 0 || found == nullptr) return result;
    alone = true;
    for (char** member = found->gr_mem; member != nullptr && *member != nullptr; ++member) {
      if (name.empty() || name != *member) alone = false;
    }
    return 0;
  });
  if (!alone) return false;
  ::setpwent();
  withBuffer([&](char* buffer, std::size_t size) {
    passwd entry {};
    passwd* found = nullptr;
    int result = 0;
    while ((result = ::getpwent_r(&entry, buffer, size, &found)) == 0 && found != nullptr) {
      if (found->pw_gid == group && found->pw_uid != player) alone = false;
    }
    return result;
  });
  ::endpwent();
  return alone;
}

// A path as one word of a shell command, in single quotes.
std::string shellQuoted(const std::string& path) {
  std::string quoted = "'";
  for (const char c : path) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Why the open folder is not private; empty when it is. A folder others can write to is told with
// the command that makes it the user's alone.
std::string whyNotPrivate(int folder, const std::string& path) {
  struct stat info {};
  if (::fstat(folder, &info) != 0) return path + ": " + std::strerror(errno);
  if (!host_files::isOwnUser(info.st_uid)) return path + " belongs to another user";
  if (!host_files::isPrivateMode(info.st_mode, info.st_gid)) {
    return "other users can write to " + path + "; run chmod go-w " + shellQuoted(path) + " to mend it";
  }
  return std::string();
}

// Opens name in the open folder at as a folder; a link there is followed only when the user owns
// it (foreignLink is set for one another user owns). -1 with errno set on failure.
int openFolder(int at, const char* name, bool& foreignLink) {
  foreignLink = false;
  const int folder = ::openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (folder >= 0 || (errno != ELOOP && errno != ENOTDIR)) return folder;
  const int error = errno;
  struct stat link {};
  if (::fstatat(at, name, &link, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISLNK(link.st_mode)) {
    errno = error;
    return -1;
  }
  if (!host_files::isOwnUser(link.st_uid)) {
    foreignLink = true;
    errno = ELOOP;
    return -1;
  }
  return ::openat(at, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// Opens the base folder, making its missing folders first when asked.
int openBase(const std::string& base, bool make) {
  int folder = ::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0 || errno != ENOENT || !make) return folder;
  for (std::size_t slash = base.find('/', 1); slash != std::string::npos; slash = base.find('/', slash + 1)) {
    host_files::fMakeOwnFolder(AT_FDCWD, base.substr(0, slash).c_str());
  }
  if (!host_files::fMakeOwnFolder(AT_FDCWD, base.c_str()) && errno != EEXIST) return -1;
  return ::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

}  // namespace

namespace host_test {
void fSetOwnUser(long user) { g_ownUser.store(user); }
}  // namespace host_test

namespace host_files {

bool isOwnUser(unsigned owner) { return owner == 0 || owner == playerUser(); }

bool isPrivateMode(unsigned mode, unsigned group) {
  // Anyone may write where others can, sticky or not.
  if ((mode & S_IWOTH) != 0) return false;
  return (mode & S_IWGRP) == 0 || holdsOnlyThePlayer(static_cast<gid_t>(group));
}

bool fMakeOwnFolder(int at, const char* name) {
  // Never writable by others; readable by them only as far as the umask allows.
  if (::mkdirat(at, name, 0755) != 0) return false;
  // A umask that takes the user's own rights would leave a folder its maker cannot use.
  struct stat info {};
  if (::fstatat(at, name, &info, AT_SYMLINK_NOFOLLOW) == 0 && (info.st_mode & S_IRWXU) != S_IRWXU) {
    ::fchmodat(at, name, (info.st_mode & 0755) | S_IRWXU, AT_SYMLINK_NOFOLLOW);
  }
  return true;
}

QE_FOLDER fOpenPrivateFolder(const char* base, const char* chain, bool make, int* folder, std::string* cause) {
  *folder = -1;
  const auto fail = [cause](QE_FOLDER result, const std::string& why) {
    if (cause != nullptr) *cause = why;
    return result;
  };
  std::string path = host_detail::fHostPath(base);
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  if (path.empty()) path.push_back('.');
  const auto unusable = [](int error) {
    return error == ENOENT || error == ENOTDIR ? QE_FOLDER::kMissing : QE_FOLDER::kUnusable;
  };
  int at = openBase(path, make);
  if (at < 0) return fail(unusable(errno), path + ": " + std::strerror(errno));
  const std::vector<std::string> names = folderNames(host_detail::fHostPath(chain));
  if (names.empty()) {
    const std::string why = whyNotPrivate(at, path);
    if (!why.empty()) {
      ::close(at);
      return fail(QE_FOLDER::kNotPrivate, why);
    }
  }
  for (const std::string& name : names) {
    if (path != "/") path += '/';
    path += name;
    bool foreignLink = false;
    int next = openFolder(at, name.c_str(), foreignLink);
    if (next < 0 && errno == ENOENT && make && (fMakeOwnFolder(at, name.c_str()) || errno == EEXIST)) {
      next = openFolder(at, name.c_str(), foreignLink);
    }
    const int error = errno;
    ::close(at);
    if (foreignLink) return fail(QE_FOLDER::kNotPrivate, path + " is a link another user owns");
    if (next < 0) return fail(unusable(error), path + ": " + std::strerror(error));
    const std::string why = whyNotPrivate(next, path);
    if (!why.empty()) {
      ::close(next);
      return fail(QE_FOLDER::kNotPrivate, why);
    }
    at = next;
  }
  *folder = at;
  return QE_FOLDER::kPrivate;
}

void fCloseFolder(int folder) {
  if (folder >= 0) ::close(folder);
}

}  // namespace host_files
