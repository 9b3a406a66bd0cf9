#include "tools/data/art/tile_motifs.h"

#include "tools/data/art/art_style.h"

#include <algorithm>
#include <cmath>

namespace QOR::ART::MOTIF {

const char* const kNumerals[9] = {"一", "二", "三", "四", "五", "六", "七", "八", "九"};
const char* const kWan = "萬";
const char* const kDragons[3] = {"中", "發", "白"};
const char* const kWinds[4] = {"東", "南", "西", "北"};
const char* const kFlowers[4] = {"梅", "蘭", "菊", "竹"};
const char* const kSeasons[4] = {"春", "夏", "秋", "冬"};

void fGlyph(cairo_t* cr, const char* text, double x, double y, double size, QS_RGB color) {
  QS_TEXT_STYLE style;
  style.font = ART_FONT::KAI;
  style.size = size;
  style.fill = color;
  // A hair of outline in the same colour thickens the brush strokes a little at small sizes.
  style.outline = size * 0.012;
  style.outlineColor = color;
  fDrawText(cr, text, x, y, style);
}

void fDot(cairo_t* cr, double x, double y, double r, QS_RGB color) {
  cairo_save(cr);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  fSetColor(cr, color);
  cairo_fill(cr);
  cairo_arc(cr, x, y, r * 0.72, 0, 2 * M_PI);
  fSetColor(cr, fHex(0xFBF6EA));
  cairo_fill(cr);
  cairo_arc(cr, x, y, r * 0.55, 0, 2 * M_PI);
  fSetColor(cr, color);
  cairo_fill(cr);
  // Petal marks round the centre.
  for (int i = 0; i < 8; ++i) {
    const double a = i * M_PI / 4;
    cairo_arc(cr, x + std::cos(a) * r * 0.38, y + std::sin(a) * r * 0.38, r * 0.07, 0, 2 * M_PI);
    fSetColor(cr, fHex(0xFBF6EA));
    cairo_fill(cr);
  }
  cairo_arc(cr, x, y, r * 0.16, 0, 2 * M_PI);
  fSetColor(cr, fHex(0xFBF6EA));
  cairo_fill(cr);
  cairo_restore(cr);
}

void fStick(cairo_t* cr, double x, double y, double w, double h, QS_RGB color) {
  cairo_save(cr);
  const QS_RGB dark = fShade(color, -0.35);
  const QS_RGB light = fShade(color, 0.35);
  fRoundRect(cr, x - w / 2, y - h / 2, w, h, w * 0.45);
  fSetColor(cr, color);
  cairo_fill(cr);
  // Nodes at both ends and in the middle.
  for (double t : {-0.42, 0.0, 0.42}) {
    cairo_rectangle(cr, x - w / 2, y + t * h - h * 0.04, w, h * 0.08);
    fSetColor(cr, dark);
    cairo_fill(cr);
  }
  cairo_set_line_width(cr, std::max(0.8, w * 0.14));
  cairo_move_to(cr, x, y - h * 0.38);
  cairo_line_to(cr, x, y - h * 0.06);
  cairo_move_to(cr, x, y + h * 0.06);
  cairo_line_to(cr, x, y + h * 0.38);
  fSetColor(cr, light);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void fBird(cairo_t* cr, double x, double y, double w, double h) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, w / 100.0, h / 100.0);
  // Tail feathers fanning down to the left, each with an eye.
  for (int i = 0; i < 5; ++i) {
    const double a = M_PI * (0.55 + i * 0.09);
    const double ex = 48 * std::cos(a) - 5;
    const double ey = 48 * std::sin(a) + 5;
    cairo_move_to(cr, -5, 5);
    cairo_line_to(cr, ex, ey);
    cairo_set_line_width(cr, 4);
    fSetColor(cr, kGreen);
    cairo_stroke(cr);
    fDot(cr, ex, ey, 7, i % 2 == 0 ? kBlue : kRed);
  }
  // Body.
  cairo_move_to(cr, -12, 10);
  cairo_curve_to(cr, -20, -20, 10, -30, 22, -18);
  cairo_curve_to(cr, 30, -6, 20, 22, -12, 10);
  fSetColor(cr, kGreen);
  cairo_fill(cr);
  // Wing.
  cairo_move_to(cr, -4, 0);
  cairo_curve_to(cr, 4, -14, 18, -10, 16, 2);
  cairo_close_path(cr);
  fSetColor(cr, kBlue);
  cairo_fill(cr);
  // Head, crest, beak, eye.
  cairo_arc(cr, 22, -30, 10, 0, 2 * M_PI);
  fSetColor(cr, kRed);
  cairo_fill(cr);
  cairo_move_to(cr, 18, -38);
  cairo_line_to(cr, 14, -50);
  cairo_line_to(cr, 24, -40);
  cairo_line_to(cr, 28, -50);
  cairo_line_to(cr, 28, -38);
  fSetColor(cr, kRed);
  cairo_fill(cr);
  cairo_move_to(cr, 31, -32);
  cairo_line_to(cr, 42, -28);
  cairo_line_to(cr, 31, -25);
  fSetColor(cr, fHex(0xD89A1E));
  cairo_fill(cr);
  cairo_arc(cr, 24, -32, 2.2, 0, 2 * M_PI);
  fSetColor(cr, fHex(0xFBF6EA));
  cairo_fill(cr);
  // Legs.
  cairo_set_line_width(cr, 3);
  cairo_move_to(cr, 2, 14);
  cairo_line_to(cr, 0, 30);
  cairo_move_to(cr, 10, 12);
  cairo_line_to(cr, 12, 30);
  fSetColor(cr, fHex(0x8A5A20));
  cairo_stroke(cr);
  cairo_restore(cr);
}

namespace {

void fPetal(cairo_t* cr, double x, double y, double angle, double length, double width) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  cairo_move_to(cr, 0, 0);
  cairo_curve_to(cr, length * 0.3, -width, length * 0.8, -width, length, 0);
  cairo_curve_to(cr, length * 0.8, width, length * 0.3, width, 0, 0);
  cairo_restore(cr);
}

}  // namespace

void fFlower(cairo_t* cr, int i, double x, double y, double s) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, s / 100.0, s / 100.0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  switch (i) {
    case 0: {  // plum: a branch with a five-petal blossom and a bud
      cairo_set_line_width(cr, 6);
      cairo_move_to(cr, -45, 45);
      cairo_curve_to(cr, -20, 20, -10, 10, 30, -35);
      fSetColor(cr, fHex(0x5A3A22));
      cairo_stroke(cr);
      for (int k = 0; k < 5; ++k) {
        const double a = k * 2 * M_PI / 5 - M_PI / 2;
        cairo_arc(cr, 5 + 17 * std::cos(a), -5 + 17 * std::sin(a), 15, 0, 2 * M_PI);
      }
      fSetColor(cr, kPink);
      cairo_fill(cr);
      cairo_arc(cr, 5, -5, 8, 0, 2 * M_PI);
      fSetColor(cr, fHex(0xF2C84B));
      cairo_fill(cr);
      cairo_arc(cr, -30, 28, 9, 0, 2 * M_PI);
      fSetColor(cr, kPink);
      cairo_fill(cr);
      break;
    }
    case 1: {  // orchid: long leaves and purple petals
      cairo_set_line_width(cr, 4);
      for (double a : {-0.9, -0.4, 0.3}) {
        cairo_move_to(cr, 0, 45);
        cairo_curve_to(cr, 40 * a, 10, 55 * a, -10, 60 * a + 10, -25);
        fSetColor(cr, kGreen);
        cairo_stroke(cr);
      }
      for (int k = 0; k < 5; ++k) {
        fPetal(cr, 10, -12, -M_PI / 2 + (k - 2) * 0.6, k == 2 ? 38 : 30, 10);
      }
      fSetColor(cr, fHex(0x8A4FB8));
      cairo_fill(cr);
      cairo_arc(cr, 10, -12, 6, 0, 2 * M_PI);
      fSetColor(cr, fHex(0xF2D24B));
      cairo_fill(cr);
      break;
    }
    case 2: {  // chrysanthemum: many thin petals
      for (int k = 0; k < 24; ++k) fPetal(cr, 0, -5, k * M_PI / 12, 40, 5);
      fSetColor(cr, fHex(0xE0A21E));
      cairo_fill(cr);
      for (int k = 0; k < 16; ++k) fPetal(cr, 0, -5, k * M_PI / 8 + 0.2, 26, 5);
      fSetColor(cr, fHex(0xF4C94A));
      cairo_fill(cr);
      cairo_arc(cr, 0, -5, 9, 0, 2 * M_PI);
      fSetColor(cr, fHex(0xA8551A));
      cairo_fill(cr);
      break;
    }
    default: {  // bamboo: a stalk with leaves
      fStick(cr, -12, 5, 14, 90, kGreen);
      for (double a : {-0.6, -0.2, 0.25}) fPetal(cr, -6, -20 + a * 40, a - 0.2, 45, 8);
      fSetColor(cr, fShade(kGreen, 0.15));
      cairo_fill(cr);
      break;
    }
  }
  cairo_restore(cr);
}

void fSeason(cairo_t* cr, int i, double x, double y, double s) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, s / 100.0, s / 100.0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  switch (i) {
    case 0: {  // spring: a sprouting twig with peach blossoms
      cairo_set_line_width(cr, 5);
      cairo_move_to(cr, 0, 48);
      cairo_curve_to(cr, 0, 10, -5, -10, 5, -40);
      fSetColor(cr, fHex(0x6B4A2A));
      cairo_stroke(cr);
      for (double t : {-0.9, 0.0, 0.9}) {
        fPetal(cr, 2, 10 - t * 25, t > 0 ? -0.4 : -2.7, 30, 9);
        fSetColor(cr, fShade(kGreen, 0.2));
        cairo_fill(cr);
      }
      for (int k = 0; k < 5; ++k) {
        const double a = k * 2 * M_PI / 5;
        cairo_arc(cr, 5 + 10 * std::cos(a), -38 + 10 * std::sin(a), 9, 0, 2 * M_PI);
      }
      fSetColor(cr, fHex(0xF08CAA));
      cairo_fill(cr);
      break;
    }
    case 1: {  // summer: the sun over a lotus leaf
      for (int k = 0; k < 12; ++k) {
        cairo_save(cr);
        cairo_translate(cr, 0, -12);
        cairo_rotate(cr, k * M_PI / 6);
        cairo_move_to(cr, 26, -4);
        cairo_line_to(cr, 40, 0);
        cairo_line_to(cr, 26, 4);
        cairo_restore(cr);
      }
      fSetColor(cr, fHex(0xE8861A));
      cairo_fill(cr);
      cairo_arc(cr, 0, -12, 22, 0, 2 * M_PI);
      fSetColor(cr, kRed);
      cairo_fill(cr);
      cairo_save(cr);
      cairo_translate(cr, 0, 38);
      cairo_scale(cr, 1.0, 0.3);
      cairo_arc(cr, 0, 0, 40, 0, 2 * M_PI);
      cairo_restore(cr);
      fSetColor(cr, kGreen);
      cairo_fill(cr);
      break;
    }
    case 2: {  // autumn: a maple leaf
      cairo_move_to(cr, 0, -45);
      const double pts[][2] = {{10, -22}, {32, -30}, {24, -8}, {44, 0}, {22, 10}, {26, 28},
                               {4, 18},   {0, 45},   {-4, 18}, {-26, 28}, {-22, 10}, {-44, 0},
                               {-24, -8}, {-32, -30}, {-10, -22}};
      for (const auto& p : pts) cairo_line_to(cr, p[0], p[1]);
      cairo_close_path(cr);
      fSetColor(cr, fHex(0xD2561C));
      cairo_fill(cr);
      cairo_set_line_width(cr, 2.5);
      cairo_move_to(cr, 0, 45);
      cairo_line_to(cr, 0, -35);
      cairo_move_to(cr, 0, 5);
      cairo_line_to(cr, 30, -18);
      cairo_move_to(cr, 0, 5);
      cairo_line_to(cr, -30, -18);
      fSetColor(cr, fHex(0x8C2A10));
      cairo_stroke(cr);
      break;
    }
    default: {  // winter: a snow crystal
      cairo_set_line_width(cr, 5);
      for (int k = 0; k < 6; ++k) {
        cairo_save(cr);
        cairo_rotate(cr, k * M_PI / 3);
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, 0, -42);
        cairo_move_to(cr, 0, -24);
        cairo_line_to(cr, 11, -34);
        cairo_move_to(cr, 0, -24);
        cairo_line_to(cr, -11, -34);
        cairo_restore(cr);
      }
      fSetColor(cr, fHex(0x2B78B8));
      cairo_stroke(cr);
      cairo_arc(cr, 0, 0, 7, 0, 2 * M_PI);
      fSetColor(cr, fHex(0x2B78B8));
      cairo_fill(cr);
      break;
    }
  }
  cairo_restore(cr);
}

void fWhiteDragon(cairo_t* cr, double x, double y, double w, double h) {
  cairo_save(cr);
  cairo_set_line_width(cr, std::max(2.0, w * 0.07));
  fRoundRect(cr, x, y, w, h, w * 0.08);
  fSetColor(cr, kBlue);
  cairo_stroke(cr);
  cairo_set_line_width(cr, std::max(1.0, w * 0.03));
  fRoundRect(cr, x + w * 0.16, y + w * 0.16, w * 0.68, h - w * 0.32, w * 0.05);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void fPipLayout(int n, double xs[9], double ys[9]) {
  static const double k1[][2] = {{0, 0}};
  static const double k2[][2] = {{0, -0.6}, {0, 0.6}};
  static const double k3[][2] = {{-0.6, -0.7}, {0, 0}, {0.6, 0.7}};
  static const double k4[][2] = {{-0.55, -0.6}, {0.55, -0.6}, {-0.55, 0.6}, {0.55, 0.6}};
  static const double k5[][2] = {{-0.6, -0.7}, {0.6, -0.7}, {0, 0}, {-0.6, 0.7}, {0.6, 0.7}};
  static const double k6[][2] = {{-0.55, -0.75}, {0.55, -0.75}, {-0.55, 0},
                                 {0.55, 0},      {-0.55, 0.75}, {0.55, 0.75}};
  static const double k7[][2] = {{-0.65, -0.8}, {0, -0.6}, {0.65, -0.4}, {-0.55, 0.25},
                                 {0.55, 0.25},  {-0.55, 0.8}, {0.55, 0.8}};
  static const double k8[][2] = {{-0.55, -0.82}, {0.55, -0.82}, {-0.55, -0.27}, {0.55, -0.27},
                                 {-0.55, 0.27},  {0.55, 0.27},  {-0.55, 0.82},  {0.55, 0.82}};
  static const double k9[][2] = {{-0.65, -0.75}, {0, -0.75}, {0.65, -0.75}, {-0.65, 0}, {0, 0},
                                 {0.65, 0},      {-0.65, 0.75}, {0, 0.75},   {0.65, 0.75}};
  const double(*table[])[2] = {k1, k2, k3, k4, k5, k6, k7, k8, k9};
  if (n < 1) n = 1;
  if (n > 9) n = 9;
  for (int i = 0; i < n; ++i) {
    xs[i] = table[n - 1][i][0];
    ys[i] = table[n - 1][i][1];
  }
}

}  // namespace QOR::ART::MOTIF
