// The program's windows while one of its message boxes waits for the player. SDL's connection is
// still read, so the window manager's pings are answered and the windows do not pass for hung;
// the input aimed at them meanwhile is dropped, as a modal box's owner takes none; a close request
// met during a question is dropped (the player's answer decides), one met during a plain box
// stays queued for after it.
#include "host/src/host_internal.h"
#include "host/win_keyboard.h"

#include <SDL2/SDL_syswm.h>

#include <unistd.h>

#include <set>

namespace {

// Keys and buttons whose press a box swallowed and that were still down when it closed: their
// release, when it comes, is the box's too.
std::set<UINT> g_swallowed;

UINT buttonKey(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT: return VK_LBUTTON;
    case SDL_BUTTON_RIGHT: return VK_RBUTTON;
    case SDL_BUTTON_MIDDLE: return VK_MBUTTON;
    default: return 0;
  }
}

UINT keyOf(const SDL_Event& event) {
  return host_detail::fVirtualKeyFromSdl(event.key.keysym.sym, event.key.keysym.scancode);
}

bool isClose(const SDL_Event& event) {
  return event.type == SDL_QUIT || (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE);
}

}  // namespace

namespace host_detail {

BOX_WAIT::BOX_WAIT(bool question) : _question(question) {
  // SDL's events are read only on the thread that runs the program's windows: the main one.
  HWND main = fMainWindow();
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || main == nullptr || main->sdl == nullptr || gettid() != getpid()) return;
  _active = true;
  int count = 0;
  const Uint8* keys = SDL_GetKeyboardState(&count);
  for (int scancode = 0; keys != nullptr && scancode < count; ++scancode) {
    if (keys[scancode] == 0) continue;
    const SDL_Scancode scan = static_cast<SDL_Scancode>(scancode);
    _held.insert(fVirtualKeyFromSdl(SDL_GetKeyFromScancode(scan), scan));
  }
  const Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
  for (const Uint8 button : {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE}) {
    if ((buttons & SDL_BUTTON(button)) != 0) _held.insert(buttonKey(button));
  }
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(main->sdl, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
    _connection = ConnectionNumber(info.info.x11.display);
  }
}

BOX_WAIT::~BOX_WAIT() {
  for (const UINT key : _pressed) g_swallowed.insert(key);
}

void BOX_WAIT::fServe() {
  if (!_active) return;
  SDL_PumpEvents();
  SDL_FilterEvents(&BOX_WAIT::fKeep, this);
}

int BOX_WAIT::fKeep(void* self, SDL_Event* event) {
  BOX_WAIT& wait = *static_cast<BOX_WAIT*>(self);
  if (isClose(*event)) return wait._question ? 0 : 1;
  UINT key = 0;
  bool down = false;
  switch (event->type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      key = keyOf(*event);
      down = event->type == SDL_KEYDOWN;
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      key = buttonKey(event->button.button);
      down = event->type == SDL_MOUSEBUTTONDOWN;
      break;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEWHEEL:
    case SDL_TEXTINPUT:
    case SDL_TEXTEDITING:
      return 0;
    default:
      return 1;
  }
  if (key == 0) return 0;
  if (down) {
    if (wait._held.count(key) == 0) wait._pressed.insert(key);
    return 0;
  }
  // The release of what was held before the box opened is the program's, or it would stay down.
  if (wait._held.erase(key) != 0 && wait._pressed.count(key) == 0) return 1;
  wait._pressed.erase(key);
  return 0;
}

bool fSwallowedRelease(UINT key, bool down) {
  if (down) {
    // A new press: the release the box swallowed was lost on the way.
    g_swallowed.erase(key);
    return false;
  }
  return g_swallowed.erase(key) != 0;
}

}  // namespace host_detail
