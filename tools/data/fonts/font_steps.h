// The fonts step of the data builder: bakes the game's bitmap fonts (regular, bold with its
// stroke page, the trophies screen's big font and the board's font) from Debian's DejaVu faces
// into the step's staging folder. 0 on success; on failure the reason goes to stderr.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace QOR {

int fMakeFonts(const std::filesystem::path& stagingDir);

// One font of the step: its description file, its page files (the first is the one the
// description names) and the letter spacing the game gives it.
struct QS_FONT_FILES {
  std::string description;
  std::vector<std::string> pages;
  int gameSpacing = 0;
};
std::vector<QS_FONT_FILES> fFontFiles();

}  // namespace QOR
