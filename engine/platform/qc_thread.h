// The ten engine locks and the thread starter.
#pragma once

#include "host/win_system.h"

#include <cstdint>
#include <vector>

namespace QOR {

using QC_THREAD_FUNC = int (*)(std::uintptr_t argument);

struct QC_THREAD_INFO {
  DWORD _threadId;
  HANDLE _handle;
  QC_THREAD_FUNC _function;
  std::uintptr_t _argument;
};

class QC_THREAD {
 public:
  static constexpr int kLockCount = 10;

  // Initialises the ten locks once; later calls do nothing.
  static void fInitMutexes();
  // Indices outside 0..9 are ignored.
  static void fMutexLock(int index);
  static void fMutexUnlock(int index);
  // True while someone (the caller included) holds the lock; a bad index logs and gives false.
  static bool isMutexLock(int index);

  // Starts function(argument) on a new thread; the record stays allocated, and leaves the thread
  // list when the function returns.
  static QC_THREAD_INFO* fCreateThread(QC_THREAD_FUNC function, std::uintptr_t argument);
  // Waits for a started thread to end, then releases its handle and its record.
  static void fJoinThread(QC_THREAD_INFO* info);
  static void fSleep(std::uint32_t milliseconds) { Sleep(milliseconds); }
  static std::size_t fThreadCount();

 private:
  static DWORD fThreadEntry(void* record);
  static void fRemoveThread(QC_THREAD_INFO* record);
};

}  // namespace QOR
