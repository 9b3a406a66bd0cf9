// The message box of an X display, drawn with plain Xlib and a core font every X server has. It
// lives in this process, on a connection of its own: a quit signal closes it (the wait looks at
// the quit flag), and it goes with the process however that ends. SDL's own box runs in a helper
// process that a quit signal does not reach and that outlives a killed game, and it needs a
// desktop's dialog program or scalable fonts that a plain X server (a kiosk, a virtual frame
// buffer) does not have.
#include "host/src/host_internal.h"
#include "host/win_window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kMargin = 16;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
// How long the wait for the player goes without looking at the quit flag when no X event comes
// (a signal that lands on another thread does not end the wait early).
constexpr int kQuitLookMs = 100;
// Unicode first, for every character a text may hold; the Latin-1 "fixed" is on every server.
constexpr const char* kFonts[] = {"-misc-fixed-medium-r-semicondensed--13-*-*-*-*-*-iso10646-1", "fixed"};

// Errors of this connection (a focus the window manager refuses) must not end the process, as
// Xlib's default handler would.
int ignoreError(Display*, XErrorEvent*) { return 0; }

using GLYPHS = std::vector<XChar2b>;

// A UTF-8 line as the font's 16-bit characters; what the font cannot show becomes '?'.
GLYPHS glyphsOf(const std::string& line, const XFontStruct& font) {
  GLYPHS glyphs;
  for (const char32_t code : host_detail::fDecodeUtf8(line.c_str())) {
    const unsigned high = static_cast<unsigned>(code >> 8);
    const unsigned low = static_cast<unsigned>(code & 0xFF);
    const bool shown = code <= 0xFFFF && (code >= 0xA0 || (code >= 0x20 && code < 0x7F)) && high >= font.min_byte1 &&
                       high <= font.max_byte1 && low >= font.min_char_or_byte2 && low <= font.max_char_or_byte2;
    glyphs.push_back(shown ? XChar2b{static_cast<unsigned char>(high), static_cast<unsigned char>(low)}
                           : XChar2b{0, '?'});
  }
  return glyphs;
}

std::vector<GLYPHS> linesOf(const std::string& text, const XFontStruct& font) {
  std::vector<GLYPHS> lines;
  std::istringstream stream(text);
  std::string line;
  while (std::getline(stream, line)) lines.push_back(glyphsOf(line, font));
  if (lines.empty()) lines.emplace_back();
  return lines;
}

int widthOf(XFontStruct* font, const GLYPHS& glyphs) {
  return XTextWidth16(font, glyphs.data(), static_cast<int>(glyphs.size()));
}

struct BUTTON {
  GLYPHS label;
  int answer;
  int x;
  int y;
  bool isHit(int px, int py) const {
    return px >= x && px < x + kButtonWidth && py >= y && py < y + kButtonHeight;
  }
};

}  // namespace

namespace host_detail {

int fShowX11MessageBox(const std::string& caption, const std::string& text, bool question, unsigned long focusAfter) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 0;
  const XErrorHandler previous = XSetErrorHandler(&ignoreError);
  XFontStruct* font = nullptr;
  for (const char* name : kFonts) {
    if (font == nullptr) font = XLoadQueryFont(display, name);
  }
  if (font == nullptr) {
    XCloseDisplay(display);
    XSetErrorHandler(previous);
    return 0;
  }
  // Closing the box without choosing is no consent.
  const int closed = question ? IDCANCEL : IDOK;
  const std::vector<GLYPHS> lines = linesOf(text, *font);
  const int lineHeight = font->ascent + font->descent + 2;
  int textWidth = 0;
  for (const GLYPHS& line : lines) textWidth = std::max(textWidth, widthOf(font, line));
  const int buttonsWidth = question ? 2 * kButtonWidth + kMargin : kButtonWidth;
  const int width = std::max(textWidth, buttonsWidth) + 2 * kMargin;
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
  const int buttonsY = height - kMargin - kButtonHeight;
  const int buttonsX = (width - buttonsWidth) / 2;
  std::vector<BUTTON> buttons{{glyphsOf("OK", *font), IDOK, buttonsX, buttonsY}};
  if (question) buttons.push_back({glyphsOf("Cancel", *font), IDCANCEL, buttonsX + kButtonWidth + kMargin, buttonsY});
  int answer = 0;
  while (answer == 0) {
    if (fQuitSignalled()) {
      answer = closed;
      break;
    }
    if (XPending(display) == 0) {
      pollfd wait{ConnectionNumber(display), POLLIN, 0};
      poll(&wait, 1, kQuitLookMs);
      continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    switch (event.type) {
      case MapNotify:
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
        break;
      case Expose: {
        if (event.xexpose.count != 0) break;
        int lineY = kMargin + font->ascent;
        for (const GLYPHS& line : lines) {
          XDrawString16(display, window, gc, kMargin, lineY, line.data(), static_cast<int>(line.size()));
          lineY += lineHeight;
        }
        for (const BUTTON& button : buttons) {
          XDrawRectangle(display, window, gc, button.x, button.y, kButtonWidth, kButtonHeight);
          XDrawString16(display, window, gc, button.x + (kButtonWidth - widthOf(font, button.label)) / 2,
                        button.y + (kButtonHeight + font->ascent - font->descent) / 2, button.label.data(),
                        static_cast<int>(button.label.size()));
        }
        break;
      }
      case KeyPress: {
        const KeySym key = XLookupKeysym(&event.xkey, 0);
        if (key == XK_Return || key == XK_KP_Enter || (!question && key == XK_space)) answer = IDOK;
        if (key == XK_Escape) answer = closed;
        break;
      }
      case ButtonPress:
        for (const BUTTON& button : buttons) {
          if (button.isHit(event.xbutton.x, event.xbutton.y)) answer = button.answer;
        }
        break;
      case ClientMessage:
        if (static_cast<Atom>(event.xclient.data.l[0]) == closeAtom) answer = closed;
        break;
      default:
        break;
    }
  }
  XFreeGC(display, gc);
  XDestroyWindow(display, window);
  // The focus went back to the root with the box. A window manager may hand it on; without one
  // nobody would, and the game's window would get no more keys: it takes the focus again (an
  // error, when that window is not viewable, is ignored).
  if (focusAfter != 0) XSetInputFocus(display, static_cast<Window>(focusAfter), RevertToParent, CurrentTime);
  XSync(display, False);
  XFreeFont(display, font);
  XCloseDisplay(display);
  XSetErrorHandler(previous);
  return answer;
}

}  // namespace host_detail
