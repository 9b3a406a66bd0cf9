// The level editor's art (its own folder pack) and the store's buttons and labels, which the
// game names by "folder entry" and shows only in the editor and the store.
#include "tools/data/art/art_jobs.h"
#include "tools/data/art/art_style.h"

#include <cmath>
#include <string>

namespace QOR::ART {

using namespace PALETTE;

namespace {

PAINTER fIconButton(QS_RGB inner, ICON icon) {
  return [=](QC_CANVAS& canvas, const QS_DATA_ITEM& item) {
    fPaintStrip(canvas, item.frames, [=](cairo_t* cr, double w, double h, int state) {
      const double r = std::min(w, h) / 2 - 1;
      fRoundButtonFace(cr, w / 2, h / 2, r, inner, state);
      fDrawIcon(cr, icon, w / 2, h / 2, r * 1.05, kGoldLight);
    });
  };
}

// A store button: a square lacquer tile with the item's icon and its improvement level as dots.
PAINTER fStoreButton(QS_RGB inner, ICON icon, int level) {
  return [=](QC_CANVAS& canvas, const QS_DATA_ITEM& item) {
    fPaintStrip(canvas, item.frames, [=](cairo_t* cr, double w, double h, int state) {
      fFlatButtonFace(cr, 2, 2, w - 4, h - 4, inner, state);
      fDrawIcon(cr, icon, w / 2, h * 0.45, w * 0.5, kGoldLight);
      for (int i = 0; i < level; ++i) {
        cairo_arc(cr, w / 2 + (i - (level - 1) / 2.0) * 10, h * 0.8, 3.2, 0, 2 * M_PI);
        fSetColor(cr, kGoldLight);
        cairo_fill(cr);
      }
    });
  };
}

PAINTER fLabel(ICON icon, QS_RGB color, int level) {
  return [=](QC_CANVAS& c, const QS_DATA_ITEM&) {
    cairo_t* cr = c.cr();
    const double s = c.fWidth();
    cairo_arc(cr, s / 2, s / 2, s / 2 - 2, 0, 2 * M_PI);
    fSetColor(cr, kLacquerDark, 0.9);
    cairo_fill(cr);
    fDrawIcon(cr, icon, s / 2, s / 2 - (level > 0 ? 4 : 0), s * 0.55, color);
    if (level > 0) {
      QS_TEXT_STYLE style = fIvoryLabel(13);
      fDrawText(cr, std::to_string(level), s / 2, s - 12, style);
    }
  };
}

PAINTER fSmallIcon(ICON icon, QS_RGB color) {
  return [=](QC_CANVAS& c, const QS_DATA_ITEM&) {
    fDrawIcon(c.cr(), icon, c.fWidth() / 2.0, c.fHeight() / 2.0, c.fWidth() * 0.9, color);
  };
}

}  // namespace

void fAddEditorPainters(PAINTER_TABLE& table) {
  // The menu's captions are printed in black: an ivory column with a gold rim.
  table["editor/editMenuBack.png"] = [](QC_CANVAS& c, const QS_DATA_ITEM&) {
    fIvoryPlate(c.cr(), 0, 0, c.fWidth(), c.fHeight(), 10);
  };
  table["editor/tooltip-bubble.png"] = [](QC_CANVAS& c, const QS_DATA_ITEM&) {
    fJadePanel(c.cr(), 2, 2, c.fWidth() - 4, c.fHeight() - 4, 16, 3);
  };
  table["editor/save_btn.png"] = fIconButton(kJade, ICON::SAVE);
  table["editor/BTN_load.png"] = fIconButton(kJade, ICON::LOAD);
  table["editor/BTN_clear.png"] = fIconButton(kLacquer, ICON::CLEAR);
  table["editor/lvl_up.png"] = fIconButton(kJade, ICON::UP);
  table["editor/lvl_dwn.png"] = fIconButton(kJade, ICON::DOWN);
  table["editor/bonus_btn.png"] = fIconButton(fHex(0x5A3A9A), ICON::BONUS);
  table["editor/spec_btn.png"] = fIconButton(fHex(0x9A7A10), ICON::STAR);
  table["editor/normal_btn.png"] = fIconButton(kJade, ICON::TILE);
  table["editor/money.png"] = fSmallIcon(ICON::MONEY, kGold);
  table["editor/time.png"] = fSmallIcon(ICON::TIME, kInk);
  table["editor/walk.png"] = fSmallIcon(ICON::STEPS, kInk);
  table["editor/textbox.png"] = [](QC_CANVAS& c, const QS_DATA_ITEM&) {
    fIvoryPlate(c.cr(), 1, 1, c.fWidth() - 2, c.fHeight() - 2, 5);
  };
  table["editor/circle.png"] = [](QC_CANVAS& c, const QS_DATA_ITEM&) {
    cairo_arc(c.cr(), c.fWidth() / 2.0, c.fHeight() / 2.0, c.fWidth() / 2.0 - 2, 0, 2 * M_PI);
    cairo_set_line_width(c.cr(), 3);
    fSetGoldSource(c.cr(), 0, c.fHeight());
    cairo_stroke(c.cr());
  };
  table["buttons/checkbox.png"] = [](QC_CANVAS& canvas, const QS_DATA_ITEM& item) {
    fPaintStrip(canvas, item.frames, [](cairo_t* cr, double w, double h, int state) {
      if (state == 3) {
        fDrawIcon(cr, ICON::CHECK, w / 2, h / 2, w * 0.8, kJade);
        return;
      }
      fIvoryPlate(cr, 1, 1, w - 2, h - 2, 3);
    });
  };
  table["buttons/BTN_4.png"] = fIconButton(kJade, ICON::TILE);
  const ICON bonusIcons[4] = {ICON::ALLCLICK, ICON::SHUFFLE, ICON::DELETE_ANY, ICON::SHOW_SPECIAL};
  const ICON skillIcons[4] = {ICON::MULT, ICON::XP, ICON::EYE, ICON::HELP};
  for (int i = 1; i <= 4; ++i) {
    table["buttons/Bonus_0" + std::to_string(i) + ".png"] = fStoreButton(kLacquer, ICON::BONUS, i);
    table["buttons/Skill_0" + std::to_string(i) + ".png"] = fStoreButton(kJade, ICON::STAR, i);
    table["labels/Bonus1_" + std::to_string(i) + ".png"] = fLabel(bonusIcons[i - 1], kGoldLight, 0);
    table["labels/Skill1_" + std::to_string(i) + ".png"] = fLabel(skillIcons[0], kJadeLight, i);
    table["labels/Skill2_" + std::to_string(i) + ".png"] = fLabel(skillIcons[1], kJadeLight, i);
  }
  table["labels/Skill3.png"] = fLabel(skillIcons[2], kJadeLight, 0);
  table["labels/Skill4.png"] = fLabel(skillIcons[3], kJadeLight, 0);
  table["buttons/Bonus_Slot.png"] = fStoreButton(kLacquer, ICON::SLOT, 0);
  table["buttons/Skill_Slot.png"] = fStoreButton(kJade, ICON::SLOT, 0);
  table["buttons/Bonus_end.png"] = fStoreButton(fHex(0x555555), ICON::CHECK, 0);
  table["buttons/Skill_End.png"] = fStoreButton(fHex(0x555555), ICON::CHECK, 0);
}

}  // namespace QOR::ART
