// The board under a player's hands while it moves. Over shipped levels, a road through every
// motion (the level's drop-in, a shuffle's slide-out and drop-in, a tile-set change's slide-out and
// drop-in, the special view's layer fades) clicks a tile's face on every tick, sweeping over all
// tiles and now and then completing a pair: no tick ever shows a covered tile free, and whenever
// the board stands still every tile lies on its cell. Then a shuffle is started at each moment of
// that road: every tile lands on its cell and the re-deal replays as a legal solution.
#include "tests/game/board/play_test_kit.h"

#include <map>
#include <string>

namespace {

using board_test::FaceRect;
using board_test::RECT;

class MotionClicks : public board_test::PlayTest {
 protected:
  enum STAGE { kLevelDropIn, kShuffle, kTileSetChange, kLayerFades, kDone };

  // Starts the level as the levels screen does and remembers each tile's cell as the level file
  // puts it.
  void Start(int pack, int level, std::uint32_t seed) {
    random.fSetSeed(seed);
    board->LoadLevel("pk" + std::to_string(pack) + "lv" + std::to_string(level) + ".xml");
    cells.clear();
    for (MAHJONG_CHIP* chip : board->GetChips()) cells[chip] = chip->GetPosition();
    board->m_factorBase = 1;
    board->m_scoreFactor = 1;
    board->StartLevel(pack, level);
    panel().SettleOnScreen();
    stage = kLevelDropIn;
    ticks = 0;
    tileSetChange = false;
    pairsInMotion = 0;
  }

  bool Moving() const {
    const MAHJONG_LAYOUT& b = *board;
    return b.m_dropTween.active || b.m_slideTween.active || b.m_shuffleRequested || b.m_layerFadeRunning ||
           b.m_specialView || tileSetChange;
  }

  // One tick of the game screen, in its order: a tile-set change drops the tiles back in once they
  // have slid out.
  int Step() {
    MAHJONG_LAYOUT& b = *board;
    b.UpdateEffects();
    b.UpdateDropIn();
    if (b.ShuffleChips() && tileSetChange) {
      tileSetChange = false;
      tileSet = tileSet == "2" ? "1" : "2";
      b.LoadTilesXml(tileSet);
      b.StartDropIn();
    }
    const int event = b.Update();
    QOR::qcCurrentInput->fUpdate();
    ++ticks;
    return event;
  }

  // Starts the road's next motion (the board stands still); false at the road's end.
  bool NextStage() {
    stage = static_cast<STAGE>(stage + 1);
    if (stage == kShuffle) board->StartShuffle();
    if (stage == kTileSetChange) {
      board->StartSlideOut();
      tileSetChange = true;
    }
    if (stage == kLayerFades) board->ShowSpecial();
    return stage != kDone;
  }

  // A click (pressed and released before the tick) on the middle of the chip's face as it is
  // shown now; none when that lies off the board.
  void ClickFace(const MAHJONG_CHIP& chip) {
    const RECT face = FaceRect(chip, 1);
    const int x = (face.left + face.right) / 2;
    const int y = (face.top + face.bottom) / 2;
    const QOR::QS_VEC2 origin = board->GetOrigin();
    if (y < origin.y || y > origin.y + static_cast<float>(tileMetrics.rows * tileMetrics.sizeY)) return;
    Mouse(x, y);
    QOR::qcCurrentInput->fKeyDown(board_test::kMouseLeft);
    QOR::qcCurrentInput->fKeyUp(board_test::kMouseLeft);
  }

  // The road's click of this tick: a sweep over every tile's face, and every 24th tick the first
  // ordinary tile whose face matches the selected ordinary one (free or not: the board decides).
  // Special tiles are only selected, so the level lasts the whole road.
  void RoadClick() {
    std::vector<MAHJONG_CHIP*> standing;
    for (MAHJONG_CHIP* chip : board->GetChips())
      if (!chip->m_removing) standing.push_back(chip);
    if (standing.empty()) return;
    const MAHJONG_CHIP* selected = board->m_selectedChip;
    if (ticks % 24 == 23 && selected != nullptr && !selected->m_isSpecial) {
      for (MAHJONG_CHIP* chip : standing) {
        if (chip != selected && !chip->m_isSpecial && chip->m_type == selected->m_type) {
          ClickFace(*chip);
          return;
        }
      }
    }
    ClickFace(*standing[(static_cast<std::size_t>(ticks) * 7) % standing.size()]);
  }

  // The first tile whose free flag differs from the rule applied to the tiles on their cells (a
  // fresh board of the tiles not in flight, each placed on its cell); empty when none does.
  std::string FlagAgainstCells() const {
    MAHJONG_BOARD landed;
    std::map<const MAHJONG_CHIP*, MAHJONG_CHIP*> twin;
    for (const MAHJONG_CHIP* chip : board->GetChips()) {
      if (chip->m_removing) continue;
      auto* copy = new MAHJONG_CHIP(nullptr, cells.at(chip), chip->m_layer, false, false);
      landed.AddChip(copy);
      twin[chip] = copy;
    }
    landed.UpdateAllFree();
    for (const auto& [chip, copy] : twin) {
      if (chip->bFreee != copy->bFreee) {
        return std::string(chip->bFreee ? "a covered tile shown free" : "a free tile shown blocked") + " on layer " +
               std::to_string(chip->m_layer) + ", tick " + std::to_string(ticks) + ", stage " + std::to_string(stage);
      }
    }
    return std::string();
  }

  // The first tile not on its cell (shadow included); empty when all are.
  std::string OffCell() const {
    for (const MAHJONG_CHIP* chip : board->GetChips()) {
      if (chip->m_removing) continue;
      const QOR::QS_VEC2 cell = cells.at(chip);
      const QOR::QS_VEC2 at = chip->GetPosition();
      const QOR::QS_VEC2 home = chip->GetHomePosition();
      if (at.x != cell.x || at.y != cell.y || home.x != cell.x || home.y != cell.y) {
        return "a tile " + std::to_string(at.y - cell.y) + " px off its cell, tick " + std::to_string(ticks);
      }
    }
    return std::string();
  }

  // The road with a click on every tick, each tick checked; stops after maxTicks ticks (the road's
  // end when negative). The number of ticks run.
  int RunRoad(int maxTicks, bool check) {
    while (stage != kDone && (maxTicks < 0 || ticks < maxTicks) && !board->isLevelFinished()) {
      if (!Moving()) {
        if (check) {
          EXPECT_EQ(OffCell(), "") << "the board stands still before stage " << stage;
        }
        if (!NextStage()) break;
      }
      RoadClick();
      const int event = Step();
      if (event == MAHJONG_LAYOUT::kEventPairRemoved && Moving()) ++pairsInMotion;
      if (check) {
        const std::string wrong = FlagAgainstCells();
        if (!wrong.empty()) {
          ADD_FAILURE() << wrong;
          return ticks;
        }
      }
    }
    return ticks;
  }

  // Ticks with no click until the board stands still (a click on the board wakes a waiting special
  // view); false when it never does.
  bool RunOut() {
    for (int n = 0; n < 3000; ++n) {
      if (!Moving()) return true;
      if (board->m_specialView && !board->m_layerFadeRunning) {
        ClickAt(static_cast<int>(board->GetOrigin().x) + 1, static_cast<int>(board->GetOrigin().y) + 1);
        continue;
      }
      Mouse(2, 2);
      Step();
    }
    return false;
  }

  std::map<const MAHJONG_CHIP*, QOR::QS_VEC2> cells;
  STAGE stage = kLevelDropIn;
  int ticks = 0;
  bool tileSetChange = false;
  std::string tileSet = "2";
  int pairsInMotion = 0;
};

struct ROAD_LEVEL {
  int pack;
  int level;
  std::uint32_t seed;
};
// A small level, a middle one and the largest.
const ROAD_LEVEL kRoadLevels[] = {{2, 5, 11}, {6, 20, 5}, {4, 12, 3}};

TEST_F(MotionClicks, ClicksOnEveryTickOfEveryMotion) {
  for (const ROAD_LEVEL& road : kRoadLevels) {
    SCOPED_TRACE("pk" + std::to_string(road.pack) + "lv" + std::to_string(road.level));
    Start(road.pack, road.level, road.seed);
    RunRoad(-1, true);
    EXPECT_EQ(stage, kDone) << "the road ran through every motion";
    EXPECT_GT(pairsInMotion, 2) << "pairs were taken while the board moved";
    EXPECT_EQ(OffCell(), "");
  }
}

TEST_F(MotionClicks, ShufflesStartedAtEveryMoment) {
  for (const ROAD_LEVEL& road : kRoadLevels) {
    SCOPED_TRACE("pk" + std::to_string(road.pack) + "lv" + std::to_string(road.level));
    Start(road.pack, road.level, road.seed);
    const int length = RunRoad(-1, false);
    // Every third tick of the road (every tick would only repeat its neighbours).
    for (int at = 0; at < length; at += 3) {
      SCOPED_TRACE("shuffle at tick " + std::to_string(at));
      Start(road.pack, road.level, road.seed);
      RunRoad(at, false);
      if (board->isLevelFinished()) break;
      board->StartShuffle();
      ASSERT_TRUE(RunOut());
      ASSERT_EQ(OffCell(), "");
      ASSERT_EQ(FlagAgainstCells(), "");
      const board_test::REPLAY replay = board_test::Replay(*board);
      ASSERT_TRUE(replay.complete);
      ASSERT_EQ(replay.illegalPairs, 0) << replay.firstProblem;
      log.clear();
    }
  }
}

}  // namespace
