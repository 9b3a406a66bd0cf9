#include "engine/platform/qc_window.h"

#include "engine/service/qc_callback.h"
#include "engine/service/qc_log.h"
#include "host/quit_signals.h"
#include "host/win_keyboard.h"

#include <pugixml.hpp>

#include <cstring>

namespace QOR {

namespace {
const char* const kClassName = "QUILLON";
const wchar_t* const kClassNameW = L"QUILLON";
}  // namespace

QC_WINDOW::QC_WINDOW()
    : _handle(nullptr),
      _cursor(nullptr),
      _width(1024),
      _height(768),
      _fullscreen(0),
      _desktopWidth(0),
      _desktopHeight(0),
      _classRecord{},
      _style(0),
      _exStyle(0),
      _memoryCounters{},
      _border(1),
      _resize(0),
      _minimizeBox(1),
      _maximizeBox(0),
      _spareFlag(0),
      _letterboxScale(1.0f),
      _letterboxOffset(0.0f, 0.0f),
      _stretch(0) {
  fGetDesktopSize(_desktopWidth, _desktopHeight);
}

int QC_WINDOW::WindowInit(std::string caption) {
  const std::wstring wideCaption = pugi::as_wide(caption.c_str());
  fLog("===========================\nWindowInit");

  HINSTANCE instance = GetModuleHandleA(nullptr);
  _classRecord.cbSize = sizeof(WNDCLASSEXA);
  _classRecord.style = CS_HREDRAW | CS_VREDRAW;
  _classRecord.lpfnWndProc = &QC_WINDOW::fWindowProc;
  _classRecord.cbClsExtra = 0;
  _classRecord.cbWndExtra = 0;
  _classRecord.hInstance = instance;
  _classRecord.hIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1000), IMAGE_ICON, 32, 32, LR_DEFAULTSIZE));
  _classRecord.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1001), IMAGE_ICON, 32, 32, LR_DEFAULTSIZE));
  _cursor = LoadCursorA(nullptr, IDC_ARROW);
  _classRecord.hCursor = _cursor;
  _classRecord.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  _classRecord.lpszMenuName = nullptr;
  _classRecord.lpszClassName = kClassName;

  if (RegisterClassExA(&_classRecord) == 0) {
    fLog("Не удалось зарегистрировать класс окна");
    return 0;
  }

  _style = WS_OVERLAPPEDWINDOW;
  int outerWidth = 0;
  int outerHeight = 0;
  fGetOuterSize(_width, _height, outerWidth, outerHeight);

  _handle = CreateWindowExW(0, kClassNameW, wideCaption.c_str(), _style, 0, 0, outerWidth, outerHeight, nullptr,
                            nullptr, instance, nullptr);
  if (_handle == nullptr) {
    fLog(" Window create error ");
    return 0;
  }
  fLog("Window created\n===========================");

  fApplyStyle();
  fSetMode(_width, _height, _fullscreen, _stretch);
  ShowWindow(_handle, SW_SHOWNORMAL);
  UpdateWindow(_handle);
  return 1;
}

void QC_WINDOW::fSetMode(int width, int height, std::uint8_t fullscreen, std::uint8_t stretch) {
  _width = width;
  _height = height;
  _fullscreen = fullscreen;
  _stretch = stretch;
  _forcedFullscreen = false;
  if (_fullscreen == 0) {
    fApplyStyle();
    int outerWidth = 0;
    int outerHeight = 0;
    fGetOuterSize(_width, _height, outerWidth, outerHeight);
    // Centred in the desktop's usable area (without its panels), which the whole window, frame
    // included, must fit. An area the system cannot tell leaves the window centred on the desktop.
    RECT area{0, 0, _desktopWidth, _desktopHeight};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const int areaWidth = area.right - area.left;
    const int areaHeight = area.bottom - area.top;
    const bool known = areaWidth > 0 && areaHeight > 0;
    if (!known || (outerWidth <= areaWidth && outerHeight <= areaHeight)) {
      SetWindowPos(_handle, HWND_NOTOPMOST, area.left + areaWidth / 2 - outerWidth / 2,
                   area.top + areaHeight / 2 - outerHeight / 2, outerWidth, outerHeight,
                   SWP_SHOWWINDOW | SWP_FRAMECHANGED);
      fUpdateLetterbox();
      return;
    }
    // Part of the game would be off the screen, out of reach: full screen shows it whole, scaled.
    fLog() << "A window of " << outerWidth << "x" << outerHeight << " does not fit the screen's usable "
           << areaWidth << "x" << areaHeight << ": full screen";
    _fullscreen = 1;
    _stretch = 1;
    _forcedFullscreen = true;
  }
  _style = WS_POPUP;
  _exStyle = WS_EX_TOPMOST;
  SetWindowLongA(_handle, GWL_STYLE, static_cast<LONG>(_style));
  SetWindowLongA(_handle, GWL_EXSTYLE, static_cast<LONG>(_exStyle));
  SetWindowPos(_handle, HWND_TOPMOST, 0, 0, _desktopWidth, _desktopHeight, SWP_SHOWWINDOW);
  fUpdateLetterbox();
}

void QC_WINDOW::fApplyStyle() {
  if (_fullscreen != 0) return;
  _style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
  _exStyle = 0;
  fLog() << "border= " << static_cast<int>(_border);
  fLog() << "minimize= " << static_cast<int>(_minimizeBox);
  fLog() << "maximize= " << static_cast<int>(_maximizeBox);
  fLog() << "resize= " << static_cast<int>(_resize);
  if (_border == 1) {
    if (_minimizeBox != 1) _style &= ~WS_MINIMIZEBOX;
    if (_maximizeBox != 1) _style &= ~WS_MAXIMIZEBOX;
    if (_resize != 1) _style &= ~WS_THICKFRAME;
  } else {
    _style &= ~(WS_CAPTION | WS_THICKFRAME);
  }
  SetWindowLongA(_handle, GWL_STYLE, static_cast<LONG>(_style));
  SetWindowLongA(_handle, GWL_EXSTYLE, static_cast<LONG>(_exStyle));
}

void QC_WINDOW::fGetOuterSize(int width, int height, int& outerWidth, int& outerHeight) {
  RECT rect{0, 0, width - 1, height - 1};
  AdjustWindowRectEx(&rect, _style, FALSE, _exStyle);
  outerWidth = rect.right - rect.left + 1;
  outerHeight = rect.bottom - rect.top + 1;
}

void QC_WINDOW::fUpdateLetterbox() {
  if (_fullscreen == 0) return;
  if (_width == _desktopWidth && _height == _desktopHeight) {
    _letterboxScale = 1.0f;
    _letterboxOffset = QS_VEC2(0.0f, 0.0f);
    return;
  }
  // A zero game size cannot be letterboxed; keep the identity mapping rather than divide by it.
  if (_width <= 0 || _height <= 0) {
    _letterboxScale = 1.0f;
    _letterboxOffset = QS_VEC2(0.0f, 0.0f);
    return;
  }
  const float sx = static_cast<float>(_desktopWidth) / static_cast<float>(_width);
  const float sy = static_cast<float>(_desktopHeight) / static_cast<float>(_height);
  _letterboxScale = sx < sy ? sx : sy;
  _letterboxOffset = QS_VEC2((static_cast<float>(_desktopWidth) - static_cast<float>(_width) * _letterboxScale) / 2.0f,
                             (static_cast<float>(_desktopHeight) - static_cast<float>(_height) * _letterboxScale) / 2.0f);
}

void QC_WINDOW::fApplyFlag(std::uint8_t& flag, std::uint8_t value) {
  if (_fullscreen != 0) return;
  flag = value;
  fApplyStyle();
  fSetMode(_width, _height, _fullscreen, _stretch);
}

void QC_WINDOW::fSetBorder(std::uint8_t value) { fApplyFlag(_border, value); }
void QC_WINDOW::fSetResizable(std::uint8_t value) { fApplyFlag(_resize, value); }
void QC_WINDOW::fSetMaximizeBox(std::uint8_t value) { fApplyFlag(_maximizeBox, value); }
void QC_WINDOW::fSetMinimizeBox(std::uint8_t value) { fApplyFlag(_minimizeBox, value); }

void QC_WINDOW::fSetCaption(const std::string& utf8) {
  const std::wstring wide = pugi::as_wide(utf8.c_str());
  SetWindowTextW(_handle, wide.c_str());
}

namespace {
// Float to int truncated toward zero; values no int can hold (or NaN) give 0.
int truncToInt(float v) {
  if (!(v > -2147483648.0f && v < 2147483648.0f)) return 0;
  return static_cast<int>(v);
}
}  // namespace

void QC_WINDOW::fScreenToGame(POINT screen, QS_POINT& out) {
  POINT p = screen;
  if (ScreenToClient(_handle, &p) == FALSE) fLog("ERROR ScreenToClient");
  if (_fullscreen == 1 && _stretch == 1 && _letterboxScale != 0.0f) {
    out.x = truncToInt((static_cast<float>(p.x) - _letterboxOffset.x) / _letterboxScale);
    out.y = truncToInt((static_cast<float>(p.y) - _letterboxOffset.y) / _letterboxScale);
  } else {
    out.x = p.x;
    out.y = p.y;
  }
}

QS_POINT QC_WINDOW::fScreenToGamePoint(POINT screen) {
  POINT p = screen;
  if (ScreenToClient(_handle, &p) == FALSE) fLog("ERROR ScreenToClient");
  QS_POINT out(p.x, p.y);
  if (_fullscreen == 1 && _letterboxScale != 0.0f) {
    out.x = truncToInt((static_cast<float>(p.x) - _letterboxOffset.x) / _letterboxScale);
    out.y = truncToInt((static_cast<float>(p.y) - _letterboxOffset.y) / _letterboxScale);
  }
  return out;
}

void QC_WINDOW::fGetScreenSize(QS_POINT& out) {
  out.x = GetSystemMetrics(SM_CXSCREEN);
  out.y = GetSystemMetrics(SM_CYSCREEN);
}

void QC_WINDOW::fGetDesktopSize(int& width, int& height) {
  width = GetSystemMetrics(SM_CXSCREEN);
  height = GetSystemMetrics(SM_CYSCREEN);
}

QS_POINT QC_WINDOW::fGetScreenPoint() { return QS_POINT(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)); }

int QC_WINDOW::fKeyToUnicode(std::uint32_t virtualKey, std::uint8_t keyStates[256], wchar_t* buffer, int size) {
  const int produced = ToUnicode(virtualKey, MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC), keyStates, buffer, size, 1);
  return produced >= 1 ? 1 : -1;
}

std::uint32_t QC_WINDOW::fGetMemoryUsage() {
  _memoryCounters.cb = sizeof(PROCESS_MEMORY_COUNTERS);
  if (GetProcessMemoryInfo(GetCurrentProcess(), &_memoryCounters, sizeof(PROCESS_MEMORY_COUNTERS)) == FALSE) return 0;
  return static_cast<std::uint32_t>(_memoryCounters.WorkingSetSize);
}

int QC_WINDOW::fGetMemoryUsageMB() { return static_cast<int>(fGetMemoryUsage() / (1u << 20)); }

bool QC_WINDOW::fIsQuitSignalled() { return host_signals::fQuitSignalled(); }

LRESULT QC_WINDOW::fWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      if (wParam == WA_INACTIVE) {
        fInvokeCallback(qcOnDeactivate, 0);
      } else if (wParam == WA_ACTIVE || wParam == WA_CLICKACTIVE) {
        fInvokeCallback(qcOnActivate, 0);
      }
      break;
    case WM_SETFOCUS: fInvokeCallback(qcOnActivate, 0); break;
    case WM_KILLFOCUS: fInvokeCallback(qcOnDeactivate, 0); break;
    case WM_CLOSE:
      // The quit hook decides (it may ask first and stay); the window goes with the program, so
      // the default handling, which would destroy it now, is not asked.
      fInvokeCallback(qcOnQuit, 0);
      return 0;
    default: break;
  }
  return DefWindowProcA(handle, message, wParam, lParam);
}

}  // namespace QOR
