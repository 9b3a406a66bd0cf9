// Real X input for the game's window through xdotool (the XTEST extension, as a user's mouse and
// keyboard would give it): pointer moves and clicks at game coordinates, keys and typed text.
// Presses and releases are held apart for several of the game's update ticks, so the game sees
// a press in one tick and its release in a later one, as it does with a person at the controls.
#pragma once

#include "tests/e2e/kit/game_space.h"
#include "tests/e2e/kit/x_window.h"

#include <chrono>
#include <string>
#include <vector>

namespace qor_e2e {

class X_INPUT {
 public:
  // Input on display (":N") for window; the game's resolution gives the game space.
  X_INPUT(const std::string& display, X_WINDOW& window, int gameWidth = 1024, int gameHeight = 768);

  // The mapping from game coordinates to the window as it is placed now.
  GAME_SPACE fSpace();
  // Moves the pointer to the game point (x, y). False when xdotool failed.
  bool fMoveTo(float x, float y);
  // Moves there, presses and releases button 1.
  bool fClickAt(float x, float y);
  // Presses button 1 at the first game point, moves to the second in a few steps with the button
  // held, and releases it there (a slider's knob dragged).
  bool fDrag(float fromX, float fromY, float toX, float toY);
  // Presses and releases one key by its X keysym name ("Return", "Escape", "BackSpace", "a").
  bool fKey(const std::string& keysym);
  // Types text character by character, each held and released like a key.
  bool fType(const std::string& text);
  // Gives the keyboard focus to the window (a message box of the game) and presses and releases
  // the key there.
  bool fKeyInWindow(unsigned long window, const std::string& keysym);

  // How long a press is held and how long to wait after a release.
  std::chrono::milliseconds hold{120};

 private:
  bool fTool(const std::vector<std::string>& arguments);

  std::vector<std::string> _environment;
  X_WINDOW& _window;
  int _gameWidth;
  int _gameHeight;
};

}  // namespace qor_e2e
