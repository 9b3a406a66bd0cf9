// The game's window taken off the screen and put back as a desktop does when it minimises and
// restores it. The bench's display has no window manager, so the bench does its part too: it asks
// as a client would (the ICCCM iconify request), then unmaps the window as the manager would, and
// maps it again to restore it.
#pragma once

#include <string>

namespace qor_bench {

// False when the display cannot be reached.
bool fMinimiseWindow(const std::string& display, unsigned long window);
bool fRestoreWindow(const std::string& display, unsigned long window);

}  // namespace qor_bench
