// The engine's texture handle: a device texture with its size in pixels (for an image file, the
// image's own size).
#pragma once

#include "engine/math/qs_point.h"
#include "host/d3d9.h"

#include <cstdint>

namespace QOR {

class QC_TEXTURE_INFO {
 public:
  IDirect3DTexture9* _texture;
  QS_POINT _size;

  QC_TEXTURE_INFO() : _texture(nullptr), _size(0, 0) {}
  QC_TEXTURE_INFO(IDirect3DTexture9* texture, int width, int height) : _texture(texture), _size(width, height) {}

  // Writes width x height ARGB words into the texture through the renderer; false when there is
  // no renderer or the texture cannot be written.
  bool fFill(const std::uint32_t* argb);

  IDirect3DTexture9* fGetTexture() const { return _texture; }
  int fGetWidth() const { return _size.x; }
  int fGetHeight() const { return _size.y; }
  QS_POINT fGetSize() const { return _size; }
  QC_TEXTURE_INFO* fGetThis() { return this; }
};

}  // namespace QOR
