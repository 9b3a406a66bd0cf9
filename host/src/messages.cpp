// The thread's message queue: SDL events become window messages, drained by PeekMessageA.
//
// One pump is the run of PeekMessageA calls that ends with an empty queue. A release that follows
// its own press within one pump is held back, together with everything after it, for the next
// pump, so a quick tap is first seen pressed and only then released. So is a second key-down that
// types a character: the input keeps one typed character per update step, so each reaches it.
#include "host/src/host_internal.h"
#include "host/test_doors.h"
#include "host/win_keyboard.h"
#include "host/win_system.h"
#include "host/win_window.h"

#include <deque>
#include <set>

namespace {

struct Entry {
  MSG msg;
  std::u32string text;      // characters typed with this key-down
  bool fromDevice = false;  // came from the keyboard rather than a posted message
};

std::deque<Entry> g_incoming;  // translated or posted, not yet released to the queue
std::deque<Entry> g_queue;     // released to the current pump
bool g_pumpActive = false;
bool g_blocked = false;
std::set<UINT> g_downsThisPump;
bool g_typedThisPump = false;
host_detail::CurrentKey g_currentKey;

POINT g_cursor{0, 0};
int g_cursorCounter = 0;

// The key a button or key message is about, or 0 for other messages.
UINT keyOf(const MSG& m, bool& isDown) {
  isDown = false;
  switch (m.message) {
    case WM_LBUTTONDOWN: isDown = true; return VK_LBUTTON;
    case WM_LBUTTONUP: return VK_LBUTTON;
    case WM_RBUTTONDOWN: isDown = true; return VK_RBUTTON;
    case WM_RBUTTONUP: return VK_RBUTTON;
    case WM_MBUTTONDOWN: isDown = true; return VK_MBUTTON;
    case WM_MBUTTONUP: return VK_MBUTTON;
    case WM_KEYDOWN: isDown = true; return static_cast<UINT>(m.wParam) & 0xFFu;
    case WM_KEYUP: return static_cast<UINT>(m.wParam) & 0xFFu;
    default: return 0;
  }
}

void release() {
  while (!g_blocked && !g_incoming.empty()) {
    Entry& e = g_incoming.front();
    bool isDown = false;
    const UINT key = keyOf(e.msg, isDown);
    if (key != 0) {
      const bool types = isDown && !e.text.empty();
      if ((types && g_typedThisPump) || (!isDown && g_downsThisPump.count(key) != 0)) {
        g_blocked = true;
        break;
      }
      if (isDown) g_downsThisPump.insert(key);
      g_typedThisPump = g_typedThisPump || types;
    }
    g_queue.push_back(std::move(e));
    g_incoming.pop_front();
  }
}

}  // namespace

namespace host_detail {

MSG fMakeMessage(HWND window, UINT id, WPARAM wParam, LPARAM lParam) {
  MSG m{};
  m.hwnd = window;
  m.message = id;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = timeGetTime();
  m.pt = g_cursor;
  return m;
}

void fQueueIncoming(const MSG& message, const std::u32string& text, bool fromDevice) {
  g_incoming.push_back(Entry{message, text, fromDevice});
}

const CurrentKey& fCurrentKey() { return g_currentKey; }

void fSetTrackedCursor(int x, int y) {
  g_cursor.x = x;
  g_cursor.y = y;
}

}  // namespace host_detail

BOOL PeekMessageA(MSG* message, HWND, UINT, UINT, UINT removeFlag) {
  if (message == nullptr) return FALSE;
  if (!g_pumpActive) {
    g_pumpActive = true;
    g_blocked = false;
    g_downsThisPump.clear();
    g_typedThisPump = false;
    host_detail::fPollSdlEvents();
    host_detail::fDeliverQuitRequest();
  }
  release();
  if (g_queue.empty()) {
    g_pumpActive = false;
    return FALSE;
  }
  *message = g_queue.front().msg;
  if ((removeFlag & PM_REMOVE) != 0) {
    Entry e = std::move(g_queue.front());
    g_queue.pop_front();
    if (e.msg.message == WM_KEYDOWN || e.msg.message == WM_SYSKEYDOWN) {
      g_currentKey.virtualKey = static_cast<UINT>(e.msg.wParam);
      g_currentKey.text = std::move(e.text);
      g_currentKey.fromDevice = e.fromDevice;
      g_currentKey.valid = true;
    } else {
      g_currentKey.valid = false;
    }
  }
  return TRUE;
}

BOOL TranslateMessage(const MSG* message) {
  // Characters travel with their key-down message (see ToUnicode), so nothing is posted here.
  return (message != nullptr && (message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN)) ? TRUE : FALSE;
}

LRESULT DispatchMessageA(const MSG* message) {
  if (message == nullptr || !host_detail::fIsLiveWindow(message->hwnd)) return 0;
  return message->hwnd->proc(message->hwnd, message->message, message->wParam, message->lParam);
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!host_detail::fIsLiveWindow(window) || window->proc == nullptr) return 0;
  return window->proc(window, message, wParam, lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window != nullptr && !host_detail::fIsLiveWindow(window)) return FALSE;
  host_detail::fQueueIncoming(host_detail::fMakeMessage(window, message, wParam, lParam), std::u32string(), false);
  return TRUE;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM) {
  if (message == WM_CLOSE) DestroyWindow(window);
  return 0;
}

BOOL GetCursorPos(POINT* point) {
  if (point == nullptr) return FALSE;
  *point = g_cursor;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  g_cursor.x = x;
  g_cursor.y = y;
  HWND main = host_detail::fMainWindow();
  if (main != nullptr && main->sdl != nullptr && SDL_GetMouseFocus() == main->sdl) {
    POINT client{x, y};
    ScreenToClient(main, &client);
    SDL_WarpMouseInWindow(main->sdl, client.x, client.y);
  }
  return TRUE;
}

int ShowCursor(BOOL show) {
  g_cursorCounter += show != FALSE ? 1 : -1;
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_ShowCursor(g_cursorCounter >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return g_cursorCounter;
}

namespace host_test {
int fCursorCounter() { return g_cursorCounter; }
void fSetCursorCounter(int value) { g_cursorCounter = value; }
void fResetMessages() {
  g_incoming.clear();
  g_queue.clear();
  g_pumpActive = false;
  g_blocked = false;
  g_downsThisPump.clear();
  g_typedThisPump = false;
  g_currentKey = host_detail::CurrentKey{};
}
}  // namespace host_test
