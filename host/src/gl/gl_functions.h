// The OpenGL 3.3 core functions the device uses, loaded through SDL once a context exists.
#pragma once

#include <GL/glcorearb.h>

namespace host_gl {

#define HOST_GL_FUNCTIONS(X)                                          \
  X(PFNGLGETERRORPROC, GetError)                                      \
  X(PFNGLGETINTEGERVPROC, GetIntegerv)                                \
  X(PFNGLGETFLOATVPROC, GetFloatv)                                    \
  X(PFNGLVIEWPORTPROC, Viewport)                                      \
  X(PFNGLSCISSORPROC, Scissor)                                        \
  X(PFNGLCLEARCOLORPROC, ClearColor)                                  \
  X(PFNGLCLEARDEPTHPROC, ClearDepth)                                  \
  X(PFNGLCLEARSTENCILPROC, ClearStencil)                              \
  X(PFNGLCLEARPROC, Clear)                                            \
  X(PFNGLCOLORMASKPROC, ColorMask)                                    \
  X(PFNGLDEPTHMASKPROC, DepthMask)                                    \
  X(PFNGLSTENCILMASKPROC, StencilMask)                                \
  X(PFNGLENABLEPROC, Enable)                                          \
  X(PFNGLDISABLEPROC, Disable)                                        \
  X(PFNGLBLENDFUNCPROC, BlendFunc)                                    \
  X(PFNGLDEPTHFUNCPROC, DepthFunc)                                    \
  X(PFNGLCULLFACEPROC, CullFace)                                      \
  X(PFNGLFRONTFACEPROC, FrontFace)                                    \
  X(PFNGLSTENCILFUNCPROC, StencilFunc)                                \
  X(PFNGLSTENCILOPPROC, StencilOp)                                    \
  X(PFNGLPOINTPARAMETERIPROC, PointParameteri)                        \
  X(PFNGLGENTEXTURESPROC, GenTextures)                                \
  X(PFNGLDELETETEXTURESPROC, DeleteTextures)                          \
  X(PFNGLBINDTEXTUREPROC, BindTexture)                                \
  X(PFNGLTEXIMAGE2DPROC, TexImage2D)                                  \
  X(PFNGLTEXPARAMETERIPROC, TexParameteri)                            \
  X(PFNGLACTIVETEXTUREPROC, ActiveTexture)                            \
  X(PFNGLGENSAMPLERSPROC, GenSamplers)                                \
  X(PFNGLDELETESAMPLERSPROC, DeleteSamplers)                          \
  X(PFNGLBINDSAMPLERPROC, BindSampler)                                \
  X(PFNGLSAMPLERPARAMETERIPROC, SamplerParameteri)                    \
  X(PFNGLGENBUFFERSPROC, GenBuffers)                                  \
  X(PFNGLDELETEBUFFERSPROC, DeleteBuffers)                            \
  X(PFNGLBINDBUFFERPROC, BindBuffer)                                  \
  X(PFNGLBUFFERDATAPROC, BufferData)                                  \
  X(PFNGLGENVERTEXARRAYSPROC, GenVertexArrays)                        \
  X(PFNGLDELETEVERTEXARRAYSPROC, DeleteVertexArrays)                  \
  X(PFNGLBINDVERTEXARRAYPROC, BindVertexArray)                        \
  X(PFNGLENABLEVERTEXATTRIBARRAYPROC, EnableVertexAttribArray)        \
  X(PFNGLDISABLEVERTEXATTRIBARRAYPROC, DisableVertexAttribArray)      \
  X(PFNGLVERTEXATTRIBPOINTERPROC, VertexAttribPointer)                \
  X(PFNGLVERTEXATTRIB4FPROC, VertexAttrib4f)                          \
  X(PFNGLCREATESHADERPROC, CreateShader)                              \
  X(PFNGLSHADERSOURCEPROC, ShaderSource)                              \
  X(PFNGLCOMPILESHADERPROC, CompileShader)                            \
  X(PFNGLGETSHADERIVPROC, GetShaderiv)                                \
  X(PFNGLGETSHADERINFOLOGPROC, GetShaderInfoLog)                      \
  X(PFNGLDELETESHADERPROC, DeleteShader)                              \
  X(PFNGLCREATEPROGRAMPROC, CreateProgram)                            \
  X(PFNGLATTACHSHADERPROC, AttachShader)                              \
  X(PFNGLBINDATTRIBLOCATIONPROC, BindAttribLocation)                  \
  X(PFNGLBINDFRAGDATALOCATIONPROC, BindFragDataLocation)              \
  X(PFNGLLINKPROGRAMPROC, LinkProgram)                                \
  X(PFNGLGETPROGRAMIVPROC, GetProgramiv)                              \
  X(PFNGLGETPROGRAMINFOLOGPROC, GetProgramInfoLog)                    \
  X(PFNGLUSEPROGRAMPROC, UseProgram)                                  \
  X(PFNGLDELETEPROGRAMPROC, DeleteProgram)                            \
  X(PFNGLGETUNIFORMLOCATIONPROC, GetUniformLocation)                  \
  X(PFNGLUNIFORMMATRIX4FVPROC, UniformMatrix4fv)                      \
  X(PFNGLUNIFORM1IPROC, Uniform1i)                                    \
  X(PFNGLUNIFORM1FPROC, Uniform1f)                                    \
  X(PFNGLUNIFORM2FPROC, Uniform2f)                                    \
  X(PFNGLUNIFORM2IPROC, Uniform2i)                                    \
  X(PFNGLDRAWARRAYSPROC, DrawArrays)                                  \
  X(PFNGLDRAWELEMENTSBASEVERTEXPROC, DrawElementsBaseVertex)          \
  X(PFNGLGENFRAMEBUFFERSPROC, GenFramebuffers)                        \
  X(PFNGLDELETEFRAMEBUFFERSPROC, DeleteFramebuffers)                  \
  X(PFNGLBINDFRAMEBUFFERPROC, BindFramebuffer)                        \
  X(PFNGLFRAMEBUFFERTEXTURE2DPROC, FramebufferTexture2D)              \
  X(PFNGLFRAMEBUFFERRENDERBUFFERPROC, FramebufferRenderbuffer)        \
  X(PFNGLCHECKFRAMEBUFFERSTATUSPROC, CheckFramebufferStatus)          \
  X(PFNGLGENRENDERBUFFERSPROC, GenRenderbuffers)                      \
  X(PFNGLDELETERENDERBUFFERSPROC, DeleteRenderbuffers)                \
  X(PFNGLBINDRENDERBUFFERPROC, BindRenderbuffer)                      \
  X(PFNGLRENDERBUFFERSTORAGEPROC, RenderbufferStorage)                \
  X(PFNGLBLITFRAMEBUFFERPROC, BlitFramebuffer)                        \
  X(PFNGLREADPIXELSPROC, ReadPixels)                                  \
  X(PFNGLGETTEXIMAGEPROC, GetTexImage)                                \
  X(PFNGLPIXELSTOREIPROC, PixelStorei)                                \
  X(PFNGLFINISHPROC, Finish)

struct GlFunctions {
#define HOST_GL_DECLARE(type, name) type name = nullptr;
  HOST_GL_FUNCTIONS(HOST_GL_DECLARE)
#undef HOST_GL_DECLARE
};

// The loaded functions; valid after fLoadFunctions succeeded.
extern GlFunctions gl;

// Loads every function with a context current; false when one is missing.
bool fLoadFunctions();

}  // namespace host_gl
