// The tester's keys, asked every tick of play. None is wired yet: with or without the cheat file
// the step goes on as if no key had been pressed.
#include "game/board/mahjong_layout.h"

int MAHJONG_LAYOUT::CheatKeys() { return 0; }
