#include "behaviours/particle_description.h"

#include "behaviours/qc_particle_system.h"
#include "engine/util/text_numbers.h"
#include "engine/render/qc_color.h"
#include "engine/service/qc_log.h"

#include <pugixml.hpp>

#include <string>
#include <vector>

namespace QOR {

namespace {

// The blank-separated words of the text.
std::vector<std::string> words(const char* text) {
  std::vector<std::string> result;
  std::string word;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c == ' ' || *c == '\t' || *c == '\n' || *c == '\r') {
      if (!word.empty()) result.push_back(word);
      word.clear();
    } else {
      word += *c;
    }
  }
  if (!word.empty()) result.push_back(word);
  return result;
}

std::optional<QS_PARTICLE_PAIR> readPair(const char* text, const char* what) {
  const std::vector<std::string> items = words(text);
  if (items.size() < 2) {
    fLog() << "Error on parsing particle XML: " << what << " needs two numbers";
    return std::nullopt;
  }
  return QS_PARTICLE_PAIR{fTextToFloat(items[0]), fTextToFloat(items[1])};
}

std::optional<float> childFloat(const pugi::xml_node& element, const char* name) {
  const pugi::xml_node child = element.child(name);
  if (!child) return std::nullopt;
  return fTextToFloat(child.text().get());
}

std::optional<std::uint32_t> childColor(const pugi::xml_node& element, const char* name) {
  const pugi::xml_node child = element.child(name);
  if (!child) return std::nullopt;
  return fHexToColor(child.text().get()).fGetARGB();
}

}  // namespace

int fReadParticleDescription(const pugi::xml_node& element, QS_PARTICLE_DESCRIPTION& description) {
  description = QS_PARTICLE_DESCRIPTION();
  const pugi::xml_attribute texture = element.attribute("texture");
  description.hasTexture = !texture.empty();
  if (description.hasTexture) description.texture = texture.value();

  if (const pugi::xml_attribute a = element.attribute("multiply")) description.multiply = a.as_bool();
  if (const pugi::xml_attribute a = element.attribute("maxCount")) description.maxCount = fTextToInt(a.value());
  if (const pugi::xml_attribute a = element.attribute("spreadAngle")) description.spreadAngle = fTextToFloat(a.value());
  if (const pugi::xml_attribute a = element.attribute("frequency")) description.frequency = fTextToFloat(a.value());
  if (const pugi::xml_attribute a = element.attribute("gravity")) description.gravity = readPair(a.value(), "gravity");
  if (const pugi::xml_attribute a = element.attribute("area")) {
    const std::vector<std::string> items = words(a.value());
    if (items.empty()) {
      fLog("Error on parsing particle XML: the area holds no number");
    } else if (items.size() == 1) {
      description.area = QS_PARTICLE_DESCRIPTION::AREA::kDisc;
      description.areaA = fTextToFloat(items[0]);
    } else {
      const float width = fTextToFloat(items[0]);
      const float height = fTextToFloat(items[1]);
      // A negative side would turn the rectangle inside out: births outside it.
      if (width < 0.0f || height < 0.0f) {
        fLog("Error on parsing particle XML: the area has a negative width or height");
      } else {
        description.area = QS_PARTICLE_DESCRIPTION::AREA::kRectangle;
        description.areaA = width;
        description.areaB = height;
      }
    }
  }

  description.lifetime = childFloat(element, "lifetime");
  if (const pugi::xml_node velocity = element.child("velocity")) {
    description.velocity = readPair(velocity.text().get(), "velocity");
  }
  description.tangent = childFloat(element, "tangent");
  description.radial = childFloat(element, "radial");
  description.startSize = childFloat(element, "startSize");
  description.endSize = childFloat(element, "endSize");
  description.startColor = childColor(element, "startColor");
  description.averColor = childColor(element, "averColor");
  description.endColor = childColor(element, "endColor");

  if (!description.hasTexture) {
    fLog("Error on paring XML file: add texture attribute");
    return -1;
  }
  return 1;
}

void fApplyParticleDescription(QC_PARTICLE_SYSTEM_EX& system, const QS_PARTICLE_DESCRIPTION& d, float centreX,
                               float centreY) {
  if (d.multiply) system.fSetMultiply(*d.multiply);
  if (d.maxCount) system.fSetMaxCount(*d.maxCount);
  if (d.spreadAngle) system.fSetSpreadAngle(*d.spreadAngle);
  if (d.frequency) system.fSetFrequency(*d.frequency);
  if (d.gravity) system.fSetGravity(d.gravity->x, d.gravity->y);
  if (d.area == QS_PARTICLE_DESCRIPTION::AREA::kDisc) system.fSetPoint(centreX, centreY, d.areaA);
  if (d.area == QS_PARTICLE_DESCRIPTION::AREA::kRectangle) system.fSetArea(centreX, centreY, d.areaA, d.areaB);
  if (d.lifetime) system.fGetTemplate()->fSetLifetime(*d.lifetime);
  if (d.velocity) system.fSetVelocity(d.velocity->x, d.velocity->y);
  if (d.tangent) system.fSetTangent(*d.tangent);
  if (d.radial) system.fSetRadial(*d.radial);
  if (d.startSize) system.fSetStartSize(*d.startSize);
  if (d.endSize) system.fSetEndSize(*d.endSize);
  if (d.startColor) system.fSetStartColor(*d.startColor);
  if (d.averColor) system.fSetAverColor(*d.averColor);
  if (d.endColor) system.fSetEndColor(*d.endColor);
}

}  // namespace QOR
