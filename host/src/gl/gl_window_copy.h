// Shows parts of the window's back buffer without a swap: GLX_MESA_copy_sub_buffer, which Mesa's
// software drivers offer on X. A frame that changed a little then sends only that little to the X
// server, and the back buffer keeps the whole picture for the next frame. Where the window is not
// drawn through GLX, or the driver lacks the call, the device swaps whole pictures instead.
#pragma once

#include <SDL2/SDL.h>

namespace host_gl {

class GlWindowCopy {
 public:
  // Looks for the call with the window's context current; false when it is not there.
  bool fInit();
  bool fAvailable() const { return copy_ != nullptr; }
  // Copies a box of the back buffer to the screen: window pixels, rows counted from the bottom.
  void fCopy(int x, int y, int width, int height) const;

 private:
  using Copy = void (*)(void* display, unsigned long drawable, int x, int y, int width, int height);
  void* display_ = nullptr;
  unsigned long drawable_ = 0;
  Copy copy_ = nullptr;
};

}  // namespace host_gl
