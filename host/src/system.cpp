// Time, sleep, process memory, threads and critical sections on the C++ standard library.
#include "host/src/host_internal.h"
#include "host/test_doors.h"
#include "host/win_system.h"

#include <chrono>
#include <fstream>
#include <memory>
#include <thread>
#include <unistd.h>

namespace {

std::atomic<bool> g_manualClock{false};
std::atomic<DWORD> g_manualTime{0};
std::atomic<DWORD> g_lastSleep{0};
std::atomic<int> g_sleepCount{0};

struct HostProcess : HostObject {};

struct HostThread : HostObject {
  std::thread thread;
  DWORD id = 0;
};

std::atomic<DWORD> g_nextThreadId{2};
thread_local DWORD t_threadId = 0;

// The moment timeGetTime counts from.
std::chrono::steady_clock::time_point clockOrigin() {
  static const std::chrono::steady_clock::time_point origin = std::chrono::steady_clock::now();
  return origin;
}

}  // namespace

DWORD timeGetTime() {
  if (g_manualClock) return g_manualTime.load();
  using namespace std::chrono;
  // Like the original counter, the value wraps around after about 49.7 days.
  return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now() - clockOrigin()).count());
}

void Sleep(DWORD milliseconds) {
  g_lastSleep = milliseconds;
  ++g_sleepCount;
  if (g_manualClock) {
    // Time passes even for a zero sleep, as the rest of a time slice does on a real clock.
    g_manualTime += milliseconds > 0 ? milliseconds : 1;
    return;
  }
  if (milliseconds == 0) {
    std::this_thread::yield();
    return;
  }
  // As the system timer ends a sleep on one of its ticks, the sleep ends on a tick of
  // timeGetTime's millisecond count, at least the asked milliseconds later: a caller that sleeps
  // for the time its millisecond clock lacks finds it all there when it wakes, not a fraction short.
  using namespace std::chrono;
  const steady_clock::time_point origin = clockOrigin();
  std::this_thread::sleep_until(origin + ceil<std::chrono::milliseconds>(steady_clock::now() - origin +
                                                                          std::chrono::milliseconds(milliseconds)));
}

HANDLE GetCurrentProcess() {
  static HostProcess self;
  return &self;
}

BOOL GetProcessMemoryInfo(HANDLE process, PROCESS_MEMORY_COUNTERS* counters, DWORD cb) {
  if (process == nullptr || counters == nullptr || cb < sizeof(PROCESS_MEMORY_COUNTERS)) return FALSE;
  std::ifstream statm("/proc/self/statm");
  unsigned long long size = 0;
  unsigned long long resident = 0;
  if (!(statm >> size >> resident)) return FALSE;
  const long page = sysconf(_SC_PAGESIZE);
  const SIZE_T bytes = static_cast<SIZE_T>(resident) * static_cast<SIZE_T>(page > 0 ? page : 4096);
  *counters = PROCESS_MEMORY_COUNTERS{};
  counters->cb = cb;
  counters->WorkingSetSize = bytes;
  counters->PeakWorkingSetSize = bytes;
  counters->PagefileUsage = static_cast<SIZE_T>(size) * static_cast<SIZE_T>(page > 0 ? page : 4096);
  return TRUE;
}

void InitializeCriticalSection(CRITICAL_SECTION* section) {
  if (section == nullptr) return;
  section->mutex = new std::recursive_mutex();
  section->LockCount = -1;
}

void DeleteCriticalSection(CRITICAL_SECTION* section) {
  if (section == nullptr) return;
  delete section->mutex;
  section->mutex = nullptr;
}

void EnterCriticalSection(CRITICAL_SECTION* section) {
  if (section == nullptr || section->mutex == nullptr) return;
  section->mutex->lock();
  ++section->LockCount;
}

void LeaveCriticalSection(CRITICAL_SECTION* section) {
  if (section == nullptr || section->mutex == nullptr) return;
  --section->LockCount;
  section->mutex->unlock();
}

HANDLE CreateThread(void*, SIZE_T, LPTHREAD_START_ROUTINE start, void* parameter, DWORD, DWORD* threadId) {
  if (start == nullptr) return nullptr;
  auto record = std::make_unique<HostThread>();
  const DWORD id = g_nextThreadId++;
  record->id = id;
  if (threadId != nullptr) *threadId = id;
  record->thread = std::thread([start, parameter, id]() {
    t_threadId = id;
    start(parameter);
  });
  return record.release();
}

DWORD GetCurrentThreadId() {
  if (t_threadId == 0) t_threadId = 1;  // the main thread, or any thread we did not start
  return t_threadId;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  auto* thread = dynamic_cast<HostThread*>(handle);
  if (thread == nullptr || milliseconds != INFINITE) return WAIT_FAILED;
  if (thread->thread.joinable()) thread->thread.join();
  return WAIT_OBJECT_0;
}

BOOL CloseHandle(HANDLE handle) {
  auto* thread = dynamic_cast<HostThread*>(handle);
  if (thread == nullptr) return FALSE;
  // A thread still running is let go, as closing its handle does on the original platform.
  if (thread->thread.joinable()) thread->thread.detach();
  delete thread;
  return TRUE;
}

namespace host_test {
void fUseManualClock(bool on) { g_manualClock = on; }
void fSetTime(DWORD milliseconds) { g_manualTime = milliseconds; }
void fAdvanceTime(DWORD milliseconds) { g_manualTime += milliseconds; }
DWORD fLastSleep() { return g_lastSleep; }
int fSleepCount() { return g_sleepCount; }
}  // namespace host_test
