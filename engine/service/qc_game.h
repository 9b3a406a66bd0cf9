// The game service: creates every engine object in a fixed order and runs the fixed-rate update
// loop and the frame-rate-gated render loop until the game asks to quit.
#pragma once

#include "engine/math/qs_point.h"
#include "engine/platform/qc_thread.h"
#include "engine/platform/qc_timer.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace QOR {

struct QC_GAME_BASE {
  std::uint8_t _fullscreen = 0;
  std::uint8_t _stretch = 0;
  std::uint8_t _running = 0;
  std::string _gameName = "Quillon Game";
  std::string _companyName = "Quillon";
  QS_POINT _desktopSize{0, 0};
  QS_POINT _resolution{1024, 768};
  int _measuredFps = 0;
  int _fpsLimit = 60;
  int _measuredUps = 0;
  int _upsLimit = 0;
};

class QC_GAME : public QC_GAME_BASE {
 public:
  static QC_GAME* fGetGame();

  // Creates input, window, renderer, timer, random generator, mixer and loader, then runs the
  // game's init hook; returns 0.
  static int fInitServices(QC_GAME* game, std::string title);
  // Starts the sound thread and runs update and render steps until the running flag clears.
  void fRun();
  int fUpdate();
  void fRender();
  bool isUpdateTime();
  bool isRenderTime();
  void fQuit() { _running = 0; }

  int fGetMeasuredFps() const { return _measuredFps; }
  int fGetMeasuredUps() const { return _measuredUps; }

 private:
  QC_GAME();
  ~QC_GAME() = default;

  float _fpsAccumulator;
  float _upsAccumulator;
  QC_TIMER _updateTimer;
  // The render gate measures its own elapsed time, so a frame limit holds while updates are
  // limited too (passes without an update add real time, not a stale frame delta).
  QC_TIMER _renderTimer;
  int _frameCounter;
  int _tickCounter;
  bool _windowFailed = false;
  bool _renderFailed = false;
  QC_THREAD_INFO* _soundThread = nullptr;
};

// Body of the sound thread: refills the streaming sounds under engine lock 1 until stopped.
int fSoundThread(std::uintptr_t argument);
// Behind qcOnUnscribeTexture: drops one subscription of the image that holds the texture.
int fOnUnscribeTexture(std::uintptr_t texture);

}  // namespace QOR
