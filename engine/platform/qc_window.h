// The game window: class registration, windowed or full-screen placement, the letterbox that maps
// desktop pixels back to game pixels, and small system services.
#pragma once

#include "engine/math/qs_point.h"
#include "engine/math/qs_vec2.h"
#include "host/win_system.h"
#include "host/win_window.h"

#include <cstdint>
#include <string>

namespace QOR {

class QC_INPUT;

class QC_WINDOW {
 public:
  QC_WINDOW();
  ~QC_WINDOW() {}

  // Registers the class, creates and shows the window; 1 on success.
  int WindowInit(std::string caption);
  HWND fGetHandle() const { return _handle; }

  // Full screen covers the desktop; a window is centred in the desktop's usable area. A window
  // that cannot fit there with its frame goes full screen, stretched, instead (logged):
  // isFullscreen and isStretched then say so.
  void fSetMode(int width, int height, std::uint8_t fullscreen, std::uint8_t stretch);
  void fApplyStyle();
  void fGetOuterSize(int width, int height, int& outerWidth, int& outerHeight);
  void fUpdateLetterbox();

  void fSetBorder(std::uint8_t value);
  void fSetResizable(std::uint8_t value);
  void fSetMaximizeBox(std::uint8_t value);
  void fSetMinimizeBox(std::uint8_t value);
  void fSetSpareFlag(std::uint8_t value) { _spareFlag = value; }
  std::uint8_t fGetSpareFlag() const { return _spareFlag; }

  void fSetCaption(const std::string& utf8);
  void fScreenToGame(POINT screen, QS_POINT& out);
  QS_POINT fScreenToGamePoint(POINT screen);

  void fSleep(std::uint32_t milliseconds) { Sleep(milliseconds); }
  static void fGetScreenSize(QS_POINT& out);
  static void fGetDesktopSize(int& width, int& height);
  static QS_POINT fGetScreenPoint();
  static std::uint32_t fGetTime() { return timeGetTime(); }
  static std::uint32_t fGetTimeTo(std::uint32_t& out) { return out = timeGetTime(); }
  // True once a quit signal (SIGTERM, SIGINT) asked the program to end: its close request is then
  // no question the player could answer.
  static bool fIsQuitSignalled();
  // Translates a key through the platform with the given key states; 1 when it produced a
  // character, else -1.
  static int fKeyToUnicode(std::uint32_t virtualKey, std::uint8_t keyStates[256], wchar_t* buffer, int size);

  std::uint32_t fGetMemoryUsage();
  int fGetMemoryUsageMB();

  static LRESULT fWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

  int fGetWidth() const { return _width; }
  int fGetHeight() const { return _height; }
  void fSetSize(int width, int height) {
    _width = width;
    _height = height;
  }
  std::uint8_t isFullscreen() const { return _fullscreen; }
  std::uint8_t isStretched() const { return _stretch; }
  // True when the last mode asked for a window and got full screen, the window not fitting.
  bool isForcedFullscreen() const { return _forcedFullscreen; }
  std::uint32_t fGetStyle() const { return _style; }
  std::uint32_t fGetExStyle() const { return _exStyle; }
  float fGetLetterboxScale() const { return _letterboxScale; }
  QS_VEC2 fGetLetterboxOffset() const { return _letterboxOffset; }
  int fGetDesktopWidth() const { return _desktopWidth; }
  int fGetDesktopHeight() const { return _desktopHeight; }

 private:
  void fApplyFlag(std::uint8_t& flag, std::uint8_t value);

  HWND _handle;
  HCURSOR _cursor;
  int _width;
  int _height;
  std::uint8_t _fullscreen;
  int _desktopWidth;
  int _desktopHeight;
  WNDCLASSEXA _classRecord;
  std::uint32_t _style;
  std::uint32_t _exStyle;
  PROCESS_MEMORY_COUNTERS _memoryCounters;
  std::uint8_t _border;
  std::uint8_t _resize;
  std::uint8_t _minimizeBox;
  std::uint8_t _maximizeBox;
  std::uint8_t _spareFlag;
  float _letterboxScale;
  QS_VEC2 _letterboxOffset;
  std::uint8_t _stretch;
  bool _forcedFullscreen = false;
};

// Drains the message queue: mouse and keys go to the input, close to the quit hook.
int fProcessMessages(QC_INPUT* input, QC_WINDOW* window);
// Shows or hides the system cursor whatever the display counter was before.
void fShowSystemCursor(HWND window, bool show);

}  // namespace QOR
