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
// The window's activation state, kept from its first message on, loading included: 1 while it is
// active, 0 while it is away (deactivated, its focus lost). A game away plays no sound and runs
// no level clock.
extern std::uint8_t gameActive;
