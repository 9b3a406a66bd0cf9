// The board's solvable deal on the shipped levels, read from the real "XML/levels" pack of the
// built Resources: the deal of the largest level alone, and every one of the 120 levels loaded
// from the pack (a fresh resource loader each time, so each is read, decrypted and parsed) and
// dealt. Then the largest level the level check accepts (MAHJONG_BOARD::kMaxDealTiles tiles, a
// pyramid over the whole view), checked and dealt as the tick that starts it does: both must fit
// in a frame (1/60 s). Then levels of as many tiles that the deal's greedy passes cannot pair: a
// heap some order clears, checked and dealt (the search in both), and a pyramid of fixed faces
// whose top pair stands on itself, which the check's search runs to its bound on. The deal's log
// lines are formatted as in the game and thrown away.
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
#include <random>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

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

struct CELL {
  int x;
  int y;
  int layer;
};

std::string LevelText(const std::vector<CELL>& cells, const std::vector<int>& fixedFaces = {}) {
  std::ostringstream text;
  text << "<tiles>";
  for (std::size_t n = 0; n < cells.size(); ++n) {
    text << "<tile posx=\"" << cells[n].x << "\" posy=\"" << cells[n].y << "\" level=\"" << cells[n].layer << "\"";
    if (n < fixedFaces.size()) text << " fixed=\"true\" type=\"" << fixedFaces[n] << "\"";
    text << (n % 9 == 0 ? " isspecial=\"true\"" : "") << "/>";
  }
  text << "</tiles>";
  return text.str();
}

// The largest level the check accepts on the view: a pyramid, each layer half a tile in from the
// one below and standing on it, every tile seen, up to kMaxDealTiles tiles (an even count).
std::vector<CELL> LargestPyramid(const BOARD_VIEW& view) {
  const TILE_METRICS& grid = view.GetMetrics();
  std::vector<CELL> cells;
  const auto full = [&] { return cells.size() >= static_cast<std::size_t>(MAHJONG_BOARD::kMaxDealTiles); };
  for (int layer = 0; layer <= MAHJONG_BOARD::kMaxLayer && !full(); ++layer) {
    for (int y = 1 + layer; y <= 2 * grid.rows - 1 - layer && !full(); y += 2) {
      for (int x = 1 + layer; x <= 2 * grid.columns - 1 - layer && !full(); x += 2) {
        // On layer 0 anywhere seen; above, only over the four tiles it stands on, all seen.
        bool placed = view.isSeen(x, y, layer);
        for (int dx = -1; placed && layer > 0 && dx <= 1; dx += 2)
          for (int dy = -1; placed && dy <= 1; dy += 2) placed = view.isSeen(x + dx, y + dy, layer - 1);
        if (placed) cells.push_back({x, y, layer});
      }
    }
  }
  return cells;
}

std::string LargestAcceptedLevel(const BOARD_VIEW& view) { return LevelText(LargestPyramid(view)); }

// kMaxDealTiles tiles heaped at random over the view, each on the layer above the highest tile
// within half a tile of its cell, every tile seen.
std::string Heap(const BOARD_VIEW& view, std::uint32_t seed) {
  std::mt19937 rng(seed);
  const TILE_METRICS& grid = view.GetMetrics();
  std::vector<CELL> cells;
  while (cells.size() < static_cast<std::size_t>(MAHJONG_BOARD::kMaxDealTiles)) {
    CELL cell{std::uniform_int_distribution<int>(1, 2 * grid.columns - 1)(rng),
              std::uniform_int_distribution<int>(1, 2 * grid.rows - 1)(rng), 0};
    for (const CELL& other : cells) {
      if (std::abs(other.x - cell.x) <= 1 && std::abs(other.y - cell.y) <= 1) {
        cell.layer = std::max(cell.layer, other.layer + 1);
      }
    }
    if (view.isSeen(cell.x, cell.y, cell.layer)) cells.push_back(cell);
  }
  return LevelText(cells);
}

// The check's own deal of the level: whether the greedy passes left it to the search.
MAHJONG_BOARD::DEAL_SEARCH_RESULT CheckSearch(const pugi::xml_document& document, QOR::QC_RANDOM& random) {
  auto board = NewBoard(random);
  board->ReadLevel(document, "check");
  board->FixedOrderDeal();
  return board->GetDealSearch();
}

// Runs measure on the view the levels are checked on, with the shipped tile set, the log
// discarded and a renderer of its own; the state is skipped when the game's data cannot be read.
template <typename MEASURE>
void OnView(benchmark::State& state, const MEASURE& measure) {
  DiscardedLog quiet;
  qor_bench::BenchRenderer renderer(state, true);
  std::unique_ptr<QOR::QC_RESOURCE_LOADER> loader = OpenPacks(state);
  if (loader != nullptr && QOR::qcRENDER != nullptr) {
    loader->fAddPack("data/btns", MAHJONG_PACKS::kButtons);
    loader->fAddPack("data/surfaces", MAHJONG_PACKS::kSurfaces);
    tileMetrics.Read(*QOR::QC_GAME::fLoadXml("tiles.xml"), "2");
    const QOR::QS_POINT screen(BOARD_VIEW::kPlayWidth, BOARD_VIEW::kPlayHeight);
    measure(BOARD_VIEW(tileMetrics, screen, MAHJONG_HUD_PANEL(nullptr).PlayCover(screen)));
  }
  QOR::qcRESOURCE_LOADER = nullptr;
}

// The tick that starts a level: the check (with its own deal), the read and the deal.
void CheckAndDeal(benchmark::State& state, const pugi::xml_document& document, const BOARD_VIEW& view) {
  QOR::QC_RANDOM random(1);
  std::int64_t tiles = 0;
  std::unique_ptr<MAHJONG_BOARD> board;
  for (auto _ : state) {
    state.PauseTiming();
    board = NewBoard(random);
    state.ResumeTiming();
    benchmark::DoNotOptimize(MAHJONG_LEVELS::PlayProblem(document, view));
    board->ReadLevel(document, "level");
    board->AlternBuildPath(false);
    tiles += static_cast<std::int64_t>(board->GetChips().size());
  }
  state.counters["tiles"] = benchmark::Counter(static_cast<double>(tiles), benchmark::Counter::kAvgIterations);
}

void BM_CheckAndDealLargestAcceptedLevel(benchmark::State& state) {
  OnView(state, [&state](const BOARD_VIEW& view) {
    pugi::xml_document document;
    document.load_string(LargestAcceptedLevel(view).c_str());
    const std::string problem = MAHJONG_LEVELS::PlayProblem(document, view);
    if (problem.empty()) {
      CheckAndDeal(state, document, view);
    } else {
      state.SkipWithError(("the largest level is refused: " + problem).c_str());
    }
  });
}
QOR_BENCHMARK(BM_CheckAndDealLargestAcceptedLevel)->Unit(benchmark::kMillisecond);

void BM_CheckAndDealSearchedLevel(benchmark::State& state) {
  OnView(state, [&state](const BOARD_VIEW& view) {
    // The first heap the check accepts only through its search.
    QOR::QC_RANDOM random(1);
    pugi::xml_document document;
    bool found = false;
    for (std::uint32_t seed = 1; seed <= 100 && !found; ++seed) {
      document.load_string(Heap(view, seed).c_str());
      found = MAHJONG_LEVELS::PlayProblem(document, view).empty() &&
              CheckSearch(document, random) == MAHJONG_BOARD::kSearchFound;
    }
    if (found) {
      CheckAndDeal(state, document, view);
    } else {
      state.SkipWithError("no heap needs the search");
    }
  });
}
QOR_BENCHMARK(BM_CheckAndDealSearchedLevel)->Unit(benchmark::kMillisecond);

void BM_CheckUndecidedLevel(benchmark::State& state) {
  OnView(state, [&state](const BOARD_VIEW& view) {
    // Every tile of one face, but the top tile and one it stands on: the only two of another, which
    // no order pairs; the search cannot tell so before its bound.
    const std::vector<CELL> cells = LargestPyramid(view);
    std::vector<int> faces(cells.size(), 0);
    faces.back() = 5;
    for (std::size_t n = 0; n < cells.size(); ++n) {
      const CELL& top = cells.back();
      if (cells[n].layer == top.layer - 1 && std::abs(cells[n].x - top.x) == 1 && std::abs(cells[n].y - top.y) == 1) {
        faces[n] = 5;
        break;
      }
    }
    pugi::xml_document document;
    document.load_string(LevelText(cells, faces).c_str());
    const std::string problem = MAHJONG_LEVELS::PlayProblem(document, view);
    if (problem.find("could not be decided") != std::string::npos) {
      for (auto _ : state) benchmark::DoNotOptimize(MAHJONG_LEVELS::PlayProblem(document, view));
    } else {
      state.SkipWithError(("the level is decided: " + problem).c_str());
    }
  });
}
QOR_BENCHMARK(BM_CheckUndecidedLevel)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return qor_bench::fBenchMain(argc, argv); }
