// The renderer's textures: empty ones, images from files and memory, the default texture that
// stands in for a failed image, locking and filling; and render targets.
#include "engine/render/qc_render.h"

#include "engine/service/qc_log.h"
#include "host/win_window.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace QOR {

namespace {

constexpr float kPi = 3.14159265358979f;

}  // namespace

QC_TEXTURE_INFO* QC_RENDER::fAddTexture(IDirect3DTexture9* texture, int width, int height) {
  auto* info = new QC_TEXTURE_INFO(texture, width, height);
  _textures[texture] = info;
  return info;
}

QC_TEXTURE_INFO* QC_RENDER::fCreateTexture(int width, int height) {
  if (_device == nullptr || width <= 0 || height <= 0) return nullptr;
  IDirect3DTexture9* texture = nullptr;
  if (FAILED(D3DXCreateTexture(_device, static_cast<UINT>(width), static_cast<UINT>(height), 1, 0, D3DFMT_A8R8G8B8,
                               D3DPOOL_MANAGED, &texture)) ||
      texture == nullptr) {
    return nullptr;
  }
  return fAddTexture(texture, width, height);
}

// What a failed load hands back: the default texture, or null before it exists. A device without
// its default texture is worth a box; without a device the caller has logged the failure, and the
// renderer's own failure to start is reported once by the game, not once per image.
QC_TEXTURE_INFO* QC_RENDER::fFailedLoad() {
  if (_defaultTexture != nullptr) return _defaultTexture;
  if (_device != nullptr) MessageBoxA(nullptr, "defaultTexture not exist!!!", "error", MB_OK);
  return nullptr;
}

QC_TEXTURE_INFO* QC_RENDER::fLoadTexture(const char* fileName) {
  const std::string name = fileName != nullptr ? fileName : "";
  D3DXIMAGE_INFO info{};
  IDirect3DTexture9* texture = nullptr;
  // The handle takes the image's own size, so a load counts only when the information came too.
  const bool loaded =
      _device != nullptr && SUCCEEDED(D3DXGetImageInfoFromFileA(name.c_str(), &info)) &&
      SUCCEEDED(D3DXCreateTextureFromFileExA(_device, name.c_str(), info.Width, info.Height, info.MipLevels, 0,
                                             D3DFMT_A8B8G8R8, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, &info,
                                             nullptr, &texture)) &&
      texture != nullptr;
  if (!loaded) {
    if (_device == nullptr) {
      fLog("Texture " + name + " not loaded: no renderer");
    } else if (_defaultTexture != nullptr) {
      fLog("Textue not load " + name);
    }
    return fFailedLoad();
  }
  return fAddTexture(texture, static_cast<int>(info.Width), static_cast<int>(info.Height));
}

QC_TEXTURE_INFO* QC_RENDER::fLoadTextureFromMemory(const void* bytes, std::size_t size, const char* name) {
  D3DXIMAGE_INFO info{};
  IDirect3DTexture9* texture = nullptr;
  const bool fits = size > 0 && size <= 0xFFFFFFFFu;
  const UINT count = fits ? static_cast<UINT>(size) : 0;
  const bool loaded =
      _device != nullptr && bytes != nullptr && fits &&
      SUCCEEDED(D3DXGetImageInfoFromFileInMemory(bytes, count, &info)) &&
      SUCCEEDED(D3DXCreateTextureFromFileInMemoryEx(_device, bytes, count, info.Width, info.Height, info.MipLevels, 0,
                                                    D3DFMT_A8B8G8R8, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                                    &info, nullptr, &texture)) &&
      texture != nullptr;
  if (!loaded) {
    const std::string label = name != nullptr ? name : "";
    if (_device != nullptr) {
      MessageBoxA(nullptr, "Texture load from memory failed", label.c_str(), MB_OK);
    } else {
      fLog("Texture " + label + " not loaded: no renderer");
    }
    return fFailedLoad();
  }
  return fAddTexture(texture, static_cast<int>(info.Width), static_cast<int>(info.Height));
}

bool QC_RENDER::fSetImageReader(QC_TEXTURE_INFO* texture, host_image::IMAGE_READER read) {
  if (texture == nullptr || texture == _defaultTexture || texture->_texture == nullptr) return false;
  return host_image::fSetImageReader(texture->_texture, std::move(read));
}

void QC_RENDER::fReleaseTexture(QC_TEXTURE_INFO* texture) {
  if (texture == nullptr || texture == _defaultTexture) return;
  if (_defaultTexture != nullptr && texture->_texture == _defaultTexture->_texture) return;
  // Only handles this renderer made are released; a handle someone wrapped around a target's
  // texture stays the target's.
  const auto found = _textures.find(texture->_texture);
  if (found == _textures.end() || found->second != texture) return;
  _textures.erase(found);
  if (_currentTexture == texture) _currentTexture = nullptr;
  if (texture->_texture != nullptr) texture->_texture->Release();
  texture->_texture = nullptr;
  delete texture;
}

void* QC_RENDER::fTextureLock(QC_TEXTURE_INFO* texture) {
  D3DLOCKED_RECT locked{};
  if (texture == nullptr || texture->_texture == nullptr ||
      FAILED(texture->_texture->LockRect(0, &locked, nullptr, 0))) {
    fLog("QC_RENDER::fTextureLock ERROR");
    return nullptr;
  }
  return locked.pBits;
}

bool QC_RENDER::fTextureUnlock(QC_TEXTURE_INFO* texture) {
  if (texture == nullptr || texture->_texture == nullptr) return false;
  return SUCCEEDED(texture->_texture->UnlockRect(0));
}

bool QC_RENDER::fTextureFill(QC_TEXTURE_INFO* texture, const std::uint32_t* argb) {
  if (texture == nullptr || texture->_texture == nullptr || argb == nullptr) return false;
  D3DSURFACE_DESC desc{};
  D3DLOCKED_RECT locked{};
  if (FAILED(texture->_texture->GetLevelDesc(0, &desc)) ||
      FAILED(texture->_texture->LockRect(0, &locked, nullptr, 0))) {
    fLog("QC_RENDER::fTextureLock ERROR");
    return false;
  }
  // The words are packed rows of the handle's width; each is copied to its locked row, never
  // past the texture's own size.
  const int width = std::max(0, texture->fGetWidth());
  const int rows = std::min(std::max(0, texture->fGetHeight()), static_cast<int>(desc.Height));
  const std::size_t rowBytes = static_cast<std::size_t>(std::min(width, static_cast<int>(desc.Width))) * 4;
  auto* out = static_cast<std::uint8_t*>(locked.pBits);
  for (int y = 0; y < rows; ++y) {
    std::memcpy(out + static_cast<std::size_t>(y) * static_cast<std::size_t>(locked.Pitch),
                argb + static_cast<std::size_t>(y) * static_cast<std::size_t>(width), rowBytes);
  }
  return fTextureUnlock(texture);
}

QC_RENDER_TARGET* QC_RENDER::fCreateTarget(int width, int height) {
  if (_device == nullptr || width <= 0 || height <= 0) return nullptr;
  IDirect3DTexture9* texture = nullptr;
  if (FAILED(_device->CreateTexture(static_cast<UINT>(width), static_cast<UINT>(height), 1, D3DUSAGE_RENDERTARGET,
                                    D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture, nullptr)) ||
      texture == nullptr) {
    return nullptr;
  }
  IDirect3DSurface9* surface = nullptr;
  texture->GetSurfaceLevel(0, &surface);

  auto* projection = new QS_MATRIX4();
  auto* view = new QS_MATRIX4();
  const float w = static_cast<float>(width);
  const float h = static_cast<float>(height);
  const float d = (h / 2.0f) / std::tan(kPi / 8.0f);
  D3DXMATRIX matrix;
  D3DXMatrixPerspectiveFovLH(&matrix, kPi / 4.0f, w / h, _near, _far);
  std::memcpy(projection->e, matrix.m, sizeof(projection->e));
  const D3DXVECTOR3 eye(w / 2.0f, -h / 2.0f, -d);
  const D3DXVECTOR3 at(w / 2.0f, -h / 2.0f, 0.0f);
  const D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
  D3DXMatrixLookAtLH(&matrix, &eye, &at, &up);
  std::memcpy(view->e, matrix.m, sizeof(view->e));

  auto* target = new QC_RENDER_TARGET();
  target->_id = _targetCounter;
  _targetCounter = static_cast<std::uint16_t>(_targetCounter + 1);
  target->_texture = texture;
  target->_surface = surface;
  target->_view = view;
  target->_projection = projection;
  target->_width = width;
  target->_height = height;
  _targets[target->_id] = target;
  return target;
}

// After a reset: every target's surface again, and a texture for any target left without one.
void QC_RENDER::fRestoreTargets() {
  for (auto& entry : _targets) {
    QC_RENDER_TARGET* target = entry.second;
    if (target->_texture == nullptr) {
      _device->CreateTexture(static_cast<UINT>(target->_width), static_cast<UINT>(target->_height), 1,
                             D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &target->_texture, nullptr);
    }
    if (target->_texture != nullptr && target->_surface == nullptr) {
      target->_texture->GetSurfaceLevel(0, &target->_surface);
    }
  }
}

// Drawing goes back to the back buffer with the screen camera.
void QC_RENDER::fReturnToScreen() {
  if (_device == nullptr) return;
  if (_backBuffer != nullptr) _device->SetRenderTarget(0, _backBuffer);
  _device->SetTransform(D3DTS_PROJECTION, &_screenProjection);
  if (_camera != nullptr) {
    const D3DMATRIX view = _camera->fGetViewMatrix();
    _device->SetTransform(D3DTS_VIEW, &view);
  } else {
    _device->SetTransform(D3DTS_VIEW, &_screenView);
  }
}

int QC_RENDER::BeginTarget(QC_RENDER_TARGET* target) {
  if (_deviceState != kIdle || _device == nullptr || target == nullptr || target->_surface == nullptr ||
      target->_view == nullptr || target->_projection == nullptr) {
    return -1;
  }
  if (FAILED(_device->SetRenderTarget(0, target->_surface))) return -1;
  D3DMATRIX matrix;
  std::memcpy(matrix.m, target->_projection->e, sizeof(matrix.m));
  _device->SetTransform(D3DTS_PROJECTION, &matrix);
  std::memcpy(matrix.m, target->_view->e, sizeof(matrix.m));
  _device->SetTransform(D3DTS_VIEW, &matrix);
  D3DXMatrixIdentity(&_batchWorld);
  if (FAILED(_device->BeginScene())) {
    fLog("ERROR BeginTarget");
    fReturnToScreen();
    return 0;
  }
  if (FAILED(_device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x00000000u, 1.0f, 0))) {
    _device->EndScene();
    fReturnToScreen();
    return -1;
  }
  _deviceState = kInTarget;
  return 1;
}

int QC_RENDER::EndTarget() {
  if (_deviceState != kInTarget || _device == nullptr) return -1;
  fFlush();
  fReturnToScreen();
  _device->EndScene();
  _deviceState = kIdle;
  return 0;
}

void QC_RENDER::fReleaseTarget(QC_RENDER_TARGET* target) {
  if (target == nullptr) return;
  const auto found = _targets.find(target->_id);
  if (found != _targets.end() && found->second == target) _targets.erase(found);
  if (target->_surface != nullptr) target->_surface->Release();
  if (target->_texture != nullptr) target->_texture->Release();
  delete target->_view;
  delete target->_projection;
  delete target;
}

}  // namespace QOR
