#include "engine/util/text_numbers.h"

#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <system_error>

namespace QOR {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// Past leading blanks and one '+' (from_chars takes neither).
const char* numberStart(const char* text) {
  while (isBlank(*text)) ++text;
  if (*text == '+' && text[1] != '-' && text[1] != '+') ++text;
  return text;
}

}  // namespace

int fTextToInt(const char* text) {
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

double fTextToDouble(const char* text) {
  if (text == nullptr) return 0.0;
  const char* start = numberStart(text);
  double value = 0.0;
  const auto [end, error] = std::from_chars(start, start + std::strlen(start), value, std::chars_format::general);
  if (error != std::errc() || !std::isfinite(value)) return 0.0;
  return value;
}

float fTextToFloat(const char* text) {
  const double value = fTextToDouble(text);
  return std::fabs(value) > static_cast<double>(FLT_MAX) ? 0.0f : static_cast<float>(value);
}

std::string fFloatToFixedText(float value) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof(buffer), static_cast<double>(value),
                                          std::chars_format::fixed, 6);
  if (error != std::errc()) return "0.000000";
  return std::string(buffer, end);
}

}  // namespace QOR
