#include "host/src/gl/gl_program.h"

#include <SDL2/SDL.h>

#include <string>

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

// Stage 0 arguments: 2 is the texture; diffuse and current are the vertex colour. Operations: 2
// the first argument, 3 the second, 4 their product, anything else (1 disable) the diffuse colour.
enum Term : std::uint32_t { kDiffuse, kTexel, kTexelDiffuse, kTexelTexel, kDiffuseDiffuse };

bool isTexel(DWORD argument) { return (argument & 15u) == D3DTA_TEXTURE; }

std::uint32_t termOf(DWORD op, DWORD first, DWORD second) {
  switch (op) {
    case D3DTOP_SELECTARG1:
      return isTexel(first) ? kTexel : kDiffuse;
    case D3DTOP_SELECTARG2:
      return isTexel(second) ? kTexel : kDiffuse;
    case D3DTOP_MODULATE:
      if (isTexel(first) && isTexel(second)) return kTexelTexel;
      if (!isTexel(first) && !isTexel(second)) return kDiffuseDiffuse;
      return kTexelDiffuse;
    default:
      return kDiffuse;
  }
}

const char* termSource(std::uint32_t term) {
  switch (term) {
    case kTexel:
      return "texel";
    case kTexelDiffuse:
      return "texel * vColor";
    case kTexelTexel:
      return "texel * texel";
    case kDiffuseDiffuse:
      return "vColor * vColor";
    default:
      return "vColor";
  }
}

}  // namespace

std::uint32_t GlProgram::fKey(const host_d3d::DeviceState& state, bool textured, bool pointSprite) {
  const std::uint32_t rgb =
      termOf(state.stage0[D3DTSS_COLOROP], state.stage0[D3DTSS_COLORARG1], state.stage0[D3DTSS_COLORARG2]);
  const std::uint32_t alpha =
      termOf(state.stage0[D3DTSS_ALPHAOP], state.stage0[D3DTSS_ALPHAARG1], state.stage0[D3DTSS_ALPHAARG2]);
  return rgb | alpha << 3 | (textured ? 1u : 0u) << 6 | (pointSprite ? 1u : 0u) << 7;
}

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

bool GlProgram::fBuild(std::uint32_t key) {
  // Without a texture the texel is white, so the colours stand alone.
  const bool textured = ((key >> 6) & 1u) != 0;
  const std::string texel = !textured                ? "vec4(1.0)"
                            : ((key >> 7) & 1u) != 0 ? "texture(uSampler, gl_PointCoord)"
                                                     : "texture(uSampler, vTexCoord)";
  std::string fragmentSource = R"(#version 330 core
in vec4 vColor;
in vec2 vTexCoord;
uniform sampler2D uSampler;
out vec4 outColor;
void main() {
)";
  fragmentSource += "  vec4 texel = " + texel + ";\n";
  fragmentSource += std::string("  outColor = vec4((") + termSource(key & 7u) + ").rgb, (" +
                    termSource((key >> 3) & 7u) + ").a);\n}\n";
  const GLuint vertex = fCompileShader(GL_VERTEX_SHADER, kVertexSource);
  const GLuint fragment = fCompileShader(GL_FRAGMENT_SHADER, fragmentSource.c_str());
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
  gl.UseProgram(program);
  gl.Uniform1i(gl.GetUniformLocation(program, "uSampler"), 0);
  return true;
}

void GlProgram::fDestroy() {
  if (program != 0) gl.DeleteProgram(program);
  program = 0;
}

}  // namespace host_gl
