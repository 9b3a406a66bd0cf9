// Fuzz target of the level file: each input is read by the board's level reader and, when it
// holds a bounded number of tiles, dealt and dealt again as a reshuffle (no game service: the
// board model alone, with its own random stream).
//   - a deal that says it did not degrade, on a board without fixed faces, replays as a legal
//     solution: every pair free and matching when taken, every special tile within the move count;
//   - a board written back as a level file reads as the same tiles (layer, flags, face);
//   - no crash, no hang, no leak (the board owns and deletes every chip, dropped ones included).
#include "engine/platform/qc_random.h"
#include "fuzz/xml_feedback.h"
#include "game/board/mahjong_board.h"
#include "game/board/mahjong_chip.h"
#include "game/board/tile_metrics.h"
#include "tests/game/board/board_test_kit.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <tuple>
#include <vector>

namespace {

// The deal's work grows with the cube of the tiles; the game's largest level holds 140.
constexpr std::size_t kMaxDealtTiles = 200;

using TILE = std::tuple<int, bool, bool, bool, int>;

std::vector<TILE> Tiles(const MAHJONG_BOARD& board) {
  std::vector<TILE> tiles;
  for (const MAHJONG_CHIP* chip : board.GetChips()) {
    tiles.emplace_back(chip->m_layer, chip->m_fixed, chip->m_isBonus, chip->m_isSpecial, chip->m_type);
  }
  std::sort(tiles.begin(), tiles.end());
  return tiles;
}

void CheckWriteBack(const MAHJONG_BOARD& board) {
  pugi::xml_document written;
  board.WriteLevel(written, board.CurrentLevelSettings());
  MAHJONG_BOARD copy;
  copy.SetTileMetrics(board.GetTileMetrics());
  copy.SetOrigin(board.GetOrigin());
  copy.ReadLevel(written, "pk1lv1.xml");
  if (Tiles(copy) != Tiles(board)) __builtin_trap();
  if (copy.m_specsTotal != board.m_specsTotal || copy.m_task1Type != board.m_task1Type ||
      copy.m_task2Type != board.m_task2Type) {
    __builtin_trap();
  }
  for (int s = 0; s < MAHJONG_FACES::kSuitCount; ++s) {
    if (copy.isSuitEnabled(MAHJONG_FACES::SUIT(s)) != board.isSuitEnabled(MAHJONG_FACES::SUIT(s))) __builtin_trap();
  }
}

void CheckDeal(MAHJONG_BOARD& board) {
  const std::size_t tiles = board.GetChips().size();
  // Fixed faces are kept out of the solution, and two tiles on one place never match: the replay
  // holds for boards without either.
  bool replayable = true;
  for (std::size_t i = 0; i < tiles && replayable; ++i) {
    const MAHJONG_CHIP* chip = board.GetChips()[i];
    replayable = !chip->m_fixed;
    for (std::size_t j = i + 1; j < tiles && replayable; ++j) replayable = !chip->SamePlace(*board.GetChips()[j]);
  }
  board.AlternBuildPath(false);
  if (board.GetChips().size() > tiles) __builtin_trap();
  if (replayable && !board.isDealDegraded() && !board.GetDealOrder().empty()) {
    const board_test::REPLAY replay = board_test::Replay(board);
    if (!replay.complete || replay.illegalPairs != 0 || replay.lastSpecialPair != board.m_dealMoveCount) {
      __builtin_trap();
    }
    if (board.GetChips().size() != (tiles & ~std::size_t{1})) __builtin_trap();
  }
  // A reshuffle with a chip in flight keeps that chip and the move count.
  const int moves = board.m_dealMoveCount;
  if (!board.GetChips().empty()) board.GetChips().front()->m_removing = true;
  board.AlternBuildPath(true);
  if (board.m_dealMoveCount != moves) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  // The engine log says nothing here.
  std::cout.rdbuf(nullptr);
  board_test::UseShippedMetrics();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pugi::xml_document document;
  const pugi::xml_parse_result result = document.load_buffer(data, size);
  qor_fuzz::fXmlFeedback(result, document);
  MAHJONG_BOARD board;
  board.SetTileMetrics(tileMetrics);
  board.ComputeOrigin();
  QOR::QC_RANDOM random(static_cast<std::uint32_t>(size) * 2654435761u);
  board.SetRandom(&random);
  board.ReadLevel(document, "XML/levels/pk2lv7.xml");
  if (board.m_pack != 2) __builtin_trap();
  CheckWriteBack(board);
  if (board.GetChips().size() <= kMaxDealtTiles) CheckDeal(board);
  return 0;
}
