#include "game/flow/game_hooks.h"

#include "engine/files/qc_file_system.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_tell_player.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_music.h"
#include "game/board/mahjong_player_file.h"
#include "game/board/mahjong_sounds.h"
#include "game/flow/game_globals.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/mahjong_loading_screen.h"

#include <string>

namespace {

constexpr int kQuit = -108;
// The process's status when its start cannot reach the title.
constexpr int kStartFailed = 1;
// The game's name, its window's first caption and the caption of its start-up boxes.
constexpr char kGameName[] = "Jade Tile Tourney";
// Told when a game already runs on this player's saved progress.
constexpr char kAlreadyRunning[] = "Jade Tile Tourney is already running.";
// The file beside player.xml whose lock the running game holds.
constexpr char kLockName[] = "player.lock";

// One game per player file: a second game on the same documents folder would save its own old
// copy of a profile over what the first one saved. The running game holds the lock of a file
// beside player.xml for the life of its process, and the system drops it when the process ends,
// however it ends. Where that folder cannot be made or written, or another user owns or can write
// to it, there is no file to share (the saves stay in memory) and the game runs on without the
// lock: a lock another user holds there never stops it.
bool anotherGameRuns() {
  const std::string path = MAHJONG_GAME_MANAGER::PlayerFilePath();
  // Without a documents folder there is no player file to share (nothing is saved).
  if (path.empty()) return false;
  const std::string lock = MAHJONG_PLAYER_FILE(path).Folder() + "/" + kLockName;
  std::string cause;
  switch (QOR::QC_FILE_SYSTEM::fLockPrivateFile(lock, &cause)) {
    case 1:
      QOR::fLog("Player file locked for this game: " + lock);
      return false;
    case 0:
      QOR::fLog("Another game holds the player file: " + lock);
      return true;
    default:
      break;
  }
  QOR::fLog("The player file is not locked against a second game: " + lock + ": " + cause);
  return false;
}

// A folder pack is registered only where a folder is: the shipped layout has password archives
// under these names, which the manager registers, and a folder registration of an archive would
// only log that it found no folder.
void addFolderPack(const char* name) {
  QOR::QC_FILE_SYSTEM* files = QOR::QC_FILE_SYSTEM::fGetInstance();
  if (files->fGetPathType(files->fGetResourceDirectory() + name) == 2) QOR::QC_GAME::fAddPack(name);
}

// The window's activation state applied: the volumes at once (loading or not), and once loading
// is complete the manager's own reaction (the board paused or resumed).
int applyActivation() {
  if (gameManager != nullptr) gameManager->ApplyVolumes();
  if (gameLoaded == 0) return 0;
  if (gameManager != nullptr) {
    if (gameActive != 0) {
      gameManager->OnActivate();
    } else {
      gameManager->OnDeactivate();
    }
  }
  return 1;
}

}  // namespace

int GameMain(std::uintptr_t) {
  gameSounds = nullptr;
  gameMusic = nullptr;
  gameManager = nullptr;
  QOR::qcGAME = QOR::QC_GAME::fGetGame();
  // Told before any window opens or player.xml is read; the start ends as a normal quit.
  if (anotherGameRuns()) {
    QOR::fTellPlayerOnce("already running", kGameName, kAlreadyRunning);
    return 0;
  }
  QOR::qcOnUpdate = QOR::fCreateCallback(&GameUpdate);
  QOR::qcOnRender = QOR::fCreateCallback(&GameRender);
  QOR::qcOnInit = QOR::fCreateCallback(&GameInit);
  QOR::qcOnActivate = QOR::fCreateCallback(&GameActivate);
  QOR::qcOnDeactivate = QOR::fCreateCallback(&GameDeactivate);
  QOR::qcOnQuit = QOR::fCreateCallback(&GameExit);
  QOR::QC_GAME::fInitServices(QOR::qcGAME, kGameName);
  QOR::qcGAME->fRun();
  return -100500;
}

int GameInit(std::uintptr_t) {
  QOR::fLog("cd: " + QOR::QC_FILE_SYSTEM::fGetInstance()->fGetCurrentDirectory());
  // The first use of the constants reads consts.xml and fx_params.xml.
  const MAHJONG_CONSTS* consts = MAHJONG_CONSTS::GetInstance();
  QOR::QC_GAME::fSetCaption(consts->window_header);
  QOR::qcGAME->_upsLimit = consts->UPS_LIMIT;
  QOR::qcGAME->_fpsLimit = consts->FPS_LIMIT;
  addFolderPack("data");
  addFolderPack("data/fonts");
  addFolderPack("data/surfaces");
  gameManager = new MAHJONG_GAME_MANAGER();
  gameLoadingScreen = new MAHJONG_LOADING_SCREEN(gameManager->GetLocman());
  QOR::QC_GAME::fSetClearColor(0xFF000000u);
  return 1;
}

int GameUpdate(std::uintptr_t) {
  if (gameLoaded == 0) {
    const int before = loadProgress;
    // The effects and the music load with the first stage, after the loading screen's first frame.
    if (loadProgress == 10 && gameSounds == nullptr) {
      const MAHJONG_CONSTS* consts = MAHJONG_CONSTS::GetInstance();
      gameSounds = new MAHJONG_SOUNDS(consts->SOUND);
      if (consts->MUSIC) gameMusic = new MAHJONG_MUSIC();
      // Lists made while the window is away start silent.
      if (gameManager != nullptr) gameManager->ApplyVolumes();
    }
    if (gameManager != nullptr) gameManager->LoadStep(loadProgress);
    // The title is the first screen: without its data or its pictures the player would face a
    // dead or black screen with no way on. What is missing was told as it was read; the start
    // ends here, not zero. Both are asked, so the log names every missing piece.
    const bool loadEnds = before < 100 && loadProgress >= 100 && gameManager != nullptr;
    const bool dataLoaded = loadEnds && gameManager->TitleDataLoaded();
    const bool picturesLoaded = loadEnds && gameManager->TitleCanShow();
    if (loadEnds && !(dataLoaded && picturesLoaded)) {
      QOR::fLog("The start ends: the title cannot be shown");
      if (QOR::qcGAME != nullptr) QOR::qcGAME->fQuitWithStatus(kStartFailed);
      return 0;
    }
    if (gameLoadingScreen != nullptr) gameLoadingScreen->Update();
    if (gameLoadingScreen != nullptr && gameLoadingScreen->isFinished() && loadProgress > 99) {
      gameLoaded = 1;
      delete gameLoadingScreen;
      gameLoadingScreen = nullptr;
      QOR::fLog("Game loaded");
      applyActivation();
    }
    return 0;
  }
  if (gameMusic != nullptr && MAHJONG_CONSTS::GetInstance()->MUSIC) gameMusic->Update();
  if (gameManager != nullptr && gameManager->Update() == kQuit && QOR::qcGAME != nullptr) QOR::qcGAME->fQuit();
  if (gameManager != nullptr && QOR::qcGAME != nullptr) {
    QOR::qcGAME->fSetFpsLimit(gameManager->FrameLimit(MAHJONG_CONSTS::GetInstance()->FPS_LIMIT));
  }
  return 1;
}

int GameRender(std::uintptr_t) {
  if (gameLoaded == 0) {
    if (gameLoadingScreen != nullptr) gameLoadingScreen->Render(loadProgress);
    return 0;
  }
  if (gameManager != nullptr) {
    gameManager->Render();
    gameManager->RenderTop();
    gameManager->LogScreenState();
  }
  return 1;
}

int GameActivate(std::uintptr_t) {
  gameActive = 1;
  return applyActivation();
}

int GameDeactivate(std::uintptr_t) {
  gameActive = 0;
  return applyActivation();
}

int GameExit(std::uintptr_t) {
  if (gameManager != nullptr) gameManager->OnQuit();
  if (QOR::qcGAME != nullptr) QOR::qcGAME->fQuit();
  return 1;
}
