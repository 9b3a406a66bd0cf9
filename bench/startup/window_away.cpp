#include "bench/startup/window_away.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace qor_bench {

namespace {

// Runs act on a connection of its own to display, then flushes and closes it.
template <typename ACT>
bool onDisplay(const std::string& display, ACT act) {
  Display* connection = XOpenDisplay(display.c_str());
  if (connection == nullptr) return false;
  act(connection);
  XSync(connection, False);
  XCloseDisplay(connection);
  return true;
}

}  // namespace

bool fMinimiseWindow(const std::string& display, unsigned long window) {
  return onDisplay(display, [window](Display* connection) {
    XIconifyWindow(connection, window, DefaultScreen(connection));
    XUnmapWindow(connection, window);
  });
}

bool fRestoreWindow(const std::string& display, unsigned long window) {
  return onDisplay(display, [window](Display* connection) { XMapWindow(connection, window); });
}

}  // namespace qor_bench
