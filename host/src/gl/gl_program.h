// The shader pairs of the OpenGL device. They draw every primitive the way the Direct3D 9
// fixed-function pipeline would: positions through world * view * projection (row vectors),
// Direct3D's clip-space depth 0..w, pixel centres half a pixel off OpenGL's, targets stored top
// row first, ARGB vertex colours, texture stage 0 combining texture and diffuse colour (white
// where no texture is bound), point sprites with their texture origin at the top left. One pair
// is made for each way stage 0 combines its colours, with that combination written out in the
// fragment shader: a software renderer runs such a shader far faster than one that chooses its
// operation per pixel.
#pragma once

#include "host/src/d3d9/device_state.h"
#include "host/src/gl/gl_functions.h"

#include <cstdint>

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

  // What a fragment shader does: whether a texture is read, across a point sprite or at the
  // vertices' coordinates, and how stage 0 combines colour and alpha.
  static std::uint32_t fKey(const host_d3d::DeviceState& state, bool textured, bool pointSprite);

  // Compiles and links the pair for a key; false (and program 0) on failure.
  bool fBuild(std::uint32_t key);
  void fDestroy();
};

// A compiled shader, or 0 (with the driver's message in SDL's log) when it does not compile.
GLuint fCompileShader(GLenum kind, const char* source);

}  // namespace host_gl
