// A cairo picture being drawn: an ARGB surface with its context, written as PNG (cairo) or JPEG
// (stb_image_write). Also the few things every painter shares: the Debian fonts as cairo faces,
// text drawing, colour, pixel effects and a small deterministic random generator.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace QOR::ART {

// The fonts the art uses, all from Debian's free font packages.
enum class ART_FONT { SANS, SANS_BOLD, SANS_CONDENSED_BOLD, SERIF, SERIF_BOLD, KAI };

// The font file of a face (absolute path on this system).
const char* fFontFile(ART_FONT font);

// A cairo face for the font, made once per thread and kept while the thread lives.
cairo_font_face_t* fFontFace(ART_FONT font);

struct QS_RGB {
  double r = 0.0, g = 0.0, b = 0.0;
};

// A colour from 0xRRGGBB.
QS_RGB fHex(std::uint32_t rgb);
// The colour scaled towards white (amount > 0) or black (amount < 0), amount in -1..1.
QS_RGB fShade(QS_RGB c, double amount);
void fSetColor(cairo_t* cr, QS_RGB c, double alpha = 1.0);

class QC_CANVAS {
 public:
  QC_CANVAS(int width, int height);
  ~QC_CANVAS();
  QC_CANVAS(const QC_CANVAS&) = delete;
  QC_CANVAS& operator=(const QC_CANVAS&) = delete;

  cairo_t* cr() const { return _cr; }
  cairo_surface_t* surface() const { return _surface; }
  int fWidth() const { return _width; }
  int fHeight() const { return _height; }

  // Pixels: premultiplied ARGB, rows of fStride() bytes. Call cairo_surface_flush first and
  // cairo_surface_mark_dirty after changing them; the helpers below do both.
  std::uint32_t* fPixels() const;
  int fStride() const;

  // Brightness factor (1 = unchanged), towards grey (0..1), alpha factor (0..1).
  void fAdjust(double brightness, double desaturate, double alpha);
  // Pastes another canvas at (x, y).
  void fPaste(const QC_CANVAS& other, double x, double y, double alpha = 1.0);

  // Writes the picture; creates missing folders. False on failure (reason on stderr).
  bool fWritePng(const std::filesystem::path& path) const;
  // JPEG at quality 92, over an opaque black ground.
  bool fWriteJpeg(const std::filesystem::path& path) const;

 private:
  int _width;
  int _height;
  cairo_surface_t* _surface;
  cairo_t* _cr;
};

// Text alignment of fDrawText: the anchor point is the text's ink centre (CENTER), the left end
// of its baseline (LEFT) or the right end (RIGHT).
enum class TEXT_ALIGN { CENTER, LEFT, RIGHT };

struct QS_TEXT_STYLE {
  ART_FONT font = ART_FONT::SANS_BOLD;
  double size = 20.0;
  QS_RGB fill{1.0, 1.0, 1.0};
  QS_RGB fillBottom{1.0, 1.0, 1.0};  // vertical gradient to this colour when gradient is set
  bool gradient = false;
  double outline = 0.0;  // outline width in pixels, 0 = none
  QS_RGB outlineColor{0.0, 0.0, 0.0};
  double shadow = 0.0;  // drop-shadow offset in pixels, 0 = none
  double alpha = 1.0;
};

// Draws UTF-8 text at (x, y) (see TEXT_ALIGN; CENTER centres the ink box on the point both ways).
// Text wider than maxWidth (when > 0) is scaled down to fit.
void fDrawText(cairo_t* cr, const std::string& text, double x, double y, const QS_TEXT_STYLE& style,
               TEXT_ALIGN align = TEXT_ALIGN::CENTER, double maxWidth = 0.0);

// Rounded rectangle path.
void fRoundRect(cairo_t* cr, double x, double y, double w, double h, double r);

// A small deterministic generator (xorshift), seeded from a text.
class QC_ART_RANDOM {
 public:
  explicit QC_ART_RANDOM(const std::string& seed);
  explicit QC_ART_RANDOM(std::uint64_t seed);
  std::uint32_t fNext();
  double fUniform(double lo, double hi);  // [lo, hi)
  int fInt(int lo, int hi);               // lo..hi inclusive

 private:
  std::uint64_t _state;
};

}  // namespace QOR::ART
