// The game's entry hook, registered before main runs: starts the engine services with the
// game's caption and runs the loop until the window is closed.
#include "engine/render/qc_render.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"

namespace {

using namespace QOR;

int onInit(std::uintptr_t) {
  if (qcRENDER != nullptr) qcRENDER->fSetClearColor(0xFF000000u);
  return 0;
}

int onQuit(std::uintptr_t) {
  if (qcGAME != nullptr) qcGAME->fQuit();
  return 0;
}

int gameEntry(std::uintptr_t) {
  qcGAME = QC_GAME::fGetGame();
  qcOnInit = fCreateCallback(&onInit);
  qcOnQuit = fCreateCallback(&onQuit);
  QC_GAME::fInitServices(qcGAME, "Jade Tile Tourney");
  qcGAME->fRun();
  return -100500;
}

const QC_MAIN_REGISTRAR registrar(&gameEntry);

}  // namespace
