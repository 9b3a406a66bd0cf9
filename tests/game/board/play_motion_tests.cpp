// What moves and fades on the board: the drop-in layer by layer with the click that speeds it up,
// the darkening and the special view's phases, and play with every timing of the data at zero.
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "gui/widgets/qc_gui_animation_bar.h"
#include "tests/game/board/play_test_kit.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace {

using board_test::CELL;
using board_test::LevelText;

class PlayMotion : public board_test::PlayTest {};

// Three layers; a tile two layers up with nothing between; one special tile.
const std::vector<CELL> kTower = {{0, 4, 0, true}, {2, 4, 0}, {4, 4, 0},  {10, 4, 0}, {12, 4, 0},
                                  {20, 4, 0},      {2, 4, 1}, {11, 4, 1}, {2, 4, 2},  {20, 4, 2}};

// Each layer falls as one piece after its delay, the upper ones waiting above the screen; a click
// shortens the fall of the layers still to come; every tile lands exactly on its cell. A moves
// task of value 0 takes the deal's move count.
TEST_F(PlayMotion, DropInLayerByLayer) {
  MAHJONG_LAYOUT& b = *board;
  b.LoadFxParams();
  ASSERT_TRUE(board_test::Load(b, LevelText(kTower, 0)));
  std::map<MAHJONG_CHIP*, QOR::QS_VEC2> cells;
  for (MAHJONG_CHIP* chip : b.GetChips()) cells[chip] = chip->GetPosition();
  b.m_task2Type = kTaskMoves;
  b.m_scoreFactor = 1;
  b.StartLevel(1, 3);
  EXPECT_GT(b.m_dealMoveCount, 0);
  EXPECT_EQ(b.m_task2Value, b.m_dealMoveCount);
  EXPECT_TRUE(log.hasLine("task_2_val= " + std::to_string(b.m_dealMoveCount)));
  for (MAHJONG_CHIP* chip : b.GetChips()) ASSERT_FLOAT_EQ(chip->GetPosition().y, cells[chip].y - 768.0f);

  const auto offset = [&](int layer) {
    float most = 0.0f;
    for (MAHJONG_CHIP* chip : b.GetChips())
      if (chip->m_layer == layer) most = std::max(most, std::fabs(chip->GetPosition().y - cells[chip].y));
    return most;
  };
  Mouse(2, 2);
  // The first layer waits show_layers_delay, then falls while the others wait above.
  Tick();
  EXPECT_FLOAT_EQ(offset(0), 768.0f);
  for (int n = 0; n < 12; ++n) Tick();
  EXPECT_LT(offset(0), 768.0f);
  EXPECT_EQ(b.m_dropLayer, 0);
  EXPECT_FLOAT_EQ(offset(1), 768.0f);
  // A click during the first layer's fall.
  QOR::qcCurrentInput->fKeyDown(board_test::kMouseLeft);
  Tick();
  QOR::qcCurrentInput->fKeyUp(board_test::kMouseLeft);
  Tick();
  for (int n = 0; n < 200 && b.m_dropLayer == 0; ++n) Tick();
  ASSERT_EQ(b.m_dropLayer, 1);
  EXPECT_EQ(offset(0), 0.0f) << "the first layer lies exactly on its cells";
  EXPECT_NEAR(b.m_dropTween.duration, 0.6f * (1.0f - 0.6f), 1e-5f);
  EXPECT_FLOAT_EQ(offset(2), 768.0f);
  Land();
  for (MAHJONG_CHIP* chip : b.GetChips()) {
    EXPECT_EQ(chip->GetPosition().x, cells[chip].x);
    EXPECT_EQ(chip->GetPosition().y, cells[chip].y);
    EXPECT_EQ(chip->GetHomePosition().y, cells[chip].y);
  }
  EXPECT_EQ(b.m_dropSpeedUp, 0.0f) << "idle again";
}

// Darkening of blocked tiles fades the overlay in; the special view hides the layers from the top
// one by one, waits for a click and brings them back from the bottom.
TEST_F(PlayMotion, DarkeningAndSpecialView) {
  Begin(LevelText(kTower, 0));
  MAHJONG_LAYOUT& b = *board;
  b.DarkenTiles(true);
  EXPECT_TRUE(log.hasLine("darken tiles 1"));
  EXPECT_EQ(b.m_blockedOverlay->fGetVertexColor(0) >> 24, 0u);
  for (int n = 0; n < 40; ++n) Tick();
  EXPECT_EQ(b.m_blockedOverlay->fGetVertexColor(0) >> 24, 255u);

  // Phase lengths that the frames overshoot: the alpha still stays within its range.
  b.m_hideSpeed = b.m_showSpeed = 0.34f;
  b.ShowSpecial();
  EXPECT_EQ(b.m_fadeLayer, 2);
  // Layers visited and whether each layer's alpha only moved one way.
  const auto phase = [&](bool hiding, int limit) {
    std::vector<int> layers;
    int last = -1;
    for (int n = 0; n < limit && b.m_specialView != hiding; ++n) {
      const int layer = b.m_fadeLayer;
      Tick();
      if (b.m_specialView != !hiding && hiding) break;
      if (layers.empty() || layers.back() != b.m_fadeLayer) layers.push_back(b.m_fadeLayer);
      if (b.m_fadeLayer == layer && last >= 0) {
        EXPECT_TRUE(hiding ? b.m_fadeAlpha <= last : b.m_fadeAlpha >= last) << int(b.m_fadeAlpha) << " after " << last;
      }
      last = b.m_fadeLayer == layer ? b.m_fadeAlpha : -1;
    }
    return layers;
  };
  EXPECT_EQ(phase(true, 400), (std::vector<int>{2, 1, 0}));
  ASSERT_TRUE(b.m_specialView);
  EXPECT_FALSE(b.m_layerFadeRunning);
  for (int n = 0; n < 30; ++n) Tick();
  EXPECT_TRUE(b.m_specialView) << "the board waits for a click";

  // A click on the board starts the way back; the layers return from the bottom.
  const MAHJONG_CHIP* special = nullptr;
  for (const MAHJONG_CHIP* chip : b.GetChips())
    if (chip->m_isSpecial) special = chip;
  ASSERT_NE(special, nullptr);
  Click(special);
  EXPECT_TRUE(b.m_layerFadeRunning);
  EXPECT_EQ(phase(false, 400), (std::vector<int>{-1, 0, 1, 2, 3}));
  EXPECT_FALSE(b.m_specialView);
  EXPECT_FALSE(b.m_layerFadeRunning);
}

// Timings and multiplier rules of zero (or nonsense) in the data: every motion lands on its first
// step, every fade jumps, nothing divides by zero, and a level still plays to its end, drawn every
// tick.
TEST_F(PlayMotion, ZeroTimingsStillPlay) {
  showLevelTime = 0.0f;
  hideLevelTime = 0.0f;
  Begin("", "pk1lv4.xml", 4);
  MAHJONG_LAYOUT& b = *board;
  // A drop-in of no length lands at once.
  for (const MAHJONG_CHIP* chip : b.GetChips()) {
    ASSERT_GE(chip->GetPosition().y, b.GetOrigin().y);
    ASSERT_LE(chip->GetPosition().y, b.GetOrigin().y + 8.0f * 76.0f);
  }
  b.m_showLayersDelay = 0.0f;
  b.m_showLevelSpeedUp = 5.0f;
  b.m_removeCurve.duration = 0.0f;
  b.m_hideSpeed = b.m_showSpeed = b.m_hideLayerDelay = b.m_showDelay = 0.0f;
  b.m_ptsFadeTime = b.m_ptsDelayTime = 0.0f;
  b.m_darkenTilesDuration = b.m_highlighTileDuration = b.m_borderAlphaDuration = 0.0f;
  b.m_multiIncrAp = 0;
  b.m_multiPair = 0;
  b.m_multiTimeDecr = 0;
  panel().multFlash.fadeTime = panel().multFlash.holdTime = 0.0f;

  // A shuffle whose fall a click would make shorter than nothing.
  showLevelTime = 0.1f;
  const std::size_t tiles = b.GetChips().size();
  b.StartShuffle();
  int ticks = 0;
  for (; ticks < 50 && (b.m_slideTween.active || b.m_dropTween.active || b.m_shuffleRequested); ++ticks) {
    QOR::qcCurrentInput->fKeyDown(board_test::kMouseLeft);
    QOR::qcCurrentInput->fKeyUp(board_test::kMouseLeft);
    Tick();
  }
  EXPECT_LT(ticks, 30) << "a shuffle of no length";
  EXPECT_FLOAT_EQ(b.m_dropTween.duration, MAHJONG_LAYOUT::kShortestMotion);
  EXPECT_EQ(b.GetChips().size(), tiles);
  b.ShowSpecial();
  for (ticks = 0; ticks < 50 && !b.m_specialView; ++ticks) Tick();
  EXPECT_TRUE(b.m_specialView);
  b.DarkenTiles(true);
  EXPECT_EQ(b.m_blockedOverlay->fGetVertexColor(0) >> 24, 255u);

  board_test::BOARD_BOT bot(b);
  for (ticks = 0; ticks < 5000 && !b.isLevelFinished(); ++ticks) {
    bot.BeforeTick();
    bot.AfterTick(Tick());
    ASSERT_TRUE(std::isfinite(panel().multRing->fGetPercent()));
    ASSERT_EQ(QOR::qcRENDER->BeginScene(), 1);
    b.Render(true, b.GetFont(), nullptr);
    b.RenderHud(b.GetFont());
    QOR::qcRENDER->EndScene();
  }
  ASSERT_TRUE(b.isLevelFinished());
  EXPECT_EQ(bot.events.back(), MAHJONG_LAYOUT::kEventLevelComplete);
  EXPECT_GE(panel().GetMultiplier(), 1);
  EXPECT_EQ(panel().multRing->fGetPercent(), 0.0f);
  for (const MAHJONG_CHIP* chip : b.GetChips()) EXPECT_FALSE(chip->m_isSpecial && !chip->m_removing);
}

}  // namespace
