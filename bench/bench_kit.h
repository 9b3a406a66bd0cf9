// Shared pieces of the benchmark programs: the registration macro, a quiet engine log, a renderer
// on the recording device or on OpenGL (on the test kit's window), and a headless main.
#pragma once

#include "engine/render/qc_render.h"
#include "engine/service/qc_globals.h"
#include "host/recording_device.h"
#include "host/test_doors.h"
#include "tests/kit/test_window.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <sstream>

// Registers a benchmark timed by the wall clock: its time and every rate counter are per real
// second. Mesa's software renderer draws in threads of its own, so the main thread's CPU time
// would make the OpenGL rates look several times faster than they are.
#define QOR_BENCHMARK(function) BENCHMARK(function)->UseRealTime()

namespace qor_bench {

// Keeps the engine log (standard output) out of the benchmark's report. Every benchmark holds one
// across its set-up, its timed loop and its tear-down.
class QuietLog {
 public:
  QuietLog() : previous_(std::cout.rdbuf(sink_.rdbuf())) {}
  ~QuietLog() { std::cout.rdbuf(previous_); }
  QuietLog(const QuietLog&) = delete;
  QuietLog& operator=(const QuietLog&) = delete;

 private:
  std::ostringstream sink_;
  std::streambuf* previous_;
};

// The renderer for one benchmark: the recording device or OpenGL, installed as qcRENDER.
class BenchRenderer {
 public:
  BenchRenderer(benchmark::State& state, bool recording) : _recording(recording) {
    host_test::fUseRecordingDevice(recording);
    host_test::fResetRecording();
    host_test::fSetNonInteractive(true);
    _render = std::make_unique<QOR::QC_RENDER>();
    const HWND window = recording ? nullptr : qor_test::fTestWindow();
    if ((!recording && window == nullptr) || _render->fInit(window, 0.1f, 0.0f) != 1) {
      state.SkipWithError(recording ? "no recording device" : "no OpenGL device");
      _render.reset();
      return;
    }
    QOR::qcRENDER = _render.get();
  }
  ~BenchRenderer() {
    QOR::qcRENDER = nullptr;
    if (_render != nullptr && !_recording && _render->fGetDevice() != nullptr) _render->fGetDevice()->Release();
  }
  BenchRenderer(const BenchRenderer&) = delete;
  BenchRenderer& operator=(const BenchRenderer&) = delete;

  QOR::QC_RENDER* get() const { return _render.get(); }
  // Ends a frame; the recording device's record is dropped so it does not grow without end.
  void endFrame() {
    _render->EndScene();
    if (_recording) host_test::fRecordedCalls().clear();
  }

 private:
  bool _recording;
  std::unique_ptr<QOR::QC_RENDER> _render;
};

// Headless unless a display is given: SDL's offscreen driver with Mesa.
inline int fBenchMain(int argc, char** argv) {
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
  }
  setenv("QOR_NONINTERACTIVE", "1", 0);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace qor_bench
