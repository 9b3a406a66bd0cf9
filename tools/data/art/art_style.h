// The one visual style of the game: calm jade, gold and lacquer. Colours and the shapes every
// picture is built from (panels, plates, frames, glows, round and flat buttons, icons).
#pragma once

#include "tools/data/art/qc_canvas.h"

#include <string>

namespace QOR::ART {

namespace PALETTE {
inline const QS_RGB kJade = fHex(0x2E8B6A);
inline const QS_RGB kJadeDark = fHex(0x123F31);
inline const QS_RGB kJadeLight = fHex(0x9AD8B8);
inline const QS_RGB kGold = fHex(0xD6A640);
inline const QS_RGB kGoldLight = fHex(0xF8E09A);
inline const QS_RGB kGoldDark = fHex(0x7E5A1C);
inline const QS_RGB kLacquer = fHex(0x8C1C16);
inline const QS_RGB kLacquerDark = fHex(0x3E0B09);
inline const QS_RGB kInk = fHex(0x1C1511);
inline const QS_RGB kIvory = fHex(0xF7EFDD);
inline const QS_RGB kParchment = fHex(0xEBD9B0);
inline const QS_RGB kNight = fHex(0x0E1A1F);
}  // namespace PALETTE

// Panels. Each fills the given rectangle.
// Dark lacquer with a faint cloud pattern and a gold double border.
void fLacquerPanel(cairo_t* cr, double x, double y, double w, double h, double radius,
                   double border = 4.0);
// Deep jade stone with a gold border.
void fJadePanel(cairo_t* cr, double x, double y, double w, double h, double radius,
                double border = 3.0);
// Light ivory plate with a thin gold rim, for dark text.
void fIvoryPlate(cairo_t* cr, double x, double y, double w, double h, double radius);
// A gold frame line (stroke only) with a light edge.
void fGoldFrame(cairo_t* cr, double x, double y, double w, double h, double radius, double width);
// A gold gradient source over the vertical span y0..y1.
void fSetGoldSource(cairo_t* cr, double y0, double y1, double alpha = 1.0);
// A soft radial glow.
void fGlow(cairo_t* cr, double cx, double cy, double rx, double ry, QS_RGB color, double alpha);
// An auspicious-cloud curl (outline) centred at (cx, cy).
void fCloud(cairo_t* cr, double cx, double cy, double size, QS_RGB color, double alpha,
            double lineWidth);
// A round gold-rimmed button face (jade or lacquer inside) filling a circle.
void fRoundButtonFace(cairo_t* cr, double cx, double cy, double r, QS_RGB inner, int state);
// A flat rectangular button face with rounded corners.
void fFlatButtonFace(cairo_t* cr, double x, double y, double w, double h, QS_RGB inner, int state);
// A five-pointed star.
void fStarPath(cairo_t* cr, double cx, double cy, double outer, double inner);

// Icons, drawn into a square of the given size centred at (cx, cy).
enum class ICON {
  TIME, STEPS, SPECIAL, MONEY, SHUFFLE, EYE, PLAY, BACK, NEXT, PREV, PLUS, CROSS, MENU, TROPHY,
  GEAR, HELP, REPLAY, HOME, LOCK, CAREER, CHECK, UP, DOWN, SAVE, LOAD, CLEAR, TILE, BONUS, STAR,
  ALLCLICK, DELETE_ANY, SHOW_SPECIAL, MULT, XP, SLOT
};
void fDrawIcon(cairo_t* cr, ICON icon, double cx, double cy, double size, QS_RGB color);

// The standard text looks.
QS_TEXT_STYLE fGoldTitle(double size);   // gold gradient with a dark outline
QS_TEXT_STYLE fIvoryLabel(double size);  // ivory with a dark outline
QS_TEXT_STYLE fInkText(double size);     // dark ink, no outline

}  // namespace QOR::ART
