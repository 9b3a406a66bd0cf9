// Start-up and idle costs of the real game program, measured from outside as a player would see
// them: each run starts the program on a private Xvfb display with Mesa's software GL, a fresh
// HOME and OpenAL Soft's null output (the music is mixed, nothing is heard), and measures
//   window  - exec to the window being mapped (viewable),
//   splash  - exec to the first drawn frame of the loading screen: the first time rows of the
//             window's picture are not black (the clear colour), polled with XGetImage,
//   title   - exec to the first frame of the title screen: the first picture change after the
//             game logs that loading is over ("Game loaded"; the next frame drawn is the title's),
//   RSS     - resident memory (VmRSS) once the title has settled,
//   CPU     - the process's CPU time per wall-clock second while the title shows with its music
//             (all threads, Mesa's render threads included), and that of the main thread alone.
// Then a player is named at that title, and a second start of the program plays into level 1 as
// that player (level_phase.h): processor use at the packs and levels screens at rest, while only
// the level's clock moves, while the hint pair blinks, paused with the hint due and minimised, and
// resident memory in the level. It prints every run and the medians beside the goals, then each
// of those uses as a share of the title's in the same run (the title at rest is the yardstick a
// menu at rest is held to, whatever the machine). Usage:
//   startup_bench [--runs N] [--game PATH]
#include "bench/startup/level_phase.h"
#include "bench/startup/process_stats.h"
#include "game/board/pack_passwords.h"
#include "tests/e2e/kit/e2e_session.h"
#include "tests/e2e/kit/pack_images.h"
#include "tests/e2e/kit/road_checks.h"

#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
using qor_bench::CPU_USE;
using qor_bench::LEVEL_RUN;

constexpr const char kLoadedLine[] = "Game loaded";
// Log lines of the start-up road, in order, whose arrival times show where the time goes.
const char* const kMarks[] = {"Window initialised", "Render initialised", "Sound initialised",
                              "Resouce loader inited", "Start", kLoadedLine};
constexpr auto kSettle = 1000ms;    // the title's panel slides in over less than half a second
constexpr auto kCpuWindow = 8000ms;  // CPU is measured over this long while the title shows

struct RUN {
  std::optional<double> windowMs, splashMs, titleMs, rssMiB;
  CPU_USE title;                          // while the title shows
  std::map<std::string, double> marksMs;  // when the start-up's log lines arrived
  LEVEL_RUN level;
  std::string note;
};

double msSince(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

RUN measureOnce(const std::string& program, const qor_e2e::TITLE_LAYOUT& title, const std::string& artefacts,
                int index) {
  RUN run;
  qor_e2e::E2E_SESSION session("run" + std::to_string(index), artefacts);
  if (!session.fStartDisplay()) {
    run.note = session.fError();
    return run;
  }
  if (!session.fLaunch(program)) {
    run.note = session.fError();
    return run;
  }
  qor_e2e::GAME_PROCESS& game = session.fGame();
  qor_e2e::X_WINDOW& window = session.fWindow();
  const pid_t pid = game.fPid();
  const Clock::time_point start = game.fStartTime();

  // The window.
  const Clock::time_point giveUp = start + 30s;
  while (!window.fTryFind(pid)) {
    if (Clock::now() > giveUp || !game.fRunning()) {
      run.note = "no window";
      return run;
    }
    std::this_thread::sleep_for(500us);
  }
  run.windowMs = msSince(start, Clock::now());

  // Its first non-black picture, then the first change after the loading is over. Three full
  // rows are read per look: cheap enough to look about every millisecond.
  const std::vector<int> rows{192, 384, 576};
  qor_e2e::PICTURE previous;
  std::optional<Clock::time_point> loaded;
  while (!run.titleMs) {
    if (Clock::now() > giveUp) {
      run.note = run.splashMs ? "no title" : "no splash";
      break;
    }
    qor_e2e::PICTURE now = window.fGrabRows(rows);
    const Clock::time_point seen = Clock::now();
    if (!run.splashMs && !now.fEmpty() && !now.fIsDark()) {
      run.splashMs = msSince(start, seen);
      session.fShot("splash");  // for a look afterwards: the picture just after that moment
    }
    if (!loaded) loaded = game.fLogTime(kLoadedLine);
    if (loaded && run.splashMs && !previous.fEmpty() && now.rgb != previous.rgb && seen > *loaded) {
      run.titleMs = msSince(start, seen);
      session.fShot("title");
    }
    previous = std::move(now);
    std::this_thread::sleep_for(500us);
  }

  if (run.titleMs) {
    std::this_thread::sleep_for(kSettle);
    run.rssMiB = qor_bench::fResidentMiB(pid);
    run.title = qor_bench::fMeasureCpu(pid, kCpuWindow);
  }
  for (const char* mark : kMarks) {
    if (const auto at = game.fLogTime(mark)) run.marksMs[mark] = msSince(start, *at);
  }
  if (!run.titleMs) {
    window.fRequestClose();
    session.fWaitExit(15s);
    return run;
  }

  // A player named at this title (the window is then closed, as a player does), who plays into
  // level 1 at a second start.
  std::string note;
  if (!qor_bench::fNamePlayer(session, title, note)) {
    run.note = note;
    return run;
  }
  run.level = qor_bench::fMeasureLevel(session, program, title);
  run.note = run.level.note;
  return run;
}

std::optional<double> median(std::vector<double> values) {
  if (values.empty()) return std::nullopt;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// The median over the runs of what get finds in each (runs without it left out).
template <typename GET>
std::optional<double> median(const std::vector<RUN>& runs, GET get) {
  std::vector<double> values;
  for (const RUN& run : runs) {
    if (const std::optional<double> value = get(run)) values.push_back(*value);
  }
  return median(std::move(values));
}

std::string cell(std::optional<double> value, int decimals) {
  if (!value) return "-";
  char text[32];
  std::snprintf(text, sizeof(text), "%.*f", decimals, *value);
  return text;
}

void printRow(const std::vector<std::string>& cells, const std::string& note = "") {
  std::printf("%-7s", cells.front().c_str());
  for (std::size_t i = 1; i < cells.size(); ++i) std::printf(" %10s", cells[i].c_str());
  std::printf("  %s\n", note.c_str());
}

// The median CPU of each thread kind over the runs, on one line.
template <typename GET>
void printThreads(const char* what, const std::vector<RUN>& runs, GET use) {
  std::map<std::string, std::vector<double>> kinds;
  for (const RUN& run : runs) {
    for (const auto& [kind, percent] : use(run).threads) kinds[kind].push_back(percent);
  }
  if (kinds.empty()) return;
  std::printf("CPU %% by thread %s (median):", what);
  for (auto& [kind, values] : kinds) std::printf("  %s %.1f", kind.c_str(), *median(values));
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  std::string program = QOR_E2E_GAME;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--runs" && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else if (argument == "--game" && i + 1 < argc) {
      program = argv[++i];
    } else {
      std::fprintf(stderr, "usage: %s [--runs N] [--game PATH]\n", argv[0]);
      return 2;
    }
  }
  const std::string surfaces = std::filesystem::path(program).parent_path().string() + "/Resources/data/surfaces";
  const qor_e2e::TITLE_LAYOUT title(
      qor_e2e::fReadPackImage(surfaces, "TitleScreenButtun_back.png", MAHJONG_PACKS::kSurfaces), 1024, 768);
  if (!title.panel.fValid()) {
    std::fprintf(stderr, "the title's panel picture: %s\n", title.panel.error.c_str());
    return 2;
  }

  std::printf(
      "Start-up and idle costs of %s: %d runs, Xvfb 1280x1024x24, Mesa software GL, OpenAL null output,\n"
      "fresh HOME each run. CPU is %% of one core; RSS MiB; times ms from exec.\n",
      program.c_str(), runs);
  // Each column: its head, what it reads of a run, its decimals and its goal.
  struct COLUMN {
    const char* head;
    std::function<std::optional<double>(const RUN&)> get;
    int decimals;
    const char* goal;
  };
  const std::vector<COLUMN> columns{
      {"window", [](const RUN& r) { return r.windowMs; }, 0, ""},
      {"splash", [](const RUN& r) { return r.splashMs; }, 0, "<= 800"},
      {"title", [](const RUN& r) { return r.titleMs; }, 0, ""},
      {"title RSS", [](const RUN& r) { return r.rssMiB; }, 1, "<= 130"},
      {"title CPU", [](const RUN& r) { return r.title.process; }, 1, "<= 3"},
      {"main", [](const RUN& r) { return r.title.main; }, 1, ""},
      {"packs CPU", [](const RUN& r) { return r.level.packs.process; }, 1, "<= 3"},
      {"levels CPU", [](const RUN& r) { return r.level.levels.process; }, 1, "<= 3"},
      {"level RSS", [](const RUN& r) { return r.level.rssMiB; }, 1, "<= 145"},
      {"clock CPU", [](const RUN& r) { return r.level.clock.process; }, 1, "<= 3"},
      {"blink CPU", [](const RUN& r) { return r.level.blink.process; }, 1, "<= 35"},
      {"blink fps", [](const RUN& r) { return r.level.blinkChanges; }, 0, ""},
      {"pause CPU", [](const RUN& r) { return r.level.paused.process; }, 1, "<= 3"},
      {"away CPU", [](const RUN& r) { return r.level.away.process; }, 1, "<= 1"},
      {"away main", [](const RUN& r) { return r.level.away.main; }, 1, ""},
  };
  // The screens at rest as shares of the title's processor use in the same run.
  const auto share = [](auto use) {
    return [use](const RUN& r) -> std::optional<double> {
      const std::optional<double> part = use(r).process;
      if (!part || !r.title.process || !(*r.title.process > 0.0)) return std::nullopt;
      return *part / *r.title.process;
    };
  };
  const std::vector<COLUMN> shares{
      {"packs", share([](const RUN& r) { return r.level.packs; }), 2, "<= 1.5"},
      {"levels", share([](const RUN& r) { return r.level.levels; }), 2, "<= 1.5"},
      {"clock", share([](const RUN& r) { return r.level.clock; }), 2, ""},
      {"blink", share([](const RUN& r) { return r.level.blink; }), 2, ""},
      {"paused", share([](const RUN& r) { return r.level.paused; }), 2, "<= 1.5"},
      {"away", share([](const RUN& r) { return r.level.away; }), 2, ""},
  };
  const auto printTable = [](const std::vector<COLUMN>& table, const std::vector<RUN>& done) {
    std::vector<std::string> head{"run"};
    for (const COLUMN& column : table) head.push_back(column.head);
    printRow(head);
    for (std::size_t i = 0; i < done.size(); ++i) {
      std::vector<std::string> row{std::to_string(i + 1)};
      for (const COLUMN& column : table) row.push_back(cell(column.get(done[i]), column.decimals));
      printRow(row, done[i].note);
    }
    std::vector<std::string> medians{"median"};
    std::vector<std::string> goals{"goal"};
    for (const COLUMN& column : table) {
      medians.push_back(cell(median(done, column.get), column.decimals));
      goals.push_back(column.goal);
    }
    printRow(medians);
    printRow(goals);
  };

  std::vector<RUN> results;
  for (int i = 1; i <= runs; ++i) {
    results.push_back(measureOnce(program, title, QOR_STARTUP_ARTEFACTS, i));
    std::printf("run %d done%s%s\n", i, results.back().note.empty() ? "" : ": ", results.back().note.c_str());
    std::fflush(stdout);
  }
  printTable(columns, results);
  std::printf("Processor use at rest as a share of the title's in the same run:\n");
  printTable(shares, results);

  printThreads("while the title shows", results, [](const RUN& r) -> const CPU_USE& { return r.title; });
  printThreads("at the packs screen", results, [](const RUN& r) -> const CPU_USE& { return r.level.packs; });
  printThreads("at the levels screen", results, [](const RUN& r) -> const CPU_USE& { return r.level.levels; });
  printThreads("in the level, clock only", results, [](const RUN& r) -> const CPU_USE& { return r.level.clock; });
  printThreads("in the level, hint blinking", results, [](const RUN& r) -> const CPU_USE& { return r.level.blink; });
  printThreads("in the level, paused", results, [](const RUN& r) -> const CPU_USE& { return r.level.paused; });
  printThreads("in the level, minimised", results, [](const RUN& r) -> const CPU_USE& { return r.level.away; });
  std::printf("Picture changes a second seen (median): clock only %s, hint blinking %s, paused %s\n",
              cell(median(results, [](const RUN& r) { return r.level.clockChanges; }), 1).c_str(),
              cell(median(results, [](const RUN& r) { return r.level.blinkChanges; }), 1).c_str(),
              cell(median(results, [](const RUN& r) { return r.level.pausedChanges; }), 1).c_str());
  std::printf("Log lines, median ms from exec:");
  for (const char* mark : kMarks) {
    const std::optional<double> at = median(results, [&](const RUN& r) -> std::optional<double> {
      const auto found = r.marksMs.find(mark);
      if (found == r.marksMs.end()) return std::nullopt;
      return found->second;
    });
    if (at) std::printf("  \"%s\" %.0f", mark, *at);
  }
  std::printf("\nLogs and pictures of each run: %s\n", QOR_STARTUP_ARTEFACTS);

  for (const RUN& run : results) {
    if (!run.titleMs || !run.level.rssMiB) return 1;
  }
  return 0;
}
