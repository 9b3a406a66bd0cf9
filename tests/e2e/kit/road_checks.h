// Checks every road through the real game shares: the window's picture turned into game pixels,
// the log lines that tell of a missing resource, the exit status, and where the title draws its
// panel and buttons (computed from the panel picture of the built data).
#pragma once

#include "tests/e2e/kit/game_space.h"
#include "tests/e2e/kit/pack_images.h"
#include "tests/e2e/kit/x_window.h"

#include <optional>
#include <string>
#include <vector>

namespace qor_e2e {

// The window's picture as the game drew it: each game pixel takes the window pixel that shows it
// (the whole window in a window, the scaled and centred picture full screen).
PICTURE fInGame(const PICTURE& window, const GAME_SPACE& space);

// The lines of log that tell of a missing resource or a dialog the player would have seen (the
// dialogs are log lines in these runs), each with the text that follows it; empty when none.
std::vector<std::string> fMissingResourceLines(const std::string& log);

// True when the wait status says the program exited with code.
bool fExitedWith(const std::optional<int>& status, int code);

// Where the title draws its panel and buttons, from the panel picture of the built data: the
// panel rests centred at x = width / 2 with its lower edge one pixel below the screen; the three
// buttons stand 8 pixels above its centre, Quit 140 to the right, Players 140 to the left.
struct TITLE_LAYOUT {
  PACK_IMAGE panel;
  int panelX = 0;  // centre of the panel at rest
  int panelY = 0;
  int buttonsY = 0;
  int playX = 0;
  int quitX = 0;
  int playersX = 0;

  TITLE_LAYOUT(PACK_IMAGE image, int gameWidth, int gameHeight);

  // True when the panel stands at rest in the picture (game pixels): at points of its opaque
  // margins (clear of the buttons, their labels and the greeting) the picture shows the panel's
  // own pixels, within the colours of the neighbouring picture pixels (the drawing may sit half a
  // pixel off).
  bool fPanelAtRest(const PICTURE& picture) const;
};

}  // namespace qor_e2e
