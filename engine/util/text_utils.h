// Text helpers shared by the engine's parsers and the file system: splitting, blank counting,
// path slashes, and number and narrow/wide text conversions.
#pragma once

#include <string>
#include <vector>

namespace QOR {

// Splits text at each separator. With dropSeparator the separators vanish and empty pieces are
// kept (two separators in a row give an empty piece); without it each separator ends its piece.
// An empty text gives no piece and a separator at the very end gives no empty last piece.
std::vector<std::string> fSplitString(std::string text, char separator, bool dropSeparator);

// The number of ' ' characters; 0 means the text is one word.
int fCountBlanks(const std::string& text);

// Turns every '\' into '/' in place.
void fReplaceBackslashes(std::string& path);

// The value in the wide stream's default format (six significant digits, like "%g").
std::wstring fNumberToWString(float value);

// The value in lower-case hexadecimal without a prefix.
std::wstring fHexToWString(unsigned long value);

// The text read as an unsigned 32-bit hexadecimal number, returned as its int bit pattern.
int fHexToInt(const std::string& text);

// One wide character per byte, sign-extended to 16 bits: byte 0xE9 becomes 0xFFE9.
std::wstring fStringToWString(const std::string& text);

// One byte per wide character: its low 8 bits.
std::string fWStringToString(const std::wstring& text);

}  // namespace QOR
