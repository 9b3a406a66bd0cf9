#include "game/board/name_blanks.h"

#include <cstdint>

namespace MAHJONG_NAMES {

bool isBlank(wchar_t c) {
  switch (static_cast<std::uint32_t>(c)) {
    case 0x09: case 0x20: case 0xA0: case 0x1680: case 0x202F: case 0x205F: case 0x3000: case 0xFEFF:
      return true;
    default:
      return c >= 0x2000 && c <= 0x200B;
  }
}

std::wstring TrimBlanks(const std::wstring& text) {
  std::size_t first = 0;
  std::size_t end = text.size();
  while (first < end && isBlank(text[first])) ++first;
  while (end > first && isBlank(text[end - 1])) --end;
  return text.substr(first, end - first);
}

}  // namespace MAHJONG_NAMES
