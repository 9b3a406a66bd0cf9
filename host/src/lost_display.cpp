// The X display going away (see host/quit_signals.h): Xlib would end the process with exit(1) and
// at most a line on standard error. The game logs why it ends first; the exit handlers then stop
// what still runs (the engine's sound thread) before the static objects go.
#include "host/quit_signals.h"

#include "host/src/host_internal.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <string>

namespace {

// Every X connection of the process comes here: the window's and a message box's.
int onLostDisplay(Display* display) {
  const char* name = display != nullptr ? DisplayString(display) : nullptr;
  host_detail::fLogLine(std::string("The display ") + (name != nullptr ? name : "") + " went away: the game ends");
  std::exit(1);
}

}  // namespace

namespace host_signals {

void fEndOnLostDisplay() { XSetIOErrorHandler(&onLostDisplay); }

}  // namespace host_signals
