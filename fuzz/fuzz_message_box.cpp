// Every fuzz target's message boxes: what the loader and the data reports would show says nothing
// here (the log is silenced too).
#include "host/win_window.h"

int MessageBoxA(HWND, const char*, const char*, UINT) { return IDOK; }
