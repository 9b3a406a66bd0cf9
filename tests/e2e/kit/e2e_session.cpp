#include "tests/e2e/kit/e2e_session.h"

#include "tests/e2e/kit/spawn.h"

#include <stdlib.h>

#include <filesystem>
#include <thread>

namespace qor_e2e {

namespace fs = std::filesystem;

E2E_SESSION::E2E_SESSION(std::string name, std::string artefactsRoot)
    : _name(std::move(name)), _artefacts((fs::path(artefactsRoot) / _name).string()) {
  // A new session starts with an empty artefacts folder, so old screenshots never pass for new.
  std::error_code error;
  fs::remove_all(_artefacts, error);
  fs::create_directories(_artefacts, error);
}

E2E_SESSION::~E2E_SESSION() {
  fEndRun();
  _server.fStop();
  if (!_home.empty()) {
    std::error_code error;
    fs::remove_all(_home, error);
  }
}

void E2E_SESSION::fEndRun() {
  _input.reset();
  _window.reset();
  _game.reset();  // kills a program still running
}

bool E2E_SESSION::fStartDisplay() {
  if (!_server.fStart()) {
    _error = _server.fError();
    return false;
  }
  std::string pattern = (fs::temp_directory_path() / "qor_e2e_home_XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    _error = "no scratch HOME";
    return false;
  }
  _home = pattern;
  std::error_code error;
  fs::create_directories(fDocuments(), error);
  return !error;
}

void E2E_SESSION::fStopDisplay() {
  _input.reset();
  _window.reset();
  _server.fStop();
}

bool E2E_SESSION::fStartGame(const std::string& program, const std::map<std::string, std::string>& extra,
                             std::chrono::milliseconds limit) {
  if (!fLaunch(program, extra)) return false;
  if (!_window->fFindByPid(_game->fPid(), limit)) {
    _error = "no window of the game within the limit; log:\n" + _game->fLog();
    return false;
  }
  return true;
}

bool E2E_SESSION::fLaunch(const std::string& program, const std::map<std::string, std::string>& extra) {
  fEndRun();
  if (_home.empty()) {
    _error = "fStartDisplay first";
    return false;
  }
  // The real program as a desktop user starts it, on our display: software GL (Mesa), SDL on X11,
  // no audio device (SDL's dummy, OpenAL Soft's null output), the scratch HOME, and the documents
  // folder left to the engine ($HOME/Documents, which exists). Error dialogs become log lines
  // (unless extra sets QOR_NONINTERACTIVE to 0), and the game logs its screen states.
  std::map<std::string, std::string> set{
      {"DISPLAY", _server.fDisplay()},   {"HOME", _home},
      {"LIBGL_ALWAYS_SOFTWARE", "1"},    {"SDL_VIDEODRIVER", "x11"},
      {"SDL_AUDIODRIVER", "dummy"},      {"ALSOFT_DRIVERS", "null"},
      {"QOR_NONINTERACTIVE", "1"},      {"QOR_LOG_SCREEN_STATES", "1"},
  };
  for (const auto& [key, value] : extra) set[key] = value;
  const std::vector<std::string> environment =
      fEnvironment(set, {"XDG_DOCUMENTS_DIR", "XDG_CONFIG_HOME", "XAUTHORITY", "WAYLAND_DISPLAY"});

  _runs += 1;
  const std::string log = _artefacts + "/run" + std::to_string(_runs) + ".log";
  _game = std::make_unique<GAME_PROCESS>();
  const std::string folder = _folder.empty() ? fs::path(program).parent_path().string() : _folder;
  if (!_game->fStart(program, folder, environment, log)) {
    _error = "cannot start " + program;
    return false;
  }
  _window = std::make_unique<X_WINDOW>();
  if (!_window->fConnect(_server.fDisplay())) {
    _error = "cannot connect to " + _server.fDisplay();
    return false;
  }
  _input = std::make_unique<X_INPUT>(_server.fDisplay(), *_window);
  return true;
}

std::optional<int> E2E_SESSION::fWaitExit(std::chrono::milliseconds limit) {
  if (_game == nullptr) return std::nullopt;
  const std::optional<int> status = _game->fWaitExit(limit);
  if (!status) _game->fKill();
  return status;
}

bool E2E_SESSION::fShot(const std::string& step) {
  if (_window == nullptr) return false;
  return X_WINDOW::fSavePng(_window->fGrab(), _artefacts + "/" + step + ".png");
}

PICTURE E2E_SESSION::fWaitStill(int tolerance, std::chrono::milliseconds limit, std::chrono::milliseconds gap) {
  if (_window == nullptr) return PICTURE();
  const auto end = std::chrono::steady_clock::now() + limit;
  PICTURE last = _window->fGrab();
  while (std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(gap);
    PICTURE now = _window->fGrab();
    if (!now.fEmpty() && now.width == last.width && now.height == last.height &&
        now.fChangedPixels(last, 0, 0, now.width, now.height, 0) <= tolerance) {
      return now;
    }
    last = std::move(now);
  }
  return PICTURE();
}

bool E2E_SESSION::fWaitForRest(std::size_t mark, const std::string& state, std::chrono::milliseconds limit) {
  if (_game == nullptr) return false;
  return _game->fWaitForLineAfter(
      mark,
      [&state](const std::string& line) {
        const std::string rest = "moving=0";
        return line.rfind("screen state: ", 0) == 0 && line.find(state) != std::string::npos &&
               line.size() >= rest.size() && line.compare(line.size() - rest.size(), rest.size(), rest) == 0;
      },
      limit);
}

PICTURE E2E_SESSION::fWaitForPicture(const std::function<bool(const PICTURE&)>& test,
                                     std::chrono::milliseconds limit) {
  if (_window == nullptr) return PICTURE();
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    PICTURE now = _window->fGrab();
    if (!now.fEmpty() && test(now)) return now;
    if (std::chrono::steady_clock::now() >= end) return PICTURE();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace qor_e2e
