// A bitmap font: one page image holding every glyph, described by an XML file of glyph
// rectangles (BMFont layout: common lineHeight, pages, chars with one char per glyph). It
// measures lines, aligns a block of text around a point by the nine anchor modes of QC_SPRITE,
// and draws narrow (8-bit) and wide text, each with a printf-style entry over typed arguments.
#pragma once

#include "engine/math/qs_transform3.h"
#include "engine/render/narrow_format.h"
#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "engine/render/wide_format.h"

#include <pugixml.hpp>

#include <array>
#include <cstdint>
#include <map>
#include <span>

namespace QOR {

// One character of a font: its rectangle on the page in texture coordinates and in pixels, and
// the offsets from the description (only yoffset is used in drawing).
class QC_GLYPH {
 public:
  int _id = 0;
  float _leftU = 0.0f;
  float _topV = 0.0f;
  float _rightU = 0.0f;
  float _bottomV = 0.0f;
  int _width = 0;
  int _height = 0;
  int _xOffset = 0;
  int _yOffset = 0;
};

class QC_FONT {
 public:
  static constexpr int kDefaultAdvance = 20;

  // Loads the description (the "font" element of a parsed document) over the page texture, with
  // text buffers of bufferSize characters; logs "error loading font" when no glyph came of it
  // (the font then draws nothing and measures 0).
  QC_FONT(pugi::xml_node font, QC_TEXTURE_INFO* page, int bufferSize);
  // Not a way to make a font: builds an empty one and says so in a message box.
  QC_FONT();
  ~QC_FONT();
  QC_FONT(const QC_FONT&) = delete;
  QC_FONT& operator=(const QC_FONT&) = delete;

  // 1 when at least one glyph was read; -1 otherwise (no glyph, or a page without a size).
  int fLoad(pugi::xml_node font, QC_TEXTURE_INFO* page);
  // Loading a font by file name is not supported: logs "Bad way loading font" and returns -1.
  int fLoadFile(const char* fileName);

  // Formats into the narrow buffer (printf rules in the C locale, cut at buffer size - 5
  // characters) and draws it at (x, y).
  template <typename... ARGS>
  void fPrint(int x, int y, const char* format, const ARGS&... args) {
    const std::array<QC_FORMAT_ARG, sizeof...(ARGS)> list{QC_FORMAT_ARG(args)...};
    fPrintList(x, y, format, std::span<const QC_FORMAT_ARG>(list.data(), list.size()));
  }
  // Formats into the wide buffer with fWideFormat (cut at buffer size - 1 characters) and draws
  // it at (x, y). Localised texts are passed as the format, so a '%' in one is a conversion.
  template <typename... ARGS>
  void fPrintW(int x, int y, const wchar_t* format, const ARGS&... args) {
    const std::array<QC_FORMAT_ARG, sizeof...(ARGS)> list{QC_FORMAT_ARG(args)...};
    fPrintWList(x, y, format, std::span<const QC_FORMAT_ARG>(list.data(), list.size()));
  }
  void fPrintList(int x, int y, const char* format, std::span<const QC_FORMAT_ARG> args);
  void fPrintWList(int x, int y, const wchar_t* format, std::span<const QC_FORMAT_ARG> args);
  // Draws the text (as a format without arguments) at (0, 0) in the frame of the transform and
  // its parents, with the given alignment for this call only. Nothing is drawn without a frame.
  void fPrintWInFrame(const QS_TRANSFORM3* frame, int alignment, const wchar_t* text);

  // Draw a text, line by line, aligned around (x, y) by the current alignment.
  void fDrawText(int x, int y, const char* text);
  void fDrawTextW(int x, int y, const wchar_t* text);
  // Draws one glyph with its top-left at (x, y + yoffset * scale y); returns its width, 0 (and
  // nothing drawn) when the font has no glyph for the code.
  int fDrawChar(int code, int x, int y);

  // Measures; each stops at the first '\n' or the end of the text. Narrow: glyph widths plus
  // spacing, unscaled (a character without a glyph counts its spacing). Wide: scaled widths plus
  // spacing of the characters that have a glyph.
  int fGetLineWidth(const char* text) const;
  int fGetLineWidthW(const wchar_t* text) const;
  // (default advance + spacing) times the characters of the first line; 0 without glyphs.
  int fGetFixedWidthW(const wchar_t* text) const;
  int fGetCharWidth(int code) const;
  int fGetLineLength(const char* text) const;
  // 1 + the number of '\n' in the whole text.
  int fCountLines(const char* text) const;
  int fCountLinesW(const wchar_t* text) const;

  // Alignment offsets of the first line (x) and of the whole block (y).
  int fGetOffsetX(const char* text) const;
  int fGetOffsetXW(const wchar_t* text) const;
  int fGetOffsetY(const char* text) const;
  int fGetOffsetYW(const wchar_t* text) const;

  QC_GLYPH* fFindGlyph(int code) const;
  // The glyph with the lowest code, or null.
  QC_GLYPH* fFirstGlyph() const;

  void fSetColor(std::uint32_t argb);
  std::uint32_t fGetColor() const;
  // The page sprite's scale (s, s, s): glyph sizes, the wide advance and the yoffset follow it.
  void fSetScale(float s);
  void fSetAlign(int mode) { _alignment = mode; }
  int fGetAlign() const { return _alignment; }
  int fGetLineHeight() const { return _lineHeight; }
  int fGetDefaultAdvance() const { return _defaultAdvance; }
  int fGetGlyphCount() const { return _glyphCount; }
  int fGetPageWidth() const { return _pageWidth; }
  int fGetPageHeight() const { return _pageHeight; }
  int fGetBufferSize() const { return _bufferSize; }
  QC_SPRITE* fGetPage() const { return _page; }
  // The last printed texts; they last until the next print on this font.
  const char* fGetText() const { return _narrowBuffer != nullptr ? _narrowBuffer : ""; }
  const wchar_t* fGetTextW() const { return _wideBuffer != nullptr ? _wideBuffer : L""; }

  // Settings the game reads and writes directly.
  int _spacing = 0;               // extra pixels after each glyph
  int _lineHeight = 0;            // pixels from one line to the next
  float _verticalDivisor = 4.0f;  // the centred block's vertical offset divides its height by this

 private:
  void fClearGlyphs();
  // Reports a text to the test door's trace (qc_font_test_door.h); one of wide and narrow is null.
  void fTraceDraw(int x, int y, const wchar_t* wide, const char* narrow) const;
  float fScaleX() const;
  float fScaleY() const;

  QC_SPRITE* _page = nullptr;
  int _glyphCount = 0;
  int _defaultAdvance = 0;
  std::map<int, QC_GLYPH*> _glyphs;
  char* _narrowBuffer = nullptr;
  wchar_t* _wideBuffer = nullptr;
  int _pageWidth = 0;
  int _pageHeight = 0;
  int _alignment = 1;
  int _bufferSize = 0;
};

}  // namespace QOR
