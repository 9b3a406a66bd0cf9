// Numbers read from the game's XML attributes the way the C library's atoi and atof read them, in
// the C locale: leading blanks skipped, the leading number taken, anything else reads as 0. The
// results are always safe to compute with: integers saturate at the int range and reals that are
// not finite read as 0.
#pragma once

#include <string>

namespace pugi {
class xml_node;
}

namespace MAHJONG_XML {

int ToInt(const char* text);
double ToDouble(const char* text);
// The same for an attribute of the node; a missing attribute reads as 0.
int AttributeInt(const pugi::xml_node& node, const char* name);
double AttributeDouble(const pugi::xml_node& node, const char* name);
float AttributeFloat(const pugi::xml_node& node, const char* name);
// Whether the node has that attribute, whatever its value.
bool HasAttribute(const pugi::xml_node& node, const char* name);

}  // namespace MAHJONG_XML
