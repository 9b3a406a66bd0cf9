#include "engine/render/qc_texture_info.h"

#include "engine/render/qc_render.h"

namespace QOR {

bool QC_TEXTURE_INFO::fFill(const std::uint32_t* argb) {
  return qcCurrentRender != nullptr && qcCurrentRender->fTextureFill(this, argb);
}

}  // namespace QOR
