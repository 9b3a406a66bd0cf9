#include "tools/data/art/qc_canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <system_error>
#include <vector>

namespace QOR::ART {

namespace {

// One FreeType library and one cairo face per font for the whole process, made on first use under
// a lock. Cairo locks a face while it renders from it, so the painters' threads can share them.
// They stay until the process ends (reachable from these statics).
std::mutex gFontLock;
FT_Library gLibrary = nullptr;
std::array<cairo_font_face_t*, 6> gFaces{};

}  // namespace

const char* fFontFile(ART_FONT font) {
  switch (font) {
    case ART_FONT::SANS: return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    case ART_FONT::SANS_BOLD: return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    case ART_FONT::SANS_CONDENSED_BOLD:
      return "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf";
    case ART_FONT::SERIF: return "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
    case ART_FONT::SERIF_BOLD: return "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
    case ART_FONT::KAI: return "/usr/share/fonts/truetype/arphic/ukai.ttc";
  }
  return "";
}

cairo_font_face_t* fFontFace(ART_FONT font) {
  const std::size_t index = static_cast<std::size_t>(font);
  std::lock_guard<std::mutex> lock(gFontLock);
  if (gFaces[index] != nullptr) return gFaces[index];
  if (gLibrary == nullptr && FT_Init_FreeType(&gLibrary) != 0) {
    std::fprintf(stderr, "FreeType cannot start\n");
    return nullptr;
  }
  FT_Face face = nullptr;
  if (FT_New_Face(gLibrary, fFontFile(font), 0, &face) != 0) {
    std::fprintf(stderr, "cannot open font %s\n", fFontFile(font));
    return nullptr;
  }
  gFaces[index] = cairo_ft_font_face_create_for_ft_face(face, 0);
  return gFaces[index];
}

QS_RGB fHex(std::uint32_t rgb) {
  return QS_RGB{((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

QS_RGB fShade(QS_RGB c, double amount) {
  if (amount >= 0.0) {
    return QS_RGB{c.r + (1.0 - c.r) * amount, c.g + (1.0 - c.g) * amount,
                  c.b + (1.0 - c.b) * amount};
  }
  const double k = 1.0 + amount;
  return QS_RGB{c.r * k, c.g * k, c.b * k};
}

void fSetColor(cairo_t* cr, QS_RGB c, double alpha) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

QC_CANVAS::QC_CANVAS(int width, int height)
    : _width(std::max(1, width)), _height(std::max(1, height)) {
  _surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, _width, _height);
  _cr = cairo_create(_surface);
  cairo_set_antialias(_cr, CAIRO_ANTIALIAS_BEST);
}

QC_CANVAS::~QC_CANVAS() {
  cairo_destroy(_cr);
  cairo_surface_destroy(_surface);
}

std::uint32_t* QC_CANVAS::fPixels() const {
  return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(_surface));
}

int QC_CANVAS::fStride() const { return cairo_image_surface_get_stride(_surface); }

void QC_CANVAS::fAdjust(double brightness, double desaturate, double alpha) {
  cairo_surface_flush(_surface);
  unsigned char* base = cairo_image_surface_get_data(_surface);
  const int stride = fStride();
  for (int y = 0; y < _height; ++y) {
    std::uint32_t* row = reinterpret_cast<std::uint32_t*>(base + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < _width; ++x) {
      const std::uint32_t p = row[x];
      double a = (p >> 24) & 0xFF;
      double r = (p >> 16) & 0xFF;
      double g = (p >> 8) & 0xFF;
      double b = p & 0xFF;
      if (a <= 0.0) continue;
      const double grey = 0.3 * r + 0.59 * g + 0.11 * b;
      r = (r + (grey - r) * desaturate) * brightness;
      g = (g + (grey - g) * desaturate) * brightness;
      b = (b + (grey - b) * desaturate) * brightness;
      // Premultiplied: a channel may not pass its alpha.
      r = std::min(r, a);
      g = std::min(g, a);
      b = std::min(b, a);
      r *= alpha;
      g *= alpha;
      b *= alpha;
      a *= alpha;
      auto byte = [](double v) { return static_cast<std::uint32_t>(std::clamp(v + 0.5, 0.0, 255.0)); };
      row[x] = (byte(a) << 24) | (byte(r) << 16) | (byte(g) << 8) | byte(b);
    }
  }
  cairo_surface_mark_dirty(_surface);
}

void QC_CANVAS::fPaste(const QC_CANVAS& other, double x, double y, double alpha) {
  cairo_save(_cr);
  cairo_set_source_surface(_cr, other._surface, x, y);
  cairo_paint_with_alpha(_cr, alpha);
  cairo_restore(_cr);
}

namespace {

bool fMakeParent(const std::filesystem::path& path) {
  std::error_code error;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
  if (error) {
    std::fprintf(stderr, "cannot create folder for %s: %s\n", path.string().c_str(),
                 error.message().c_str());
    return false;
  }
  return true;
}

}  // namespace

bool QC_CANVAS::fWritePng(const std::filesystem::path& path) const {
  if (!fMakeParent(path)) return false;
  cairo_surface_flush(_surface);
  const cairo_status_t status = cairo_surface_write_to_png(_surface, path.string().c_str());
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "cannot write %s: %s\n", path.string().c_str(),
                 cairo_status_to_string(status));
    return false;
  }
  return true;
}

bool QC_CANVAS::fWriteJpeg(const std::filesystem::path& path) const {
  if (!fMakeParent(path)) return false;
  cairo_surface_flush(_surface);
  const unsigned char* base = cairo_image_surface_get_data(_surface);
  const int stride = fStride();
  std::vector<unsigned char> rgb(static_cast<std::size_t>(_width) * _height * 3);
  for (int y = 0; y < _height; ++y) {
    const std::uint32_t* row =
        reinterpret_cast<const std::uint32_t*>(base + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < _width; ++x) {
      // Premultiplied over black is the channel value itself.
      const std::uint32_t p = row[x];
      unsigned char* out = &rgb[(static_cast<std::size_t>(y) * _width + x) * 3];
      out[0] = static_cast<unsigned char>((p >> 16) & 0xFF);
      out[1] = static_cast<unsigned char>((p >> 8) & 0xFF);
      out[2] = static_cast<unsigned char>(p & 0xFF);
    }
  }
  if (stbi_write_jpg(path.string().c_str(), _width, _height, 3, rgb.data(), 92) == 0) {
    std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
    return false;
  }
  return true;
}

void fDrawText(cairo_t* cr, const std::string& text, double x, double y, const QS_TEXT_STYLE& style,
               TEXT_ALIGN align, double maxWidth) {
  cairo_font_face_t* face = fFontFace(style.font);
  if (face == nullptr || text.empty()) return;
  cairo_save(cr);
  cairo_set_font_face(cr, face);
  cairo_set_font_size(cr, style.size);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, text.c_str(), &ext);
  double scale = 1.0;
  if (maxWidth > 0.0 && ext.width > maxWidth && ext.width > 0.0) scale = maxWidth / ext.width;
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  double ox = 0.0;
  double oy = 0.0;
  switch (align) {
    case TEXT_ALIGN::CENTER:
      ox = -(ext.x_bearing + ext.width / 2.0);
      oy = -(ext.y_bearing + ext.height / 2.0);
      break;
    case TEXT_ALIGN::LEFT: break;
    case TEXT_ALIGN::RIGHT: ox = -ext.x_advance; break;
  }
  if (style.shadow > 0.0) {
    cairo_move_to(cr, ox + style.shadow, oy + style.shadow);
    cairo_text_path(cr, text.c_str());
    cairo_set_source_rgba(cr, 0, 0, 0, 0.55 * style.alpha);
    if (style.outline > 0.0) {
      cairo_set_line_width(cr, style.outline * 2.0 / scale);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_stroke_preserve(cr);
    }
    cairo_fill(cr);
  }
  cairo_new_path(cr);
  cairo_move_to(cr, ox, oy);
  cairo_text_path(cr, text.c_str());
  if (style.outline > 0.0) {
    fSetColor(cr, style.outlineColor, style.alpha);
    cairo_set_line_width(cr, style.outline * 2.0 / scale);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
  }
  if (style.gradient) {
    cairo_pattern_t* pat =
        cairo_pattern_create_linear(0, oy + ext.y_bearing, 0, oy + ext.y_bearing + ext.height);
    cairo_pattern_add_color_stop_rgba(pat, 0, style.fill.r, style.fill.g, style.fill.b, style.alpha);
    cairo_pattern_add_color_stop_rgba(pat, 1, style.fillBottom.r, style.fillBottom.g,
                                      style.fillBottom.b, style.alpha);
    cairo_set_source(cr, pat);
    cairo_fill(cr);
    cairo_pattern_destroy(pat);
  } else {
    fSetColor(cr, style.fill, style.alpha);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

void fRoundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::max(0.0, std::min(r, std::min(w, h) / 2.0));
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}

QC_ART_RANDOM::QC_ART_RANDOM(const std::string& seed) : _state(1469598103934665603ULL) {
  for (unsigned char c : seed) _state = (_state ^ c) * 1099511628211ULL;
  if (_state == 0) _state = 1;
}

QC_ART_RANDOM::QC_ART_RANDOM(std::uint64_t seed) : _state(seed == 0 ? 1 : seed) {}

std::uint32_t QC_ART_RANDOM::fNext() {
  _state ^= _state << 13;
  _state ^= _state >> 7;
  _state ^= _state << 17;
  return static_cast<std::uint32_t>(_state >> 16);
}

double QC_ART_RANDOM::fUniform(double lo, double hi) {
  return lo + (hi - lo) * (fNext() / 4294967296.0);
}

int QC_ART_RANDOM::fInt(int lo, int hi) {
  if (hi <= lo) return lo;
  return lo + static_cast<int>(fNext() % static_cast<std::uint32_t>(hi - lo + 1));
}

}  // namespace QOR::ART
