// Configures a particle system from its XML description (see particle_description.h): the
// texture is subscribed through the game service and held by the system, the emission area is
// centred on the screen (the configured resolution's integer halves).
#pragma once

namespace pugi {
class xml_node;
}

namespace QOR {

class QC_PARTICLE_SYSTEM_EX;

// 1 applied; -1 when the texture attribute is missing (logged "Error on paring XML file: add
// texture attribute"; the system is not changed) or the system is null.
int fLoadParticleSystem(QC_PARTICLE_SYSTEM_EX* system, const pugi::xml_node& element);

}  // namespace QOR
