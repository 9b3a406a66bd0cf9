// Bakes a bitmap font from a TrueType face with FreeType: one page image holding every glyph
// (white fill, optionally a dark outline) and an XML description in the layout of the BMFont
// export that the engine's font reads (common lineHeight, pages, chars with id, x, y, width,
// height, xoffset, yoffset).
//
// How the engine draws a glyph shapes the baking: the pen moves by the glyph's rectangle width
// plus the font's letter spacing (the game sets negative spacings), only yoffset places a glyph
// (xoffset is not used), and the page is anchored at the centre of the lowest-coded glyph. So
//   - each rectangle is the glyph's advance widened by the padding that the game's negative
//     spacing takes back, with the ink placed inside it at its bearing;
//   - yoffset puts the baseline where the game's vertical alignment centres the capitals;
//   - a 1 x 1 glyph at code 1 (never typed) keeps the anchor at the glyph origin.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace QOR {

struct QS_FONT_RECIPE {
  std::string fontFile;     // TrueType or collection file
  int pixelSize = 20;       // em size in pixels
  int padding = 0;          // extra rectangle width: the game's letter spacing, negated
  double outline = 0.0;     // dark outline radius on the main page (0 = none)
  double outlineAlpha = 1.0;
  double strokeOutline = 0.0;  // > 0: a second page of the same rectangles with this outline
  double verticalDivisor = 4.0;  // the divisor the game sets on this font
  int pageWidth = 512;
};

struct QS_BAKED_GLYPH {
  std::uint32_t id = 0;
  int x = 0, y = 0, width = 0, height = 0;
  int xoffset = 0, yoffset = 0, xadvance = 0;
};

struct QS_BAKED_FONT {
  std::string faceName;
  int pixelSize = 0;
  int lineHeight = 0;
  int base = 0;
  int pageWidth = 0;
  int pageHeight = 0;
  std::vector<QS_BAKED_GLYPH> glyphs;       // ascending ids
  std::vector<std::uint8_t> page;           // RGBA, pageWidth x pageHeight
  std::vector<std::uint8_t> strokePage;     // RGBA, empty without a stroke page
};

// The characters every font carries: ASCII, Latin-1, Latin Extended-A, Cyrillic and common
// punctuation (dashes, quotes, ellipsis, bullet, euro, numero, trade mark).
std::vector<std::uint32_t> fFontCharacters();

// Bakes the recipe over the characters; false (reason on stderr) when the face cannot be used.
bool fBakeFont(const QS_FONT_RECIPE& recipe, const std::vector<std::uint32_t>& characters,
               QS_BAKED_FONT& out);

// The XML description naming the given page files.
std::string fFontDescription(const QS_BAKED_FONT& font, const std::vector<std::string>& pageFiles);

// Writes an RGBA page as PNG.
bool fWritePage(const std::vector<std::uint8_t>& rgba, int width, int height,
                const std::filesystem::path& path);

}  // namespace QOR
