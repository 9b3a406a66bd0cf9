// The six pack themes of the career (1 lotus, 2 crane, 3 bamboo, 4 phoenix, 5 cherry blossom,
// 6 azure dragon) as painted scenes, at any size: the room backgrounds behind the board, the pack
// pictures, the level backgrounds, the splash and title pictures and the comics share them.
#pragma once

#include "tools/data/art/qc_canvas.h"

namespace QOR::ART {

struct QS_THEME {
  QS_RGB skyTop;
  QS_RGB skyBottom;
  QS_RGB hills;
  QS_RGB ground;
  QS_RGB accent;
};

// The theme of pack 1..6 (any other number gives pack 1's).
QS_THEME fTheme(int pack);

// Paints the whole w x h scene of a pack. detail 0..1 thins the motifs for small pictures;
// variant varies the arrangement (level backgrounds of one pack differ by it).
void fPaintScene(cairo_t* cr, int pack, double w, double h, int variant, double detail);

// Pieces of the scenes, also used on their own.
void fMountains(cairo_t* cr, double w, double baseY, double height, QS_RGB color, double alpha,
                QC_ART_RANDOM& random);
void fLotus(cairo_t* cr, double x, double y, double s);
void fLotusLeaf(cairo_t* cr, double x, double y, double s);
void fCrane(cairo_t* cr, double x, double y, double s, double tilt);
void fBambooStalk(cairo_t* cr, double x, double y0, double y1, double width, QS_RGB color,
                  QC_ART_RANDOM& random);
void fPhoenix(cairo_t* cr, double x, double y, double s);
void fBlossomBranch(cairo_t* cr, double x, double y, double length, double angle, double s,
                    QC_ART_RANDOM& random);
void fDragon(cairo_t* cr, double x, double y, double s);
void fWaves(cairo_t* cr, double w, double y, double size, QS_RGB color, double alpha);
void fSun(cairo_t* cr, double x, double y, double r, QS_RGB color, double alpha);
// A pagoda silhouette standing on (x, y), s tall.
void fPagoda(cairo_t* cr, double x, double y, double s, QS_RGB color, double alpha);

}  // namespace QOR::ART
