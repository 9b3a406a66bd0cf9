// What the sound thread waits on between refills: a period matched to the streams that play, cut
// short when a sound starts or the thread is asked to stop, so an idle mixer costs no wake-ups.
#pragma once

#include <chrono>

namespace QOR {

class QC_SOUND_WAKE {
 public:
  // The wait of a mixer with nothing to refill: only a wake ends it.
  static constexpr std::chrono::milliseconds kUntilWoken{-1};

  // Ends the current or the next wait at once.
  static void fWake();
  // Waits for period (real time, whatever clock the engine's timer reads), or until woken; a
  // negative period waits for a wake alone. A wake that came since the last wait ends it at once,
  // and is then spent. True when a wake ended it, false when the period ran out.
  static bool fWait(std::chrono::milliseconds period);
};

}  // namespace QOR
