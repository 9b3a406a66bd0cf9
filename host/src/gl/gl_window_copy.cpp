#include "host/src/gl/gl_window_copy.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>

namespace host_gl {

namespace {

constexpr int kGlxScreen = 0x800C;  // GLX_SCREEN, a context attribute

// Set by the error handler of the trial put.
bool g_putRefused = false;

int onPutError(Display* /*display*/, XErrorEvent* /*error*/) {
  g_putRefused = true;
  return 0;
}

template <typename FUNCTION>
FUNCTION glxCall(const char* name) {
  return reinterpret_cast<FUNCTION>(SDL_GL_GetProcAddress(name));
}

}  // namespace

bool GlWindowCopy::fInit() {
  copy_ = nullptr;
  if (gc_ != nullptr) XFreeGC(static_cast<Display*>(display_), static_cast<GC>(gc_));
  gc_ = nullptr;
  // SDL draws through GLX on X11 (it would use EGL only for a GLES context, which the device never
  // asks for); elsewhere the GLX names would not lead to GLX.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr || std::strcmp(driver, "x11") != 0) return false;
  const auto currentDisplay = glxCall<void* (*)()>("glXGetCurrentDisplay");
  const auto currentContext = glxCall<void* (*)()>("glXGetCurrentContext");
  const auto currentDrawable = glxCall<unsigned long (*)()>("glXGetCurrentDrawable");
  const auto queryContext = glxCall<int (*)(void*, void*, int, int*)>("glXQueryContext");
  const auto extensions = glxCall<const char* (*)(void*, int)>("glXQueryExtensionsString");
  if (currentDisplay == nullptr || currentContext == nullptr || currentDrawable == nullptr || queryContext == nullptr ||
      extensions == nullptr) {
    return false;
  }
  void* display = currentDisplay();
  void* context = currentContext();
  const unsigned long drawable = currentDrawable();
  int screen = 0;
  if (display == nullptr || context == nullptr || drawable == 0 ||
      queryContext(display, context, kGlxScreen, &screen) != 0) {
    return false;
  }
  const char* list = extensions(display, screen);
  if (list == nullptr) return false;
  // A whole word of the blank-separated list.
  const char* const wanted = "GLX_MESA_copy_sub_buffer";
  const std::size_t length = std::strlen(wanted);
  for (const char* at = std::strstr(list, wanted); at != nullptr; at = std::strstr(at + length, wanted)) {
    if ((at == list || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) {
      display_ = display;
      drawable_ = drawable;
      copy_ = glxCall<Copy>("glXCopySubBufferMESA");
      if (copy_ != nullptr) fFindPut();
      return copy_ != nullptr;
    }
  }
  return false;
}

void GlWindowCopy::fCopy(int x, int y, int width, int height) const {
  if (copy_ != nullptr && width > 0 && height > 0) copy_(display_, drawable_, x, y, width, height);
}

GlWindowCopy::~GlWindowCopy() {
  if (gc_ != nullptr) XFreeGC(static_cast<Display*>(display_), static_cast<GC>(gc_));
}

void GlWindowCopy::fFindPut() {
  auto* display = static_cast<Display*>(display_);
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, static_cast<::Window>(drawable_), &attributes) == 0) return;
  const Visual* visual = attributes.visual;
  // A window of 24 bits whose 32-bit pixels hold blue, green and red from the low byte, as the
  // driver's own images do (true or direct colour alike).
  if (visual == nullptr || attributes.depth != 24 || (visual->c_class != TrueColor && visual->c_class != DirectColor) ||
      visual->red_mask != 0xFF0000u || visual->green_mask != 0xFF00u || visual->blue_mask != 0xFFu) {
    return;
  }
  static char pixel[4];
  XImage* probe = XCreateImage(display, attributes.visual, 24, ZPixmap, 0, pixel, 1, 1, 32, 4);
  if (probe == nullptr) return;
  const bool matches = probe->bits_per_pixel == 32 && probe->byte_order == LSBFirst;
  probe->data = nullptr;
  XDestroyImage(probe);
  if (!matches) return;
  visual_ = attributes.visual;
  depth_ = attributes.depth;
  gc_ = XCreateGC(display, static_cast<::Window>(drawable_), 0, nullptr);
  if (gc_ == nullptr) return;
  // A trial put of one pixel, before the window shows its first picture: a server that refuses it
  // leaves the boxes to the driver (an error would otherwise end the program).
  XSync(display, False);
  g_putRefused = false;
  const auto previous = XSetErrorHandler(&onPutError);
  const std::uint8_t black[4] = {0, 0, 0, 0};
  fPut(0, 0, 1, 1, black);
  XSync(display, False);
  XSetErrorHandler(previous);
  if (g_putRefused) {
    XFreeGC(display, static_cast<GC>(gc_));
    gc_ = nullptr;
  }
}

void GlWindowCopy::fPut(int x, int y, int width, int height, const std::uint8_t* pixels) const {
  if (gc_ == nullptr || width <= 0 || height <= 0 || pixels == nullptr) return;
  auto* display = static_cast<Display*>(display_);
  XImage* image = XCreateImage(display, static_cast<Visual*>(visual_), static_cast<unsigned>(depth_), ZPixmap, 0,
                               reinterpret_cast<char*>(const_cast<std::uint8_t*>(pixels)), static_cast<unsigned>(width),
                               static_cast<unsigned>(height), 32, width * 4);
  if (image == nullptr) return;
  XPutImage(display, static_cast<::Window>(drawable_), static_cast<GC>(gc_), image, 0, 0, x, y,
            static_cast<unsigned>(width), static_cast<unsigned>(height));
  // The pixels are the caller's.
  image->data = nullptr;
  XDestroyImage(image);
}

void GlWindowCopy::fSend() const {
  if (gc_ != nullptr) XFlush(static_cast<Display*>(display_));
}

}  // namespace host_gl
