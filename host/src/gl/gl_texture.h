// A device texture with OpenGL storage: lockable textures upload their pixels after each unlock
// and keep no copy of their own; textures made from an image upload it when first drawn and may
// give their storage back while unused (read from the image again when next drawn or locked);
// render targets draw through a framebuffer of their own and are stored top row first.
#pragma once

#include "host/src/d3d9/device_objects.h"
#include "host/src/gl/gl_functions.h"

#include <SDL2/SDL.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace host_gl {

class GlTexture;

// The GL context of one device, shared with its textures so that a texture outliving its device
// does not touch a deleted context.
struct GlContext {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
  bool alive = false;
  // The device's drawing not yet carried out (it waits for the frame's present): carried out
  // before a texture's pixels change, are read or go away, so that every draw sees the pixels it
  // was issued with. Null when the device holds nothing back.
  std::function<void()> flush;
  // The textures made on the context that still live, and whether one read its image again, gave
  // its storage back or went since the device last handed freed memory back to the system.
  std::vector<GlTexture*> textures;
  bool storageMoved = false;

  // Makes the context current; false once it is gone.
  bool fMakeCurrent() const;
  void fBeforeTextureChange() {
    if (flush) flush();
  }
};

class GlTexture final : public host_d3d::MemoryTexture {
 public:
  GlTexture(std::shared_ptr<host_d3d::ResourceLedger> ledger, std::shared_ptr<GlContext> context, UINT width,
            UINT height, DWORD usage, D3DFORMAT format, D3DPOOL pool);

  GLuint fName() const { return name_; }
  // Gives a texture without storage its pixels before it is drawn: its image, or transparent black
  // when it has none. Reading the image again is no change of the pixels.
  void fEnsureStorage();
  bool fHasStorage() const { return hasStorage_; }
  // Gives the storage of a texture whose pixels are its image's back to the driver; the image is
  // read again when the texture is next drawn or locked. False when there was none to give.
  bool fGiveBack();
  // When a frame last drew with the texture.
  void fMarkUsed(std::chrono::steady_clock::time_point at) { lastUse_ = at; }
  std::chrono::steady_clock::time_point fLastUse() const { return lastUse_; }
  // The framebuffer that draws into this render target (made on first use); 0 for other textures.
  GLuint fFramebuffer();
  void fRebuildStorage() override;

 protected:
  // Uploads the pixels, then drops the copy the texture held (the driver keeps them) unless the
  // texture is one that changes.
  void fOnPixelsChanged() override;
  // Reads the uploaded pixels back for a lock (or the image, while none are uploaded); a texture
  // locked after an unlock counts as one that changes from then on.
  void fLoadPixels(std::vector<std::uint8_t>& pixels) override;

 private:
  ~GlTexture() override;
  void fAllocate();
  GLenum fLayout() const;
  void fUpload(const std::uint8_t* pixels);

  std::shared_ptr<GlContext> context_;
  GLuint name_ = 0;
  GLuint framebuffer_ = 0;
  GLuint depth_ = 0;
  bool hasStorage_ = false;
  bool unlocked_ = false;  // uploaded by an unlock at least once
  bool changing_ = false;  // locked again after that: keeps its own copy
  std::chrono::steady_clock::time_point lastUse_;
};

}  // namespace host_gl
