#include "game/board/xml_numbers.h"

#include "engine/util/text_numbers.h"

#include <pugixml.hpp>

#include <cmath>

namespace MAHJONG_XML {

int ToInt(const char* text) { return QOR::fTextToInt(text); }

double ToDouble(const char* text) { return QOR::fTextToDouble(text); }

int AttributeInt(const pugi::xml_node& node, const char* name) { return ToInt(node.attribute(name).value()); }

double AttributeDouble(const pugi::xml_node& node, const char* name) { return ToDouble(node.attribute(name).value()); }

float AttributeFloat(const pugi::xml_node& node, const char* name) {
  const double value = AttributeDouble(node, name);
  // Beyond the float range the value would become infinite.
  if (std::fabs(value) > 3.0e38) return 0.0f;
  return static_cast<float>(value);
}

bool HasAttribute(const pugi::xml_node& node, const char* name) { return !node.attribute(name).empty(); }

}  // namespace MAHJONG_XML
