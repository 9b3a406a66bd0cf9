#include "host/src/gl/gl_present.h"

#include "host/src/gl/gl_program.h"

#include <initializer_list>

namespace host_gl {

namespace {

// Four vertices, no attributes: a strip over the whole of clip space.
const char* const kVertexSource = R"(#version 330 core
void main() {
  vec2 corner = vec2(float(gl_VertexID & 1), float(gl_VertexID >> 1));
  gl_Position = vec4(corner * 2.0 - 1.0, 0.0, 1.0);
}
)";

// Window row y (from the bottom) shows stored row height - 1 - y, as the picture runs from the top.
const char* const kCopySource = R"(#version 330 core
uniform sampler2D uPicture;
uniform int uPictureHeight;
out vec4 outColor;
void main() {
  ivec2 at = ivec2(gl_FragCoord.xy);
  outColor = texelFetch(uPicture, ivec2(at.x, uPictureHeight - 1 - at.y), 0);
}
)";

// A box's pixels, kept in a texture of the box's size, back at their place: the texel of a pixel
// lies at the pixel's place less the box's corner, rows as stored.
const char* const kPlaceSource = R"(#version 330 core
uniform sampler2D uPicture;
uniform ivec2 uOrigin;
out vec4 outColor;
void main() {
  outColor = texelFetch(uPicture, ivec2(gl_FragCoord.xy) - uOrigin, 0);
}
)";

const char* const kScaledSource = R"(#version 330 core
uniform sampler2D uPicture;
uniform vec2 uWindowSize;
out vec4 outColor;
void main() {
  outColor = texture(uPicture, vec2(gl_FragCoord.x / uWindowSize.x, 1.0 - gl_FragCoord.y / uWindowSize.y));
}
)";

}  // namespace

bool GlPresenter::fLink(Program& out, const char* fragmentSource) {
  const GLuint vertex = fCompileShader(GL_VERTEX_SHADER, kVertexSource);
  const GLuint fragment = fCompileShader(GL_FRAGMENT_SHADER, fragmentSource);
  GLint ok = 0;
  if (vertex != 0 && fragment != 0) {
    out.program = gl.CreateProgram();
    gl.AttachShader(out.program, vertex);
    gl.AttachShader(out.program, fragment);
    gl.BindFragDataLocation(out.program, 0, "outColor");
    gl.LinkProgram(out.program);
    gl.GetProgramiv(out.program, GL_LINK_STATUS, &ok);
  }
  if (vertex != 0) gl.DeleteShader(vertex);
  if (fragment != 0) gl.DeleteShader(fragment);
  if (ok == 0) {
    if (out.program != 0) gl.DeleteProgram(out.program);
    out.program = 0;
    return false;
  }
  out.pictureHeight = gl.GetUniformLocation(out.program, "uPictureHeight");
  out.windowSize = gl.GetUniformLocation(out.program, "uWindowSize");
  out.origin = gl.GetUniformLocation(out.program, "uOrigin");
  gl.UseProgram(out.program);
  gl.Uniform1i(gl.GetUniformLocation(out.program, "uPicture"), 0);
  return true;
}

bool GlPresenter::fBuild() {
  if (!fLink(copy_, kCopySource) || !fLink(place_, kPlaceSource)) return false;
  gl.GenVertexArrays(1, &vertexArray_);
  gl.GenSamplers(1, &sampler_);
  gl.SamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  gl.SamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  gl.SamplerParameteri(sampler_, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  gl.SamplerParameteri(sampler_, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  return true;
}

void GlPresenter::fDestroy() {
  for (Program* program : {&copy_, &scaled_, &place_}) {
    if (program->program != 0) gl.DeleteProgram(program->program);
    program->program = 0;
  }
  if (vertexArray_ != 0) gl.DeleteVertexArrays(1, &vertexArray_);
  if (sampler_ != 0) gl.DeleteSamplers(1, &sampler_);
  vertexArray_ = sampler_ = 0;
}

void GlPresenter::fShow(GLuint texture, int width, int height, int windowWidth, int windowHeight, GLuint framebuffer,
                        const std::vector<GlRect>* boxes) {
  const bool same = width == windowWidth && height == windowHeight;
  if (!same && scaled_.program == 0 && !scaledFailed_) scaledFailed_ = !fLink(scaled_, kScaledSource);
  const Program& program = same || scaledFailed_ ? copy_ : scaled_;
  if (program.program == 0 || windowWidth <= 0 || windowHeight <= 0) return;
  fBegin(program, texture, framebuffer, windowWidth, windowHeight);
  gl.Disable(GL_SCISSOR_TEST);
  if (program.pictureHeight >= 0) gl.Uniform1i(program.pictureHeight, height);
  if (program.windowSize >= 0) {
    gl.Uniform2f(program.windowSize, static_cast<float>(windowWidth), static_cast<float>(windowHeight));
  }
  if (boxes == nullptr || !same) {
    gl.DrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    return;
  }
  // The window's rows run from the bottom.
  gl.Enable(GL_SCISSOR_TEST);
  for (const GlRect& box : *boxes) {
    gl.Scissor(box.x0, height - box.y1, box.x1 - box.x0, box.y1 - box.y0);
    gl.DrawArrays(GL_TRIANGLE_STRIP, 0, 4);
  }
  gl.Disable(GL_SCISSOR_TEST);
}

void GlPresenter::fPlace(GLuint texture, const GlRect& box, GLuint framebuffer, int width, int height) {
  if (place_.program == 0 || box.fEmpty()) return;
  fBegin(place_, texture, framebuffer, width, height);
  gl.Enable(GL_SCISSOR_TEST);
  gl.Scissor(box.x0, box.y0, box.x1 - box.x0, box.y1 - box.y0);
  gl.Uniform2i(place_.origin, box.x0, box.y0);
  gl.DrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}

void GlPresenter::fBegin(const Program& program, GLuint texture, GLuint framebuffer, int width, int height) {
  gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  gl.Viewport(0, 0, width, height);
  gl.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  gl.Disable(GL_BLEND);
  gl.Disable(GL_DEPTH_TEST);
  gl.Disable(GL_STENCIL_TEST);
  gl.Disable(GL_CULL_FACE);
  gl.UseProgram(program.program);
  gl.ActiveTexture(GL_TEXTURE0);
  gl.BindTexture(GL_TEXTURE_2D, texture);
  gl.BindSampler(0, sampler_);
  gl.BindVertexArray(vertexArray_);
}

}  // namespace host_gl
