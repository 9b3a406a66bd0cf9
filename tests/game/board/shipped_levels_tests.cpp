// Every level the game ships, read from the real "XML/levels" pack with the real tiles.xml, deals
// without degradation for many seeds, and its deal replays as a legal solution that clears every
// special tile within the move count. Played part way by random legal pairs and then shuffled, it
// is re-dealt as a legal solution of what is left, keeping its special tiles and move count.
#include "engine/platform/qc_random.h"
#include "engine/service/qc_game.h"
#include "game/board/level_lookup.h"
#include "game/board/mahjong_board.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_layout.h"
#include "game/board/pack_passwords.h"
#include "game/board/tile_metrics.h"
#include "tests/game/board/board_test_kit.h"
#include "tests/game/kit/game_services.h"
#include "tests/kit/log_capture.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

class ShippedLevels : public qor_test::GameServices {
 protected:
  void SetUp() override {
    GameServices::SetUp();
    for (const auto& [pack, password] : {std::pair{"XML/config", MAHJONG_PACKS::kConfig},
                                         {"XML/levels", MAHJONG_PACKS::kLevels}, {"data/tiles", MAHJONG_PACKS::kTiles},
                                         {"data/fonts", MAHJONG_PACKS::kFonts}, {"data/btns", MAHJONG_PACKS::kButtons},
                                         {"data/surfaces", MAHJONG_PACKS::kSurfaces}}) {
      QOR::QC_GAME::fAddPack(pack, password);
    }
    // The board the game plays on, with its panel: where its levels must be seen.
    view = MAHJONG_LAYOUT("2", nullptr, false, 0, nullptr).PlayView();
    ASSERT_GT(tileMetrics.sizeX, 0);
    ASSERT_FALSE(view.GetCovered().empty());
  }
  static std::string Name(int pack, int level) {
    return "pk" + std::to_string(pack) + "lv" + std::to_string(level) + ".xml";
  }
  BOARD_VIEW view;
};

TEST_F(ShippedLevels, EveryLevelDealsCleanlyAndReplays) {
  const float width = static_cast<float>(tileMetrics.columns * tileMetrics.sizeX);
  const float height = static_cast<float>(tileMetrics.rows * tileMetrics.sizeY);
  constexpr std::uint32_t kSeeds = 20;
  qor_test::LogCapture quiet;
  int levels = 0;
  for (int pack = 1; pack <= 6; ++pack) {
    for (int level = 1; level <= 20; ++level) {
      const std::string name = Name(pack, level);
      SCOPED_TRACE(name);
      const pugi::xml_document* document = QOR::QC_GAME::fLoadXml(name);
      ASSERT_TRUE(document->child("tiles")) << "missing from the pack";
      EXPECT_EQ(MAHJONG_LEVELS::PlayProblem(*document, view), "") << "the game would refuse it";
      ++levels;
      for (std::uint32_t seed = 0; seed < kSeeds; ++seed) {
        MAHJONG_BOARD board;
        board.SetTileMetrics(tileMetrics);
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

// A player's random legal pairs (both free, matching) leave any part of the board; the shuffle's
// re-deal of what is left replays as a legal solution, the special tiles and the move count kept.
TEST_F(ShippedLevels, MidGameRedealsReplay) {
  constexpr std::uint32_t kSeeds = 10;
  qor_test::LogCapture quiet;
  std::mt19937 rng(5);
  int redeals = 0;
  for (int pack = 1; pack <= 6; ++pack) {
    for (int level = 1; level <= 20; ++level) {
      const std::string name = Name(pack, level);
      const pugi::xml_document* document = QOR::QC_GAME::fLoadXml(name);
      for (std::uint32_t seed = 0; seed < kSeeds; ++seed) {
        SCOPED_TRACE(name + " seed " + std::to_string(seed));
        MAHJONG_BOARD board;
        board.SetTileMetrics(tileMetrics);
        board.ComputeOrigin();
        QOR::QC_RANDOM random(seed * 7919u + static_cast<std::uint32_t>(pack * 100 + level));
        board.SetRandom(&random);
        board.ReadLevel(*document, name);
        board.AlternBuildPath(false);
        const int moveCount = board.m_dealMoveCount;
        const int half = static_cast<int>(board.GetChips().size() / 2);
        const int pairs = std::uniform_int_distribution<int>(1, std::max(1, half - 2))(rng);
        for (int n = 0; n < pairs; ++n) {
          board.UpdateAllFree();
          std::vector<std::pair<MAHJONG_CHIP*, MAHJONG_CHIP*>> free;
          const MAHJONG_BOARD::CHIP_LIST& chips = board.GetChips();
          for (std::size_t a = 0; a < chips.size(); ++a) {
            for (std::size_t b = a + 1; b < chips.size(); ++b) {
              if (chips[a]->isAvailable() && chips[b]->isAvailable() && chips[a]->isMatch(chips[b])) {
                free.emplace_back(chips[a], chips[b]);
              }
            }
          }
          if (free.empty()) break;
          const auto pair = free[std::uniform_int_distribution<std::size_t>(0, free.size() - 1)(rng)];
          board.DeleteChip(pair.first);
          board.DeleteChip(pair.second);
        }
        if (board.GetChips().empty()) continue;
        board.UpdateAllFree();
        std::map<const MAHJONG_CHIP*, bool> specials;
        for (const MAHJONG_CHIP* chip : board.GetChips()) specials[chip] = chip->m_isSpecial;

        board.AlternBuildPath(true);
        ++redeals;
        ASSERT_FALSE(board.isDealDegraded()) << "after " << board.GetDealRuns() << " runs";
        ASSERT_EQ(board.GetChips().size(), specials.size());
        for (const MAHJONG_CHIP* chip : board.GetChips()) ASSERT_EQ(chip->m_isSpecial, specials.at(chip));
        EXPECT_EQ(board.m_dealMoveCount, moveCount);
        const board_test::REPLAY replay = board_test::Replay(board);
        ASSERT_TRUE(replay.complete);
        ASSERT_EQ(replay.illegalPairs, 0) << replay.firstProblem;
        EXPECT_EQ(replay.specialsLeft, 0);
        quiet.clear();
      }
    }
  }
  EXPECT_GT(redeals, 1000);
}

}  // namespace
