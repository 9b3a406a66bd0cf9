#include "tools/data/contact_sheet.h"

#include "tools/data/file_bytes.h"
#include "tools/data/manifest.h"
#include "tools/data/resource_layout.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace QOR {

namespace {

constexpr int kSheetWidth = 2000;
constexpr int kMargin = 20;
constexpr int kCellWidth = 245;
constexpr int kCellHeight = 210;
constexpr int kThumbWidth = 225;
constexpr int kThumbHeight = 170;

// A decoded picture as a cairo surface (premultiplied, native-endian ARGB); null when it does not
// decode.
cairo_surface_t* loadPicture(const std::filesystem::path& path) {
  std::string bytes;
  if (!fReadFileText(path, bytes) || bytes.empty()) return nullptr;
  int width = 0;
  int height = 0;
  int channels = 0;
  stbi_uc* rgba = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()), static_cast<int>(bytes.size()),
                                        &width, &height, &channels, 4);
  if (rgba == nullptr) return nullptr;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  cairo_surface_flush(surface);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      const stbi_uc* p = rgba + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
      const std::uint32_t a = p[3];
      const std::uint32_t r = p[0] * a / 255;
      const std::uint32_t g = p[1] * a / 255;
      const std::uint32_t b = p[2] * a / 255;
      row[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
  cairo_surface_mark_dirty(surface);
  stbi_image_free(rgba);
  return surface;
}

void checkerboard(cairo_t* cr, double x, double y, double w, double h) {
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  for (int j = 0; j * 10 < h; ++j)
    for (int i = 0; i * 10 < w; ++i) {
      const double shade = (i + j) % 2 == 0 ? 0.32 : 0.26;
      cairo_set_source_rgb(cr, shade, shade, shade);
      cairo_rectangle(cr, x + i * 10, y + j * 10, 10, 10);
      cairo_fill(cr);
    }
  cairo_restore(cr);
}

// Draws the picture scaled to fit the box (never enlarged), centred in it.
void drawFitted(cairo_t* cr, cairo_surface_t* picture, double x, double y, double w, double h) {
  const double pw = cairo_image_surface_get_width(picture);
  const double ph = cairo_image_surface_get_height(picture);
  if (pw <= 0 || ph <= 0) return;
  const double scale = std::min({1.0, w / pw, h / ph});
  const double dx = x + (w - pw * scale) / 2;
  const double dy = y + (h - ph * scale) / 2;
  checkerboard(cr, dx, dy, pw * scale, ph * scale);
  cairo_save(cr);
  cairo_translate(cr, dx, dy);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, picture, 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
}

void caption(cairo_t* cr, const std::string& text, double x, double y, double size) {
  cairo_set_source_rgb(cr, 0.93, 0.86, 0.62);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, text.c_str());
}

bool isTileSet(const QS_DATA_ITEM& item) {
  return std::any_of(std::begin(kTileSetPictures), std::end(kTileSetPictures),
                     [&](const char* name) { return item.entry == name; });
}

// Of the level backgrounds "bgnd/Levels/P/N.png" only N = 1 is shown.
bool isShownBackground(const QS_DATA_ITEM& item) {
  if (item.entry.rfind("bgnd/Levels/", 0) != 0) return true;
  return item.entry.size() >= 6 && item.entry.compare(item.entry.size() - 6, 6, "/1.png") == 0;
}

// Writes the sheet and gives back what cairo and fontconfig keep for its captions; 0 on success.
int fFinishSheet(cairo_surface_t* sheet, const std::filesystem::path& png) {
  const cairo_status_t status = cairo_surface_write_to_png(sheet, png.c_str());
  cairo_surface_destroy(sheet);
  // The captions' font came through fontconfig, which would otherwise keep its patterns to the
  // end, linked by offsets the leak checker cannot follow: cairo's font caches go first, then
  // fontconfig's configuration.
  cairo_debug_reset_static_data();
  FcFini();
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "contact sheet: cannot write %s\n", png.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int fWriteContactSheet(const std::filesystem::path& stagingRoot, const std::filesystem::path& png) {
  std::vector<const QS_DATA_ITEM*> tileSets;
  std::vector<const QS_DATA_ITEM*> thumbs;
  for (const QS_DATA_ITEM& item : fManifest()) {
    if (item.kind != DATA_KIND::IMAGE) continue;
    if (isTileSet(item)) tileSets.push_back(&item);
    else if (isShownBackground(item)) thumbs.push_back(&item);
  }
  const int columns = (kSheetWidth - 2 * kMargin) / kCellWidth;
  const int tileRowHeight = kTileCellY * 6 + 40;
  const int thumbRows = (static_cast<int>(thumbs.size()) + columns - 1) / columns;
  const int height = kMargin * 3 + 40 + tileRowHeight + thumbRows * kCellHeight;
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSheetWidth, height);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.09, 0.16, 0.13);
  cairo_paint(cr);
  caption(cr, "Resources contact sheet: tile sets and pictures", kMargin, kMargin + 24, 26);

  int missing = 0;
  double x = kMargin;
  const double tileTop = kMargin + 50;
  for (const QS_DATA_ITEM* item : tileSets) {
    cairo_surface_t* picture = loadPicture(stagingRoot / item->step / item->file);
    if (picture == nullptr) {
      ++missing;
      continue;
    }
    drawFitted(cr, picture, x, tileTop + 20, (kSheetWidth - 2.0 * kMargin) / 3 - 10, kTileCellY * 6);
    caption(cr, item->entry, x, tileTop + 14, 16);
    x += (kSheetWidth - 2.0 * kMargin) / 3;
    cairo_surface_destroy(picture);
  }
  const double thumbTop = tileTop + tileRowHeight + kMargin;
  for (std::size_t i = 0; i < thumbs.size(); ++i) {
    const double cx = kMargin + static_cast<double>(i % static_cast<std::size_t>(columns)) * kCellWidth;
    const double cy = thumbTop + static_cast<double>(i / static_cast<std::size_t>(columns)) * kCellHeight;
    cairo_surface_t* picture = loadPicture(stagingRoot / thumbs[i]->step / thumbs[i]->file);
    if (picture == nullptr) {
      ++missing;
      caption(cr, "missing: " + thumbs[i]->entry, cx, cy + kThumbHeight / 2.0, 12);
      continue;
    }
    drawFitted(cr, picture, cx, cy, kThumbWidth, kThumbHeight);
    char size[32];
    std::snprintf(size, sizeof size, "  %dx%d", cairo_image_surface_get_width(picture),
                  cairo_image_surface_get_height(picture));
    caption(cr, thumbs[i]->entry + size, cx, cy + kThumbHeight + 18, 11);
    cairo_surface_destroy(picture);
  }
  cairo_destroy(cr);
  if (fFinishSheet(sheet, png) != 0) return 1;
  if (missing > 0) std::fprintf(stderr, "contact sheet: %d pictures missing or unreadable\n", missing);
  return missing == 0 ? 0 : 1;
}

int fWriteShotSheet(const std::filesystem::path& folder, const std::filesystem::path& png) {
  std::vector<std::filesystem::path> shots;
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->is_regular_file() && it->path().extension() == ".png") shots.push_back(it->path());
  }
  std::sort(shots.begin(), shots.end());
  if (shots.empty()) {
    std::fprintf(stderr, "contact sheet: no PNG under %s\n", folder.c_str());
    return 1;
  }
  // Screenshots are larger than the art's thumbnails; each run's folder starts a row of its own
  // under its name, each shot is captioned with its step.
  const int cellWidth = 3 * kCellWidth / 2 + 20;
  const int thumbWidth = cellWidth - 20;
  const int thumbHeight = thumbWidth * 3 / 4;
  const int cellHeight = thumbHeight + 30;
  const int headerHeight = 34;
  const int columns = (kSheetWidth - 2 * kMargin) / cellWidth;
  struct PLACED {
    std::filesystem::path shot;
    double x = 0.0;
    double y = 0.0;
  };
  std::vector<PLACED> placed;
  std::vector<std::pair<std::string, double>> headers;
  double y = kMargin + 50;
  std::filesystem::path group;
  int column = columns;
  for (const std::filesystem::path& shot : shots) {
    if (shot.parent_path() != group) {
      group = shot.parent_path();
      if (column != columns) y += cellHeight;
      headers.emplace_back(std::filesystem::relative(group, folder, error).string(), y + 22);
      y += headerHeight;
      column = 0;
    } else if (column == columns) {
      y += cellHeight;
      column = 0;
    }
    placed.push_back({shot, kMargin + static_cast<double>(column) * cellWidth, y});
    ++column;
  }
  const int height = static_cast<int>(y) + cellHeight + kMargin;
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSheetWidth, height);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.09, 0.16, 0.13);
  cairo_paint(cr);
  caption(cr, "Screenshots: " + folder.string(), kMargin, kMargin + 24, 22);
  for (const auto& [name, top] : headers) caption(cr, name, kMargin, top, 18);
  int unreadable = 0;
  for (const PLACED& p : placed) {
    const std::string step = p.shot.stem().string();
    cairo_surface_t* picture = loadPicture(p.shot);
    if (picture == nullptr) {
      ++unreadable;
      caption(cr, "unreadable: " + step, p.x, p.y + thumbHeight / 2.0, 12);
      continue;
    }
    drawFitted(cr, picture, p.x, p.y, thumbWidth, thumbHeight);
    caption(cr, step, p.x, p.y + thumbHeight + 18, 13);
    cairo_surface_destroy(picture);
  }
  cairo_destroy(cr);
  if (fFinishSheet(sheet, png) != 0) return 1;
  if (unreadable > 0) std::fprintf(stderr, "contact sheet: %d screenshots unreadable\n", unreadable);
  return unreadable == 0 ? 0 : 1;
}

}  // namespace QOR
