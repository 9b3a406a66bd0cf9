// Message boxes: a real dialog on an interactive display, a log line everywhere else. An X display
// gets our own box (x11_message_box.cpp), which a quit signal closes and which cannot outlive the
// process; SDL's dialog serves only where there is no X display. An OK / Cancel question that is
// only logged answers what the test door says (OK unless told). Once a quit signal has come, no
// box waits for the player: it is logged and answers as closed (Cancel for a question), and the
// program leaves through its quit path.
#include "host/src/host_internal.h"
#include "host/test_doors.h"
#include "host/win_window.h"

#include <SDL2/SDL_syswm.h>

#include <atomic>
#include <string>

namespace {

std::atomic<int> g_messageBoxes{0};
std::atomic<int> g_loggedAnswer{IDOK};

// An OK / Cancel question as a dialog: IDOK or IDCANCEL (Enter and Escape choose them); -1 when
// no dialog could be shown.
int fAskDialog(SDL_Window* parent, const std::string& title, const std::string& body) {
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDCANCEL, "Cancel"},
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDOK, "OK"},
  };
  SDL_MessageBoxData data{};
  data.flags = SDL_MESSAGEBOX_WARNING;
  data.window = parent;
  data.title = title.c_str();
  data.message = body.c_str();
  data.numbuttons = 2;
  data.buttons = buttons;
  int chosen = -1;
  if (SDL_ShowMessageBox(&data, &chosen) != 0) return -1;
  // Closing the dialog without a button is no consent.
  return chosen == IDOK ? IDOK : IDCANCEL;
}

// The X window of the box's owner (else the main window) while it is shown: the box stands over
// it and it takes the keyboard focus back when the box closes; 0 when there is none.
unsigned long ownerWindow(HWND owner) {
  const HWND window = host_detail::fIsLiveWindow(owner) ? owner : host_detail::fMainWindow();
  if (window == nullptr || !window->shown || window->sdl == nullptr) return 0;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window->sdl, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return 0;
  return static_cast<unsigned long>(info.info.x11.window);
}

}  // namespace

namespace host_test {

int fMessageBoxCount() { return g_messageBoxes.load(); }
void fResetMessageBoxCount() { g_messageBoxes.store(0); }
void fSetMessageBoxAnswer(int answer) { g_loggedAnswer.store(answer); }

}  // namespace host_test

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
  g_messageBoxes.fetch_add(1);
  const std::string body = text != nullptr ? text : "";
  const std::string title = caption != nullptr ? caption : "";
  const bool question = (type & 0xF) == MB_OKCANCEL;
  const int closed = question ? IDCANCEL : IDOK;
  const auto logged = [&](const std::string& note, int answer) {
    host_detail::fLogLine("MessageBox [" + title + "] " + body + note);
    return answer;
  };
  if (host_detail::fQuitSignalled()) return logged(" (not shown: quitting)", closed);
  if (!host_detail::fVideoIsInteractive()) return logged("", question ? g_loggedAnswer.load() : IDOK);
  if (const int answer = host_detail::fShowX11MessageBox(title, body, question, ownerWindow(owner)); answer != 0) {
    if (host_detail::fQuitSignalled()) host_detail::fLogLine("MessageBox [" + title + "] closed: quitting");
    return answer;
  }
  SDL_Window* parent = owner != nullptr ? host_detail::fSdlWindow(owner) : nullptr;
  if (question) {
    const int answer = fAskDialog(parent, title, body);
    return answer != -1 ? answer : logged("", g_loggedAnswer.load());
  }
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), body.c_str(), parent) == 0) return IDOK;
  return logged("", IDOK);
}
