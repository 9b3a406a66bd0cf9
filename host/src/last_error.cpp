// The calling thread's last error and the texts of the failures the stand-in sets itself.
#include "host/src/host_internal.h"
#include "host/win_system.h"

#include <cstring>
#include <string>

namespace {

thread_local DWORD g_lastError = ERROR_SUCCESS;
// The text of the last failure the stand-in set on this thread, for its code.
thread_local DWORD g_textCode = ERROR_SUCCESS;
thread_local std::string g_text;

}  // namespace

namespace host_detail {

void fSetLastFailure(DWORD code, const std::string& text) {
  g_lastError = code;
  g_textCode = code;
  g_text = text;
}

}  // namespace host_detail

DWORD GetLastError() { return g_lastError; }

void SetLastError(DWORD code) { g_lastError = code; }

DWORD FormatMessageA(DWORD flags, const void* /*source*/, DWORD messageId, DWORD /*languageId*/, char* buffer,
                     DWORD size, void* /*arguments*/) {
  if ((flags & FORMAT_MESSAGE_FROM_SYSTEM) == 0 || buffer == nullptr || size == 0) return 0;
  if (messageId != g_textCode || g_text.empty()) return 0;
  const std::size_t length = std::min<std::size_t>(g_text.size(), size - 1);
  std::memcpy(buffer, g_text.data(), length);
  buffer[length] = '\0';
  return static_cast<DWORD>(length);
}
