#include "tests/e2e/kit/e2e_session.h"

#include "tests/e2e/kit/spawn.h"

#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace qor_e2e {

namespace fs = std::filesystem;

namespace {

// On a real X display SDL's video start opens a D-Bus connection, and libdbus keeps a block of it
// to the end; the headless tests never load libdbus. A sanitizer build of the game would report
// that block at exit, so the game's leak check takes the suppressions it already has
// (LSAN_OPTIONS) plus this one.
constexpr const char kX11SessionSuppressions[] =
    "# The real X11 session: libdbus, loaded by SDL's X11 video, keeps a block until exit.\n"
    "leak:libdbus-1.so\n";

// LSAN_OPTIONS for the game: ours with its suppressions file replaced by one holding that file's
// lines and the X11 session's, written to folder.
std::string fLeakOptions(const std::string& folder) {
  const char* current = std::getenv("LSAN_OPTIONS");
  std::string options;
  std::string lines;
  std::string rest = current != nullptr ? current : "";
  std::size_t start = 0;
  while (start <= rest.size()) {
    const std::size_t end = std::min(rest.find(':', start), rest.size());
    const std::string option = rest.substr(start, end - start);
    if (option.rfind("suppressions=", 0) == 0) {
      std::ifstream file(option.substr(13));
      lines.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
      if (!lines.empty() && lines.back() != '\n') lines += '\n';
    } else if (!option.empty()) {
      options += option + ":";
    }
    start = end + 1;
  }
  const std::string path = folder + "/lsan.supp";
  std::ofstream(path, std::ios::trunc) << lines << kX11SessionSuppressions;
  return options + "suppressions=" + path;
}

}  // namespace

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
  // folder left to the engine ($HOME/Documents, which exists). Error dialogs become log lines.
  std::map<std::string, std::string> set{
      {"DISPLAY", _server.fDisplay()},   {"HOME", _home},
      {"LIBGL_ALWAYS_SOFTWARE", "1"},    {"SDL_VIDEODRIVER", "x11"},
      {"SDL_AUDIODRIVER", "dummy"},      {"ALSOFT_DRIVERS", "null"},
      {"QOR_NONINTERACTIVE", "1"},
  };
  set["LSAN_OPTIONS"] = fLeakOptions(_artefacts);
  for (const auto& [key, value] : extra) set[key] = value;
  const std::vector<std::string> environment =
      fEnvironment(set, {"XDG_DOCUMENTS_DIR", "XDG_CONFIG_HOME", "XAUTHORITY", "WAYLAND_DISPLAY"});

  _runs += 1;
  const std::string log = _artefacts + "/run" + std::to_string(_runs) + ".log";
  _game = std::make_unique<GAME_PROCESS>();
  if (!_game->fStart(program, fs::path(program).parent_path().string(), environment, log)) {
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
