// What the start-up bench reads of the game process from /proc: processor time of the whole
// process and of each kind of thread over a stretch of wall-clock time, and resident memory.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>

namespace qor_bench {

// Processor use over a stretch: percent of one core per wall-clock second.
struct CPU_USE {
  std::optional<double> process;          // all threads
  std::optional<double> main;             // the main thread
  std::map<std::string, double> threads;  // by kind: "main", or the thread's name without its
                                          // number ("llvmpipe-3" counts as "llvmpipe"), with " xN"
                                          // when N threads share it
};

// Measures the process's processor use while it runs on by itself for `stretch`.
CPU_USE fMeasureCpu(pid_t pid, std::chrono::milliseconds stretch);

// Resident memory (VmRSS) in MiB, or nothing when the process is gone.
std::optional<double> fResidentMiB(pid_t pid);

}  // namespace qor_bench
