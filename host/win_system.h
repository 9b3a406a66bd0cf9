// Time, sleep, process memory, threads and critical sections of the stand-in.
#pragma once

#include "host/win_types.h"

#include <atomic>
#include <mutex>

DWORD timeGetTime();
void Sleep(DWORD milliseconds);

// The calling thread's last error, set by the calls that fail (window creation, the device), and
// its text. FormatMessageA knows the texts of the failures the stand-in itself sets, from the
// system (FORMAT_MESSAGE_FROM_SYSTEM); it writes at most size - 1 characters and a NUL and returns
// how many it wrote (0 for an unknown code).
inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_NOT_SUPPORTED = 50;
inline constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x00000200;
inline constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x00001000;
DWORD GetLastError();
void SetLastError(DWORD code);
DWORD FormatMessageA(DWORD flags, const void* source, DWORD messageId, DWORD languageId, char* buffer, DWORD size,
                     void* arguments);

struct PROCESS_MEMORY_COUNTERS {
  DWORD cb;
  DWORD PageFaultCount;
  SIZE_T PeakWorkingSetSize;
  SIZE_T WorkingSetSize;
  SIZE_T QuotaPeakPagedPoolUsage;
  SIZE_T QuotaPagedPoolUsage;
  SIZE_T QuotaPeakNonPagedPoolUsage;
  SIZE_T QuotaNonPagedPoolUsage;
  SIZE_T PagefileUsage;
  SIZE_T PeakPagefileUsage;
};

HANDLE GetCurrentProcess();
// Working set from /proc/self/statm; fails (FALSE) when cb is smaller than the record.
BOOL GetProcessMemoryInfo(HANDLE process, PROCESS_MEMORY_COUNTERS* counters, DWORD cb);

// A critical section is recursive, as on the original platform. LockCount is -1 while free and
// counts entries while held.
struct CRITICAL_SECTION {
  std::recursive_mutex* mutex = nullptr;
  std::atomic<LONG> LockCount{-1};
};

void InitializeCriticalSection(CRITICAL_SECTION* section);
void DeleteCriticalSection(CRITICAL_SECTION* section);
void EnterCriticalSection(CRITICAL_SECTION* section);
void LeaveCriticalSection(CRITICAL_SECTION* section);

using LPTHREAD_START_ROUTINE = DWORD (*)(void* parameter);
inline constexpr DWORD INFINITE = 0xFFFFFFFFu;
inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_TIMEOUT = 258;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;

HANDLE CreateThread(void* security, SIZE_T stackSize, LPTHREAD_START_ROUTINE start, void* parameter, DWORD flags,
                    DWORD* threadId);
DWORD GetCurrentThreadId();
// Waits until the thread has ended (only INFINITE is supported for threads).
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
BOOL CloseHandle(HANDLE handle);
