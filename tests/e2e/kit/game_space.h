// From game coordinates (the game's fixed resolution, 1024 x 768, y down) to window pixels, the
// inverse of the engine's own mapping of the cursor: a client area of exactly the game's size is
// the game space itself; any other size (full screen on a larger desktop) shows the game scaled
// by the smaller of the two ratios and centred, as the window's letterbox does
// (QC_WINDOW::fUpdateLetterbox and fScreenToGame).
#pragma once

namespace qor_e2e {

struct GAME_SPACE {
  int gameWidth = 1024;
  int gameHeight = 768;
  int windowWidth = 1024;
  int windowHeight = 768;

  float fScale() const {
    if (gameWidth <= 0 || gameHeight <= 0 || windowWidth <= 0 || windowHeight <= 0) return 1.0f;
    if (windowWidth == gameWidth && windowHeight == gameHeight) return 1.0f;
    const float sx = static_cast<float>(windowWidth) / static_cast<float>(gameWidth);
    const float sy = static_cast<float>(windowHeight) / static_cast<float>(gameHeight);
    return sx < sy ? sx : sy;
  }
  float fOffsetX() const {
    return (static_cast<float>(windowWidth) - static_cast<float>(gameWidth) * fScale()) / 2.0f;
  }
  float fOffsetY() const {
    return (static_cast<float>(windowHeight) - static_cast<float>(gameHeight) * fScale()) / 2.0f;
  }

  // The window pixel whose game point (after the engine's truncation) is (x, y): the pixel's
  // centre maps inside the game pixel, so rounding down lands on it.
  int fWindowX(float x) const { return static_cast<int>(fOffsetX() + (x + 0.5f) * fScale()); }
  int fWindowY(float y) const { return static_cast<int>(fOffsetY() + (y + 0.5f) * fScale()); }
};

}  // namespace qor_e2e
