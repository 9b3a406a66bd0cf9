// Not a D3DX call: textures made from image bytes hold no pixels while the device has no use for
// them. They decode their image when first drawn or locked, and again after the device gave their
// storage back while unused; until a reader is set they keep a copy of the bytes for that.
#pragma once

#include "host/d3d9.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace host_image {

// Reads the image's bytes (the same bytes the texture was made from) into bytes; false when they
// cannot be had, and the texture then keeps whatever pixels it had.
using IMAGE_READER = std::function<bool(std::vector<std::uint8_t>& bytes)>;

// Makes a texture made by D3DXCreateTextureFromFileInMemoryEx or D3DXCreateTextureFromFileExA read
// its image through read from now on, and drops its copy of the bytes. False (and nothing changes)
// for any other texture, or one whose pixels were changed under a lock since.
bool fSetImageReader(IDirect3DTexture9* texture, IMAGE_READER read);

}  // namespace host_image
