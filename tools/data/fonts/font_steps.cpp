#include "tools/data/fonts/font_steps.h"

#include "tools/data/art/art_list.h"
#include "tools/data/art/qc_canvas.h"
#include "tools/data/fonts/qc_font_baker.h"
#include "tools/data/resource_layout.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <thread>

namespace QOR {

namespace {

struct FONT_JOB {
  QS_FONT_FILES files;
  QS_FONT_RECIPE recipe;
};

std::vector<FONT_JOB> fJobs() {
  using ART::ART_FONT;
  using ART::fFontFile;
  std::vector<FONT_JOB> jobs(4);
  // Regular: descriptions, values and messages. The game spaces it by -8 and centres one line
  // at a third of its height; a soft dark edge keeps it readable on any ground.
  jobs[0].files = {kRegularFontFnt, {kRegularFontPng}, -8};
  jobs[0].recipe.fontFile = fFontFile(ART_FONT::SANS);
  jobs[0].recipe.pixelSize = 19;
  jobs[0].recipe.padding = 8;
  jobs[0].recipe.outline = 1.0;
  jobs[0].recipe.outlineAlpha = 0.55;
  jobs[0].recipe.verticalDivisor = 3.0;
  // Bold: titles and button labels, spaced by -3, centred at half its height; its stroke page
  // shares the rectangles and adds a dark outline.
  jobs[1].files = {kBoldFontFnt, {kBoldFontPng, kBoldFontStrokePng}, -3};
  jobs[1].recipe.fontFile = fFontFile(ART_FONT::SANS_BOLD);
  jobs[1].recipe.pixelSize = 22;
  jobs[1].recipe.padding = 3 + 4;
  jobs[1].recipe.outline = 0.0;
  jobs[1].recipe.strokeOutline = 2.0;
  jobs[1].recipe.verticalDivisor = 2.0;
  // Big: the trophies screen's header, spaced by -3.
  jobs[2].files = {kBigFontFnt, {kBigFontPng}, -3};
  jobs[2].recipe.fontFile = fFontFile(ART_FONT::SERIF_BOLD);
  jobs[2].recipe.pixelSize = 40;
  jobs[2].recipe.padding = 3 + 6;
  jobs[2].recipe.outline = 3.0;
  jobs[2].recipe.verticalDivisor = 4.0;
  jobs[2].recipe.pageWidth = 1024;
  // The board's font: hint text and the editor's counters, spaced by -10.
  jobs[3].files = {kBoardFontFnt, {kBoardFontPng}, -10};
  jobs[3].recipe.fontFile = fFontFile(ART_FONT::SANS_CONDENSED_BOLD);
  jobs[3].recipe.pixelSize = 22;
  jobs[3].recipe.padding = 10;
  jobs[3].recipe.outline = 1.5;
  jobs[3].recipe.verticalDivisor = 4.0;
  return jobs;
}

bool fWriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (!file) {
    std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
    return false;
  }
  return true;
}

}  // namespace

std::vector<QS_FONT_FILES> fFontFiles() {
  std::vector<QS_FONT_FILES> files;
  for (const FONT_JOB& job : fJobs()) files.push_back(job.files);
  return files;
}

int fMakeFonts(const std::filesystem::path& stagingDir) {
  const std::vector<FONT_JOB> jobs = fJobs();
  const std::vector<std::uint32_t> characters = fFontCharacters();
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (const FONT_JOB& job : jobs) {
    threads.emplace_back([&job, &characters, &stagingDir, &failures]() {
      QS_BAKED_FONT font;
      bool ok = fBakeFont(job.recipe, characters, font);
      ok = ok && fWriteText(stagingDir / job.files.description,
                            fFontDescription(font, {job.files.pages.front()}));
      ok = ok && fWritePage(font.page, font.pageWidth, font.pageHeight,
                            stagingDir / job.files.pages.front());
      if (ok && job.files.pages.size() > 1) {
        ok = fWritePage(font.strokePage, font.pageWidth, font.pageHeight,
                        stagingDir / job.files.pages[1]);
      }
      if (!ok) failures.fetch_add(1);
    });
  }
  for (std::thread& t : threads) t.join();
  return failures.load() == 0 ? 0 : 1;
}

}  // namespace QOR
