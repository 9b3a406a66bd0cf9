// Doors into the stand-in for tests only: a manual clock, a fixed desktop size, recorded sleeps,
// the cursor's display counter, a switch that keeps message boxes from blocking, the window's
// icon, the work area, a pause inside the regular-file open, and whose files count as the user's own.
#pragma once

#include "host/win_types.h"

namespace host_test {

// While the manual clock is on, timeGetTime returns the manual time and Sleep advances it
// instead of sleeping.
void fUseManualClock(bool on);
void fSetTime(DWORD milliseconds);
void fAdvanceTime(DWORD milliseconds);
// Milliseconds passed to the last Sleep call, and how many calls there were.
DWORD fLastSleep();
int fSleepCount();

// Overrides the desktop size (0, 0 restores the real one); its work area is then all of it.
void fSetDesktopSize(int width, int height);
// Within an overridden desktop, the usable area SPI_GETWORKAREA gives.
void fSetWorkArea(int left, int top, int right, int bottom);

// The ShowCursor display counter.
int fCursorCounter();
void fSetCursorCounter(int value);

// Forces message boxes to log instead of blocking, whatever the video driver.
void fSetNonInteractive(bool on);
// How many message boxes were asked for (shown or logged) since the last reset.
int fMessageBoxCount();
void fResetMessageBoxCount();
// What a logged OK / Cancel question answers (IDOK or IDCANCEL; IDOK until told otherwise).
void fSetMessageBoxAnswer(int answer);

// Drops every queued and pending message and forgets the pump state.
void fResetMessages();

// The size of the icon picture the window was given; false when it has none.
bool fWindowIconSize(HWND window, int& width, int& height);

// Called with the path by host_files::fOpenRegularFile after its look at the path and before the
// open (a test puts something else in the file's place there). Null, the default, calls nothing.
void fSetRegularOpenPause(void (*pause)(const char* path));

// The user whose files and links count as the process's own in private folders (root's always
// do); -1, the default, is the process's effective user. Lets a test that is not run as root play
// another user's files.
void fSetOwnUser(long user);

}  // namespace host_test
