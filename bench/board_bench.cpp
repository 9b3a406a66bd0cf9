// The board's solvable deal on the shipped levels, read from the real "XML/levels" pack of the
// built Resources: the deal of the largest level alone, and every one of the 120 levels loaded
// from the pack (a fresh resource loader each time, so each is read, decrypted and parsed) and
// dealt. The deal's log lines are formatted as in the game and thrown away.
#include "bench/bench_kit.h"
#include "engine/platform/qc_random.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/mahjong_board.h"
#include "game/board/pack_passwords.h"
#include "game/board/tile_metrics.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>
#include <unistd.h>

#include <iostream>
#include <memory>
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
    board = std::make_unique<MAHJONG_BOARD>();
    board->SetTileMetrics(tileMetrics);
    board->ComputeOrigin();
    board->SetRandom(&random);
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

}  // namespace

int main(int argc, char** argv) { return qor_bench::fBenchMain(argc, argv); }
