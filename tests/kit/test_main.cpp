// Entry of every test program: sets the headless environment its label asks for, then runs
// GoogleTest. unit: SDL's dummy video driver (windows without GL); gl: the offscreen driver with
// Mesa; audio: OpenAL Soft without a real output device. QOR_TEST_VIDEODRIVER overrides the
// video driver (for example x11 under Xvfb).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#ifndef QOR_TEST_LABEL
#define QOR_TEST_LABEL "unit"
#endif

int main(int argc, char** argv) {
  const std::string label = QOR_TEST_LABEL;
  const char* forced = std::getenv("QOR_TEST_VIDEODRIVER");
  const char* driver = forced != nullptr ? forced : (label == "gl" ? "offscreen" : "dummy");
  setenv("SDL_VIDEODRIVER", driver, 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("QOR_NONINTERACTIVE", "1", 1);
  setenv("ALSOFT_DRIVERS", "null", 0);
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
