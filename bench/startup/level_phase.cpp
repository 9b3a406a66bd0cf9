#include "bench/startup/level_phase.h"

#include "bench/startup/window_away.h"
#include "game/board/pack_passwords.h"
#include "tests/e2e/kit/chip_places.h"
#include "tests/e2e/kit/pack_images.h"

#include <pugixml.hpp>

#include <filesystem>
#include <thread>

namespace qor_bench {

namespace {

using namespace std::chrono_literals;
using qor_e2e::E2E_SESSION;
using qor_e2e::PICTURE;
using Clock = std::chrono::steady_clock;

constexpr char kPlayer[] = "Bench";
constexpr float kMiddleX = 512.0f;  // the game's resolution is 1024 x 768
constexpr float kMiddleY = 384.0f;
// Game points of the menus on the way (their layout code places them there).
constexpr float kPack1X = 450.0f;
constexpr float kPack1Y = 192.0f;
constexpr float kLevel1X = 390.0f;
constexpr float kLevel1Y = 130.0f;
// Each measure of processor use lasts this long.
constexpr auto kCpuStretch = 8s;
// The clock's digits change fewer pixels than this between two looks.
constexpr int kClockPixels = 4000;
// A screen at rest is drawn at its rest rate this soon after it stands still.
constexpr auto kRateSettles = 1s;

PICTURE inGame(E2E_SESSION& session, const PICTURE& window) {
  return qor_e2e::fInGame(window, session.fInput().fSpace());
}

std::string playerFile(E2E_SESSION& session) { return session.fDocuments() + "/Greyfern/Lantern Tiles/player.xml"; }

// Changes of the window's picture per second over a second, looked at every 50 ms.
double changesPerSecond(E2E_SESSION& session) {
  PICTURE last = session.fWindow().fGrab();
  int changes = 0;
  const Clock::time_point from = Clock::now();
  while (Clock::now() - from < 1s) {
    std::this_thread::sleep_for(50ms);
    PICTURE now = session.fWindow().fGrab();
    if (now.fChangedPixels(last, 0, 0, now.width, now.height, 0) > 0) ++changes;
    last = std::move(now);
  }
  return changes / std::chrono::duration<double>(Clock::now() - from).count();
}

// Waits until the picture changes at four looks in a row 100 ms apart, beyond what the clock
// alone changes: the hint pair blinks. False when it never does within limit.
bool waitForBlink(E2E_SESSION& session, std::chrono::seconds limit) {
  const Clock::time_point end = Clock::now() + limit;
  PICTURE last = session.fWindow().fGrab();
  int run = 0;
  while (run < 4 && Clock::now() < end) {
    std::this_thread::sleep_for(100ms);
    PICTURE now = session.fWindow().fGrab();
    const int changed = now.fChangedPixels(last, 0, 0, now.width, now.height, 0);
    run = changed > 0 ? run + 1 : 0;
    last = std::move(now);
  }
  return run >= 4;
}

// The player file as the first start saved it, made into a player who has seen the start comic
// and plays without the tutorial. False when the file holds no such player.
bool seedPlayer(E2E_SESSION& session) {
  pugi::xml_document document;
  if (!document.load_file(playerFile(session).c_str())) return false;
  pugi::xml_node player = document.find_child_by_attribute("player", "name", kPlayer);
  if (!player) return false;
  for (const char* name : {"seen_start_comics", "tutorial_show"}) {
    if (!player.attribute(name)) player.append_attribute(name);
  }
  player.attribute("seen_start_comics").set_value("true");
  player.attribute("tutorial_show").set_value("false");
  return document.save_file(playerFile(session).c_str());
}

// With the hint due: the level paused (Escape), then its window minimised and restored.
void measureAway(E2E_SESSION& session, LEVEL_RUN& run) {
  const pid_t pid = session.fGame().fPid();
  session.fInput().fKey("Escape");
  // The pause fades in; the rest rate follows half a second after the picture stands still.
  if (session.fWaitStill().fEmpty()) {
    run.note = "the paused level never stood still";
    return;
  }
  std::this_thread::sleep_for(kRateSettles);
  session.fShot("level_paused");
  run.pausedChanges = changesPerSecond(session);
  run.paused = fMeasureCpu(pid, kCpuStretch);

  const unsigned long window = session.fWindow().fId();
  if (!fMinimiseWindow(session.fDisplayName(), window)) {
    run.note = "the window could not be minimised";
    return;
  }
  std::this_thread::sleep_for(kRateSettles);
  run.away = fMeasureCpu(pid, kCpuStretch);
  fRestoreWindow(session.fDisplayName(), window);
  const auto drawn = [](const PICTURE& p) { return !p.fEmpty() && !p.fIsDark(); };
  if (session.fWaitForPicture(drawn, 10s).fEmpty()) run.note = "the restored window shows no picture";
  session.fShot("level_restored");
}

}  // namespace

bool fNamePlayer(E2E_SESSION& session, const qor_e2e::TITLE_LAYOUT& title, std::string& note) {
  session.fInput().fClickAt(static_cast<float>(title.playX), static_cast<float>(title.buttonsY));
  session.fWaitStill(200);
  session.fInput().fType(kPlayer);
  session.fWaitStill(200);
  session.fInput().fKey("Return");
  if (!session.fGame().fWaitForLog(std::string("newname== ") + kPlayer, 10s)) {
    note = "the player was not named";
    return false;
  }
  // The name is saved with the player file before the start comic shows.
  session.fWaitStill(200);
  session.fWindow().fRequestClose();
  if (!session.fWaitExit(15s)) {
    note = "the first start did not quit";
    return false;
  }
  return true;
}

LEVEL_RUN fMeasureLevel(E2E_SESSION& session, const std::string& program, const qor_e2e::TITLE_LAYOUT& title) {
  LEVEL_RUN run;
  if (!seedPlayer(session)) {
    run.note = "no player in player.xml";
    return run;
  }
  const std::string surfaces = std::filesystem::path(program).parent_path().string() + "/Resources/data/surfaces";
  const qor_e2e::PACK_IMAGE intro = qor_e2e::fReadPackImage(surfaces, "FinishPanel_back.png", MAHJONG_PACKS::kSurfaces);
  if (!intro.fValid()) {
    run.note = "intro panel: " + intro.error;
    return run;
  }
  if (!session.fStartGame(program, qor_e2e::fChipPlacesEnvironment())) {
    run.note = session.fError();
    return run;
  }
  const auto atRest = [&](const PICTURE& p) { return title.fPanelAtRest(inGame(session, p)); };
  if (session.fWaitForPicture(atRest, 60s).fEmpty()) {
    run.note = "no title at the second start";
    return run;
  }
  session.fWaitStill();

  // Play leads the known player to the packs, pack 1 to its levels, level 1 to its intro, whose
  // start button (10 above the panel's lower edge) begins play. The packs and levels screens are
  // measured once they are at rest (the game logs it; their highlights pulse on).
  qor_e2e::X_INPUT& input = session.fInput();
  const pid_t pid = session.fGame().fPid();
  // A click, then the screen it leads to at rest: false (with a note) when it never comes.
  const auto measureAtRest = [&](float x, float y, const char* state, const std::string& name, CPU_USE& use) {
    const std::size_t mark = session.fGame().fLogSize();
    input.fClickAt(x, y);
    if (!session.fWaitForRest(mark, state, 30s)) {
      session.fShot(name + "_not_reached");
      run.note = "no " + name + " screen";
      return false;
    }
    session.fShot(name);
    use = fMeasureCpu(pid, kCpuStretch);
    return true;
  };
  if (!measureAtRest(static_cast<float>(title.playX), static_cast<float>(title.buttonsY),
                     "screen=6 help=0 options=0 box=0", "packs", run.packs) ||
      !measureAtRest(kPack1X, kPack1Y, "screen=12 help=0 options=0 box=0", "levels", run.levels)) {
    return run;
  }
  input.fClickAt(kLevel1X, kLevel1Y);
  // The board drops in, then the intro panel comes down to the screen's middle.
  qor_e2e::TITLE_LAYOUT introPanel(intro, 1024, 768);
  introPanel.panelX = static_cast<int>(kMiddleX);
  introPanel.panelY = static_cast<int>(kMiddleY);
  const auto introAtRest = [&](const PICTURE& p) { return introPanel.fPanelAtRest(inGame(session, p)); };
  if (session.fWaitForPicture(introAtRest, 30s).fEmpty()) {
    session.fShot("level_intro_not_reached");
    run.note = "no level intro";
    return run;
  }
  session.fWaitStill(200);
  session.fShot("level_intro");
  input.fClickAt(kMiddleX, kMiddleY + static_cast<float>(intro.height) / 2.0f - 10.0f);
  const Clock::time_point give = Clock::now() + 30s;
  while (qor_e2e::fReadChipPlaces(session.fGame().fLog()).blocks == 0 && Clock::now() < give) {
    std::this_thread::sleep_for(100ms);
  }
  if (qor_e2e::fReadChipPlaces(session.fGame().fLog()).blocks == 0) {
    session.fShot("level_not_reached");
    run.note = "play did not begin";
    return run;
  }

  // The board stands still: only the clock moves (the hint comes 20 s after the start).
  session.fWaitStill(kClockPixels);
  session.fShot("level_clock");
  run.clockChanges = changesPerSecond(session);
  run.clock = fMeasureCpu(pid, kCpuStretch);

  if (!waitForBlink(session, 40s)) {
    run.note = "the hint pair never blinked";
  } else {
    session.fShot("level_hint");
    run.blink = fMeasureCpu(pid, kCpuStretch);
    run.blinkChanges = changesPerSecond(session);
    measureAway(session, run);
  }
  run.rssMiB = fResidentMiB(pid);

  session.fWindow().fRequestClose();
  if (!session.fWaitExit(15s)) run.note += run.note.empty() ? "killed: did not quit" : "; killed";
  return run;
}

}  // namespace qor_bench
