// The tile atlases and the pictures made of tiles: selection and tip frames, the tile-set check
// boxes of the options and the editor's chip markers.
#include "tools/data/art/art_jobs.h"
#include "tools/data/art/art_style.h"
#include "tools/data/art/tile_faces.h"
#include "tools/data/resource_layout.h"

#include <algorithm>
#include <cmath>

namespace QOR::ART {

using namespace PALETTE;

namespace {

struct BODY_COLORS {
  QS_RGB side;      // the coloured back layer
  QS_RGB sideDark;  // its far edge
  QS_RGB rim;       // the inner border of the top surface (0 alpha for none)
  double rimAlpha;
};

BODY_COLORS fBodyColors(TILE_BACK back) {
  switch (back) {
    case TILE_BACK::BONUS: return {fHex(0xD09A2C), fHex(0x6A4510), fHex(0xC8941E), 0.95};
    case TILE_BACK::SPECIAL: return {fHex(0xA8261D), fHex(0x4A0C08), fHex(0xB3261C), 0.95};
    default: return {fHex(0x2F8F6C), fHex(0x0F4532), fHex(0x000000), 0.0};
  }
}

// The silhouette of a tile at sweep depth t (0 = top surface, lox = bottom of the body).
void fSweepRect(cairo_t* cr, double t, double grow) {
  const double lox = kLayerOffsetX;
  const double loy = kLayerOffsetY;
  const double k = t / lox;
  fRoundRect(cr, 2 * lox - t - grow, k * loy - grow, kTileSizeX + 2 * grow, kTileSizeY + 2 * grow,
             7 + grow);
}

}  // namespace

void fDrawTileBack(cairo_t* cr, TILE_BACK back, double cw, double ch) {
  (void)cw;
  (void)ch;
  const double lox = kLayerOffsetX;
  cairo_save(cr);
  if (back == TILE_BACK::SHADOW) {
    // A soft dark silhouette: the shadow under the tile and the veil over a blocked tile.
    for (int grow = 3; grow >= 0; --grow) {
      for (double t = lox; t >= 0; t -= 1.0) fSweepRect(cr, t, grow);
      cairo_set_source_rgba(cr, 0.02, 0.03, 0.03, grow == 0 ? 0.34 : 0.09);
      cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
      cairo_fill(cr);
    }
    cairo_restore(cr);
    return;
  }
  const BODY_COLORS colors = fBodyColors(back);
  // Outline of the whole body.
  for (double t = lox; t >= 0; t -= 0.5) fSweepRect(cr, t, 0.8);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  cairo_set_source_rgba(cr, 0.12, 0.08, 0.05, 0.75);
  cairo_fill(cr);
  // The body, swept from its far edge up to the top: coloured back layer, then an ivory layer.
  for (double t = lox; t >= 0; t -= 0.5) {
    const double k = t / lox;
    QS_RGB c;
    if (k > 0.45) {
      const double f = (k - 0.45) / 0.55;
      c = QS_RGB{colors.side.r + (colors.sideDark.r - colors.side.r) * f,
                 colors.side.g + (colors.sideDark.g - colors.side.g) * f,
                 colors.side.b + (colors.sideDark.b - colors.side.b) * f};
    } else {
      c = fShade(fHex(0xE2D6BA), -0.25 * k);
    }
    fSweepRect(cr, t, 0);
    fSetColor(cr, c);
    cairo_fill(cr);
  }
  // The top surface: ivory with a soft bevel.
  const double x = 2 * lox;
  const double w = kTileSizeX;
  const double h = kTileSizeY;
  fRoundRect(cr, x, 0, w, h, 7);
  cairo_pattern_t* pat = cairo_pattern_create_linear(x, 0, x + w, h);
  cairo_pattern_add_color_stop_rgb(pat, 0.0, 1.0, 0.99, 0.95);
  cairo_pattern_add_color_stop_rgb(pat, 1.0, 0.92, 0.88, 0.78);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
  fRoundRect(cr, x + 1.2, 1.2, w - 2.4, h - 2.4, 6);
  cairo_set_line_width(cr, 1.2);
  cairo_pattern_t* bevel = cairo_pattern_create_linear(x, 0, x + w, h);
  cairo_pattern_add_color_stop_rgba(bevel, 0.0, 1, 1, 1, 0.9);
  cairo_pattern_add_color_stop_rgba(bevel, 1.0, 0.55, 0.48, 0.36, 0.7);
  cairo_set_source(cr, bevel);
  cairo_stroke(cr);
  cairo_pattern_destroy(bevel);
  if (colors.rimAlpha > 0.0) {
    fRoundRect(cr, x + 3, 3, w - 6, h - 6, 5);
    cairo_set_line_width(cr, 2.2);
    fSetColor(cr, colors.rim, colors.rimAlpha);
    cairo_stroke(cr);
    // A faint wash of the rim colour inside.
    fRoundRect(cr, x + 4, 4, w - 8, h - 8, 4);
    fSetColor(cr, colors.rim, 0.07);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

namespace {

TILE_STYLE fStyleOfPicture(const std::string& file) {
  if (file == kTileSetPictures[0]) return TILE_STYLE::NUMBERS;
  if (file == kTileSetPictures[2]) return TILE_STYLE::CARDS;
  return TILE_STYLE::CLASSIC;
}

void fPaintAtlas(QC_CANVAS& canvas, const QS_DATA_ITEM& item) {
  const TILE_STYLE style = fStyleOfPicture(item.file);
  const int cw = canvas.fWidth() / 9;
  const int ch = canvas.fHeight() / 6;
  cairo_t* cr = canvas.cr();
  for (int frame = 0; frame < 46; ++frame) {
    cairo_save(cr);
    cairo_translate(cr, (frame % 9) * cw, (frame / 9) * ch);
    cairo_rectangle(cr, 0, 0, cw, ch);
    cairo_clip(cr);
    if (frame < 42) {
      // Faces sit centred in their cells: the game draws them one layer offset up and right of
      // the back, which puts them on the back's top surface.
      fDrawTileFace(cr, style, frame, (cw - kTileSizeX) / 2.0, (ch - kTileSizeY) / 2.0, kTileSizeX,
                    kTileSizeY);
    } else {
      fDrawTileBack(cr, static_cast<TILE_BACK>(frame - 42), cw, ch);
    }
    cairo_restore(cr);
  }
}

// The selection frame, drawn over the selected tile's top surface at (sizeX + 2 layer offsets)
// x sizeY: a gold frame hugging the surface with a glow outside it.
void fPaintSelection(QC_CANVAS& canvas, const QS_DATA_ITEM&) {
  cairo_t* cr = canvas.cr();
  const double x = kLayerOffsetX;
  const double w = kTileSizeX;
  const double h = canvas.fHeight();
  for (int i = 5; i >= 1; --i) {
    fRoundRect(cr, x - i * 1.0, 0.5, w + 2.0 * i, h - 1, 7 + i);
    cairo_set_line_width(cr, 2.0);
    fSetColor(cr, kGoldLight, 0.12);
    cairo_stroke(cr);
  }
  fRoundRect(cr, x + 1.5, 1.5, w - 3, h - 3, 6.5);
  cairo_set_line_width(cr, 3.2);
  fSetGoldSource(cr, 0, h);
  cairo_stroke(cr);
  fRoundRect(cr, x + 3.5, 3.5, w - 7, h - 7, 5);
  fSetColor(cr, kGoldLight, 0.16);
  cairo_fill(cr);
}

// The tip and tutorial marker around a tile: four jade-and-gold corner brackets.
void fPaintTipFrame(QC_CANVAS& canvas, const QS_DATA_ITEM&) {
  cairo_t* cr = canvas.cr();
  const double w = canvas.fWidth();
  const double h = canvas.fHeight();
  // The tile's top surface lies at (3 lox .. 3 lox + sizeX) x (2 loy .. 2 loy + sizeY).
  const double x0 = 3 * kLayerOffsetX - 8;
  const double y0 = 2 * kLayerOffsetY - 8;
  const double x1 = std::min(w - 2.0, 3.0 * kLayerOffsetX + kTileSizeX + 8);
  const double y1 = std::min(h - 2.0, 2.0 * kLayerOffsetY + kTileSizeY + 8);
  fGlow(cr, (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2 + 4, (y1 - y0) / 2 + 4, kJadeLight, 0.25);
  const double len = 18;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int pass = 0; pass < 2; ++pass) {
    cairo_set_line_width(cr, pass == 0 ? 7 : 3.5);
    if (pass == 0) fSetColor(cr, kJadeDark, 0.8);
    else fSetColor(cr, kGoldLight);
    cairo_move_to(cr, x0, y0 + len);
    cairo_line_to(cr, x0, y0);
    cairo_line_to(cr, x0 + len, y0);
    cairo_move_to(cr, x1 - len, y0);
    cairo_line_to(cr, x1, y0);
    cairo_line_to(cr, x1, y0 + len);
    cairo_move_to(cr, x1, y1 - len);
    cairo_line_to(cr, x1, y1);
    cairo_line_to(cr, x1 - len, y1);
    cairo_move_to(cr, x0 + len, y1);
    cairo_line_to(cr, x0, y1);
    cairo_line_to(cr, x0, y1 - len);
    cairo_stroke(cr);
  }
}

// A small tile of a style, scaled into the box.
void fMiniTile(cairo_t* cr, TILE_STYLE style, int face, double cx, double cy, double scale) {
  cairo_save(cr);
  const double cw = kTileCellX;
  const double ch = kTileCellY;
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, scale, scale);
  cairo_translate(cr, -cw / 2 - kLayerOffsetX / 2.0, -ch / 2 + kLayerOffsetY / 2.0);
  fDrawTileBack(cr, TILE_BACK::NORMAL, cw, ch);
  fDrawTileFace(cr, style, face, 2 * kLayerOffsetX, 0, kTileSizeX, kTileSizeY);
  cairo_restore(cr);
}

// The options' tile-set boxes: a sample tile of the style; the checked cell is a gold frame with
// a check mark that the game draws over the normal cell.
PAINTER fTileSetBox(TILE_STYLE style, int face) {
  return [style, face](QC_CANVAS& canvas, const QS_DATA_ITEM& item) {
    fPaintStrip(canvas, item.frames, [style, face](cairo_t* cr, double w, double h, int state) {
      if (state == 3) {
        fRoundRect(cr, 2, 2, w - 4, h - 4, 8);
        cairo_set_line_width(cr, 3);
        fSetGoldSource(cr, 0, h);
        cairo_stroke(cr);
        cairo_arc(cr, w - 13, h - 13, 10, 0, 2 * M_PI);
        fSetColor(cr, kJade);
        cairo_fill(cr);
        fDrawIcon(cr, ICON::CHECK, w - 13, h - 13, 14, kIvory);
        return;
      }
      fRoundRect(cr, 1, 1, w - 2, h - 2, 8);
      fSetColor(cr, kLacquerDark, 0.85);
      cairo_fill(cr);
      fMiniTile(cr, style, face, w / 2, h / 2, std::min((w - 8) / kTileCellX, (h - 8) / kTileCellY));
    });
  };
}

// The editor's chip markers: a free (green) and a blocked (red) tile outline.
PAINTER fEditorChip(bool free) {
  return [free](QC_CANVAS& canvas, const QS_DATA_ITEM&) {
    cairo_t* cr = canvas.cr();
    const double w = canvas.fWidth();
    const double h = canvas.fHeight();
    fRoundRect(cr, 2, 2, w - 4, h - 4, 7);
    fSetColor(cr, free ? kJadeLight : fHex(0xD98A80), 0.35);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 3);
    fSetColor(cr, free ? kJade : kLacquer);
    cairo_stroke(cr);
    fDrawIcon(cr, free ? ICON::CHECK : ICON::CROSS, w / 2, h / 2, w * 0.5,
              free ? kJadeDark : kLacquerDark);
  };
}

}  // namespace

void fAddTilePainters(PAINTER_TABLE& table) {
  for (const char* pic : kTileSetPictures) table[pic] = fPaintAtlas;
  table["Board.png"] = fPaintSelection;
  table["board.png"] = fPaintTipFrame;
  table["classic.png"] = fTileSetBox(TILE_STYLE::CLASSIC, 30);
  table["cards.png"] = fTileSetBox(TILE_STYLE::CARDS, 13);
  table["numbers.png"] = fTileSetBox(TILE_STYLE::NUMBERS, 6);
  table["editor/free-chip.png"] = fEditorChip(true);
  table["editor/empty-chip.png"] = fEditorChip(false);
}

}  // namespace QOR::ART
