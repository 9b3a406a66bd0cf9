// The game's top-level objects, made by the init hook (the sound lists' globals live with them in
// game/board). Main thread only.
#pragma once

#include <cstdint>

class MAHJONG_GAME_MANAGER;
class MAHJONG_LOADING_SCREEN;

extern MAHJONG_GAME_MANAGER* gameManager;
// Lives while loading; deleted when loading ends.
extern MAHJONG_LOADING_SCREEN* gameLoadingScreen;
// 0 while loading, 1 once loading is complete (never back to 0).
extern std::uint8_t gameLoaded;
// The staged loader's progress, 0..100 in steps of 10.
extern std::int32_t loadProgress;
