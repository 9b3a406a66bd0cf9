// The program's windows while one of its message boxes waits for the player. SDL's connection is
// still read, so the window manager's pings are answered and the windows do not pass for hung;
// the input aimed at them meanwhile is dropped, as a modal box's owner takes none; a close request
// met during a question is dropped (the player's answer decides), one met during a plain box
// stays queued for after it.
#include "host/src/host_internal.h"

#include <SDL2/SDL_syswm.h>

#include <unistd.h>

namespace {

// SDL's events are read only on the thread that runs the program's windows: the main one.
SDL_Window* servedWindow() {
  HWND main = host_detail::fMainWindow();
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || main == nullptr || gettid() != getpid()) return nullptr;
  return main->sdl;
}

int keep(void* question, SDL_Event* event) {
  switch (event->type) {
    case SDL_QUIT: return *static_cast<bool*>(question) ? 0 : 1;
    case SDL_WINDOWEVENT:
      return event->window.event == SDL_WINDOWEVENT_CLOSE && *static_cast<bool*>(question) ? 0 : 1;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    case SDL_TEXTINPUT:
    case SDL_TEXTEDITING:
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL: return 0;
    default: return 1;
  }
}

}  // namespace

namespace host_detail {

int fProgramConnection() {
  SDL_Window* window = servedWindow();
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return -1;
  return ConnectionNumber(info.info.x11.display);
}

void fServeProgramWindows(bool question) {
  if (servedWindow() == nullptr) return;
  SDL_PumpEvents();
  SDL_FilterEvents(&keep, &question);
}

}  // namespace host_detail
