#include "host/src/gl/gl_texture.h"

namespace host_gl {

bool GlContext::fMakeCurrent() const {
  if (!alive) return false;
  if (SDL_GL_GetCurrentContext() != context) SDL_GL_MakeCurrent(window, context);
  return true;
}

GlTexture::GlTexture(std::shared_ptr<host_d3d::ResourceLedger> ledger, std::shared_ptr<GlContext> context,
                     UINT width, UINT height, DWORD usage, D3DFORMAT format, D3DPOOL pool)
    : MemoryTexture(std::move(ledger), width, height, usage, format, pool), context_(std::move(context)) {
  if (!context_->fMakeCurrent()) return;
  gl.GenTextures(1, &name_);
  fAllocate();
}

GlTexture::~GlTexture() {
  if (!context_->fMakeCurrent()) return;
  if (framebuffer_ != 0) gl.DeleteFramebuffers(1, &framebuffer_);
  if (depth_ != 0) gl.DeleteRenderbuffers(1, &depth_);
  if (name_ != 0) gl.DeleteTextures(1, &name_);
}

// One level, no mipmaps; filtering and addressing come from the device's sampler object.
void GlTexture::fAllocate() {
  gl.ActiveTexture(GL_TEXTURE0);
  gl.BindTexture(GL_TEXTURE_2D, name_);
  gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
  gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  // X8R8G8B8 has no alpha: it reads as opaque.
  gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_A, fFormat() == D3DFMT_X8R8G8B8 ? GL_ONE : GL_ALPHA);
  const GLsizei w = static_cast<GLsizei>(fWidth());
  const GLsizei h = static_cast<GLsizei>(fHeight());
  if (isRenderTarget()) {
    gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
  } else {
    fOnPixelsChanged();
  }
}

void GlTexture::fOnPixelsChanged() {
  if (name_ == 0 || !context_->fMakeCurrent()) return;
  // A8R8G8B8 and X8R8G8B8 words lie in memory as B, G, R, A bytes; A8B8G8R8 as R, G, B, A.
  const GLenum layout = fFormat() == D3DFMT_A8B8G8R8 ? GL_RGBA : GL_BGRA;
  gl.ActiveTexture(GL_TEXTURE0);
  gl.BindTexture(GL_TEXTURE_2D, name_);
  gl.PixelStorei(GL_UNPACK_ALIGNMENT, 4);
  gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(fWidth()), static_cast<GLsizei>(fHeight()), 0,
                layout, GL_UNSIGNED_BYTE, fPixels().data());
}

GLuint GlTexture::fFramebuffer() {
  if (!isRenderTarget() || name_ == 0 || !context_->fMakeCurrent()) return 0;
  if (framebuffer_ != 0) return framebuffer_;
  gl.GenRenderbuffers(1, &depth_);
  gl.BindRenderbuffer(GL_RENDERBUFFER, depth_);
  gl.RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, static_cast<GLsizei>(fWidth()),
                         static_cast<GLsizei>(fHeight()));
  gl.GenFramebuffers(1, &framebuffer_);
  gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  gl.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, name_, 0);
  gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth_);
  if (gl.CheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    gl.DeleteFramebuffers(1, &framebuffer_);
    framebuffer_ = 0;
  }
  return framebuffer_;
}

// New storage of the same size, cleared to transparent black.
void GlTexture::fRebuildStorage() {
  if (name_ == 0 || !context_->fMakeCurrent()) return;
  fAllocate();
  const GLuint framebuffer = fFramebuffer();
  if (framebuffer == 0) return;
  gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  gl.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  gl.ClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  gl.Clear(GL_COLOR_BUFFER_BIT);
}

}  // namespace host_gl
