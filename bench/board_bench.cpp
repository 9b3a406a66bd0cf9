// The board's solvable deal on the shipped levels, read from the real "XML/levels" pack of the
// built Resources: the deal of the largest level alone, and every one of the 120 levels loaded
// from the pack (a fresh resource loader each time, so each is read, decrypted and parsed) and
// dealt. Then the largest level the level check accepts (MAHJONG_BOARD::kMaxDealTiles tiles, a
// pyramid over the whole view), checked and dealt as the tick that starts it does: both must fit
// in a frame (1/60 s). The deal's log lines are formatted as in the game and thrown away.
#include "bench/bench_kit.h"
#include "engine/platform/qc_random.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/mahjong_board.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/pack_passwords.h"
#include "game/board/playable_level.h"
#include "game/board/tile_metrics.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>
#include <unistd.h>

#include <iostream>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>

namespace {

// Takes every character and keeps none.
class DISCARD : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

class DiscardedLog {
 public:
  DiscardedLog() : previous_(std::cout.rdbuf(&sink_)) {}
  ~DiscardedLog() { std::cout.rdbuf(previous_); }

 private:
  DISCARD sink_;
  std::streambuf* previous_;
};

// A resource loader over the game's folder with the two packs the levels need.
std::unique_ptr<QOR::QC_RESOURCE_LOADER> OpenPacks(benchmark::State& state) {
  if (chdir(QOR_BENCH_GAME_DIR) != 0) {
    state.SkipWithError("no game folder");
    return nullptr;
  }
  auto loader = std::make_unique<QOR::QC_RESOURCE_LOADER>();
  loader->fAddPack("XML/config", MAHJONG_PACKS::kConfig);
  loader->fAddPack("XML/levels", MAHJONG_PACKS::kLevels);
  QOR::qcRESOURCE_LOADER = loader.get();
  return loader;
}

std::string LevelName(int pack, int level) {
  return "pk" + std::to_string(pack) + "lv" + std::to_string(level) + ".xml";
}

// An empty board on the shipped tile set's metrics, dealing from random.
std::unique_ptr<MAHJONG_BOARD> NewBoard(QOR::QC_RANDOM& random) {
  auto board = std::make_unique<MAHJONG_BOARD>();
  board->SetTileMetrics(tileMetrics);
  board->ComputeOrigin();
  board->SetRandom(&random);
  return board;
}

void BM_DealLargestLevel(benchmark::State& state) {
  DiscardedLog quiet;
  auto loader = OpenPacks(state);
  if (loader == nullptr) return;
  tileMetrics.Read(*QOR::QC_GAME::fLoadXml("tiles.xml"), "2");
  const pugi::xml_document* document = QOR::QC_GAME::fLoadXml(LevelName(6, 20));
  QOR::QC_RANDOM random(1);
  std::int64_t tiles = 0;
  std::unique_ptr<MAHJONG_BOARD> board;
  for (auto _ : state) {
    // The last board is deleted and the level read outside the timing: only the deal counts.
    state.PauseTiming();
    board = NewBoard(random);
    board->ReadLevel(*document, LevelName(6, 20));
    state.ResumeTiming();
    board->AlternBuildPath(false);
    tiles += static_cast<std::int64_t>(board->GetChips().size());
    benchmark::DoNotOptimize(board->m_dealMoveCount);
  }
  state.counters["tiles"] = benchmark::Counter(static_cast<double>(tiles), benchmark::Counter::kAvgIterations);
  QOR::qcRESOURCE_LOADER = nullptr;
}
QOR_BENCHMARK(BM_DealLargestLevel)->Unit(benchmark::kMillisecond);

void BM_LoadAndDealAllLevels(benchmark::State& state) {
  DiscardedLog quiet;
  QOR::QC_RANDOM random(1);
  std::int64_t degraded = 0;
  for (auto _ : state) {
    auto loader = OpenPacks(state);
    if (loader == nullptr) return;
    tileMetrics.Read(*QOR::QC_GAME::fLoadXml("tiles.xml"), "2");
    for (int pack = 1; pack <= 6; ++pack) {
      for (int level = 1; level <= 20; ++level) {
        const std::string name = LevelName(pack, level);
        MAHJONG_BOARD board;
        board.SetTileMetrics(tileMetrics);
        board.ComputeOrigin();
        board.SetRandom(&random);
        board.ReadLevel(*QOR::QC_GAME::fLoadXml(name), name);
        board.AlternBuildPath(false);
        degraded += board.isDealDegraded() ? 1 : 0;
      }
    }
    QOR::qcRESOURCE_LOADER = nullptr;
  }
  state.counters["degraded"] = static_cast<double>(degraded);
}
QOR_BENCHMARK(BM_LoadAndDealAllLevels)->Unit(benchmark::kMillisecond);

// The largest level the check accepts on the view: a pyramid, each layer half a tile in from the
// one below and standing on it, every tile seen, up to kMaxDealTiles tiles (an even count).
std::string LargestAcceptedLevel(const BOARD_VIEW& view) {
  const TILE_METRICS& grid = view.GetMetrics();
  std::ostringstream text;
  text << "<tiles>";
  int count = 0;
  for (int layer = 0; layer <= MAHJONG_BOARD::kMaxLayer && count < MAHJONG_BOARD::kMaxDealTiles; ++layer) {
    for (int y = 1 + layer; y <= 2 * grid.rows - 1 - layer && count < MAHJONG_BOARD::kMaxDealTiles; y += 2) {
      for (int x = 1 + layer; x <= 2 * grid.columns - 1 - layer && count < MAHJONG_BOARD::kMaxDealTiles; x += 2) {
        // On layer 0 anywhere seen; above, only over the four tiles it stands on, all seen.
        bool placed = view.isSeen(x, y, layer);
        for (int dx = -1; placed && layer > 0 && dx <= 1; dx += 2)
          for (int dy = -1; placed && dy <= 1; dy += 2) placed = view.isSeen(x + dx, y + dy, layer - 1);
        if (!placed) continue;
        text << "<tile posx=\"" << x << "\" posy=\"" << y << "\" level=\"" << layer << "\""
             << (count % 9 == 0 ? " isspecial=\"true\"" : "") << "/>";
        ++count;
      }
    }
  }
  text << "</tiles>";
  return text.str();
}

void BM_CheckAndDealLargestAcceptedLevel(benchmark::State& state) {
  DiscardedLog quiet;
  qor_bench::BenchRenderer renderer(state, true);
  auto loader = OpenPacks(state);
  if (loader == nullptr || QOR::qcRENDER == nullptr) return;
  loader->fAddPack("data/btns", MAHJONG_PACKS::kButtons);
  loader->fAddPack("data/surfaces", MAHJONG_PACKS::kSurfaces);
  tileMetrics.Read(*QOR::QC_GAME::fLoadXml("tiles.xml"), "2");
  const QOR::QS_POINT screen(BOARD_VIEW::kPlayWidth, BOARD_VIEW::kPlayHeight);
  const BOARD_VIEW view(tileMetrics, screen, MAHJONG_HUD_PANEL(nullptr).PlayCover(screen));
  pugi::xml_document document;
  document.load_string(LargestAcceptedLevel(view).c_str());
  const std::string problem = MAHJONG_LEVELS::PlayProblem(document, view);
  if (!problem.empty()) {
    state.SkipWithError(("the largest level is refused: " + problem).c_str());
    QOR::qcRESOURCE_LOADER = nullptr;
    return;
  }
  QOR::QC_RANDOM random(1);
  std::int64_t tiles = 0;
  std::unique_ptr<MAHJONG_BOARD> board;
  for (auto _ : state) {
    state.PauseTiming();
    board = NewBoard(random);
    state.ResumeTiming();
    // The tick that starts a level: the check (with its own deal), the read and the deal.
    benchmark::DoNotOptimize(MAHJONG_LEVELS::PlayProblem(document, view));
    board->ReadLevel(document, "largest");
    board->AlternBuildPath(false);
    tiles += static_cast<std::int64_t>(board->GetChips().size());
  }
  state.counters["tiles"] = benchmark::Counter(static_cast<double>(tiles), benchmark::Counter::kAvgIterations);
  QOR::qcRESOURCE_LOADER = nullptr;
}
QOR_BENCHMARK(BM_CheckAndDealLargestAcceptedLevel)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return qor_bench::fBenchMain(argc, argv); }
