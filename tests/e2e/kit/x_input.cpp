#include "tests/e2e/kit/x_input.h"

#include "tests/e2e/kit/spawn.h"

#include <thread>

namespace qor_e2e {

X_INPUT::X_INPUT(const std::string& display, X_WINDOW& window, int gameWidth, int gameHeight)
    : _environment(fEnvironment({{"DISPLAY", display}}, {"XAUTHORITY", "WAYLAND_DISPLAY"})),
      _window(window),
      _gameWidth(gameWidth),
      _gameHeight(gameHeight) {}

GAME_SPACE X_INPUT::fSpace() {
  const WINDOW_PLACE place = _window.fPlace();
  GAME_SPACE space;
  space.gameWidth = _gameWidth;
  space.gameHeight = _gameHeight;
  space.windowWidth = place.width;
  space.windowHeight = place.height;
  return space;
}

bool X_INPUT::fTool(const std::vector<std::string>& arguments) {
  std::vector<std::string> argv{"xdotool"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return fRunTool(argv, _environment);
}

bool X_INPUT::fMoveTo(float x, float y) {
  const WINDOW_PLACE place = _window.fPlace();
  if (place.width <= 0) return false;
  const GAME_SPACE space = fSpace();
  const int rootX = place.x + space.fWindowX(x);
  const int rootY = place.y + space.fWindowY(y);
  if (!fTool({"mousemove", "--sync", std::to_string(rootX), std::to_string(rootY)})) return false;
  std::this_thread::sleep_for(hold);
  return true;
}

bool X_INPUT::fClickAt(float x, float y) {
  if (!fMoveTo(x, y)) return false;
  if (!fTool({"mousedown", "1"})) return false;
  std::this_thread::sleep_for(hold);
  if (!fTool({"mouseup", "1"})) return false;
  std::this_thread::sleep_for(hold);
  return true;
}

bool X_INPUT::fDrag(float fromX, float fromY, float toX, float toY) {
  if (!fMoveTo(fromX, fromY)) return false;
  if (!fTool({"mousedown", "1"})) return false;
  std::this_thread::sleep_for(hold);
  constexpr int kSteps = 4;
  for (int step = 1; step <= kSteps; ++step) {
    const float share = static_cast<float>(step) / static_cast<float>(kSteps);
    if (!fMoveTo(fromX + (toX - fromX) * share, fromY + (toY - fromY) * share)) {
      fTool({"mouseup", "1"});
      return false;
    }
  }
  if (!fTool({"mouseup", "1"})) return false;
  std::this_thread::sleep_for(hold);
  return true;
}

bool X_INPUT::fKey(const std::string& keysym) {
  if (!fTool({"keydown", keysym})) return false;
  std::this_thread::sleep_for(hold);
  if (!fTool({"keyup", keysym})) return false;
  std::this_thread::sleep_for(hold);
  return true;
}

bool X_INPUT::fKeyInWindow(unsigned long window, const std::string& keysym) {
  if (!fTool({"windowfocus", "--sync", std::to_string(window)})) return false;
  return fKey(keysym);
}

bool X_INPUT::fType(const std::string& text) {
  // xdotool maps each character to its key and modifiers; with --delay d it holds each key for
  // about d / 4 and waits as long before the next one (measured on the XTEST events it sends).
  const std::string delay = std::to_string(4 * hold.count());
  return fTool({"type", "--delay", delay, "--", text});
}

}  // namespace qor_e2e
