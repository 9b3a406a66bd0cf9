// The process entry: hands control to the game's entry hook, registered before main runs.
// SIGTERM and SIGINT are caught around it, so they close the window and the game leaves through
// its quit path. The process exits 0 after a normal quit and non-zero when the start failed (no
// window, no renderer, or a game that ended its start) or its display went away.
#include "engine/service/qc_callback.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "host/quit_signals.h"

int main(int /*argc*/, char** /*argv*/) {
  host_signals::fCatchQuitSignals();
  host_signals::fEndOnLostDisplay();
  const int result = QOR::fInvokeCallback(QOR::qcMAIN, 0);
  host_signals::fReleaseQuitSignals();
  if (result != 0) return result;
  return QOR::qcGAME != nullptr ? QOR::qcGAME->fGetExitStatus() : 0;
}
