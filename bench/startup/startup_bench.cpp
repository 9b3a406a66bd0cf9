// Start-up of the real game program, measured from outside as a player would see it: each run
// starts the program on a private Xvfb display with Mesa's software GL, a fresh HOME and no audio
// device, and measures
//   window  - exec to the window being mapped (viewable),
//   splash  - exec to the first drawn frame of the loading screen: the first time rows of the
//             window's picture are not black (the clear colour), polled with XGetImage,
//   title   - exec to the first frame of the title screen: the first picture change after the
//             game logs that loading is over ("Game loaded"; the next frame drawn is the title's),
//   RSS     - resident memory (VmRSS) once the title has settled,
//   CPU     - the process's CPU time per wall-clock second while the title shows (all threads,
//             Mesa's render threads included), and that of the main thread alone.
// It prints every run and the medians, beside the goals. Usage:
//   startup_bench [--runs N] [--game PATH]
#include "tests/e2e/kit/e2e_session.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr const char kLoadedLine[] = "Game loaded";
// Log lines of the start-up road, in order, whose arrival times show where the time goes.
const char* const kMarks[] = {"Window initialised", "Render initialised", "Sound initialised",
                              "Resouce loader inited", "Start", kLoadedLine};
constexpr auto kSettle = 1000ms;    // the title's panel slides in over less than half a second
constexpr auto kCpuWindow = 4000ms;  // CPU is measured over this long while the title shows

struct RUN {
  std::optional<double> windowMs, splashMs, titleMs, rssMiB, cpuPercent, mainPercent;
  std::map<std::string, double> threadPercent;  // CPU per thread kind while the title shows
  std::map<std::string, double> marksMs;        // when the start-up's log lines arrived
  std::string note;
};

double msSince(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// utime + stime, in clock ticks, of /proc/<pid>/stat or /proc/<pid>/task/<tid>/stat.
std::optional<long long> cpuTicks(const std::string& statPath) {
  std::ifstream file(statPath);
  std::string line;
  if (!std::getline(file, line)) return std::nullopt;
  // The command name (field 2) may hold blanks and parentheses: fields are counted after the
  // last ')'; utime and stime are fields 14 and 15.
  const std::size_t close = line.rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::istringstream rest(line.substr(close + 1));
  std::string field;
  long long utime = 0;
  long long stime = 0;
  for (int index = 3; index <= 15 && (rest >> field); ++index) {
    if (index == 14) utime = std::atoll(field.c_str());
    if (index == 15) stime = std::atoll(field.c_str());
  }
  return utime + stime;
}

// CPU ticks of every thread of pid by kind: "main" for the main thread, otherwise the thread's
// name without its trailing number ("llvmpipe-3" counts as "llvmpipe"), with the thread count.
std::map<std::string, std::pair<long long, int>> threadTicks(pid_t pid) {
  std::map<std::string, std::pair<long long, int>> kinds;
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(tasks, error)) {
    const std::string tid = entry.path().filename().string();
    std::string name;
    std::getline(std::ifstream(entry.path() / "comm"), name);
    while (!name.empty() && (std::isdigit(static_cast<unsigned char>(name.back())) != 0 || name.back() == '-')) {
      name.pop_back();
    }
    if (tid == std::to_string(pid)) name = "main";
    const std::optional<long long> ticks = cpuTicks((entry.path() / "stat").string());
    if (!ticks) continue;
    kinds[name].first += *ticks;
    kinds[name].second += 1;
  }
  return kinds;
}

std::optional<double> residentMiB(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(file, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;  // kB
  }
  return std::nullopt;
}

RUN measureOnce(const std::string& program, const std::string& artefacts, int index) {
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
    run.rssMiB = residentMiB(pid);
    const std::string process = "/proc/" + std::to_string(pid) + "/stat";
    const std::string mainThread = "/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/stat";
    const std::optional<long long> process0 = cpuTicks(process);
    const std::optional<long long> main0 = cpuTicks(mainThread);
    const auto threads0 = threadTicks(pid);
    const Clock::time_point from = Clock::now();
    std::this_thread::sleep_for(kCpuWindow);
    const std::optional<long long> process1 = cpuTicks(process);
    const std::optional<long long> main1 = cpuTicks(mainThread);
    const auto threads1 = threadTicks(pid);
    const double seconds = msSince(from, Clock::now()) / 1000.0;
    const double tick = static_cast<double>(sysconf(_SC_CLK_TCK));
    for (const auto& [kind, after] : threads1) {
      const auto before = threads0.find(kind);
      const long long used = after.first - (before != threads0.end() ? before->second.first : 0);
      const std::string label = after.second > 1 ? kind + " x" + std::to_string(after.second) : kind;
      if (tick > 0) run.threadPercent[label] = 100.0 * static_cast<double>(used) / tick / seconds;
    }
    if (process0 && process1 && tick > 0) {
      run.cpuPercent = 100.0 * static_cast<double>(*process1 - *process0) / tick / seconds;
    }
    if (main0 && main1 && tick > 0) run.mainPercent = 100.0 * static_cast<double>(*main1 - *main0) / tick / seconds;
  }

  for (const char* mark : kMarks) {
    if (const auto at = game.fLogTime(mark)) run.marksMs[mark] = msSince(start, *at);
  }

  // Leave as a player does: the window's close button.
  window.fRequestClose();
  const std::optional<int> status = session.fWaitExit(15s);
  if (!status) {
    run.note += run.note.empty() ? "killed: did not quit" : "; killed";
  } else if (!WIFEXITED(*status) || WEXITSTATUS(*status) != 0) {
    run.note += (run.note.empty() ? "" : "; ") + std::string("exit status ") + std::to_string(*status);
  }
  return run;
}

std::optional<double> median(std::vector<RUN>& runs, std::optional<double> RUN::*field) {
  std::vector<double> values;
  for (const RUN& run : runs) {
    if (run.*field) values.push_back(*(run.*field));
  }
  if (values.empty()) return std::nullopt;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

std::string cell(std::optional<double> value, int decimals) {
  if (!value) return "-";
  char text[32];
  std::snprintf(text, sizeof(text), "%.*f", decimals, *value);
  return text;
}

void printRow(const std::string& name, const std::string& window, const std::string& splash, const std::string& title,
              const std::string& rss, const std::string& cpu, const std::string& main, const std::string& note) {
  std::printf("%-8s %10s %10s %10s %9s %9s %9s  %s\n", name.c_str(), window.c_str(), splash.c_str(), title.c_str(),
              rss.c_str(), cpu.c_str(), main.c_str(), note.c_str());
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

  std::printf("Start-up of %s: %d runs, Xvfb 1280x1024x24, Mesa software GL, fresh HOME each run\n",
              program.c_str(), runs);
  printRow("run", "window ms", "splash ms", "title ms", "RSS MiB", "CPU %", "main %", "");
  std::vector<RUN> results;
  for (int i = 1; i <= runs; ++i) {
    RUN run = measureOnce(program, QOR_STARTUP_ARTEFACTS, i);
    printRow(std::to_string(i), cell(run.windowMs, 0), cell(run.splashMs, 0), cell(run.titleMs, 0),
             cell(run.rssMiB, 1), cell(run.cpuPercent, 1), cell(run.mainPercent, 1), run.note);
    std::fflush(stdout);
    results.push_back(std::move(run));
  }
  printRow("median", cell(median(results, &RUN::windowMs), 0), cell(median(results, &RUN::splashMs), 0),
           cell(median(results, &RUN::titleMs), 0), cell(median(results, &RUN::rssMiB), 1),
           cell(median(results, &RUN::cpuPercent), 1), cell(median(results, &RUN::mainPercent), 1), "");
  printRow("goal", "", "< 250", "< 3200", "< 120", "< 40", "< 10", "");

  // Where the CPU goes while the title shows: the median of each thread kind over the runs.
  std::map<std::string, std::vector<double>> kinds;
  for (const RUN& run : results) {
    for (const auto& [kind, percent] : run.threadPercent) kinds[kind].push_back(percent);
  }
  if (!kinds.empty()) {
    std::printf("CPU %% by thread while the title shows (median):");
    for (auto& [kind, values] : kinds) {
      std::sort(values.begin(), values.end());
      const std::size_t n = values.size();
      const double middle = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
      std::printf("  %s %.1f", kind.c_str(), middle);
    }
    std::printf("\n");
  }
  std::printf("Log lines, median ms from exec:");
  for (const char* mark : kMarks) {
    std::vector<double> values;
    for (const RUN& run : results) {
      const auto at = run.marksMs.find(mark);
      if (at != run.marksMs.end()) values.push_back(at->second);
    }
    if (values.empty()) continue;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    std::printf("  \"%s\" %.0f", mark, n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0);
  }
  std::printf("\nLogs and pictures of each run: %s\n", QOR_STARTUP_ARTEFACTS);

  for (const RUN& run : results) {
    if (!run.titleMs) return 1;
  }
  return 0;
}
