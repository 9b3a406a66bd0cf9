#include "tools/data/level_sheet.h"

#include "tools/data/resource_layout.h"

#include "tools/data/file_bytes.h"
#include "tools/data/levels/board_geometry.h"
#include "tools/data/levels/deal_check.h"
#include "tools/data/levels/level_designer.h"
#include "tools/data/levels/level_file.h"
#include "tools/data/levels/level_shapes.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace QOR {

namespace {

// One character per half grid cell: the layer number of the highest tile covering it, marked
// with a letter for special candidates (a, b, ...) and bonus tiles (A, B, ...).
void printLevel(const QS_LEVEL& level) {
  std::vector<std::string> rows(kGridMaxY + 2, std::string(kGridMaxX + 2, '.'));
  std::vector<std::vector<int>> top(kGridMaxY + 2, std::vector<int>(kGridMaxX + 2, -1));
  std::vector<QS_GRID_TILE> tiles = level.tiles;
  std::stable_sort(tiles.begin(), tiles.end(), [](const QS_GRID_TILE& a, const QS_GRID_TILE& b) { return a.layer < b.layer; });
  for (const QS_GRID_TILE& t : tiles)
    for (int y = t.y - 1; y <= t.y; ++y)
      for (int x = t.x - 1; x <= t.x; ++x) {
        if (y < 0 || x < 0 || y >= static_cast<int>(rows.size()) || x >= static_cast<int>(rows[0].size())) continue;
        if (t.layer < top[y][x]) continue;
        top[y][x] = t.layer;
        char c = static_cast<char>('0' + t.layer);
        if (t.special) c = static_cast<char>('a' + t.layer);
        if (t.bonus) c = static_cast<char>('A' + t.layer);
        rows[y][x] = c;
      }
  for (const std::string& row : rows) std::printf("  %s\n", row.c_str());
}

// One board at a quarter of the screen size: tiles drawn layer by layer as the game draws them,
// darker below; special candidates gold, bonus tiles red.
void drawBoard(cairo_t* cr, const QS_LEVEL& level, double left, double top, double scale) {
  cairo_save(cr);
  cairo_rectangle(cr, left, top, kScreenWidth * scale, kScreenHeight * scale);
  cairo_set_source_rgb(cr, 0.10, 0.22, 0.17);
  cairo_fill(cr);
  std::vector<QS_GRID_TILE> tiles = level.tiles;
  std::stable_sort(tiles.begin(), tiles.end(), [](const QS_GRID_TILE& a, const QS_GRID_TILE& b) {
    if (a.layer != b.layer) return a.layer < b.layer;
    const auto far = [](const QS_GRID_TILE& t) {
      const double dx = fTileScreenX(t) + 1.5 * kScreenWidth;
      const double dy = fTileScreenY(t) - 2.0 * kScreenHeight;
      return dx * dx + dy * dy;
    };
    return far(a) > far(b);
  });
  for (const QS_GRID_TILE& t : tiles) {
    const double x = left + (fTileScreenX(t) + t.layer * kLayerOffsetX - kTileSizeX / 2.0) * scale;
    const double y = top + (fTileScreenY(t) - t.layer * kLayerOffsetY - kTileSizeY / 2.0) * scale;
    const double w = kTileSizeX * scale;
    const double h = kTileSizeY * scale;
    const double shade = 0.55 + 0.09 * t.layer;
    cairo_rectangle(cr, x + kLayerOffsetX * scale, y - kLayerOffsetY * scale, w, h);
    if (t.special) cairo_set_source_rgb(cr, 0.95, 0.78, 0.25);
    else if (t.bonus) cairo_set_source_rgb(cr, 0.85, 0.30, 0.25);
    else cairo_set_source_rgb(cr, shade, shade, shade * 0.92);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.15, 0.12, 0.10);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

}  // namespace

int fPreviewLevels(const std::filesystem::path& sourceDir, const std::filesystem::path& png) {
  constexpr double kScale = 0.25;
  constexpr int kColumns = 10;
  const double cellW = kScreenWidth * kScale + 12;
  const double cellH = kScreenHeight * kScale + 30;
  cairo_surface_t* sheet = nullptr;
  cairo_t* cr = nullptr;
  if (!png.empty()) {
    const int rows = kPackCount * kLevelsPerPack / kColumns;
    sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(cellW * kColumns) + 12,
                                       static_cast<int>(cellH * rows) + 12);
    cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.05, 0.05, 0.05);
    cairo_paint(cr);
  }
  std::string text;
  QS_BALANCE balance;
  std::string error;
  if (!fReadFileText(sourceDir / "balance.xml", text) || !fReadBalance(text, balance, error)) {
    std::fprintf(stderr, "cannot read balance.xml %s\n", error.c_str());
    return 1;
  }
  for (std::size_t family = 0; family < fShapeFamilies().size(); ++family) {
    std::printf("%-10s", fShapeFamilies()[family].name);
    for (int layers : {3, 5}) {
      std::printf(" | %d layers:", layers);
      for (int count : fFamilyBoardSizes(static_cast<int>(family), layers)) std::printf(" %d", count);
    }
    std::printf("\n");
  }
  for (int pack = 1; pack <= kPackCount; ++pack)
    for (int number = 1; number <= kLevelsPerPack; ++number) {
      const QS_LEVEL_PLAN plan = fPlanLevel(pack, number);
      QS_LEVEL level;
      if (!fDesignLevel(plan, balance, level, error)) {
        std::printf("%s: %s\n", fLevelFileName(pack, number).c_str(), error.c_str());
        continue;
      }
      int layers = 0;
      for (const QS_GRID_TILE& t : level.tiles) layers = std::max(layers, t.layer + 1);
      std::printf("%s  %s  tiles %zu (target %d)  layers %d  specials %d  capacity %d  tasks %d:%d %d:%d\n",
                  fLevelFileName(pack, number).c_str(), fShapeFamilies()[plan.family].name, level.tiles.size(),
                  plan.targetTiles, layers, level.specsTotal, fSuitCapacity(level.suits), level.tasks[0].type,
                  level.tasks[0].value, level.tasks[1].type, level.tasks[1].value);
      printLevel(level);
      if (cr != nullptr) {
        const int index = (pack - 1) * kLevelsPerPack + number - 1;
        const double left = 12 + (index % kColumns) * cellW;
        const double top = 12 + (index / kColumns) * cellH;
        drawBoard(cr, level, left, top + 18, kScale);
        char label[160];
        std::snprintf(label, sizeof label, "%s %s %zu tiles, %d specials", fLevelFileName(pack, number).c_str(),
                      fShapeFamilies()[plan.family].name, level.tiles.size(), level.specsTotal);
        cairo_set_source_rgb(cr, 0.9, 0.85, 0.7);
        cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, 12);
        cairo_move_to(cr, left, top + 13);
        cairo_show_text(cr, label);
      }
    }
  if (cr != nullptr) {
    cairo_destroy(cr);
    const bool written = cairo_surface_write_to_png(sheet, png.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(sheet);
    if (!written) return 1;
  }
  return 0;
}

}  // namespace QOR
