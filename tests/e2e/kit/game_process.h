// The real game program run as a child: its standard output and error (the engine log) are read
// by a thread as they come, kept in memory with the time each piece arrived, and written to a
// log file. Every wait has an upper bound; a child still running when the object goes is killed.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace qor_e2e {

class GAME_PROCESS {
 public:
  using Clock = std::chrono::steady_clock;

  GAME_PROCESS() = default;
  ~GAME_PROCESS();
  GAME_PROCESS(const GAME_PROCESS&) = delete;
  GAME_PROCESS& operator=(const GAME_PROCESS&) = delete;

  // Starts program in folder with the environment ("NAME=value" entries); the log goes to logPath
  // too (its folder is made). False when it cannot be started.
  bool fStart(const std::string& program, const std::string& folder, const std::vector<std::string>& environment,
              const std::string& logPath);

  pid_t fPid() const { return _pid; }
  // The moment just before the program was started.
  Clock::time_point fStartTime() const { return _startTime; }

  // Waits until the log holds text (true), or the output ends or the time is up (false).
  bool fWaitForLog(const std::string& text, std::chrono::milliseconds limit);
  // The length of the log so far: a mark to wait for what comes after it.
  std::size_t fLogSize() const;
  // Waits until a line that starts at or after mark satisfies test (true), or the output ends or
  // the time is up (false).
  bool fWaitForLineAfter(std::size_t mark, const std::function<bool(const std::string&)>& test,
                         std::chrono::milliseconds limit);
  // When the first occurrence of text had arrived whole, if it has.
  std::optional<Clock::time_point> fLogTime(const std::string& text) const;
  bool fLogHas(const std::string& text) const;
  // The whole log so far.
  std::string fLog() const;

  // Waits for the program to end: its wait status, or nothing when it still runs after limit.
  std::optional<int> fWaitExit(std::chrono::milliseconds limit);
  bool fRunning() const { return _pid > 0; }
  // Kills a running program and reaps it.
  void fKill();

 private:
  void fReadLoop(int fd);

  pid_t _pid = -1;
  Clock::time_point _startTime;
  std::thread _reader;
  mutable std::mutex _mutex;
  std::condition_variable _changed;
  std::string _output;
  // End offset in _output of each piece read, with the time it arrived.
  std::vector<std::pair<std::size_t, Clock::time_point>> _arrivals;
  bool _ended = false;
  int _logFd = -1;
};

}  // namespace qor_e2e
