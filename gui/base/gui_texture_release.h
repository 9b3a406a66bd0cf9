// Widgets' pictures: the texture a widget shows when it is given none, and the hand-back of the
// textures it took from the resource loader through the texture-release hook.
#pragma once

#include "engine/render/qc_font.h"
#include "engine/render/qc_texture_info.h"
#include "engine/service/qc_callback.h"

#include <cstdint>

namespace QOR {

// The renderer's default texture, or null without a renderer.
QC_TEXTURE_INFO* fDefaultWidgetTexture();

// Invokes qcOnUnscribeTexture with the texture record's address; a null texture releases nothing
// (a zero argument would reach the hook's function as its default argument instead).
inline void fReleaseWidgetTexture(const QC_TEXTURE_INFO* texture) {
  if (texture == nullptr) return;
  fInvokeCallback(qcOnUnscribeTexture, reinterpret_cast<std::uintptr_t>(texture));
}

// Deletes a font the widget made from a description it was handed, giving the font's page back
// first (the page came with the description). A font the widget was lent stays with its owner.
// Afterwards the widget holds no font and owns none.
inline void fDropOwnedFont(QC_FONT*& font, bool& owned) {
  if (!owned) return;
  if (font != nullptr && font->fGetPage() != nullptr) fReleaseWidgetTexture(font->fGetPage()->fGetTexture());
  delete font;
  font = nullptr;
  owned = false;
}

}  // namespace QOR
