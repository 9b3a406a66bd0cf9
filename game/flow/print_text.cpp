#include "game/flow/print_text.h"

#include "engine/render/qc_font.h"

void PrintText(QOR::QC_FONT* font, int x, int y, const wchar_t* text) {
  if (font == nullptr || text == nullptr) return;
  // The text is the argument of a plain conversion, never the format itself.
  font->fPrintW(x, y, L"%s", text);
}

void PrintText(QOR::QC_FONT* font, int x, int y, const std::wstring& text) { PrintText(font, x, y, text.c_str()); }
