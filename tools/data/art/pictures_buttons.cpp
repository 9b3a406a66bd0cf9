// The five-cell button and check-box strips of the screens (normal, over, pressed, selected or
// checked, inactive). Buttons whose caption the game prints itself carry none; the others carry
// their word or a clear icon.
#include "tools/data/art/art_jobs.h"
#include "tools/data/art/art_places.h"
#include "tools/data/art/art_style.h"

#include <algorithm>
#include <cmath>

namespace QOR::ART {

using namespace PALETTE;

namespace {

PAINTER fStrip(CELL_PAINTER painter) {
  return [painter](QC_CANVAS& canvas, const QS_DATA_ITEM& item) {
    fPaintStrip(canvas, item.frames, painter);
  };
}

// A round button: rim, inner disc, and a caption word or an icon.
PAINTER fRound(QS_RGB inner, const std::string& word, ICON icon, bool useIcon, double textScale = 0.3) {
  return fStrip([=](cairo_t* cr, double w, double h, int state) {
    const double r = std::min(w, h) / 2 - 2;
    fRoundButtonFace(cr, w / 2, h / 2, r, inner, state);
    if (useIcon) {
      fDrawIcon(cr, icon, w / 2 + 1, h / 2 + 1, r * 1.0, fHex(0x1A0B05));
      fDrawIcon(cr, icon, w / 2, h / 2, r * 1.0, kGoldLight);
    } else {
      QS_TEXT_STYLE style = fGoldTitle(r * 2 * textScale);
      style.font = ART_FONT::SANS_BOLD;
      fDrawText(cr, word, w / 2, h / 2, style, TEXT_ALIGN::CENTER, r * 1.5);
    }
  });
}

// A flat button with an optional word and an optional icon at its left, in the middle of the
// room left of iconRoom (the game's caption stands right of it).
PAINTER fFlat(QS_RGB inner, const std::string& word, double textSize, bool withIcon, ICON icon,
              double iconRoom = 0.0) {
  return fStrip([=](cairo_t* cr, double w, double h, int state) {
    fFlatButtonFace(cr, 1, 1, w - 2, h - 2, inner, state);
    double textX = w / 2;
    if (withIcon) {
      const double s = h * 0.55;
      fDrawIcon(cr, icon, iconRoom / 2 + 1, h / 2 + 1, s, fHex(0x1A0B05));
      fDrawIcon(cr, icon, iconRoom / 2, h / 2, s, kGoldLight);
      textX = (iconRoom + w) / 2;
    }
    if (!word.empty()) {
      QS_TEXT_STYLE style = fIvoryLabel(textSize);
      style.font = ART_FONT::SANS_CONDENSED_BOLD;
      fDrawText(cr, word, textX, h / 2, style, TEXT_ALIGN::CENTER, w - 10);
    }
  });
}

// An ornate frame with an open middle, drawn over a picture (packs and levels). Locked, a dark veil
// covers the picture and a padlock fills lock (an area of the cell); a lock of no size draws none.
PAINTER fPictureFrame(double border, ART_PLACES::QS_AREA lock) {
  return fStrip([=](cairo_t* cr, double w, double h, int state) {
    if (state == 4) {
      fRoundRect(cr, border, border, w - 2 * border, h - 2 * border, 6);
      cairo_set_source_rgba(cr, 0.02, 0.02, 0.03, 0.62);
      cairo_fill(cr);
      const double size = std::min(lock.w, lock.h);
      if (size > 0.0) {
        fDrawIcon(cr, ICON::LOCK, lock.x + lock.w / 2, lock.y + lock.h / 2, size, fShade(kGold, -0.2));
      }
    }
    if (state == 1 || state == 2) {
      // Light falling in from the frame.
      cairo_pattern_t* pat = cairo_pattern_create_linear(0, 0, 0, h);
      cairo_pattern_add_color_stop_rgba(pat, 0, 1, 0.95, 0.8, 0.18);
      cairo_pattern_add_color_stop_rgba(pat, 1, 1, 0.95, 0.8, 0.0);
      fRoundRect(cr, border, border, w - 2 * border, h - 2 * border, 6);
      cairo_set_source(cr, pat);
      cairo_fill(cr);
      cairo_pattern_destroy(pat);
    }
    // The frame: lacquer band between two gold lines, with corner medallions.
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    fRoundRect(cr, 1, 1, w - 2, h - 2, 10);
    fRoundRect(cr, border, border, w - 2 * border, h - 2 * border, 6);
    cairo_pattern_t* band = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(band, 0, 0.42, 0.10, 0.07);
    cairo_pattern_add_color_stop_rgb(band, 1, 0.20, 0.04, 0.03);
    cairo_set_source(cr, band);
    cairo_fill(cr);
    cairo_pattern_destroy(band);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    fGoldFrame(cr, 1, 1, w - 2, h - 2, 10, 2.5);
    fGoldFrame(cr, border - 3, border - 3, w - 2 * border + 6, h - 2 * border + 6, 7, state == 3 ? 3.5 : 2.0);
    for (int corner = 0; corner < 4; ++corner) {
      const double cx = corner % 2 == 0 ? border / 2 + 1 : w - border / 2 - 1;
      const double cy = corner < 2 ? border / 2 + 1 : h - border / 2 - 1;
      cairo_arc(cr, cx, cy, border * 0.42, 0, 2 * M_PI);
      fSetGoldSource(cr, cy - border / 2, cy + border / 2);
      cairo_fill(cr);
      cairo_arc(cr, cx, cy, border * 0.18, 0, 2 * M_PI);
      fSetColor(cr, kJade);
      cairo_fill(cr);
    }
  });
}

// The slot button of the in-game panel: a socket ring that the slot's icon is drawn into.
PAINTER fSlotButton(QS_RGB ring) {
  return fStrip([=](cairo_t* cr, double w, double h, int state) {
    const double r = std::min(w, h) / 2 - 2;
    fGlow(cr, w / 2, h / 2 + 2, r * 1.05, r * 1.05, QS_RGB{0, 0, 0}, 0.5);
    cairo_arc(cr, w / 2, h / 2, r, 0, 2 * M_PI);
    fSetGoldSource(cr, h / 2 - r, h / 2 + r);
    cairo_fill(cr);
    cairo_arc(cr, w / 2, h / 2, r * 0.86, 0, 2 * M_PI);
    cairo_pattern_t* pat = cairo_pattern_create_radial(w / 2, h / 2 - r * 0.3, 2, w / 2, h / 2, r);
    const QS_RGB light = fShade(ring, 0.2);
    const QS_RGB dark = fShade(ring, -0.6);
    cairo_pattern_add_color_stop_rgb(pat, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(pat, 1, dark.r, dark.g, dark.b);
    cairo_set_source(cr, pat);
    cairo_fill(cr);
    cairo_pattern_destroy(pat);
    if (state == 3) {
      cairo_arc(cr, w / 2, h / 2, r - 1.5, 0, 2 * M_PI);
      cairo_set_line_width(cr, 3);
      fSetColor(cr, kGoldLight);
      cairo_stroke(cr);
    }
  });
}

// The options' check box: an ivory box; the checked cell is only the mark, drawn over the box.
void fCheckBox(cairo_t* cr, double w, double h, int state) {
  if (state == 3) {
    fDrawIcon(cr, ICON::CHECK, w / 2 + 1, h / 2 + 1, w * 0.72, fHex(0x0A1A10));
    fDrawIcon(cr, ICON::CHECK, w / 2, h / 2, w * 0.72, kJade);
    return;
  }
  fRoundRect(cr, 3, 3, w - 6, h - 6, 5);
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, 3, 0, h - 3);
  cairo_pattern_add_color_stop_rgb(pat, 0, 0.86, 0.80, 0.66);
  cairo_pattern_add_color_stop_rgb(pat, 1, 1.0, 0.98, 0.92);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
  fGoldFrame(cr, 2, 2, w - 4, h - 4, 6, 2.0);
}

}  // namespace

void fAddButtonPainters(PAINTER_TABLE& table) {
  table["PlayButton.png"] = fRound(kJade, "Play", ICON::PLAY, false, 0.28);
  table["QuitButtin.png"] = fFlat(kLacquer, "", 0, false, ICON::PLAY);
  table["PlyersButton.png"] = fFlat(kLacquer, "", 0, false, ICON::PLAY);
  table["DeleteButton_smoll.png"] = fRound(kLacquer, "", ICON::CROSS, true);
  table["PlusButton_smoll.png"] = fRound(kJade, "", ICON::PLUS, true);
  table["Ok_middle.png"] = fRound(kJade, "OK", ICON::CHECK, false, 0.34);
  table["Delete_middle.png"] = fRound(kLacquer, "Cancel", ICON::CROSS, false, 0.2);
  table["nextbtn.png"] = fStrip([](cairo_t* cr, double w, double h, int state) {
    fFlatButtonFace(cr, 1, 1, w - 2, h - 2, kJade, state);
    QS_TEXT_STYLE style = fIvoryLabel(h * 0.34);
    fDrawText(cr, "Next", w * 0.42, h / 2, style);
    fDrawIcon(cr, ICON::NEXT, w * 0.8, h / 2, h * 0.4, kGoldLight);
  });
  table["MainMenu_CareerButton.png"] =
      fFlat(kLacquer, "", 0, true, ICON::CAREER, ART_PLACES::kMenuButtonCaption.x);
  table["MainMenu_TrophiesButton.png"] =
      fFlat(kLacquer, "", 0, true, ICON::TROPHY, ART_PLACES::kMenuButtonCaption.x);
  table["MainMenu_OptionsButton.png"] =
      fFlat(kLacquer, "", 0, true, ICON::GEAR, ART_PLACES::kMenuButtonCaption.x);
  table["MainMenu_HelpButton.png"] =
      fFlat(kLacquer, "", 0, true, ICON::HELP, ART_PLACES::kMenuButtonCaption.x);
  table["Back_button.png"] = fRound(kLacquer, "", ICON::BACK, true);
  // A pack's padlock in the middle of its 320 x 190 cell (its name stands on a plate below).
  table["Pack_button.png"] = fPictureFrame(14, ART_PLACES::QS_AREA{160.0 - 30.4, 89.0 - 30.4, 60.8, 60.8});
  table["Levels_button.png"] = fPictureFrame(10, ART_PLACES::kLevelLock);
  table["RightPoint_smoll.png"] = fRound(kJade, "", ICON::NEXT, true);
  table["LeftPoint_smoll.png"] = fRound(kJade, "", ICON::PREV, true);
  table["GUI_menu_button.png"] = fRound(kLacquer, "", ICON::MENU, true);
  table["Replay.png"] = fFlat(kJade, "Replay", 14, false, ICON::REPLAY);
  table["Options.png"] = fFlat(kJade, "Options", 14, false, ICON::GEAR);
  table["MainMenu.png"] = fFlat(kJade, "Menu", 14, false, ICON::HOME);
  table["Tutorials.png"] = fFlat(kJade, "Help", 14, false, ICON::HELP);
  table["Skill_01_small.png"] = fSlotButton(kJade);
  table["Bonus_01_small.png"] = fSlotButton(kLacquer);
  table["Credits_button.png"] = fFlat(kLacquer, "", 0, false, ICON::PLAY);
  table["Options_button.png"] = fStrip(fCheckBox);
}

}  // namespace QOR::ART
