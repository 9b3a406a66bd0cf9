// The game window on a real desktop: a private X display whose panels (the root window's
// _NET_WORKAREA, as desktops publish them) leave a usable area smaller than the screen. The window
// stands centred in that area, so no panel covers its edge.
#include "engine/platform/qc_window.h"
#include "host/win_window.h"
#include "tests/e2e/kit/x_window.h"
#include "tests/e2e/kit/xvfb_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

// Last: Xlib's macros would reach into the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

using namespace std::chrono_literals;

// A panel along the left edge and one along the top of a 1280 x 1024 screen.
constexpr long kArea[4] = {200, 100, 1080, 924};  // x, y, width, height

bool publishUsableArea(const std::string& display) {
  Display* x = XOpenDisplay(display.c_str());
  if (x == nullptr) return false;
  const Atom workArea = XInternAtom(x, "_NET_WORKAREA", False);
  XChangeProperty(x, DefaultRootWindow(x), workArea, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(kArea), 4);
  XSync(x, False);
  XCloseDisplay(x);
  return true;
}

TEST(WindowOnADesktop, StandsCentredInTheAreaItsPanelsLeave) {
  qor_e2e::XVFB_SERVER server;
  ASSERT_TRUE(server.fStart(1280, 1024)) << server.fError();
  ASSERT_TRUE(publishUsableArea(server.fDisplay()));
  setenv("DISPLAY", server.fDisplay().c_str(), 1);
  setenv("SDL_VIDEODRIVER", "x11", 1);

  RECT area{};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
  EXPECT_EQ(area.left, kArea[0]);
  EXPECT_EQ(area.top, kArea[1]);
  EXPECT_EQ(area.right, kArea[0] + kArea[2]);
  EXPECT_EQ(area.bottom, kArea[1] + kArea[3]);

  QOR::QC_WINDOW window;
  ASSERT_EQ(window.WindowInit("Usable area"), 1);
  ASSERT_EQ(window.isFullscreen(), 0);
  qor_e2e::X_WINDOW seen;
  ASSERT_TRUE(seen.fConnect(server.fDisplay()));
  ASSERT_TRUE(seen.fFindByTitle("Usable area", 10s));
  // The client area as the X server shows it: whole inside the usable area, its middle at the
  // area's middle (the frame's caption moves it a little down).
  const auto centred = [&](const qor_e2e::WINDOW_PLACE& place) {
    const int middleX = place.x + place.width / 2;
    const int middleY = place.y + place.height / 2;
    return place.width == 1024 && place.x >= area.left && place.y >= area.top && place.x + place.width <= area.right &&
           place.y + place.height <= area.bottom && std::abs(middleX - (area.left + area.right) / 2) <= 4 &&
           std::abs(middleY - (area.top + area.bottom) / 2) <= 16;
  };
  const auto pump = [] {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  };
  const qor_e2e::WINDOW_PLACE place = seen.fWaitPlace(centred, pump, 30s);
  EXPECT_TRUE(centred(place)) << "client area at (" << place.x << "," << place.y << ") " << place.width << "x"
                              << place.height;
  DestroyWindow(window.fGetHandle());
}

}  // namespace
