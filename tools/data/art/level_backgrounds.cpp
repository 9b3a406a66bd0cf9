// The 120 level backgrounds "bgnd/Levels/P/N.png": the pack's scene, varied by level, with the
// level's number large in its room at the left (the level button's frame lies over the picture, a
// locked level's padlock beside the number and its three stars at its right).
#include "tools/data/art/art_jobs.h"
#include "tools/data/art/art_list.h"
#include "tools/data/art/art_places.h"
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
        // The number's ink keeps a few pixels inside its room (its shadow and outline with it).
        constexpr ART_PLACES::QS_AREA room = ART_PLACES::kLevelNumber;
        const double cx = room.x + room.w / 2;
        const double cy = room.y + room.h / 2;
        fGlow(cr, cx, cy, room.w * 0.6, room.h * 0.6, QS_RGB{0, 0, 0}, 0.55);
        fDrawText(cr, std::to_string(level), cx, cy, fGoldTitle(level < 10 ? 64 : 56), TEXT_ALIGN::CENTER,
                  room.w - 10.0);
      };
    }
  }
}

}  // namespace QOR::ART
