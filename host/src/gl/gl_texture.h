// A device texture with OpenGL storage: lockable textures upload their pixels after each unlock;
// render targets draw through a framebuffer of their own and are stored top row first.
#pragma once

#include "host/src/d3d9/device_objects.h"
#include "host/src/gl/gl_functions.h"

#include <SDL2/SDL.h>

#include <memory>

namespace host_gl {

// The GL context of one device, shared with its textures so that a texture outliving its device
// does not touch a deleted context.
struct GlContext {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
  bool alive = false;
  // Makes the context current; false once it is gone.
  bool fMakeCurrent() const;
};

class GlTexture final : public host_d3d::MemoryTexture {
 public:
  GlTexture(std::shared_ptr<host_d3d::ResourceLedger> ledger, std::shared_ptr<GlContext> context, UINT width,
            UINT height, DWORD usage, D3DFORMAT format, D3DPOOL pool);

  GLuint fName() const { return name_; }
  // The framebuffer that draws into this render target (made on first use); 0 for other textures.
  GLuint fFramebuffer();
  void fRebuildStorage() override;

 protected:
  void fOnPixelsChanged() override;

 private:
  ~GlTexture() override;
  void fAllocate();

  std::shared_ptr<GlContext> context_;
  GLuint name_ = 0;
  GLuint framebuffer_ = 0;
  GLuint depth_ = 0;
};

}  // namespace host_gl
