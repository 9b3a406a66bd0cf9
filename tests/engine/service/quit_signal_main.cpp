// A whole program that reports its quit path, for the quit-signal tests. QOR_SIGNAL_MODE picks
// the case: unset, it runs until its window is closed; "early" sends itself SIGTERM before the
// services (and so the window) exist; "stuck" has a quit hook that never returns; "ask" asks an
// OK / Cancel question at its first update and logs the answer.
#include "engine/service/qc_callback.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

using namespace QOR;

std::string g_mode;
bool g_running = false;

int onUpdate(std::uintptr_t) {
  if (!g_running) fLog("loop running");
  if (!g_running && g_mode == "ask") {
    // The question's box is captioned with the game's name, no longer the window's.
    qcGAME->fSetGameName("Quit question");
    fLog(QC_GAME::fAskOkCancel("Quit?") ? "answer: OK" : "answer: Cancel");
  }
  g_running = true;
  return 0;
}

int onQuit(std::uintptr_t) {
  if (g_mode == "stuck") {
    fLog("quit hook entered");
    for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
  }
  fLog("quit hook ran");
  qcGAME->fQuit();
  return 0;
}

int entry(std::uintptr_t) {
  const char* mode = std::getenv("QOR_SIGNAL_MODE");
  g_mode = mode != nullptr ? mode : "";
  if (g_mode == "early") {
    std::raise(SIGTERM);
    fLog("signal raised before the window");
  }
  qcGAME = QC_GAME::fGetGame();
  qcOnUpdate = fCreateCallback(&onUpdate);
  qcOnQuit = fCreateCallback(&onQuit);
  QC_GAME::fInitServices(qcGAME, "Quit signals");
  qcGAME->fRun();
  fLog("loop ended");
  return 0;
}

const QC_MAIN_REGISTRAR registrar(&entry);

}  // namespace
