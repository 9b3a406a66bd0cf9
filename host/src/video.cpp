// Lazy start of SDL's video subsystem, the desktop size and work area, and the frame metrics of
// window styles.
#include "host/src/host_internal.h"
#include "host/test_doors.h"
#include "host/win_system.h"
#include "host/win_window.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {
int g_desktopOverrideWidth = 0;
int g_desktopOverrideHeight = 0;
// Within an overridden desktop: its usable area (empty: the whole desktop).
RECT g_workAreaOverride{0, 0, 0, 0};
bool g_forceNonInteractive = false;

// SDL's drivers that show nothing on any screen.
bool isInvisibleDriver(const char* driver) {
  return std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0;
}

// True when SDL_VIDEODRIVER (the variable or the hint) names the driver: the tests ask for the
// offscreen and dummy drivers this way.
bool isAskedFor(const char* driver) {
  const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  if (asked == nullptr) return false;
  const std::string list = asked;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t end = std::min(list.find(',', start), list.size());
    if (list.compare(start, end - start, driver) == 0 && std::strlen(driver) == end - start) return true;
    start = end + 1;
  }
  return false;
}
}  // namespace

namespace host_detail {

bool fEnsureVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) return true;
  // A refused start stays refused (every later call would find the same), with its cause.
  static std::string refusal;
  if (!refusal.empty()) {
    fSetLastFailure(ERROR_NOT_SUPPORTED, refusal);
    return false;
  }
  // SDL's own SIGINT/SIGTERM handlers would only work once video is up and while a window exists;
  // the process entry catches both itself (host/quit_signals.h).
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // Closing the last window is already one WM_CLOSE; SDL's extra SDL_QUIT would make it two.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // Mesa's software renderer starts a rasteriser thread a core and wakes every one of them for each
  // frame. A frame of ours changes a few boxes, which two threads draw for less than what waking
  // eight costs (a menu at rest, a blinking hint pair). A setting of the user's own is kept.
  setenv("LP_NUM_THREADS", "2", 0);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    fSetLastFailure(ERROR_NOT_SUPPORTED, std::string("no display could be opened (") + SDL_GetError() + ")");
    return false;
  }
  // Without a display SDL falls back to its offscreen driver, which shows nothing: a program that
  // did not ask for it would run where nobody sees it and nothing can end it.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver != nullptr && isInvisibleDriver(driver) && !isAskedFor(driver)) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    refusal = "there is no display to open (DISPLAY and WAYLAND_DISPLAY are not set)";
    for (const char* name : {"WAYLAND_DISPLAY", "DISPLAY"}) {
      const char* display = std::getenv(name);
      if (display != nullptr && display[0] != '\0') refusal = std::string("no display could be opened at ") + name + "=" + display;
    }
    fSetLastFailure(ERROR_NOT_SUPPORTED, refusal);
    return false;
  }
  return true;
}

bool fVideoIsInteractive() {
  if (g_forceNonInteractive) return false;
  const char* env = std::getenv("QOR_NONINTERACTIVE");
  if (env != nullptr && env[0] != '\0' && std::strcmp(env, "0") != 0) return false;
  if (!fEnsureVideo()) return false;
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver != nullptr && !isInvisibleDriver(driver);
}

RECT fFrameFor(DWORD style, DWORD /*exStyle*/) {
  RECT frame{0, 0, 0, 0};
  int side = 0;
  if ((style & WS_THICKFRAME) != 0) {
    side = 8;
  } else if ((style & WS_CAPTION) != 0) {
    side = 3;
  }
  frame.left = side;
  frame.right = side;
  frame.bottom = side;
  frame.top = side + (((style & WS_CAPTION) == WS_CAPTION) ? 23 : 0);
  return frame;
}

void fLogLine(const std::string& text) { std::cout << '\n' << text << std::flush; }

}  // namespace host_detail

int GetSystemMetrics(int index) {
  if (index != SM_CXSCREEN && index != SM_CYSCREEN) return 0;
  if (g_desktopOverrideWidth > 0 && g_desktopOverrideHeight > 0) {
    return index == SM_CXSCREEN ? g_desktopOverrideWidth : g_desktopOverrideHeight;
  }
  if (!host_detail::fEnsureVideo()) return 0;
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return 0;
  return index == SM_CXSCREEN ? mode.w : mode.h;
}

BOOL SystemParametersInfoA(UINT action, UINT /*param*/, void* pvParam, UINT /*winIni*/) {
  if (action != SPI_GETWORKAREA || pvParam == nullptr) return FALSE;
  RECT* area = static_cast<RECT*>(pvParam);
  if (g_desktopOverrideWidth > 0 && g_desktopOverrideHeight > 0) {
    *area = g_workAreaOverride.right > g_workAreaOverride.left
                ? g_workAreaOverride
                : RECT{0, 0, g_desktopOverrideWidth, g_desktopOverrideHeight};
    return TRUE;
  }
  SDL_Rect usable{};
  if (!host_detail::fEnsureVideo() || SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.w <= 0 || usable.h <= 0) {
    return FALSE;
  }
  *area = RECT{usable.x, usable.y, usable.x + usable.w, usable.y + usable.h};
  return TRUE;
}

namespace host_test {
void fSetDesktopSize(int width, int height) {
  g_desktopOverrideWidth = width;
  g_desktopOverrideHeight = height;
  g_workAreaOverride = RECT{0, 0, 0, 0};
}
void fSetWorkArea(int left, int top, int right, int bottom) { g_workAreaOverride = RECT{left, top, right, bottom}; }
void fSetNonInteractive(bool on) { g_forceNonInteractive = on; }
}  // namespace host_test
