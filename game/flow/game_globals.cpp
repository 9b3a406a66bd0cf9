#include "game/flow/game_globals.h"

MAHJONG_GAME_MANAGER* gameManager = nullptr;
MAHJONG_LOADING_SCREEN* gameLoadingScreen = nullptr;
std::uint8_t gameLoaded = 0;
std::int32_t loadProgress = 0;
std::uint8_t gameActive = 1;
