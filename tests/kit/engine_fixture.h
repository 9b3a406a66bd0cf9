// Starts the engine services the way the game does, on a window of SDL's dummy (or offscreen)
// driver, the recording device and a manual clock.
#pragma once

#include "engine/files/unreadable_data.h"
#include "host/recording_device.h"
#include "host/test_doors.h"
#include "host/win_window.h"

namespace qor_test {

// Switches the stand-in to its test doors: recording device, manual clock at 0, no dialogs (a
// question answers OK).
inline void fUseTestDoors() {
  host_test::fUseRecordingDevice(true);
  host_test::fResetRecording();
  host_test::fUseManualClock(true);
  host_test::fSetTime(0);
  host_test::fSetNonInteractive(true);
  host_test::fSetMessageBoxAnswer(IDOK);
  host_test::fResetMessages();
  // What earlier tests of the process told the player (a failed save, damaged data) is told again,
  // and boxes are counted from none.
  QOR::fForgetReportedDamage();
  host_test::fResetMessageBoxCount();
}

}  // namespace qor_test
