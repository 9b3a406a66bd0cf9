#include "tools/data/fonts/qc_font_baker.h"

#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace QOR {

namespace {

struct INK {
  std::uint32_t id = 0;
  int width = 0, rows = 0, left = 0, top = 0, advance = 0;
  std::vector<std::uint8_t> alpha;  // width x rows
};

// Ink of radius r around the glyph: the strongest neighbour within the disc, fading over the
// disc's last pixel so the outline stays smooth.
std::vector<float> fDilate(const std::vector<float>& fill, int w, int h, double r) {
  std::vector<float> out(fill.size(), 0.0f);
  const int reach = static_cast<int>(std::ceil(r));
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      float best = 0.0f;
      for (int dy = -reach; dy <= reach; ++dy) {
        const int sy = y + dy;
        if (sy < 0 || sy >= h) continue;
        for (int dx = -reach; dx <= reach; ++dx) {
          const int sx = x + dx;
          if (sx < 0 || sx >= w) continue;
          const double d = std::sqrt(static_cast<double>(dx * dx + dy * dy));
          const double weight = std::clamp(r + 0.5 - d, 0.0, 1.0);
          best = std::max(best, static_cast<float>(fill[static_cast<std::size_t>(sy) * w + sx] * weight));
        }
      }
      out[static_cast<std::size_t>(y) * w + x] = best;
    }
  }
  return out;
}

// Composes white fill over a dark outline into the RGBA page at (px, py).
void fCompose(std::vector<std::uint8_t>& page, int pageWidth, int px, int py, int w, int h,
              const std::vector<float>& fill, const std::vector<float>& outline, double outlineAlpha) {
  const double dark[3] = {26.0, 14.0, 8.0};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * w + x;
      const double f = fill[i];
      const double o = outline.empty() ? 0.0 : outline[i] * outlineAlpha;
      const double a = f + o * (1.0 - f);
      std::uint8_t* p = &page[(static_cast<std::size_t>(py + y) * pageWidth + (px + x)) * 4];
      if (a <= 0.0) continue;
      for (int c = 0; c < 3; ++c) {
        const double value = (f * 255.0 + o * (1.0 - f) * dark[c]) / a;
        p[c] = static_cast<std::uint8_t>(std::clamp(value + 0.5, 0.0, 255.0));
      }
      p[3] = static_cast<std::uint8_t>(std::clamp(a * 255.0 + 0.5, 0.0, 255.0));
    }
  }
}

int fNextPowerOfTwo(int v) {
  int p = 1;
  while (p < v) p *= 2;
  return p;
}

}  // namespace

std::vector<std::uint32_t> fFontCharacters() {
  std::vector<std::uint32_t> chars;
  for (std::uint32_t c = 0x20; c <= 0x7E; ++c) chars.push_back(c);
  for (std::uint32_t c = 0xA0; c <= 0x17F; ++c) chars.push_back(c);
  for (std::uint32_t c = 0x400; c <= 0x45F; ++c) chars.push_back(c);
  for (std::uint32_t c : {0x490u, 0x491u, 0x2013u, 0x2014u, 0x2018u, 0x2019u, 0x201Au, 0x201Cu,
                          0x201Du, 0x201Eu, 0x2022u, 0x2026u, 0x20ACu, 0x2116u, 0x2122u}) {
    chars.push_back(c);
  }
  return chars;
}

bool fBakeFont(const QS_FONT_RECIPE& recipe, const std::vector<std::uint32_t>& characters,
               QS_BAKED_FONT& out) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) {
    std::fprintf(stderr, "FreeType cannot start\n");
    return false;
  }
  FT_Face face = nullptr;
  if (FT_New_Face(library, recipe.fontFile.c_str(), 0, &face) != 0 ||
      FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(recipe.pixelSize)) != 0) {
    std::fprintf(stderr, "cannot open font %s\n", recipe.fontFile.c_str());
    if (face != nullptr) FT_Done_Face(face);
    FT_Done_FreeType(library);
    return false;
  }
  out = QS_BAKED_FONT();
  out.pixelSize = recipe.pixelSize;
  out.faceName = std::string(face->family_name != nullptr ? face->family_name : "") +
                 (face->style_name != nullptr ? std::string(" ") + face->style_name : "");
  const int ascender = static_cast<int>(std::ceil(face->size->metrics.ascender / 64.0));
  const int descender = static_cast<int>(std::ceil(-face->size->metrics.descender / 64.0));
  const int margin = static_cast<int>(std::ceil(std::max(recipe.outline, recipe.strokeOutline)));
  out.lineHeight = ascender + descender + margin;
  int capHeight = ascender * 7 / 10;
  if (FT_Load_Char(face, 'H', FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) == 0) {
    capHeight = face->glyph->bitmap_top;
  }
  // The game centres one line of text at lineHeight / divisor below the line top: put the middle
  // of the capitals there.
  const double divisor = recipe.verticalDivisor > 0.0 ? recipe.verticalDivisor : 4.0;
  out.base = static_cast<int>(std::lround(capHeight / 2.0 + out.lineHeight / divisor));

  std::vector<INK> inks;
  for (std::uint32_t c : characters) {
    if (FT_Get_Char_Index(face, c) == 0) continue;
    if (FT_Load_Char(face, c, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) continue;
    const FT_GlyphSlot g = face->glyph;
    INK ink;
    ink.id = c;
    ink.width = static_cast<int>(g->bitmap.width);
    ink.rows = static_cast<int>(g->bitmap.rows);
    ink.left = g->bitmap_left;
    ink.top = g->bitmap_top;
    ink.advance = static_cast<int>(std::lround(g->advance.x / 64.0));
    ink.alpha.resize(static_cast<std::size_t>(ink.width) * ink.rows);
    for (int y = 0; y < ink.rows; ++y) {
      for (int x = 0; x < ink.width; ++x) {
        ink.alpha[static_cast<std::size_t>(y) * ink.width + x] =
            g->bitmap.buffer[static_cast<std::ptrdiff_t>(y) * g->bitmap.pitch + x];
      }
    }
    inks.push_back(std::move(ink));
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);

  // Rectangles: the advance plus the padding, the ink inside at its bearing with room for the
  // outline.
  struct PLACED {
    QS_BAKED_GLYPH glyph;
    int inkX = 0;
    int inkY = 0;
    const INK* ink = nullptr;
  };
  std::vector<PLACED> placed;
  for (const INK& ink : inks) {
    PLACED p;
    p.ink = &ink;
    p.glyph.id = ink.id;
    p.glyph.xadvance = ink.advance;
    const bool empty = ink.width == 0 || ink.rows == 0;
    p.inkX = std::max(margin, recipe.padding / 2 + ink.left);
    p.inkY = margin;
    p.glyph.width = std::max(ink.advance + recipe.padding, empty ? 1 : p.inkX + ink.width + margin);
    p.glyph.height = empty ? 1 : ink.rows + 2 * margin;
    p.glyph.yoffset = empty ? 0 : out.base - ink.top - margin;
    placed.push_back(p);
  }
  // The anchor glyph: code 1, one transparent pixel.
  PLACED anchor;
  anchor.glyph.id = 1;
  anchor.glyph.width = 1;
  anchor.glyph.height = 1;
  placed.insert(placed.begin(), anchor);

  // Shelf packing in code order, one pixel apart.
  out.pageWidth = recipe.pageWidth;
  int x = 1;
  int y = 1;
  int rowHeight = 0;
  for (PLACED& p : placed) {
    if (x + p.glyph.width + 1 > out.pageWidth) {
      x = 1;
      y += rowHeight + 1;
      rowHeight = 0;
    }
    p.glyph.x = x;
    p.glyph.y = y;
    x += p.glyph.width + 1;
    rowHeight = std::max(rowHeight, p.glyph.height);
  }
  out.pageHeight = fNextPowerOfTwo(y + rowHeight + 1);
  const std::size_t bytes = static_cast<std::size_t>(out.pageWidth) * out.pageHeight * 4;
  out.page.assign(bytes, 0);
  if (recipe.strokeOutline > 0.0) out.strokePage.assign(bytes, 0);

  for (const PLACED& p : placed) {
    out.glyphs.push_back(p.glyph);
    if (p.ink == nullptr || p.ink->width == 0 || p.ink->rows == 0) continue;
    const int w = p.glyph.width;
    const int h = p.glyph.height;
    std::vector<float> fill(static_cast<std::size_t>(w) * h, 0.0f);
    for (int iy = 0; iy < p.ink->rows; ++iy) {
      for (int ix = 0; ix < p.ink->width; ++ix) {
        const int fx = p.inkX + ix;
        const int fy = p.inkY + iy;
        if (fx < 0 || fx >= w || fy < 0 || fy >= h) continue;
        fill[static_cast<std::size_t>(fy) * w + fx] =
            p.ink->alpha[static_cast<std::size_t>(iy) * p.ink->width + ix] / 255.0f;
      }
    }
    std::vector<float> outline;
    if (recipe.outline > 0.0) outline = fDilate(fill, w, h, recipe.outline);
    fCompose(out.page, out.pageWidth, p.glyph.x, p.glyph.y, w, h, fill, outline, recipe.outlineAlpha);
    if (recipe.strokeOutline > 0.0) {
      const std::vector<float> stroke = fDilate(fill, w, h, recipe.strokeOutline);
      fCompose(out.strokePage, out.pageWidth, p.glyph.x, p.glyph.y, w, h, fill, stroke, 1.0);
    }
  }
  return true;
}

std::string fFontDescription(const QS_BAKED_FONT& font, const std::vector<std::string>& pageFiles) {
  std::string xml = "<?xml version=\"1.0\"?>\n<font>\n";
  char line[512];
  std::snprintf(line, sizeof(line),
                "  <info face=\"%s\" size=\"%d\" bold=\"0\" italic=\"0\" charset=\"\" unicode=\"1\" "
                "stretchH=\"100\" smooth=\"1\" aa=\"1\" padding=\"0,0,0,0\" spacing=\"1,1\"/>\n",
                font.faceName.c_str(), font.pixelSize);
  xml += line;
  std::snprintf(line, sizeof(line),
                "  <common lineHeight=\"%d\" base=\"%d\" scaleW=\"%d\" scaleH=\"%d\" pages=\"%zu\" "
                "packed=\"0\"/>\n",
                font.lineHeight, font.base, font.pageWidth, font.pageHeight, pageFiles.size());
  xml += line;
  xml += "  <pages>\n";
  for (std::size_t i = 0; i < pageFiles.size(); ++i) {
    std::snprintf(line, sizeof(line), "    <page id=\"%zu\" file=\"%s\"/>\n", i, pageFiles[i].c_str());
    xml += line;
  }
  xml += "  </pages>\n";
  std::snprintf(line, sizeof(line), "  <chars count=\"%zu\">\n", font.glyphs.size());
  xml += line;
  for (const QS_BAKED_GLYPH& g : font.glyphs) {
    std::snprintf(line, sizeof(line),
                  "    <char id=\"%u\" x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" xoffset=\"%d\" "
                  "yoffset=\"%d\" xadvance=\"%d\" page=\"0\" chnl=\"15\"/>\n",
                  static_cast<unsigned>(g.id), g.x, g.y, g.width, g.height, g.xoffset, g.yoffset,
                  g.xadvance);
    xml += line;
  }
  xml += "  </chars>\n</font>\n";
  return xml;
}

bool fWritePage(const std::vector<std::uint8_t>& rgba, int width, int height,
                const std::filesystem::path& path) {
  if (width <= 0 || height <= 0 || rgba.size() != static_cast<std::size_t>(width) * height * 4) {
    std::fprintf(stderr, "bad page for %s\n", path.string().c_str());
    return false;
  }
  std::error_code error;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
      const std::uint32_t a = p[3];
      auto pre = [a](std::uint8_t v) { return (static_cast<std::uint32_t>(v) * a + 127) / 255; };
      row[x] = (a << 24) | (pre(p[0]) << 16) | (pre(p[1]) << 8) | pre(p[2]);
    }
  }
  cairo_surface_mark_dirty(surface);
  const cairo_status_t status = cairo_surface_write_to_png(surface, path.string().c_str());
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "cannot write %s: %s\n", path.string().c_str(), cairo_status_to_string(status));
    return false;
  }
  return true;
}

}  // namespace QOR
