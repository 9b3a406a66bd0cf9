// TEST DOOR, for tests only: the game never calls anything here.
// A trace of the texts the fonts draw. Each block of text a font lays out (fDrawText, fDrawTextW
// and every print that reaches them) is reported before its glyphs are drawn: the font, the point
// it is aligned around, the text as drawn and the frame it is drawn in. A layout check measures
// each text's box from these with the font's own metrics.
#pragma once

#include <functional>
#include <string>

namespace QOR {
class QC_FONT;
class QS_TRANSFORM3;
}  // namespace QOR

namespace QOR::font_test {

struct QS_TRACED_TEXT {
  const QC_FONT* font = nullptr;
  int x = 0;
  int y = 0;
  std::wstring text;    // a narrow text widened byte by byte, as its glyph codes are looked up
  bool narrow = false;  // drawn by fDrawText (measured by fGetLineWidth and fGetOffsetX)
  // The transform the font's page is drawn in (fPrintWInFrame), or null for screen pixels; valid
  // only while the trace runs.
  const QS_TRANSFORM3* frame = nullptr;
};

using TEXT_TRACE = std::function<void(const QS_TRACED_TEXT&)>;

// Every later text goes to trace; an empty function ends the trace.
void fSetTextTrace(TEXT_TRACE trace);

// Used by QC_FONT only.
bool isTracing();
void fTraceText(const QS_TRACED_TEXT& text);

}  // namespace QOR::font_test
