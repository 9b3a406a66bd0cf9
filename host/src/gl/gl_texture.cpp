#include "host/src/gl/gl_texture.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace host_gl {

namespace {

GLsizei glSize(UINT value) { return static_cast<GLsizei>(value); }

}  // namespace

bool GlContext::fMakeCurrent() const {
  if (!alive) return false;
  if (SDL_GL_GetCurrentContext() != context) SDL_GL_MakeCurrent(window, context);
  return true;
}

GlTexture::GlTexture(std::shared_ptr<host_d3d::ResourceLedger> ledger, std::shared_ptr<GlContext> context,
                     UINT width, UINT height, DWORD usage, D3DFORMAT format, D3DPOOL pool)
    : MemoryTexture(std::move(ledger), width, height, usage, format, pool), context_(std::move(context)) {
  context_->textures.push_back(this);
  if (!context_->fMakeCurrent()) return;
  gl.GenTextures(1, &name_);
  fAllocate();
}

GlTexture::~GlTexture() {
  auto& list = context_->textures;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (!context_->fMakeCurrent()) return;
  context_->fBeforeTextureChange();
  if (framebuffer_ != 0) gl.DeleteFramebuffers(1, &framebuffer_);
  if (depth_ != 0) gl.DeleteRenderbuffers(1, &depth_);
  if (name_ != 0) gl.DeleteTextures(1, &name_);
  if (hasStorage_) context_->storageMoved = true;
}

// One level, no mipmaps; filtering and addressing come from the device's sampler object. A
// render target gets its storage now; a lockable texture at its first unlock, or as transparent
// black when it is drawn before that (fEnsureStorage).
void GlTexture::fAllocate() {
  gl.ActiveTexture(GL_TEXTURE0);
  gl.BindTexture(GL_TEXTURE_2D, name_);
  gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
  gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  // X8R8G8B8 has no alpha: it reads as opaque.
  gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_A, fFormat() == D3DFMT_X8R8G8B8 ? GL_ONE : GL_ALPHA);
  if (isRenderTarget()) {
    gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, glSize(fWidth()), glSize(fHeight()), 0, GL_BGRA, GL_UNSIGNED_BYTE,
                  nullptr);
    hasStorage_ = true;
  }
}

// A8R8G8B8 and X8R8G8B8 words lie in memory as B, G, R, A bytes; A8B8G8R8 as R, G, B, A.
GLenum GlTexture::fLayout() const { return fFormat() == D3DFMT_A8B8G8R8 ? GL_RGBA : GL_BGRA; }

void GlTexture::fUpload(const std::uint8_t* pixels) {
  gl.ActiveTexture(GL_TEXTURE0);
  gl.BindTexture(GL_TEXTURE_2D, name_);
  gl.PixelStorei(GL_UNPACK_ALIGNMENT, 4);
  gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, glSize(fWidth()), glSize(fHeight()), 0, fLayout(), GL_UNSIGNED_BYTE,
                pixels);
  hasStorage_ = true;
}

// The driver keeps its own copy of what was uploaded: ours is dropped, and a later lock reads
// the pixels back (fLoadPixels), so a texture's pixels are held once, not twice. A texture locked
// again after that is one that changes: it keeps its copy from then on, so that its later locks
// read nothing back.
void GlTexture::fOnPixelsChanged() {
  if (name_ == 0 || !context_->fMakeCurrent()) return;
  context_->fBeforeTextureChange();
  fUpload(fPixels().data());
  if (!changing_) fDropPixels();
  unlocked_ = true;
}

void GlTexture::fLoadPixels(std::vector<std::uint8_t>& pixels) {
  changing_ = unlocked_;
  if (!hasStorage_ || name_ == 0 || !context_->fMakeCurrent()) {
    MemoryTexture::fLoadPixels(pixels);
    return;
  }
  // Commands still waiting were issued before this read: they are carried out first.
  context_->fBeforeTextureChange();
  gl.ActiveTexture(GL_TEXTURE0);
  gl.BindTexture(GL_TEXTURE_2D, name_);
  gl.PixelStorei(GL_PACK_ALIGNMENT, 4);
  gl.GetTexImage(GL_TEXTURE_2D, 0, fLayout(), GL_UNSIGNED_BYTE, pixels.data());
}

void GlTexture::fEnsureStorage() {
  if (hasStorage_ || name_ == 0) return;
  if (fPixelSource() != nullptr) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(fWidth()) * fHeight() * 4, 0);
    if (fPixelSource()->fPixels(pixels)) fNoteOpacity(pixels.data());
    fUpload(pixels.data());
    context_->storageMoved = true;
    return;
  }
  // calloc hands large blocks out as untouched zero pages: reading them costs no copy of ours.
  const std::unique_ptr<std::uint8_t, decltype(&std::free)> zeros(
      static_cast<std::uint8_t*>(std::calloc(static_cast<std::size_t>(fWidth()) * fHeight(), 4)), &std::free);
  if (zeros != nullptr) fUpload(zeros.get());
}

GLuint GlTexture::fFramebuffer() {
  if (!isRenderTarget() || name_ == 0 || !context_->fMakeCurrent()) return 0;
  if (framebuffer_ != 0) return framebuffer_;
  gl.GenRenderbuffers(1, &depth_);
  gl.BindRenderbuffer(GL_RENDERBUFFER, depth_);
  gl.RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, glSize(fWidth()), glSize(fHeight()));
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

bool GlTexture::fGiveBack() {
  if (!hasStorage_ || fPixelSource() == nullptr || isRenderTarget() || name_ == 0 || !context_->fMakeCurrent()) {
    return false;
  }
  // A fresh name without storage: the driver frees the old one's pixels at once.
  context_->fBeforeTextureChange();
  gl.DeleteTextures(1, &name_);
  gl.GenTextures(1, &name_);
  fAllocate();
  hasStorage_ = false;
  context_->storageMoved = true;
  return true;
}

// New storage of the same size, cleared to transparent black.
void GlTexture::fRebuildStorage() {
  if (name_ == 0 || !context_->fMakeCurrent()) return;
  context_->fBeforeTextureChange();
  fMarkContentChanged();
  fAllocate();
  const GLuint framebuffer = fFramebuffer();
  if (framebuffer == 0) return;
  gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  gl.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  gl.ClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  gl.Clear(GL_COLOR_BUFFER_BIT);
}

}  // namespace host_gl
