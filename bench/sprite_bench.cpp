// Sprites per second through QC_SPRITE and the renderer's batch, as a board of tiles is drawn:
// each sprite picks its atlas cell, moves and draws with its own transform (fRender), inside a
// widget frame (fRenderInFrame with a parent), or with fRenderAt. On the recording device (the
// sprite's and the batch's own cost) and on OpenGL through Mesa (with the driver's cost). A last
// case measures glyphs per second through the bitmap font.
#include "bench/bench_kit.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_globals.h"
#include "host/recording_device.h"
#include "host/test_doors.h"
#include "host/win_window.h"

#include <benchmark/benchmark.h>

#include <pugixml.hpp>

#include <cstdlib>
#include <cwchar>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace QOR;
using qor_bench::BenchRenderer;
using qor_bench::QuietLog;

namespace {

constexpr int kSpritesPerFrame = 2000;

enum class WAY { kRender, kInFrame, kRenderAt };

void drawSprites(benchmark::State& state, bool recording, WAY way) {
  QuietLog quiet;
  BenchRenderer renderer(state, recording);
  QC_RENDER* render = renderer.get();
  if (render == nullptr) return;
  QC_TEXTURE_INFO* atlas = render->fCreateTexture(576, 384);  // a 9 x 6 tile atlas
  QS_TRANSFORM3 widget;
  widget.fSetPosition(12.0f, 8.0f, 0.0f);
  QS_TRANSFORM3 tile;
  tile.fSetParent(&widget);
  QC_SPRITE sprite(atlas, way == WAY::kInFrame ? &tile : nullptr);
  sprite.fSetSize(64, 64);
  sprite.fSetAnchor(QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  std::int64_t sprites = 0;
  for (auto _ : state) {
    if (render->BeginScene() != 1) {
      state.SkipWithError("no frame");
      break;
    }
    for (int i = 0; i < kSpritesPerFrame; ++i) {
      sprite.fSetFrame(9, 6, i % 54);
      const float x = static_cast<float>((i * 17) % 1000);
      const float y = static_cast<float>((i * 7) % 750);
      switch (way) {
        case WAY::kRender:
          sprite.fSetPositionXY(x, y);
          sprite.fRender();
          break;
        case WAY::kInFrame:
          tile.fSetPosition(x, y, 0.0f);
          sprite.fRenderInFrame(false, false, false);
          break;
        case WAY::kRenderAt:
          sprite.fRenderAt(x, y, 0.1f, 1.0f, 0.0f);
          break;
      }
    }
    renderer.endFrame();
    sprites += kSpritesPerFrame;
  }
  state.counters["sprites/s"] = benchmark::Counter(static_cast<double>(sprites), benchmark::Counter::kIsRate);
}

void BM_SpriteRenderRecording(benchmark::State& state) { drawSprites(state, true, WAY::kRender); }
void BM_SpriteInFrameRecording(benchmark::State& state) { drawSprites(state, true, WAY::kInFrame); }
void BM_SpriteRenderAtRecording(benchmark::State& state) { drawSprites(state, true, WAY::kRenderAt); }
void BM_SpriteRenderOpenGl(benchmark::State& state) { drawSprites(state, false, WAY::kRender); }
void BM_SpriteInFrameOpenGl(benchmark::State& state) { drawSprites(state, false, WAY::kInFrame); }
QOR_BENCHMARK(BM_SpriteRenderRecording)->Unit(benchmark::kMillisecond);
QOR_BENCHMARK(BM_SpriteInFrameRecording)->Unit(benchmark::kMillisecond);
QOR_BENCHMARK(BM_SpriteRenderAtRecording)->Unit(benchmark::kMillisecond);
QOR_BENCHMARK(BM_SpriteRenderOpenGl)->Unit(benchmark::kMillisecond);
QOR_BENCHMARK(BM_SpriteInFrameOpenGl)->Unit(benchmark::kMillisecond);

// A font of 95 glyphs (codes 32..126) in 8 x 12 cells over a 128 x 96 page.
std::string benchFontXml() {
  std::string xml = "<font><common lineHeight=\"14\"/><chars count=\"95\">";
  for (int code = 32; code < 127; ++code) {
    const int cell = code - 32;
    xml += "<char id=\"" + std::to_string(code) + "\" x=\"" + std::to_string((cell % 16) * 8) + "\" y=\"" +
           std::to_string((cell / 16) * 12) + "\" width=\"8\" height=\"12\" yoffset=\"1\"/>";
  }
  return xml + "</chars></font>";
}

void BM_FontGlyphsRecording(benchmark::State& state) {
  QuietLog quiet;
  BenchRenderer renderer(state, true);
  QC_RENDER* render = renderer.get();
  if (render == nullptr) return;
  pugi::xml_document description;
  description.load_string(benchFontXml().c_str());
  QC_FONT font(description.child("font"), render->fCreateTexture(128, 96), 600);
  font.fSetAlign(0);
  std::int64_t glyphs = 0;
  for (auto _ : state) {
    if (render->BeginScene() != 1) {
      state.SkipWithError("no frame");
      break;
    }
    for (int line = 0; line < 40; ++line) {
      font.fPrintW(512, 10 + line * 18, L"Score %i  Moves %i/%i  Level %s", line * 1250, line, 144, L"Spring");
      glyphs += static_cast<std::int64_t>(std::wcslen(font.fGetTextW()));
    }
    renderer.endFrame();
  }
  state.counters["glyphs/s"] = benchmark::Counter(static_cast<double>(glyphs), benchmark::Counter::kIsRate);
}
QOR_BENCHMARK(BM_FontGlyphsRecording)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return qor_bench::fBenchMain(argc, argv); }
