// Starting helper programs for the end-to-end kit: an environment built from this process's own
// with some names set or removed, and a fork + exec that hands the child chosen descriptors.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qor_e2e {

// This process's environment with every name of set given its value and every name of removed
// taken out; "NAME=value" entries, sorted by name.
std::vector<std::string> fEnvironment(const std::map<std::string, std::string>& set,
                                      const std::vector<std::string>& removed = {});

struct SPAWN_OPTIONS {
  std::string folder;            // working folder of the child; empty keeps ours
  int outputFd = -1;             // the child's standard output and error; -1 sends them to /dev/null
  std::vector<int> keepFds;      // descriptors the child keeps open under the same numbers
  bool newProcessGroup = false;  // the child leads a process group of its own
};

// Starts argv[0] (a path, or a name looked up in PATH) with the environment: its process id, or
// -1 when it could not be started.
pid_t fSpawn(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
             const SPAWN_OPTIONS& options = {});

// Waits for the child to end within limit: its wait status, or nothing when it is still running.
std::optional<int> fWaitChild(pid_t pid, std::chrono::milliseconds limit);

// Ends a child: SIGTERM, up to grace to leave, then SIGKILL; always reaps it.
void fStopChild(pid_t pid, std::chrono::milliseconds grace);

// Runs a helper program to its end (at most limit): true when it exited 0. The limit only stops a
// hung tool; on a machine loaded far beyond its cores xdotool's synced moves took over 20 s.
bool fRunTool(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
              std::chrono::milliseconds limit = std::chrono::seconds(90));

}  // namespace qor_e2e
