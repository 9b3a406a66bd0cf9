// A message box drawn with plain Xlib and the core font "fixed", which every X server has. SDL's
// own box needs a desktop's dialog program or scalable core fonts; a plain X server (a kiosk, a
// virtual frame buffer) has neither, and the player would be told nothing.
#include "host/src/host_internal.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kMargin = 16;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr char kButtonText[] = "OK";

// Errors of this connection (a focus the window manager refuses) must not end the process, as
// Xlib's default handler would.
int ignoreError(Display*, XErrorEvent*) { return 0; }

// The text's lines, with characters the Latin-1 font cannot show as '?'.
std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  std::string line;
  while (std::getline(stream, line)) {
    for (char& c : line) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte < 0x20 || byte >= 0x7F) c = '?';
    }
    lines.push_back(line);
  }
  if (lines.empty()) lines.emplace_back();
  return lines;
}

}  // namespace

namespace host_detail {

bool fShowX11MessageBox(const std::string& caption, const std::string& text) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  const XErrorHandler previous = XSetErrorHandler(&ignoreError);
  XFontStruct* font = XLoadQueryFont(display, "fixed");
  if (font == nullptr) {
    XCloseDisplay(display);
    XSetErrorHandler(previous);
    return false;
  }
  const std::vector<std::string> lines = linesOf(text);
  const int lineHeight = font->ascent + font->descent + 2;
  int textWidth = 0;
  for (const std::string& line : lines) {
    textWidth = std::max(textWidth, XTextWidth(font, line.c_str(), static_cast<int>(line.size())));
  }
  const int width = std::max(textWidth, kButtonWidth) + 2 * kMargin;
  const int height = static_cast<int>(lines.size()) * lineHeight + kButtonHeight + 3 * kMargin;
  const int screen = DefaultScreen(display);
  const int x = std::max(0, (DisplayWidth(display, screen) - width) / 2);
  const int y = std::max(0, (DisplayHeight(display, screen) - height) / 2);
  const unsigned long black = BlackPixel(display, screen);
  const unsigned long white = WhitePixel(display, screen);
  const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), x, y, static_cast<unsigned>(width),
                                            static_cast<unsigned>(height), 1, black, white);
  XStoreName(display, window, caption.c_str());
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(caption.c_str()), static_cast<int>(caption.size()));
  Atom closeAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, window, &closeAtom, 1);
  XSelectInput(display, window, ExposureMask | KeyPressMask | ButtonPressMask | StructureNotifyMask);
  XMapRaised(display, window);

  const GC gc = XCreateGC(display, window, 0, nullptr);
  XSetFont(display, gc, font->fid);
  XSetForeground(display, gc, black);
  const int buttonX = (width - kButtonWidth) / 2;
  const int buttonY = height - kMargin - kButtonHeight;
  bool done = false;
  while (!done) {
    XEvent event;
    XNextEvent(display, &event);
    switch (event.type) {
      case MapNotify:
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
        break;
      case Expose: {
        if (event.xexpose.count != 0) break;
        int lineY = kMargin + font->ascent;
        for (const std::string& line : lines) {
          XDrawString(display, window, gc, kMargin, lineY, line.c_str(), static_cast<int>(line.size()));
          lineY += lineHeight;
        }
        XDrawRectangle(display, window, gc, buttonX, buttonY, kButtonWidth, kButtonHeight);
        const int labelWidth = XTextWidth(font, kButtonText, static_cast<int>(sizeof(kButtonText) - 1));
        XDrawString(display, window, gc, buttonX + (kButtonWidth - labelWidth) / 2,
                    buttonY + (kButtonHeight + font->ascent - font->descent) / 2, kButtonText,
                    static_cast<int>(sizeof(kButtonText) - 1));
        break;
      }
      case KeyPress: {
        const KeySym key = XLookupKeysym(&event.xkey, 0);
        done = key == XK_Return || key == XK_KP_Enter || key == XK_Escape || key == XK_space;
        break;
      }
      case ButtonPress:
        done = event.xbutton.x >= buttonX && event.xbutton.x < buttonX + kButtonWidth && event.xbutton.y >= buttonY &&
               event.xbutton.y < buttonY + kButtonHeight;
        break;
      case ClientMessage:
        done = static_cast<Atom>(event.xclient.data.l[0]) == closeAtom;
        break;
      default:
        break;
    }
  }
  XFreeGC(display, gc);
  XDestroyWindow(display, window);
  XFreeFont(display, font);
  XCloseDisplay(display);
  XSetErrorHandler(previous);
  return true;
}

}  // namespace host_detail
