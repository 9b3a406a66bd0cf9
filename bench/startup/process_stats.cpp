#include "bench/startup/process_stats.h"

#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <utility>

namespace qor_bench {

namespace {

using Clock = std::chrono::steady_clock;

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

// CPU ticks of every thread of pid by kind, with the thread count of each kind.
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

}  // namespace

CPU_USE fMeasureCpu(pid_t pid, std::chrono::milliseconds stretch) {
  CPU_USE use;
  const std::string process = "/proc/" + std::to_string(pid) + "/stat";
  const std::string mainThread = "/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/stat";
  const std::optional<long long> process0 = cpuTicks(process);
  const std::optional<long long> main0 = cpuTicks(mainThread);
  const auto threads0 = threadTicks(pid);
  const Clock::time_point from = Clock::now();
  std::this_thread::sleep_for(stretch);
  const std::optional<long long> process1 = cpuTicks(process);
  const std::optional<long long> main1 = cpuTicks(mainThread);
  const auto threads1 = threadTicks(pid);
  const double seconds = std::chrono::duration<double>(Clock::now() - from).count();
  const double tick = static_cast<double>(sysconf(_SC_CLK_TCK));
  if (tick <= 0 || seconds <= 0) return use;
  const auto percent = [&](long long ticks) { return 100.0 * static_cast<double>(ticks) / tick / seconds; };
  for (const auto& [kind, after] : threads1) {
    const auto before = threads0.find(kind);
    const long long used = after.first - (before != threads0.end() ? before->second.first : 0);
    use.threads[after.second > 1 ? kind + " x" + std::to_string(after.second) : kind] = percent(used);
  }
  if (process0 && process1) use.process = percent(*process1 - *process0);
  if (main0 && main1) use.main = percent(*main1 - *main0);
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
