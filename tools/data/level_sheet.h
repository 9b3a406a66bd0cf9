// A look at the designed levels: each level's plan and its board as text on stdout, and, when a
// PNG path is given, one sheet with every board drawn as the game places it on the screen.
#pragma once

#include <filesystem>

namespace QOR {

int fPreviewLevels(const std::filesystem::path& sourceDir, const std::filesystem::path& png);

}  // namespace QOR
