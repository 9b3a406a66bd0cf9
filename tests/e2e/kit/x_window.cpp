#include "tests/e2e/kit/x_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <thread>

namespace qor_e2e {

namespace {

// The game's window may go at any moment (it quits while we look): an X error is then expected,
// and must not end this process as Xlib's default handler would.
std::atomic<int> g_xErrors{0};
int countError(Display*, XErrorEvent*) {
  g_xErrors.fetch_add(1);
  return 0;
}

// The channel of a pixel value under a mask, scaled to 8 bits.
std::uint8_t channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1u) == 0) ++shift;
  int bits = 0;
  while (((mask >> (shift + bits)) & 1u) != 0) ++bits;
  const unsigned long value = (pixel & mask) >> shift;
  if (bits >= 8) return static_cast<std::uint8_t>(value >> (bits - 8));
  return static_cast<std::uint8_t>((value * 255u) / ((1u << bits) - 1u));
}

void appendImage(XImage* image, PICTURE& out) {
  for (int y = 0; y < image->height; ++y) {
    for (int x = 0; x < image->width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      out.rgb.push_back(channel(pixel, image->red_mask));
      out.rgb.push_back(channel(pixel, image->green_mask));
      out.rgb.push_back(channel(pixel, image->blue_mask));
    }
  }
}

}  // namespace

std::uint32_t PICTURE::fAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  const std::size_t at =
      (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
  if (at + 2 >= rgb.size()) return 0;
  return (static_cast<std::uint32_t>(rgb[at]) << 16) | (static_cast<std::uint32_t>(rgb[at + 1]) << 8) | rgb[at + 2];
}

bool PICTURE::fIsDark(int limit) const {
  for (std::uint8_t c : rgb) {
    if (c > limit) return false;
  }
  return true;
}

int PICTURE::fChangedPixels(const PICTURE& other, int left, int top, int w, int h, int delta) const {
  int changed = 0;
  for (int y = top; y < top + h; ++y) {
    for (int x = left; x < left + w; ++x) {
      const std::uint32_t p = fAt(x, y);
      const std::uint32_t q = other.fAt(x, y);
      for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>((p >> shift) & 0xFFu);
        const int b = static_cast<int>((q >> shift) & 0xFFu);
        if (a - b > delta || b - a > delta) {
          ++changed;
          break;
        }
      }
    }
  }
  return changed;
}

X_WINDOW::~X_WINDOW() {
  if (_display != nullptr) XCloseDisplay(_display);
}

bool X_WINDOW::fConnect(const std::string& display) {
  XSetErrorHandler(&countError);
  _display = XOpenDisplay(display.c_str());
  return _display != nullptr;
}

unsigned long X_WINDOW::fFindIn(unsigned long parent, pid_t pid, int depth) {
  Window root = 0;
  Window up = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(_display, parent, &root, &up, &children, &count) == 0) return 0;
  const Atom pidAtom = XInternAtom(_display, "_NET_WM_PID", True);
  unsigned long found = 0;
  for (unsigned int i = 0; i < count && found == 0; ++i) {
    const Window child = children[i];
    XWindowAttributes attributes;
    if (XGetWindowAttributes(_display, child, &attributes) == 0 || attributes.map_state != IsViewable) continue;
    if (pidAtom != None) {
      Atom type = None;
      int format = 0;
      unsigned long items = 0;
      unsigned long after = 0;
      unsigned char* data = nullptr;
      if (XGetWindowProperty(_display, child, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                             &data) == Success &&
          data != nullptr) {
        if (type == XA_CARDINAL && format == 32 && items == 1 &&
            static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid) {
          found = child;
        }
        XFree(data);
      }
    }
    if (found == 0 && depth < 2) found = fFindIn(child, pid, depth + 1);
  }
  if (children != nullptr) XFree(children);
  return found;
}

bool X_WINDOW::fTryFind(pid_t pid) {
  if (_display == nullptr) return false;
  _window = fFindIn(DefaultRootWindow(_display), pid, 0);
  return _window != 0;
}

bool X_WINDOW::fFindByPid(pid_t pid, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!fTryFind(pid)) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

unsigned long X_WINDOW::fFindTitled(unsigned long parent, const std::string& title, int depth) {
  Window root = 0;
  Window up = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(_display, parent, &root, &up, &children, &count) == 0) return 0;
  unsigned long found = 0;
  const unsigned long taken = _window;
  for (unsigned int i = 0; i < count && found == 0; ++i) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(_display, children[i], &attributes) == 0 || attributes.map_state != IsViewable) continue;
    _window = children[i];
    if (fTitle() == title) found = children[i];
    _window = taken;
    if (found == 0 && depth < 2) found = fFindTitled(children[i], title, depth + 1);
  }
  if (children != nullptr) XFree(children);
  return found;
}

unsigned long X_WINDOW::fWaitTitled(const std::string& title, bool shown, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    const unsigned long found = fFindTitled(DefaultRootWindow(_display), title, 0);
    if ((found != 0) == shown || std::chrono::steady_clock::now() >= end) return found;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

bool X_WINDOW::fFindByTitle(const std::string& title, std::chrono::milliseconds limit) {
  if (_display == nullptr) return false;
  const unsigned long found = fWaitTitled(title, true, limit);
  if (found != 0) _window = found;
  return found != 0;
}

bool X_WINDOW::fWaitNoneTitled(const std::string& title, std::chrono::milliseconds limit) {
  return _display != nullptr && fWaitTitled(title, false, limit) == 0;
}

bool X_WINDOW::fWaitFocused(std::chrono::milliseconds limit) {
  if (_display == nullptr || _window == 0) return false;
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(_display, &focus, &revert);
    if (focus == _window) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

WINDOW_PLACE X_WINDOW::fWaitPlace(const std::function<bool(const WINDOW_PLACE&)>& wanted,
                                  const std::function<void()>& between, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    between();
    const WINDOW_PLACE place = fPlace();
    if (wanted(place) || std::chrono::steady_clock::now() >= end) return place;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

std::string X_WINDOW::fTitle() {
  if (_display == nullptr || _window == 0) return std::string();
  const Atom utf8 = XInternAtom(_display, "UTF8_STRING", False);
  for (const Atom property : {XInternAtom(_display, "_NET_WM_NAME", False), static_cast<Atom>(XA_WM_NAME)}) {
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(_display, _window, property, 0, 1024, False, AnyPropertyType, &type, &format, &items, &after,
                           &data) != Success) {
      continue;
    }
    std::string text;
    if (data != nullptr && format == 8 && (type == utf8 || type == XA_STRING)) {
      text.assign(reinterpret_cast<const char*>(data), items);
    }
    if (data != nullptr) XFree(data);
    if (!text.empty()) return text;
  }
  return std::string();
}

WINDOW_PLACE X_WINDOW::fPlace() {
  WINDOW_PLACE place;
  if (_display == nullptr || _window == 0) return place;
  XWindowAttributes attributes;
  if (XGetWindowAttributes(_display, _window, &attributes) == 0) return place;
  Window child = 0;
  int x = 0;
  int y = 0;
  if (XTranslateCoordinates(_display, _window, DefaultRootWindow(_display), 0, 0, &x, &y, &child) == 0) return place;
  place.x = x;
  place.y = y;
  place.width = attributes.width;
  place.height = attributes.height;
  return place;
}

PICTURE X_WINDOW::fGrab() {
  PICTURE picture;
  const WINDOW_PLACE place = fPlace();
  if (place.width <= 0 || place.height <= 0) return picture;
  XImage* image = XGetImage(_display, _window, 0, 0, static_cast<unsigned>(place.width),
                            static_cast<unsigned>(place.height), AllPlanes, ZPixmap);
  if (image == nullptr) return picture;
  picture.width = image->width;
  picture.height = image->height;
  picture.rgb.reserve(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 3);
  appendImage(image, picture);
  XDestroyImage(image);
  return picture;
}

PICTURE X_WINDOW::fGrabRows(const std::vector<int>& rows) {
  PICTURE picture;
  if (_display == nullptr || _window == 0) return picture;
  XWindowAttributes attributes;
  if (XGetWindowAttributes(_display, _window, &attributes) == 0 || attributes.map_state != IsViewable) return picture;
  for (int row : rows) {
    if (row < 0 || row >= attributes.height) continue;
    XImage* image =
        XGetImage(_display, _window, 0, row, static_cast<unsigned>(attributes.width), 1, AllPlanes, ZPixmap);
    if (image == nullptr) return PICTURE();
    picture.width = image->width;
    picture.height += 1;
    appendImage(image, picture);
    XDestroyImage(image);
  }
  return picture;
}

bool X_WINDOW::fRequestClose() {
  if (_display == nullptr || _window == 0) return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = _window;
  event.xclient.message_type = XInternAtom(_display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(_display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(_display, _window, False, NoEventMask, &event);
  XFlush(_display);
  return sent != 0;
}

bool X_WINDOW::fPing(std::chrono::milliseconds limit) {
  if (_display == nullptr || _window == 0) return false;
  static long pings = 0;
  XEvent event{};
  event.xclient = {ClientMessage, 0, False, _display, _window, XInternAtom(_display, "WM_PROTOCOLS", False), 32, {}};
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(_display, "_NET_WM_PING", False));
  event.xclient.data.l[1] = ++pings;
  event.xclient.data.l[2] = static_cast<long>(_window);
  const XClientMessageEvent sent = event.xclient;
  // The answer comes back to the root window, to whoever listens there.
  XSelectInput(_display, DefaultRootWindow(_display), SubstructureNotifyMask);
  bool answered = false;
  const auto end = std::chrono::steady_clock::now() + limit;
  if (XSendEvent(_display, _window, False, NoEventMask, &event) != 0) {
    while (!answered && std::chrono::steady_clock::now() < end) {
      if (XCheckTypedEvent(_display, ClientMessage, &event) == 0) {
        // Nothing queued: wait until the server sends more (or the limit comes), then read it in.
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        pollfd connection{ConnectionNumber(_display), POLLIN, 0};
        if (poll(&connection, 1, static_cast<int>(std::max<long long>(left.count(), 0) + 1)) > 0) XPending(_display);
        continue;
      }
      answered = event.xclient.message_type == sent.message_type && event.xclient.data.l[0] == sent.data.l[0] &&
                 event.xclient.data.l[1] == sent.data.l[1];
    }
  }
  XSelectInput(_display, DefaultRootWindow(_display), NoEventMask);
  return answered;
}

bool X_WINDOW::fMoveTo(int x, int y) {
  if (_display == nullptr || _window == 0) return false;
  XMoveWindow(_display, _window, x, y);
  return XSync(_display, False) != 0;
}

bool X_WINDOW::fSavePng(const PICTURE& picture, const std::string& path) {
  if (picture.fEmpty()) return false;
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  return stbi_write_png(path.c_str(), picture.width, picture.height, 3, picture.rgb.data(), picture.width * 3) != 0;
}

}  // namespace qor_e2e
