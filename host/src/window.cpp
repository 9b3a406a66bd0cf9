// Window class registration, window creation, style and placement on top of SDL windows.
#include "host/src/host_internal.h"
#include "host/win_system.h"
#include "host/win_window.h"

#include <memory>
#include <string>
#include <vector>

namespace {

struct HostInstance : HostObject {};
struct HostStockObject : HostObject {};
struct HostCursor : HostObject {};

struct RegisteredClass {
  std::string name;
  WNDCLASSEXA record;
};

std::vector<RegisteredClass>& classes() {
  static std::vector<RegisteredClass> list;
  return list;
}

// Window records stay allocated until the process ends, so a handle to a destroyed window is
// recognised as dead instead of dangling.
std::vector<std::unique_ptr<HostWindow>>& windows() {
  static std::vector<std::unique_ptr<HostWindow>> list;
  return list;
}

std::string narrow(const wchar_t* text) {
  std::string out;
  if (text == nullptr) return out;
  for (; *text != 0; ++text) {
    const char32_t c = static_cast<char32_t>(*text);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x110000) {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

const WNDCLASSEXA* findClass(const std::string& name) {
  for (const RegisteredClass& c : classes()) {
    if (c.name == name) return &c.record;
  }
  return nullptr;
}

bool isFullDesktop(const HostWindow& w) {
  const int dw = GetSystemMetrics(SM_CXSCREEN);
  const int dh = GetSystemMetrics(SM_CYSCREEN);
  return (w.style & WS_POPUP) != 0 && w.outer.left <= 0 && w.outer.top <= 0 && w.outer.right >= dw &&
         w.outer.bottom >= dh;
}

// Moves the SDL window so that its client area matches the outer rectangle minus the frame.
void applyPlacement(HostWindow& w) {
  if (w.sdl == nullptr) return;
  if (isFullDesktop(w)) {
    // Without a window manager (a bare X server) a full-screen request leaves the window as it
    // was, so it first covers the desktop itself, borderless, and then asks for full screen.
    SDL_SetWindowBordered(w.sdl, SDL_FALSE);
    SDL_SetWindowPosition(w.sdl, 0, 0);
    SDL_SetWindowSize(w.sdl, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    SDL_SetWindowFullscreen(w.sdl, SDL_WINDOW_FULLSCREEN_DESKTOP);
    return;
  }
  SDL_SetWindowFullscreen(w.sdl, 0);
  const RECT frame = host_detail::fFrameFor(w.style, w.exStyle);
  const int cw = (w.outer.right - w.outer.left) - frame.left - frame.right;
  const int ch = (w.outer.bottom - w.outer.top) - frame.top - frame.bottom;
  SDL_SetWindowBordered(w.sdl, (w.style & WS_CAPTION) == WS_CAPTION ? SDL_TRUE : SDL_FALSE);
  SDL_SetWindowResizable(w.sdl, (w.style & WS_THICKFRAME) != 0 ? SDL_TRUE : SDL_FALSE);
  SDL_SetWindowSize(w.sdl, cw > 0 ? cw : 1, ch > 0 ? ch : 1);
  SDL_SetWindowPosition(w.sdl, w.outer.left + frame.left, w.outer.top + frame.top);
  SDL_SetWindowAlwaysOnTop(w.sdl, w.topmost ? SDL_TRUE : SDL_FALSE);
}

}  // namespace

namespace host_detail {

HostWindow* fWindowFromSdlId(Uint32 id) {
  for (auto& w : windows()) {
    if (w->alive && w->sdl != nullptr && SDL_GetWindowID(w->sdl) == id) return w.get();
  }
  return nullptr;
}

bool fIsLiveWindow(HWND window) {
  if (window == nullptr) return false;
  for (auto& w : windows()) {
    if (w.get() == window) return w->alive;
  }
  return false;
}

HWND fMainWindow() {
  for (auto& w : windows()) {
    if (w->alive) return w.get();
  }
  return nullptr;
}

}  // namespace host_detail

HMODULE GetModuleHandleA(const char* /*name*/) {
  static HostInstance instance;
  return &instance;
}

HCURSOR LoadCursorA(HINSTANCE, const char*) {
  static HostCursor arrow;
  return &arrow;
}

HGDIOBJ GetStockObject(int /*object*/) {
  static HostStockObject brush;
  return &brush;
}

ATOM RegisterClassExA(const WNDCLASSEXA* record) {
  if (record == nullptr || record->lpszClassName == nullptr || record->lpfnWndProc == nullptr ||
      record->cbSize != sizeof(WNDCLASSEXA)) {
    return 0;
  }
  const std::string name = record->lpszClassName;
  if (name.empty() || findClass(name) != nullptr) return 0;
  classes().push_back({name, *record});
  return static_cast<ATOM>(classes().size());
}

BOOL UnregisterClassA(const char* className, HINSTANCE) {
  if (className == nullptr) return FALSE;
  auto& list = classes();
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (it->name == className) {
      list.erase(it);
      return TRUE;
    }
  }
  return FALSE;
}

HWND CreateWindowExW(DWORD exStyle, const wchar_t* className, const wchar_t* caption, DWORD style, int x, int y,
                     int width, int height, HWND, HMENU, HINSTANCE, void*) {
  const WNDCLASSEXA* cls = findClass(narrow(className));
  if (cls == nullptr) return nullptr;
  if (!host_detail::fEnsureVideo()) return nullptr;

  auto w = std::make_unique<HostWindow>();
  w->proc = cls->lpfnWndProc;
  w->style = style;
  w->exStyle = exStyle;
  w->outer = RECT{x, y, x + width, y + height};
  w->caption = caption != nullptr ? caption : L"";

  const RECT frame = host_detail::fFrameFor(style, exStyle);
  int cw = width - frame.left - frame.right;
  int ch = height - frame.top - frame.bottom;
  if (cw < 1) cw = 1;
  if (ch < 1) ch = 1;
  const std::string title = narrow(w->caption.c_str());
  // A GL-capable window when the driver has GL, else a plain one (drawing then fails cleanly). The
  // device draws into buffers of its own and only shows the picture in the window, so the window
  // needs no depth or stencil buffer of its own.
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  w->sdl = SDL_CreateWindow(title.c_str(), x + frame.left, y + frame.top, cw, ch, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (w->sdl == nullptr) {
    w->sdl = SDL_CreateWindow(title.c_str(), x + frame.left, y + frame.top, cw, ch, SDL_WINDOW_HIDDEN);
  }
  if (w->sdl == nullptr) {
    host_detail::fSetLastFailure(ERROR_NOT_SUPPORTED, std::string("the window cannot be made (") + SDL_GetError() + ")");
    return nullptr;
  }
  // The class's icon (LoadImageA, icon.cpp), the small one when there is no large one.
  w->icon = cls->hIcon != nullptr ? cls->hIcon : cls->hIconSm;
  if (SDL_Surface* icon = host_detail::fIconSurface(w->icon)) SDL_SetWindowIcon(w->sdl, icon);
  windows().push_back(std::move(w));
  return windows().back().get();
}

BOOL DestroyWindow(HWND window) {
  if (!host_detail::fIsLiveWindow(window)) return FALSE;
  SendMessageA(window, WM_DESTROY, 0, 0);
  window->alive = false;
  // The SDL window is only hidden: a renderer may still hold a context on it until exit.
  if (window->sdl != nullptr) SDL_HideWindow(window->sdl);
  return TRUE;
}

BOOL IsWindow(HWND window) { return host_detail::fIsLiveWindow(window) ? TRUE : FALSE; }

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL /*menu*/, DWORD exStyle) {
  if (rect == nullptr) return FALSE;
  const RECT frame = host_detail::fFrameFor(style, exStyle);
  rect->left -= frame.left;
  rect->top -= frame.top;
  rect->right += frame.right;
  rect->bottom += frame.bottom;
  return TRUE;
}

LONG SetWindowLongA(HWND window, int index, LONG value) {
  if (!host_detail::fIsLiveWindow(window)) return 0;
  LONG previous = 0;
  if (index == GWL_STYLE) {
    previous = static_cast<LONG>(window->style);
    window->style = static_cast<DWORD>(value);
  } else if (index == GWL_EXSTYLE) {
    previous = static_cast<LONG>(window->exStyle);
    window->exStyle = static_cast<DWORD>(value);
  }
  return previous;
}

LONG GetWindowLongA(HWND window, int index) {
  if (!host_detail::fIsLiveWindow(window)) return 0;
  if (index == GWL_STYLE) return static_cast<LONG>(window->style);
  if (index == GWL_EXSTYLE) return static_cast<LONG>(window->exStyle);
  return 0;
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  if (!host_detail::fIsLiveWindow(window)) return FALSE;
  if (insertAfter == HWND_TOPMOST) window->topmost = true;
  if (insertAfter == HWND_NOTOPMOST) window->topmost = false;
  window->outer = RECT{x, y, x + cx, y + cy};
  applyPlacement(*window);
  if ((flags & SWP_SHOWWINDOW) != 0 && window->sdl != nullptr) {
    SDL_ShowWindow(window->sdl);
    window->shown = true;
    window->unmapped = false;
  }
  return TRUE;
}

BOOL GetWindowRect(HWND window, RECT* rect) {
  if (!host_detail::fIsLiveWindow(window) || rect == nullptr) return FALSE;
  *rect = window->outer;
  return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect) {
  if (!host_detail::fIsLiveWindow(window) || rect == nullptr) return FALSE;
  int w = 0;
  int h = 0;
  if (window->sdl != nullptr) SDL_GetWindowSize(window->sdl, &w, &h);
  *rect = RECT{0, 0, w, h};
  return TRUE;
}

BOOL SetWindowTextW(HWND window, const wchar_t* text) {
  if (!host_detail::fIsLiveWindow(window)) return FALSE;
  window->caption = text != nullptr ? text : L"";
  if (window->sdl != nullptr) SDL_SetWindowTitle(window->sdl, narrow(window->caption.c_str()).c_str());
  return TRUE;
}

BOOL ShowWindow(HWND window, int command) {
  if (!host_detail::fIsLiveWindow(window)) return FALSE;
  const BOOL wasVisible = window->shown ? TRUE : FALSE;
  if (command == SW_HIDE) {
    if (window->sdl != nullptr) SDL_HideWindow(window->sdl);
    window->shown = false;
    return wasVisible;
  }
  if (window->sdl != nullptr) SDL_ShowWindow(window->sdl);
  window->shown = true;
  window->unmapped = false;
  if (wasVisible == FALSE) {
    // Showing a window activates it and gives it the focus, as on the original platform.
    SendMessageA(window, WM_ACTIVATE, WA_ACTIVE, 0);
    SendMessageA(window, WM_SETFOCUS, 0, 0);
  }
  return wasVisible;
}

BOOL UpdateWindow(HWND window) { return host_detail::fIsLiveWindow(window) ? TRUE : FALSE; }

BOOL IsIconic(HWND window) { return host_detail::fIsLiveWindow(window) && window->minimised ? TRUE : FALSE; }

BOOL IsWindowVisible(HWND window) {
  return host_detail::fIsLiveWindow(window) && window->shown && !window->unmapped ? TRUE : FALSE;
}

BOOL ScreenToClient(HWND window, POINT* point) {
  if (!host_detail::fIsLiveWindow(window) || point == nullptr) return FALSE;
  // The client origin follows from the window rectangle and the frame of its style, the same
  // metrics AdjustWindowRectEx uses, so the mapping does not depend on the window manager.
  const RECT frame = host_detail::fFrameFor(window->style, window->exStyle);
  point->x -= window->outer.left + frame.left;
  point->y -= window->outer.top + frame.top;
  return TRUE;
}

namespace host_detail {
// Tells the GL device which SDL window a handle stands for.
SDL_Window* fSdlWindow(HWND window) { return fIsLiveWindow(window) ? window->sdl : nullptr; }
}  // namespace host_detail
