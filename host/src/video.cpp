// Lazy start of SDL's video subsystem, the desktop size and the frame metrics of window styles.
#include "host/src/host_internal.h"
#include "host/test_doors.h"
#include "host/win_window.h"

#include <cstring>
#include <iostream>

namespace {
int g_desktopOverrideWidth = 0;
int g_desktopOverrideHeight = 0;
bool g_forceNonInteractive = false;
}  // namespace

namespace host_detail {

bool fEnsureVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) return true;
  // SDL's own SIGINT/SIGTERM handlers would only work once video is up and while a window exists;
  // the process entry catches both itself (host/quit_signals.h).
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // Closing the last window is already one WM_CLOSE; SDL's extra SDL_QUIT would make it two.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

bool fVideoIsInteractive() {
  if (g_forceNonInteractive) return false;
  const char* env = std::getenv("QOR_NONINTERACTIVE");
  if (env != nullptr && env[0] != '\0' && std::strcmp(env, "0") != 0) return false;
  if (!fEnsureVideo()) return false;
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr) return false;
  return std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
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

namespace host_test {
void fSetDesktopSize(int width, int height) {
  g_desktopOverrideWidth = width;
  g_desktopOverrideHeight = height;
}
void fSetNonInteractive(bool on) { g_forceNonInteractive = on; }
}  // namespace host_test
