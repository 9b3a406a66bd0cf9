// Engine lock 1, the sound lock, held for one scope. The lock is recursive, so an operation may
// call another that takes it too.
#pragma once

#include "engine/platform/qc_thread.h"

namespace QOR {

class QC_SOUND_LOCK {
 public:
  static constexpr int kIndex = 1;
  QC_SOUND_LOCK() { QC_THREAD::fMutexLock(kIndex); }
  ~QC_SOUND_LOCK() { QC_THREAD::fMutexUnlock(kIndex); }
  QC_SOUND_LOCK(const QC_SOUND_LOCK&) = delete;
  QC_SOUND_LOCK& operator=(const QC_SOUND_LOCK&) = delete;
};

}  // namespace QOR
