#include "tests/e2e/kit/road_checks.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdint>

namespace qor_e2e {

namespace {

// Log lines the engine and the game write when a resource is missing or does not load; with the
// dialogs turned into log lines, a "MessageBox [" line is a dialog the player would have seen.
const char* const kMissingResourceLines[] = {
    "No resource",  "Not find",          "not loaded",           "Resource not found", "Res not loaded",
    "No pack named", "not read:",        "not opened:",          "Textue not load",    "rror loading font",
    "Resource error", "Resources folder missing", "resource not ready", "Resource is not",  "MessageBox [",
};

}  // namespace

PICTURE fInGame(const PICTURE& window, const GAME_SPACE& space) {
  PICTURE game;
  if (window.fEmpty()) return game;
  const int width = space.gameWidth;
  const int height = space.gameHeight;
  game.width = width;
  game.height = height;
  game.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  for (int y = 0; y < height; ++y) {
    const int wy = space.fWindowY(static_cast<float>(y));
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = window.fAt(space.fWindowX(static_cast<float>(x)), wy);
      const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
      game.rgb[at] = static_cast<std::uint8_t>(p >> 16);
      game.rgb[at + 1] = static_cast<std::uint8_t>(p >> 8);
      game.rgb[at + 2] = static_cast<std::uint8_t>(p);
    }
  }
  return game;
}

std::vector<std::string> fMissingResourceLines(const std::string& log) {
  std::vector<std::string> found;
  for (const char* line : kMissingResourceLines) {
    const std::size_t at = log.find(line);
    if (at != std::string::npos) found.push_back(log.substr(at, 160));
  }
  return found;
}

bool fExitedWith(const std::optional<int>& status, int code) {
  return status && WIFEXITED(*status) && WEXITSTATUS(*status) == code;
}

TITLE_LAYOUT::TITLE_LAYOUT(PACK_IMAGE image, int gameWidth, int gameHeight) : panel(std::move(image)) {
  panelX = gameWidth / 2;
  panelY = gameHeight - panel.height / 2 + 1;
  buttonsY = panelY - 8;
  playX = gameWidth / 2;
  quitX = gameWidth / 2 + 140;
  playersX = gameWidth / 2 - 140;
}

bool TITLE_LAYOUT::fPanelAtRest(const PICTURE& picture) const {
  const int left = panelX - panel.width / 2;
  const int top = panelY - panel.height / 2;
  int compared = 0;
  for (int lx : {20, 60, panel.width - 60, panel.width - 20}) {
    for (int ly : {panel.height / 6, panel.height / 2, panel.height - panel.height / 6}) {
      int low[3] = {255, 255, 255};
      int high[3] = {0, 0, 0};
      bool opaque = true;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const std::uint32_t p = panel.fAt(lx + dx, ly + dy);
          if ((p >> 24) != 0xFF) opaque = false;
          for (int c = 0; c < 3; ++c) {
            const int v = static_cast<int>((p >> (16 - 8 * c)) & 0xFF);
            low[c] = std::min(low[c], v);
            high[c] = std::max(high[c], v);
          }
        }
      }
      if (!opaque) continue;
      const std::uint32_t shown = picture.fAt(left + lx, top + ly);
      for (int c = 0; c < 3; ++c) {
        const int v = static_cast<int>((shown >> (16 - 8 * c)) & 0xFF);
        if (v < low[c] - 6 || v > high[c] + 6) return false;
      }
      ++compared;
    }
  }
  return compared >= 4;
}

}  // namespace qor_e2e
