// Keyboard and mouse state polled by widgets and game code, fed by the message pump.
//
// Key states: 0 up, 1 went down since the last ageing, 2..125 held (growing once per ageing and
// per repeated key-down), 255 released since the last ageing.
#pragma once

#include "engine/math/qs_point.h"

#include <cstdint>
#include <vector>

namespace QOR {

// The input codes the game reads: mouse buttons, and keys by their virtual-key code (a letter or
// digit key's code is its upper-case character, 'U' or '1').
inline constexpr int kMouseLeft = 1;
inline constexpr int kMouseRight = 2;
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyPadPlus = 107;
inline constexpr int kKeyPadMinus = 109;
inline constexpr int kKeyF1 = 0x70;
inline constexpr int kKeyF2 = 0x71;

// A key record found by id; nothing in the engine creates one.
struct QK_BUTTON {
  std::uint32_t _key = 0;
  std::uint32_t _id = 0;
};

struct QC_MOUSE {
  std::uint32_t _flags = 0;
  QS_POINT _position{0, 0};
  QS_POINT _previous{0, 0};
  std::uint8_t _buttonA = 0;
  std::uint8_t _buttonB = 0;
  std::uint8_t _spare[14] = {};
  int _wheel = -1;
};

class QC_INPUT {
 public:
  static constexpr int kTypedLength = 6;

  QC_INPUT();
  ~QC_INPUT() = default;

  int fKeyDown(std::uint32_t key);
  int fKeyUp(std::uint32_t key);
  int fSetMousePosition(int x, int y);
  // Ages every key state once; called after the game's update hook.
  int fUpdate();

  std::uint8_t fGetState(int key) const { return _keys[key & 0xFF]; }
  bool isPressed(int key) const { return fGetState(key) == 1; }
  bool isReleased(int key) const { return fGetState(key) == 255; }
  bool isSystemKey(int key) const;

  void fGetMousePosF(float* x, float* y) const;
  int fGetMouseX() const { return _mouse._position.x; }
  int fGetMouseY() const { return _mouse._position.y; }
  QS_POINT fGetMousePos() const { return _mouse._position; }
  QS_POINT fGetPreviousMousePos() const { return _mouse._previous; }
  bool isMouseInRect(float x, float y, float w, float h) const;

  // The character typed in this step (0 when none) and the last key pressed (0 when none).
  wchar_t fGetTypedChar() const { return _typed[0]; }
  const wchar_t* fGetTypedText() const { return _typed; }
  std::uint32_t fGetLastKey() const { return _lastKey; }
  const std::uint8_t* fGetKeyStates() const { return _keys; }

  QK_BUTTON* fFindKey(std::uint32_t id);
  void fAddKey(QK_BUTTON* key) { _registeredKeys.push_back(key); }

 private:
  std::uint8_t _keys[256];
  wchar_t _typed[kTypedLength];
  std::uint32_t _lastKey;
  QC_MOUSE _mouse;
  std::vector<QK_BUTTON*> _registeredKeys;
};

extern QC_INPUT* qcCurrentInput;

}  // namespace QOR
