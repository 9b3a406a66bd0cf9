// The in-game panel: the top bar halves, the value plates, the multiplier digits and rings, the
// bonus ring and flash, the corner pieces and slot marks, the slot icons.
#include "tools/data/art/art_jobs.h"
#include "tools/data/art/art_places.h"
#include "tools/data/art/art_style.h"

#include <cmath>
#include <string>

namespace QOR::ART {

using namespace PALETTE;

namespace {

// One half of the top bar: a lacquer band whose inner end curls away (mirrored for the right).
PAINTER fTopBar(bool right) {
  return [right](QC_CANVAS& c, const QS_DATA_ITEM&) {
    cairo_t* cr = c.cr();
    const double w = c.fWidth();
    const double h = c.fHeight();
    cairo_save(cr);
    if (right) {
      cairo_translate(cr, w, 0);
      cairo_scale(cr, -1, 1);
    }
    fLacquerPanel(cr, -30, -20, w + 10, h + 16, 22, 3);
    fCloud(cr, w - 40, h / 2, 40, kGold, 0.55, 2.2);
    cairo_restore(cr);
  };
}

// A value plate: ivory with the value's icon in a disc in the room left of the value.
PAINTER fValuePlate(ICON icon) {
  return [icon](QC_CANVAS& c, const QS_DATA_ITEM&) {
    cairo_t* cr = c.cr();
    const double h = c.fHeight();
    const double room = ART_PLACES::kValueText.x;
    fIvoryPlate(cr, 2, 2, c.fWidth() - 4, h - 4, h / 2 - 2);
    cairo_arc(cr, room / 2 + 3, h / 2, room / 2 - 4, 0, 2 * M_PI);
    fSetColor(cr, kLacquer);
    cairo_fill(cr);
    fDrawIcon(cr, icon, room / 2 + 3, h / 2, room - 16, kGoldLight);
  };
}

// The multiplier digits: cell n - 1 shows "xn".
PAINTER fMultiplierDigits(bool highlighted) {
  return [highlighted](QC_CANVAS& c, const QS_DATA_ITEM& item) {
    cairo_t* cr = c.cr();
    const double cw = c.fWidth() / static_cast<double>(item.frames);
    const double h = c.fHeight();
    for (int n = 1; n <= item.frames; ++n) {
      QS_TEXT_STYLE style = highlighted ? fGoldTitle(h * 0.72) : fIvoryLabel(h * 0.66);
      if (highlighted) style.outlineColor = fHex(0x0B3A20);
      style.font = ART_FONT::SANS_CONDENSED_BOLD;
      fDrawText(cr, "x" + std::to_string(n), (n - 0.5) * cw, h / 2, style, TEXT_ALIGN::CENTER, cw - 2);
    }
  };
}

// A 5 x 7 sheet of 33 ring frames: frame k shows k / 32 of the ring filled, from the top
// clockwise. The middle stays clear for what the game draws there.
PAINTER fRingSheet(QS_RGB fill, double thickness, bool darkCentre) {
  return [=](QC_CANVAS& c, const QS_DATA_ITEM& item) {
    cairo_t* cr = c.cr();
    const double cell = c.fWidth() / 5.0;
    for (int k = 0; k < item.frames; ++k) {
      cairo_save(cr);
      cairo_translate(cr, (k % 5) * cell + cell / 2, (k / 5) * cell + cell / 2);
      const double r = cell / 2 - thickness / 2 - 1.5;
      if (darkCentre) {
        cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0.12, 0.03, 0.02, 0.85);
        cairo_fill(cr);
      }
      cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
      cairo_set_line_width(cr, thickness + 2.5);
      cairo_set_source_rgba(cr, 0.08, 0.03, 0.02, 0.9);
      cairo_stroke(cr);
      const double fraction = k / 32.0;
      if (fraction > 0.0) {
        cairo_arc(cr, 0, 0, r, -M_PI / 2, -M_PI / 2 + fraction * 2 * M_PI);
        cairo_set_line_width(cr, thickness);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        fSetColor(cr, fill);
        cairo_stroke(cr);
      }
      cairo_arc(cr, 0, 0, r + thickness / 2 + 0.5, 0, 2 * M_PI);
      cairo_set_line_width(cr, 1.2);
      fSetColor(cr, kGold, 0.9);
      cairo_stroke(cr);
      cairo_restore(cr);
    }
  };
}

void fPaintFullBonus(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double s = c.fWidth();
  for (int i = 0; i < 8; ++i) {
    cairo_arc(cr, s / 2, s / 2, s * 0.36 + i * 1.2, 0, 2 * M_PI);
    cairo_set_line_width(cr, 2.2);
    fSetColor(cr, kGoldLight, 0.75 * (1.0 - i / 8.0));
    cairo_stroke(cr);
  }
}

// The corner piece under a slot; the game anchors it at its bottom-left, 150 px below the
// screen, so its top half shows, with the slot 80 px below its top and 60 px from its left.
void fPaintSlotsBack(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double w = c.fWidth();
  const double h = c.fHeight();
  cairo_move_to(cr, -10, 8);
  cairo_line_to(cr, w - 40, 8);
  cairo_curve_to(cr, w - 10, 8, w - 4, 30, w - 4, 60);
  cairo_line_to(cr, w - 4, h + 10);
  cairo_line_to(cr, -10, h + 10);
  cairo_close_path(cr);
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, 0, 0, 160);
  cairo_pattern_add_color_stop_rgb(pat, 0, 0.34, 0.08, 0.05);
  cairo_pattern_add_color_stop_rgb(pat, 1, 0.16, 0.03, 0.02);
  cairo_set_source(cr, pat);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(pat);
  cairo_set_line_width(cr, 3);
  fSetGoldSource(cr, 0, 160);
  cairo_stroke(cr);
  fCloud(cr, 60, 40, 36, kGold, 0.35, 2);
}

void fPaintSlotMark(QC_CANVAS& c, const QS_DATA_ITEM&) {
  cairo_t* cr = c.cr();
  const double s = c.fWidth();
  cairo_arc(cr, s / 2, s / 2, s / 2 - 2, 0, 2 * M_PI);
  cairo_set_source_rgba(cr, 0.05, 0.02, 0.01, 0.8);
  cairo_fill(cr);
  cairo_arc(cr, s / 2, s / 2, s / 2 - 3, 0, 2 * M_PI);
  cairo_set_line_width(cr, 2.5);
  fSetGoldSource(cr, 0, s);
  cairo_stroke(cr);
}

PAINTER fSlotIcon(ICON icon, QS_RGB color) {
  return [=](QC_CANVAS& c, const QS_DATA_ITEM&) {
    const double s = c.fWidth();
    fDrawIcon(c.cr(), icon, s / 2 + 1.5, s / 2 + 1.5, s * 0.8, fHex(0x0A0503));
    fDrawIcon(c.cr(), icon, s / 2, s / 2, s * 0.8, color);
  };
}

}  // namespace

void fAddHudPainters(PAINTER_TABLE& table) {
  table["Left_back.png"] = fTopBar(false);
  table["Right_back.png"] = fTopBar(true);
  table["Special_back.png"] = fValuePlate(ICON::SPECIAL);
  table["Step_back.png"] = fValuePlate(ICON::STEPS);
  table["Time_back.png"] = fValuePlate(ICON::TIME);
  table["Money.png"] = fValuePlate(ICON::MONEY);
  table["Multiplier_numbers.png"] = fMultiplierDigits(false);
  table["Multiplier_numbers_select.png"] = fMultiplierDigits(true);
  table["mult_back.png"] = fRingSheet(kJadeLight, 6, true);
  table["Bonus_progres.png"] = fRingSheet(kGoldLight, 4, false);
  table["Multiplier_green.png"] = [](QC_CANVAS& c, const QS_DATA_ITEM&) {
    fGlow(c.cr(), c.fWidth() / 2.0, c.fHeight() / 2.0, c.fWidth() / 2.0, c.fHeight() / 2.0, fHex(0x4CF08A), 0.9);
  };
  table["full_bonus_pbar.png"] = fPaintFullBonus;
  table["Slots_back.png"] = fPaintSlotsBack;
  table["Bonus_Slot1.png"] = fPaintSlotMark;
  table["Skill_Slot1.png"] = fPaintSlotMark;
  table["Skill3_s.png"] = fSlotIcon(ICON::EYE, kJadeLight);
  table["Bonus1_2s.png"] = fSlotIcon(ICON::SHUFFLE, kGoldLight);
}

}  // namespace QOR::ART
