// The particle system's ties to the renderer: the texture loaded from a file, and the drawing.
#include "behaviours/qc_particle_system.h"

#include "engine/render/qc_render.h"
#include "engine/service/qc_globals.h"

namespace QOR {

namespace {

QC_TEXTURE_INFO* loadTexture(const char* fileName) {
  if (fileName == nullptr || qcRENDER == nullptr) return nullptr;
  return qcRENDER->fLoadTexture(fileName);
}

}  // namespace

QC_PARTICLE_SYSTEM::QC_PARTICLE_SYSTEM(const char* textureFile, const QC_PARTICLE* particleTemplate)
    : QC_PARTICLE_SYSTEM(loadTexture(textureFile), particleTemplate) {}

void QC_PARTICLE_SYSTEM::fRender() {
  if (qcRENDER != nullptr) qcRENDER->fDrawParticles(_liveHead, _texture, &_renderState);
}

}  // namespace QOR
