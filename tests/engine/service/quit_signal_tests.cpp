// SIGTERM and SIGINT sent to a whole program (quit_signal_main.cpp, a real window and GL on SDL's
// offscreen driver, OpenAL without output) close its window: the quit hook runs, the loop ends,
// the sound thread is joined and the process exits 0. A question open in a real box (on an Xvfb
// display) is closed by the signal and answers as a cancel.
#include "tests/e2e/kit/x_window.h"
#include "tests/e2e/kit/xvfb_server.h"
#include "tests/kit/child_process.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using qor_test::ChildProcess;

// Bounds of the safety net only: a healthy run takes a fraction of them.
constexpr std::chrono::seconds kStartLimit{120};
constexpr std::chrono::seconds kEndLimit{120};

// A scratch folder the program runs in (it makes its Resources folder there).
class RunFolder {
 public:
  RunFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qor_quit_signal_XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) _path = pattern;
  }
  ~RunFolder() {
    std::error_code error;
    if (!_path.empty()) std::filesystem::remove_all(_path, error);
  }
  const std::string& fPath() const { return _path; }

 private:
  std::string _path;
};

// Each line must appear after the one before it.
void expectInOrder(const std::string& output, const std::vector<std::string>& lines) {
  std::size_t at = 0;
  for (const std::string& line : lines) {
    const std::size_t found = output.find("\n" + line, at);
    ASSERT_NE(found, std::string::npos) << "missing or out of order: " << line << "\n" << output;
    at = found + line.size() + 1;
  }
}

// A signal set of a running process from /proc (SigIgn: ignored, SigCgt: caught) holds number.
bool inSignalSet(pid_t pid, const std::string& set, int number) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(set + ":", 0) != 0) continue;
    const unsigned long long bits = std::stoull(line.substr(set.size() + 1), nullptr, 16);
    return ((bits >> (number - 1)) & 1u) != 0;
  }
  return false;
}

void expectCleanExit(int status, const std::string& output) {
  ASSERT_NE(status, -1) << "did not end in time\n" << output;
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0) << "\n"
                                 << output;
  EXPECT_EQ(WEXITSTATUS(status), 0) << output;
}

class QuitSignal : public ::testing::TestWithParam<int> {};

TEST_P(QuitSignal, WhileTheLoopRunsLeavesThroughTheQuitHook) {
  RunFolder folder;
  ChildProcess child;
  ASSERT_TRUE(child.fStart(QOR_QUIT_SIGNAL_PROGRAM, folder.fPath()));
  ASSERT_TRUE(child.fWaitFor("\nloop running", kStartLimit)) << child.fOutput();
  ASSERT_TRUE(child.fSignal(GetParam()));
  const int status = child.fFinish(kEndLimit);
  expectCleanExit(status, child.fOutput());
  expectInOrder(child.fOutput(),
                {"Start", "loop running", "Quit signal: closing the window", "quit hook ran", "loop ended"});
}

INSTANTIATE_TEST_SUITE_P(TermAndInt, QuitSignal, ::testing::Values(SIGTERM, SIGINT));

// A signal before any window exists waits for the window and closes it at the first pump.
TEST(QuitSignalRoads, BeforeTheWindowExistsIsKeptForTheFirstPump) {
  RunFolder folder;
  ChildProcess child;
  ASSERT_TRUE(child.fStart(QOR_QUIT_SIGNAL_PROGRAM, folder.fPath(), {"QOR_SIGNAL_MODE=early"}));
  const int status = child.fFinish(kStartLimit + kEndLimit);
  expectCleanExit(status, child.fOutput());
  expectInOrder(child.fOutput(), {"signal raised before the window", "Window initialised", "Start", "loop running",
                                  "Quit signal: closing the window", "quit hook ran", "loop ended"});
}

// A quit that does not finish is no trap: the next signal ends the process as it would by default.
TEST(QuitSignalRoads, ASecondSignalWhileQuittingEndsTheProcess) {
  RunFolder folder;
  ChildProcess child;
  ASSERT_TRUE(child.fStart(QOR_QUIT_SIGNAL_PROGRAM, folder.fPath(), {"QOR_SIGNAL_MODE=stuck"}));
  ASSERT_TRUE(child.fWaitFor("\nloop running", kStartLimit)) << child.fOutput();
  ASSERT_TRUE(child.fSignal(SIGTERM));
  ASSERT_TRUE(child.fWaitFor("\nquit hook entered", kEndLimit)) << child.fOutput();
  ASSERT_TRUE(child.fSignal(SIGINT));
  const int status = child.fFinish(kEndLimit);
  ASSERT_NE(status, -1) << "hung after the second signal\n" << child.fOutput();
  ASSERT_TRUE(WIFSIGNALED(status)) << child.fOutput();
  EXPECT_EQ(WTERMSIG(status), SIGINT);
}

// Started with SIGINT ignored (a background job): it stays ignored, SIGTERM is still caught, and
// a SIGINT is not taken for a request, so the SIGTERM after it gets the clean quit.
TEST(QuitSignalRoads, ASignalIgnoredAtStartStaysIgnored) {
  RunFolder folder;
  ChildProcess child;
  ASSERT_TRUE(child.fStart(QOR_QUIT_SIGNAL_PROGRAM, folder.fPath(), {}, {SIGINT}));
  ASSERT_TRUE(child.fWaitFor("\nloop running", kStartLimit)) << child.fOutput();
  EXPECT_TRUE(inSignalSet(child.fPid(), "SigIgn", SIGINT));
  EXPECT_TRUE(inSignalSet(child.fPid(), "SigCgt", SIGTERM));
  ASSERT_TRUE(child.fSignal(SIGINT));
  ASSERT_TRUE(child.fSignal(SIGTERM));
  const int status = child.fFinish(kEndLimit);
  expectCleanExit(status, child.fOutput());
  expectInOrder(child.fOutput(), {"Quit signal: closing the window", "quit hook ran", "loop ended"});
}

TEST(QuitSignalRoads, AnOpenQuestionClosesAsCancelledAndTheQuitFollows) {
  qor_e2e::XVFB_SERVER display;
  ASSERT_TRUE(display.fStart()) << display.fError();
  RunFolder folder;
  ChildProcess child;
  ASSERT_TRUE(child.fStart(QOR_QUIT_SIGNAL_PROGRAM, folder.fPath(),
                           {"QOR_SIGNAL_MODE=ask", "DISPLAY=" + display.fDisplay(), "SDL_VIDEODRIVER=x11",
                            "QOR_NONINTERACTIVE=0"}));
  qor_e2e::X_WINDOW box;
  ASSERT_TRUE(box.fConnect(display.fDisplay()));
  ASSERT_TRUE(box.fFindByTitle("Quit question", kStartLimit)) << "no question on the screen\n" << child.fOutput();
  ASSERT_TRUE(child.fSignal(SIGTERM));
  expectCleanExit(child.fFinish(kEndLimit), child.fOutput());
  expectInOrder(child.fOutput(), {"MessageBox [Quit question] closed: quitting", "answer: Cancel",
                                  "Quit signal: closing the window", "quit hook ran", "loop ended"});
}

}  // namespace
