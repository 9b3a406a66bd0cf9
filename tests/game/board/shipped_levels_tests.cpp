// Every level the game ships, read from the real "XML/levels" pack with the real tiles.xml, deals
// without degradation for many seeds, and its deal replays as a legal solution that clears every
// special tile within the move count.
#include "engine/platform/qc_random.h"
#include "engine/service/qc_game.h"
#include "game/board/mahjong_board.h"
#include "game/board/mahjong_chip.h"
#include "game/board/pack_passwords.h"
#include "game/board/tile_metrics.h"
#include "tests/game/board/board_test_kit.h"
#include "tests/game/kit/game_services.h"
#include "tests/kit/log_capture.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>

namespace {

class ShippedLevels : public qor_test::GameServices {};

TEST_F(ShippedLevels, EveryLevelDealsCleanlyAndReplays) {
  QOR::QC_GAME::fAddPack("XML/config", MAHJONG_PACKS::kConfig);
  QOR::QC_GAME::fAddPack("XML/levels", MAHJONG_PACKS::kLevels);
  tileMetrics.Read(*QOR::QC_GAME::fLoadXml("tiles.xml"), "2");
  ASSERT_GT(tileMetrics.sizeX, 0);
  const float width = static_cast<float>(tileMetrics.columns * tileMetrics.sizeX);
  const float height = static_cast<float>(tileMetrics.rows * tileMetrics.sizeY);
  constexpr std::uint32_t kSeeds = 20;
  qor_test::LogCapture quiet;
  int levels = 0;
  for (int pack = 1; pack <= 6; ++pack) {
    for (int level = 1; level <= 20; ++level) {
      const std::string name = "pk" + std::to_string(pack) + "lv" + std::to_string(level) + ".xml";
      SCOPED_TRACE(name);
      const pugi::xml_document* document = QOR::QC_GAME::fLoadXml(name);
      ASSERT_TRUE(document->child("tiles")) << "missing from the pack";
      ++levels;
      for (std::uint32_t seed = 0; seed < kSeeds; ++seed) {
        MAHJONG_BOARD board;
        board.ComputeOrigin();
        QOR::QC_RANDOM random(seed * 7919u + static_cast<std::uint32_t>(levels));
        board.SetRandom(&random);
        board.ReadLevel(*document, name);
        const std::size_t tiles = board.GetChips().size();
        ASSERT_GT(tiles, 0u);
        ASSERT_EQ(board.m_pack, pack);
        if (seed == 0) {
          for (const MAHJONG_CHIP* chip : board.GetChips()) {
            const QOR::QS_VEC2 at = chip->GetPosition() - board.GetOrigin();
            EXPECT_TRUE(at.x >= 0.0f && at.x <= width && at.y >= 0.0f && at.y <= height) << "a tile off the grid";
          }
        }
        board.AlternBuildPath(false);
        EXPECT_EQ(board.GetDealRuns(), 1) << "seed " << seed;
        ASSERT_FALSE(board.isDealDegraded()) << "seed " << seed;
        EXPECT_EQ(board.GetChips().size(), tiles & ~std::size_t{1});
        const board_test::REPLAY replay = board_test::Replay(board);
        ASSERT_TRUE(replay.complete);
        ASSERT_EQ(replay.illegalPairs, 0) << replay.firstProblem << ", seed " << seed;
        EXPECT_EQ(replay.lastSpecialPair, board.m_dealMoveCount);
        EXPECT_GT(board.m_dealMoveCount, 0);
        quiet.clear();
      }
    }
  }
  EXPECT_EQ(levels, 120);
}

}  // namespace
