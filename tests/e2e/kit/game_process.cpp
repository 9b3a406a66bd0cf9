#include "tests/e2e/kit/game_process.h"

#include "tests/e2e/kit/spawn.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace qor_e2e {

GAME_PROCESS::~GAME_PROCESS() {
  fKill();
  if (_reader.joinable()) _reader.join();
  if (_logFd >= 0) close(_logFd);
}

bool GAME_PROCESS::fStart(const std::string& program, const std::string& folder,
                          const std::vector<std::string>& environment, const std::string& logPath) {
  if (_pid > 0 || _reader.joinable()) return false;
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(logPath).parent_path(), error);
  _logFd = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  SPAWN_OPTIONS options;
  options.folder = folder;
  options.outputFd = fds[1];
  _startTime = Clock::now();
  _pid = fSpawn({program}, environment, options);
  close(fds[1]);
  if (_pid < 0) {
    close(fds[0]);
    return false;
  }
  _reader = std::thread([this, fd = fds[0]] { fReadLoop(fd); });
  return true;
}

void GAME_PROCESS::fReadLoop(int fd) {
  char buffer[8192];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof(buffer));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    const Clock::time_point now = Clock::now();
    if (_logFd >= 0) {
      ssize_t written = 0;
      while (written < n) {
        const ssize_t w = write(_logFd, buffer + written, static_cast<std::size_t>(n - written));
        if (w <= 0) break;
        written += w;
      }
    }
    std::lock_guard<std::mutex> lock(_mutex);
    _output.append(buffer, static_cast<std::size_t>(n));
    _arrivals.emplace_back(_output.size(), now);
    _changed.notify_all();
  }
  close(fd);
  std::lock_guard<std::mutex> lock(_mutex);
  _ended = true;
  _changed.notify_all();
}

bool GAME_PROCESS::fWaitForLog(const std::string& text, std::chrono::milliseconds limit) {
  std::unique_lock<std::mutex> lock(_mutex);
  return _changed.wait_for(lock, limit, [&] { return _output.find(text) != std::string::npos || _ended; }) &&
         _output.find(text) != std::string::npos;
}

std::size_t GAME_PROCESS::fLogSize() const {
  std::lock_guard<std::mutex> lock(_mutex);
  return _output.size();
}

bool GAME_PROCESS::fWaitForLineAfter(std::size_t mark, const std::function<bool(const std::string&)>& test,
                                     std::chrono::milliseconds limit) {
  // Every log line starts with a line break; the last one may still be arriving, so a test must
  // not accept the first part of a line for the whole.
  const auto found = [&]() {
    std::size_t start = _output.find('\n', mark > 0 ? mark - 1 : 0);
    while (start != std::string::npos) {
      const std::size_t end = _output.find('\n', start + 1);
      if (test(_output.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1))) return true;
      start = end;
    }
    return false;
  };
  std::unique_lock<std::mutex> lock(_mutex);
  return _changed.wait_for(lock, limit, [&] { return found() || _ended; }) && found();
}

std::optional<GAME_PROCESS::Clock::time_point> GAME_PROCESS::fLogTime(const std::string& text) const {
  std::lock_guard<std::mutex> lock(_mutex);
  const std::size_t at = _output.find(text);
  if (at == std::string::npos) return std::nullopt;
  const std::size_t end = at + text.size();
  for (const auto& [offset, time] : _arrivals) {
    if (offset >= end) return time;
  }
  return std::nullopt;
}

bool GAME_PROCESS::fLogHas(const std::string& text) const {
  std::lock_guard<std::mutex> lock(_mutex);
  return _output.find(text) != std::string::npos;
}

std::string GAME_PROCESS::fLog() const {
  std::lock_guard<std::mutex> lock(_mutex);
  return _output;
}

std::optional<int> GAME_PROCESS::fWaitExit(std::chrono::milliseconds limit) {
  if (_pid <= 0) return std::nullopt;
  const std::optional<int> status = fWaitChild(_pid, limit);
  if (!status) return std::nullopt;
  _pid = -1;
  // The output ends with the program; collect its last lines before answering.
  if (_reader.joinable()) _reader.join();
  return status;
}

void GAME_PROCESS::fKill() {
  if (_pid <= 0) return;
  kill(_pid, SIGKILL);
  waitpid(_pid, nullptr, 0);
  _pid = -1;
}

}  // namespace qor_e2e
