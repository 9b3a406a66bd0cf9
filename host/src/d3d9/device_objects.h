// The objects a device makes, kept in memory the same way by both device implementations:
// vertex and index buffers, textures with their level-0 surface, and the back-buffer surface.
// The OpenGL device extends the texture with its GL storage.
#pragma once

#include "host/src/d3d9/ref_counted.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace host_d3d {

class HostDevice;
class MemoryTexture;

// What a device and the objects made on it share. It outlives both, so an object released after
// its device (or a device released before its objects) finds out instead of dangling.
struct ResourceLedger {
  HostDevice* device = nullptr;  // null once the device is gone
  int defaultBuffers = 0;        // live default-pool vertex and index buffers
  int defaultTextures = 0;       // live default-pool textures other than render targets
  std::vector<MemoryTexture*> renderTargets;
};

// A serial number per object, so recordings can name the objects a call used.
class HostObjectInfo {
 public:
  virtual ~HostObjectInfo();
  int fSerial() const { return serial_; }

 protected:
  HostObjectInfo();

 private:
  int serial_;
};

// Whether an object with this serial number is still alive.
bool fIsLiveSerial(int serial);

// Lock bookkeeping shared by the two buffer kinds.
class MemoryBufferCore : public HostObjectInfo {
 public:
  MemoryBufferCore(std::shared_ptr<ResourceLedger> ledger, UINT length, DWORD usage, D3DPOOL pool);
  ~MemoryBufferCore() override;
  const std::uint8_t* fBytes() const { return bytes_.data(); }
  UINT fLength() const { return static_cast<UINT>(bytes_.size()); }
  const std::shared_ptr<ResourceLedger>& fLedger() const { return ledger_; }

 protected:
  HRESULT fLock(const char* callName, UINT offset, UINT size, void** data, DWORD flags);
  HRESULT fUnlock(const char* callName);
  void fForget(const void* self);

 private:
  std::shared_ptr<ResourceLedger> ledger_;
  std::vector<std::uint8_t> bytes_;
  D3DPOOL pool_;
  bool locked_ = false;
};

class MemoryVertexBuffer final : public RefCounted<IDirect3DVertexBuffer9>, public MemoryBufferCore {
 public:
  MemoryVertexBuffer(std::shared_ptr<ResourceLedger> ledger, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool)
      : MemoryBufferCore(std::move(ledger), length, usage, pool), fvf_(fvf) {}
  D3DRESOURCETYPE GetType() override { return D3DRTYPE_VERTEXBUFFER; }
  HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override {
    return fLock("LockVertexBuffer", offset, size, data, flags);
  }
  HRESULT Unlock() override { return fUnlock("UnlockVertexBuffer"); }
  DWORD fFvf() const { return fvf_; }

 private:
  ~MemoryVertexBuffer() override { fForget(this); }
  DWORD fvf_;
};

class MemoryIndexBuffer final : public RefCounted<IDirect3DIndexBuffer9>, public MemoryBufferCore {
 public:
  MemoryIndexBuffer(std::shared_ptr<ResourceLedger> ledger, UINT length, DWORD usage, D3DPOOL pool)
      : MemoryBufferCore(std::move(ledger), length, usage, pool) {}
  D3DRESOURCETYPE GetType() override { return D3DRTYPE_INDEXBUFFER; }
  HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override {
    return fLock("LockIndexBuffer", offset, size, data, flags);
  }
  HRESULT Unlock() override { return fUnlock("UnlockIndexBuffer"); }

 private:
  ~MemoryIndexBuffer() override { fForget(this); }
};

// Where a texture made from an image gets its pixels while it holds none: before it is first drawn
// or locked, and after the device gave its storage back while it was unused.
class PixelSource {
 public:
  virtual ~PixelSource() = default;
  // Fills pixels (width x height x 4 bytes, rows from the top, in the texture's byte order); false,
  // with pixels left as they were, when the image cannot be had.
  virtual bool fPixels(std::vector<std::uint8_t>& pixels) = 0;
};

// A one-level texture of 32-bit pixels (A8R8G8B8, X8R8G8B8 or A8B8G8R8). Lockable textures hold
// their pixels here from the first lock on, starting as transparent black, or as the image of their
// pixel source; a device with storage of its own may drop them after an unlock and give them back
// at the next lock (fLoadPixels). Render targets (default pool) live only in the device's storage.
class MemoryTexture : public RefCounted<IDirect3DTexture9>, public HostObjectInfo {
 public:
  MemoryTexture(std::shared_ptr<ResourceLedger> ledger, UINT width, UINT height, DWORD usage, D3DFORMAT format,
                D3DPOOL pool);

  D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
  DWORD GetLevelCount() override { return 1; }
  HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
  HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface9** surface) override;
  HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
  HRESULT UnlockRect(UINT level) override;

  UINT fWidth() const { return width_; }
  UINT fHeight() const { return height_; }
  D3DFORMAT fFormat() const { return format_; }
  bool isRenderTarget() const { return (usage_ & D3DUSAGE_RENDERTARGET) != 0; }
  const std::vector<std::uint8_t>& fPixels() const { return pixels_; }
  const std::shared_ptr<ResourceLedger>& fLedger() const { return ledger_; }

  // A device reset gives a render target new, cleared storage; the object stays.
  virtual void fRebuildStorage() {}

  // The image the pixels come from, until they are changed under a lock (null when none).
  void fSetPixelSource(std::shared_ptr<PixelSource> source) { source_ = std::move(source); }
  PixelSource* fPixelSource() const { return source_.get(); }
  // Counts the changes of the pixels: unlocks, rebuilt storage, drawing into a render target.
  std::uint64_t fContentVersion() const { return contentVersion_; }
  void fMarkContentChanged() { ++contentVersion_; }
  // Whether every pixel's alpha byte is 255 in the content of that version: known once pixels of
  // that content were looked at (an unlock, or a device reading the image), false until then.
  bool fOpaque(std::uint64_t version) const { return opaqueVersion_ == version && opaque_; }
  // Looks at pixels of the current content (width * height * 4 bytes).
  void fNoteOpacity(const std::uint8_t* pixels);

 protected:
  ~MemoryTexture() override;
  // Called after every successful unlock, when the pixels may have changed.
  virtual void fOnPixelsChanged() {}
  // Fills pixels (width * height * 4 bytes, zeroed) with the texture's current content when no
  // copy is held here: the base has only the pixel source's image, or zeros.
  virtual void fLoadPixels(std::vector<std::uint8_t>& pixels);
  // Frees the copy held here; the next lock asks fLoadPixels for it again.
  void fDropPixels();

 private:
  std::shared_ptr<ResourceLedger> ledger_;
  UINT width_;
  UINT height_;
  DWORD usage_;
  D3DFORMAT format_;
  D3DPOOL pool_;
  std::vector<std::uint8_t> pixels_;
  bool locked_ = false;
  std::shared_ptr<PixelSource> source_;
  std::uint64_t contentVersion_ = 0;
  bool opaque_ = false;
  std::uint64_t opaqueVersion_ = ~std::uint64_t{0};
};

// Level 0 of a texture; holds a reference to its texture.
class TextureSurface final : public RefCounted<IDirect3DSurface9>, public HostObjectInfo {
 public:
  explicit TextureSurface(MemoryTexture* texture) : texture_(texture) { texture_->AddRef(); }
  D3DRESOURCETYPE GetType() override { return D3DRTYPE_SURFACE; }
  HRESULT GetDesc(D3DSURFACE_DESC* desc) override { return texture_->GetLevelDesc(0, desc); }
  MemoryTexture* fTexture() const { return texture_; }

 private:
  ~TextureSurface() override { texture_->Release(); }
  MemoryTexture* texture_;
};

// The device's back buffer as a surface. The device keeps one reference of its own.
class BackBufferSurface final : public RefCounted<IDirect3DSurface9>, public HostObjectInfo {
 public:
  explicit BackBufferSurface(const std::shared_ptr<ResourceLedger>& ledger) : ledger_(ledger) {}
  D3DRESOURCETYPE GetType() override { return D3DRTYPE_SURFACE; }
  HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
  void fSetSize(UINT width, UINT height) {
    width_ = width;
    height_ = height;
  }
  const std::shared_ptr<ResourceLedger>& fLedger() const { return ledger_; }

 private:
  ~BackBufferSurface() override = default;
  std::shared_ptr<ResourceLedger> ledger_;
  UINT width_ = 0;
  UINT height_ = 0;
};

// Bytes of one vertex of a flexible vertex format (position, normal, point size, colour, texture
// coordinates), and the offsets of its parts; -1 for a part the format lacks.
struct FvfLayout {
  UINT size = 0;
  int position = -1;
  int normal = -1;
  int pointSize = -1;
  int diffuse = -1;
  int texCoord = -1;
};
FvfLayout fFvfLayout(DWORD fvf);

}  // namespace host_d3d
