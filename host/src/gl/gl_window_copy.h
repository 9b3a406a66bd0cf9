// Shows parts of the window's back buffer without a swap: GLX_MESA_copy_sub_buffer, which Mesa's
// software drivers offer on X. A frame that changed a little then sends only that little to the X
// server, and the back buffer keeps the whole picture for the next frame. Where the window is not
// drawn through GLX, or the driver lacks the call, the device swaps whole pictures instead.
//
// Boxes of pixels the device holds may also go to the window straight, as X images: the driver
// then draws nothing into the window for them (each picture it draws wakes all its threads).
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>

namespace host_gl {

class GlWindowCopy {
 public:
  GlWindowCopy() = default;
  ~GlWindowCopy();
  GlWindowCopy(const GlWindowCopy&) = delete;
  GlWindowCopy& operator=(const GlWindowCopy&) = delete;

  // Looks for the call with the window's context current; false when it is not there.
  bool fInit();
  bool fAvailable() const { return copy_ != nullptr; }
  // Copies a box of the back buffer to the screen: window pixels, rows counted from the bottom.
  void fCopy(int x, int y, int width, int height) const;
  // Whether the window takes 32-bit pixels (blue, green, red, unused byte) as they are.
  bool fCanPut() const { return gc_ != nullptr; }
  // Puts width x height such pixels, rows from the top, at window pixel (x, y) from the top-left;
  // fSend hands what was put to the X server.
  void fPut(int x, int y, int width, int height, const std::uint8_t* pixels) const;
  void fSend() const;

 private:
  // Whether the window's visual takes the pixels as they are; makes the graphics context if so.
  void fFindPut();

  using Copy = void (*)(void* display, unsigned long drawable, int x, int y, int width, int height);
  void* display_ = nullptr;
  unsigned long drawable_ = 0;
  Copy copy_ = nullptr;
  void* gc_ = nullptr;      // the X graphics context of fPut, when the window takes its pixels
  void* visual_ = nullptr;  // the window's visual
  int depth_ = 0;
};

}  // namespace host_gl
