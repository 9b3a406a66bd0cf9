#include "tools/data/art/tile_faces.h"

#include "tools/data/art/art_style.h"
#include "tools/data/art/tile_motifs.h"

#include <cmath>
#include <string>

namespace QOR::ART {

using namespace MOTIF;

namespace {

// Suits of a face: 0 characters, 1 dots, 2 bamboo, 3 dragons, 4 winds, 5 flowers, 6 seasons.
int fSuit(int face) {
  if (face < 27) return face / 9;
  if (face < 30) return 3;
  if (face < 34) return 4;
  if (face < 38) return 5;
  return 6;
}

// Face index within its suit.
int fRank(int face) {
  static const int starts[] = {0, 9, 18, 27, 30, 34, 38};
  return face - starts[fSuit(face)];
}

QS_RGB fDotColor(int n, int i) {
  switch (n) {
    case 2: return i == 0 ? kGreen : kBlue;
    case 3: return i == 0 ? kBlue : (i == 1 ? kRed : kGreen);
    case 4: return (i == 0 || i == 3) ? kBlue : kGreen;
    case 5: return i == 2 ? kRed : ((i == 0 || i == 4) ? kBlue : kGreen);
    case 6: return i < 2 ? kGreen : kRed;
    case 7: return i < 3 ? kGreen : kRed;
    case 8: return kBlue;
    case 9: return i < 3 ? kBlue : (i < 6 ? kRed : kGreen);
    default: return kBlue;
  }
}

QS_RGB fStickColor(int n, int i) {
  switch (n) {
    case 2: return i == 0 ? kBlue : kGreen;
    case 4: return (i == 0 || i == 3) ? kBlue : kGreen;
    case 5: return i == 2 ? kRed : kGreen;
    case 6: return i < 2 ? kGreen : kBlue;
    case 7: return i == 0 ? kRed : kGreen;
    case 9: return (i % 3 == 1) ? kRed : kGreen;
    default: return kGreen;
  }
}

double fDotRadius(int n, double w) {
  static const double k[] = {0.36, 0.21, 0.18, 0.18, 0.155, 0.15, 0.13, 0.125, 0.125};
  return w * k[n - 1];
}

void fClassicDots(cairo_t* cr, int n, double x, double y, double w, double h) {
  const double cx = x + w / 2;
  const double cy = y + h / 2;
  if (n == 1) {
    // The one of dots: an ornate medallion.
    const double r = fDotRadius(1, w);
    for (int k = 0; k < 12; ++k) {
      const double a = k * M_PI / 6;
      cairo_arc(cr, cx + std::cos(a) * r * 1.08, cy + std::sin(a) * r * 1.08, r * 0.18, 0, 2 * M_PI);
      fSetColor(cr, kGreen);
      cairo_fill(cr);
    }
    fDot(cr, cx, cy, r, kRed);
    cairo_arc(cr, cx, cy, r * 0.3, 0, 2 * M_PI);
    fSetColor(cr, kBlue);
    cairo_fill(cr);
    return;
  }
  double xs[9];
  double ys[9];
  fPipLayout(n, xs, ys);
  const double r = fDotRadius(n, w);
  for (int i = 0; i < n; ++i) {
    fDot(cr, cx + xs[i] * (w / 2 - 3 - r), cy + ys[i] * (h / 2 - 3 - r), r, fDotColor(n, i));
  }
}

void fClassicBamboo(cairo_t* cr, int n, double x, double y, double w, double h) {
  const double cx = x + w / 2;
  const double cy = y + h / 2;
  if (n == 1) {
    fBird(cr, cx + w * 0.02, cy + h * 0.05, w * 0.92, h * 0.82);
    return;
  }
  double xs[9];
  double ys[9];
  fPipLayout(n, xs, ys);
  const double sw = n <= 4 ? w * 0.16 : (n <= 6 ? w * 0.14 : w * 0.12);
  const double sh = n <= 2 ? h * 0.4 : (n <= 6 ? h * 0.3 : h * 0.25);
  for (int i = 0; i < n; ++i) {
    fStick(cr, cx + xs[i] * (w / 2 - 4 - sw / 2), cy + ys[i] * (h / 2 - 3 - sh / 2), sw, sh,
           fStickColor(n, i));
  }
}

// The small number of a flower or season in a corner.
void fCornerNumber(cairo_t* cr, int n, double x, double y, double size, QS_RGB color) {
  QS_TEXT_STYLE style;
  style.font = ART_FONT::SERIF_BOLD;
  style.size = size;
  style.fill = color;
  fDrawText(cr, std::to_string(n), x, y, style);
}

void fClassic(cairo_t* cr, int face, double x, double y, double w, double h) {
  const int suit = fSuit(face);
  const int rank = fRank(face);
  const double cx = x + w / 2;
  switch (suit) {
    case 0:
      fGlyph(cr, kNumerals[rank], cx, y + h * 0.27, h * 0.46, kInk);
      fGlyph(cr, kWan, cx, y + h * 0.71, h * 0.48, kRed);
      break;
    case 1: fClassicDots(cr, rank + 1, x + 2, y + 2, w - 4, h - 4); break;
    case 2: fClassicBamboo(cr, rank + 1, x + 2, y + 2, w - 4, h - 4); break;
    case 3:
      if (rank == 2) {
        fWhiteDragon(cr, x + w * 0.14, y + h * 0.12, w * 0.72, h * 0.76);
      } else {
        fGlyph(cr, kDragons[rank], cx, y + h / 2, h * 0.7, rank == 0 ? kRed : kGreen);
      }
      break;
    case 4: fGlyph(cr, kWinds[rank], cx, y + h / 2, h * 0.7, kInk); break;
    case 5:
      fFlower(cr, rank, cx + w * 0.04, y + h * 0.6, w * 0.86);
      fGlyph(cr, kFlowers[rank], x + w * 0.2, y + h * 0.14, h * 0.24, kGreen);
      fCornerNumber(cr, rank + 1, x + w * 0.82, y + h * 0.13, h * 0.2, kRed);
      break;
    default:
      fSeason(cr, rank, cx + w * 0.02, y + h * 0.6, w * 0.82);
      fGlyph(cr, kSeasons[rank], x + w * 0.2, y + h * 0.14, h * 0.24, kBlue);
      fCornerNumber(cr, rank + 1, x + w * 0.82, y + h * 0.13, h * 0.2, kRed);
      break;
  }
}

QS_RGB fSuitColor(int suit) {
  switch (suit) {
    case 0: return kRed;
    case 1: return kBlue;
    case 2: return kGreen;
    case 5: return kPink;
    case 6: return kTeal;
    default: return kInk;
  }
}

void fBigText(cairo_t* cr, const std::string& text, double x, double y, double size, QS_RGB color,
              ART_FONT font = ART_FONT::SERIF_BOLD) {
  QS_TEXT_STYLE style;
  style.font = font;
  style.size = size;
  style.fill = color;
  fDrawText(cr, text, x, y, style);
}

void fNumbers(cairo_t* cr, int face, double x, double y, double w, double h) {
  const int suit = fSuit(face);
  const int rank = fRank(face);
  const double cx = x + w / 2;
  const QS_RGB color = fSuitColor(suit);
  static const char* const kWindLetters[4] = {"E", "S", "W", "N"};
  switch (suit) {
    case 0:
    case 1:
    case 2:
      fBigText(cr, std::to_string(rank + 1), cx, y + h * 0.4, h * 0.66, color);
      if (suit == 0) fGlyph(cr, kWan, cx, y + h * 0.85, h * 0.22, kRed);
      if (suit == 1) fDot(cr, cx, y + h * 0.85, h * 0.085, kBlue);
      if (suit == 2) fStick(cr, cx, y + h * 0.85, w * 0.13, h * 0.2, kGreen);
      break;
    case 3:
      if (rank == 2) {
        fWhiteDragon(cr, x + w * 0.16, y + h * 0.1, w * 0.68, h * 0.62);
      } else {
        cairo_arc(cr, cx, y + h * 0.4, w * 0.38, 0, 2 * M_PI);
        cairo_set_line_width(cr, 3);
        fSetColor(cr, rank == 0 ? kRed : kGreen);
        cairo_stroke(cr);
        fBigText(cr, rank == 0 ? "R" : "G", cx, y + h * 0.4, h * 0.46, rank == 0 ? kRed : kGreen);
      }
      fGlyph(cr, kDragons[rank], cx, y + h * 0.85, h * 0.22, rank == 1 ? kGreen : (rank == 0 ? kRed : kBlue));
      break;
    case 4:
      fBigText(cr, kWindLetters[rank], cx, y + h * 0.4, h * 0.62, kInk);
      fGlyph(cr, kWinds[rank], cx, y + h * 0.85, h * 0.22, kInk);
      break;
    case 5:
      fFlower(cr, rank, cx + w * 0.08, y + h * 0.6, w * 0.72);
      fBigText(cr, std::to_string(rank + 1), x + w * 0.2, y + h * 0.17, h * 0.3, kPink);
      break;
    default:
      fSeason(cr, rank, cx + w * 0.08, y + h * 0.6, w * 0.7);
      fBigText(cr, std::to_string(rank + 1), x + w * 0.2, y + h * 0.17, h * 0.3, kTeal);
      break;
  }
}

void fDiamond(cairo_t* cr, double x, double y, double s, QS_RGB color) {
  cairo_move_to(cr, x, y - s);
  cairo_line_to(cr, x + s * 0.72, y);
  cairo_line_to(cr, x, y + s);
  cairo_line_to(cr, x - s * 0.72, y);
  cairo_close_path(cr);
  fSetColor(cr, color);
  cairo_fill(cr);
}

void fClub(cairo_t* cr, double x, double y, double s, QS_RGB color) {
  fSetColor(cr, color);
  cairo_arc(cr, x, y - s * 0.45, s * 0.42, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_arc(cr, x - s * 0.45, y + s * 0.1, s * 0.42, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_arc(cr, x + s * 0.45, y + s * 0.1, s * 0.42, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_move_to(cr, x, y);
  cairo_line_to(cr, x + s * 0.3, y + s);
  cairo_line_to(cr, x - s * 0.3, y + s);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void fPip(cairo_t* cr, int suit, double x, double y, double s) {
  switch (suit) {
    case 0: fDiamond(cr, x, y, s, kRed); break;
    case 1:
      cairo_arc(cr, x, y, s * 0.8, 0, 2 * M_PI);
      fSetColor(cr, kBlue);
      cairo_fill(cr);
      cairo_arc(cr, x - s * 0.25, y - s * 0.25, s * 0.22, 0, 2 * M_PI);
      fSetColor(cr, fHex(0xFFFFFF), 0.6);
      cairo_fill(cr);
      break;
    default: fClub(cr, x, y, s, kGreen); break;
  }
}

// The index of a card in its two corners: a text over a small pip or glyph.
void fCardIndex(cairo_t* cr, const std::string& text, int suit, double x, double y, double w,
                double h, QS_RGB color) {
  for (int corner = 0; corner < 2; ++corner) {
    cairo_save(cr);
    if (corner == 1) {
      cairo_translate(cr, x + w, y + h);
      cairo_rotate(cr, M_PI);
      cairo_translate(cr, -x, -y);
    }
    fBigText(cr, text, x + w * 0.14, y + h * 0.1, h * 0.17, color, ART_FONT::SANS_CONDENSED_BOLD);
    if (suit <= 2) fPip(cr, suit, x + w * 0.14, y + h * 0.22, h * 0.04);
    cairo_restore(cr);
  }
}

void fCards(cairo_t* cr, int face, double x, double y, double w, double h) {
  const int suit = fSuit(face);
  const int rank = fRank(face);
  const QS_RGB color = fSuitColor(suit);
  // The card's inner border.
  cairo_set_line_width(cr, 1.5);
  fRoundRect(cr, x + 2.5, y + 2.5, w - 5, h - 5, 5);
  fSetColor(cr, color, 0.7);
  cairo_stroke(cr);
  const double cx = x + w / 2;
  const double cy = y + h / 2;
  static const char* const kWindLetters[4] = {"E", "S", "W", "N"};
  switch (suit) {
    case 0:
    case 1:
    case 2: {
      const int n = rank + 1;
      fCardIndex(cr, std::to_string(n), suit, x, y, w, h, color);
      double xs[9];
      double ys[9];
      fPipLayout(n, xs, ys);
      const double s = n == 1 ? h * 0.2 : (n <= 4 ? h * 0.095 : (n <= 6 ? h * 0.08 : h * 0.066));
      for (int i = 0; i < n; ++i) {
        fPip(cr, suit, cx + xs[i] * w * 0.23, cy + ys[i] * h * 0.29, s);
      }
      break;
    }
    case 3:
      fCardIndex(cr, "D", 3, x, y, w, h, rank == 1 ? kGreen : (rank == 0 ? kRed : kBlue));
      if (rank == 2) {
        fWhiteDragon(cr, cx - w * 0.25, cy - h * 0.26, w * 0.5, h * 0.52);
      } else {
        fGlyph(cr, kDragons[rank], cx, cy, h * 0.48, rank == 0 ? kRed : kGreen);
      }
      break;
    case 4:
      fCardIndex(cr, kWindLetters[rank], 4, x, y, w, h, kInk);
      cairo_arc(cr, cx, cy, w * 0.28, 0, 2 * M_PI);
      cairo_set_line_width(cr, 1.5);
      fSetColor(cr, kInk, 0.5);
      cairo_stroke(cr);
      fBigText(cr, kWindLetters[rank], cx, cy, h * 0.36, kInk);
      break;
    case 5:
      fCardIndex(cr, std::to_string(rank + 1), 5, x, y, w, h, kPink);
      fFlower(cr, rank, cx, cy + h * 0.02, w * 0.62);
      break;
    default:
      fCardIndex(cr, std::to_string(rank + 1), 6, x, y, w, h, kTeal);
      fSeason(cr, rank, cx, cy + h * 0.02, w * 0.6);
      break;
  }
}

}  // namespace

void fDrawTileFace(cairo_t* cr, TILE_STYLE style, int face, double x, double y, double w, double h) {
  if (face < 0 || face > 41) return;
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  switch (style) {
    case TILE_STYLE::CLASSIC: fClassic(cr, face, x + 2, y + 2, w - 4, h - 4); break;
    case TILE_STYLE::NUMBERS: fNumbers(cr, face, x + 2, y + 2, w - 4, h - 4); break;
    case TILE_STYLE::CARDS: fCards(cr, face, x + 1, y + 1, w - 2, h - 2); break;
  }
  cairo_restore(cr);
}

}  // namespace QOR::ART
