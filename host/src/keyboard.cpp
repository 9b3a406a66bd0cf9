// Virtual-key codes for SDL keys, and the characters a key-down produces.
#include "host/src/host_internal.h"
#include "host/win_keyboard.h"

namespace {

struct KeyPair {
  SDL_Keycode key;
  UINT vk;
};

constexpr KeyPair kNamedKeys[] = {
    {SDLK_BACKSPACE, VK_BACK},     {SDLK_TAB, VK_TAB},           {SDLK_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, VK_RETURN},    {SDLK_LSHIFT, VK_SHIFT},      {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL},      {SDLK_RCTRL, VK_CONTROL},     {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU},          {SDLK_PAUSE, VK_PAUSE},       {SDLK_CAPSLOCK, VK_CAPITAL},
    {SDLK_ESCAPE, VK_ESCAPE},      {SDLK_SPACE, VK_SPACE},       {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT},      {SDLK_END, VK_END},           {SDLK_HOME, VK_HOME},
    {SDLK_LEFT, VK_LEFT},          {SDLK_UP, VK_UP},             {SDLK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN},          {SDLK_PRINTSCREEN, VK_SNAPSHOT}, {SDLK_INSERT, VK_INSERT},
    {SDLK_DELETE, VK_DELETE},      {SDLK_KP_MULTIPLY, VK_MULTIPLY}, {SDLK_KP_PLUS, VK_ADD},
    {SDLK_KP_MINUS, VK_SUBTRACT},  {SDLK_KP_PERIOD, VK_DECIMAL}, {SDLK_KP_DIVIDE, VK_DIVIDE},
    {SDLK_NUMLOCKCLEAR, VK_NUMLOCK}, {SDLK_SCROLLLOCK, VK_SCROLL}, {SDLK_SEMICOLON, VK_OEM_1},
    {SDLK_EQUALS, VK_OEM_PLUS},    {SDLK_COMMA, VK_OEM_COMMA},   {SDLK_MINUS, VK_OEM_MINUS},
    {SDLK_PERIOD, VK_OEM_PERIOD},  {SDLK_SLASH, VK_OEM_2},       {SDLK_BACKQUOTE, VK_OEM_3},
    {SDLK_LEFTBRACKET, VK_OEM_4},  {SDLK_BACKSLASH, VK_OEM_5},   {SDLK_RIGHTBRACKET, VK_OEM_6},
    {SDLK_QUOTE, VK_OEM_7},
};

struct ScanPair {
  SDL_Scancode scan;
  UINT vk;
};

// The symbol keys of a US keyboard by their place.
constexpr ScanPair kSymbolPlaces[] = {
    {SDL_SCANCODE_SEMICOLON, VK_OEM_1},    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS},   {SDL_SCANCODE_COMMA, VK_OEM_COMMA},
    {SDL_SCANCODE_MINUS, VK_OEM_MINUS},    {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD}, {SDL_SCANCODE_SLASH, VK_OEM_2},
    {SDL_SCANCODE_GRAVE, VK_OEM_3},        {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4}, {SDL_SCANCODE_BACKSLASH, VK_OEM_5},
    {SDL_SCANCODE_NONUSHASH, VK_OEM_5},    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6}, {SDL_SCANCODE_APOSTROPHE, VK_OEM_7},
    {SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_102},
};

struct CharPair {
  UINT vk;
  char32_t plain;
  char32_t shifted;
};

// A US layout for keys that reach ToUnicode without text from the keyboard (posted messages).
constexpr CharPair kLayout[] = {
    {'0', U'0', U')'}, {'1', U'1', U'!'}, {'2', U'2', U'@'}, {'3', U'3', U'#'}, {'4', U'4', U'$'},
    {'5', U'5', U'%'}, {'6', U'6', U'^'}, {'7', U'7', U'&'}, {'8', U'8', U'*'}, {'9', U'9', U'('},
    {VK_SPACE, U' ', U' '}, {VK_OEM_1, U';', U':'}, {VK_OEM_PLUS, U'=', U'+'}, {VK_OEM_COMMA, U',', U'<'},
    {VK_OEM_MINUS, U'-', U'_'}, {VK_OEM_PERIOD, U'.', U'>'}, {VK_OEM_2, U'/', U'?'}, {VK_OEM_3, U'`', U'~'},
    {VK_OEM_4, U'[', U'{'}, {VK_OEM_5, U'\\', U'|'}, {VK_OEM_6, U']', U'}'}, {VK_OEM_7, U'\'', U'"'},
    {VK_MULTIPLY, U'*', U'*'}, {VK_ADD, U'+', U'+'}, {VK_SUBTRACT, U'-', U'-'}, {VK_DECIMAL, U'.', U'.'},
    {VK_DIVIDE, U'/', U'/'},
};

// Keys whose character is a control code on the original platform.
char32_t controlChar(UINT vk) {
  switch (vk) {
    case VK_BACK: return U'\b';
    case VK_TAB: return U'\t';
    case VK_RETURN: return U'\r';
    case VK_ESCAPE: return 0x1B;
    default: return 0;
  }
}

char32_t layoutChar(UINT vk, const BYTE* state) {
  const bool shift = state != nullptr && (state[VK_SHIFT] & 0x80) != 0;
  const bool caps = state != nullptr && (state[VK_CAPITAL] & 0x01) != 0;
  if (vk >= 'A' && vk <= 'Z') {
    const bool upper = shift != caps;
    return upper ? static_cast<char32_t>(vk) : static_cast<char32_t>(vk - 'A' + 'a');
  }
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return static_cast<char32_t>(U'0' + (vk - VK_NUMPAD0));
  for (const CharPair& p : kLayout) {
    if (p.vk == vk) return shift ? p.shifted : p.plain;
  }
  return controlChar(vk);
}

}  // namespace

namespace host_detail {

UINT fVirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scan) {
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<UINT>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<UINT>('0' + (key - SDLK_0));
  if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + static_cast<UINT>(key - SDLK_F1);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VK_NUMPAD0 + 1 + static_cast<UINT>(key - SDLK_KP_1);
  if (key == SDLK_KP_0) return VK_NUMPAD0;
  for (const KeyPair& p : kNamedKeys) {
    if (p.key == key) return p.vk;
  }
  // Layouts whose keys carry other symbols (an o with umlaut where a US keyboard has ';'): fall
  // back to the key's place on a US keyboard. The text SDL types for the key still comes with it.
  if (scan >= SDL_SCANCODE_A && scan <= SDL_SCANCODE_Z) return static_cast<UINT>('A' + (scan - SDL_SCANCODE_A));
  if (scan >= SDL_SCANCODE_1 && scan <= SDL_SCANCODE_9) return static_cast<UINT>('1' + (scan - SDL_SCANCODE_1));
  if (scan == SDL_SCANCODE_0) return '0';
  for (const ScanPair& p : kSymbolPlaces) {
    if (p.scan == scan) return p.vk;
  }
  // Any other key that stands for a character (the extra key of European keyboards, keys of other
  // layouts): a key code of its own, so its key-down and its text are not lost.
  if (key >= SDLK_SPACE && (key & SDLK_SCANCODE_MASK) == 0) return VK_OEM_102;
  return 0;
}

}  // namespace host_detail

UINT MapVirtualKeyA(UINT code, UINT mapType) {
  if (mapType != MAPVK_VK_TO_VSC) return 0;
  return code & 0xFFu;
}

int ToUnicode(UINT virtualKey, UINT /*scanCode*/, const BYTE* keyState, wchar_t* buffer, int size, UINT /*flags*/) {
  if (buffer == nullptr || size <= 0) return 0;
  std::u32string text;
  const host_detail::CurrentKey& current = host_detail::fCurrentKey();
  if (current.valid && current.fromDevice && current.virtualKey == virtualKey) {
    // From the keyboard: what SDL typed for this key, or the control code the key stands for.
    text = current.text;
    if (text.empty()) {
      const char32_t c = controlChar(virtualKey);
      if (c != 0) text += c;
    }
  } else {
    const char32_t c = layoutChar(virtualKey, keyState);
    if (c != 0) text += c;
  }
  int count = 0;
  for (char32_t c : text) {
    if (count >= size) break;
    buffer[count++] = static_cast<wchar_t>(c);
  }
  return count;
}
