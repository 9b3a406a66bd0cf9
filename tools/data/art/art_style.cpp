#include "tools/data/art/art_style.h"

#include <algorithm>
#include <cmath>

namespace QOR::ART {

using namespace PALETTE;

void fSetGoldSource(cairo_t* cr, double y0, double y1, double alpha) {
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgba(pat, 0.0, kGoldLight.r, kGoldLight.g, kGoldLight.b, alpha);
  cairo_pattern_add_color_stop_rgba(pat, 0.45, kGold.r, kGold.g, kGold.b, alpha);
  cairo_pattern_add_color_stop_rgba(pat, 0.55, kGoldDark.r, kGoldDark.g, kGoldDark.b, alpha);
  cairo_pattern_add_color_stop_rgba(pat, 1.0, kGold.r, kGold.g, kGold.b, alpha);
  cairo_set_source(cr, pat);
  cairo_pattern_destroy(pat);
}

void fGoldFrame(cairo_t* cr, double x, double y, double w, double h, double radius, double width) {
  cairo_save(cr);
  fRoundRect(cr, x + width / 2, y + width / 2, w - width, h - width, radius);
  cairo_set_line_width(cr, width);
  fSetGoldSource(cr, y, y + h);
  cairo_stroke(cr);
  // A fine light line on the inner edge.
  fRoundRect(cr, x + width, y + width, w - 2 * width, h - 2 * width, std::max(0.0, radius - width));
  cairo_set_line_width(cr, 1.0);
  fSetColor(cr, kGoldLight, 0.55);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void fGlow(cairo_t* cr, double cx, double cy, double rx, double ry, QS_RGB color, double alpha) {
  if (rx <= 0.0 || ry <= 0.0) return;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_pattern_t* pat = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1.0);
  cairo_pattern_add_color_stop_rgba(pat, 0.0, color.r, color.g, color.b, alpha);
  cairo_pattern_add_color_stop_rgba(pat, 0.45, color.r, color.g, color.b, alpha * 0.45);
  cairo_pattern_add_color_stop_rgba(pat, 1.0, color.r, color.g, color.b, 0.0);
  cairo_set_source(cr, pat);
  cairo_arc(cr, 0, 0, 1.0, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
  cairo_restore(cr);
}

void fCloud(cairo_t* cr, double cx, double cy, double size, QS_RGB color, double alpha,
            double lineWidth) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, size / 100.0, size / 100.0);
  cairo_set_line_width(cr, lineWidth * 100.0 / std::max(1.0, size));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  fSetColor(cr, color, alpha);
  // Three linked curls over a base line: the classic ruyi cloud.
  cairo_new_path(cr);
  cairo_arc(cr, -28, 4, 18, M_PI * 0.15, M_PI * 1.9);
  cairo_arc(cr, -26, 2, 8, M_PI * 1.9, M_PI * 3.4);
  cairo_stroke(cr);
  cairo_arc(cr, 4, -10, 24, M_PI * 0.85, M_PI * 2.2);
  cairo_stroke(cr);
  cairo_arc(cr, 2, -8, 10, M_PI * 1.1, M_PI * 2.6);
  cairo_stroke(cr);
  cairo_arc(cr, 32, 6, 16, M_PI * 1.1, M_PI * 2.9);
  cairo_stroke(cr);
  cairo_move_to(cr, -46, 22);
  cairo_curve_to(cr, -20, 26, 20, 26, 48, 22);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void fLacquerPanel(cairo_t* cr, double x, double y, double w, double h, double radius,
                   double border) {
  cairo_save(cr);
  fRoundRect(cr, x, y, w, h, radius);
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgb(pat, 0.0, 0.36, 0.08, 0.06);
  cairo_pattern_add_color_stop_rgb(pat, 0.5, 0.25, 0.05, 0.04);
  cairo_pattern_add_color_stop_rgb(pat, 1.0, 0.14, 0.03, 0.03);
  cairo_set_source(cr, pat);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(pat);
  // Faint clouds in the lacquer.
  cairo_clip(cr);
  QC_ART_RANDOM random(static_cast<std::uint64_t>(w * 7919 + h * 104729 + 17));
  const int clouds = std::max(1, static_cast<int>(w * h / 26000.0));
  for (int i = 0; i < clouds; ++i) {
    fCloud(cr, x + random.fUniform(0, w), y + random.fUniform(0, h), random.fUniform(50, 110),
           kGold, 0.07, 2.0);
  }
  // Soft light from the top.
  cairo_pattern_t* sheen = cairo_pattern_create_linear(0, y, 0, y + h * 0.5);
  cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 0.9, 0.7, 0.10);
  cairo_pattern_add_color_stop_rgba(sheen, 1, 1, 0.9, 0.7, 0.0);
  cairo_set_source(cr, sheen);
  cairo_paint(cr);
  cairo_pattern_destroy(sheen);
  cairo_reset_clip(cr);
  if (border > 0.0) {
    fGoldFrame(cr, x, y, w, h, radius, border);
    fGoldFrame(cr, x + border + 3, y + border + 3, w - 2 * (border + 3), h - 2 * (border + 3),
               std::max(0.0, radius - border - 3), 1.2);
  }
  cairo_restore(cr);
}

void fJadePanel(cairo_t* cr, double x, double y, double w, double h, double radius,
                double border) {
  cairo_save(cr);
  fRoundRect(cr, x, y, w, h, radius);
  cairo_pattern_t* pat = cairo_pattern_create_linear(x, y, x + w * 0.3, y + h);
  cairo_pattern_add_color_stop_rgb(pat, 0.0, 0.16, 0.50, 0.38);
  cairo_pattern_add_color_stop_rgb(pat, 0.5, 0.08, 0.33, 0.25);
  cairo_pattern_add_color_stop_rgb(pat, 1.0, 0.04, 0.20, 0.15);
  cairo_set_source(cr, pat);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(pat);
  cairo_clip(cr);
  // Veins of lighter stone.
  QC_ART_RANDOM random(static_cast<std::uint64_t>(w * 31 + h * 131 + 5));
  cairo_set_line_width(cr, 1.5);
  for (int i = 0; i < 6; ++i) {
    const double sx = x + random.fUniform(0, w);
    const double sy = y + random.fUniform(0, h);
    cairo_move_to(cr, sx, sy);
    cairo_curve_to(cr, sx + random.fUniform(-w, w) * 0.3, sy + random.fUniform(-h, h) * 0.3,
                   sx + random.fUniform(-w, w) * 0.4, sy + random.fUniform(-h, h) * 0.4,
                   sx + random.fUniform(-w, w) * 0.5, sy + random.fUniform(-h, h) * 0.5);
    fSetColor(cr, kJadeLight, 0.10);
    cairo_stroke(cr);
  }
  cairo_pattern_t* sheen = cairo_pattern_create_linear(0, y, 0, y + h * 0.45);
  cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 1, 0.16);
  cairo_pattern_add_color_stop_rgba(sheen, 1, 1, 1, 1, 0.0);
  cairo_set_source(cr, sheen);
  cairo_paint(cr);
  cairo_pattern_destroy(sheen);
  cairo_reset_clip(cr);
  if (border > 0.0) fGoldFrame(cr, x, y, w, h, radius, border);
  cairo_restore(cr);
}

void fIvoryPlate(cairo_t* cr, double x, double y, double w, double h, double radius) {
  cairo_save(cr);
  fRoundRect(cr, x, y, w, h, radius);
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, y, 0, y + h);
  cairo_pattern_add_color_stop_rgb(pat, 0.0, 0.99, 0.97, 0.90);
  cairo_pattern_add_color_stop_rgb(pat, 1.0, 0.92, 0.86, 0.72);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
  fGoldFrame(cr, x, y, w, h, radius, 2.0);
  cairo_restore(cr);
}

void fRoundButtonFace(cairo_t* cr, double cx, double cy, double r, QS_RGB inner, int state) {
  cairo_save(cr);
  // Drop shadow.
  fGlow(cr, cx + 1, cy + 2.5, r * 1.02, r * 1.02, QS_RGB{0, 0, 0}, 0.5);
  // Gold rim.
  cairo_arc(cr, cx, cy, r - 1, 0, 2 * M_PI);
  fSetGoldSource(cr, cy - r, cy + r);
  cairo_fill(cr);
  // Inner disc.
  const double ri = r * 0.84;
  cairo_pattern_t* pat = cairo_pattern_create_radial(cx - ri * 0.3, cy - ri * 0.4, ri * 0.1, cx, cy, ri);
  const QS_RGB light = fShade(inner, 0.35);
  const QS_RGB dark = fShade(inner, -0.45);
  cairo_pattern_add_color_stop_rgb(pat, 0.0, light.r, light.g, light.b);
  cairo_pattern_add_color_stop_rgb(pat, 1.0, dark.r, dark.g, dark.b);
  cairo_arc(cr, cx, cy, ri, 0, 2 * M_PI);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
  // Glass highlight.
  cairo_save(cr);
  cairo_arc(cr, cx, cy, ri, 0, 2 * M_PI);
  cairo_clip(cr);
  cairo_pattern_t* hi = cairo_pattern_create_linear(0, cy - ri, 0, cy);
  cairo_pattern_add_color_stop_rgba(hi, 0, 1, 1, 1, 0.28);
  cairo_pattern_add_color_stop_rgba(hi, 1, 1, 1, 1, 0.0);
  cairo_set_source(cr, hi);
  cairo_arc(cr, cx, cy - ri * 0.45, ri * 0.85, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(hi);
  cairo_restore(cr);
  if (state == 3) {
    cairo_arc(cr, cx, cy, r - 2, 0, 2 * M_PI);
    cairo_set_line_width(cr, 3);
    fSetColor(cr, kGoldLight, 0.9);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void fFlatButtonFace(cairo_t* cr, double x, double y, double w, double h, QS_RGB inner, int state) {
  cairo_save(cr);
  const double radius = std::min(h * 0.3, 14.0);
  fRoundRect(cr, x + 1, y + 2, w - 2, h - 2, radius);
  fSetColor(cr, QS_RGB{0, 0, 0}, 0.45);
  cairo_fill(cr);
  fRoundRect(cr, x, y, w - 1, h - 2, radius);
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, y, 0, y + h);
  const QS_RGB light = fShade(inner, 0.25);
  const QS_RGB dark = fShade(inner, -0.5);
  cairo_pattern_add_color_stop_rgb(pat, 0.0, light.r, light.g, light.b);
  cairo_pattern_add_color_stop_rgb(pat, 0.5, inner.r, inner.g, inner.b);
  cairo_pattern_add_color_stop_rgb(pat, 1.0, dark.r, dark.g, dark.b);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
  // Top sheen.
  fRoundRect(cr, x + 3, y + 3, w - 7, (h - 2) * 0.42, std::max(0.0, radius - 3));
  cairo_pattern_t* hi = cairo_pattern_create_linear(0, y, 0, y + h * 0.45);
  cairo_pattern_add_color_stop_rgba(hi, 0, 1, 1, 1, 0.22);
  cairo_pattern_add_color_stop_rgba(hi, 1, 1, 1, 1, 0.02);
  cairo_set_source(cr, hi);
  cairo_fill(cr);
  cairo_pattern_destroy(hi);
  fGoldFrame(cr, x, y, w - 1, h - 2, radius, state == 3 ? 3.0 : 2.0);
  cairo_restore(cr);
}

void fStarPath(cairo_t* cr, double cx, double cy, double outer, double inner) {
  cairo_new_path(cr);
  for (int i = 0; i < 10; ++i) {
    const double a = -M_PI / 2 + i * M_PI / 5;
    const double r = (i % 2 == 0) ? outer : inner;
    if (i == 0) cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    else cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
  }
  cairo_close_path(cr);
}

namespace {

void fArrowHead(cairo_t* cr, double x, double y, double angle, double size) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  cairo_move_to(cr, size, 0);
  cairo_line_to(cr, -size * 0.6, -size * 0.8);
  cairo_line_to(cr, -size * 0.6, size * 0.8);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace

namespace {

void fDrawIconBody(cairo_t* cr, ICON icon, double cx, double cy, double size, QS_RGB color) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  const double s = size / 2.0;  // half size: the icon spans -s..s
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, std::max(1.5, size * 0.09));
  fSetColor(cr, color);
  switch (icon) {
    case ICON::TIME: {  // hourglass
      cairo_move_to(cr, -s * 0.6, -s * 0.85);
      cairo_line_to(cr, s * 0.6, -s * 0.85);
      cairo_line_to(cr, -s * 0.6, s * 0.85);
      cairo_line_to(cr, s * 0.6, s * 0.85);
      cairo_close_path(cr);
      cairo_stroke(cr);
      cairo_move_to(cr, -s * 0.35, s * 0.7);
      cairo_line_to(cr, s * 0.35, s * 0.7);
      cairo_line_to(cr, 0, s * 0.25);
      cairo_close_path(cr);
      cairo_fill(cr);
      cairo_move_to(cr, -s * 0.75, -s * 0.95);
      cairo_line_to(cr, s * 0.75, -s * 0.95);
      cairo_move_to(cr, -s * 0.75, s * 0.95);
      cairo_line_to(cr, s * 0.75, s * 0.95);
      cairo_stroke(cr);
      break;
    }
    case ICON::STEPS: {  // two footprints
      for (int i = 0; i < 2; ++i) {
        const double dx = i == 0 ? -s * 0.35 : s * 0.35;
        const double dy = i == 0 ? s * 0.2 : -s * 0.25;
        cairo_save(cr);
        cairo_translate(cr, dx, dy);
        cairo_scale(cr, s * 0.26, s * 0.42);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        cairo_fill(cr);
        cairo_arc(cr, dx, dy + s * 0.62, s * 0.18, 0, 2 * M_PI);
        cairo_fill(cr);
      }
      break;
    }
    case ICON::SPECIAL: {  // a tile with a star
      fRoundRect(cr, -s * 0.62, -s * 0.85, s * 1.24, s * 1.7, s * 0.2);
      cairo_stroke(cr);
      fStarPath(cr, 0, 0, s * 0.5, s * 0.22);
      cairo_fill(cr);
      break;
    }
    case ICON::MONEY: {  // a square-holed coin
      cairo_arc(cr, 0, 0, s * 0.85, 0, 2 * M_PI);
      cairo_fill(cr);
      cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
      cairo_arc(cr, 0, 0, s * 0.68, 0, 2 * M_PI);
      cairo_set_line_width(cr, s * 0.08);
      cairo_stroke(cr);
      cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
      cairo_rectangle(cr, -s * 0.22, -s * 0.22, s * 0.44, s * 0.44);
      cairo_fill(cr);
      break;
    }
    case ICON::SHUFFLE: {  // two crossing arrows
      cairo_set_line_width(cr, size * 0.11);
      cairo_move_to(cr, -s * 0.8, -s * 0.45);
      cairo_curve_to(cr, -s * 0.1, -s * 0.45, s * 0.05, s * 0.45, s * 0.55, s * 0.45);
      cairo_stroke(cr);
      cairo_move_to(cr, -s * 0.8, s * 0.45);
      cairo_curve_to(cr, -s * 0.1, s * 0.45, s * 0.05, -s * 0.45, s * 0.55, -s * 0.45);
      cairo_stroke(cr);
      fArrowHead(cr, s * 0.6, s * 0.45, 0, s * 0.32);
      fArrowHead(cr, s * 0.6, -s * 0.45, 0, s * 0.32);
      break;
    }
    case ICON::EYE: {
      cairo_move_to(cr, -s * 0.9, 0);
      cairo_curve_to(cr, -s * 0.4, -s * 0.7, s * 0.4, -s * 0.7, s * 0.9, 0);
      cairo_curve_to(cr, s * 0.4, s * 0.7, -s * 0.4, s * 0.7, -s * 0.9, 0);
      cairo_close_path(cr);
      cairo_stroke(cr);
      cairo_arc(cr, 0, 0, s * 0.3, 0, 2 * M_PI);
      cairo_fill(cr);
      break;
    }
    case ICON::PLAY: {
      cairo_move_to(cr, -s * 0.45, -s * 0.7);
      cairo_line_to(cr, s * 0.75, 0);
      cairo_line_to(cr, -s * 0.45, s * 0.7);
      cairo_close_path(cr);
      cairo_fill(cr);
      break;
    }
    case ICON::BACK:
    case ICON::PREV:
    case ICON::NEXT: {
      const double dir = icon == ICON::NEXT ? 1.0 : -1.0;
      cairo_set_line_width(cr, size * 0.14);
      cairo_move_to(cr, -dir * s * 0.6, 0);
      cairo_line_to(cr, dir * s * 0.2, 0);
      cairo_stroke(cr);
      fArrowHead(cr, dir * s * 0.3, 0, icon == ICON::NEXT ? 0 : M_PI, s * 0.5);
      break;
    }
    case ICON::PLUS:
    case ICON::CROSS: {
      cairo_set_line_width(cr, size * 0.16);
      if (icon == ICON::CROSS) cairo_rotate(cr, M_PI / 4);
      cairo_move_to(cr, -s * 0.6, 0);
      cairo_line_to(cr, s * 0.6, 0);
      cairo_move_to(cr, 0, -s * 0.6);
      cairo_line_to(cr, 0, s * 0.6);
      cairo_stroke(cr);
      break;
    }
    case ICON::MENU: {
      cairo_set_line_width(cr, size * 0.13);
      for (int i = -1; i <= 1; ++i) {
        cairo_move_to(cr, -s * 0.55, i * s * 0.42);
        cairo_line_to(cr, s * 0.55, i * s * 0.42);
      }
      cairo_stroke(cr);
      break;
    }
    case ICON::TROPHY: {
      cairo_move_to(cr, -s * 0.55, -s * 0.8);
      cairo_line_to(cr, s * 0.55, -s * 0.8);
      cairo_curve_to(cr, s * 0.55, s * 0.1, s * 0.2, s * 0.25, 0, s * 0.25);
      cairo_curve_to(cr, -s * 0.2, s * 0.25, -s * 0.55, s * 0.1, -s * 0.55, -s * 0.8);
      cairo_fill(cr);
      cairo_rectangle(cr, -s * 0.1, s * 0.2, s * 0.2, s * 0.4);
      cairo_rectangle(cr, -s * 0.45, s * 0.6, s * 0.9, s * 0.25);
      cairo_fill(cr);
      cairo_set_line_width(cr, size * 0.07);
      cairo_arc(cr, -s * 0.55, -s * 0.45, s * 0.28, M_PI * 0.5, M_PI * 1.5);
      cairo_stroke(cr);
      cairo_arc_negative(cr, s * 0.55, -s * 0.45, s * 0.28, M_PI * 0.5, -M_PI * 0.5);
      cairo_stroke(cr);
      break;
    }
    case ICON::GEAR: {
      for (int i = 0; i < 8; ++i) {
        cairo_save(cr);
        cairo_rotate(cr, i * M_PI / 4);
        cairo_rectangle(cr, -s * 0.14, -s * 0.9, s * 0.28, s * 0.35);
        cairo_fill(cr);
        cairo_restore(cr);
      }
      cairo_arc(cr, 0, 0, s * 0.62, 0, 2 * M_PI);
      cairo_fill(cr);
      cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
      cairo_arc(cr, 0, 0, s * 0.25, 0, 2 * M_PI);
      cairo_fill(cr);
      break;
    }
    case ICON::HELP: {
      QS_TEXT_STYLE style;
      style.font = ART_FONT::SERIF_BOLD;
      style.size = size * 0.95;
      style.fill = color;
      fDrawText(cr, "?", 0, 0, style);
      break;
    }
    case ICON::REPLAY: {
      cairo_set_line_width(cr, size * 0.12);
      cairo_arc(cr, 0, 0, s * 0.6, M_PI * 0.1, M_PI * 1.65);
      cairo_stroke(cr);
      fArrowHead(cr, s * 0.62 * std::cos(M_PI * 1.65), s * 0.62 * std::sin(M_PI * 1.65),
                 M_PI * 1.65 + M_PI / 2, s * 0.32);
      break;
    }
    case ICON::HOME: {
      cairo_move_to(cr, -s * 0.8, -s * 0.05);
      cairo_line_to(cr, 0, -s * 0.8);
      cairo_line_to(cr, s * 0.8, -s * 0.05);
      cairo_close_path(cr);
      cairo_fill(cr);
      cairo_rectangle(cr, -s * 0.55, -s * 0.1, s * 1.1, s * 0.85);
      cairo_fill(cr);
      break;
    }
    case ICON::LOCK: {
      cairo_set_line_width(cr, size * 0.13);
      cairo_arc(cr, 0, -s * 0.2, s * 0.42, M_PI, 2 * M_PI);
      cairo_line_to(cr, s * 0.42, 0);
      cairo_move_to(cr, -s * 0.42, 0);
      cairo_line_to(cr, -s * 0.42, -s * 0.2);
      cairo_stroke(cr);
      fRoundRect(cr, -s * 0.65, -s * 0.05, s * 1.3, s * 0.95, s * 0.12);
      cairo_fill(cr);
      break;
    }
    case ICON::CAREER: {  // a pagoda roof over a door
      cairo_move_to(cr, -s * 0.95, -s * 0.2);
      cairo_curve_to(cr, -s * 0.5, -s * 0.35, -s * 0.2, -s * 0.6, 0, -s * 0.9);
      cairo_curve_to(cr, s * 0.2, -s * 0.6, s * 0.5, -s * 0.35, s * 0.95, -s * 0.2);
      cairo_close_path(cr);
      cairo_fill(cr);
      cairo_rectangle(cr, -s * 0.6, -s * 0.15, s * 1.2, s * 0.95);
      cairo_fill(cr);
      cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
      cairo_rectangle(cr, -s * 0.2, s * 0.25, s * 0.4, s * 0.55);
      cairo_fill(cr);
      break;
    }
    case ICON::CHECK: {
      cairo_set_line_width(cr, size * 0.16);
      cairo_move_to(cr, -s * 0.6, 0);
      cairo_line_to(cr, -s * 0.15, s * 0.5);
      cairo_line_to(cr, s * 0.65, -s * 0.55);
      cairo_stroke(cr);
      break;
    }
    case ICON::UP:
    case ICON::DOWN: {
      cairo_move_to(cr, 0, icon == ICON::UP ? -s * 0.7 : s * 0.7);
      cairo_line_to(cr, s * 0.7, icon == ICON::UP ? s * 0.45 : -s * 0.45);
      cairo_line_to(cr, -s * 0.7, icon == ICON::UP ? s * 0.45 : -s * 0.45);
      cairo_close_path(cr);
      cairo_fill(cr);
      break;
    }
    case ICON::SAVE: {
      fRoundRect(cr, -s * 0.75, -s * 0.75, s * 1.5, s * 1.5, s * 0.15);
      cairo_fill(cr);
      cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
      cairo_rectangle(cr, -s * 0.45, -s * 0.75, s * 0.9, s * 0.5);
      cairo_rectangle(cr, -s * 0.5, s * 0.15, s * 1.0, s * 0.45);
      cairo_fill(cr);
      break;
    }
    case ICON::LOAD: {
      cairo_move_to(cr, -s * 0.8, -s * 0.5);
      cairo_line_to(cr, -s * 0.3, -s * 0.5);
      cairo_line_to(cr, -s * 0.15, -s * 0.35);
      cairo_line_to(cr, s * 0.8, -s * 0.35);
      cairo_line_to(cr, s * 0.8, s * 0.65);
      cairo_line_to(cr, -s * 0.8, s * 0.65);
      cairo_close_path(cr);
      cairo_fill(cr);
      break;
    }
    case ICON::CLEAR: {
      cairo_set_line_width(cr, size * 0.1);
      cairo_move_to(cr, -s * 0.55, -s * 0.5);
      cairo_line_to(cr, -s * 0.4, s * 0.8);
      cairo_line_to(cr, s * 0.4, s * 0.8);
      cairo_line_to(cr, s * 0.55, -s * 0.5);
      cairo_stroke(cr);
      cairo_move_to(cr, -s * 0.75, -s * 0.6);
      cairo_line_to(cr, s * 0.75, -s * 0.6);
      cairo_move_to(cr, -s * 0.2, -s * 0.8);
      cairo_line_to(cr, s * 0.2, -s * 0.8);
      cairo_stroke(cr);
      break;
    }
    case ICON::TILE: {
      fRoundRect(cr, -s * 0.55, -s * 0.8, s * 1.1, s * 1.6, s * 0.18);
      cairo_stroke(cr);
      cairo_arc(cr, 0, 0, s * 0.25, 0, 2 * M_PI);
      cairo_fill(cr);
      break;
    }
    case ICON::BONUS: {
      fStarPath(cr, 0, 0, s * 0.9, s * 0.4);
      cairo_fill(cr);
      break;
    }
    case ICON::STAR: {
      fStarPath(cr, 0, 0, s * 0.95, s * 0.42);
      cairo_fill(cr);
      break;
    }
    case ICON::ALLCLICK: {  // a spark over several tiles
      for (int i = -1; i <= 1; ++i) {
        fRoundRect(cr, i * s * 0.55 - s * 0.25, -s * 0.2, s * 0.5, s * 0.8, s * 0.1);
        cairo_stroke(cr);
      }
      fStarPath(cr, 0, -s * 0.6, s * 0.35, s * 0.15);
      cairo_fill(cr);
      break;
    }
    case ICON::DELETE_ANY: {  // a tile struck through
      fRoundRect(cr, -s * 0.5, -s * 0.75, s * 1.0, s * 1.5, s * 0.15);
      cairo_stroke(cr);
      cairo_set_line_width(cr, size * 0.12);
      cairo_move_to(cr, -s * 0.8, s * 0.8);
      cairo_line_to(cr, s * 0.8, -s * 0.8);
      cairo_stroke(cr);
      break;
    }
    case ICON::SHOW_SPECIAL: {
      fRoundRect(cr, -s * 0.45, -s * 0.7, s * 0.9, s * 1.3, s * 0.15);
      cairo_stroke(cr);
      fStarPath(cr, 0, -s * 0.05, s * 0.35, s * 0.15);
      cairo_fill(cr);
      cairo_arc(cr, s * 0.5, s * 0.55, s * 0.3, 0, 2 * M_PI);
      cairo_stroke(cr);
      cairo_move_to(cr, s * 0.72, s * 0.77);
      cairo_line_to(cr, s * 0.95, s * 1.0);
      cairo_stroke(cr);
      break;
    }
    case ICON::MULT: {
      QS_TEXT_STYLE style;
      style.font = ART_FONT::SERIF_BOLD;
      style.size = size * 0.8;
      style.fill = color;
      fDrawText(cr, "x2", 0, 0, style);
      break;
    }
    case ICON::XP: {
      cairo_set_line_width(cr, size * 0.12);
      cairo_move_to(cr, -s * 0.7, s * 0.6);
      cairo_line_to(cr, -s * 0.1, -s * 0.1);
      cairo_line_to(cr, s * 0.2, s * 0.2);
      cairo_line_to(cr, s * 0.7, -s * 0.5);
      cairo_stroke(cr);
      fArrowHead(cr, s * 0.7, -s * 0.5, -M_PI / 4, s * 0.3);
      break;
    }
    case ICON::SLOT: {
      cairo_arc(cr, 0, 0, s * 0.75, 0, 2 * M_PI);
      cairo_stroke(cr);
      cairo_set_line_width(cr, size * 0.12);
      cairo_move_to(cr, -s * 0.35, 0);
      cairo_line_to(cr, s * 0.35, 0);
      cairo_move_to(cr, 0, -s * 0.35);
      cairo_line_to(cr, 0, s * 0.35);
      cairo_stroke(cr);
      break;
    }
  }
  cairo_restore(cr);
}

}  // namespace

// Icons are drawn into a group of their own, so the holes some of them cut stay in the icon.
void fDrawIcon(cairo_t* cr, ICON icon, double cx, double cy, double size, QS_RGB color) {
  cairo_save(cr);
  cairo_push_group(cr);
  fDrawIconBody(cr, icon, cx, cy, size, color);
  cairo_pop_group_to_source(cr);
  cairo_paint(cr);
  cairo_restore(cr);
}

QS_TEXT_STYLE fGoldTitle(double size) {
  QS_TEXT_STYLE style;
  style.font = ART_FONT::SERIF_BOLD;
  style.size = size;
  style.gradient = true;
  style.fill = kGoldLight;
  style.fillBottom = kGold;
  style.outline = std::max(1.0, size * 0.06);
  style.outlineColor = fHex(0x2A0F06);
  style.shadow = std::max(1.0, size * 0.05);
  return style;
}

QS_TEXT_STYLE fIvoryLabel(double size) {
  QS_TEXT_STYLE style;
  style.font = ART_FONT::SANS_BOLD;
  style.size = size;
  style.fill = kIvory;
  style.outline = std::max(1.0, size * 0.08);
  style.outlineColor = fHex(0x1E0C06);
  return style;
}

QS_TEXT_STYLE fInkText(double size) {
  QS_TEXT_STYLE style;
  style.font = ART_FONT::SANS_BOLD;
  style.size = size;
  style.fill = kInk;
  return style;
}

}  // namespace QOR::ART
