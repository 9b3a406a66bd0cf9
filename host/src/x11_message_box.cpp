// The message box of an X display, drawn with plain Xlib and a core font every X server has. It
// lives in this process, on a connection of its own: a quit signal closes it (the wait looks at
// the quit flag), and it goes with the process however that ends. SDL's own box runs in a helper
// process that a quit signal does not reach and that outlives a killed game, and it needs a
// desktop's dialog program or scalable fonts that a plain X server (a kiosk, a virtual frame
// buffer) does not have.
#include "host/src/host_internal.h"
#include "host/src/message_box_layout.h"
#include "host/win_window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>

#include <string>
#include <vector>

namespace {

// How long the wait for the player goes without looking at the quit flag when no X event comes
// (a signal that lands on another thread does not end the wait early).
constexpr int kQuitLookMs = 100;
// Unicode first, for every character a text may hold; the Latin-1 "fixed" is on every server.
constexpr const char* kFonts[] = {"-misc-fixed-medium-r-semicondensed--13-*-*-*-*-*-iso10646-1", "fixed"};

// Errors of this connection (a focus the window manager refuses, an owner window that went) must
// not end the process, as Xlib's default handler would.
int ignoreError(Display*, XErrorEvent*) { return 0; }

using GLYPHS = std::vector<XChar2b>;

// Code points as the font's 16-bit characters; what the font cannot show becomes '?'.
GLYPHS glyphsOf(const std::u32string& line, const XFontStruct& font) {
  GLYPHS glyphs;
  for (const char32_t code : line) {
    const unsigned high = static_cast<unsigned>(code >> 8);
    const unsigned low = static_cast<unsigned>(code & 0xFF);
    const bool shown = code <= 0xFFFF && (code >= 0xA0 || (code >= 0x20 && code < 0x7F)) && high >= font.min_byte1 &&
                       high <= font.max_byte1 && low >= font.min_char_or_byte2 && low <= font.max_char_or_byte2;
    glyphs.push_back(shown ? XChar2b{static_cast<unsigned char>(high), static_cast<unsigned char>(low)}
                           : XChar2b{0, '?'});
  }
  return glyphs;
}

int widthOf(XFontStruct* font, const GLYPHS& glyphs) {
  return XTextWidth16(font, glyphs.data(), static_cast<int>(glyphs.size()));
}

// The owner's client area on the screen while it is shown; an empty one when it is not.
host_detail::BOX_RECT ownerPlace(Display* display, unsigned long owner) {
  host_detail::BOX_RECT place;
  XWindowAttributes attributes;
  if (owner == 0 || XGetWindowAttributes(display, owner, &attributes) == 0 || attributes.map_state != IsViewable) {
    return place;
  }
  Window child = 0;
  if (XTranslateCoordinates(display, owner, DefaultRootWindow(display), 0, 0, &place.x, &place.y, &child) == 0) {
    return host_detail::BOX_RECT();
  }
  place.width = attributes.width;
  place.height = attributes.height;
  return place;
}

// Tells a window manager where the box goes and that it keeps its size, and that it belongs to
// the owner's window (kept above it).
void hintPlace(Display* display, Window window, const host_detail::BOX_RECT& place, unsigned long owner) {
  XSizeHints* hints = XAllocSizeHints();
  if (hints != nullptr) {
    hints->flags = PPosition | PSize | PMinSize | PMaxSize;
    hints->x = place.x;
    hints->y = place.y;
    hints->width = hints->min_width = hints->max_width = place.width;
    hints->height = hints->min_height = hints->max_height = place.height;
    XSetWMNormalHints(display, window, hints);
    XFree(hints);
  }
  if (owner != 0) XSetTransientForHint(display, window, static_cast<Window>(owner));
}

struct BUTTON {
  GLYPHS label;
  int answer;
  host_detail::BOX_RECT place;
  bool isHit(int px, int py) const {
    return px >= place.x && px < place.x + place.width && py >= place.y && py < place.y + place.height;
  }
};

}  // namespace

namespace host_detail {

int fShowX11MessageBox(const std::string& caption, const std::string& text, bool question, unsigned long owner) {
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
  const int screen = DefaultScreen(display);
  const BOX_FONT measure{[font](const std::u32string& line) { return widthOf(font, glyphsOf(line, *font)); },
                         font->ascent + font->descent + 2};
  const BOX_RECT screenPlace{0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
  const BOX_RECT over = ownerPlace(display, owner);
  const int programConnection = fProgramConnection();
  const BOX_LAYOUT layout = fLayOutBox(fDecodeUtf8(text.c_str()), question ? 2 : 1, measure, screenPlace, &over);
  std::vector<GLYPHS> lines;
  for (const std::u32string& line : layout.lines) lines.push_back(glyphsOf(line, *font));

  const unsigned long black = BlackPixel(display, screen);
  const unsigned long white = WhitePixel(display, screen);
  const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), layout.window.x, layout.window.y,
                                            static_cast<unsigned>(layout.window.width),
                                            static_cast<unsigned>(layout.window.height), kBoxBorder, black, white);
  XStoreName(display, window, caption.c_str());
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(caption.c_str()), static_cast<int>(caption.size()));
  hintPlace(display, window, layout.window, over.width > 0 ? owner : 0);
  Atom closeAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, window, &closeAtom, 1);
  XSelectInput(display, window, ExposureMask | KeyPressMask | ButtonPressMask | StructureNotifyMask);
  XMapRaised(display, window);

  const GC gc = XCreateGC(display, window, 0, nullptr);
  XSetFont(display, gc, font->fid);
  XSetForeground(display, gc, black);
  std::vector<BUTTON> buttons{{glyphsOf(U"OK", *font), IDOK, layout.buttons.at(0)}};
  if (question) buttons.push_back({glyphsOf(U"Cancel", *font), IDCANCEL, layout.buttons.at(1)});
  int answer = 0;
  while (answer == 0) {
    // The program's own windows go on answering the window manager meanwhile.
    fServeProgramWindows(question);
    if (fQuitSignalled()) {
      answer = closed;
      break;
    }
    if (XPending(display) == 0) {
      pollfd waits[2] = {{ConnectionNumber(display), POLLIN, 0}, {programConnection, POLLIN, 0}};
      poll(waits, programConnection >= 0 ? 2 : 1, kQuitLookMs);
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
        int lineY = layout.textY + font->ascent;
        for (const GLYPHS& line : lines) {
          XDrawString16(display, window, gc, layout.textX, lineY, line.data(), static_cast<int>(line.size()));
          lineY += measure.lineHeight;
        }
        for (const BUTTON& button : buttons) {
          const BOX_RECT& at = button.place;
          XDrawRectangle(display, window, gc, at.x, at.y, static_cast<unsigned>(at.width),
                         static_cast<unsigned>(at.height));
          XDrawString16(display, window, gc, at.x + (at.width - widthOf(font, button.label)) / 2,
                        at.y + (at.height + font->ascent - font->descent) / 2, button.label.data(),
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
  // nobody would, and the program's window would get no more keys: it takes the focus again (an
  // error, when that window is not viewable, is ignored).
  if (owner != 0) XSetInputFocus(display, static_cast<Window>(owner), RevertToParent, CurrentTime);
  XSync(display, False);
  XFreeFont(display, font);
  XCloseDisplay(display);
  XSetErrorHandler(previous);
  return answer;
}

}  // namespace host_detail
