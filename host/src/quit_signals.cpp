// SIGTERM and SIGINT as a close request of the main window (see host/quit_signals.h).
//
// The handler only touches a lock-free atomic (any thread may receive the signal: the sound
// thread, the audio library's own threads); the pump turns the request into WM_CLOSE on the
// main thread.
#include "host/quit_signals.h"

#include "host/src/host_internal.h"
#include "host/win_window.h"

#include <atomic>
#include <csignal>

#include <signal.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT};
constexpr int kSignalCount = sizeof(kSignals) / sizeof(kSignals[0]);

static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free flag");

std::atomic<bool> g_requested{false};
struct sigaction g_previous[kSignalCount];
bool g_caught[kSignalCount] = {};
bool g_delivered = false;  // main thread only

int slotOf(int number) {
  for (int i = 0; i < kSignalCount; ++i) {
    if (kSignals[i] == number) return i;
  }
  return -1;
}

void onQuitSignal(int number) {
  if (!g_requested.exchange(true)) return;
  // A quit was already asked for and has not ended the process: the previous action (by default,
  // termination) takes over. The signal is blocked while this handler runs, so the raised one
  // arrives as soon as it returns.
  const int slot = slotOf(number);
  if (slot < 0) return;
  sigaction(number, &g_previous[slot], nullptr);
  raise(number);
}

}  // namespace

namespace host_signals {

void fCatchQuitSignals() {
  for (int i = 0; i < kSignalCount; ++i) {
    if (g_caught[i]) continue;
    struct sigaction current {};
    if (sigaction(kSignals[i], nullptr, &current) != 0) continue;
    // Started with the signal ignored (a background job, nohup): keep it so.
    if ((current.sa_flags & SA_SIGINFO) == 0 && current.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = &onQuitSignal;
    sigemptyset(&action.sa_mask);
    // Restarted system calls: a signal must not make a file read or a wait fail on the way.
    action.sa_flags = SA_RESTART;
    g_previous[i] = current;
    if (sigaction(kSignals[i], &action, nullptr) == 0) g_caught[i] = true;
  }
}

bool fQuitSignalled() { return g_requested.load(); }

void fReleaseQuitSignals() {
  for (int i = 0; i < kSignalCount; ++i) {
    if (!g_caught[i]) continue;
    sigaction(kSignals[i], &g_previous[i], nullptr);
    g_caught[i] = false;
  }
}

}  // namespace host_signals

namespace host_detail {

bool fQuitSignalled() { return g_requested.load(); }

void fDeliverQuitRequest() {
  if (g_delivered || !g_requested.load()) return;
  HWND main = fMainWindow();
  if (main == nullptr) return;  // kept until the window exists
  g_delivered = true;
  fLogLine("Quit signal: closing the window");
  fQueueIncoming(fMakeMessage(main, WM_CLOSE, 0, 0), std::u32string(), false);
}

}  // namespace host_detail
