// The message pump, run once per update step, and the system cursor switch.
#include "engine/platform/qc_input.h"
#include "engine/platform/qc_window.h"
#include "engine/service/qc_callback.h"

namespace QOR {

int fProcessMessages(QC_INPUT* input, QC_WINDOW* window) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
    TranslateMessage(&message);
    if (input != nullptr) {
      switch (message.message) {
        case WM_MOUSEMOVE: {
          POINT cursor{0, 0};
          GetCursorPos(&cursor);
          QS_POINT game(0, 0);
          if (window != nullptr) {
            window->fScreenToGame(cursor, game);
          } else {
            game = QS_POINT(cursor.x, cursor.y);
          }
          input->fSetMousePosition(game.x, game.y);
          break;
        }
        case WM_LBUTTONDOWN: input->fKeyDown(1); break;
        case WM_LBUTTONUP: input->fKeyUp(1); break;
        case WM_RBUTTONDOWN: input->fKeyDown(2); break;
        case WM_RBUTTONUP: input->fKeyUp(2); break;
        case WM_MBUTTONDOWN: input->fKeyDown(4); break;
        case WM_MBUTTONUP: input->fKeyUp(4); break;
        case WM_KEYDOWN: input->fKeyDown(static_cast<std::uint32_t>(message.wParam)); break;
        case WM_KEYUP: input->fKeyUp(static_cast<std::uint32_t>(message.wParam)); break;
        default: break;
      }
    }
    // A close request reaches the quit hook once, here; the window procedure sees only one sent
    // to it. A hook that asks first would otherwise ask twice.
    if (message.message == WM_CLOSE) {
      fInvokeCallback(qcOnQuit, 0);
      continue;
    }
    DispatchMessageA(&message);
  }
  return 0;
}

void fShowSystemCursor(HWND /*window*/, bool show) {
  if (show) {
    while (ShowCursor(TRUE) < 0) {
    }
  } else {
    while (ShowCursor(FALSE) >= 0) {
    }
  }
}

}  // namespace QOR
