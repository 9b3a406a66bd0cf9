#include "tests/e2e/kit/spawn.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

extern char** environ;

namespace qor_e2e {

std::vector<std::string> fEnvironment(const std::map<std::string, std::string>& set,
                                      const std::vector<std::string>& removed) {
  std::map<std::string, std::string> all;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    const std::size_t equals = entry.find('=');
    if (equals == std::string::npos) continue;
    all[entry.substr(0, equals)] = entry.substr(equals + 1);
  }
  for (const std::string& name : removed) all.erase(name);
  for (const auto& [name, value] : set) all[name] = value;
  std::vector<std::string> out;
  for (const auto& [name, value] : all) out.push_back(name + "=" + value);
  return out;
}

pid_t fSpawn(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
             const SPAWN_OPTIONS& options) {
  if (argv.empty()) return -1;
  std::vector<std::string> args = argv;
  std::vector<char*> argp;
  for (std::string& a : args) argp.push_back(a.data());
  argp.push_back(nullptr);
  std::vector<std::string> env = environment;
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  // PATH lookup is done here, before fork, with the child's PATH.
  std::string program = argv[0];
  if (program.find('/') == std::string::npos) {
    std::string path = "/usr/bin:/bin";
    for (const std::string& e : env) {
      if (e.rfind("PATH=", 0) == 0) path = e.substr(5);
    }
    std::size_t start = 0;
    while (start <= path.size()) {
      const std::size_t end = std::min(path.find(':', start), path.size());
      const std::string candidate = path.substr(start, end - start) + "/" + argv[0];
      if (end > start && access(candidate.c_str(), X_OK) == 0) {
        program = candidate;
        break;
      }
      start = end + 1;
    }
  }
  const int devNull = open("/dev/null", O_RDWR | O_CLOEXEC);
  const pid_t pid = fork();
  if (pid < 0) {
    if (devNull >= 0) close(devNull);
    return -1;
  }
  if (pid == 0) {
    // Only async-signal-safe calls between fork and exec.
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    for (int number : {SIGTERM, SIGINT, SIGPIPE, SIGUSR1}) signal(number, SIG_DFL);
    if (options.newProcessGroup) setpgid(0, 0);
    const int out = options.outputFd >= 0 ? options.outputFd : devNull;
    if (devNull >= 0) dup2(devNull, 0);
    if (out >= 0) {
      dup2(out, 1);
      dup2(out, 2);
    }
    for (int fd : options.keepFds) {
      const int flags = fcntl(fd, F_GETFD);
      if (flags >= 0) fcntl(fd, F_SETFD, flags & ~FD_CLOEXEC);
    }
    if (!options.folder.empty() && chdir(options.folder.c_str()) != 0) _exit(126);
    execve(program.c_str(), argp.data(), envp.data());
    _exit(127);
  }
  if (devNull >= 0) close(devNull);
  return pid;
}

std::optional<int> fWaitChild(pid_t pid, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) return status;
    if (done < 0) return std::nullopt;
    if (std::chrono::steady_clock::now() >= end) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void fStopChild(pid_t pid, std::chrono::milliseconds grace) {
  if (pid <= 0) return;
  if (kill(pid, SIGTERM) != 0) {
    waitpid(pid, nullptr, WNOHANG);
    return;
  }
  if (fWaitChild(pid, grace)) return;
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

bool fRunTool(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
              std::chrono::milliseconds limit) {
  const pid_t pid = fSpawn(argv, environment);
  if (pid < 0) return false;
  const std::optional<int> status = fWaitChild(pid, limit);
  if (!status) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return false;
  }
  return WIFEXITED(*status) && WEXITSTATUS(*status) == 0;
}

}  // namespace qor_e2e
