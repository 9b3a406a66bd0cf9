// A bot plays every shipped level through the real input state, several deals each: it always
// takes a free matching pair. Each pair's points, the events, the end bonus, the stars and what the
// profile keeps are checked against the balance. A second bot without foresight runs into dead
// ends and takes the shuffle: every re-deal keeps the special tiles and the move count and is a
// legal solution of what is left.
#include "tests/game/board/play_test_kit.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

namespace {

using board_test::BOARD_BOT;

class PlayBot : public board_test::PlayTest {
 protected:
  static std::string Name(int pack, int level) {
    return "pk" + std::to_string(pack) + "lv" + std::to_string(level) + ".xml";
  }
  void Start(int pack, int level, std::uint32_t seed) {
    random.fSetSeed(seed);
    board->LoadLevel(Name(pack, level));
    board->m_factorBase = 1;
    board->m_scoreFactor = board->m_factorBase;
    board->StartLevel(pack, level);
    board->GetPanel()->SettleOnScreen();
  }
};

bool TaskMet(int type, int value, int moves, int points, float seconds) {
  if (value == 0) return false;
  if (type == kTaskMoves) return moves <= value;
  if (type == kTaskMoney) return value <= points;
  if (type == kTaskTime) return seconds <= static_cast<float>(value);
  return false;
}

// A profile naming a tile set tiles.xml does not list plays with the default set: every tile has
// its face, and the level plays to its end.
TEST_F(PlayBot, AnUnknownTileSetPlaysWithTheDefaultSet) {
  board = std::make_unique<MAHJONG_LAYOUT>("7", player.get(), false, 0, nullptr);
  board->SetRandom(&random);
  EXPECT_TRUE(log.hasLine("tile set 7 is not in tiles.xml, the default set 2 is used"));
  Start(1, 3, 11);
  ASSERT_NE(board->GetAtlasImage(), nullptr);
  for (const MAHJONG_CHIP* chip : board->GetChips()) {
    ASSERT_EQ(chip->m_sprite, board->GetFaceAtlas());
    ASSERT_EQ(chip->m_sprite->fGetTexture(), board->GetAtlasImage());
  }
  BOARD_BOT bot(*board);
  bot.PlayOut(40000);
  EXPECT_TRUE(board->isLevelFinished());
}

TEST_F(PlayBot, EveryShippedLevelPlaysToItsEnd) {
  constexpr std::uint32_t kSeeds = 5;
  MAHJONG_LAYOUT& b = *board;

  for (int pack = 1; pack <= MAHJONG_PLAYER::kPacks; ++pack) {
    for (int level = 1; level <= MAHJONG_PLAYER::kLevelsPerPack; ++level) {
      for (std::uint32_t seed = 0; seed < kSeeds; ++seed) {
        SCOPED_TRACE(Name(pack, level) + " seed " + std::to_string(seed));
        log.clear();
        Start(pack, level, seed * 104729u + static_cast<std::uint32_t>(pack * 100 + level));
        const int moveCount = b.m_dealMoveCount;
        const int totalBefore = player->m_totalScore;
        const int moneyBefore = player->m_money;
        const float xpBefore = player->m_XP;
        const int index = MAHJONG_PLAYER::LevelIndex(pack, level);
        const int storedBefore = player->m_levels[index];

        BOARD_BOT bot(b);
        bot.PlayOut(40000);
        ASSERT_TRUE(b.isLevelFinished()) << "stuck: " << bot.stuck << " events " << bot.events.size() << " hidden "
                                         << bot.hiddenTargets << " moves " << b.m_availableMoves << " chips "
                                         << b.GetChips().size() << " selected " << (b.m_selectedChip != nullptr);
        EXPECT_EQ(bot.hiddenTargets, 0);

        // Only pairs, then the end.
        ASSERT_FALSE(bot.events.empty());
        EXPECT_EQ(bot.events.back(), MAHJONG_LAYOUT::kEventLevelComplete);
        EXPECT_EQ(std::count(bot.events.begin(), bot.events.end(), MAHJONG_LAYOUT::kEventPairRemoved) + 1,
                  static_cast<long>(bot.events.size()));
        EXPECT_EQ(static_cast<int>(bot.pairs.size()), b.m_movesMade);
        EXPECT_GE(b.m_movesMade, moveCount) << "the specials need the deal's moves";

        // Each pair scores its kind times the multiplier (which may have decayed by one that tick).
        int pairPoints = 0;
        for (const BOARD_BOT::PAIR& pair : bot.pairs) {
          const int base = pair.special ? b.m_scorePairSpec : b.m_scorePair;
          ASSERT_GT(base, 0);
          ASSERT_EQ(pair.points % base, 0) << pair.points;
          const int multiplier = pair.points / base;
          EXPECT_TRUE(multiplier == pair.multiplierBefore || multiplier == pair.multiplierBefore - 1)
              << multiplier << " after " << pair.multiplierBefore;
          EXPECT_GE(multiplier, 1);
          pairPoints += pair.points;
        }
        // The end: every tile left (in flight too) pays the end bonus; no special tile is left.
        const int tilesLeft = static_cast<int>(b.GetChips().size());
        const int points = pairPoints + tilesLeft * b.m_scoreEndLevel;
        EXPECT_EQ(panel().GetScore(), points);
        for (const MAHJONG_CHIP* chip : b.GetChips()) EXPECT_FALSE(chip->m_isSpecial && !chip->m_removing);
        EXPECT_EQ(player->m_totalScore, totalBefore + points);
        EXPECT_EQ(player->m_money, moneyBefore + points);

        const int stars = 1 + (TaskMet(b.m_task1Type, b.m_task1Value, b.m_movesMade, points, b.m_elapsed) ? 1 : 0) +
                          (TaskMet(b.m_task2Type, b.m_task2Value, b.m_movesMade, points, b.m_elapsed) ? 1 : 0);
        EXPECT_EQ(b.GetStars(), stars);
        EXPECT_EQ(b.m_elapsed, std::floor(b.m_elapsed)) << "counted in whole seconds";
        const int best = std::max(storedBefore, stars);
        EXPECT_EQ(player->m_levels[index], best);
        EXPECT_FLOAT_EQ(player->m_XP, xpBefore + static_cast<float>(best - std::max(storedBefore, 0)));
        EXPECT_TRUE(log.contains("You gain " + std::to_string(stars) + " star(s)! "));
        if (HasFatalFailure()) return;
      }
    }
  }
  MAHJONG_PLAYER saved(player->m_filePath, L"Player");
  EXPECT_EQ(saved.m_totalScore, player->m_totalScore);
  for (int i = 0; i < MAHJONG_PLAYER::kLevels; ++i) EXPECT_EQ(saved.m_levels[i], player->m_levels[i]) << i;
}

TEST_F(PlayBot, DeadEndsTakeTheShuffle) {
  MAHJONG_LAYOUT& b = *board;
  int shuffles = 0;
  int finished = 0;
  int failed = 0;
  for (int pack = 4; pack <= MAHJONG_PLAYER::kPacks; ++pack) {
    for (int level = 1; level <= MAHJONG_PLAYER::kLevelsPerPack; ++level) {
      SCOPED_TRACE(Name(pack, level));
      log.clear();
      Start(pack, level, static_cast<std::uint32_t>(pack * 31 + level));
      const int moveCount = b.m_dealMoveCount;
      BOARD_BOT bot(b, BOARD_BOT::kFirstFree);
      std::map<MAHJONG_CHIP*, bool> specials;
      for (int tick = 0; tick < 40000 && !b.isLevelFinished() && !bot.stuck; ++tick) {
        bot.BeforeTick();
        const int event = board_test::PlayTick(b);
        bot.AfterTick(event);
        if (event == MAHJONG_LAYOUT::kEventShuffle) {
          ++shuffles;
          EXPECT_EQ(bot.events.size() >= 2 ? bot.events[bot.events.size() - 2] : 0, MAHJONG_LAYOUT::kEventNoMovesBonus);
          specials.clear();
          for (MAHJONG_CHIP* chip : b.GetChips()) specials[chip] = chip->m_isSpecial;
          // The bot waits while the tiles slide out and drop back in.
          for (int n = 0; n < 2000 && (b.m_slideTween.active || b.m_shuffleRequested || b.m_dropTween.active); ++n) {
            bot.BeforeTick();
            bot.AfterTick(board_test::PlayTick(b));
          }
          for (MAHJONG_CHIP* chip : b.GetChips()) {
            ASSERT_EQ(specials.count(chip), 1u);
            EXPECT_EQ(chip->m_isSpecial, specials[chip]);
          }
          EXPECT_EQ(b.m_dealMoveCount, moveCount);
          const board_test::REPLAY replay = board_test::Replay(b);
          EXPECT_TRUE(replay.complete);
          EXPECT_EQ(replay.illegalPairs, 0) << replay.firstProblem;
          EXPECT_EQ(replay.specialsLeft, 0);
        }
      }
      ASSERT_TRUE(b.isLevelFinished() || bot.stuck);
      if (b.isLevelFinished()) {
        ++finished;
        EXPECT_EQ(bot.events.back(), MAHJONG_LAYOUT::kEventLevelComplete);
      } else {
        ++failed;
        EXPECT_EQ(bot.events.back(), MAHJONG_LAYOUT::kEventNoMoves);
        EXPECT_TRUE(log.contains("THIS IS THE END!!!!!!!!!"));
      }
      for (int event : bot.events) {
        EXPECT_TRUE(event == MAHJONG_LAYOUT::kEventPairRemoved || event == MAHJONG_LAYOUT::kEventShuffle ||
                    event == MAHJONG_LAYOUT::kEventNoMovesBonus || event == MAHJONG_LAYOUT::kEventNoMoves ||
                    event == MAHJONG_LAYOUT::kEventLevelComplete)
            << event;
      }
    }
  }
  // With these deals the greedy bot meets dead ends often enough to try every road.
  EXPECT_GT(shuffles, 10);
  EXPECT_GT(finished, 5);
  EXPECT_GT(failed, 5);
}

}  // namespace
