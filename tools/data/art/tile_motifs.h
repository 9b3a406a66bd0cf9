// Motifs shared by the tile styles: the ink colours of the faces, dot and bamboo pips, the flower
// and season pictures, and the CJK names of the honours.
#pragma once

#include "tools/data/art/qc_canvas.h"

namespace QOR::ART::MOTIF {

inline const QS_RGB kRed = fHex(0xC0262B);
inline const QS_RGB kGreen = fHex(0x17744A);
inline const QS_RGB kBlue = fHex(0x1D4C9C);
inline const QS_RGB kInk = fHex(0x1A2230);
inline const QS_RGB kPink = fHex(0xD9487A);
inline const QS_RGB kTeal = fHex(0x137C8A);

// CJK numerals 1..9 (index 0..8), "ten thousand", dragons, winds, flowers, seasons (UTF-8).
extern const char* const kNumerals[9];
extern const char* const kWan;
extern const char* const kDragons[3];
extern const char* const kWinds[4];
extern const char* const kFlowers[4];
extern const char* const kSeasons[4];

// A round dot pip of radius r.
void fDot(cairo_t* cr, double x, double y, double r, QS_RGB color);
// A bamboo stick pip centred at (x, y).
void fStick(cairo_t* cr, double x, double y, double w, double h, QS_RGB color);
// The one-of-bamboo bird, filling a box of w x h centred at (x, y).
void fBird(cairo_t* cr, double x, double y, double w, double h);
// The picture of flower i (0 plum, 1 orchid, 2 chrysanthemum, 3 bamboo) in a box of size s.
void fFlower(cairo_t* cr, int i, double x, double y, double s);
// The picture of season i (0 spring, 1 summer, 2 autumn, 3 winter) in a box of size s.
void fSeason(cairo_t* cr, int i, double x, double y, double s);
// The white dragon's frame in the box (x, y, w, h).
void fWhiteDragon(cairo_t* cr, double x, double y, double w, double h);
// Pip positions of n (1..9) items in a unit box (-1..1 both ways).
void fPipLayout(int n, double xs[9], double ys[9]);
// A CJK glyph centred at (x, y), ink height about size * 0.85.
void fGlyph(cairo_t* cr, const char* text, double x, double y, double size, QS_RGB color);

}  // namespace QOR::ART::MOTIF
