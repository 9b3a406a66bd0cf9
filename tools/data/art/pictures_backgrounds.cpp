// Full-screen pictures: the six rooms behind the board, the menu background, the title picture,
// the two splash pictures, the pack pictures of the packs screen, and the window icon.
#include "tools/data/art/art_jobs.h"
#include "tools/data/art/art_style.h"
#include "tools/data/art/scenes.h"
#include "tools/data/art/tile_faces.h"
#include "tools/data/resource_layout.h"

#include <cmath>

namespace QOR::ART {

using namespace PALETTE;

namespace {

void fVignette(cairo_t* cr, double w, double h, double strength) {
  cairo_pattern_t* pat =
      cairo_pattern_create_radial(w / 2, h / 2, std::min(w, h) * 0.35, w / 2, h / 2, std::max(w, h) * 0.75);
  cairo_pattern_add_color_stop_rgba(pat, 0, 0, 0, 0, 0);
  cairo_pattern_add_color_stop_rgba(pat, 1, 0, 0, 0, strength);
  cairo_set_source(cr, pat);
  cairo_paint(cr);
  cairo_pattern_destroy(pat);
}

PAINTER fRoom(int pack) {
  return [pack](QC_CANVAS& canvas, const QS_DATA_ITEM&) {
    cairo_t* cr = canvas.cr();
    fPaintScene(cr, pack, canvas.fWidth(), canvas.fHeight(), 0, 1.0);
    fVignette(cr, canvas.fWidth(), canvas.fHeight(), 0.45);
  };
}

void fPaintPackPicture(QC_CANVAS& canvas, int pack) {
  fPaintScene(canvas.cr(), pack, canvas.fWidth(), canvas.fHeight(), pack, 0.7);
  fVignette(canvas.cr(), canvas.fWidth(), canvas.fHeight(), 0.35);
}

// A tile drawn whole (back and face) with its top surface's top-left corner at (x, y).
void fWholeTile(cairo_t* cr, TILE_STYLE style, int face, double x, double y, double scale) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  cairo_translate(cr, -2 * kLayerOffsetX, 0);
  fDrawTileBack(cr, TILE_BACK::SHADOW, kTileCellX, kTileCellY);
  fDrawTileBack(cr, TILE_BACK::NORMAL, kTileCellX, kTileCellY);
  fDrawTileFace(cr, style, face, 2 * kLayerOffsetX, 0, kTileSizeX, kTileSizeY);
  cairo_restore(cr);
}

void fPaintTitle(QC_CANVAS& canvas, const QS_DATA_ITEM&) {
  cairo_t* cr = canvas.cr();
  const double w = canvas.fWidth();
  const double h = canvas.fHeight();
  fPaintScene(cr, 1, w, h, 1, 1.0);
  fVignette(cr, w, h, 0.55);
  // A small pyramid of tiles in the middle of the pond.
  const int faces[] = {27, 31, 4, 13, 22, 34, 39, 28, 30, 0};
  const double scale = 1.05;
  const double tw = kTileSizeX * scale;
  int k = 0;
  for (int row = 0; row < 3; ++row) {
    const int count = 4 - row;
    for (int i = 0; i < count; ++i) {
      const double x = w / 2 - count * tw / 2 + i * tw + row * kLayerOffsetX * scale;
      const double y = 330 - row * (kTileSizeY * 0.35 + kLayerOffsetY) * scale;
      fWholeTile(cr, TILE_STYLE::CLASSIC, faces[k++ % 10], x, y, scale);
    }
  }
  // The game's name.
  fGlow(cr, w / 2, 130, 420, 90, fHex(0x000000), 0.45);
  fDrawText(cr, "Jade Tile Tourney", w / 2, 120, fGoldTitle(76), TEXT_ALIGN::CENTER, w - 80);
  QS_TEXT_STYLE sub = fIvoryLabel(24);
  sub.font = ART_FONT::SERIF;
  fDrawText(cr, "a mahjong solitaire journey", w / 2, 190, sub);
  // The loading plaque: the loading screen prints the percentage at (width / 2 + 95, height / 2
  // + 95); the title screen's panel covers this place later.
  fLacquerPanel(cr, w / 2 - 170, h / 2 + 95 - 30, 340, 60, 14, 3);
  QS_TEXT_STYLE loading = fGoldTitle(26);
  fDrawText(cr, "Loading", w / 2 - 140, h / 2 + 95 + 9, loading, TEXT_ALIGN::LEFT);
}

void fPaintScreenBack(QC_CANVAS& canvas, const QS_DATA_ITEM&) {
  cairo_t* cr = canvas.cr();
  const double w = canvas.fWidth();
  const double h = canvas.fHeight();
  cairo_pattern_t* pat = cairo_pattern_create_radial(w * 0.6, h * 0.45, 50, w * 0.6, h * 0.45, w * 0.8);
  cairo_pattern_add_color_stop_rgb(pat, 0, 0.11, 0.36, 0.29);
  cairo_pattern_add_color_stop_rgb(pat, 1, 0.02, 0.10, 0.09);
  cairo_set_source(cr, pat);
  cairo_paint(cr);
  cairo_pattern_destroy(pat);
  QC_ART_RANDOM random("screen_back");
  for (int i = 0; i < 22; ++i) {
    fCloud(cr, random.fUniform(0, w), random.fUniform(0, h), random.fUniform(80, 190), kGold,
           random.fUniform(0.05, 0.1), 2.5);
  }
  // A large faint medallion of concentric rings.
  for (int i = 0; i < 6; ++i) {
    cairo_arc(cr, w * 0.62, h * 0.48, 120 + i * 45, 0, 2 * M_PI);
    cairo_set_line_width(cr, i % 2 == 0 ? 3 : 1);
    fSetColor(cr, kGold, 0.07);
    cairo_stroke(cr);
  }
  fMountains(cr, w, h * 0.78, h * 0.12, fHex(0x061612), 0.8, random);
  fVignette(cr, w, h, 0.5);
}

// The window icon: one whole tile on a transparent ground, as large as the square allows.
void fPaintIcon(QC_CANVAS& canvas, const QS_DATA_ITEM&) {
  const double side = std::min(canvas.fWidth(), canvas.fHeight());
  const double scale = side / kTileCellY;
  const double x = (canvas.fWidth() - kTileCellX * scale) / 2 + 2 * kLayerOffsetX * scale;
  fWholeTile(canvas.cr(), TILE_STYLE::CLASSIC, 27, x, 0.0, scale);
}

void fPaintSplash1(QC_CANVAS& canvas, const QS_DATA_ITEM&) {
  cairo_t* cr = canvas.cr();
  const double w = canvas.fWidth();
  const double h = canvas.fHeight();
  cairo_set_source_rgb(cr, 0.04, 0.07, 0.07);
  cairo_paint(cr);
  fGlow(cr, w / 2, h / 2 - 40, 320, 260, fHex(0x1E5A48), 0.6);
  // The studio's mark: a fern frond.
  cairo_save(cr);
  cairo_translate(cr, w / 2, h / 2 - 60);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 5);
  cairo_move_to(cr, 0, 130);
  cairo_curve_to(cr, 0, 40, 10, -60, 60, -120);
  fSetColor(cr, kJadeLight);
  cairo_stroke(cr);
  for (int i = 0; i < 9; ++i) {
    const double t = i / 9.0;
    const double x = 2 + t * t * 58;
    const double y = 120 - t * 235;
    const double len = 90 * (1.0 - t * 0.85);
    for (int side = -1; side <= 1; side += 2) {
      cairo_save(cr);
      cairo_translate(cr, x, y);
      cairo_rotate(cr, side > 0 ? -0.5 : M_PI + 0.5 - t * 0.4);
      cairo_move_to(cr, 0, 0);
      cairo_curve_to(cr, len * 0.3, -len * 0.18, len * 0.7, -len * 0.15, len, 0);
      cairo_curve_to(cr, len * 0.7, len * 0.12, len * 0.3, len * 0.12, 0, 0);
      cairo_restore(cr);
      fSetColor(cr, fShade(kJadeLight, -0.15 * t), 0.9);
      cairo_fill(cr);
    }
  }
  cairo_restore(cr);
  QS_TEXT_STYLE name = fGoldTitle(64);
  fDrawText(cr, "Greyfern", w / 2, h / 2 + 150, name);
  QS_TEXT_STYLE presents = fIvoryLabel(22);
  presents.font = ART_FONT::SERIF;
  fDrawText(cr, "presents", w / 2, h / 2 + 215, presents);
}

void fPaintSplash2(QC_CANVAS& canvas, const QS_DATA_ITEM&) {
  cairo_t* cr = canvas.cr();
  const double w = canvas.fWidth();
  const double h = canvas.fHeight();
  fPaintScene(cr, 6, w, h, 3, 1.0);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_paint(cr);
  fVignette(cr, w, h, 0.6);
  // Three paper lanterns.
  for (int i = 0; i < 3; ++i) {
    const double x = w * (0.3 + 0.2 * i);
    const double y = h * 0.3 + (i == 1 ? -30 : 10);
    cairo_move_to(cr, x, 0);
    cairo_line_to(cr, x, y - 60);
    cairo_set_line_width(cr, 2);
    cairo_set_source_rgba(cr, 0.1, 0.05, 0.02, 0.9);
    cairo_stroke(cr);
    fGlow(cr, x, y, 110, 120, fHex(0xF2A23A), 0.55);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 48, 60);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_pattern_t* pat = cairo_pattern_create_radial(x, y, 5, x, y, 60);
    cairo_pattern_add_color_stop_rgb(pat, 0, 1.0, 0.85, 0.45);
    cairo_pattern_add_color_stop_rgb(pat, 1, 0.75, 0.12, 0.08);
    cairo_set_source(cr, pat);
    cairo_fill(cr);
    cairo_pattern_destroy(pat);
    for (double dy : {-60.0, 56.0}) {
      cairo_rectangle(cr, x - 22, y + dy, 44, 6);
      fSetColor(cr, kGoldDark);
      cairo_fill(cr);
    }
  }
  fDrawText(cr, "Jade Tile Tourney", w / 2, h * 0.68, fGoldTitle(70), TEXT_ALIGN::CENTER, w - 80);
  QS_TEXT_STYLE sub = fIvoryLabel(24);
  sub.font = ART_FONT::SERIF;
  fDrawText(cr, "six realms, one hundred and twenty boards", w / 2, h * 0.68 + 70, sub);
}

}  // namespace

void fAddBackgroundPainters(PAINTER_TABLE& table) {
  table["Lotus_room.jpg"] = fRoom(1);
  table["Crane_room2.jpg"] = fRoom(2);
  table["Bamboo_room3.jpg"] = fRoom(3);
  table["Phoenix_room.jpg"] = fRoom(4);
  table["CherryTree_room.jpg"] = fRoom(5);
  table["Dragon_room6.jpg"] = fRoom(6);
  table["title_screen.jpg"] = fPaintTitle;
  table["screen_back.jpg"] = fPaintScreenBack;
  table["spl1.jpg"] = fPaintSplash1;
  table["spl2.jpg"] = fPaintSplash2;
  table["icon.png"] = fPaintIcon;
  for (int n = 1; n <= 6; ++n) {
    table[std::to_string(n) + "_back.png"] = [n](QC_CANVAS& canvas, const QS_DATA_ITEM&) {
      fPaintPackPicture(canvas, n);
    };
  }
}

}  // namespace QOR::ART
