// The screens the game manager updates and draws, one at a time.
#pragma once

// The value of the current and of the requested screen. 9 has no handler; values above 12 update
// and draw nothing.
enum SCREEN_TYPE : int {
  GAME_SCREEN = 0,
  COMICS_SCREEN = 1,
  FINAL_SCREEN = 2,
  BOARD_SCREEN = 3,
  TITLE_SCREEN = 4,
  PLAYERS_SCREEN = 5,
  PACKS_SCREEN = 6,
  EMPTY_SCREEN = 7,
  TROPHIES_SCREEN = 8,
  LEVEL_START_SCREEN = 10,
  LEVEL_END_SCREEN = 11,
  LEVELS_SCREEN = 12,
};
