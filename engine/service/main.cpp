// The process entry: hands control to the game's entry hook, registered before main runs.
// SIGTERM and SIGINT are caught around it, so they close the window and the game leaves through
// its quit path.
#include "engine/service/qc_callback.h"
#include "host/quit_signals.h"

int main(int /*argc*/, char** /*argv*/) {
  host_signals::fCatchQuitSignals();
  const int result = QOR::fInvokeCallback(QOR::qcMAIN, 0);
  host_signals::fReleaseQuitSignals();
  return result;
}
