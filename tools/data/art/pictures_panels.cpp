// Panels, plates, veils, glows and the small single pictures of the menus: message box, title and
// players panels, the left panel's parts, pack and level decorations, the options, credits and
// help backs, icons, the cursor, the shelf and the slider.
#include "tools/data/art/art_jobs.h"
#include "tools/data/art/art_places.h"
#include "tools/data/art/art_style.h"

#include <algorithm>
#include <cmath>

namespace QOR::ART {

using namespace PALETTE;

namespace {

PAINTER fLacquer(double radius, double border = ART_PLACES::kLacquerBorder) {
  return [=](QC_CANVAS& c, const QS_DATA_ITEM&) {
    fLacquerPanel(c.cr(), 2, 2, c.fWidth() - 4, c.fHeight() - 4, radius, border);
  };
}

// A lacquer panel with a title band near its top, where the game prints the panel's title.
PAINTER fTitledPanel(const ART_PLACES::QS_TITLED_PANEL& titled) {
  return [=](QC_CANVAS& c, const QS_DATA_ITEM&) {
    cairo_t* cr = c.cr();
    const double w = c.fWidth();
    const double h = c.fHeight();
    const ART_PLACES::QS_AREA& band = titled.band;
    fGlow(cr, w / 2, h / 2, w * 0.52, h * 0.52, QS_RGB{0, 0, 0}, 0.55);
    fLacquerPanel(cr, 8, 8, w - 16, h - 16, 22, ART_PLACES::kLacquerBorder);
    fJadePanel(cr, band.x, band.y, band.w, band.h, std::min(band.h / 2, 27.0), 2.5);
    for (int side = -1; side <= 1; side += 2) {
      fCloud(cr, w / 2 + side * (band.w / 2 + 38), band.y + band.h / 2, 46, kGold, 0.5, 2.5);
    }
  };
}

// A lacquer panel without a band, its gold frame set off by clouds in the corners, where the
// game's lines may stand anywhere inside.
PAINTER fFramedPanel() {
  return [](QC_CANVAS& c, const QS_DATA_ITEM&) {
    cairo_t* cr = c.cr();
    const double w = c.fWidth();
    const double h = c.fHeight();
    fGlow(cr, w / 2, h / 2, w * 0.52, h * 0.52, QS_RGB{0, 0, 0}, 0.55);
    fLacquerPanel(cr, 8, 8, w - 16, h - 16, 22, ART_PLACES::kLacquerBorder);
    for (int corner = 0; corner < 4; ++corner) {
      fCloud(cr, corner % 2 == 0 ? 40 : w - 40, corner < 2 ? 34 : h - 34, 40, kGold, 0.45, 2.2);
    }
  };
}

PAINTER fIvory(double radius) {
  return [=](QC_CANVAS& c, const QS_DATA_ITEM&) {
    fIvoryPlate(c.cr(), 2, 2, c.fWidth() - 4, c.fHeight() - 4, radius);
  };
}

PAINTER fGlowPicture(QS_RGB color, double alpha) {
  return [=](QC_CANVAS& c, const QS_DATA_ITEM&) {
    fGlow(c.cr(), c.fWidth() / 2.0, c.fHeight() / 2.0, c.fWidth() / 2.0, c.fHeight() / 2.0, color, alpha);
  };
}

// A glowing rounded ring just outside a w x h button, for highlights.
PAINTER fRingGlow(double inset) {
  return [=](QC_CANVAS& c, const QS_DATA_ITEM&) {
    cairo_t* cr = c.cr();
    const double w = c.fWidth();
    const double h = c.fHeight();
    for (int i = 0; i < 10; ++i) {
      fRoundRect(cr, inset - i * 1.6, inset - i * 1.6, w - 2 * (inset - i * 1.6), h - 2 * (inset - i * 1.6), 14 + i);
      cairo_set_line_width(cr, 2.2);
      fSetColor(cr, kGoldLight, 0.38 * (1.0 - i / 10.0));
      cairo_stroke(cr);
    }
  };
}

PAINTER fIconPicture(ICON icon, QS_RGB color) {
  return [=](QC_CANVAS& c, const QS_DATA_ITEM&) {
    const double s = std::min(c.fWidth(), c.fHeight()) * 0.86;
    fDrawIcon(c.cr(), icon, c.fWidth() / 2.0 + 1.2, c.fHeight() / 2.0 + 1.2, s, fHex(0x140804));
    fDrawIcon(c.cr(), icon, c.fWidth() / 2.0, c.fHeight() / 2.0, s, color);
  };
}

void fPaintDarkBack(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double w = c.fWidth();
  const double h = c.fHeight();
  cairo_pattern_t* pat = cairo_pattern_create_radial(w / 2, h / 2, h * 0.2, w / 2, h / 2, w * 0.7);
  cairo_pattern_add_color_stop_rgba(pat, 0, 0.0, 0.03, 0.02, 0.45);
  cairo_pattern_add_color_stop_rgba(pat, 1, 0.0, 0.02, 0.02, 0.72);
  cairo_set_source(cr, pat);
  cairo_paint(cr);
  cairo_pattern_destroy(pat);
}

void fPaintBlack(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_set_source_rgb(c.cr(), 0, 0, 0);
  cairo_paint(c.cr());
}

// A tileable lacquer lattice for the full-screen border bars.
void fPaintPazz(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double s = c.fWidth();
  cairo_set_source_rgb(cr, 0.20, 0.04, 0.03);
  cairo_paint(cr);
  cairo_set_line_width(cr, 3);
  fSetColor(cr, kGoldDark, 0.8);
  for (double o : {0.0, s / 2}) {
    cairo_rectangle(cr, o + s * 0.12, o + s * 0.12, s * 0.26, s * 0.26);
    cairo_rectangle(cr, o + s * 0.12 - s / 2, o + s * 0.12 + (o > 0 ? -s : 0), s * 0.26, s * 0.26);
  }
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1.5);
  for (int i = 0; i <= 4; ++i) {
    cairo_move_to(cr, i * s / 4, 0);
    cairo_line_to(cr, i * s / 4, s);
    cairo_move_to(cr, 0, i * s / 4);
    cairo_line_to(cr, s, i * s / 4);
  }
  fSetColor(cr, kGold, 0.25);
  cairo_stroke(cr);
}

void fPaintStripe(QC_CANVAS& c, const QS_DATA_ITEM&) {
  fSetGoldSource(c.cr(), 0, c.fHeight());
  cairo_paint(c.cr());
}

void fPaintCursor(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  cairo_move_to(cr, 1, 1);
  cairo_line_to(cr, 1, 24);
  cairo_line_to(cr, 7, 18);
  cairo_line_to(cr, 12, 29);
  cairo_line_to(cr, 16, 27);
  cairo_line_to(cr, 11, 17);
  cairo_line_to(cr, 19, 17);
  cairo_close_path(cr);
  fSetGoldSource(cr, 0, 30);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.5);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_source_rgb(cr, 0.15, 0.05, 0.02);
  cairo_stroke(cr);
}

// The tutorial's arrow: its tip at the picture's top-left corner (its anchor), pointing there.
void fPaintTutorialArrow(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double s = c.fWidth();
  cairo_move_to(cr, 2, 2);
  cairo_line_to(cr, s * 0.55, s * 0.14);
  cairo_line_to(cr, s * 0.38, s * 0.31);
  cairo_line_to(cr, s * 0.92, s * 0.85);
  cairo_line_to(cr, s * 0.85, s * 0.92);
  cairo_line_to(cr, s * 0.31, s * 0.38);
  cairo_line_to(cr, s * 0.14, s * 0.55);
  cairo_close_path(cr);
  fSetGoldSource(cr, 0, s);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 3);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_source_rgb(cr, 0.25, 0.05, 0.02);
  cairo_stroke(cr);
}

void fPaintShelf(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double w = c.fWidth();
  const double h = c.fHeight();
  fRoundRect(cr, 0, ART_PLACES::kShelfRim.y, w, h - ART_PLACES::kShelfRim.y - 4, 4);
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, ART_PLACES::kShelfRim.y, 0, h - 4);
  cairo_pattern_add_color_stop_rgb(pat, 0, 0.50, 0.14, 0.08);
  cairo_pattern_add_color_stop_rgb(pat, 0.3, 0.36, 0.08, 0.05);
  cairo_pattern_add_color_stop_rgb(pat, 1, 0.16, 0.03, 0.02);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
  constexpr ART_PLACES::QS_AREA rim = ART_PLACES::kShelfRim;
  cairo_rectangle(cr, 0, rim.y, w, rim.h);
  fSetGoldSource(cr, rim.y, rim.y + rim.h);
  cairo_fill(cr);
  cairo_rectangle(cr, 0, h - 8, w, 3);
  fSetColor(cr, kGoldDark);
  cairo_fill(cr);
  for (double x = 60; x < w; x += 220) {
    fCloud(cr, x, h / 2 + 4, 40, kGold, 0.35, 2);
  }
}

void fPaintStars(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double s = c.fHeight();
  for (int frame = 0; frame < 2; ++frame) {
    const double cx = frame * s + s / 2;
    fStarPath(cr, cx, s / 2 + 1, s * 0.46, s * 0.2);
    if (frame == 0) {
      fGlow(cr, cx, s / 2, s * 0.5, s * 0.5, kGoldLight, 0.5);
      fStarPath(cr, cx, s / 2 + 1, s * 0.46, s * 0.2);
      fSetGoldSource(cr, 0, s);
      cairo_fill_preserve(cr);
      cairo_set_line_width(cr, 1.5);
      cairo_set_source_rgb(cr, 0.35, 0.18, 0.02);
      cairo_stroke(cr);
    } else {
      cairo_set_source_rgba(cr, 0.15, 0.13, 0.12, 0.75);
      cairo_fill_preserve(cr);
      cairo_set_line_width(cr, 1.5);
      fSetColor(cr, kGoldDark, 0.9);
      cairo_stroke(cr);
    }
  }
}

void fPaintLock(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double w = c.fWidth();
  const double h = c.fHeight();
  cairo_set_line_width(cr, w * 0.13);
  cairo_arc(cr, w / 2, h * 0.38, w * 0.27, M_PI, 2 * M_PI);
  cairo_line_to(cr, w / 2 + w * 0.27, h * 0.5);
  cairo_move_to(cr, w / 2 - w * 0.27, h * 0.5);
  cairo_line_to(cr, w / 2 - w * 0.27, h * 0.38);
  fSetColor(cr, fHex(0x8E8A80));
  cairo_stroke(cr);
  fRoundRect(cr, w * 0.1, h * 0.45, w * 0.8, h * 0.5, 8);
  fSetGoldSource(cr, h * 0.45, h * 0.95);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 2);
  cairo_set_source_rgb(cr, 0.3, 0.15, 0.02);
  cairo_stroke(cr);
  cairo_arc(cr, w / 2, h * 0.64, w * 0.08, 0, 2 * M_PI);
  cairo_move_to(cr, w / 2 - w * 0.04, h * 0.66);
  cairo_line_to(cr, w / 2 + w * 0.04, h * 0.66);
  cairo_line_to(cr, w / 2 + w * 0.05, h * 0.82);
  cairo_line_to(cr, w / 2 - w * 0.05, h * 0.82);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 0.2, 0.08, 0.02);
  cairo_fill(cr);
}

void fPaintBurst(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double w = c.fWidth();
  const double h = c.fHeight();
  fGlow(cr, w / 2, h / 2, w / 2, h / 2, kGoldLight, 0.9);
  for (int i = 0; i < 16; ++i) {
    cairo_save(cr);
    cairo_translate(cr, w / 2, h / 2);
    cairo_rotate(cr, i * M_PI / 8);
    cairo_move_to(cr, 0, -4);
    cairo_line_to(cr, w * (i % 2 == 0 ? 0.48 : 0.34), 0);
    cairo_line_to(cr, 0, 4);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 1, 0.95, 0.75, 0.7);
    cairo_fill(cr);
  }
}

// The rank plate of a locked pack: frame 0 when the rank is not reached (a lock), frame 1 reached
// (the experience mark). The rank's title is printed on the plain ivory of either.
void fPaintRankPlate(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double w = c.fWidth() / 2.0;
  const double h = c.fHeight();
  for (int frame = 0; frame < 2; ++frame) {
    cairo_save(cr);
    cairo_translate(cr, frame * w, 0);
    fIvoryPlate(cr, 2, 2, w - 4, h - 4, 10);
    const double room = ART_PLACES::kRankPlateText.x;  // left of the rank's title
    fDrawIcon(cr, frame == 0 ? ICON::LOCK : ICON::XP, room / 2 + 1, h / 2, std::min(h * 0.42, room - 8),
              frame == 0 ? kLacquer : kJade);
    cairo_restore(cr);
  }
}

void fPaintExperienceBack(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double w = c.fWidth();
  const double h = c.fHeight();
  fIvoryPlate(cr, 2, 2, w - 4, h - 4, 12);
  // The track of the experience bar, under the bar the game draws 22 pixels below the centre.
  const ART_PLACES::QS_AREA& track = ART_PLACES::kExperienceTrack;
  fRoundRect(cr, track.x, track.y, track.w, track.h, track.h / 2 - 1);
  fSetColor(cr, fHex(0x5A4A36), 0.55);
  cairo_fill(cr);
}

void fPaintExperienceBar(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double w = c.fWidth();
  const double h = c.fHeight();
  cairo_rectangle(cr, 0, 0, w, h);
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, 0, 0, h);
  cairo_pattern_add_color_stop_rgb(pat, 0, 0.78, 0.95, 0.84);
  cairo_pattern_add_color_stop_rgb(pat, 0.5, 0.50, 0.84, 0.66);
  cairo_pattern_add_color_stop_rgb(pat, 1, 0.36, 0.70, 0.52);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
}

void fPaintMoneyBack(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double h = c.fHeight();
  fIvoryPlate(cr, 2, 2, c.fWidth() - 4, h - 4, 12);
  fDrawIcon(cr, ICON::MONEY, ART_PLACES::kMoneyCoinX, h / 2, h * 0.55, kGold);
}

void fPaintSelectBar(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double w = c.fWidth();
  const double h = c.fHeight();
  fRoundRect(cr, 1, 1, w - 2, h - 2, h / 2);
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, 0, w, 0);
  cairo_pattern_add_color_stop_rgba(pat, 0, 0.2, 0.6, 0.45, 0.0);
  cairo_pattern_add_color_stop_rgba(pat, 0.2, 0.2, 0.6, 0.45, 0.55);
  cairo_pattern_add_color_stop_rgba(pat, 0.8, 0.2, 0.6, 0.45, 0.55);
  cairo_pattern_add_color_stop_rgba(pat, 1, 0.2, 0.6, 0.45, 0.0);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
  for (double y : {2.0, h - 2.0}) {
    cairo_move_to(cr, w * 0.08, y);
    cairo_line_to(cr, w * 0.92, y);
  }
  cairo_set_line_width(cr, 1.5);
  fSetColor(cr, kGoldLight, 0.8);
  cairo_stroke(cr);
}

void fPaintLeftColumn(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double w = c.fWidth();
  const double h = c.fHeight();
  fLacquerPanel(cr, -20, -10, w + 16, h + 20, 18, 4);
}

void fPaintUpLayer(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double w = c.fWidth();
  const double h = c.fHeight();
  fGoldFrame(cr, 4, 4, w - 8, h - 8, 14, 3);
  for (int corner = 0; corner < 4; ++corner) {
    fCloud(cr, corner % 2 == 0 ? 22 : w - 22, corner < 2 ? 14 : h - 14, 26, kGold, 0.9, 2.2);
  }
}

void fPaintSlider(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double w = c.fWidth() / 2.0;
  const double h = c.fHeight();
  // Left half: the empty track; right half: the full one.
  fRoundRect(cr, 1, 2, w - 2, h - 4, (h - 4) / 2);
  fSetColor(cr, fHex(0x140806), 0.9);
  cairo_fill(cr);
  fGoldFrame(cr, 1, 2, w - 2, h - 4, (h - 4) / 2, 1.5);
  fRoundRect(cr, w + 1, 2, w - 2, h - 4, (h - 4) / 2);
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, 2, 0, h - 2);
  cairo_pattern_add_color_stop_rgb(pat, 0, 0.6, 0.9, 0.72);
  cairo_pattern_add_color_stop_rgb(pat, 1, 0.12, 0.45, 0.32);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
  fGoldFrame(cr, w + 1, 2, w - 2, h - 4, (h - 4) / 2, 1.5);
}

void fPaintKnob(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double w = c.fWidth();
  const double h = c.fHeight();
  fRoundRect(cr, 2, 2, w - 4, h - 4, 6);
  fSetGoldSource(cr, 0, h);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.5);
  cairo_set_source_rgb(cr, 0.3, 0.12, 0.02);
  cairo_stroke(cr);
  for (int i = -1; i <= 1; ++i) {
    cairo_move_to(cr, w / 2 + i * 4, h * 0.3);
    cairo_line_to(cr, w / 2 + i * 4, h * 0.7);
  }
  cairo_set_line_width(cr, 1.2);
  cairo_set_source_rgba(cr, 0.3, 0.12, 0.02, 0.8);
  cairo_stroke(cr);
}

}  // namespace

void fAddPanelPainters(PAINTER_TABLE& table) {
  table["Dark_back.png"] = fPaintDarkBack;
  table["black_mask.png"] = fPaintBlack;
  table["pazz.png"] = fPaintPazz;
  table["golden_stripe.png"] = fPaintStripe;
  table["Cursor.png"] = fPaintCursor;
  table["Message_back.png"] = fLacquer(24);
  table["arrow_tutorial.png"] = fPaintTutorialArrow;
  table["TitleScreenButtun_back.png"] = fLacquer(30);
  table["ChangePlayerScreenTitle_back.png"] = fTitledPanel(ART_PLACES::kPlayersPanel);
  table["ChangePlayerScreenTitle_select.png"] = fPaintSelectBar;
  table["PackName_button.png"] = fIvory(12);
  table["MainMenu_back.png"] = fPaintLeftColumn;
  table["MainMenu_ButtonBack.png"] = [](QC_CANVAS& c, const QS_DATA_ITEM&) {
    fJadePanel(c.cr(), 4, 4, c.fWidth() - 8, c.fHeight() - 8, 14, 0);
  };
  table["MainMenu_UpLayer.png"] = fPaintUpLayer;
  table["Experience_back.png"] = fPaintExperienceBack;
  table["Experience_color.png"] = fPaintExperienceBar;
  table["Money_back.png"] = fPaintMoneyBack;
  table["Glow.png"] = fGlowPicture(kGoldLight, 0.55);
  table["Lock.png"] = fPaintLock;
  table["Lock_flash.png"] = fPaintBurst;
  table["pcbtn_flash.png"] = fRingGlow(16);
  table["Exp_back.png"] = fPaintRankPlate;
  table["star_active_passive.png"] = fPaintStars;
  table["Pack_button_glow.png"] = fRingGlow(20);
  table["Levels_button_glow.png"] = fRingGlow(18);
  table["flash.png"] = fGlowPicture(fHex(0xFFF4D0), 0.95);
  table["shelf.png"] = fPaintShelf;
  table["FinishPanel_back.png"] = fFramedPanel();
  table["Time_icon.png"] = fIconPicture(ICON::TIME, kGoldLight);
  table["Step_icon.png"] = fIconPicture(ICON::STEPS, kGoldLight);
  table["Special_icon.png"] = fIconPicture(ICON::SPECIAL, kGoldLight);
  table["Money_icon.png"] = fIconPicture(ICON::MONEY, kGold);
  table["OptionsPanel_back.png"] = fTitledPanel(ART_PLACES::kOptionsPanel);
  table["Credits_back.png"] = fFramedPanel();
  table["sound_slider.png"] = fPaintSlider;
  table["Runner_button.png"] = fPaintKnob;
  table["Menu_back.png"] = fLacquer(16, 3);
}

}  // namespace QOR::ART
