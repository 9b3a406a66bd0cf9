#include "engine/service/qc_game.h"

#include "engine/files/qc_file_system.h"
#include "engine/platform/qc_input.h"
#include "engine/platform/qc_random.h"
#include "engine/platform/qc_window.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_resource_loader.h"
#include "engine/sound/qc_mixer.h"
#include "engine/sound/qc_sound_wake.h"

#include <algorithm>
#include <cstdlib>

namespace QOR {

namespace {
std::atomic<bool> g_soundThreadStop{false};

// Every way the process ends through exit (the end of main, a start that failed, a lost display,
// a library's own exit) runs this, registered once the device is open, before the static objects
// made until then are destroyed: the sound thread stops first, then the device closes, before
// OpenAL's own clean-up finds it open.
void endSoundAtExit() {
  QC_GAME::fGetGame()->fStopSoundThread();
  if (qcMIXER != nullptr) qcMIXER->fClose();
}

// The text of the calling thread's last system error, in parentheses after a space; empty when
// the system gives none.
std::string lastErrorText() {
  char text[512] = {};
  if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, GetLastError(), 0, text,
                     sizeof(text), nullptr) == 0) {
    return std::string();
  }
  return std::string(": ") + text;
}
}  // namespace

QC_GAME::QC_GAME() : _fpsAccumulator(0.0f), _upsAccumulator(0.0f), _frameCounter(0), _tickCounter(0) {
  fLog("Game construction ");
  qcINPUT = nullptr;
  qcRENDER = nullptr;
  qcTIMER = nullptr;
  qcRANDOM = nullptr;
  qcWINDOW = nullptr;
  qcFILE_SYSTEM = nullptr;
  qcMIXER = nullptr;
  qcRESOURCE_LOADER = nullptr;
  qcFILE_SYSTEM = QC_FILE_SYSTEM::fGetInstance();
}

QC_GAME* QC_GAME::fGetGame() {
  static QC_GAME game;
  return &game;
}

int QC_GAME::fInitServices(QC_GAME* game, std::string title) {
  if (game == nullptr) {
    MessageBoxA(nullptr, "QC_GAME not exist. Need do some qcGAME = QC_GAME::fGetGame();", __FILE__, MB_OK);
    return 0;
  }
  game->_gameName = title;
  QC_WINDOW::fGetScreenSize(game->_desktopSize);
  QC_THREAD::fInitMutexes();

  qcINPUT = new QC_INPUT();
  fLog("Input initialised");

  qcWINDOW = new QC_WINDOW();
  qcWINDOW->fSetSize(game->_resolution.x, game->_resolution.y);
  SetLastError(ERROR_SUCCESS);
  if (qcWINDOW->WindowInit(game->_gameName) == 1) {
    fLog("Window initialised");
    game->_windowFailed = false;
  } else {
    fLog("Window creation error");
    game->_windowFailed = true;
    game->_startFailure = "The game window could not be created" + lastErrorText() + ".";
  }

  qcRENDER = new QC_RENDER();
  SetLastError(ERROR_SUCCESS);
  if (qcRENDER->fInit(qcWINDOW->fGetHandle(), 0.1f, 0.0f) == 1) {
    fLog("Render initialised");
    game->_renderFailed = false;
  } else {
    fLog("Render error");
    game->_renderFailed = true;
    if (!game->_windowFailed) game->_startFailure = "The renderer could not be started" + lastErrorText() + ".";
  }
  // A window too large for the screen started full screen: the picture follows it from the start.
  if (!game->_windowFailed && !game->_renderFailed && qcWINDOW->isFullscreen() != 0) {
    qcRENDER->fSetResolution(game->_resolution.x, game->_resolution.y, true, qcWINDOW->isStretched() != 0);
    qcRENDER->fSetViewProjection();
  }

  qcTIMER = new QC_TIMER();
  qcTIMER->fSetOutput(&qcFrameTime);
  // The frame delta and the update gate take one bounded step over a long gap, so the gate then
  // runs no burst of catch-up steps either.
  qcTIMER->fSetMaxStep(kLongestStep);
  game->_updateTimer.fSetMaxStep(kLongestStep);
  fLog("Timer initialised");

  qcRANDOM = new QC_RANDOM(0);
  fLog("Random initialised");

  qcMIXER = new QC_MIXER();
  qcMIXER->fInit();
  fLog("Sound initialised");
  static const bool kEndsAtExit = std::atexit(&endSoundAtExit) == 0;
  static_cast<void>(kEndsAtExit);

  qcRESOURCE_LOADER = new QC_RESOURCE_LOADER();
  fLog("Resouce loader inited");

  qcOnUnscribeTexture = fCreateCallback(&fOnUnscribeTexture, nullptr, 0);
  fInvokeCallback(qcOnInit, 0);
  return 0;
}

void QC_GAME::fRun() {
  fLog("Start");
  if (qcINPUT == nullptr || qcRENDER == nullptr || qcRANDOM == nullptr) {
    fLog("Some component does not exist? or you may fogot initialise game class");
    return;
  }
  // Without a window or a device there is nothing to show and no way to quit: say why and stop
  // with a status that says the start failed.
  if (_windowFailed || _renderFailed) {
    fLog(_startFailure);
    MessageBoxA(nullptr, _startFailure.c_str(), _gameName.c_str(), MB_OK);
    _exitStatus = 1;
    return;
  }
  g_soundThreadStop = false;
  _soundThread = QC_THREAD::fCreateThread(&fSoundThread, 0);
  _running = 1;
  fInvokeCallback(qcOnStart, 0);
  while (_running != 0) {
    fUpdate();
    fRender();
  }
  // The sound thread is stopped and joined so the process never exits inside the audio library.
  fStopSoundThread();
}

void QC_GAME::fStopSoundThread() {
  QC_THREAD_INFO* thread = _soundThread.exchange(nullptr);
  if (thread == nullptr) return;
  g_soundThreadStop = true;
  QC_SOUND_WAKE::fWake();
  // An exit on the sound thread itself cannot wait for it; it is past its last OpenAL call there.
  if (thread->_threadId == GetCurrentThreadId()) return;
  QC_THREAD::fJoinThread(thread);
}

bool QC_GAME::isUpdateTime() {
  _upsAccumulator += _updateTimer.fTick();
  if (_upsLimit == 0) return true;
  const float target = (1.0f / static_cast<float>(_upsLimit)) * static_cast<float>(_tickCounter + 1);
  if (target > _upsAccumulator) {
    const float waitMs = (target - _upsAccumulator) * 1000.0f;
    // The timer counts whole milliseconds: a wait under one would come back at once, again and
    // again until the count moves on, so it sleeps one.
    const std::uint32_t sleepMs = std::max<std::uint32_t>(static_cast<std::uint32_t>(waitMs), 1);
    if (qcWINDOW != nullptr) {
      qcWINDOW->fSleep(sleepMs);
    } else {
      Sleep(sleepMs);
    }
    return false;
  }
  return true;
}

int QC_GAME::fUpdate() {
  if (!isUpdateTime()) return 0;
  _tickCounter += 1;
  if (_upsAccumulator >= 1.0f) {
    _measuredUps = _tickCounter;
    _upsAccumulator = 0.0f;
    _tickCounter = 0;
  }
  if (qcTIMER != nullptr) qcTIMER->fTick();
  if (qcRANDOM != nullptr) qcRANDOM->fFrameHook();
  fInvokeCallback(qcOnUpdate, 0);
  if (qcINPUT != nullptr) qcINPUT->fUpdate();
  fProcessMessages(qcINPUT, qcWINDOW);
  return 0;
}

bool QC_GAME::isRenderTime() {
  _fpsAccumulator += _renderTimer.fTick();
  // Minimised or hidden, the window takes a few frames a second and the sound device is held;
  // restored, the full rate is back at the next frame and the sound goes on where it stopped.
  // Either cap counts its frames from the change, as a new cap does.
  const HWND window = qcWINDOW != nullptr ? qcWINDOW->fGetHandle() : nullptr;
  const bool away = window != nullptr && (IsIconic(window) != FALSE || IsWindowVisible(window) == FALSE);
  if (away != _windowAway) {
    _windowAway = away;
    _fpsAccumulator = 0.0f;
    _frameCounter = 0;
    if (qcMIXER != nullptr) qcMIXER->fHold(away);
  }
  const int cap = fGetFrameCap();
  if (cap == 0) return true;
  const double target = (1.0 / static_cast<double>(cap)) * static_cast<double>(_frameCounter + 1);
  return static_cast<double>(_fpsAccumulator) >= target;
}

int QC_GAME::fGetFrameCap() const {
  if (!_windowAway) return _fpsLimit;
  return _fpsLimit == 0 ? kAwayFps : std::min(_fpsLimit, kAwayFps);
}

void QC_GAME::fSetFpsLimit(int limit) {
  if (limit == _fpsLimit) return;
  _fpsLimit = limit;
  _fpsAccumulator = 0.0f;
  _frameCounter = 0;
}

void QC_GAME::fRender() {
  if (!isRenderTime()) return;
  if (qcRENDER == nullptr || qcRENDER->BeginScene() != 1) return;
  _frameCounter += 1;
  if (_fpsAccumulator >= 1.0f) {
    _measuredFps = _frameCounter;
    _fpsAccumulator = 0.0f;
    _frameCounter = 0;
  }
  fInvokeCallback(qcOnRender, 0);
  qcRENDER->EndScene();
}

int fSoundThread(std::uintptr_t /*argument*/) {
  while (!g_soundThreadStop) {
    QC_THREAD::fMutexLock(1);
    std::chrono::milliseconds period = QC_SOUND_WAKE::kUntilWoken;
    if (qcMIXER != nullptr) {
      qcMIXER->fUpdate();
      period = qcMIXER->fRefillPeriod();
    }
    QC_THREAD::fMutexUnlock(1);
    // Outside lock 1, in real time even under a test's manual clock; a sound that starts, or the
    // loop's end, wakes it early.
    QC_SOUND_WAKE::fWait(period);
  }
  return 0;
}

int fOnUnscribeTexture(std::uintptr_t texture) {
  if (qcRESOURCE_LOADER == nullptr) return 0;
  QS_RESOURCE* record = qcRESOURCE_LOADER->fFindByData(reinterpret_cast<const void*>(texture));
  if (record != nullptr && record->fGetType() == QE_RES_TEXTURE) {
    qcRESOURCE_LOADER->fUnscribeImage(reinterpret_cast<const void*>(texture));
    fLog("texture unscribed");
  }
  return 0;
}

}  // namespace QOR
