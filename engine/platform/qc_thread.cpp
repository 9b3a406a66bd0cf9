#include "engine/platform/qc_thread.h"

#include "engine/service/qc_log.h"

#include <mutex>

namespace QOR {

namespace {

CRITICAL_SECTION g_locks[QC_THREAD::kLockCount];
bool g_initialised = false;
std::vector<QC_THREAD_INFO*> g_threads;
// The list is appended to on the main thread and erased from on ending threads.
std::mutex g_threadListLock;

}  // namespace

void QC_THREAD::fInitMutexes() {
  if (g_initialised) return;
  for (CRITICAL_SECTION& lock : g_locks) InitializeCriticalSection(&lock);
  g_initialised = true;
}

void QC_THREAD::fMutexLock(int index) {
  if (index < 0 || index >= kLockCount) return;
  EnterCriticalSection(&g_locks[index]);
}

void QC_THREAD::fMutexUnlock(int index) {
  if (index < 0 || index >= kLockCount) return;
  LeaveCriticalSection(&g_locks[index]);
}

bool QC_THREAD::isMutexLock(int index) {
  if (index < 0 || index >= kLockCount) {
    fLog() << "ERROR QC_THREAD::isMutexLock(" << index << ")   index - BAD";
    return false;
  }
  return g_locks[index].LockCount != -1;
}

QC_THREAD_INFO* QC_THREAD::fCreateThread(QC_THREAD_FUNC function, std::uintptr_t argument) {
  auto* info = new QC_THREAD_INFO{0, nullptr, function, argument};
  {
    std::lock_guard<std::mutex> guard(g_threadListLock);
    g_threads.push_back(info);
  }
  info->_handle = CreateThread(nullptr, 0, &QC_THREAD::fThreadEntry, info, 0, &info->_threadId);
  return info;
}

void QC_THREAD::fJoinThread(QC_THREAD_INFO* info) {
  if (info == nullptr || info->_handle == nullptr) return;
  WaitForSingleObject(info->_handle, INFINITE);
  CloseHandle(info->_handle);
  // The thread has ended and left the list, so nothing refers to its record any more.
  delete info;
}

std::size_t QC_THREAD::fThreadCount() {
  std::lock_guard<std::mutex> guard(g_threadListLock);
  return g_threads.size();
}

DWORD QC_THREAD::fThreadEntry(void* record) {
  auto* info = static_cast<QC_THREAD_INFO*>(record);
  if (info->_function != nullptr) info->_function(info->_argument);
  fRemoveThread(info);
  return 1;
}

void QC_THREAD::fRemoveThread(QC_THREAD_INFO* record) {
  std::lock_guard<std::mutex> guard(g_threadListLock);
  const DWORD id = GetCurrentThreadId();
  for (auto it = g_threads.begin(); it != g_threads.end(); ++it) {
    if ((*it)->_threadId == id || *it == record) {
      g_threads.erase(it);
      return;
    }
  }
}

}  // namespace QOR
