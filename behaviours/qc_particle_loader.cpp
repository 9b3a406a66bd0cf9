#include "behaviours/qc_particle_loader.h"

#include "behaviours/particle_description.h"
#include "behaviours/qc_particle_system.h"
#include "engine/math/qs_point.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"

#include <pugixml.hpp>

namespace QOR {

namespace {

void releaseTexture(QC_TEXTURE_INFO* texture) { QC_GAME::fUnscribeImage(texture); }

}  // namespace

int fLoadParticleSystem(QC_PARTICLE_SYSTEM_EX* system, const pugi::xml_node& element) {
  if (system == nullptr) return -1;
  QS_PARTICLE_DESCRIPTION description;
  if (fReadParticleDescription(element, description) != 1) return -1;
  QC_TEXTURE_INFO* texture = QC_GAME::fSubscribeImage(description.texture);
  // The renderer's default texture counts no subscription and is not given back.
  const bool counted = texture != nullptr && (qcRENDER == nullptr || texture != qcRENDER->fGetDefaultTexture());
  system->fHoldTexture(texture, counted ? &releaseTexture : nullptr);
  const QS_POINT resolution = qcGAME != nullptr ? qcGAME->fGetResolution() : QS_POINT{1024, 768};
  fApplyParticleDescription(*system, description, static_cast<float>(resolution.x / 2),
                            static_cast<float>(resolution.y / 2));
  return 1;
}

}  // namespace QOR
