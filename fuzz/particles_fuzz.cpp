// Fuzz target of the particle description: each input is parsed as XML, its first element read as
// a description and applied to a particle system, which then emits and ages for a few ticks (no
// game service and no renderer: the system alone, with its own random stream).
//   - the reader answers 1 exactly when the texture attribute is there, and -1 otherwise;
//   - a description's rectangle or disc is what the system then emits from, an area never empty
//     and a rectangle never inside out;
//   - a positive frequency gives a finite period, any other none at all;
//   - the live list stays whole: its walk counts the live particles and every back link agrees;
//   - no crash, no hang, no leak (the system deletes every particle it made).
#include "behaviours/particle_description.h"
#include "behaviours/qc_particle_system.h"
#include "engine/platform/qc_random.h"
#include "engine/service/qc_globals.h"
#include "fuzz/xml_feedback.h"

#include <pugixml.hpp>

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

// Bounds the work of one input whatever counts the description asks for.
constexpr int kTicks = 24;
constexpr int kMostLive = 512;

void CheckList(const QOR::QC_PARTICLE_SYSTEM& system) {
  int count = 0;
  const QOR::QC_PARTICLE* previous = nullptr;
  for (const QOR::QC_PARTICLE* p = system.fGetLiveHead(); p != nullptr; p = p->fGetNext()) {
    if (p->_prev != previous) __builtin_trap();
    if (!(p->_life <= 1.0f) && !std::isnan(p->_life)) __builtin_trap();
    previous = p;
    if (++count > system.fGetLiveCount()) __builtin_trap();
  }
  if (count != system.fGetLiveCount()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(data, size);
  qor_fuzz::fXmlFeedback(parsed, document);
  const pugi::xml_node element = document.first_child();

  QOR::QS_PARTICLE_DESCRIPTION description;
  const int read = QOR::fReadParticleDescription(element, description);
  const bool hasTexture = !element.attribute("texture").empty();
  if (read != (hasTexture ? 1 : -1) || description.hasTexture != hasTexture) __builtin_trap();
  if (description.area != QOR::QS_PARTICLE_DESCRIPTION::AREA::kNone && !element.attribute("area")) __builtin_trap();

  QOR::QC_RANDOM random(static_cast<std::uint32_t>(size));
  QOR::QC_PARTICLE_SYSTEM_EX system(static_cast<QOR::QC_TEXTURE_INFO*>(nullptr));
  system.fSetRandom(&random);
  QOR::fApplyParticleDescription(system, description, 512.0f, 384.0f);
  if (description.area == QOR::QS_PARTICLE_DESCRIPTION::AREA::kRectangle) {
    const float* area = system.fGetArea();
    if (area[4] != 0.0f || area[2] < area[0] || area[3] < area[1]) __builtin_trap();
  }
  if (description.frequency) {
    const bool finite = std::isfinite(system.fGetPeriod());
    if (*description.frequency > 0.0f && std::isfinite(1.0f / *description.frequency) && !finite) __builtin_trap();
    if (!(*description.frequency > 0.0f) && finite) __builtin_trap();
  }

  if (system.fGetMaxCount() > kMostLive || system.fGetMaxCount() < 0) system.fSetMaxCount(kMostLive);
  const float savedDelta = QOR::qcFrameTime;
  QOR::qcFrameTime = 1.0f / 30.0f;
  system.fStart();
  system.fBurst(static_cast<int>(size % 32));
  for (int tick = 0; tick < kTicks; ++tick) {
    system.fUpdate();
    CheckList(system);
    if (system.fGetLiveCount() > kMostLive + 32 + 1) __builtin_trap();
  }
  QOR::qcFrameTime = savedDelta;
  return 0;
}
