// The one shader pair of the OpenGL device. It draws every primitive the way the Direct3D 9
// fixed-function pipeline would: positions through world * view * projection (row vectors),
// Direct3D's clip-space depth 0..w, pixel centres half a pixel off OpenGL's, targets stored top
// row first, ARGB vertex colours, texture stage 0 combining texture and diffuse colour (white
// where no texture is bound), point sprites with their texture origin at the top left.
#pragma once

#include "host/src/gl/gl_functions.h"

namespace host_gl {

// Attribute slots.
inline constexpr GLuint kPositionSlot = 0;
inline constexpr GLuint kColorSlot = 1;
inline constexpr GLuint kTexCoordSlot = 2;
inline constexpr GLuint kPointSizeSlot = 3;

struct GlProgram {
  GLuint program = 0;
  GLint transform = -1;       // mat4: world * view * projection in Direct3D's row layout
  GLint targetSize = -1;      // vec2: the render target in pixels
  GLint preTransformed = -1;  // int: positions are clip coordinates (x, y, z; w in the size slot)
  GLint hasPointSize = -1;    // int: take the point size from the vertex
  GLint pointSize = -1;       // float: otherwise this size
  GLint pointRange = -1;      // vec2: minimum and maximum point size
  GLint pointSprite = -1;     // int: texture coordinates across the point
  GLint textured = -1;        // int: a texture is bound
  GLint colorOp = -1;         // ints: stage 0 operation and arguments
  GLint colorArg1 = -1;
  GLint colorArg2 = -1;
  GLint alphaOp = -1;
  GLint alphaArg1 = -1;
  GLint alphaArg2 = -1;
  GLint sampler = -1;

  // Compiles and links; false (and program 0) on failure.
  bool fBuild();
  void fDestroy();
};

// A compiled shader, or 0 (with the driver's message in SDL's log) when it does not compile.
GLuint fCompileShader(GLenum kind, const char* source);

}  // namespace host_gl
