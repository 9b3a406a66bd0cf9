// Virtual-key codes and keyboard text translation of the stand-in.
#pragma once

#include "host/win_types.h"

inline constexpr UINT VK_LBUTTON = 0x01;
inline constexpr UINT VK_RBUTTON = 0x02;
inline constexpr UINT VK_MBUTTON = 0x04;
inline constexpr UINT VK_BACK = 0x08;
inline constexpr UINT VK_TAB = 0x09;
inline constexpr UINT VK_RETURN = 0x0D;
inline constexpr UINT VK_SHIFT = 0x10;
inline constexpr UINT VK_CONTROL = 0x11;
inline constexpr UINT VK_MENU = 0x12;
inline constexpr UINT VK_PAUSE = 0x13;
inline constexpr UINT VK_CAPITAL = 0x14;
inline constexpr UINT VK_ESCAPE = 0x1B;
inline constexpr UINT VK_SPACE = 0x20;
inline constexpr UINT VK_PRIOR = 0x21;
inline constexpr UINT VK_NEXT = 0x22;
inline constexpr UINT VK_END = 0x23;
inline constexpr UINT VK_HOME = 0x24;
inline constexpr UINT VK_LEFT = 0x25;
inline constexpr UINT VK_UP = 0x26;
inline constexpr UINT VK_RIGHT = 0x27;
inline constexpr UINT VK_DOWN = 0x28;
inline constexpr UINT VK_SNAPSHOT = 0x2C;
inline constexpr UINT VK_INSERT = 0x2D;
inline constexpr UINT VK_DELETE = 0x2E;
inline constexpr UINT VK_NUMPAD0 = 0x60;
inline constexpr UINT VK_MULTIPLY = 0x6A;
inline constexpr UINT VK_ADD = 0x6B;
inline constexpr UINT VK_SUBTRACT = 0x6D;
inline constexpr UINT VK_DECIMAL = 0x6E;
inline constexpr UINT VK_DIVIDE = 0x6F;
inline constexpr UINT VK_F1 = 0x70;
inline constexpr UINT VK_F2 = 0x71;
inline constexpr UINT VK_F10 = 0x79;
inline constexpr UINT VK_NUMLOCK = 0x90;
inline constexpr UINT VK_SCROLL = 0x91;
inline constexpr UINT VK_OEM_1 = 0xBA;       // ;:
inline constexpr UINT VK_OEM_PLUS = 0xBB;    // =+
inline constexpr UINT VK_OEM_COMMA = 0xBC;   // ,<
inline constexpr UINT VK_OEM_MINUS = 0xBD;   // -_
inline constexpr UINT VK_OEM_PERIOD = 0xBE;  // .>
inline constexpr UINT VK_OEM_2 = 0xBF;       // /?
inline constexpr UINT VK_OEM_3 = 0xC0;       // `~
inline constexpr UINT VK_OEM_4 = 0xDB;       // [{
inline constexpr UINT VK_OEM_5 = 0xDC;       // \|
inline constexpr UINT VK_OEM_6 = 0xDD;       // ]}
inline constexpr UINT VK_OEM_7 = 0xDE;       // '"
inline constexpr UINT VK_OEM_102 = 0xE2;     // the extra key beside left shift (and other keys)
inline constexpr UINT VK_PACKET = 0xE7;      // a character typed without a key of its own

inline constexpr UINT MAPVK_VK_TO_VSC = 0;

UINT MapVirtualKeyA(UINT code, UINT mapType);

// Writes the characters the key produces into buffer (at most size units) and returns their count,
// 0 when the key produces none. The key-state bytes are read as on the original platform: the top
// bit means held, the low bit of caps lock (20) means toggled on.
int ToUnicode(UINT virtualKey, UINT scanCode, const BYTE* keyState, wchar_t* buffer, int size, UINT flags);
