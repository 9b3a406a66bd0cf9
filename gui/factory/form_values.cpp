#include "gui/factory/form_values.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <system_error>

namespace QOR {

namespace {

char fLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The text without leading blanks and without one leading '+', which from_chars does not take.
const char* fNumberStart(const char* text) {
  if (text == nullptr) return "";
  while (isBlank(*text)) ++text;
  if (*text == '+' && text[1] != '-' && text[1] != '+') ++text;
  return text;
}

long long fFormToLong(const char* text) {
  const char* start = fNumberStart(text);
  const char* end = start + std::strlen(start);
  long long value = 0;
  const auto [ptr, error] = std::from_chars(start, end, value);
  if (error == std::errc::result_out_of_range) return *start == '-' ? LLONG_MIN : LLONG_MAX;
  if (error != std::errc()) return 0;
  return value;
}

}  // namespace

bool isFormNameEqual(const char* a, const char* b) {
  if (a == nullptr) a = "";
  if (b == nullptr) b = "";
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (fLower(*a) != fLower(*b)) return false;
  }
  return *a == *b;
}

std::vector<std::string> fSplitFormNumbers(const char* text) {
  std::vector<std::string> words;
  if (text == nullptr) return words;
  std::string word;
  for (const char* p = text; *p != '\0'; ++p) {
    if (isBlank(*p)) {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += *p;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

int fFormToInt(const char* text) {
  const long long value = fFormToLong(text);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

bool fFormToMeasure(const char* text, int& value) {
  const long long parsed = fFormToLong(text);
  if (parsed > static_cast<long long>(kFormValueLimit) || parsed < -static_cast<long long>(kFormValueLimit)) {
    return false;
  }
  value = static_cast<int>(parsed);
  return true;
}

unsigned fFormToUnsigned(const char* text) {
  const long long value = fFormToLong(text);
  if (value < 0) return 0;
  if (value > static_cast<long long>(UINT_MAX)) return UINT_MAX;
  return static_cast<unsigned>(value);
}

bool fFormToFloat(const char* text, float& value) {
  const char* start = fNumberStart(text);
  const char* end = start + std::strlen(start);
  float parsed = 0.0f;
  const auto [ptr, error] = std::from_chars(start, end, parsed, std::chars_format::general);
  if (error == std::errc::result_out_of_range) return false;
  if (error != std::errc()) {
    value = 0.0f;
    return true;
  }
  if (!std::isfinite(parsed) || std::fabs(static_cast<double>(parsed)) > kFormValueLimit) return false;
  value = parsed;
  return true;
}

bool fFormFloats(const char* text, int count, float* values) {
  const std::vector<std::string> words = fSplitFormNumbers(text);
  if (count < 0 || words.size() < static_cast<std::size_t>(count)) return false;
  std::vector<float> read(static_cast<std::size_t>(count), 0.0f);
  for (int i = 0; i < count; ++i) {
    if (!fFormToFloat(words[static_cast<std::size_t>(i)].c_str(), read[static_cast<std::size_t>(i)])) return false;
  }
  for (int i = 0; i < count; ++i) values[i] = read[static_cast<std::size_t>(i)];
  return true;
}

bool fFormInts(const char* text, int count, int* values) {
  const std::vector<std::string> words = fSplitFormNumbers(text);
  if (count < 0 || words.size() < static_cast<std::size_t>(count)) return false;
  std::vector<int> read(static_cast<std::size_t>(count), 0);
  for (int i = 0; i < count; ++i) {
    if (!fFormToMeasure(words[static_cast<std::size_t>(i)].c_str(), read[static_cast<std::size_t>(i)])) return false;
  }
  for (int i = 0; i < count; ++i) values[i] = read[static_cast<std::size_t>(i)];
  return true;
}

bool fFormColor(const char* text, std::uint32_t& argb) {
  const std::vector<std::string> words = fSplitFormNumbers(text);
  if (words.size() < 4) return false;
  int parts[4] = {0, 0, 0, 0};
  for (int i = 0; i < 4; ++i) parts[i] = fFormToInt(words[static_cast<std::size_t>(i)].c_str());
  argb = 0;
  for (int part : parts) argb = (argb << 8) | (static_cast<std::uint32_t>(part) & 0xFFu);
  return true;
}

}  // namespace QOR
