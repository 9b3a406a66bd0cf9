// A private X display for one test or one measured run: Xvfb on a display number it picks itself
// (so parallel tests never collide), reachable only through its local socket. It is ready when
// fStart returns true; it is stopped when the object goes.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>

namespace qor_e2e {

class XVFB_SERVER {
 public:
  XVFB_SERVER() = default;
  ~XVFB_SERVER() { fStop(); }
  XVFB_SERVER(const XVFB_SERVER&) = delete;
  XVFB_SERVER& operator=(const XVFB_SERVER&) = delete;

  // Starts "Xvfb :N -screen 0 WxHx24 -nolisten tcp" and waits until it accepts connections.
  // False (with the reason in fError) when Xvfb is missing, fails or is not ready within limit.
  bool fStart(int width = 1280, int height = 1024, std::chrono::seconds limit = std::chrono::seconds(20));
  void fStop();

  // ":N" once started.
  const std::string& fDisplay() const { return _display; }
  const std::string& fError() const { return _error; }

 private:
  pid_t _pid = -1;
  std::string _display;
  std::string _error;
};

}  // namespace qor_e2e
