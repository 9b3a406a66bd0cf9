#include "engine/sound/qc_sound_wake.h"

#include <condition_variable>
#include <mutex>

namespace QOR {

namespace {

// Never destroyed: an exit while the sound thread still waits must not destroy its condition
// under it (destroying a condition with a waiter blocks for ever).
struct WAKE_STATE {
  std::mutex mutex;
  std::condition_variable woken;
  bool pending = false;
};

WAKE_STATE& state() {
  static WAKE_STATE* const kept = new WAKE_STATE();
  return *kept;
}

}  // namespace

void QC_SOUND_WAKE::fWake() {
  WAKE_STATE& s = state();
  {
    const std::lock_guard<std::mutex> lock(s.mutex);
    s.pending = true;
  }
  s.woken.notify_all();
}

bool QC_SOUND_WAKE::fWait(std::chrono::milliseconds period) {
  WAKE_STATE& s = state();
  std::unique_lock<std::mutex> lock(s.mutex);
  const auto woken = [&s] { return s.pending; };
  bool wasWoken = true;
  if (period.count() < 0) {
    s.woken.wait(lock, woken);
  } else {
    wasWoken = s.woken.wait_for(lock, period, woken);
  }
  s.pending = false;
  return wasWoken;
}

}  // namespace QOR
