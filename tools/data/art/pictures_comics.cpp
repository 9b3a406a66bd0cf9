// The comics: the start comic's three panels (the traveller arrives; the master's scroll, which
// carries the caption with the player's name; the waiting tiles), its second page (the map of the
// six realms) and the closing picture with a scroll for the player's name and the closing text.
#include "tools/data/art/art_jobs.h"
#include "tools/data/art/art_places.h"
#include "tools/data/art/art_style.h"
#include "tools/data/art/scenes.h"
#include "tools/data/art/tile_faces.h"
#include "tools/data/resource_layout.h"

#include <cmath>

namespace QOR::ART {

using namespace PALETTE;

namespace {

// A robed figure standing on (x, y), h tall, seen from the side.
void fFigure(cairo_t* cr, double x, double y, double h, QS_RGB robe, bool staff) {
  const double u = h / 100.0;
  cairo_save(cr);
  cairo_translate(cr, x, y);
  // Robe.
  cairo_move_to(cr, -22 * u, 0);
  cairo_curve_to(cr, -18 * u, -40 * u, -14 * u, -60 * u, -10 * u, -72 * u);
  cairo_line_to(cr, 10 * u, -72 * u);
  cairo_curve_to(cr, 14 * u, -60 * u, 18 * u, -40 * u, 24 * u, 0);
  cairo_close_path(cr);
  fSetColor(cr, robe);
  cairo_fill(cr);
  cairo_rectangle(cr, -12 * u, -46 * u, 24 * u, 5 * u);
  fSetColor(cr, kGold);
  cairo_fill(cr);
  // Head and conical hat.
  cairo_arc(cr, 0, -80 * u, 8 * u, 0, 2 * M_PI);
  fSetColor(cr, fHex(0xE8C8A0));
  cairo_fill(cr);
  cairo_move_to(cr, -20 * u, -84 * u);
  cairo_line_to(cr, 0, -100 * u);
  cairo_line_to(cr, 20 * u, -84 * u);
  cairo_close_path(cr);
  fSetColor(cr, fHex(0xC8A060));
  cairo_fill(cr);
  if (staff) {
    cairo_move_to(cr, 20 * u, 0);
    cairo_line_to(cr, 26 * u, -95 * u);
    cairo_set_line_width(cr, 3 * u);
    fSetColor(cr, fHex(0x5A3A1A));
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void fLantern(cairo_t* cr, double x, double y, double s) {
  fGlow(cr, x, y, s * 2, s * 2, fHex(0xF2A23A), 0.45);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, s * 0.8, s);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  fSetColor(cr, fHex(0xD0301E));
  cairo_fill(cr);
  cairo_rectangle(cr, x - s * 0.4, y - s - 2, s * 0.8, 4);
  cairo_rectangle(cr, x - s * 0.4, y + s - 2, s * 0.8, 4);
  fSetColor(cr, kGoldDark);
  cairo_fill(cr);
}

void fComicBorder(cairo_t* cr, double w, double h) {
  cairo_rectangle(cr, 2, 2, w - 4, h - 4);
  cairo_set_line_width(cr, 4);
  cairo_set_source_rgb(cr, 0.08, 0.05, 0.04);
  cairo_stroke(cr);
}

// A parchment scroll, w x h, centred at the origin.
void fParchment(cairo_t* cr, double w, double h) {
  fRoundRect(cr, -w / 2, -h / 2, w, h, 10);
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, -h / 2, 0, h / 2);
  // Light enough that the closing picture's pure red lettering stands out.
  cairo_pattern_add_color_stop_rgb(pat, 0, 0.99, 0.95, 0.84);
  cairo_pattern_add_color_stop_rgb(pat, 1, 0.93, 0.83, 0.64);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
  const double roller = ART_PLACES::kScrollRoller;
  for (double x : {-w / 2 - roller / 2, w / 2 - roller / 2}) {
    fRoundRect(cr, x, -h / 2 - 8, roller, h + 16, roller / 2);
    fSetColor(cr, fHex(0x6A3418));
    cairo_fill(cr);
  }
}

void fPaintComic1(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double w = c.fWidth();
  const double h = c.fHeight();
  fPaintScene(cr, 3, w, h, 2, 0.6);
  cairo_set_source_rgba(cr, 0.05, 0.08, 0.1, 0.25);
  cairo_paint(cr);
  // The temple gate with lanterns at the end of the path.
  const double gx = w * 0.68;
  cairo_rectangle(cr, gx - 70, h * 0.3, 12, h * 0.42);
  cairo_rectangle(cr, gx + 58, h * 0.3, 12, h * 0.42);
  cairo_rectangle(cr, gx - 90, h * 0.27, 180, 14);
  cairo_rectangle(cr, gx - 75, h * 0.35, 150, 9);
  fSetColor(cr, fHex(0xA8261D));
  cairo_fill(cr);
  fLantern(cr, gx - 40, h * 0.42, 14);
  fLantern(cr, gx + 40, h * 0.42, 14);
  cairo_move_to(cr, w * 0.1, h);
  cairo_curve_to(cr, w * 0.3, h * 0.8, w * 0.5, h * 0.78, gx, h * 0.72);
  cairo_line_to(cr, gx + 30, h * 0.72);
  cairo_curve_to(cr, w * 0.6, h * 0.85, w * 0.5, h * 0.95, w * 0.45, h);
  cairo_close_path(cr);
  fSetColor(cr, fHex(0xC8B48A), 0.85);
  cairo_fill(cr);
  fFigure(cr, w * 0.3, h * 0.93, h * 0.42, fHex(0x2A5A8A), true);
  fComicBorder(cr, w, h);
}

void fPaintComic2(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double w = c.fWidth();
  const double h = c.fHeight();
  // Inside the hall: warm lacquer walls.
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, 0, 0, h);
  cairo_pattern_add_color_stop_rgb(pat, 0, 0.40, 0.12, 0.08);
  cairo_pattern_add_color_stop_rgb(pat, 1, 0.18, 0.05, 0.04);
  cairo_set_source(cr, pat);
  cairo_paint(cr);
  cairo_pattern_destroy(pat);
  for (double x = 30; x < w; x += 110) {
    cairo_rectangle(cr, x, 0, 14, h);
    fSetColor(cr, fHex(0x2A0806), 0.7);
    cairo_fill(cr);
  }
  fLantern(cr, w * 0.12, h * 0.62, 18);
  // The master below, holding the scroll up.
  fFigure(cr, w * 0.72, h * 0.98, h * 0.5, fHex(0x1E6A4A), false);
  // The unrolled scroll, turned like the caption the game letters on it.
  const ART_PLACES::QS_TURNED_AREA& scroll = ART_PLACES::kComicScroll;
  cairo_save(cr);
  cairo_translate(cr, scroll.cx, scroll.cy);
  cairo_rotate(cr, scroll.angle);
  fParchment(cr, scroll.w, scroll.h);
  cairo_restore(cr);
  fComicBorder(cr, w, h);
}

void fPaintComic3(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double w = c.fWidth();
  const double h = c.fHeight();
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, 0, 0, h);
  cairo_pattern_add_color_stop_rgb(pat, 0, 0.10, 0.22, 0.18);
  cairo_pattern_add_color_stop_rgb(pat, 1, 0.04, 0.10, 0.08);
  cairo_set_source(cr, pat);
  cairo_paint(cr);
  cairo_pattern_destroy(pat);
  fGlow(cr, w / 2, h * 0.55, w * 0.45, h * 0.5, fHex(0xF2C070), 0.35);
  // A small layout of tiles on the table, two layers.
  const int faces[] = {0, 9, 18, 27, 30, 34, 38, 4, 13, 22, 28, 31, 35, 39, 8, 17};
  const double scale = 0.9;
  int k = 0;
  for (int layer = 0; layer < 2; ++layer) {
    const int cols = layer == 0 ? 8 : 4;
    for (int i = 0; i < cols; ++i) {
      const double x = w / 2 - cols * kTileSizeX * scale / 2 + i * kTileSizeX * scale + layer * kLayerOffsetX;
      const double y = h * 0.3 - layer * (kLayerOffsetY + 10) + (layer == 0 ? 20 : 0);
      cairo_save(cr);
      cairo_translate(cr, x, y);
      cairo_scale(cr, scale, scale);
      cairo_translate(cr, -2 * kLayerOffsetX, 0);
      fDrawTileBack(cr, TILE_BACK::SHADOW, kTileCellX, kTileCellY);
      fDrawTileBack(cr, TILE_BACK::NORMAL, kTileCellX, kTileCellY);
      fDrawTileFace(cr, TILE_STYLE::CLASSIC, faces[k++ % 16], 2 * kLayerOffsetX, 0, kTileSizeX, kTileSizeY);
      cairo_restore(cr);
    }
  }
  fComicBorder(cr, w, h);
}

void fPaintRealmsMap(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double w = c.fWidth();
  const double h = c.fHeight();
  fPaintScene(cr, 6, w, h, 5, 0.3);
  cairo_set_source_rgba(cr, 0.0, 0.05, 0.05, 0.55);
  cairo_paint(cr);
  fDrawText(cr, "Six realms await", w / 2, 70, fGoldTitle(52));
  for (int pack = 1; pack <= 6; ++pack) {
    const double a = -M_PI / 2 + (pack - 1) * M_PI / 3;
    const double cx = w / 2 + std::cos(a) * 270;
    const double cy = h / 2 + 40 + std::sin(a) * 230;
    cairo_save(cr);
    cairo_arc(cr, cx, cy, 95, 0, 2 * M_PI);
    cairo_clip(cr);
    cairo_translate(cr, cx - 120, cy - 95);
    fPaintScene(cr, pack, 240, 190, pack, 0.5);
    cairo_restore(cr);
    cairo_arc(cr, cx, cy, 95, 0, 2 * M_PI);
    cairo_set_line_width(cr, 5);
    fSetGoldSource(cr, cy - 95, cy + 95);
    cairo_stroke(cr);
  }
  cairo_arc(cr, w / 2, h / 2 + 40, 70, 0, 2 * M_PI);
  fSetColor(cr, kJade);
  cairo_fill(cr);
  cairo_arc(cr, w / 2, h / 2 + 40, 70, 0, 2 * M_PI);
  cairo_set_line_width(cr, 5);
  fSetGoldSource(cr, h / 2 - 30, h / 2 + 110);
  cairo_stroke(cr);
  QS_TEXT_STYLE glyph;
  glyph.font = ART_FONT::KAI;
  glyph.size = 84;
  glyph.fill = kGoldLight;
  glyph.outline = 2;
  glyph.outlineColor = fHex(0x0A2A1E);
  fDrawText(cr, "玉", w / 2, h / 2 + 40, glyph);
}

void fPaintFinish(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double w = c.fWidth();
  const double h = c.fHeight();
  fPaintScene(cr, 6, w, h, 1, 0.4);
  cairo_set_source_rgba(cr, 0.02, 0.02, 0.08, 0.45);
  cairo_paint(cr);
  QC_ART_RANDOM random("finish");
  for (int i = 0; i < 14; ++i) {
    fLantern(cr, random.fUniform(40, w - 40), random.fUniform(40, h * 0.35), random.fUniform(8, 16));
  }
  // A golden cup on the left.
  const double cx = 230;
  const double top = 300;
  cairo_move_to(cr, cx - 90, top);
  cairo_line_to(cr, cx + 90, top);
  cairo_curve_to(cr, cx + 90, top + 140, cx + 35, top + 180, cx + 20, top + 190);
  cairo_line_to(cr, cx + 20, top + 240);
  cairo_line_to(cr, cx + 60, top + 270);
  cairo_line_to(cr, cx - 60, top + 270);
  cairo_line_to(cr, cx - 20, top + 240);
  cairo_line_to(cr, cx - 20, top + 190);
  cairo_curve_to(cr, cx - 35, top + 180, cx - 90, top + 140, cx - 90, top);
  cairo_close_path(cr);
  fGlow(cr, cx, top + 120, 220, 220, kGoldLight, 0.35);
  fSetGoldSource(cr, top, top + 270);
  cairo_fill(cr);
  // The scroll for the player's name and the closing text.
  const ART_PLACES::QS_TURNED_AREA& scroll = ART_PLACES::kFinalScroll;
  cairo_save(cr);
  cairo_translate(cr, scroll.cx, scroll.cy);
  cairo_rotate(cr, scroll.angle);
  fParchment(cr, scroll.w, scroll.h);
  cairo_restore(cr);
}

}  // namespace

void fAddComicPainters(PAINTER_TABLE& table) {
  table["Comic1.png"] = fPaintComic1;
  table["Comic2.png"] = fPaintComic2;
  table["Comic3.png"] = fPaintComic3;
  table["Comic1-2.jpg"] = fPaintRealmsMap;
  table["Comic_finish.jpg"] = fPaintFinish;
}

}  // namespace QOR::ART
