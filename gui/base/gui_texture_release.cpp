#include "gui/base/gui_texture_release.h"

#include "engine/render/qc_render.h"
#include "engine/service/qc_globals.h"

namespace QOR {

QC_TEXTURE_INFO* fDefaultWidgetTexture() { return qcRENDER != nullptr ? qcRENDER->fGetDefaultTexture() : nullptr; }

}  // namespace QOR
