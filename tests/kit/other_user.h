// Another local user for tests of files within their reach. Run as root (as the suite runs in CI),
// the other user is real: a child process that drops to nobody (65534). Otherwise the child runs
// as this user, whose files then count as another user's for the rest of the test (the stand-in's
// door), so the ownership rules are tried either way.
#pragma once

#include "host/test_doors.h"

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace qor_test {

class OtherUser {
 public:
  static constexpr unsigned kNobody = 65534;
  // The other user's own group (nogroup, nobody's primary group): a group that holds another user.
  static constexpr unsigned kNobodyGroup = 65534;
  // A group whose member list names a user other than this one, or -1 when no group's does.
  static long fGroupListingAnotherUser() {
    const passwd* own = ::getpwuid(::geteuid());
    const std::string name = own != nullptr ? own->pw_name : "";
    long found = -1;
    ::setgrent();
    for (const group* entry = ::getgrent(); entry != nullptr && found < 0; entry = ::getgrent()) {
      for (char* const* member = entry->gr_mem; *member != nullptr; ++member) {
        if (name != *member) found = entry->gr_gid;
      }
    }
    ::endgrent();
    return found;
  }
  ~OtherUser() { host_test::fSetOwnUser(-1); }

  // True when the other user is a real one (the tests run as root).
  static bool isReal() { return ::geteuid() == 0; }
  // Runs body as the other user in a child process: its exit code, or -1 when it did not end.
  int fRun(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
      if (isReal() && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(100);
      ::_exit(body());
    }
    int status = 0;
    const bool ended = child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status);
    if (!isReal()) host_test::fSetOwnUser(static_cast<long>(::getuid()) + 1);
    return ended ? WEXITSTATUS(status) : -1;
  }
};

}  // namespace qor_test
