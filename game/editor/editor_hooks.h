// The level editor's entry into the engine: the entry function the registrar hands to main and
// the hooks the engine calls from then on. The editor is one board in editor mode with its menu,
// over a backdrop, in a window wide enough for the menu beside the board's grid.
#pragma once

#include <cstdint>

class MAHJONG_LAYOUT;

// Fills the hook slots, starts the engine services, runs the loop until it is stopped and frees
// the board; 0.
int EditorMain(std::uintptr_t);
// The engine's init hook: constants, caption, the game's packs, the window size, the backdrop and
// the board in editor mode; 1.
int EditorInit(std::uintptr_t);
// One tick of the editor (its Escape key stops the engine, asking first when there is unsaved
// work); 1.
int EditorUpdate(std::uintptr_t);
// The backdrop and the editor's view of the board; 1.
int EditorRender(std::uintptr_t);
// The window's close request stops the engine, asking first when there is unsaved work; 1.
int EditorExit(std::uintptr_t);
// Frees the board, its menu and the backdrop (EditorMain does when the loop ends).
void EditorRelease();
// The board the editor runs: null before EditorInit and after EditorRelease.
MAHJONG_LAYOUT* EditorBoard();
