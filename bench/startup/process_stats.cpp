#include "bench/startup/process_stats.h"

#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <utility>

namespace qor_bench {

namespace {

using Clock = std::chrono::steady_clock;

// The nanoseconds a thread has run: the first field of /proc/<pid>/task/<tid>/schedstat. Exact,
// where the stat file's utime and stime count 10 ms ticks, too coarse for a process at 1 % of a
// core over a few seconds (one tick is a tenth of what is measured).
std::optional<long long> runNanoseconds(const std::filesystem::path& task) {
  std::ifstream file(task / "schedstat");
  long long nanoseconds = 0;
  if (!(file >> nanoseconds)) return std::nullopt;
  return nanoseconds;
}

struct THREAD_TIME {
  std::string kind;
  long long nanoseconds = 0;
};

// Every thread of pid by id: its kind ("main", or its name without the number) and its run time.
std::map<std::string, THREAD_TIME> threadTimes(pid_t pid) {
  std::map<std::string, THREAD_TIME> threads;
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
    const std::optional<long long> nanoseconds = runNanoseconds(entry.path());
    if (nanoseconds) threads[tid] = THREAD_TIME{name, *nanoseconds};
  }
  return threads;
}

}  // namespace

CPU_USE fMeasureCpu(pid_t pid, std::chrono::milliseconds stretch) {
  CPU_USE use;
  const auto before = threadTimes(pid);
  const Clock::time_point from = Clock::now();
  std::this_thread::sleep_for(stretch);
  const auto after = threadTimes(pid);
  const double seconds = std::chrono::duration<double>(Clock::now() - from).count();
  if (after.empty() || seconds <= 0) return use;
  const auto percent = [&](long long nanoseconds) { return 100.0 * static_cast<double>(nanoseconds) / 1e9 / seconds; };
  // A thread started during the stretch counts from 0; one that ended in it is not counted.
  std::map<std::string, std::pair<long long, int>> kinds;
  long long total = 0;
  for (const auto& [tid, time] : after) {
    const auto was = before.find(tid);
    const long long used = time.nanoseconds - (was != before.end() ? was->second.nanoseconds : 0);
    kinds[time.kind].first += used;
    kinds[time.kind].second += 1;
    total += used;
    if (time.kind == "main") use.main = percent(used);
  }
  for (const auto& [kind, sum] : kinds) {
    use.threads[sum.second > 1 ? kind + " x" + std::to_string(sum.second) : kind] = percent(sum.first);
  }
  use.process = percent(total);
  return use;
}

std::optional<double> fResidentMiB(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(file, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;  // kB
  }
  return std::nullopt;
}

}  // namespace qor_bench
