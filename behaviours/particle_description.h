// The particle description: an XML element whose attributes (texture, multiply, maxCount,
// spreadAngle, frequency, gravity, area) and child elements (lifetime, velocity, tangent, radial,
// startSize, endSize, startColor, averColor, endColor) configure a particle system. Reading it
// needs no engine service, so outside data can be checked on its own; applying it sets what the
// description holds and leaves the rest of the system as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pugi {
class xml_node;
}

namespace QOR {

class QC_PARTICLE_SYSTEM_EX;

struct QS_PARTICLE_PAIR {
  float x = 0.0f;
  float y = 0.0f;
};

struct QS_PARTICLE_DESCRIPTION {
  // The emission area: a disc of radius a, or a rectangle a x b, centred on the screen.
  enum class AREA { kNone, kDisc, kRectangle };

  bool hasTexture = false;
  std::string texture;  // an image resource name
  std::optional<bool> multiply;
  std::optional<int> maxCount;
  std::optional<float> spreadAngle;  // radians
  std::optional<float> frequency;
  std::optional<QS_PARTICLE_PAIR> gravity;
  AREA area = AREA::kNone;
  float areaA = 0.0f;
  float areaB = 0.0f;
  std::optional<float> lifetime;
  std::optional<QS_PARTICLE_PAIR> velocity;
  std::optional<float> tangent;
  std::optional<float> radial;
  std::optional<float> startSize;
  std::optional<float> endSize;
  std::optional<std::uint32_t> startColor;
  std::optional<std::uint32_t> averColor;
  std::optional<std::uint32_t> endColor;
};

// Reads the element. Numbers are read in the C locale (anything that is not a number reads as 0);
// a pair needs two numbers and an area one or two, else the item is left out with a log line (an
// empty area, and a rectangle with a negative width or height, are refused so). 1, or -1 with the log line "Error on paring XML file: add texture
// attribute" when the texture attribute is missing (the rest is still read).
int fReadParticleDescription(const pugi::xml_node& element, QS_PARTICLE_DESCRIPTION& description);

// Sets on the system everything the description holds except the texture, in the order of the
// attributes, then of the child elements; the area is centred on (centreX, centreY).
void fApplyParticleDescription(QC_PARTICLE_SYSTEM_EX& system, const QS_PARTICLE_DESCRIPTION& description,
                               float centreX, float centreY);

}  // namespace QOR
