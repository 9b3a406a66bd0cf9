// The whole career as a new player plays it, headless, through the real game manager and input
// state: the name typed at the title, the start comic, then all six packs of twenty levels by
// clicks (levels screen, intro, the board bot's pairs, completion OK), the first level with its
// tutorial, on to the final screen with the end comic and back to the packs. Along the road the
// levels open one by one on the right page, each pack opens by the rank rule, the profile on
// disk equals the one in memory at every pack's end, every trophy whose rule is met is awarded
// once, the rank climbs, and money and experience are the sums of what the levels gave. Each
// tile shows the back of its kind, the shuffle bonus used from its slot charges again by one per
// pair, and the multiplier decays once per multi_time_decr tenths of a second while nobody plays.
#include "engine/render/qs_vertex.h"
#include "game/board/mahjong_player.h"
#include "game/board/tile_faces.h"
#include "game/flow/game_hooks.h"
#include "gui/widgets/qc_gui_linebox.h"
#include "tests/game/flow/career_driver.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace {

using M = MAHJONG_GAME_MANAGER;

class Career : public flow_test::CareerDriver {
 protected:
  void SetUp() override {
    CareerDriver::SetUp();
    drawEvery = 16;
    forgetFrames = true;
  }

  PACK_BUTTON& pack(int n) const { return *manager->packs.buttons.at(static_cast<std::size_t>(n - 1)); }
  int result(int packNumber, int level) const {
    return manager->player->m_levels[MAHJONG_PLAYER::LevelIndex(packNumber, level)];
  }

  // The levels screen at rest before level n is played: levels 1..n open, the rest closed, on the
  // page that holds level n.
  void checkLevelsScreen(int level) {
    SCOPED_TRACE("levels screen before level " + std::to_string(level));
    for (int i = 1; i <= M::kLevelButtons; ++i) {
      EXPECT_EQ(manager->levels.buttons[i - 1]->fGetState(), i <= level ? 0 : 4) << "level " << i;
    }
    const int page = level > 10 ? 2 : 1;
    EXPECT_EQ(manager->page, page);
    EXPECT_EQ(manager->levels.buttons[0]->fGetPosition().x,
              page == 1 ? M::kLevelsInX : -0.55f * static_cast<float>(QOR::qcGAME->fGetResolution().x));
  }

  // Every tile is drawn on the back of its kind, cut from that back's cell of the atlas.
  void checkBacks() {
    const MAHJONG_LAYOUT& board = *manager->board;
    const auto cell = [](const QOR::QC_SPRITE* back, int frame) {
      float u0 = 2.0f, u1 = -1.0f, v0 = 2.0f, v1 = -1.0f;
      for (int i = 0; i < back->fGetCount(); ++i) {
        const QOR::QS_VERTEX* vertex = back->fGetVertex(i);
        u0 = std::min(u0, vertex->u);
        u1 = std::max(u1, vertex->u);
        v0 = std::min(v0, vertex->v);
        v1 = std::max(v1, vertex->v);
      }
      const float w = 1.0f / MAHJONG_FACES::kAtlasColumns;
      const float h = 1.0f / MAHJONG_FACES::kAtlasRows;
      const float left = static_cast<float>(frame % MAHJONG_FACES::kAtlasColumns) * w;
      const float top = static_cast<float>(frame / MAHJONG_FACES::kAtlasColumns) * h;
      return std::fabs(u0 - left) < 1e-4f && std::fabs(u1 - left - w) < 1e-4f && std::fabs(v0 - top) < 1e-4f &&
             std::fabs(v1 - top - h) < 1e-4f;
    };
    std::set<int> kinds;
    for (const MAHJONG_CHIP* chip : board.GetChips()) {
      const int frame = chip->isBonus()     ? MAHJONG_FACES::kBonusBackFrame
                        : chip->isSpecial() ? MAHJONG_FACES::kSpecialBackFrame
                                            : MAHJONG_FACES::kNormalBackFrame;
      if (!kinds.insert(frame).second) continue;
      const QOR::QC_SPRITE* back = board.BackFor(chip);
      ASSERT_NE(back, nullptr);
      EXPECT_TRUE(cell(back, frame)) << "a tile's back is not cut from frame " << frame;
    }
    EXPECT_EQ(kinds.count(MAHJONG_FACES::kSpecialBackFrame), 1u) << "a level without special tiles";
  }

  // A level's play with the properties of every pair: the shuffle bonus charges by one per pair
  // (a pair with a bonus tile fills it when it is set; a slot standing ready takes no charge).
  std::function<void()> pairChecks() {
    return [this] {
      MAHJONG_LAYOUT* board = manager->board;
      if (board == nullptr || manager->currentScreen != GAME_SCREEN) {
        charge = -1;
        return;
      }
      const PLAYER_BONUS* shuffle = manager->player->FindBonus(BONUS_TOSSCHIPS);
      int bonusTiles = 0;
      for (const MAHJONG_CHIP* chip : board->GetChips()) bonusTiles += chip->isBonus() && !chip->isRemoving() ? 1 : 0;
      if (manager->levelRoad.lastBoardEvent == MAHJONG_LAYOUT::kEventPairRemoved && charge >= 0 &&
          manager->tutorial.on == 0) {
        const int expected = bonusTiles < bonusTilesBefore && shuffle->set != 0 ? shuffle->recover
                             : slotReady                   ? charge
                                                           : std::min(charge + 1, shuffle->recover);
        EXPECT_EQ(shuffle->charge, expected) << "pack " << manager->currentPack << " level " << manager->currentLevel;
        ++pairsChecked;
        if (shuffle->charge > charge) ++chargedPairs;
      }
      charge = shuffle->charge;
      bonusTilesBefore = bonusTiles;
      slotReady = board->GetPanel()->bonusSlot.isActive();
    };
  }

  // With nobody playing the multiplier's progress drops by one every multi_time_decr tenths of a
  // second, counted in ticks of the frame time.
  void checkDecay() {
    MAHJONG_LAYOUT& board = *manager->board;
    releaseMouse();
    const float period = static_cast<float>(board.m_multiTimeDecr) / 10.0f;
    ASSERT_GT(period, 0.0f);
    const double perTick = static_cast<double>(QOR::qcFrameTime);
    std::vector<long long> drops;
    int progress = board.m_multiplierProgress;
    int multiplier = board.GetPanel()->GetMultiplier();
    for (long long n = 0; n < static_cast<long long>(6 * period / perTick) && drops.size() < 5; ++n) {
      tick();
      if (board.m_multiplierProgress != progress || board.GetPanel()->GetMultiplier() != multiplier) drops.push_back(n);
      progress = board.m_multiplierProgress;
      multiplier = board.GetPanel()->GetMultiplier();
    }
    ASSERT_GE(drops.size(), 3u) << "the multiplier never decayed";
    for (std::size_t k = 1; k < drops.size(); ++k) {
      const double gap = static_cast<double>(drops[k] - drops[k - 1]) * perTick;
      EXPECT_NEAR(gap, period, perTick * 1.01) << "decay " << k;
    }
  }

  // The profile as player.xml holds it equals the one in memory.
  void checkProfileOnDisk() {
    const MAHJONG_PLAYER& mine = *manager->player;
    const MAHJONG_PLAYER disk(M::PlayerFilePath(), std::wstring());
    EXPECT_EQ(disk.m_name, mine.m_name);
    EXPECT_EQ(disk.m_totalScore, mine.m_totalScore);
    EXPECT_EQ(disk.m_money, mine.m_money);
    EXPECT_EQ(disk.m_XP, mine.m_XP);
    EXPECT_EQ(disk.m_totalTilesRemoved, mine.m_totalTilesRemoved);
    EXPECT_EQ(disk.m_totalBonusUsed, mine.m_totalBonusUsed);
    EXPECT_EQ(disk.m_lastPack, mine.m_lastPack);
    EXPECT_EQ(disk.m_lastLevel, mine.m_lastLevel);
    EXPECT_EQ(disk.m_tutorialShow, mine.m_tutorialShow);
    EXPECT_EQ(disk.m_seenStartComics, mine.m_seenStartComics);
    EXPECT_EQ(disk.m_seenEndComics, mine.m_seenEndComics);
    EXPECT_TRUE(std::equal(std::begin(disk.m_packs), std::end(disk.m_packs), std::begin(mine.m_packs)));
    EXPECT_TRUE(std::equal(std::begin(disk.m_levels), std::end(disk.m_levels), std::begin(mine.m_levels)));
    std::vector<int> owned = mine.m_trophies;
    std::vector<int> saved = disk.m_trophies;
    std::sort(owned.begin(), owned.end());
    std::sort(saved.begin(), saved.end());
    EXPECT_EQ(saved, owned);
  }

  // The rank list's place of the shown rank title (0 Candidate .. 5 Grand Master).
  int rankPlace() const {
    const wchar_t* ranks[] = {L"Candidate", L"Novice", L"Experienced", L"Expert", L"Master", L"Grand Master"};
    for (int i = 0; i < 6; ++i) {
      if (manager->rankTitle == manager->rankTitles.at(ranks[i])) return i;
    }
    return -1;
  }

  int charge = -1;
  int bonusTilesBefore = 0;
  bool slotReady = false;
  int pairsChecked = 0;
  int chargedPairs = 0;
};

TEST_F(Career, SixPacksOfTwentyLevelsToTheFinalScreen) {
  // The first player, named at the title; the start comic page by page.
  click(manager->title.playButton);
  ASSERT_TRUE(runWhile([this] { return !waiting(manager->playerBox); }));
  type("CAREER");
  click(manager->playerBox->fGetOkButton());
  ASSERT_EQ(manager->player->m_name, L"career");
  for (int n = 0; n < 20 && manager->currentScreen != PACKS_SCREEN; ++n) {
    ASSERT_TRUE(runWhile([this] {
      return manager->currentScreen != PACKS_SCREEN &&
             (manager->currentScreen != COMICS_SCREEN || manager->screenFade.active ||
              (manager->comics.nextButton->fGetImage()->fGetVertexColor(0) >> 24) != 255u);
    }));
    if (manager->currentScreen == COMICS_SCREEN) click(manager->comics.nextButton);
  }
  untilScreen(PACKS_SCREEN);
  EXPECT_TRUE(manager->player->m_seenStartComics);

  MAHJONG_PLAYER& player = *manager->player;
  int money = player.m_money;
  float xp = player.m_XP;
  int rank = rankPlace();
  for (int p = 1; p <= MAHJONG_PLAYER::kPacks; ++p) {
    SCOPED_TRACE("pack " + std::to_string(p));
    ASSERT_FALSE(pack(p).isLocked());
    bool chargedInPack = false;
    click(pack(p).button);
    untilScreen(LEVELS_SCREEN);
    ASSERT_EQ(manager->currentPack, p);
    for (int level = 1; level <= MAHJONG_PLAYER::kLevelsPerPack; ++level) {
      SCOPED_TRACE("level " + std::to_string(level));
      checkLevelsScreen(level);
      click(manager->levels.buttons[level - 1]);
      ASSERT_EQ(manager->requestedScreen, LEVEL_START_SCREEN);
      untilIntroAtRest();
      checkBacks();
      EXPECT_EQ(manager->tutorial.on != 0, p == 1 && level == 1);

      std::function<void()> checks = pairChecks();
      const bool decayHere = level == 1 && p > 1;
      const bool shuffleHere = level >= 2 && !chargedInPack;
      bool decayed = false;
      bool shuffled = false;
      const int charged = chargedPairs;
      playToCompletion([&] {
        checks();
        if (manager->currentScreen != GAME_SCREEN || awardOpen()) return;
        MAHJONG_LAYOUT& board = *manager->board;
        if (decayHere && !decayed && board.m_movesMade >= 4 && board.m_multiplierProgress > 0) {
          decayed = true;
          checkDecay();
        }
        // The full shuffle bonus used by its slot: the pairs after it charge it again.
        if (shuffleHere && !shuffled && board.m_movesMade >= 1 && board.GetPanel()->bonusSlot.isActive() &&
            !board.m_dropTween.active && !board.m_slideTween.active && !board.m_shuffleRequested) {
          shuffled = true;
          releaseMouse();
          click(board.GetPanel()->bonusSlot.button);
          EXPECT_EQ(manager->player->FindBonus(BONUS_TOSSCHIPS)->charge, 0);
          charge = -1;
        }
      });
      ASSERT_EQ(manager->currentScreen, LEVEL_END_SCREEN);
      EXPECT_TRUE(!decayHere || decayed);
      EXPECT_TRUE(!shuffleHere || shuffled) << "the shuffle bonus was not ready";
      chargedInPack = chargedInPack || chargedPairs > charged;

      // The completion: the level's stars kept, its points become money and experience grows by
      // the stars (each level is played once).
      const MAHJONG_LAYOUT& board = *manager->board;
      const int points = board.GetPanel()->GetScore();
      EXPECT_GE(board.m_stars, 1);
      EXPECT_EQ(result(p, level), board.m_stars);
      money += points;
      xp += static_cast<float>(board.m_stars);
      EXPECT_EQ(player.m_money, money);
      EXPECT_EQ(player.m_XP, xp);
      EXPECT_EQ(player.m_totalScore, money);
      if (!(p == MAHJONG_PLAYER::kPacks && level == MAHJONG_PLAYER::kLevelsPerPack)) {
        EXPECT_EQ(manager->levels.newLevels, std::vector<int>{level % M::kLevelButtons});
      }
      rest();
      click(manager->levelRoad.startButton);
      if (level < MAHJONG_PLAYER::kLevelsPerPack) {
        untilScreen(LEVELS_SCREEN);
      } else if (p < MAHJONG_PLAYER::kPacks) {
        untilScreen(PACKS_SCREEN);
      } else {
        untilScreen(FINAL_SCREEN);
      }
      EXPECT_FALSE(manager->tutorial.on);
      // A career that went wrong stops at the level where it did.
      if (HasFailure()) return;
    }
    EXPECT_TRUE(chargedInPack) << "no pair charged the used shuffle bonus";
    EXPECT_GE(rankPlace(), rank) << "the rank went down";
    rank = rankPlace();
    if (p < MAHJONG_PLAYER::kPacks) {
      // The next pack opens by the rank rule: its rank's experience reached, this pack finished.
      const bool earned = player.m_XP >= static_cast<float>(pack(p + 1).xp);
      EXPECT_EQ(player.m_packs[p], earned ? 1 : 0);
      ASSERT_TRUE(earned) << "the career's stars do not reach the next pack's rank: " << player.m_XP << " of "
                          << pack(p + 1).xp;
      EXPECT_EQ(player.m_lastPack, p + 1);
      EXPECT_EQ(player.m_lastLevel, 1);
      checkProfileOnDisk();
    }
  }

  // The final screen shows the end comic; its button leads to the packs and records it as seen.
  ASSERT_EQ(manager->currentScreen, FINAL_SCREEN);
  ASSERT_NE(manager->comics.pictures[0], nullptr);
  click(manager->comics.nextButton);
  untilScreen(PACKS_SCREEN);
  EXPECT_TRUE(player.m_seenEndComics);
  checkProfileOnDisk();

  // Every trophy awarded once; each one whose rule the finished career meets is among them.
  const std::set<int> owned(player.m_trophies.begin(), player.m_trophies.end());
  EXPECT_EQ(owned.size(), player.m_trophies.size()) << "a trophy owned twice";
  EXPECT_EQ(std::set<int>(awards.begin(), awards.end()).size(), awards.size()) << "a trophy awarded twice";
  EXPECT_EQ(std::set<int>(awards.begin(), awards.end()), owned);
  std::set<int> met;
  for (const auto& [id, threshold] : std::vector<std::pair<int, int>>{{1, 100000}, {2, 500000}, {3, 1000000}}) {
    if (player.m_totalScore >= threshold) met.insert(id);
  }
  for (const auto& [id, threshold] : std::vector<std::pair<int, int>>{{15, 1000}, {16, 5000}, {17, 10000}}) {
    if (player.m_totalTilesRemoved >= threshold) met.insert(id);
  }
  for (int p = 2; p <= MAHJONG_PLAYER::kPacks; ++p) {
    if (player.m_XP >= static_cast<float>(pack(p).xp)) met.insert(p + 2);
  }
  for (int id = 9; id <= 14; ++id) met.insert(id);
  for (const int id : met) EXPECT_EQ(owned.count(id), 1u) << "trophy " << id << " was not awarded";
  const auto threeStars = static_cast<int>(std::count(std::begin(player.m_levels), std::end(player.m_levels), 3));
  for (const auto& [id, count] : std::vector<std::pair<int, int>>{{24, 30}, {25, 60}, {26, 120}}) {
    if (owned.count(id) != 0) {
      EXPECT_GE(threeStars, count) << "trophy " << id;
    }
  }
  EXPECT_EQ(rankPlace(), 5);
  EXPECT_GT(pairsChecked, 1000);
}

}  // namespace

// What a quit after a pack's last level keeps: from 19 levels of pack 1 done and 19 experience,
// level 20 is played and the game closed (nothing saved but what it saved itself) with the trophy
// box open on the completion panel, on the panel at rest, or as the count-up starts on the packs
// screen (or the window closed there). Started again, player.xml holds trophy 9, and pack 2 opens
// (saved) once the packs screen stands; so it does for an old save that lost it. The Novice trophy
// the cut count-up owed comes as pack 2 opens, also without a quit (the pack's save ends it).
TEST_F(Career, AQuitAfterAPacksLastLevelKeepsItsUnlockAndTrophy) {
  enum QUIT { kAwardBox, kPanel, kCountUp, kWindowClose, kOldSave, kNoQuit };
  for (const QUIT quit : {kAwardBox, kPanel, kCountUp, kWindowClose, kOldSave, kNoQuit}) {
    SCOPED_TRACE("quit " + std::to_string(quit));
    manager->SavePlayerFile(L"Ann");
    MAHJONG_PLAYER* p = manager->player;
    for (int level = 1; level <= 20; ++level) p->m_levels[level - 1] = level < 20 || quit == kOldSave ? 1 : -1;
    p->m_XP = 19.0f;
    p->m_seenStartComics = true;
    p->m_tutorialShow = false;
    if (quit == kPanel) p->m_trophies = {9};
    ASSERT_TRUE(manager->SavePlayer());
    loadGame();
    settle();
    if (quit != kOldSave) {
      click(manager->title.playButton);
      untilScreen(PACKS_SCREEN);
      click(pack(1).button);
      untilScreen(LEVELS_SCREEN);
      click(manager->levels.buttons[19]);
      untilIntroAtRest();
      playToCompletion();
      ASSERT_EQ(awardOpen(), quit != kPanel);
      if (quit != kAwardBox) rest();
      if (quit == kCountUp || quit == kWindowClose || quit == kNoQuit) {
        click(manager->levelRoad.startButton);
        ASSERT_TRUE(runWhile([this] { return manager->currentScreen != PACKS_SCREEN; }));
        ASSERT_TRUE(manager->countUpRunning != 0 && pack(2).isLocked());
      }
      if (quit == kWindowClose) GameExit(0);
    }
    if (quit != kNoQuit) {
      loadGame();  // the quit: a new start from the file
      settle();
      EXPECT_EQ(std::ranges::count(manager->player->m_trophies, 9), quit == kOldSave ? 0 : 1);
      EXPECT_EQ(std::ranges::count(manager->player->m_trophies, 4), quit == kWindowClose ? 1 : 0);
      click(manager->title.playButton);
      ASSERT_TRUE(runWhile([this] { return manager->currentScreen != PACKS_SCREEN; }));
    }
    EXPECT_TRUE(runWhile([this] { return pack(2).buttonFlash == 0 && pack(2).isLocked() && !awardOpen(); }, 600));
    EXPECT_EQ(awardOpen(), quit != kWindowClose) << "trophy 4 comes as pack 2 opens";
    rest();
    const MAHJONG_PLAYER saved(M::PlayerFilePath(), std::wstring());
    EXPECT_EQ(saved.m_packs[1], 1);
    EXPECT_EQ(std::ranges::count(saved.m_trophies, 4), 1);
  }
}
