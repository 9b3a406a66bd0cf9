// The game service: creates every engine object in a fixed order and runs the fixed-rate update
// loop and the frame-rate-gated render loop until the game asks to quit.
#pragma once

#include "engine/math/qs_point.h"
#include "engine/platform/qc_thread.h"
#include "engine/platform/qc_timer.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace pugi {
class xml_document;
}

namespace QOR {

class QC_SOUND;
class QC_TEXTURE_INFO;

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
  // The longest step one update counts, in seconds (six frames at 60 per second): a gap the
  // process did not run (stopped, suspended, a machine asleep) counts as this much, so the level
  // clock and every animation go on where they stopped.
  static constexpr float kLongestStep = 0.1f;
  // The frame cap while the window is minimised or hidden: no one sees it, and the loop sleeps
  // between its updates. The update step keeps its own rate.
  static constexpr int kAwayFps = 2;

  static QC_GAME* fGetGame();

  // Creates input, window, renderer, timer, random generator, mixer and loader, then runs the
  // game's init hook; returns 0.
  static int fInitServices(QC_GAME* game, std::string title);
  // Starts the sound thread and runs update and render steps until the running flag clears.
  void fRun();
  // Stops the sound thread fRun started and waits for it to end; nothing when none runs.
  void fStopSoundThread();
  int fUpdate();
  void fRender();
  bool isUpdateTime();
  bool isRenderTime();
  // Sets the frame cap (0: none). A new cap counts its frames from now: a lower one does not hold
  // the next frame back for the frames already drawn this second, nor does a higher one draw the
  // frames it would have drawn at once.
  void fSetFpsLimit(int limit);
  // The cap the render gate keeps now: the frame cap, at most kAwayFps while the window is
  // minimised or hidden (0: none).
  int fGetFrameCap() const;
  // Whether the window is minimised or hidden (it was at the render gate's last look).
  bool isWindowAway() const { return _windowAway; }
  void fQuit() { _running = 0; }
  // Ends the loop like fQuit, with a status for the process to exit with (a start that cannot
  // go on ends non-zero).
  void fQuitWithStatus(int status) {
    _exitStatus = status;
    _running = 0;
  }
  // 0, or the status of a start that failed (1 when the window or the renderer could not be
  // started) or of fQuitWithStatus: what the process exits with.
  int fGetExitStatus() const { return _exitStatus; }

  int fGetMeasuredFps() const { return _measuredFps; }
  int fGetMeasuredUps() const { return _measuredUps; }

  // Settings: config.xml in Documents/<company name>/<game name>/, holding the game name, the
  // company name and the resolution.
  void fSetGameName(const std::string& text) { _gameName = text; }
  void fSetCompanyName(const std::string& text) { _companyName = text; }
  // Writes config.xml (with a byte-order mark), creating its folders when missing. The file is
  // replaced whole: a failed write logs a line and leaves the old file as it was.
  void fSaveEngineConfig();
  // Reads config.xml, writing it first from the current values when it is missing. A file that
  // does not parse (or is empty) changes nothing and is rewritten from the current values; names
  // that are not plain folder names and resolutions out of 320 to 16384 are ignored.
  void LoadEngineConfig();

  // Display. Stores the resolution and full-screen flag, switches the window mode and the
  // renderer's resolution and rebuilds its view and projection; 1, or -1 without a renderer.
  int fSetResolution(int width, int height, std::uint8_t fullscreen);
  QS_POINT fGetResolution() const { return _resolution; }
  // Resource folder := the application folder + path.
  static void fSetResourceFolder(const std::string& path);

  // Forwards to the engine objects the service owns.
  static int fAddPack(const char* name);
  static int fAddPack(const char* name, const char* password);
  static QC_TEXTURE_INFO* fSubscribeImage(const std::string& name);
  // Always true.
  static bool fUnscribeImage(QC_TEXTURE_INFO* texture);
  // Never null: a missing document reads as an empty one.
  static pugi::xml_document* fLoadXml(const std::string& name);
  // Loads the resource's bytes into its record: 1, -1, -117 or -118.
  static int fGetResource(const std::string& name);
  // A sound over the bytes loaded by fGetResource; null when the resource is missing, its bytes
  // are not loaded, or the mixer cannot open them.
  static QC_SOUND* fCreateSound(const std::string& name, int bufferCount, std::uint8_t streamed);
  // Makes a stopped stream made by fCreateSound over the resource name hold its data only while it
  // plays: the loader's bytes go now, and the sound reads them again from their file or pack
  // whenever it starts. 1, or -1 (nothing changes) for anything else.
  static int fStreamWhenPlayed(QC_SOUND* sound, const std::string& name);
  // 0 missing, 1 file, 2 folder.
  static int fGetPathType(const std::string& path);
  static void fSetCaption(const std::string& utf8);
  static void fSetClearColor(std::uint32_t argb);
  static void fHideCursor();
  static void fShowCursor();
  // Screen coordinates, each truncated toward zero.
  static void fSetCursorPos(float x, float y);
  // The input's mouse position in game pixels.
  static QS_POINT fGetMousePos();
  // Asks the text in the engine's message box over the window, with OK and Cancel and the game's
  // name as caption: true for OK. Where no dialog can be shown the question is logged.
  static bool fAskOkCancel(const std::string& text);

 private:
  QC_GAME();
  ~QC_GAME() = default;
  // The folder config.xml lies in; empty when the documents folder is unknown.
  std::string fGetEngineConfigFolder() const;

  float _fpsAccumulator;
  float _upsAccumulator;
  QC_TIMER _updateTimer;
  // The render gate measures its own elapsed time, so a frame limit holds while updates are
  // limited too (passes without an update add real time, not a stale frame delta).
  QC_TIMER _renderTimer;
  int _frameCounter;
  int _tickCounter;
  bool _windowAway = false;
  bool _windowFailed = false;
  bool _renderFailed = false;
  // Why the window or the renderer could not be started, for the player.
  std::string _startFailure;
  int _exitStatus = 0;
  // Read by the exit handler on whichever thread calls exit.
  std::atomic<QC_THREAD_INFO*> _soundThread{nullptr};
};

// Body of the sound thread: refills the streaming sounds under engine lock 1 until stopped.
int fSoundThread(std::uintptr_t argument);
// Behind qcOnUnscribeTexture: drops one subscription of the image that holds the texture.
int fOnUnscribeTexture(std::uintptr_t texture);

}  // namespace QOR
