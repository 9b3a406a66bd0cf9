// Whole programs run as child processes: their exit codes and log lines.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Outcome {
  int exitCode = -1;
  std::string output;
};

Outcome run(const std::string& command) {
  Outcome out;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0) out.output.append(buffer, n);
  const int status = pclose(pipe);
  out.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return out;
}

}  // namespace

TEST(Programs, NoRegisteredEntryExitsWithMinus108) {
  const Outcome o = run(QOR_NO_ENTRY_PROGRAM);
  EXPECT_EQ(o.exitCode, (-108) & 0xFF);
  EXPECT_TRUE(o.output.empty()) << o.output;
}

TEST(Programs, SmokeRunsOnARealWindowAndQuitsOnClose) {
  const Outcome o = run(std::string("cd ") + QOR_SMOKE_DIR + " && " + QOR_SMOKE_PROGRAM);
  ASSERT_EQ(o.exitCode, 0) << o.output;
  const std::vector<std::string> inOrder = {"\nGame construction ", "\nInput initialised", "\nWindow initialised",
                                            "\nRender initialised", "\nTimer initialised", "\nRandom initialised",
                                            "\nSound initialised", "\nResouce loader inited", "\nStart",
                                            "\nquit requested", "\nframes drawn enough"};
  std::size_t at = 0;
  for (const std::string& line : inOrder) {
    const std::size_t found = o.output.find(line, at);
    ASSERT_NE(found, std::string::npos) << "missing or out of order: " << line << "\n" << o.output;
    at = found + line.size();
  }
}
