// Drawing a text exactly as it is: localised texts and player names may hold '%', which the
// font's print would take as a conversion. Every print of a text without numbers goes through
// here; a missing font draws nothing.
#pragma once

#include <string>

namespace QOR {
class QC_FONT;
}

// Draws the text literally at (x, y) with the font's colour and alignment; nothing without a font.
void PrintText(QOR::QC_FONT* font, int x, int y, const std::wstring& text);
void PrintText(QOR::QC_FONT* font, int x, int y, const wchar_t* text);
