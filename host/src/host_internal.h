// Records behind the stand-in's handles and the state its parts share.
#pragma once

#include "host/win_types.h"

#include <SDL2/SDL.h>

#include <string>

struct HostObject {
  virtual ~HostObject() = default;
};

struct HostWindow {
  SDL_Window* sdl = nullptr;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT outer{0, 0, 0, 0};  // window rectangle in screen pixels, frame included
  std::wstring caption;
  bool alive = true;
  bool shown = false;
  bool minimised = false;  // as SDL's window events last said
  bool unmapped = false;   // taken off the screen by the desktop or by a hide
  bool topmost = false;
  HICON icon = nullptr;  // the class's icon given to the SDL window, or null
};

namespace host_detail {

// Starts SDL's video subsystem on first use; false when no video driver can start, or when only
// SDL's offscreen or dummy driver could, which the process did not ask for (SDL_VIDEODRIVER): a
// window there would be invisible. The last error then says why.
bool fEnsureVideo();
bool fVideoIsInteractive();
// Shows a box with the caption, the text and an OK button (OK and Cancel for a question) on the X
// display of DISPLAY, drawn inside this process with a core font every X server has, and waits for
// the answer: IDOK or IDCANCEL. The text wraps to fit the screen and the box stands centred over
// the owner's window, wholly on the screen. A quit signal closes it as the window's close button
// would (IDOK, or IDCANCEL for a question). While it waits the program's windows are served
// (fServeProgramWindows). When it closes, the owner's X window (unless 0) gets the keyboard focus.
// 0 when no box can be shown there.
int fShowX11MessageBox(const std::string& caption, const std::string& text, bool question, unsigned long owner);

// While a box waits for the player (box_wait.cpp): the descriptor of SDL's X connection (-1 when
// there is none, or this is not the thread of the program's windows), and one serving of it: the
// window manager's pings are answered, input aimed at the program's windows is dropped, and so,
// during a question, are their close requests.
int fProgramConnection();
void fServeProgramWindows(bool question);

// Sets the calling thread's last error with the text FormatMessageA gives for it.
void fSetLastFailure(DWORD code, const std::string& text);

// The frame AdjustWindowRectEx adds around a client area for a style.
RECT fFrameFor(DWORD style, DWORD exStyle);

HostWindow* fWindowFromSdlId(Uint32 id);
bool fIsLiveWindow(HWND window);
HWND fMainWindow();
SDL_Window* fSdlWindow(HWND window);
// The picture of an icon handle made by LoadImageA; null for anything else.
SDL_Surface* fIconSurface(HICON icon);

// Cursor position in screen pixels as the stand-in tracks it.
void fSetTrackedCursor(int x, int y);

// Translates SDL's pending events into window messages (message queue).
void fPollSdlEvents();
// How many times a window was shown, exposed or resized: its picture must be drawn again.
unsigned fWindowExposures();
// A message stamped with the time and the tracked cursor position.
MSG fMakeMessage(HWND window, UINT id, WPARAM wParam, LPARAM lParam);
void fQueueIncoming(const MSG& message, const std::u32string& text, bool fromDevice);
// The code points of UTF-8 text; stray and cut-off bytes are left out.
std::u32string fDecodeUtf8(const char* text);
// True once SIGTERM or SIGINT asked the process to quit (host/quit_signals.h).
bool fQuitSignalled();
// Queues WM_CLOSE to the main window once a quit signal was caught (host/quit_signals.h); the
// request waits while there is no window yet.
void fDeliverQuitRequest();

// The key-down message being handled now: its key, its text, and whether it came from the device.
struct CurrentKey {
  UINT virtualKey = 0;
  std::u32string text;
  bool fromDevice = false;
  bool valid = false;
};
const CurrentKey& fCurrentKey();

UINT fVirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scan);
void fLogLine(const std::string& text);

}  // namespace host_detail
