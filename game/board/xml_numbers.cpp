#include "game/board/xml_numbers.h"

#include <pugixml.hpp>

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <system_error>

namespace MAHJONG_XML {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// Past leading blanks and one '+' (from_chars takes neither).
const char* numberStart(const char* text) {
  while (isBlank(*text)) ++text;
  if (*text == '+' && text[1] != '-' && text[1] != '+') ++text;
  return text;
}

}  // namespace

int ToInt(const char* text) {
  if (text == nullptr) return 0;
  const char* start = numberStart(text);
  long long value = 0;
  const auto [end, error] = std::from_chars(start, start + std::strlen(start), value, 10);
  if (error == std::errc::result_out_of_range) return *start == '-' ? INT_MIN : INT_MAX;
  if (error != std::errc()) return 0;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

double ToDouble(const char* text) {
  if (text == nullptr) return 0.0;
  const char* start = numberStart(text);
  double value = 0.0;
  const auto [end, error] = std::from_chars(start, start + std::strlen(start), value, std::chars_format::general);
  if (error != std::errc() || !std::isfinite(value)) return 0.0;
  return value;
}

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
