// The game's entry into the engine: the entry function the registrar hands to main, and the six
// hooks the engine calls from then on. Until loading is complete the hooks drive the manager's
// staged loader and the loading screen; afterwards they forward every tick and frame to the
// manager. Each has the engine's callback form; results go nowhere.
#pragma once

#include <cstdint>

// Fills the hook slots, starts the engine services and runs the loop until it is stopped;
// -100500. When another game holds the player file's lock, says so in a box and returns 0 at
// once, having started nothing.
int GameMain(std::uintptr_t);
// The engine's init hook: caption and rate limits from the constants, the folder packs, the sound
// lists, the game manager and the loading screen; 1.
int GameInit(std::uintptr_t);
// One tick: a loading stage and the loading screen's clock while loading (0), then the music and
// the manager (1); the manager's -108 stops the engine.
int GameUpdate(std::uintptr_t);
// One frame: the loading screen while loading (0), then the manager and its top layer (1).
int GameRender(std::uintptr_t);
// The window's activation state (gameActive) is kept from the first message on; loading's end
// and a level's start apply it too. Activate: volumes back to the player's and the board resumed
// (1); while loading only the volumes (0).
int GameActivate(std::uintptr_t);
// Volumes to 0 and the board paused (1); while loading only the volumes (0).
int GameDeactivate(std::uintptr_t);
// The window's close request (SIGINT and SIGTERM close the window too): a running count-up ends,
// giving what it still had to give, and the engine stops; 1.
int GameExit(std::uintptr_t);
