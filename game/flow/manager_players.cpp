// The players screen's build: for now the player box that the title's questions use.
#include "game/flow/mahjong_game_manager.h"

void MAHJONG_GAME_MANAGER::BuildPlayers() { BuildPlayerBox(); }
