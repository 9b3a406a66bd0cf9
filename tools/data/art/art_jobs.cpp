#include "tools/data/art/art_jobs.h"

#include "tools/data/art/art_list.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace QOR::ART {

void fParallelFor(int count, const std::function<void(int)>& job) {
  if (count <= 0) return;
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const int threads = std::min(count, static_cast<int>(std::min(cores, 16u)));
  std::atomic<int> next{0};
  auto worker = [&]() {
    for (int i = next.fetch_add(1); i < count; i = next.fetch_add(1)) job(i);
  };
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(worker);
  worker();
  for (std::thread& t : pool) t.join();
}

void fPaintStrip(QC_CANVAS& canvas, int frames, const CELL_PAINTER& painter) {
  if (frames <= 0) return;
  const int cellW = canvas.fWidth() / frames;
  const int cellH = canvas.fHeight();
  for (int state = 0; state < frames; ++state) {
    QC_CANVAS cell(cellW, cellH);
    cairo_t* cr = cell.cr();
    cairo_save(cr);
    if (state == 2) cairo_translate(cr, 0, 1);  // pressed: sunk by a pixel
    painter(cr, cellW, cellH, state);
    cairo_restore(cr);
    switch (state) {
      case 1: cell.fAdjust(1.14, 0.0, 1.0); break;
      case 2: cell.fAdjust(0.86, 0.0, 1.0); break;
      case 3: cell.fAdjust(1.06, 0.0, 1.0); break;
      case 4: cell.fAdjust(0.78, 0.75, 0.8); break;
      default: break;
    }
    canvas.fPaste(cell, static_cast<double>(state) * cellW, 0);
  }
}

int fRunPainters(const std::string& step, const std::filesystem::path& stagingDir,
                 const PAINTER_TABLE& painters) {
  std::vector<const QS_DATA_ITEM*> items;
  for (const QS_DATA_ITEM& item : fArtList()) {
    if (item.step != step) continue;
    if (painters.find(item.file) == painters.end()) {
      std::fprintf(stderr, "no painter for %s (step %s)\n", item.file.c_str(), step.c_str());
      return 1;
    }
    items.push_back(&item);
  }
  std::atomic<int> failures{0};
  fParallelFor(static_cast<int>(items.size()), [&](int i) {
    const QS_DATA_ITEM& item = *items[static_cast<std::size_t>(i)];
    QC_CANVAS canvas(item.width, item.height);
    painters.at(item.file)(canvas, item);
    const std::filesystem::path path = stagingDir / item.file;
    const std::string ext = path.extension().string();
    const bool ok = (ext == ".jpg") ? canvas.fWriteJpeg(path) : canvas.fWritePng(path);
    if (!ok) failures.fetch_add(1);
  });
  return failures.load() == 0 ? 0 : 1;
}

}  // namespace QOR::ART
