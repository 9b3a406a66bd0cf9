#include "engine/platform/qc_input.h"

#include "engine/platform/qc_window.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_log.h"

#include <cstring>

namespace QOR {

namespace {
constexpr int kShift = 16;
constexpr int kCapsLock = 20;

// States compare as signed bytes: 121..127 wrap on a repeat, 126..127 on ageing.
int asSigned(std::uint8_t v) { return static_cast<std::int8_t>(v); }
}  // namespace

QC_INPUT* qcCurrentInput = nullptr;

QC_INPUT::QC_INPUT() : _lastKey(0) {
  std::memset(_keys, 0, sizeof(_keys));
  std::memset(_typed, 0, sizeof(_typed));
  qcCurrentInput = this;
}

int QC_INPUT::fKeyDown(std::uint32_t key) {
  key &= 0xFFu;
  _lastKey = key;
  if (key == kShift) {
    _keys[kShift] = 1;
    _keys[kCapsLock] = 1;
  } else if (_keys[key] == 255) {
    // Released and pressed again before the next ageing: a fresh press.
    _keys[key] = 1;
  } else if (asSigned(_keys[key]) > 120) {
    _keys[key] = 2;
  } else {
    _keys[key] = static_cast<std::uint8_t>(_keys[key] + 1);
  }
  if (!isSystemKey(static_cast<int>(key))) {
    QC_WINDOW::fKeyToUnicode(key, _keys, _typed, kTypedLength);
  }
  return fInvokeCallback(qcOnKeyDown, key);
}

int QC_INPUT::fKeyUp(std::uint32_t key) {
  key &= 0xFFu;
  if (key == kShift) {
    _keys[kShift] = 255;
    _keys[kCapsLock] = 255;
  } else {
    _keys[key] = 255;
  }
  return fInvokeCallback(qcOnKeyUp, key);
}

int QC_INPUT::fSetMousePosition(int x, int y) {
  _mouse._position.x = x;
  _mouse._position.y = y;
  return fInvokeCallback(qcOnMouseMove, 0);
}

int QC_INPUT::fUpdate() {
  _mouse._previous = _mouse._position;
  _lastKey = 0;
  _typed[0] = 0;
  for (int key = 0; key < 256; ++key) {
    std::uint8_t& s = _keys[key];
    if (s == 255) {
      s = 0;
    } else if (key != kCapsLock && s != 0) {
      s = static_cast<std::uint8_t>(s + 1);
      if (asSigned(s) > 125) s = 2;
    }
  }
  return 0;
}

bool QC_INPUT::isSystemKey(int key) const {
  switch (key) {
    case 8: case 13: case 16: case 17: case 35: case 36:
    case 37: case 38: case 39: case 40: case 45: case 46:
      fLog() << "isSystemKey: " << key;
      return true;
    default:
      return false;
  }
}

void QC_INPUT::fGetMousePosF(float* x, float* y) const {
  if (x != nullptr) *x = static_cast<float>(_mouse._position.x);
  if (y != nullptr) *y = static_cast<float>(_mouse._position.y);
}

bool QC_INPUT::isMouseInRect(float x, float y, float w, float h) const {
  const float mx = static_cast<float>(_mouse._position.x);
  const float my = static_cast<float>(_mouse._position.y);
  return x <= mx && mx <= x + w && y <= my && my <= y + h;
}

QK_BUTTON* QC_INPUT::fFindKey(std::uint32_t id) {
  for (QK_BUTTON* k : _registeredKeys) {
    if (k != nullptr && k->_id == id) return k;
  }
  return nullptr;
}

}  // namespace QOR
