#include "tools/data/levels/levels_step.h"

#include "tools/data/file_bytes.h"
#include "tools/data/levels/level_designer.h"
#include "tools/data/levels/level_file.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace QOR {

int fMakeLevels(const std::filesystem::path& sourceDir, const std::filesystem::path& stagingDir) {
  std::string text;
  if (!fReadFileText(sourceDir / "balance.xml", text)) {
    std::fprintf(stderr, "levels: cannot read %s\n", (sourceDir / "balance.xml").c_str());
    return 1;
  }
  QS_BALANCE balance;
  std::string error;
  if (!fReadBalance(text, balance, error)) {
    std::fprintf(stderr, "levels: %s\n", error.c_str());
    return 1;
  }
  // Every level is designed on its own, so the work spreads over the cores and the result does
  // not depend on the order in which the threads finish.
  const int total = kPackCount * kLevelsPerPack;
  std::vector<std::string> files(total);
  std::vector<std::string> errors(total);
  std::atomic<int> next{0};
  const unsigned workers = std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
  std::vector<std::thread> threads;
  for (unsigned w = 0; w < workers; ++w)
    threads.emplace_back([&] {
      for (int i = next++; i < total; i = next++) {
        QS_LEVEL level;
        if (fDesignLevel(fPlanLevel(i / kLevelsPerPack + 1, i % kLevelsPerPack + 1), balance, level, errors[i]))
          files[i] = fWriteLevel(level);
      }
    });
  for (std::thread& t : threads) t.join();
  int failures = 0;
  for (int i = 0; i < total; ++i) {
    const std::string name = fLevelFileName(i / kLevelsPerPack + 1, i % kLevelsPerPack + 1);
    if (files[i].empty()) {
      std::fprintf(stderr, "levels: %s\n", errors[i].c_str());
      ++failures;
      continue;
    }
    if (!fWriteFileBytes(stagingDir / name, files[i])) {
      std::fprintf(stderr, "levels: cannot write %s\n", name.c_str());
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}

}  // namespace QOR
