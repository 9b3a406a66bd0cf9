// One 1024 x 768 window for a whole test or benchmark program, made on first use through the
// platform stand-in; the renderers of GL tests and benchmarks are created on it.
#pragma once

#include "host/win_window.h"

namespace qor_test {

inline LRESULT fTestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// Null when the window cannot be made (no video driver).
inline HWND fTestWindow() {
  static HWND window = [] {
    WNDCLASSEXA record{};
    record.cbSize = sizeof(WNDCLASSEXA);
    record.lpfnWndProc = &fTestWindowProc;
    record.hInstance = GetModuleHandleA(nullptr);
    record.lpszClassName = "QorTestWindow";
    RegisterClassExA(&record);
    return CreateWindowExW(0, L"QorTestWindow", L"qor test", WS_OVERLAPPEDWINDOW, 0, 0, 1024, 768, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  }();
  return window;
}

}  // namespace qor_test
