// The game's window as another X client sees it: found by the process id its toolkit records on
// it, its place and size on the screen, its picture read back with XGetImage (whole, or a few
// rows for cheap polling), PNG files of that picture, and the close request a desktop sends.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <cstdint>
#include <string>
#include <vector>

typedef struct _XDisplay Display;

namespace qor_e2e {

// Packed 8-bit RGB, row after row.
struct PICTURE {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;

  bool fEmpty() const { return rgb.empty(); }
  // The pixel as 0xRRGGBB; 0 outside the picture.
  std::uint32_t fAt(int x, int y) const;
  // True when no pixel has a channel above limit.
  bool fIsDark(int limit = 8) const;
  // How many pixels of the rectangle differ from other's by more than delta in some channel (the
  // parts outside either picture count as equal).
  int fChangedPixels(const PICTURE& other, int left, int top, int width, int height, int delta = 24) const;
  int fChangedPixels(const PICTURE& other) const { return fChangedPixels(other, 0, 0, width, height); }
};

struct WINDOW_PLACE {
  int x = 0;  // the client area's top-left corner in root (screen) coordinates
  int y = 0;
  int width = 0;
  int height = 0;
};

class X_WINDOW {
 public:
  X_WINDOW() = default;
  ~X_WINDOW();
  X_WINDOW(const X_WINDOW&) = delete;
  X_WINDOW& operator=(const X_WINDOW&) = delete;

  // Connects to display (":N"). False when it cannot.
  bool fConnect(const std::string& display);
  // Waits until a viewable top-level window of process pid exists (its _NET_WM_PID). False when
  // none shows within limit.
  bool fFindByPid(pid_t pid, std::chrono::milliseconds limit);
  // One look, no waiting: whether the window of pid is viewable now (it is then taken).
  bool fTryFind(pid_t pid);
  // Waits until a viewable window captioned title exists (a message box, which carries no process
  // id) and takes it. False when none shows within limit.
  bool fFindByTitle(const std::string& title, std::chrono::milliseconds limit);
  // Waits until no viewable window captioned title is left (a box gone with its program). False
  // when one still shows after limit.
  bool fWaitNoneTitled(const std::string& title, std::chrono::milliseconds limit);

  // Waits until the window taken has the keyboard focus. False when it has not within limit.
  bool fWaitFocused(std::chrono::milliseconds limit);

  unsigned long fId() const { return _window; }
  bool fFound() const { return _window != 0; }
  // The window's caption (_NET_WM_NAME, else WM_NAME), UTF-8; empty when there is none.
  std::string fTitle();
  // Where the client area is now; zero size when the window is gone.
  WINDOW_PLACE fPlace();
  // Waits until the client area's place satisfies wanted, running between (a message pump, say)
  // before each look; the last place seen, whether or not it satisfied wanted within limit.
  WINDOW_PLACE fWaitPlace(const std::function<bool(const WINDOW_PLACE&)>& wanted, const std::function<void()>& between,
                          std::chrono::milliseconds limit);
  // The window's whole picture; empty when the window is gone or unmapped.
  PICTURE fGrab();
  // Rows of the picture (full width), one after the other, for cheap change detection.
  PICTURE fGrabRows(const std::vector<int>& rows);
  // Asks the program to close the window as a desktop's close button does (WM_DELETE_WINDOW).
  bool fRequestClose();
  // Asks whether the program answers, as a window manager does before it marks a window as not
  // responding (_NET_WM_PING): true when the answer comes back within limit.
  bool fPing(std::chrono::milliseconds limit);
  // Moves the window's top-left corner to (x, y) on the screen, as a person dragging it would.
  bool fMoveTo(int x, int y);

  // Writes the picture as a PNG file, making its folder. False on failure.
  static bool fSavePng(const PICTURE& picture, const std::string& path);

 private:
  unsigned long fFindIn(unsigned long parent, pid_t pid, int depth);
  // The first viewable window under parent (to depth 2) whose caption is title, or 0.
  unsigned long fFindTitled(unsigned long parent, const std::string& title, int depth);
  // Polls for a window captioned title until one is shown (shown true) or none is (false), or
  // limit passes: the one found then, or 0.
  unsigned long fWaitTitled(const std::string& title, bool shown, std::chrono::milliseconds limit);

  Display* _display = nullptr;
  unsigned long _window = 0;
};

}  // namespace qor_e2e
