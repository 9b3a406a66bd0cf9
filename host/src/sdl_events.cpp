// Turns SDL's events into the window messages the engine's pump expects.
#include "host/src/host_internal.h"
#include "host/win_keyboard.h"
#include "host/win_system.h"
#include "host/win_window.h"

#include <vector>

namespace {

unsigned g_exposures = 0;

// Client coordinates of an event become the tracked screen position of the cursor.
void trackCursor(HostWindow* window, int x, int y) {
  const RECT frame = host_detail::fFrameFor(window->style, window->exStyle);
  host_detail::fSetTrackedCursor(window->outer.left + frame.left + x, window->outer.top + frame.top + y);
}

// Modifier keys type nothing themselves: a text next to one was committed by an input method.
bool isModifier(UINT vk) { return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU || vk == VK_CAPITAL; }

UINT mouseDown(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT: return WM_LBUTTONDOWN;
    case SDL_BUTTON_RIGHT: return WM_RBUTTONDOWN;
    case SDL_BUTTON_MIDDLE: return WM_MBUTTONDOWN;
    default: return 0;
  }
}

UINT mouseUp(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT: return WM_LBUTTONUP;
    case SDL_BUTTON_RIGHT: return WM_RBUTTONUP;
    case SDL_BUTTON_MIDDLE: return WM_MBUTTONUP;
    default: return 0;
  }
}

}  // namespace

namespace host_detail {

std::u32string fDecodeUtf8(const char* text) {
  std::u32string out;
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  while (*p != 0) {
    char32_t c = *p;
    int extra = 0;
    if (c >= 0xF0) {
      c &= 0x07;
      extra = 3;
    } else if (c >= 0xE0) {
      c &= 0x0F;
      extra = 2;
    } else if (c >= 0xC0) {
      c &= 0x1F;
      extra = 1;
    } else if (c >= 0x80) {
      ++p;  // stray continuation byte
      continue;
    }
    ++p;
    bool ok = true;
    for (int i = 0; i < extra; ++i) {
      if ((*p & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      c = (c << 6) | (*p & 0x3F);
      ++p;
    }
    if (ok) out += c;
  }
  return out;
}

unsigned fWindowExposures() { return g_exposures; }

void fPollSdlEvents() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  // A key's text comes right after its key-down in SDL's queue: collect the batch first, then
  // pair them.
  struct Pending {
    MSG msg;
    std::u32string text;
  };
  std::vector<Pending> batch;
  // The batch's last entry, when it is a key-down that came straight before this event and may
  // still take its text.
  bool keyAwaitsText = false;
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) {
    const bool afterKeyDown = keyAwaitsText;
    keyAwaitsText = false;
    switch (event.type) {
      case SDL_QUIT: {
        HWND main = fMainWindow();
        if (main != nullptr) batch.push_back({host_detail::fMakeMessage(main, WM_CLOSE, 0, 0), {}});
        break;
      }
      case SDL_WINDOWEVENT: {
        HostWindow* w = fWindowFromSdlId(event.window.windowID);
        if (w == nullptr) break;
        switch (event.window.event) {
          case SDL_WINDOWEVENT_CLOSE: batch.push_back({host_detail::fMakeMessage(w, WM_CLOSE, 0, 0), {}}); break;
          case SDL_WINDOWEVENT_FOCUS_GAINED:
            batch.push_back({host_detail::fMakeMessage(w, WM_ACTIVATE, WA_ACTIVE, 0), {}});
            batch.push_back({host_detail::fMakeMessage(w, WM_SETFOCUS, 0, 0), {}});
            break;
          case SDL_WINDOWEVENT_FOCUS_LOST:
            batch.push_back({host_detail::fMakeMessage(w, WM_ACTIVATE, WA_INACTIVE, 0), {}});
            batch.push_back({host_detail::fMakeMessage(w, WM_KILLFOCUS, 0, 0), {}});
            break;
          case SDL_WINDOWEVENT_MINIMIZED:
            w->minimised = true;
            batch.push_back({host_detail::fMakeMessage(w, WM_ACTIVATE, WA_INACTIVE | (WPARAM{1} << 16), 0), {}});
            break;
          // A window manager unmaps the window it iconifies and maps it again as it restores it.
          case SDL_WINDOWEVENT_HIDDEN: w->unmapped = true; break;
          case SDL_WINDOWEVENT_SHOWN:
            w->unmapped = false;
            ++g_exposures;
            break;
          case SDL_WINDOWEVENT_RESTORED:
          case SDL_WINDOWEVENT_MAXIMIZED:
            w->minimised = false;
            ++g_exposures;
            break;
          case SDL_WINDOWEVENT_EXPOSED:
          case SDL_WINDOWEVENT_SIZE_CHANGED:
            ++g_exposures;
            break;
          default: break;
        }
        break;
      }
      case SDL_MOUSEMOTION: {
        HostWindow* w = fWindowFromSdlId(event.motion.windowID);
        if (w == nullptr) break;
        trackCursor(w, event.motion.x, event.motion.y);
        batch.push_back({host_detail::fMakeMessage(w, WM_MOUSEMOVE, 0, 0), {}});
        break;
      }
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        HostWindow* w = fWindowFromSdlId(event.button.windowID);
        if (w == nullptr) break;
        trackCursor(w, event.button.x, event.button.y);
        const UINT id = event.type == SDL_MOUSEBUTTONDOWN ? mouseDown(event.button.button) : mouseUp(event.button.button);
        if (id != 0) batch.push_back({host_detail::fMakeMessage(w, id, 0, 0), {}});
        break;
      }
      case SDL_MOUSEWHEEL: {
        HostWindow* w = fWindowFromSdlId(event.wheel.windowID);
        if (w == nullptr) break;
        const WPARAM delta = static_cast<WPARAM>(static_cast<std::uint16_t>(event.wheel.y * 120)) << 16;
        batch.push_back({host_detail::fMakeMessage(w, WM_MOUSEWHEEL, delta, 0), {}});
        break;
      }
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        HostWindow* w = fWindowFromSdlId(event.key.windowID);
        if (w == nullptr) break;
        const UINT vk = fVirtualKeyFromSdl(event.key.keysym.sym, event.key.keysym.scancode);
        if (vk == 0) break;
        // Alt combinations and F10 are system keys, which the pump does not turn into input.
        const bool system = (event.key.keysym.mod & KMOD_ALT) != 0 || vk == VK_MENU || vk == VK_F10;
        const bool down = event.type == SDL_KEYDOWN;
        const UINT id = system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
        LPARAM lParam = static_cast<LPARAM>(event.key.keysym.scancode) << 16;
        if (event.key.repeat != 0) lParam |= LPARAM{1} << 30;
        batch.push_back({host_detail::fMakeMessage(w, id, vk, lParam), {}});
        keyAwaitsText = id == WM_KEYDOWN && !isModifier(vk);
        break;
      }
      case SDL_TEXTINPUT: {
        // Text goes to the window with the keyboard focus; SDL may not name one.
        HostWindow* w = fWindowFromSdlId(event.text.windowID);
        if (w == nullptr) w = fMainWindow();
        if (w == nullptr) break;
        const std::u32string text = fDecodeUtf8(event.text.text);
        std::size_t next = 0;
        // The key-down just before takes the first character, as a key types it; the field reads
        // one character per key-down.
        if (afterKeyDown && !text.empty()) batch.back().text = text.substr(0, ++next);
        // Every other character (one the layout has no key for, one an input method or another
        // program typed, the rest of a longer text) comes as its own key-down and key-up of
        // VK_PACKET, as the original platform sends them.
        for (; next < text.size(); ++next) {
          batch.push_back({host_detail::fMakeMessage(w, WM_KEYDOWN, VK_PACKET, 0), text.substr(next, 1)});
          batch.push_back({host_detail::fMakeMessage(w, WM_KEYUP, VK_PACKET, 0), {}});
        }
        break;
      }
      default: break;
    }
  }
  for (Pending& p : batch) fQueueIncoming(p.msg, p.text, true);
}

}  // namespace host_detail
