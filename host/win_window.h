// Window, message queue, cursor and message-box calls of the stand-in (backed by SDL2).
#pragma once

#include "host/win_types.h"

// Window messages.
inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;

// WM_ACTIVATE states; the high word carries the minimised flag.
inline constexpr WPARAM WA_INACTIVE = 0;
inline constexpr WPARAM WA_ACTIVE = 1;
inline constexpr WPARAM WA_CLICKACTIVE = 2;

// Window styles.
inline constexpr DWORD WS_OVERLAPPED = 0x00000000u;
inline constexpr DWORD WS_POPUP = 0x80000000u;
inline constexpr DWORD WS_VISIBLE = 0x10000000u;
inline constexpr DWORD WS_BORDER = 0x00800000u;
inline constexpr DWORD WS_DLGFRAME = 0x00400000u;
inline constexpr DWORD WS_CAPTION = WS_BORDER | WS_DLGFRAME;
inline constexpr DWORD WS_SYSMENU = 0x00080000u;
inline constexpr DWORD WS_THICKFRAME = 0x00040000u;
inline constexpr DWORD WS_MINIMIZEBOX = 0x00020000u;
inline constexpr DWORD WS_MAXIMIZEBOX = 0x00010000u;
inline constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
inline constexpr DWORD WS_EX_TOPMOST = 0x00000008u;

inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;

inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;

inline HWND const HWND_TOPMOST = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-1));
inline HWND const HWND_NOTOPMOST = reinterpret_cast<HWND>(static_cast<std::intptr_t>(-2));
inline constexpr UINT SWP_FRAMECHANGED = 0x0020;
inline constexpr UINT SWP_SHOWWINDOW = 0x0040;

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;

inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;

inline constexpr UINT PM_NOREMOVE = 0;
inline constexpr UINT PM_REMOVE = 1;

inline constexpr UINT IMAGE_ICON = 1;
inline constexpr UINT LR_DEFAULTSIZE = 0x0040;
inline constexpr int BLACK_BRUSH = 4;
inline const char* const IDC_ARROW = reinterpret_cast<const char*>(static_cast<std::uintptr_t>(32512));

inline constexpr UINT MB_OK = 0x0000;
inline constexpr UINT MB_OKCANCEL = 0x0001;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

inline const char* MAKEINTRESOURCEA(int id) {
  return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(id));
}

HMODULE GetModuleHandleA(const char* name);
HANDLE LoadImageA(HINSTANCE instance, const char* name, UINT type, int cx, int cy, UINT flags);
HCURSOR LoadCursorA(HINSTANCE instance, const char* name);
HGDIOBJ GetStockObject(int object);

ATOM RegisterClassExA(const WNDCLASSEXA* record);
BOOL UnregisterClassA(const char* className, HINSTANCE instance);
HWND CreateWindowExW(DWORD exStyle, const wchar_t* className, const wchar_t* caption, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);
LONG SetWindowLongA(HWND window, int index, LONG value);
LONG GetWindowLongA(HWND window, int index);
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL GetWindowRect(HWND window, RECT* rect);
BOOL GetClientRect(HWND window, RECT* rect);
BOOL SetWindowTextW(HWND window, const wchar_t* text);
BOOL ShowWindow(HWND window, int command);
BOOL UpdateWindow(HWND window);
// Whether the window is minimised (iconified), and whether it is visible: shown by the program
// and not taken off the screen by the desktop (a window manager unmaps a window it iconifies).
BOOL IsIconic(HWND window);
BOOL IsWindowVisible(HWND window);

BOOL PeekMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlag);
BOOL TranslateMessage(const MSG* message);
LRESULT DispatchMessageA(const MSG* message);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

int GetSystemMetrics(int index);
// SPI_GETWORKAREA: the desktop's usable area (without panels and docks), in screen pixels, into
// the RECT param points to. FALSE, leaving it alone, for other actions or when it is unknown.
inline constexpr UINT SPI_GETWORKAREA = 0x0030;
BOOL SystemParametersInfoA(UINT action, UINT param, void* pvParam, UINT winIni);
BOOL GetCursorPos(POINT* point);
BOOL SetCursorPos(int x, int y);
BOOL ScreenToClient(HWND window, POINT* point);
int ShowCursor(BOOL show);

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);
