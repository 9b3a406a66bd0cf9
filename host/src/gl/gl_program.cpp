#include "host/src/gl/gl_program.h"

#include <SDL2/SDL.h>

namespace host_gl {

namespace {

const char* const kVertexSource = R"(#version 330 core
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec4 aColor;
layout(location = 2) in vec2 aTexCoord;
layout(location = 3) in float aPointSize;
uniform mat4 uTransform;
uniform vec2 uTargetSize;
uniform int uPreTransformed;
uniform int uHasPointSize;
uniform float uPointSize;
uniform vec2 uPointRange;
out vec4 vColor;
out vec2 vTexCoord;
void main() {
  vec4 clip = uPreTransformed != 0 ? vec4(aPosition, aPointSize) : uTransform * vec4(aPosition, 1.0);
  // Direct3D 9 samples pixel centres at whole window coordinates: move half a pixel right and down.
  clip.x += clip.w / uTargetSize.x;
  clip.y -= clip.w / uTargetSize.y;
  // Targets are stored top row first, as Direct3D textures are.
  clip.y = -clip.y;
  // Direct3D clip depth runs 0..w, OpenGL's -w..w.
  clip.z = 2.0 * clip.z - clip.w;
  gl_Position = clip;
  float size = uHasPointSize != 0 ? aPointSize : uPointSize;
  gl_PointSize = clamp(size, uPointRange.x, uPointRange.y);
  vColor = aColor;
  vTexCoord = aTexCoord;
}
)";

const char* const kFragmentSource = R"(#version 330 core
in vec4 vColor;
in vec2 vTexCoord;
uniform sampler2D uSampler;
uniform int uTextured;
uniform int uPointSprite;
uniform int uColorOp;
uniform int uColorArg1;
uniform int uColorArg2;
uniform int uAlphaOp;
uniform int uAlphaArg1;
uniform int uAlphaArg2;
out vec4 outColor;
// Stage arguments: 2 is the texture; diffuse and current are the vertex colour on stage 0.
vec4 argument(int which, vec4 texel) { return (which & 15) == 2 ? texel : vColor; }
// Operations: 2 first argument, 3 second, 4 their product, anything else (1 disable) diffuse.
vec4 combine(int op, vec4 a, vec4 b) {
  if (op == 2) return a;
  if (op == 3) return b;
  if (op == 4) return a * b;
  return vColor;
}
void main() {
  vec2 uv = uPointSprite != 0 ? gl_PointCoord : vTexCoord;
  vec4 texel = uTextured != 0 ? texture(uSampler, uv) : vec4(1.0);
  vec4 rgb = combine(uColorOp, argument(uColorArg1, texel), argument(uColorArg2, texel));
  vec4 alpha = combine(uAlphaOp, argument(uAlphaArg1, texel), argument(uAlphaArg2, texel));
  outColor = vec4(rgb.rgb, alpha.a);
}
)";

}  // namespace

GLuint fCompileShader(GLenum kind, const char* source) {
  const GLuint shader = gl.CreateShader(kind);
  gl.ShaderSource(shader, 1, &source, nullptr);
  gl.CompileShader(shader);
  GLint ok = 0;
  gl.GetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok == 0) {
    char text[1024] = {};
    gl.GetShaderInfoLog(shader, sizeof(text) - 1, nullptr, text);
    SDL_Log("shader compile failed: %s", text);
    gl.DeleteShader(shader);
    return 0;
  }
  return shader;
}

bool GlProgram::fBuild() {
  const GLuint vertex = fCompileShader(GL_VERTEX_SHADER, kVertexSource);
  const GLuint fragment = fCompileShader(GL_FRAGMENT_SHADER, kFragmentSource);
  if (vertex == 0 || fragment == 0) {
    if (vertex != 0) gl.DeleteShader(vertex);
    if (fragment != 0) gl.DeleteShader(fragment);
    return false;
  }
  program = gl.CreateProgram();
  gl.AttachShader(program, vertex);
  gl.AttachShader(program, fragment);
  gl.BindFragDataLocation(program, 0, "outColor");
  gl.LinkProgram(program);
  gl.DeleteShader(vertex);
  gl.DeleteShader(fragment);
  GLint ok = 0;
  gl.GetProgramiv(program, GL_LINK_STATUS, &ok);
  if (ok == 0) {
    char text[1024] = {};
    gl.GetProgramInfoLog(program, sizeof(text) - 1, nullptr, text);
    SDL_Log("shader link failed: %s", text);
    fDestroy();
    return false;
  }
  transform = gl.GetUniformLocation(program, "uTransform");
  targetSize = gl.GetUniformLocation(program, "uTargetSize");
  preTransformed = gl.GetUniformLocation(program, "uPreTransformed");
  hasPointSize = gl.GetUniformLocation(program, "uHasPointSize");
  pointSize = gl.GetUniformLocation(program, "uPointSize");
  pointRange = gl.GetUniformLocation(program, "uPointRange");
  pointSprite = gl.GetUniformLocation(program, "uPointSprite");
  textured = gl.GetUniformLocation(program, "uTextured");
  colorOp = gl.GetUniformLocation(program, "uColorOp");
  colorArg1 = gl.GetUniformLocation(program, "uColorArg1");
  colorArg2 = gl.GetUniformLocation(program, "uColorArg2");
  alphaOp = gl.GetUniformLocation(program, "uAlphaOp");
  alphaArg1 = gl.GetUniformLocation(program, "uAlphaArg1");
  alphaArg2 = gl.GetUniformLocation(program, "uAlphaArg2");
  sampler = gl.GetUniformLocation(program, "uSampler");
  gl.UseProgram(program);
  gl.Uniform1i(sampler, 0);
  return true;
}

void GlProgram::fDestroy() {
  if (program != 0) gl.DeleteProgram(program);
  program = 0;
}

}  // namespace host_gl
