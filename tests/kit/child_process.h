// A program run as a child process whose output (standard output and error together) is read
// while it runs, so a test can wait for a log line, signal the child and collect how it ended.
// Every wait has an upper bound; a child still running when the object goes is killed.
#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace qor_test {

class ChildProcess {
 public:
  using Clock = std::chrono::steady_clock;

  ChildProcess() = default;
  ~ChildProcess() {
    if (_pid > 0) {
      kill(_pid, SIGKILL);
      waitpid(_pid, nullptr, 0);
    }
    if (_out >= 0) close(_out);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts program in folder with the environment changed by extra: "NAME=value" entries set a
  // variable, a bare "NAME" removes it. The child starts as a desktop would start it: SIGTERM and
  // SIGINT at their default action, none blocked, except the signals listed in ignored. False when
  // it cannot be started.
  bool fStart(const std::string& program, const std::string& folder, const std::vector<std::string>& extra = {},
              const std::vector<int>& ignored = {}) {
    const auto nameOf = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
    std::vector<std::string> entries;
    for (char** e = environ; *e != nullptr; ++e) {
      bool changed = false;
      for (const std::string& change : extra) changed = changed || nameOf(change) == nameOf(*e);
      if (!changed) entries.emplace_back(*e);
    }
    for (const std::string& change : extra) {
      if (change.find('=') != std::string::npos) entries.push_back(change);
    }
    std::vector<char*> envp;
    for (std::string& e : entries) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string path = program;
    char* argv[] = {path.data(), nullptr};

    int fds[2];
    if (pipe(fds) != 0) return false;
    const pid_t pid = fork();
    if (pid < 0) {
      close(fds[0]);
      close(fds[1]);
      return false;
    }
    if (pid == 0) {
      // Only async-signal-safe calls between fork and exec.
      sigset_t none;
      sigemptyset(&none);
      sigprocmask(SIG_SETMASK, &none, nullptr);
      for (int number : {SIGTERM, SIGINT}) signal(number, SIG_DFL);
      for (int number : ignored) signal(number, SIG_IGN);
      dup2(fds[1], 1);
      dup2(fds[1], 2);
      close(fds[0]);
      close(fds[1]);
      if (_user >= 0 && (setgid(static_cast<gid_t>(_user)) != 0 || setuid(static_cast<uid_t>(_user)) != 0)) _exit(125);
      if (chdir(folder.c_str()) != 0) _exit(126);
      execve(argv[0], argv, envp.data());
      _exit(127);
    }
    close(fds[1]);
    _out = fds[0];
    _pid = pid;
    return true;
  }

  // Reads until the output holds text (true) or the output ends or the time is up (false).
  bool fWaitFor(const std::string& text, std::chrono::seconds limit) {
    const Clock::time_point end = Clock::now() + limit;
    while (_output.find(text) == std::string::npos) {
      if (!fReadSome(end)) return false;
    }
    return true;
  }

  // The next start runs as that user (the tests run as root); -1, the default, as this one.
  void fRunAs(long user) { _user = user; }

  bool fSignal(int number) const { return _pid > 0 && kill(_pid, number) == 0; }

  // Reads to the end of the output and reaps the child: its wait status, or -1 when it had not
  // ended within the limit (it is then killed).
  int fFinish(std::chrono::seconds limit) {
    const Clock::time_point end = Clock::now() + limit;
    while (fReadSome(end)) {
    }
    if (_pid <= 0) return -1;
    int status = 0;
    while (waitpid(_pid, &status, WNOHANG) == 0) {
      if (Clock::now() >= end) {
        kill(_pid, SIGKILL);
        waitpid(_pid, nullptr, 0);
        _pid = -1;
        return -1;
      }
      usleep(10000);
    }
    _pid = -1;
    return status;
  }

  const std::string& fOutput() const { return _output; }
  pid_t fPid() const { return _pid; }

 private:
  // One read of the output; false at its end or when the time is up.
  bool fReadSome(Clock::time_point end) {
    if (_out < 0) return false;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    if (left <= 0) return false;
    pollfd p{_out, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left));
    if (ready <= 0) return ready < 0 && errno == EINTR;
    char buffer[4096];
    const ssize_t n = read(_out, buffer, sizeof(buffer));
    if (n < 0 && errno == EINTR) return true;
    if (n <= 0) {
      close(_out);
      _out = -1;
      return false;
    }
    _output.append(buffer, static_cast<std::size_t>(n));
    return true;
  }

  pid_t _pid = -1;
  int _out = -1;
  long _user = -1;
  std::string _output;
};

}  // namespace qor_test
