// Shows the back buffer in the window: one triangle strip over the window that reads the back
// buffer's texture, turned right way up (the back buffer is stored top row first, the window's
// rows run from the bottom). At the same size each window pixel is the back buffer's pixel; at
// another size the picture is scaled with bilinear filtering. Two small programs of our own: the
// driver's general framebuffer blit costs far more to prepare for its first use.
#pragma once

#include "host/src/gl/gl_damage.h"
#include "host/src/gl/gl_functions.h"

#include <vector>

namespace host_gl {

class GlPresenter {
 public:
  // Compiles the copying program; false when it cannot be built.
  bool fBuild();
  void fDestroy();
  // Draws the texture of width x height pixels over a framebuffer of the window's size (the
  // window's own unless another is given). With boxes (picture pixels, rows from the top) and a
  // window of the picture's size, only those boxes are drawn.
  void fShow(GLuint texture, int width, int height, int windowWidth, int windowHeight, GLuint framebuffer = 0,
             const std::vector<GlRect>* boxes = nullptr);
  // Draws a texture of a box's size into that box of a framebuffer of width x height, pixel for
  // pixel, rows as stored. Drawing, not the driver's blit, keeps the framebuffer bound for drawing:
  // Mesa's software renderer carries out what waits for a framebuffer whenever another is bound.
  void fPlace(GLuint texture, const GlRect& box, GLuint framebuffer, int width, int height);

 private:
  struct Program {
    GLuint program = 0;
    GLint pictureHeight = -1;  // int: rows of the back buffer (copy)
    GLint windowSize = -1;     // vec2: the window in pixels (scaled)
    GLint origin = -1;         // ivec2: the box's corner (place)
  };
  static bool fLink(Program& program, const char* fragmentSource);
  // Binds the framebuffer (width x height pixels), the program and the texture, with nothing of
  // the device's own drawing state left on: no blending, depth, stencil or culling.
  void fBegin(const Program& program, GLuint texture, GLuint framebuffer, int width, int height);

  Program copy_;
  Program scaled_;  // made on first use
  Program place_;
  bool scaledFailed_ = false;
  GLuint vertexArray_ = 0;
  GLuint sampler_ = 0;
};

}  // namespace host_gl
