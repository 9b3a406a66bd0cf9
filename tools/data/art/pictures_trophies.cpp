// The 26 trophies and their concealed look. Each stands on a lacquer pedestal; the kind of award
// shows in its object: cups for the score, jade medallions for the ranks of packs 2..6, scrolls of
// each pack's scene for its completion, tile stacks for tiles removed, shuffle medals for bonuses,
// multiplier badges and star crowns.
#include "tools/data/art/art_jobs.h"
#include "tools/data/art/art_list.h"
#include "tools/data/art/art_places.h"
#include "tools/data/art/art_style.h"
#include "tools/data/art/scenes.h"
#include "tools/data/resource_layout.h"

#include <cmath>
#include <string>

namespace QOR::ART {

using namespace PALETTE;

namespace {

void fPedestal(cairo_t* cr, double w, double h) {
  fRoundRect(cr, w * 0.2, h - 26, w * 0.6, 22, 5);
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, h - 26, 0, h - 4);
  cairo_pattern_add_color_stop_rgb(pat, 0, 0.45, 0.10, 0.07);
  cairo_pattern_add_color_stop_rgb(pat, 1, 0.18, 0.03, 0.02);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
  fGoldFrame(cr, w * 0.2, h - 26, w * 0.6, 22, 5, 1.5);
}

void fCup(cairo_t* cr, double w, double h, int level) {
  const double cx = w / 2;
  const double top = h * 0.16;
  cairo_move_to(cr, cx - 36, top);
  cairo_line_to(cr, cx + 36, top);
  cairo_curve_to(cr, cx + 36, top + 55, cx + 14, top + 70, cx + 8, top + 74);
  cairo_line_to(cr, cx + 8, top + 92);
  cairo_line_to(cr, cx + 22, top + 102);
  cairo_line_to(cr, cx - 22, top + 102);
  cairo_line_to(cr, cx - 8, top + 92);
  cairo_line_to(cr, cx - 8, top + 74);
  cairo_curve_to(cr, cx - 14, top + 70, cx - 36, top + 55, cx - 36, top);
  cairo_close_path(cr);
  fSetGoldSource(cr, top, top + 102);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.5);
  cairo_set_source_rgb(cr, 0.35, 0.18, 0.02);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 6);
  for (int side = -1; side <= 1; side += 2) {
    cairo_arc(cr, cx + side * 38, top + 22, 13, side < 0 ? M_PI * 0.5 : -M_PI * 0.5,
              side < 0 ? M_PI * 1.5 : M_PI * 0.5);
    fSetGoldSource(cr, top, top + 40);
    cairo_stroke(cr);
  }
  for (int i = 0; i < level; ++i) {
    fStarPath(cr, cx + (i - (level - 1) / 2.0) * 20, top + 28, 9, 4);
    fSetColor(cr, kLacquer);
    cairo_fill(cr);
  }
}

void fMedallion(cairo_t* cr, double w, double h, const std::string& label, QS_RGB centre) {
  const double cx = w / 2;
  const double cy = h * 0.44;
  // Ribbon.
  cairo_move_to(cr, cx - 24, h * 0.04);
  cairo_line_to(cr, cx, cy - 20);
  cairo_line_to(cr, cx + 24, h * 0.04);
  cairo_set_line_width(cr, 14);
  fSetColor(cr, kLacquer);
  cairo_stroke(cr);
  cairo_arc(cr, cx, cy, 44, 0, 2 * M_PI);
  fSetGoldSource(cr, cy - 44, cy + 44);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, 36, 0, 2 * M_PI);
  cairo_pattern_t* pat = cairo_pattern_create_radial(cx - 10, cy - 12, 4, cx, cy, 36);
  const QS_RGB light = fShade(centre, 0.35);
  const QS_RGB dark = fShade(centre, -0.45);
  cairo_pattern_add_color_stop_rgb(pat, 0, light.r, light.g, light.b);
  cairo_pattern_add_color_stop_rgb(pat, 1, dark.r, dark.g, dark.b);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
  fDrawText(cr, label, cx, cy, fGoldTitle(label.size() > 2 ? 22 : 30), TEXT_ALIGN::CENTER, 60);
}

void fScroll(cairo_t* cr, double w, double h, int pack) {
  const double x = w * 0.14;
  const double y = h * 0.1;
  const double sw = w * 0.72;
  const double sh = h * 0.62;
  cairo_save(cr);
  fRoundRect(cr, x, y, sw, sh, 4);
  cairo_clip(cr);
  cairo_translate(cr, x, y);
  fPaintScene(cr, pack, sw, sh, 7, 0.5);
  cairo_restore(cr);
  fGoldFrame(cr, x, y, sw, sh, 4, 2.5);
  for (double yy : {y - 4, y + sh - 4}) {
    fRoundRect(cr, x - 8, yy, sw + 16, 8, 4);
    fSetColor(cr, fHex(0x5A2A12));
    cairo_fill(cr);
  }
}

void fTileStack(cairo_t* cr, double w, double h, int count) {
  for (int i = 0; i < count + 2; ++i) {
    const double x = w * 0.24 + (i % 3) * 24 + (i / 3) * 5;
    const double y = h * 0.5 - (i / 3) * 30 + (i % 3) * 4;
    fRoundRect(cr, x, y, 30, 40, 5);
    fSetColor(cr, fHex(0x2F8F6C));
    cairo_fill(cr);
    fRoundRect(cr, x + 3, y - 3, 30, 40, 5);
    fSetColor(cr, kIvory);
    cairo_fill(cr);
    cairo_arc(cr, x + 18, y + 17, 7, 0, 2 * M_PI);
    fSetColor(cr, i % 2 == 0 ? fHex(0xC0262B) : fHex(0x1D4C9C));
    cairo_fill(cr);
  }
}

void fPaintTrophy(cairo_t* cr, double w, double h, int id) {
  fGlow(cr, w / 2, h * 0.45, w * 0.5, h * 0.45, kGoldLight, 0.25);
  if (id <= 3) {
    fCup(cr, w, h, id);
  } else if (id <= 8) {
    fMedallion(cr, w, h, std::to_string(id - 2), fTheme(id - 2).accent);
  } else if (id <= 14) {
    fScroll(cr, w, h, id - 8);
  } else if (id <= 17) {
    fTileStack(cr, w, h, id - 14);
  } else if (id <= 20) {
    fMedallion(cr, w, h, "", kJade);
    fDrawIcon(cr, ICON::SHUFFLE, w / 2, h * 0.44, 44, kGoldLight);
    for (int i = 0; i < id - 17; ++i) {
      fStarPath(cr, w / 2 + (i - (id - 18) / 2.0) * 18, h * 0.74, 7, 3);
      fSetGoldSource(cr, h * 0.7, h * 0.78);
      cairo_fill(cr);
    }
  } else if (id <= 23) {
    static const char* const kLabels[3] = {"x5", "x10", "x15"};
    fMedallion(cr, w, h, kLabels[id - 21], fHex(0x7A2A8A));
  } else {
    // Star crowns: one, two or three rows of stars.
    const int rows = id - 23;
    for (int r = 0; r < rows; ++r) {
      for (int i = 0; i < 3; ++i) {
        const double x = w / 2 + (i - 1) * 34;
        const double y = h * 0.58 - r * 32 - (i == 1 ? 8 : 0);
        fGlow(cr, x, y, 22, 22, kGoldLight, 0.4);
        fStarPath(cr, x, y, 17, 7.5);
        fSetGoldSource(cr, y - 17, y + 17);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 1.2);
        cairo_set_source_rgb(cr, 0.35, 0.18, 0.02);
        cairo_stroke(cr);
      }
    }
  }
  fPedestal(cr, w, h);
}

void fPaintConcealed(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double w = c.fWidth();
  const double h = c.fHeight();
  cairo_arc(cr, w / 2, h * 0.44, 44, 0, 2 * M_PI);
  cairo_set_source_rgba(cr, 0.25, 0.25, 0.27, 0.85);
  cairo_fill(cr);
  cairo_arc(cr, w / 2, h * 0.44, 44, 0, 2 * M_PI);
  cairo_set_line_width(cr, 3);
  cairo_set_source_rgba(cr, 0.55, 0.5, 0.4, 0.8);
  cairo_stroke(cr);
  QS_TEXT_STYLE style = fIvoryLabel(46);
  style.font = ART_FONT::SERIF_BOLD;
  style.fill = fHex(0xA8A090);
  fDrawText(cr, "?", w / 2, h * 0.44, style);
  fPedestal(cr, w, h);
}

// Keeps a trophy's drawing within its ink width around the middle: the game prints the texts of
// the trophy to its left right beside this width.
PAINTER fWithinInk(const PAINTER& painter) {
  return [painter](QC_CANVAS& c, const QS_DATA_ITEM& item) {
    const double half = ART_PLACES::kTrophyInkHalfWidth;
    cairo_save(c.cr());
    cairo_rectangle(c.cr(), c.fWidth() / 2.0 - half, 0, 2 * half, c.fHeight());
    cairo_clip(c.cr());
    painter(c, item);
    cairo_restore(c.cr());
  };
}

}  // namespace

void fAddTrophyPainters(PAINTER_TABLE& table) {
  for (int id = 1; id <= kTrophyCount; ++id) {
    table[fTrophyPicture(id)] = fWithinInk([id](QC_CANVAS& c, const QS_DATA_ITEM&) {
      fPaintTrophy(c.cr(), c.fWidth(), c.fHeight(), id);
    });
  }
  table["concealed.png"] = fWithinInk(fPaintConcealed);
}

}  // namespace QOR::ART
