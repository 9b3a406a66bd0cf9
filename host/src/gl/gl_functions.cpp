#include "host/src/gl/gl_functions.h"

#include <SDL2/SDL.h>

namespace host_gl {

GlFunctions gl;

bool fLoadFunctions() {
  static bool loaded = false;
  if (loaded) return true;
  bool complete = true;
#define HOST_GL_LOAD(type, name)                                                  \
  gl.name = reinterpret_cast<type>(SDL_GL_GetProcAddress("gl" #name)); \
  complete = complete && gl.name != nullptr;
  HOST_GL_FUNCTIONS(HOST_GL_LOAD)
#undef HOST_GL_LOAD
  loaded = complete;
  return complete;
}

}  // namespace host_gl
