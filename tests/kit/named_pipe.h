// A named pipe where a file is expected, for tests of readers that must never wait on one. While
// it lives, a thread lets go of whoever is held in open() on it (it opens the other end and closes
// it), so a reader that waits reads nothing instead of hanging the suite; such readers are counted.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace qor_test {

struct NamedPipe {
  explicit NamedPipe(std::string at) : path(std::move(at)), made(::mkfifo(path.c_str(), 0600) == 0) {
    release = std::thread([this] {
      for (; !stop; std::this_thread::sleep_for(std::chrono::milliseconds(2))) {
        // A write end opens only while someone holds the read end.
        for (const int mode : {O_WRONLY, O_RDONLY}) {
          const int end = ::open(path.c_str(), mode | O_NONBLOCK | O_CLOEXEC);
          if (end >= 0 && ::close(end) == 0 && mode == O_WRONLY) ++readersHeld;
        }
      }
    });
  }
  ~NamedPipe() {
    stop = true;
    release.join();
    ::unlink(path.c_str());
  }

  const std::string path;
  const bool made;
  std::atomic<int> readersHeld{0};
  std::atomic<bool> stop{false};
  std::thread release;
};

}  // namespace qor_test
