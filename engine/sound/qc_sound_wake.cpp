#include "engine/sound/qc_sound_wake.h"

#include <condition_variable>
#include <mutex>

namespace QOR {

namespace {

std::mutex g_mutex;
std::condition_variable g_woken;
bool g_pending = false;

}  // namespace

void QC_SOUND_WAKE::fWake() {
  {
    const std::lock_guard<std::mutex> lock(g_mutex);
    g_pending = true;
  }
  g_woken.notify_all();
}

void QC_SOUND_WAKE::fWait(std::chrono::milliseconds period) {
  std::unique_lock<std::mutex> lock(g_mutex);
  const auto woken = [] { return g_pending; };
  if (period.count() < 0) {
    g_woken.wait(lock, woken);
  } else {
    g_woken.wait_for(lock, period, woken);
  }
  g_pending = false;
}

}  // namespace QOR
