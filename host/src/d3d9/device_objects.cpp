#include "host/src/d3d9/device_objects.h"

#include "host/src/d3d9/host_device.h"

#include <algorithm>
#include <set>

namespace host_d3d {

namespace {

int g_nextSerial = 1;

std::set<int>& liveSerials() {
  static std::set<int> serials;
  return serials;
}

}  // namespace

HostObjectInfo::HostObjectInfo() : serial_(g_nextSerial++) { liveSerials().insert(serial_); }
HostObjectInfo::~HostObjectInfo() { liveSerials().erase(serial_); }

bool fIsLiveSerial(int serial) { return liveSerials().count(serial) != 0; }

MemoryBufferCore::MemoryBufferCore(std::shared_ptr<ResourceLedger> ledger, UINT length, DWORD /*usage*/,
                                   D3DPOOL pool)
    : ledger_(std::move(ledger)), bytes_(length, 0), pool_(pool) {
  if (pool_ == D3DPOOL_DEFAULT) ++ledger_->defaultBuffers;
}

MemoryBufferCore::~MemoryBufferCore() {
  if (pool_ == D3DPOOL_DEFAULT) --ledger_->defaultBuffers;
}

void MemoryBufferCore::fForget(const void* self) {
  if (ledger_->device != nullptr) ledger_->device->fForgetObject(self);
}

HRESULT MemoryBufferCore::fLock(const char* callName, UINT offset, UINT size, void** data, DWORD flags) {
  HostDevice* device = ledger_->device;
  if (device != nullptr) {
    device->fNote(callName, {static_cast<double>(fSerial()), static_cast<double>(offset), static_cast<double>(size),
                             static_cast<double>(flags)});
  }
  if (data == nullptr) return D3DERR_INVALIDCALL;
  *data = nullptr;
  if (locked_) return D3DERR_INVALIDCALL;
  const std::size_t length = bytes_.size();
  if (offset > length) return D3DERR_INVALIDCALL;
  const std::size_t span = size == 0 ? length - offset : size;
  if (span > length - offset) return D3DERR_INVALIDCALL;
  if (device != nullptr && FAILED(device->fInjected(Fault::kLock))) return device->fInjected(Fault::kLock);
  locked_ = true;
  *data = bytes_.data() + offset;
  return D3D_OK;
}

HRESULT MemoryBufferCore::fUnlock(const char* callName) {
  if (ledger_->device != nullptr) ledger_->device->fNote(callName, {static_cast<double>(fSerial())});
  if (!locked_) return D3DERR_INVALIDCALL;
  locked_ = false;
  return D3D_OK;
}

MemoryTexture::MemoryTexture(std::shared_ptr<ResourceLedger> ledger, UINT width, UINT height, DWORD usage,
                             D3DFORMAT format, D3DPOOL pool)
    : ledger_(std::move(ledger)), width_(width), height_(height), usage_(usage), format_(format), pool_(pool) {
  if (isRenderTarget()) {
    ledger_->renderTargets.push_back(this);
  } else if (pool_ == D3DPOOL_DEFAULT) {
    ++ledger_->defaultTextures;
  }
}

MemoryTexture::~MemoryTexture() {
  if (isRenderTarget()) {
    auto& list = ledger_->renderTargets;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  } else if (pool_ == D3DPOOL_DEFAULT) {
    --ledger_->defaultTextures;
  }
  if (ledger_->device != nullptr) ledger_->device->fForgetObject(this);
}

HRESULT MemoryTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
  if (level != 0 || desc == nullptr) return D3DERR_INVALIDCALL;
  *desc = D3DSURFACE_DESC{format_, D3DRTYPE_SURFACE, usage_, pool_, width_, height_};
  return D3D_OK;
}

HRESULT MemoryTexture::GetSurfaceLevel(UINT level, IDirect3DSurface9** surface) {
  if (surface == nullptr) return D3DERR_INVALIDCALL;
  *surface = nullptr;
  if (level != 0) return D3DERR_INVALIDCALL;
  *surface = new TextureSurface(this);
  return D3D_OK;
}

HRESULT MemoryTexture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
  HostDevice* device = ledger_->device;
  if (device != nullptr) {
    device->fNote("LockRect", {static_cast<double>(fSerial()), static_cast<double>(level), static_cast<double>(flags)});
  }
  if (locked == nullptr) return D3DERR_INVALIDCALL;
  locked->pBits = nullptr;
  locked->Pitch = 0;
  // Render targets and other default-pool textures cannot be locked.
  if (level != 0 || rect != nullptr || locked_ || pool_ == D3DPOOL_DEFAULT || isRenderTarget() || width_ == 0 ||
      height_ == 0) {
    return D3DERR_INVALIDCALL;
  }
  if (device != nullptr && FAILED(device->fInjected(Fault::kLock))) return device->fInjected(Fault::kLock);
  if (pixels_.empty()) {
    pixels_.assign(static_cast<std::size_t>(width_) * height_ * 4, 0);
    fLoadPixels(pixels_);
  }
  locked_ = true;
  locked->pBits = pixels_.data();
  locked->Pitch = static_cast<INT>(width_ * 4);
  return D3D_OK;
}

void MemoryTexture::fLoadPixels(std::vector<std::uint8_t>& pixels) {
  if (source_ != nullptr) source_->fPixels(pixels);
}

void MemoryTexture::fDropPixels() { std::vector<std::uint8_t>().swap(pixels_); }

HRESULT MemoryTexture::UnlockRect(UINT level) {
  if (ledger_->device != nullptr) ledger_->device->fNote("UnlockRect", {static_cast<double>(fSerial())});
  if (level != 0 || !locked_) return D3DERR_INVALIDCALL;
  locked_ = false;
  // The pixels are the caller's now, not the image's.
  source_.reset();
  ++contentVersion_;
  fNoteOpacity(pixels_.data());
  fOnPixelsChanged();
  return D3D_OK;
}

void MemoryTexture::fNoteOpacity(const std::uint8_t* pixels) {
  const std::size_t bytes = static_cast<std::size_t>(width_) * height_ * 4;
  // X8R8G8B8 reads as opaque whatever its unused byte holds; the others keep alpha last in memory.
  bool opaque = format_ == D3DFMT_X8R8G8B8;
  if (!opaque && pixels != nullptr) {
    opaque = true;
    for (std::size_t i = 3; i < bytes && opaque; i += 4) opaque = pixels[i] == 0xFF;
  }
  opaque_ = opaque;
  opaqueVersion_ = contentVersion_;
}

HRESULT BackBufferSurface::GetDesc(D3DSURFACE_DESC* desc) {
  if (desc == nullptr) return D3DERR_INVALIDCALL;
  *desc = D3DSURFACE_DESC{D3DFMT_X8R8G8B8, D3DRTYPE_SURFACE, D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT, width_, height_};
  return D3D_OK;
}

FvfLayout fFvfLayout(DWORD fvf) {
  FvfLayout layout;
  int at = 0;
  if ((fvf & D3DFVF_XYZ) != 0) {
    layout.position = at;
    at += 12;
  }
  if ((fvf & D3DFVF_NORMAL) != 0) {
    layout.normal = at;
    at += 12;
  }
  if ((fvf & D3DFVF_PSIZE) != 0) {
    layout.pointSize = at;
    at += 4;
  }
  if ((fvf & D3DFVF_DIFFUSE) != 0) {
    layout.diffuse = at;
    at += 4;
  }
  if ((fvf & D3DFVF_TEX1) != 0) {
    layout.texCoord = at;
    at += 8;
  }
  layout.size = static_cast<UINT>(at);
  return layout;
}

}  // namespace host_d3d
