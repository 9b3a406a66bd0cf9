// A whole program on the real window path: the entry hook starts the services, the first update
// posts a close message to the window, the quit hook ends the loop.
#include "engine/platform/qc_window.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"

namespace {

using namespace QOR;

int g_frames = 0;

int onUpdate(std::uintptr_t) {
  if (g_frames == 3) PostMessageA(qcWINDOW->fGetHandle(), WM_CLOSE, 0, 0);
  return 0;
}
int onRender(std::uintptr_t) {
  ++g_frames;
  return 0;
}
int onQuit(std::uintptr_t) {
  fLog("quit requested");
  qcGAME->fQuit();
  return 0;
}

int entry(std::uintptr_t) {
  qcGAME = QC_GAME::fGetGame();
  qcOnUpdate = fCreateCallback(&onUpdate);
  qcOnRender = fCreateCallback(&onRender);
  qcOnQuit = fCreateCallback(&onQuit);
  QC_GAME::fInitServices(qcGAME, "Smoke");
  qcGAME->fRun();
  fLog() << "frames drawn " << (g_frames >= 3 ? "enough" : "too few");
  return 0;
}

const QC_MAIN_REGISTRAR registrar(&entry);

}  // namespace
