// The blanks a typed name loses at either end (player names and level names alike): tab, space,
// no-break space, the Unicode spaces and the zero-width space, and the byte-order mark.
#pragma once

#include <string>

namespace MAHJONG_NAMES {

bool isBlank(wchar_t c);
// The text without its blanks at either end (blanks inside it stay).
std::wstring TrimBlanks(const std::wstring& text);

}  // namespace MAHJONG_NAMES
