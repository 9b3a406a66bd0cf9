#include "tests/e2e/kit/xvfb_server.h"

#include "tests/e2e/kit/spawn.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace qor_e2e {

bool XVFB_SERVER::fStart(int width, int height, std::chrono::seconds limit) {
  fStop();
  _error.clear();
  // Xvfb picks a free display number itself and writes it to this pipe once it accepts
  // connections (-displayfd), so no number is guessed and no lock file is raced for.
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    _error = "pipe failed";
    return false;
  }
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  SPAWN_OPTIONS options;
  options.keepFds = {fds[1]};
  options.newProcessGroup = true;
  _pid = fSpawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp", "-noreset"},
                fEnvironment({}), options);
  close(fds[1]);
  if (_pid < 0) {
    close(fds[0]);
    _error = "Xvfb could not be started (is the xvfb package installed?)";
    return false;
  }

  std::string number;
  const auto end = std::chrono::steady_clock::now() + limit;
  while (number.empty() || number.back() != '\n') {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd p{fds[0], POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    char buffer[32];
    const ssize_t n = read(fds[0], buffer, sizeof(buffer));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    number.append(buffer, static_cast<std::size_t>(n));
  }
  close(fds[0]);
  while (!number.empty() && (number.back() == '\n' || number.back() == ' ')) number.pop_back();
  if (number.empty()) {
    _error = "Xvfb did not report a display";
    fStop();
    return false;
  }
  _display = ":" + number;

  // It said it is ready; prove it with one connection.
  Display* probe = XOpenDisplay(_display.c_str());
  if (probe == nullptr) {
    _error = "Xvfb display " + _display + " refuses connections";
    fStop();
    return false;
  }
  XCloseDisplay(probe);
  return true;
}

void XVFB_SERVER::fStop() {
  if (_pid > 0) fStopChild(_pid, std::chrono::seconds(5));
  _pid = -1;
  _display.clear();
}

}  // namespace qor_e2e
