// Message boxes: a real dialog on an interactive display (SDL's, else a plain X11 one), a log line
// everywhere else.
#include "host/src/host_internal.h"
#include "host/test_doors.h"
#include "host/win_window.h"

#include <atomic>
#include <cstring>
#include <string>

namespace {

std::atomic<int> g_messageBoxes{0};

}  // namespace

namespace host_test {

int fMessageBoxCount() { return g_messageBoxes.load(); }
void fResetMessageBoxCount() { g_messageBoxes.store(0); }

}  // namespace host_test

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT /*type*/) {
  g_messageBoxes.fetch_add(1);
  const std::string body = text != nullptr ? text : "";
  const std::string title = caption != nullptr ? caption : "";
  if (!host_detail::fVideoIsInteractive()) {
    host_detail::fLogLine("MessageBox [" + title + "] " + body);
    return IDOK;
  }
  SDL_Window* parent = owner != nullptr ? host_detail::fSdlWindow(owner) : nullptr;
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), body.c_str(), parent) == 0) return IDOK;
  // SDL's box needs a desktop's dialog program or scalable fonts; a plain X server gets ours.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver != nullptr && std::strcmp(driver, "x11") == 0 && host_detail::fShowX11MessageBox(title, body)) return IDOK;
  host_detail::fLogLine("MessageBox [" + title + "] " + body);
  return IDOK;
}
