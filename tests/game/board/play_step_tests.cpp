// The play step driven through the real input state, tick by tick: selection, pairs with their
// score, sounds and the multiplier's growth and decay, the clock and tips, the pause panel and the
// slots, the shuffle bonus, the no-moves codes and the level's end.
#include "engine/platform/qc_input.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "host/recording_device.h"
#include "game/board/level_lookup.h"
#include "gui/widgets/qc_gui_animation_bar.h"
#include "tests/game/board/play_test_kit.h"
#include "tests/kit/file_bytes.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <tuple>

namespace {

using board_test::CELL;
using board_test::LevelText;

constexpr int kEscape = QOR::kKeyEscape;

class PlayStep : public board_test::PlayTest {
 protected:
  float ring() const { return panel().multRing->fGetPercent(); }
};

// Spaced tiles (all free) with fixed faces, a blocked middle tile, and special tiles.
std::string ScoringLevel() {
  std::vector<CELL> cells = {{0, 2, 0, false, false, 5},  {4, 2, 0, false, false, 5},   {8, 2, 0, false, false, 6},
                             {12, 2, 0, false, false, 6}, {16, 2, 0, false, false, 7},  {20, 2, 0, false, false, 7},
                             {24, 2, 0, true, false, 8},  {28, 2, 0, true, false, 8},   {0, 6, 0, false, false, 20},
                             {2, 6, 0, false, false, 21}, {4, 6, 0, false, false, 20},  {10, 6, 0, false, false, 21},
                             {14, 6, 0, true, false, 30}, {18, 6, 0, false, false, 30}, {24, 6, 0, true, false, 33},
                             {28, 6, 0, true, false, 33}};
  return LevelText(cells, 0);
}

TEST_F(PlayStep, SelectionPairsScoreAndMultiplier) {
  Begin(ScoringLevel());
  MAHJONG_LAYOUT& b = *board;
  ASSERT_EQ(b.GetChips().size(), 16u);
  ASSERT_NE(At(28, 6), nullptr) << "every tile landed exactly on its cell";
  EXPECT_EQ(b.m_scorePair, 20);
  EXPECT_EQ(b.m_scorePairSpec, 100);
  // The multiplier rules of a file with multi_incr_ap 5 and multi_pair 2, and no decay for now.
  b.m_multiIncrAp = 50;
  b.m_multiPair = 20;
  b.m_multiTimeDecr = 100000;
  Hush();

  // Select, select again, a non-matching second click moves the selection, a blocked tile is
  // ignored.
  EXPECT_EQ(Click(At(0, 2)), 0);
  EXPECT_EQ(b.m_selectedChip, At(0, 2));
  EXPECT_TRUE(Played("tile_select.ogg"));
  EXPECT_TRUE(b.m_selectionFader.active);
  EXPECT_EQ(b.m_selectionFader.target, b.m_selectionFrame);
  EXPECT_EQ(Click(At(0, 2)), 0);
  EXPECT_EQ(b.m_selectedChip, At(0, 2));
  EXPECT_EQ(Click(At(8, 2)), 0);
  EXPECT_EQ(b.m_selectedChip, At(8, 2));
  Hush();
  ASSERT_FALSE(At(2, 6)->bFreee);
  EXPECT_EQ(Click(At(2, 6)), 0);
  EXPECT_EQ(b.m_selectedChip, At(8, 2));
  EXPECT_NE(b.m_hoverChip, At(2, 6));
  EXPECT_FALSE(Played("tile_select.ogg"));

  // A pair: points x the multiplier, progress, the ring, the popup and the sounds.
  struct STEP {
    int a[2];
    int b[2];
    int score;
    int multiplier;
    float ring;
  };
  const STEP steps[] = {{{0, 2}, {4, 2}, 20, 1, 40.0f},
                        {{8, 2}, {12, 2}, 40, 1, 80.0f},
                        {{16, 2}, {20, 2}, 60, 2, 20.0f},
                        {{24, 2}, {28, 2}, 260, 2, 60.0f},
                        {{14, 6}, {18, 6}, 300, 3, 0.0f}};
  int moves = 0;
  for (const STEP& step : steps) {
    SCOPED_TRACE(step.score);
    MAHJONG_CHIP* first = At(step.a[0], step.a[1]);
    MAHJONG_CHIP* second = At(step.b[0], step.b[1]);
    const int before = panel().GetScore();
    const int multiplier = panel().GetMultiplier();
    EXPECT_EQ(Click(first), 0);
    EXPECT_EQ(Click(second), MAHJONG_LAYOUT::kEventPairRemoved);
    EXPECT_EQ(panel().GetScore(), step.score);
    EXPECT_EQ(second->m_points, step.score - before);
    EXPECT_EQ(step.score - before, (first->m_isSpecial && second->m_isSpecial ? 100 : 20) * multiplier)
        << "special with ordinary is a pair";
    EXPECT_TRUE(first->m_removing && second->m_removing);
    EXPECT_EQ(b.m_movesMade, ++moves);
    EXPECT_EQ(b.m_selectedChip, nullptr);
    EXPECT_TRUE(Played("tile_collapse.ogg"));
    EXPECT_EQ(panel().GetMultiplier(), step.multiplier);
    EXPECT_EQ(Played("inc_multiplier.ogg"), step.multiplier != multiplier);
    if (step.multiplier != multiplier) {
      EXPECT_TRUE(panel().multFlash.running);
    }
    Tick();
    EXPECT_FLOAT_EQ(ring(), step.ring);
  }
  EXPECT_EQ(b.m_bestMultiplier, 3);
  EXPECT_EQ(player->m_totalTilesRemoved, 5);
  EXPECT_EQ(Settle(), 0);
  EXPECT_EQ(b.GetChips().size(), 6u);

  // Idle decay from multiplier 2 and progress 55: down to 50 one step at a time, then the
  // multiplier drops and the progress stays (a full ring); the next pair raises it again.
  b.m_multiTimeDecr = 4;
  panel().SetMultiplier(2);
  b.m_multiplierProgress = 55;
  b.m_idleTime = 0.0f;
  std::vector<std::pair<int, int>> seen;
  for (int n = 0; n < 400 && seen.size() < 6; ++n) {
    const std::pair<int, int> now(b.m_multiplierProgress, panel().GetMultiplier());
    Tick();
    const std::pair<int, int> after(b.m_multiplierProgress, panel().GetMultiplier());
    if (after != now) seen.push_back(after);
  }
  const std::vector<std::pair<int, int>> expected = {{54, 2}, {53, 2}, {52, 2}, {51, 2}, {50, 2}, {50, 1}};
  EXPECT_EQ(seen, expected);
  EXPECT_FLOAT_EQ(ring(), 100.0f);
  b.m_multiTimeDecr = 100000;
  EXPECT_EQ(Click(At(0, 6)), 0);
  EXPECT_EQ(Click(At(4, 6)), MAHJONG_LAYOUT::kEventPairRemoved);
  EXPECT_EQ(panel().GetMultiplier(), 2);
  EXPECT_EQ(b.m_multiplierProgress, 70);

  // Delete-one (the tester's key sets it): the selected tile flies alone for score_one, its popup
  // shows the multiplier progress it gives; its former match then only becomes the selection.
  MAHJONG_CHIP* lone = At(2, 6);
  MAHJONG_CHIP* match = At(10, 6);
  EXPECT_EQ(Click(lone), 0);
  ASSERT_EQ(b.m_selectedChip, lone);
  b.m_deleteAny = true;
  const int score = panel().GetScore();
  EXPECT_EQ(Click(lone), 0);
  EXPECT_TRUE(lone->m_removing);
  EXPECT_FALSE(b.m_deleteAny);
  EXPECT_EQ(panel().GetScore(), score + 10);
  EXPECT_EQ(lone->m_points, 30);
  EXPECT_EQ(b.m_multiplierProgress, 100);
  EXPECT_EQ(Click(match), 0);
  EXPECT_EQ(b.m_selectedChip, match);
  EXPECT_EQ(panel().GetScore(), score + 10);
}

// The clock's text, the tips it finds, and the pause panel with every button's code; the slots.
TEST_F(PlayStep, ClockTipsPausePanelAndSkillSlot) {
  Begin(ScoringLevel());
  MAHJONG_LAYOUT& b = *board;
  b.m_elapsed = 59.88f;
  Tick();
  EXPECT_EQ(b.m_timeText, "00:59");
  b.m_elapsed = 599.995f;
  Tick();
  EXPECT_EQ(b.m_timeText, "10:00");
  b.m_elapsed = 6000.0f;
  Tick();
  EXPECT_EQ(b.m_timeText, "100:00");

  // A tip every 0.25 s: a pair of special tiles first.
  b.m_tipPeriod = 0.25f;
  for (int n = 0; n < 30 && b.m_tipChipA == nullptr; ++n) Tick();
  ASSERT_NE(b.m_tipChipA, nullptr);
  EXPECT_TRUE(b.m_tipChipA->m_isSpecial && b.m_tipChipB->m_isSpecial);
  EXPECT_TRUE(b.m_tipChipA->isMatch(b.m_tipChipB));
  b.m_tipPeriod = 0.0f;

  // Escape pauses (with the click sound) and the darkening fades in; nothing runs while paused.
  Hush();
  EXPECT_EQ(Key(kEscape), 0);
  EXPECT_TRUE(panel().isPaused());
  EXPECT_TRUE(Played("button_click.ogg"));
  EXPECT_EQ(b.m_boardFader.target, b.m_darkSprite);
  EXPECT_TRUE(b.m_boardFader.direction);
  const float elapsed = b.m_elapsed;
  for (int n = 0; n < 10; ++n) EXPECT_EQ(Tick(), 0);
  EXPECT_EQ(b.m_elapsed, elapsed);

  const std::pair<QOR::QC_IMAGE_BUTTON*, int> buttons[] = {{panel().replayButton, MAHJONG_LAYOUT::kEventReplay},
                                                           {panel().mainMenuButton, MAHJONG_LAYOUT::kEventMainMenu},
                                                           {panel().optionsButton, MAHJONG_LAYOUT::kEventOptions},
                                                           {panel().tutorialsButton, MAHJONG_LAYOUT::kEventTutorials}};
  bool byMenuButton = false;
  for (const auto& button : buttons) {
    if (!panel().isPaused()) {
      // Paused again by the menu button or by Escape, in turn.
      EXPECT_EQ(byMenuButton ? Click(panel().menuButton) : Key(kEscape), 0);
      byMenuButton = !byMenuButton;
    }
    ASSERT_TRUE(panel().isPaused());
    Hush();
    EXPECT_EQ(Click(button.first), button.second);
    EXPECT_FALSE(panel().isPaused());
    EXPECT_TRUE(Played("button_click.ogg"));
    EXPECT_FALSE(b.m_boardFader.direction) << "the darkening fades out";
  }
  // A click on the board (away from the pause buttons) while paused only unpauses.
  EXPECT_EQ(Key(kEscape), 0);
  EXPECT_EQ(Click(At(16, 2)), 0);
  EXPECT_FALSE(panel().isPaused());
  EXPECT_EQ(b.m_selectedChip, nullptr);

  // The skill slot switches the darkening of blocked tiles and the profile's option.
  const bool shading = player->m_doTilesShadowing;
  EXPECT_EQ(Click(panel().skillSlot.button), MAHJONG_LAYOUT::kEventSkill);
  EXPECT_EQ(player->m_doTilesShadowing, !shading);
  EXPECT_EQ(b.m_boardFader.target, b.m_blockedOverlay);
  EXPECT_EQ(b.m_boardFader.direction, !shading);
  EXPECT_TRUE(log.hasLine(std::string("darken tiles ") + (shading ? "0" : "1")));
  EXPECT_EQ(Click(panel().skillSlot.button), MAHJONG_LAYOUT::kEventSkill);
  EXPECT_EQ(player->m_doTilesShadowing, shading);
}

// The bonus slot's shuffle: the tiles slide out, are dealt again solvably with the same special
// tiles and move count, and drop back on their cells; the slot recharges pair by pair. Records
// are found by their id wherever they stand in the profile.
TEST_F(PlayStep, ShuffleBonusAndRecharge) {
  Begin("", "pk2lv5.xml", 5);
  MAHJONG_LAYOUT& b = *board;
  std::rotate(player->m_bonuses.begin(), player->m_bonuses.begin() + 2, player->m_bonuses.end());
  ASSERT_EQ(player->m_bonuses[3].id, 2);
  PLAYER_BONUS* shuffle = b.FindBonus(2);
  ASSERT_EQ(shuffle, &player->m_bonuses[3]);
  ASSERT_GT(shuffle->recover, 0);
  ASSERT_EQ(shuffle->charge, shuffle->recover) << "bonuses start full";
  ASSERT_TRUE(b.m_bonusUsable);

  const int moveCount = b.m_dealMoveCount;
  std::map<MAHJONG_CHIP*, std::pair<QOR::QS_VEC2, bool>> before;
  for (MAHJONG_CHIP* chip : b.GetChips()) before[chip] = {chip->GetPosition(), chip->m_isSpecial};
  std::map<MAHJONG_CHIP*, int> faces;
  for (MAHJONG_CHIP* chip : b.GetChips()) faces[chip] = chip->m_type;
  Hush();
  b.m_availableMoves = 100;  // stale, as the game flow leaves it when it takes the shuffle
  EXPECT_EQ(Click(panel().bonusSlot.button), MAHJONG_LAYOUT::kEventShuffle);
  EXPECT_TRUE(Played("use_bonus_shuffle.ogg"));
  EXPECT_EQ(shuffle->charge, 0);
  EXPECT_EQ(player->m_totalBonusUsed, 1);
  EXPECT_EQ(panel().bonusSlot.button->fGetState(), 4);
  EXPECT_FALSE(b.m_bonusUsable);
  EXPECT_TRUE(b.m_slideTween.active);
  EXPECT_FALSE(b.ShuffleChips()) << "sliding out";
  Land();
  EXPECT_TRUE(log.hasLine("tosschips start ----------------"));
  EXPECT_TRUE(log.hasLine("chips before SHUFFLE: " + std::to_string(before.size()) +
                          " CHIPS AFTER: " + std::to_string(before.size())));
  ASSERT_EQ(b.GetChips().size(), before.size());
  int changed = 0;
  for (MAHJONG_CHIP* chip : b.GetChips()) {
    ASSERT_EQ(before.count(chip), 1u);
    EXPECT_TRUE(chip->GetPosition().x == before[chip].first.x && chip->GetPosition().y == before[chip].first.y);
    EXPECT_EQ(chip->m_isSpecial, before[chip].second);
    changed += chip->m_type != faces[chip] ? 1 : 0;
  }
  EXPECT_GT(changed, 0);
  EXPECT_EQ(b.m_dealMoveCount, moveCount);
  const board_test::REPLAY replay = board_test::Replay(b);
  EXPECT_TRUE(replay.complete);
  EXPECT_EQ(replay.illegalPairs, 0) << replay.firstProblem;
  EXPECT_EQ(replay.specialsLeft, 0);
  // The re-deal counts its moves afresh.
  const int recounted = b.m_availableMoves;
  b.CalcAvailableMoves();
  EXPECT_EQ(recounted, b.m_availableMoves);
  EXPECT_GT(recounted, 0);

  // Recharge: one unit per pair while the slot is used up; full again, the slot flashes.
  shuffle->recover = 2;
  board_test::BOARD_BOT bot(b);
  for (int n = 0; n < 100 && bot.pairs.size() < 2; ++n) {
    bot.BeforeTick();
    bot.AfterTick(Tick());
  }
  ASSERT_EQ(bot.pairs.size(), 2u);
  EXPECT_EQ(shuffle->charge, 2);
  EXPECT_EQ(panel().bonusSlot.flashOn, 1);
  EXPECT_EQ(panel().bonusSlot.button->fGetState(), 0);
  EXPECT_TRUE(b.m_bonusUsable);
  EXPECT_TRUE(Played("bonus_ready.ogg"));

  // The other bonuses start nothing here; an id the profile lacks is ignored.
  EXPECT_FALSE(b.UseBonus(3));
  EXPECT_EQ(b.FindBonus(3)->charge, 0);
  EXPECT_EQ(player->m_totalBonusUsed, 2);
  EXPECT_FALSE(b.m_shuffleRequested);
  EXPECT_FALSE(b.UseBonus(9));
  EXPECT_EQ(player->m_totalBonusUsed, 2);

  // A shuffle taken while a pair is still in the air, the list's first tile among them: the tiles
  // left come back exactly onto their cells. The special tiles are paired first, each with a
  // plain tile that takes its fixed face.
  const std::vector<CELL> row = {
      {0, 2, 0, true, false, 1}, {8, 2, 0, true, false, 1}, {16, 2, 0, false, false}, {24, 2, 0, false, false}};
  Begin(LevelText(row, 0));
  ASSERT_EQ(b.GetChips().front(), At(24, 2));
  MAHJONG_CHIP* const left[2] = {At(0, 2), At(8, 2)};
  const QOR::QS_VEC2 cells[2] = {left[0]->GetPosition(), left[1]->GetPosition()};
  EXPECT_EQ(Click(At(16, 2)), 0);
  EXPECT_EQ(Click(At(24, 2)), MAHJONG_LAYOUT::kEventPairRemoved);
  EXPECT_EQ(Click(panel().bonusSlot.button), MAHJONG_LAYOUT::kEventShuffle);
  EXPECT_TRUE(b.GetChips().front()->m_removing);
  Land();
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(left[i]->GetPosition().x, cells[i].x);
    EXPECT_EQ(left[i]->GetPosition().y, cells[i].y);
  }
}

// Without moves the board says so every tick: 100508 while the shuffle bonus is usable and its
// re-deal could give a move, 100507 once it cannot. The count is redone when a pair lands.
TEST_F(PlayStep, NoMovesWithAndWithoutBonus) {
  MAHJONG_LAYOUT& b = *board;
  // Two free tiles with faces apart: a re-deal could pair them, unless both faces are fixed (one
  // free face can take the other's).
  const std::tuple<bool, bool, bool, int> apart[] = {  // first, second face fixed, bonus usable, event
      {true, true, true, MAHJONG_LAYOUT::kEventNoMoves},
      {true, false, true, MAHJONG_LAYOUT::kEventNoMovesBonus},
      {false, true, true, MAHJONG_LAYOUT::kEventNoMovesBonus},
      {false, false, false, MAHJONG_LAYOUT::kEventNoMoves},
      {false, false, true, MAHJONG_LAYOUT::kEventNoMovesBonus}};
  for (const auto& [first, second, usable, event] : apart) {
    Begin(LevelText({{0, 2, 0, true}, {8, 2}}, 0));
    ASSERT_EQ(b.GetChips().size(), 2u);
    int face = 1;
    for (MAHJONG_CHIP* chip : b.GetChips()) {
      chip->m_fixed = face == 1 ? first : second;
      chip->m_type = face++;
    }
    b.CalcAvailableMoves();
    b.m_bonusUsable = usable;
    EXPECT_EQ(Tick(), event) << first << second << usable;
  }
  // The last one takes the shuffle, whose re-deal gives moves.
  EXPECT_EQ(Click(panel().bonusSlot.button), MAHJONG_LAYOUT::kEventShuffle);
  Land();
  EXPECT_GT(b.m_availableMoves, 0);

  // Two free tiles, and two stacked ones that can never pair (the lower one is special): once the
  // pair has landed no shuffle can help, so the level has failed though the bonus is full.
  const std::vector<CELL> cells = {
      {0, 2, 0, false, false, 1}, {8, 2, 0, false, false, 1}, {16, 2, 0, true, false, 2}, {16, 2, 1, false, false, 2}};
  Begin(LevelText(cells, 0));
  EXPECT_EQ(b.m_availableMoves, 1);
  EXPECT_EQ(Click(At(0, 2)), 0);
  EXPECT_EQ(Click(At(8, 2)), MAHJONG_LAYOUT::kEventPairRemoved);
  EXPECT_TRUE(b.m_bonusUsable);
  EXPECT_EQ(Settle(), MAHJONG_LAYOUT::kEventNoMoves);
  for (int n = 0; n < 5; ++n) EXPECT_EQ(Tick(), MAHJONG_LAYOUT::kEventNoMoves);
  EXPECT_TRUE(log.hasLine("THIS IS THE END!!!!!!!!!"));
  EXPECT_FALSE(b.isLevelFinished());
}

// A board with an odd number of tiles meets its dead end too: a row of three tiles of one face
// (the middle one blocked) beside two lone tiles, one of them special so the level goes on. Once
// the row's outer pair has landed, three tiles are left and none pairs; their faces are fixed, so
// no shuffle could help either.
TEST_F(PlayStep, OddBoardReportsItsDeadEnd) {
  const std::vector<CELL> cells = {{2, 2, 0, false, false, 5},
                                   {4, 2, 0, false, false, 5},
                                   {6, 2, 0, false, false, 5},
                                   {12, 2, 0, true, false, 7},
                                   {20, 2, 0, false, false, 8}};
  Begin(LevelText(cells, 0));
  MAHJONG_LAYOUT& b = *board;
  ASSERT_EQ(b.GetChips().size(), 5u);
  EXPECT_EQ(b.m_availableMoves, 1);
  EXPECT_EQ(Click(At(2, 2)), 0);
  EXPECT_EQ(Click(At(6, 2)), MAHJONG_LAYOUT::kEventPairRemoved);
  EXPECT_EQ(Settle(), MAHJONG_LAYOUT::kEventNoMoves);
  EXPECT_EQ(b.GetChips().size(), 3u);
  EXPECT_EQ(b.m_availableMoves, 0);
  EXPECT_EQ(Tick(), MAHJONG_LAYOUT::kEventNoMoves);
}

// Where two free tiles' faces overlap, the one drawn on top is under the pointer on every tick,
// and the click takes it: a tile one layer up over the lower edge of another, and two tiles of one
// layer half a tile apart both ways (the later of the two in the drawing order is on top).
TEST_F(PlayStep, OverlappingFreeTilesHoverTheOneOnTop) {
  const std::vector<CELL> cells = {{2, 2, 0, false, false, 3},   {3, 4, 1, false, false, 4},
                                   {10, 2, 0, false, false, 5},  {11, 3, 0, false, false, 6},
                                   {20, 10, 0, false, false, 9}, {24, 10, 0, false, false, 9}};
  Begin(LevelText(cells, 0));
  MAHJONG_LAYOUT& b = *board;
  const auto index = [&](const MAHJONG_CHIP* chip) {
    return std::find(b.GetChips().begin(), b.GetChips().end(), chip) - b.GetChips().begin();
  };
  MAHJONG_CHIP* sameLayerTop = index(At(10, 2)) > index(At(11, 3)) ? At(10, 2) : At(11, 3);
  const struct {
    MAHJONG_CHIP* below;
    MAHJONG_CHIP* top;
  } overlaps[] = {{At(2, 2), At(3, 4, 1)}, {sameLayerTop == At(10, 2) ? At(11, 3) : At(10, 2), sameLayerTop}};
  for (const auto& overlap : overlaps) {
    ASSERT_NE(overlap.below, nullptr);
    ASSERT_NE(overlap.top, nullptr);
    ASSERT_TRUE(overlap.below->bFreee && overlap.top->bFreee);
    const board_test::RECT a = board_test::FaceRect(*overlap.below, 1);
    const board_test::RECT c = board_test::FaceRect(*overlap.top, 1);
    const int x = (std::max(a.left, c.left) + std::min(a.right, c.right)) / 2;
    const int y = (std::max(a.top, c.top) + std::min(a.bottom, c.bottom)) / 2;
    ASSERT_TRUE(a.contains(x, y) && c.contains(x, y));
    Mouse(x, y);
    std::string hovered;
    for (int n = 0; n < 8; ++n) {
      Tick();
      hovered += b.m_hoverChip == overlap.top ? "T" : (b.m_hoverChip == overlap.below ? "B" : "-");
    }
    EXPECT_EQ(hovered, "TTTTTTTT");
    EXPECT_EQ(ClickAt(x, y), 0);
    EXPECT_EQ(b.m_selectedChip, overlap.top);
  }
}

// The board takes a click wherever the level check counts a face as seen: on every cell of every
// layer the check accepts, a click on the middle of the face selects its tile, even above the
// board's grid; a click on the menu button over a tile's face stays the button's. A level whose
// tower reaches up between the top bars is played to its end by clicks on its faces.
TEST_F(PlayStep, EveryFaceTheCheckAcceptsTakesClicks) {
  Begin(LevelText({{2, 2, 0}, {6, 2, 0}}, 0));
  MAHJONG_LAYOUT& b = *board;
  const BOARD_VIEW view = b.PlayView();
  const float halfX = static_cast<float>(tileMetrics.sizeX / 2);
  const float halfY = static_cast<float>(tileMetrics.sizeY / 2);
  const auto place = [&](int gx, int gy, int layer) {
    auto* chip = new MAHJONG_CHIP(b.GetFaceAtlas(), b.GetOrigin() + QOR::QS_VEC2(gx * halfX, gy * halfY), layer,
                                  false, false);
    chip->m_type = 5;
    b.AddChip(chip);
  };
  int clicks = 0;
  for (int layer = 0; layer <= MAHJONG_BOARD::kMaxLayer; ++layer) {
    // Tiles four half tiles apart across and a tile apart down: none beside another, all free.
    for (int start = 0; start < 8; ++start) {
      b.DeleteAllChips();
      std::vector<std::pair<int, int>> cells;
      for (int gy = start / 4; gy <= 2 * tileMetrics.rows; gy += 2) {
        for (int gx = start % 4; gx <= 2 * tileMetrics.columns; gx += 4) {
          if (!view.isSeen(gx, gy, layer)) continue;
          place(gx, gy, layer);
          cells.emplace_back(gx, gy);
        }
      }
      // A partner below, so the board has a move (the tiles above it win the pointer).
      if (cells.size() == 1) place(16, 8, 0);
      b.UpdateAllFree();
      b.CalcAvailableMoves();
      for (const auto& [gx, gy] : cells) {
        const BOARD_AREA face = view.FaceArea(gx, gy, layer);
        b.m_selectedChip = nullptr;
        ClickAt(static_cast<int>((face.left + face.right) / 2.0f), static_cast<int>((face.top + face.bottom) / 2.0f));
        ASSERT_EQ(b.m_selectedChip, At(gx, gy, layer)) << gx << ", " << gy << ", layer " << layer;
        ++clicks;
      }
    }
  }
  EXPECT_GT(clicks, 20000);

  // A tile whose face reaches under the round menu button: a click on the button there pauses the
  // board and selects nothing.
  b.DeleteAllChips();
  ASSERT_TRUE(view.isSeen(0, 0, 2));
  place(0, 0, 2);
  place(8, 8, 0);
  b.UpdateAllFree();
  b.CalcAvailableMoves();
  const QOR::QS_VEC2 button = panel().menuButton->fGetPosition();
  const int x = static_cast<int>(button.x);
  const int y = static_cast<int>(view.FaceArea(0, 0, 2).top) + 10;
  ASSERT_TRUE(board_test::FaceRect(*At(0, 0, 2), 1).contains(x, y));
  b.m_selectedChip = nullptr;
  ClickAt(x, y);
  EXPECT_TRUE(panel().isPaused());
  EXPECT_EQ(b.m_selectedChip, nullptr);
  ClickAt(2, 2);
  ASSERT_FALSE(panel().isPaused());

  // The designer's level: a tower of 15 at the top row's middle, each of its tiles beside as many
  // single tiles; checked, dealt and played to its end.
  std::vector<CELL> cells;
  for (int layer = 0; layer < 15; ++layer) cells.push_back({15, 1, layer});
  for (int k = 0; k < 15; ++k) cells.push_back({2 + k % 8 * 4, 8 + k / 8 * 4, 0});
  std::filesystem::create_directories(MAHJONG_LEVELS::Folder());
  qor_test::fWriteBytes(MAHJONG_LEVELS::Folder() + "pk1lv1.xml", LevelText(cells, 0));
  Begin("", "pk1lv1.xml");
  ASSERT_TRUE(log.contains("Level pk1lv1.xml read from ")) << "the check refused it";
  ASSERT_EQ(b.GetChips().size(), cells.size());
  board_test::BOARD_BOT bot(b);
  bot.PlayOut(40000);
  EXPECT_TRUE(b.isLevelFinished());
  EXPECT_EQ(bot.hiddenTargets, 0);
}

// Each points popup draws with the font's own colour and its own alpha: one fading in, one held
// after it, and none of them golden after the special view's hint; the font is left as it was.
TEST_F(PlayStep, PointsPopupsDrawInTheirOwnColour) {
  Begin(ScoringLevel());
  MAHJONG_LAYOUT& b = *board;
  QOR::QC_FONT* font = b.GetFont();
  constexpr std::uint32_t kOwn = 0xFF20C040u;
  font->fSetColor(kOwn);
  b.m_ptsFadeTime = 1.0f;
  b.m_ptsDelayTime = 1.0f;
  // The fading one comes first in the list: the held one is drawn after it.
  b.GetChips()[0]->m_points = 20;
  b.GetChips()[0]->m_popupTime = 0.5f;
  b.GetChips()[1]->m_points = 40;
  b.GetChips()[1]->m_popupTime = 1.5f;
  b.m_hintText = L"hint";
  // The alphas drawn in the font's own colour, over one frame.
  const auto frame = [&] {
    host_test::fRecordedCalls().clear();
    EXPECT_EQ(QOR::qcRENDER->BeginScene(), 1);
    b.Render(false, font, nullptr);
    QOR::qcRENDER->fFlush();
    std::set<std::uint32_t> alphas;
    for (const host_test::RecordedCall& call : host_test::fRecordedCalls()) {
      if (call.name != "DrawIndexedPrimitive" && call.name != "DrawPrimitive") continue;
      for (std::size_t at = 24; call.stride == 36 && at + 4 <= call.vertices.size(); at += 36) {
        std::uint32_t color = 0;
        std::memcpy(&color, call.vertices.data() + at, sizeof(color));
        if ((color & 0x00FFFFFFu) == (kOwn & 0x00FFFFFFu)) alphas.insert(color >> 24);
      }
    }
    QOR::qcRENDER->EndScene();
    return alphas;
  };
  EXPECT_EQ(frame(), (std::set<std::uint32_t>{127u, 255u}));
  b.m_specialView = true;
  frame();
  b.m_specialView = false;
  EXPECT_EQ(frame(), (std::set<std::uint32_t>{127u, 255u})) << "the hint's gold stays with the hint";
  EXPECT_EQ(font->fGetColor(), kOwn);
}

// The level ends on the tick its last special tile lands, with ordinary tiles left: the end bonus
// for each of them, the pay into the profile, the stars, the sound and the saved file. After that
// the board takes no more clicks.
TEST_F(PlayStep, LastSpecialTileEndsTheLevel) {
  const std::vector<CELL> cells = {{0, 2, 0, true, false, 3},   {8, 2, 0, true, false, 3},  {16, 2, 0, false, false, 4},
                                   {24, 2, 0, false, false, 4}, {0, 8, 0, false, false, 9}, {8, 8, 0, false, false, 9}};
  Begin(LevelText(cells, 0));
  MAHJONG_LAYOUT& b = *board;
  player->m_totalScore = 1000;
  player->m_money = 50;
  ASSERT_EQ(player->m_levels[0], -1);
  Hush();
  EXPECT_EQ(Click(At(0, 2)), 0);
  EXPECT_EQ(Click(At(8, 2)), MAHJONG_LAYOUT::kEventPairRemoved);
  EXPECT_TRUE(b.isLevelComplete()) << "no special tile is left outside a flight";
  EXPECT_FALSE(b.isLevelFinished()) << "the level ends when they land";
  // The level ends as the first of the two lands: its partner, still in flight, is on the board.
  int event = 0;
  for (int n = 0; n < 600 && event == 0; ++n) event = Tick();
  EXPECT_EQ(event, MAHJONG_LAYOUT::kEventLevelComplete);
  EXPECT_TRUE(b.isLevelFinished());
  EXPECT_EQ(b.GetChips().size(), 5u);
  const int points = 100 + 5 * 5;
  Settle();
  EXPECT_EQ(b.GetChips().size(), 4u) << "what was in the air lands";
  EXPECT_EQ(panel().GetScore(), points);
  EXPECT_EQ(player->m_totalScore, 1000 + points);
  EXPECT_EQ(player->m_money, 50 + points);
  EXPECT_EQ(b.GetStars(), 1);
  EXPECT_EQ(player->m_levels[0], 1);
  EXPECT_FLOAT_EQ(player->m_XP, 1.0f);
  EXPECT_TRUE(Played("level_normal.ogg"));
  EXPECT_TRUE(log.hasLine("You gain 1 star(s)! 1"));
  MAHJONG_PLAYER saved(player->m_filePath, L"Player");
  EXPECT_EQ(saved.m_levels[0], 1);
  EXPECT_EQ(saved.m_totalScore, 1000 + points);

  // Over: clicks and flights change nothing more.
  EXPECT_EQ(Click(At(16, 2)), 0);
  EXPECT_EQ(Click(At(24, 2)), 0);
  EXPECT_EQ(b.m_movesMade, 1);
  EXPECT_EQ(panel().GetScore(), points);
  b.FinishLevel();
  EXPECT_EQ(player->m_totalScore, 1000 + points) << "the level end runs once";
}

}  // namespace
