// A shipped level played to its end on real OpenGL (SDL's offscreen driver with Mesa): the bot
// clicks through the real input state, every tick's frame is drawn (board, flights, popups,
// panel), and the pictures read back show the board emptying where its tiles were taken.
#include "engine/platform/qc_input.h"
#include "engine/platform/qc_random.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_player.h"
#include "game/board/pack_passwords.h"
#include "tests/game/board/board_bot.h"
#include "tests/game/board/board_gl_kit.h"
#include "tests/game/kit/game_services.h"
#include "tests/host/image_bytes.h"
#include "tests/kit/gl_readback.h"
#include "tests/kit/log_capture.h"
#include "tests/kit/test_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>

namespace {

using board_test::Screen;

int Brightness(std::uint32_t rgb) {
  return static_cast<int>(((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF));
}

class PlayGl : public board_test::BoardGlTest {
 protected:
  void SetUp() override {
    BoardGlTest::SetUp();
    input = std::make_unique<QOR::QC_INPUT>();
    showLevelTime = 0.6f;
    hideLevelTime = 0.5f;
    QOR::qcFrameTime = 1.0f / 60.0f;
  }
  void TearDown() override {
    showLevelTime = hideLevelTime = 0.0f;
    input.reset();
    QOR::qcCurrentInput = nullptr;
    BoardGlTest::TearDown();
  }
  void Draw(MAHJONG_LAYOUT& board) {
    ASSERT_EQ(render->BeginScene(), 1);
    board.Render(false, board.GetFont(), nullptr);
    board.RenderHud(board.GetFont());
    ASSERT_EQ(render->EndScene(), 0);
  }
  // Lit samples of the board's area between the panel's bands.
  static int LitSamples(const qor_test::Picture& picture) {
    int lit = 0;
    for (int y = 110; y < 650; y += 3)
      for (int x = 40; x < 990; x += 3) lit += Brightness(picture.fRgb(x, y)) > 90 ? 1 : 0;
    return lit;
  }

  std::unique_ptr<QOR::QC_INPUT> input;
};

TEST_F(PlayGl, ShippedLevelPlayedToItsEnd) {
  QOR::QC_RANDOM random(5);
  MAHJONG_LAYOUT board("2", player.get(), false, 0, nullptr);
  board.SetRandom(&random);
  board.LoadLevel("pk1lv2.xml");
  board.m_factorBase = 1;
  board.m_scoreFactor = 1;
  board.StartLevel(1, 2);
  board.GetPanel()->SettleOnScreen();
  std::map<const MAHJONG_CHIP*, QOR::QS_VEC2> faces;  // where each tile lies once dropped in

  board_test::BOARD_BOT bot(board);
  qor_test::Picture full;
  int frames = 0;
  int ticks = 0;
  for (; ticks < 6000; ++ticks) {
    bot.BeforeTick();
    bot.AfterTick(board_test::PlayTick(board));
    Draw(board);
    ++frames;
    if (full.width == 0 && !board.m_dropTween.active) {
      ASSERT_TRUE(bot.events.empty());
      full = qor_test::fReadPicture(render->fGetDevice());
      for (const MAHJONG_CHIP* chip : board.GetChips()) faces[chip] = chip->GetPosition();
    }
    bool flying = false;
    for (const MAHJONG_CHIP* chip : board.GetChips()) flying = flying || chip->m_removing;
    if (board.isLevelFinished() && !flying) break;
  }
  ASSERT_TRUE(board.isLevelFinished());
  EXPECT_EQ(frames, ticks + 1) << "every tick drawn";
  EXPECT_EQ(bot.events.back(), MAHJONG_LAYOUT::kEventLevelComplete);
  const qor_test::Picture last = qor_test::fReadPicture(render->fGetDevice());

  // Fewer tiles, far fewer lit pixels (lower tiles show more of themselves once uncovered).
  ASSERT_LT(board.GetChips().size() * 2, faces.size());
  const int litBefore = LitSamples(full);
  const int litAfter = LitSamples(last);
  EXPECT_GT(litBefore, 2000);
  EXPECT_LT(litAfter * 3, litBefore * 2) << litAfter << " of " << litBefore;
  if (const char* dump = std::getenv("QOR_PLAY_GL_DUMP")) {
    const auto png = image_bytes::fPng(last.width, last.height, last.rgba);
    std::ofstream(dump, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  }

  // Where a taken tile lay with nothing left near it, the clear colour shows again.
  int cleared = 0;
  for (const auto& [chip, at] : faces) {
    if (std::find(board.GetChips().begin(), board.GetChips().end(), chip) != board.GetChips().end()) continue;
    bool near = false;
    for (const MAHJONG_CHIP* other : board.GetChips()) {
      near = near ||
             (std::fabs(other->GetPosition().x - at.x) < 80.0f && std::fabs(other->GetPosition().y - at.y) < 100.0f);
    }
    if (near) continue;
    EXPECT_LT(Brightness(last.fRgb(Screen(at.x), Screen(at.y))), 60) << at.x << ", " << at.y;
    EXPECT_GT(Brightness(full.fRgb(Screen(at.x), Screen(at.y))), 90) << at.x << ", " << at.y;
    ++cleared;
  }
  EXPECT_GE(cleared, 4);
}

}  // namespace
