// Hands a widget's picture back to the resource loader through the texture-release hook.
#pragma once

#include "engine/render/qc_texture_info.h"
#include "engine/service/qc_callback.h"

#include <cstdint>

namespace QOR {

// Invokes qcOnUnscribeTexture with the texture record's address; a null texture releases nothing
// (a zero argument would reach the hook's function as its default argument instead).
inline void fReleaseWidgetTexture(const QC_TEXTURE_INFO* texture) {
  if (texture == nullptr) return;
  fInvokeCallback(qcOnUnscribeTexture, reinterpret_cast<std::uintptr_t>(texture));
}

}  // namespace QOR
