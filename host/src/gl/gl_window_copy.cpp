#include "host/src/gl/gl_window_copy.h"

#include <cstring>

namespace host_gl {

namespace {

constexpr int kGlxScreen = 0x800C;  // GLX_SCREEN, a context attribute

template <typename FUNCTION>
FUNCTION glxCall(const char* name) {
  return reinterpret_cast<FUNCTION>(SDL_GL_GetProcAddress(name));
}

}  // namespace

bool GlWindowCopy::fInit() {
  copy_ = nullptr;
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
      return copy_ != nullptr;
    }
  }
  return false;
}

void GlWindowCopy::fCopy(int x, int y, int width, int height) const {
  if (copy_ != nullptr && width > 0 && height > 0) copy_(display_, drawable_, x, y, width, height);
}

}  // namespace host_gl
