// The 120 level backgrounds "bgnd/Levels/P/N.png": the pack's scene, varied by level, with the
// level's number large on its left half (the level button's frame lies over the picture and its
// three stars stand at its right).
#include "tools/data/art/art_jobs.h"
#include "tools/data/art/art_list.h"
#include "tools/data/art/art_style.h"
#include "tools/data/art/scenes.h"

#include <string>

namespace QOR::ART {

void fAddLevelBackgroundPainters(PAINTER_TABLE& table) {
  for (int pack = 1; pack <= 6; ++pack) {
    for (int level = 1; level <= 20; ++level) {
      table[fLevelBackground(pack, level)] = [pack, level](QC_CANVAS& c, const QS_DATA_ITEM&) {
        cairo_t* cr = c.cr();
        const double w = c.fWidth();
        const double h = c.fHeight();
        fPaintScene(cr, pack, w, h, level, 0.45);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.2);
        cairo_paint(cr);
        fGlow(cr, w * 0.38, h / 2, w * 0.3, h * 0.42, QS_RGB{0, 0, 0}, 0.55);
        fDrawText(cr, std::to_string(level), w * 0.38, h / 2, fGoldTitle(level < 10 ? 64 : 56),
                  TEXT_ALIGN::CENTER, w * 0.6);
      };
    }
  }
}

}  // namespace QOR::ART
