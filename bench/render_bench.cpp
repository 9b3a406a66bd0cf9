// Textured quads per second through the renderer's batch: on the recording device (the batch's
// own cost: transform, copy, state filter) and on OpenGL through Mesa (with the driver's cost).
#include "bench/bench_kit.h"
#include "engine/render/qc_render.h"
#include "host/recording_device.h"
#include "host/test_doors.h"
#include "host/win_window.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <sstream>
#include <vector>

using namespace QOR;
using qor_bench::BenchRenderer;
using qor_bench::QuietLog;

namespace {

constexpr int kQuadsPerFrame = 2000;

std::vector<QS_VERTEX> quadAt(float x, float y) {
  std::vector<QS_VERTEX> quad(4);
  const float px[4] = {x, x + 16.0f, x + 16.0f, x};
  const float py[4] = {y, y, y + 16.0f, y + 16.0f};
  for (int i = 0; i < 4; ++i) {
    quad[i].fSetPosition(px[i], py[i], 0.0f);
    quad[i].nx = quad[i].ny = quad[i].nz = 0.0f;
    quad[i].fSetColor(0xFFFFFFFFu);
    quad[i].fSetUV(i == 1 || i == 2 ? 1.0f : 0.0f, i >= 2 ? 1.0f : 0.0f);
  }
  return quad;
}

// Frames of kQuadsPerFrame sprites on one texture, each with its own world transform, as a
// board of tiles is drawn.
void drawFrames(benchmark::State& state, QC_RENDER& render, bool recording) {
  const std::uint16_t indices[6] = {0, 1, 2, 0, 2, 3};
  QC_RENDER_STATE sprite;
  sprite.fSet(QC_RENDER_STATE::kAlphaBlend, true);
  sprite.fSetPrimitive(2);
  sprite.fSetFilter(2);
  sprite.fSet(QC_RENDER_STATE::kTextured, true);
  QC_TEXTURE_INFO* texture = render.fCreateTexture(16, 16);
  const std::vector<QS_VERTEX> quad = quadAt(0.0f, 0.0f);
  QS_TRANSFORM3 transform;
  std::int64_t quads = 0;
  for (auto _ : state) {
    if (render.BeginScene() != 1) {
      state.SkipWithError("no frame");
      break;
    }
    for (int i = 0; i < kQuadsPerFrame; ++i) {
      transform.fSetPosition(static_cast<float>((i * 17) % 1000), static_cast<float>((i * 7) % 750), 0.0f);
      render.fSetWorldTransform(transform);
      render.fDrawBatch(quad.data(), texture, &sprite, 4, indices, 6);
    }
    render.EndScene();
    quads += kQuadsPerFrame;
    if (recording) host_test::fRecordedCalls().clear();
  }
  state.counters["quads/s"] = benchmark::Counter(static_cast<double>(quads), benchmark::Counter::kIsRate);
}

// Frames of quads on the recording device (the batch's own cost) or on OpenGL (with the driver's).
void drawOn(benchmark::State& state, bool recording) {
  QuietLog quiet;
  BenchRenderer renderer(state, recording);
  if (renderer.get() != nullptr) drawFrames(state, *renderer.get(), recording);
}

void BM_TexturedQuadsRecording(benchmark::State& state) { drawOn(state, true); }
QOR_BENCHMARK(BM_TexturedQuadsRecording)->Unit(benchmark::kMillisecond);

void BM_TexturedQuadsOpenGl(benchmark::State& state) { drawOn(state, false); }
QOR_BENCHMARK(BM_TexturedQuadsOpenGl)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return qor_bench::fBenchMain(argc, argv); }
