// The level editor's controller, run by the play step while the board is in editor mode. Until the
// editor exists a board in editor mode stands still.
#include "game/board/mahjong_layout.h"

void MAHJONG_LAYOUT::UpdateEditor() {}
