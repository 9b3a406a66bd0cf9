#include "engine/util/text_utils.h"

#include <cstdint>
#include <limits>
#include <locale>
#include <sstream>

#include "engine/service/qc_log.h"

namespace QOR {

std::vector<std::string> fSplitString(std::string text, char separator, bool dropSeparator) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t found = text.find(separator, start);
    if (found == std::string::npos) {
      pieces.push_back(text.substr(start));
      break;
    }
    const std::size_t end = dropSeparator ? found : found + 1;
    pieces.push_back(text.substr(start, end - start));
    start = found + 1;
  }
  return pieces;
}

int fCountBlanks(const std::string& text) {
  int blanks = 0;
  for (char c : text) {
    if (c == ' ') ++blanks;
  }
  return blanks;
}

void fReplaceBackslashes(std::string& path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
}

// The streams are pinned to the classic locale so a global locale set elsewhere cannot change
// the decimal point or add digit grouping.
std::wstring fNumberToWString(float value) {
  std::wostringstream stream;
  try {
    stream.imbue(std::locale::classic());
    stream << value;
  } catch (...) {
    fLog("Exception in fNumberToWString");
  }
  return stream.str();
}

std::wstring fHexToWString(unsigned long value) {
  std::wostringstream stream;
  try {
    stream.imbue(std::locale::classic());
    stream << std::hex << value;
  } catch (...) {
    fLog("Exception in fHexToWString");
  }
  return stream.str();
}

// Reads like an extraction of a 32-bit unsigned long: leading blanks, an optional sign and "0x"
// are accepted, a negative number wraps modulo 2^32 and a number beyond 32 bits saturates to
// 0xFFFFFFFF. Text that does not start with a hexadecimal number gives 0.
int fHexToInt(const std::string& text) {
  constexpr unsigned long long kMax32 = 0xFFFFFFFFull;
  std::uint32_t result = 0;
  try {
    std::istringstream stream(text);
    stream.imbue(std::locale::classic());
    unsigned long long value = 0;
    stream >> std::hex >> value;
    if (stream.fail()) {
      // A failed read leaves the maximum on overflow and 0 when there was no number at all.
      result = value == std::numeric_limits<unsigned long long>::max() ? 0xFFFFFFFFu : 0u;
    } else {
      const std::size_t first = text.find_first_not_of(" \t\n\r\f\v");
      const bool negative = first != std::string::npos && text[first] == '-';
      const unsigned long long magnitude = negative ? 0ull - value : value;
      if (magnitude > kMax32) {
        result = 0xFFFFFFFFu;
      } else {
        result = static_cast<std::uint32_t>(negative ? 0ull - magnitude : magnitude);
      }
    }
  } catch (...) {
    result = 0;
  }
  return static_cast<int>(result);
}

std::wstring fStringToWString(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    // Sign-extend the byte, then keep 16 bits: wide characters here are 32 bits wide.
    const auto extended = static_cast<std::uint16_t>(static_cast<signed char>(text[i]));
    wide[i] = static_cast<wchar_t>(extended);
  }
  return wide;
}

std::string fWStringToString(const std::wstring& text) {
  std::string narrow(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    narrow[i] = static_cast<char>(static_cast<unsigned char>(static_cast<std::uint32_t>(text[i]) & 0xFFu));
  }
  return narrow;
}

}  // namespace QOR
