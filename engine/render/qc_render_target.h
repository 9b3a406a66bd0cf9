// An off-screen texture the game can draw into and then show as an image, with its own view and
// projection. Made and owned by the renderer.
#pragma once

#include "engine/math/qs_matrix4.h"
#include "host/d3d9.h"

#include <cstdint>

namespace QOR {

struct QC_RENDER_TARGET {
  std::uint32_t _id = 0;  // a value of the renderer's 16-bit id counter
  int _width = 0;
  int _height = 0;
  IDirect3DTexture9* _texture = nullptr;  // one level, render target, A8R8G8B8, default pool
  QS_MATRIX4* _view = nullptr;            // owned
  QS_MATRIX4* _projection = nullptr;      // owned
  IDirect3DSurface9* _surface = nullptr;  // level 0 of the texture

  IDirect3DTexture9* fGetTexture() const { return _texture; }
};

}  // namespace QOR
