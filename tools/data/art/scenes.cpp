#include "tools/data/art/scenes.h"

#include "tools/data/art/art_style.h"

#include <algorithm>
#include <cmath>

namespace QOR::ART {

QS_THEME fTheme(int pack) {
  switch (pack) {
    case 2: return {fHex(0x2C4A66), fHex(0xE9C9A0), fHex(0x4E6A7E), fHex(0x3F5A4E), fHex(0xF3EEE4)};
    case 3: return {fHex(0x1E3B2C), fHex(0x9CC49A), fHex(0x3A6A4E), fHex(0x24452F), fHex(0x6FBF73)};
    case 4: return {fHex(0x3A0E12), fHex(0xE8923E), fHex(0x6A2A20), fHex(0x3A1612), fHex(0xF0B53A)};
    case 5: return {fHex(0x3E2A48), fHex(0xF2C6CF), fHex(0x6E5A7A), fHex(0x4A3A50), fHex(0xF29AB4)};
    case 6: return {fHex(0x0C1E3C), fHex(0x5E8FB8), fHex(0x22406A), fHex(0x102844), fHex(0x58B7E0)};
    default: return {fHex(0x16343A), fHex(0xC9DCC0), fHex(0x3D6660), fHex(0x1F4A48), fHex(0xF08CB0)};
  }
}

void fMountains(cairo_t* cr, double w, double baseY, double height, QS_RGB color, double alpha,
                QC_ART_RANDOM& random) {
  cairo_save(cr);
  cairo_move_to(cr, -10, baseY + height);
  double x = -10;
  double y = baseY + random.fUniform(0.2, 0.8) * height;
  cairo_line_to(cr, x, y);
  while (x < w + 10) {
    const double step = random.fUniform(0.08, 0.2) * w;
    const double peak = baseY + random.fUniform(0.0, 0.7) * height;
    const double nx = x + step;
    const double ny = baseY + random.fUniform(0.3, 0.9) * height;
    cairo_curve_to(cr, x + step * 0.3, peak, x + step * 0.55, peak, nx, ny);
    x = nx;
    y = ny;
  }
  cairo_line_to(cr, w + 10, baseY + height * 3);
  cairo_line_to(cr, -10, baseY + height * 3);
  cairo_close_path(cr);
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, baseY, 0, baseY + height * 1.5);
  cairo_pattern_add_color_stop_rgba(pat, 0, color.r, color.g, color.b, alpha);
  cairo_pattern_add_color_stop_rgba(pat, 1, color.r, color.g, color.b, alpha * 0.35);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
  cairo_restore(cr);
}

void fSun(cairo_t* cr, double x, double y, double r, QS_RGB color, double alpha) {
  fGlow(cr, x, y, r * 2.4, r * 2.4, color, alpha * 0.35);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  fSetColor(cr, color, alpha);
  cairo_fill(cr);
}

void fLotusLeaf(cairo_t* cr, double x, double y, double s) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, s, s * 0.32);
  cairo_arc(cr, 0, 0, 1, 0.15, 2 * M_PI - 0.15);
  cairo_line_to(cr, 0, 0);
  cairo_close_path(cr);
  cairo_restore(cr);
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, y - s * 0.3, 0, y + s * 0.3);
  cairo_pattern_add_color_stop_rgb(pat, 0, 0.30, 0.58, 0.36);
  cairo_pattern_add_color_stop_rgb(pat, 1, 0.10, 0.32, 0.20);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
  cairo_save(cr);
  cairo_set_line_width(cr, std::max(0.6, s * 0.02));
  cairo_set_source_rgba(cr, 0.7, 0.9, 0.7, 0.35);
  for (int i = 0; i < 8; ++i) {
    const double a = 0.4 + i * (2 * M_PI - 0.8) / 7;
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + std::cos(a) * s * 0.9, y + std::sin(a) * s * 0.29);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
}

void fLotus(cairo_t* cr, double x, double y, double s) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, s / 100.0, s / 100.0);
  // Petals from the back to the front.
  const double angles[] = {-1.2, 1.2, -0.75, 0.75, -0.3, 0.3, 0.0};
  for (double a : angles) {
    cairo_save(cr);
    cairo_rotate(cr, a * 0.9);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, -26, -20, -20, -70, 0, -92);
    cairo_curve_to(cr, 20, -70, 26, -20, 0, 0);
    cairo_pattern_t* pat = cairo_pattern_create_linear(0, -92, 0, 0);
    cairo_pattern_add_color_stop_rgb(pat, 0, 0.95, 0.48, 0.66);
    cairo_pattern_add_color_stop_rgb(pat, 1, 1.0, 0.90, 0.93);
    cairo_set_source(cr, pat);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pat);
    cairo_set_line_width(cr, 1.5);
    cairo_set_source_rgba(cr, 0.6, 0.2, 0.35, 0.5);
    cairo_stroke(cr);
    cairo_restore(cr);
  }
  cairo_restore(cr);
}

void fCrane(cairo_t* cr, double x, double y, double s, double tilt) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, tilt);
  cairo_scale(cr, s / 100.0, s / 100.0);
  // Wings spread, black tips.
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, side * 20, -30, side * 50, -40, side * 80, -20);
    cairo_curve_to(cr, side * 55, -10, side * 30, 0, 0, 6);
    cairo_set_source_rgb(cr, 0.97, 0.96, 0.93);
    cairo_fill(cr);
    cairo_move_to(cr, side * 60, -30);
    cairo_curve_to(cr, side * 70, -32, side * 76, -26, side * 80, -20);
    cairo_curve_to(cr, side * 70, -18, side * 64, -16, side * 56, -14);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    cairo_fill(cr);
  }
  // Body, neck stretched forward, legs trailing.
  cairo_save(cr);
  cairo_scale(cr, 1.0, 0.45);
  cairo_arc(cr, 0, 6, 18, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_set_source_rgb(cr, 0.97, 0.96, 0.93);
  cairo_fill(cr);
  cairo_set_line_width(cr, 4);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, 14, 0);
  cairo_line_to(cr, 48, -6);
  cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
  cairo_stroke(cr);
  cairo_arc(cr, 50, -6, 4, 0, 2 * M_PI);
  cairo_set_source_rgb(cr, 0.85, 0.1, 0.1);
  cairo_fill(cr);
  cairo_set_line_width(cr, 2);
  cairo_move_to(cr, 53, -6);
  cairo_line_to(cr, 64, -4);
  cairo_move_to(cr, -14, 6);
  cairo_line_to(cr, -50, 10);
  cairo_set_source_rgb(cr, 0.15, 0.15, 0.15);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void fBambooStalk(cairo_t* cr, double x, double y0, double y1, double width, QS_RGB color,
                  QC_ART_RANDOM& random) {
  cairo_save(cr);
  const QS_RGB light = fShade(color, 0.25);
  const QS_RGB dark = fShade(color, -0.45);
  cairo_pattern_t* pat = cairo_pattern_create_linear(x - width / 2, 0, x + width / 2, 0);
  cairo_pattern_add_color_stop_rgb(pat, 0, dark.r, dark.g, dark.b);
  cairo_pattern_add_color_stop_rgb(pat, 0.35, light.r, light.g, light.b);
  cairo_pattern_add_color_stop_rgb(pat, 1, dark.r, dark.g, dark.b);
  cairo_rectangle(cr, x - width / 2, y0, width, y1 - y0);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
  const double segment = width * random.fUniform(4.5, 6.5);
  for (double y = y1 - segment; y > y0; y -= segment) {
    cairo_rectangle(cr, x - width / 2 - 1, y - width * 0.08, width + 2, width * 0.16);
    fSetColor(cr, dark);
    cairo_fill(cr);
    if (random.fUniform(0, 1) < 0.35) {
      // A twig with leaves.
      const double dir = random.fUniform(0, 1) < 0.5 ? -1 : 1;
      cairo_set_line_width(cr, std::max(1.0, width * 0.12));
      cairo_move_to(cr, x + dir * width / 2, y);
      const double tx = x + dir * width * 3;
      const double ty = y - width * 1.5;
      cairo_line_to(cr, tx, ty);
      fSetColor(cr, dark);
      cairo_stroke(cr);
      for (int k = 0; k < 3; ++k) {
        cairo_save(cr);
        cairo_translate(cr, tx, ty);
        cairo_rotate(cr, (dir > 0 ? 0.2 : M_PI - 0.2) + (k - 1) * 0.5);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, width, -width * 0.6, width * 3, -width * 0.5, width * 4.5, 0);
        cairo_curve_to(cr, width * 3, width * 0.5, width, width * 0.6, 0, 0);
        cairo_restore(cr);
        fSetColor(cr, fShade(color, 0.1 * k));
        cairo_fill(cr);
      }
    }
  }
  cairo_restore(cr);
}

void fPhoenix(cairo_t* cr, double x, double y, double s) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, s / 100.0, s / 100.0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  // Long tail plumes sweeping down and back.
  const QS_RGB plumes[] = {fHex(0xE0452A), fHex(0xF0A030), fHex(0xC02418), fHex(0xF6CF5A),
                           fHex(0xE0452A)};
  for (int i = 0; i < 5; ++i) {
    const double off = (i - 2) * 14.0;
    cairo_move_to(cr, -10, 10);
    cairo_curve_to(cr, -60, 40 + off, -110, 10 + off * 1.5, -150, 70 + off * 2);
    cairo_set_line_width(cr, 7 - std::abs(i - 2));
    fSetColor(cr, plumes[i]);
    cairo_stroke(cr);
    cairo_arc(cr, -150, 70 + off * 2, 6, 0, 2 * M_PI);
    fSetColor(cr, fHex(0xF6CF5A));
    cairo_fill(cr);
  }
  // Wing raised in an arc of feathers.
  for (int i = 0; i < 7; ++i) {
    cairo_save(cr);
    cairo_rotate(cr, -1.9 + i * 0.16);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, 10, -10, 40, -12, 62 - i * 2, 0);
    cairo_curve_to(cr, 40, 8, 10, 8, 0, 0);
    cairo_restore(cr);
    fSetColor(cr, i % 2 == 0 ? fHex(0xD8382A) : fHex(0xF09A2E));
    cairo_fill(cr);
  }
  // Body, neck and head with crest.
  cairo_move_to(cr, -20, 14);
  cairo_curve_to(cr, -10, -10, 20, -20, 30, -30);
  cairo_curve_to(cr, 40, -20, 20, 10, -20, 14);
  fSetColor(cr, fHex(0xC62A1C));
  cairo_fill(cr);
  cairo_arc(cr, 34, -34, 7, 0, 2 * M_PI);
  fSetColor(cr, fHex(0xC62A1C));
  cairo_fill(cr);
  cairo_move_to(cr, 40, -36);
  cairo_line_to(cr, 52, -32);
  cairo_line_to(cr, 40, -31);
  fSetColor(cr, fHex(0xF6CF5A));
  cairo_fill(cr);
  cairo_set_line_width(cr, 2.5);
  for (int i = 0; i < 3; ++i) {
    cairo_move_to(cr, 32, -40);
    cairo_curve_to(cr, 28, -52, 20 + i * 4, -58, 14 + i * 6, -56);
  }
  fSetColor(cr, fHex(0xF6CF5A));
  cairo_stroke(cr);
  cairo_restore(cr);
}

void fBlossomBranch(cairo_t* cr, double x, double y, double length, double angle, double s,
                    QC_ART_RANDOM& random) {
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  double cx = x;
  double cy = y;
  double a = angle;
  const int segments = 7;
  for (int i = 0; i < segments; ++i) {
    const double len = length / segments;
    const double nx = cx + std::cos(a) * len;
    const double ny = cy + std::sin(a) * len;
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, nx, ny);
    cairo_set_line_width(cr, std::max(1.0, s * 0.22 * (1.0 - i / (segments + 1.0))));
    cairo_set_source_rgb(cr, 0.25, 0.15, 0.12);
    cairo_stroke(cr);
    // Blossoms along the branch.
    for (int k = 0; k < 2; ++k) {
      const double bx = nx + random.fUniform(-s, s);
      const double by = ny + random.fUniform(-s, s);
      const double r = s * random.fUniform(0.28, 0.42);
      for (int p = 0; p < 5; ++p) {
        const double pa = p * 2 * M_PI / 5 + k;
        cairo_arc(cr, bx + std::cos(pa) * r * 0.6, by + std::sin(pa) * r * 0.6, r * 0.55, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0.98, 0.74, 0.82, 0.95);
        cairo_fill(cr);
      }
      cairo_arc(cr, bx, by, r * 0.25, 0, 2 * M_PI);
      cairo_set_source_rgb(cr, 0.85, 0.3, 0.45);
      cairo_fill(cr);
    }
    cx = nx;
    cy = ny;
    a += random.fUniform(-0.35, 0.35);
  }
  cairo_restore(cr);
}

void fDragon(cairo_t* cr, double x, double y, double s) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, s / 100.0, s / 100.0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  // The body: a sine ribbon with scales along it.
  const int steps = 60;
  auto px = [](double t) { return -160 + t * 300; };
  auto py = [](double t) { return std::sin(t * 2.6 * M_PI) * 40 + t * 10; };
  for (int pass = 0; pass < 2; ++pass) {
    cairo_new_path(cr);
    for (int i = 0; i <= steps; ++i) {
      const double t = static_cast<double>(i) / steps;
      if (i == 0) cairo_move_to(cr, px(t), py(t));
      else cairo_line_to(cr, px(t), py(t));
    }
    cairo_set_line_width(cr, pass == 0 ? 30 : 22);
    if (pass == 0) cairo_set_source_rgb(cr, 0.05, 0.16, 0.32);
    else cairo_set_source_rgb(cr, 0.20, 0.55, 0.78);
    cairo_stroke(cr);
  }
  for (int i = 2; i < steps; i += 2) {
    const double t = static_cast<double>(i) / steps;
    cairo_arc(cr, px(t), py(t) - 3, 6, M_PI * 0.1, M_PI * 0.9);
    cairo_set_line_width(cr, 2);
    cairo_set_source_rgba(cr, 0.75, 0.92, 1.0, 0.7);
    cairo_stroke(cr);
  }
  // Spines.
  for (int i = 3; i < steps; i += 4) {
    const double t = static_cast<double>(i) / steps;
    cairo_move_to(cr, px(t) - 5, py(t) - 12);
    cairo_line_to(cr, px(t), py(t) - 24);
    cairo_line_to(cr, px(t) + 5, py(t) - 12);
    cairo_set_source_rgb(cr, 0.85, 0.68, 0.25);
    cairo_fill(cr);
  }
  // Head at the end.
  const double hx = px(1.0);
  const double hy = py(1.0);
  cairo_move_to(cr, hx - 10, hy - 16);
  cairo_curve_to(cr, hx + 20, hy - 26, hx + 42, hy - 10, hx + 46, hy + 2);
  cairo_curve_to(cr, hx + 30, hy + 8, hx + 10, hy + 18, hx - 10, hy + 14);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 0.20, 0.55, 0.78);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 3);
  cairo_set_source_rgb(cr, 0.05, 0.16, 0.32);
  cairo_stroke(cr);
  cairo_arc(cr, hx + 18, hy - 8, 4, 0, 2 * M_PI);
  cairo_set_source_rgb(cr, 0.98, 0.85, 0.3);
  cairo_fill(cr);
  cairo_set_line_width(cr, 2.5);
  cairo_move_to(cr, hx + 40, hy);
  cairo_curve_to(cr, hx + 60, hy - 10, hx + 70, hy + 20, hx + 90, hy + 10);
  cairo_move_to(cr, hx + 4, hy - 20);
  cairo_curve_to(cr, hx - 5, hy - 40, hx - 20, hy - 44, hx - 30, hy - 40);
  cairo_set_source_rgb(cr, 0.85, 0.68, 0.25);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void fWaves(cairo_t* cr, double w, double y, double size, QS_RGB color, double alpha) {
  cairo_save(cr);
  cairo_set_line_width(cr, std::max(1.0, size * 0.08));
  for (int row = 0; row < 4; ++row) {
    const double ry = y + row * size * 0.5;
    const double shift = (row % 2) * size * 0.5;
    for (double x = -size + shift; x < w + size; x += size) {
      for (int ring = 0; ring < 3; ++ring) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x, ry + size * 0.5, size * (0.5 - ring * 0.14), M_PI, 2 * M_PI);
      }
    }
    fSetColor(cr, color, alpha * (0.6 + row * 0.13));
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void fPagoda(cairo_t* cr, double x, double y, double s, QS_RGB color, double alpha) {
  cairo_save(cr);
  fSetColor(cr, color, alpha);
  const int floors = 5;
  double fy = y;
  for (int i = 0; i < floors; ++i) {
    const double fw = s * (0.42 - i * 0.06);
    const double fh = s * 0.13;
    cairo_rectangle(cr, x - fw * 0.35, fy - fh, fw * 0.7, fh);
    cairo_fill(cr);
    cairo_move_to(cr, x - fw * 0.75, fy - fh + 2);
    cairo_curve_to(cr, x - fw * 0.4, fy - fh - s * 0.02, x - fw * 0.3, fy - fh - s * 0.06, x,
                   fy - fh - s * 0.07);
    cairo_curve_to(cr, x + fw * 0.3, fy - fh - s * 0.06, x + fw * 0.4, fy - fh - s * 0.02,
                   x + fw * 0.75, fy - fh + 2);
    cairo_close_path(cr);
    cairo_fill(cr);
    fy -= fh + s * 0.05;
  }
  cairo_rectangle(cr, x - s * 0.01, fy - s * 0.12, s * 0.02, s * 0.12);
  cairo_fill(cr);
  cairo_restore(cr);
}

namespace {

void fSky(cairo_t* cr, const QS_THEME& theme, double w, double h) {
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, 0, 0, h);
  cairo_pattern_add_color_stop_rgb(pat, 0, theme.skyTop.r, theme.skyTop.g, theme.skyTop.b);
  cairo_pattern_add_color_stop_rgb(pat, 0.7, theme.skyBottom.r, theme.skyBottom.g, theme.skyBottom.b);
  cairo_pattern_add_color_stop_rgb(pat, 1, theme.ground.r, theme.ground.g, theme.ground.b);
  cairo_rectangle(cr, 0, 0, w, h);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
}

void fWater(cairo_t* cr, const QS_THEME& theme, double w, double h, double top) {
  cairo_pattern_t* pat = cairo_pattern_create_linear(0, top, 0, h);
  const QS_RGB a = fShade(theme.hills, -0.1);
  const QS_RGB b = fShade(theme.ground, -0.3);
  cairo_pattern_add_color_stop_rgb(pat, 0, a.r, a.g, a.b);
  cairo_pattern_add_color_stop_rgb(pat, 1, b.r, b.g, b.b);
  cairo_rectangle(cr, 0, top, w, h - top);
  cairo_set_source(cr, pat);
  cairo_fill(cr);
  cairo_pattern_destroy(pat);
  cairo_set_line_width(cr, std::max(1.0, h * 0.003));
  for (int i = 0; i < 14; ++i) {
    const double y = top + (h - top) * (i + 0.5) / 14.0;
    const double len = w * (0.1 + 0.05 * (i % 3));
    const double x = std::fmod(i * 0.37, 1.0) * (w - len);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + len, y);
  }
  cairo_set_source_rgba(cr, 1, 1, 1, 0.08);
  cairo_stroke(cr);
}

}  // namespace

void fPaintScene(cairo_t* cr, int pack, double w, double h, int variant, double detail) {
  const QS_THEME theme = fTheme(pack);
  QC_ART_RANDOM random(static_cast<std::uint64_t>(pack * 7919 + variant * 104729 + 11));
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, w, h);
  cairo_clip(cr);
  fSky(cr, theme, w, h);
  const double u = std::min(w, h);  // the scale of the motifs
  // The sun or moon, misty hills and a pagoda far away.
  const double sunX = w * (0.2 + 0.6 * random.fUniform(0, 1));
  fSun(cr, sunX, h * 0.26, u * 0.08, pack == 6 ? fHex(0xE8F0F8) : fHex(0xFBE3B0), 0.85);
  fMountains(cr, w, h * 0.38, h * 0.18, theme.hills, 0.45, random);
  if (detail > 0.5 && variant % 3 != 2) {
    fPagoda(cr, w * random.fUniform(0.15, 0.85), h * 0.56, u * 0.28, fShade(theme.hills, -0.35), 0.6);
  }
  fMountains(cr, w, h * 0.48, h * 0.14, fShade(theme.hills, -0.3), 0.7, random);
  switch (pack) {
    case 2: {  // cranes over a lake
      fWater(cr, theme, w, h, h * 0.68);
      const int n = 2 + variant % 3;
      for (int i = 0; i < n; ++i) {
        fCrane(cr, w * random.fUniform(0.1, 0.9), h * random.fUniform(0.12, 0.45), u * 0.22,
               random.fUniform(-0.3, 0.2));
      }
      break;
    }
    case 3: {  // a bamboo grove
      fMountains(cr, w, h * 0.62, h * 0.1, theme.ground, 0.9, random);
      const int n = 5 + static_cast<int>(detail * 6);
      for (int i = 0; i < n; ++i) {
        const double x = w * (i + random.fUniform(0.1, 0.9)) / n;
        const double width = u * random.fUniform(0.025, 0.05);
        const double shade = random.fUniform(-0.35, 0.1);
        fBambooStalk(cr, x, -10, h + 10, width, fShade(fHex(0x4E9A5A), shade), random);
      }
      break;
    }
    case 4: {  // a phoenix over red hills
      fMountains(cr, w, h * 0.7, h * 0.12, theme.ground, 0.95, random);
      fPhoenix(cr, w * (0.55 + 0.1 * (variant % 3 - 1)), h * 0.42, u * 0.55);
      break;
    }
    case 5: {  // cherry branches
      fMountains(cr, w, h * 0.7, h * 0.1, theme.ground, 0.9, random);
      fBlossomBranch(cr, -10, h * random.fUniform(0.1, 0.3), w * 0.7, random.fUniform(0.05, 0.3),
                     u * 0.09, random);
      if (detail > 0.3) {
        fBlossomBranch(cr, w + 10, h * random.fUniform(0.05, 0.2), w * 0.5,
                       M_PI - random.fUniform(0.1, 0.4), u * 0.08, random);
      }
      for (int i = 0; i < 24 * detail + 6; ++i) {
        cairo_save(cr);
        cairo_translate(cr, random.fUniform(0, w), random.fUniform(0, h));
        cairo_rotate(cr, random.fUniform(0, M_PI));
        cairo_scale(cr, u * 0.012, u * 0.007);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        cairo_set_source_rgba(cr, 0.98, 0.75, 0.83, 0.8);
        cairo_fill(cr);
      }
      break;
    }
    case 6: {  // the azure dragon in the clouds above waves
      for (int i = 0; i < 6; ++i) {
        fCloud(cr, w * random.fUniform(0, 1), h * random.fUniform(0.1, 0.6), u * 0.2,
               fHex(0xCFE6F5), 0.35, u * 0.006);
      }
      fDragon(cr, w * 0.42, h * (0.36 + 0.05 * (variant % 3)), w * 0.27);
      fWaves(cr, w, h * 0.74, u * 0.12, fHex(0xBFE2F2), 0.5);
      break;
    }
    default: {  // lotus pond
      fWater(cr, theme, w, h, h * 0.6);
      const int n = 3 + static_cast<int>(detail * 4);
      for (int i = 0; i < n; ++i) {
        const double x = w * (i + random.fUniform(0.2, 0.8)) / n;
        const double y = h * random.fUniform(0.72, 0.95);
        fLotusLeaf(cr, x, y, u * random.fUniform(0.1, 0.16));
        if (i % 2 == variant % 2) fLotus(cr, x + u * 0.03, y - u * 0.02, u * random.fUniform(0.12, 0.18));
      }
      break;
    }
  }
  cairo_restore(cr);
}

}  // namespace QOR::ART
