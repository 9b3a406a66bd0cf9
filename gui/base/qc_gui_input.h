// The widgets' view of the input object qcCurrentInput: the mouse position and key states of the
// current tick. Without an input object nothing is pressed and the mouse is at the origin.
#pragma once

#include "engine/platform/qc_input.h"
#include "gui/base/qc_hit_area.h"

#include <cstdint>

namespace QOR {

struct QC_GUI_INPUT {
  // Virtual-key codes of the text fields' editing keys.
  static constexpr int kKeyBackspace = 8;
  static constexpr int kKeyLeft = 37;
  static constexpr int kKeyRight = 39;
  static constexpr int kKeyDelete = 46;

  static int fMouseX() { return qcCurrentInput != nullptr ? qcCurrentInput->fGetMouseX() : 0; }
  static int fMouseY() { return qcCurrentInput != nullptr ? qcCurrentInput->fGetMouseY() : 0; }
  // The mouse position as floats, for hit tests.
  static void fGetMousePosF(float* x, float* y) {
    if (qcCurrentInput != nullptr) {
      qcCurrentInput->fGetMousePosF(x, y);
      return;
    }
    if (x != nullptr) *x = 0.0f;
    if (y != nullptr) *y = 0.0f;
  }
  // Whether the mouse is over a hit area.
  static bool isMouseOver(const QC_HIT_AREA& area) {
    float x = 0.0f;
    float y = 0.0f;
    fGetMousePosF(&x, &y);
    return area.isPointInside(x, y);
  }
  static std::uint8_t fGetState(int key) { return qcCurrentInput != nullptr ? qcCurrentInput->fGetState(key) : 0; }
  // Went down this tick.
  static bool isPressed(int key) { return qcCurrentInput != nullptr && qcCurrentInput->isPressed(key); }
  // Released this tick.
  static bool isReleased(int key) { return qcCurrentInput != nullptr && qcCurrentInput->isReleased(key); }
  static bool isSystemKey(int key) { return qcCurrentInput != nullptr && qcCurrentInput->isSystemKey(key); }
  static std::uint32_t fGetLastKey() { return qcCurrentInput != nullptr ? qcCurrentInput->fGetLastKey() : 0; }
  // The character typed this tick, whole: a character beyond 16 bits is kept as it was typed.
  static wchar_t fGetTypedChar() { return qcCurrentInput != nullptr ? qcCurrentInput->fGetTypedChar() : 0; }
  // A character a text field takes: none of the control codes (the keys Tab, Escape and the like
  // type them), which no field can show and no file name should hold.
  static bool isTextChar(wchar_t character) {
    return character >= 0x20 && !(character >= 0x7F && character <= 0x9F);
  }
};

}  // namespace QOR
