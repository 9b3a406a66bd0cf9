// Termination signals as a close request: SIGTERM and SIGINT (a desktop logout, Ctrl+C) become a
// WM_CLOSE message to the main window at the next pump, so the program leaves through its quit
// path instead of dying where it stands.
#pragma once

namespace host_signals {

// Catches SIGTERM and SIGINT from now on; a signal the process was started with ignored stays
// ignored. The first caught signal asks for a close, which waits (is never lost) until the pump
// runs with a main window; a further one ends the process as the signal's previous action would.
void fCatchQuitSignals();

// True once a caught signal asked the program to quit.
bool fQuitSignalled();

// Puts back the actions fCatchQuitSignals found.
void fReleaseQuitSignals();

// From now on the X display going away (its server ended, the session closed, a remote display
// dropped) ends the process with a log line saying so and exit status 1, where Xlib would end it
// without a word; the exit handlers still run.
void fEndOnLostDisplay();

}  // namespace host_signals
