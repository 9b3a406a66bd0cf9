// The fixture of the play tests: the engine's services over the real Resources (recording
// device, the game's packs and sound effects), a profile in a scratch folder and a board with the
// shipped tile set; levels are given as text or taken from the pack, started as the levels screen
// starts them, and played tick by tick through the real input state.
#pragma once

#include "engine/platform/qc_input.h"
#include "engine/platform/qc_random.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/sound/qc_sound.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_player.h"
#include "game/board/mahjong_sounds.h"
#include "game/board/pack_passwords.h"
#include "tests/game/board/board_bot.h"
#include "tests/game/board/board_test_kit.h"
#include "tests/game/kit/game_services.h"
#include "tests/kit/log_capture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace board_test {

class PlayTest : public qor_test::GameServices {
 protected:
  void SetUp() override {
    GameServices::SetUp();
    const char* const packs[][2] = {
        {"XML/config", MAHJONG_PACKS::kConfig}, {"XML/levels", MAHJONG_PACKS::kLevels},
        {"data/tiles", MAHJONG_PACKS::kTiles},  {"data/fonts", MAHJONG_PACKS::kFonts},
        {"data/btns", MAHJONG_PACKS::kButtons}, {"data/surfaces", MAHJONG_PACKS::kSurfaces}};
    for (const auto& pack : packs) QOR::QC_GAME::fAddPack(pack[0], pack[1]);
    gameSounds = new MAHJONG_SOUNDS(true);
    // The timings the game manager reads from fx_params.xml.
    showLevelTime = 0.6f;
    hideLevelTime = 0.5f;
    QOR::qcFrameTime = 1.0f / 60.0f;
    player = std::make_unique<MAHJONG_PLAYER>((documents() / "player.xml").string(), L"Player");
    board = std::make_unique<MAHJONG_LAYOUT>("2", player.get(), false, 0, nullptr);
    board->SetRandom(&random);
  }
  void TearDown() override {
    board.reset();
    player.reset();
    delete gameSounds;
    gameSounds = nullptr;
    showLevelTime = hideLevelTime = 0.0f;
    GameServices::TearDown();
  }

  // Starts a level given as text (pack 1, level 1) or, with an empty text, the shipped level of
  // that name, as the levels screen does, with the panel where the level intro leaves it; then
  // lets the tiles drop in.
  void Begin(const std::string& text, const std::string& name = "pk1lv1.xml", int level = 1) {
    if (text.empty()) {
      board->LoadLevel(name);
    } else {
      board->LoadFxParams();
      ASSERT_TRUE(Load(*board, text, name));
    }
    board->m_factorBase = 1;
    board->m_scoreFactor = board->m_factorBase;
    board->StartLevel(board->m_pack, level);
    board->GetPanel()->SettleOnScreen();
    Land();
  }
  // Ticks with the mouse off the board until no tile moves.
  void Land() {
    Mouse(2, 2);
    for (int n = 0; n < 2000 && (board->m_dropTween.active || board->m_slideTween.active || board->m_shuffleRequested);
         ++n) {
      Tick();
    }
    ASSERT_FALSE(board->m_dropTween.active);
  }
  int Tick() { return PlayTick(*board); }
  // Ticks until every flight has landed; the last non-zero event.
  int Settle() {
    int last = 0;
    const auto flying = [&] {
      for (const MAHJONG_CHIP* chip : board->GetChips())
        if (chip->m_removing) return true;
      return false;
    };
    for (int n = 0; n < 600 && flying(); ++n) {
      const int event = Tick();
      if (event != 0) last = event;
    }
    return last;
  }
  static void Mouse(int x, int y) { QOR::qcCurrentInput->fSetMousePosition(x, y); }
  // A click at that place: button 1 down on one tick, up on the next. The release tick's event
  // (the press tick's is kept in pressEvent).
  int ClickAt(int x, int y) {
    Mouse(x, y);
    QOR::qcCurrentInput->fKeyDown(kMouseLeft);
    pressEvent = Tick();
    QOR::qcCurrentInput->fKeyUp(kMouseLeft);
    return Tick();
  }
  int Click(const MAHJONG_CHIP* chip) {
    int x = 0;
    int y = 0;
    EXPECT_TRUE(ClickPoint(*board, *chip, x, y));
    return ClickAt(x, y);
  }
  int Click(QOR::QC_IMAGE_BUTTON* button) {
    const QOR::QS_VEC2 at = button->fGetPosition();
    return ClickAt(static_cast<int>(at.x), static_cast<int>(at.y));
  }
  // A key pressed and released before one tick.
  int Key(int key) {
    QOR::qcCurrentInput->fKeyDown(static_cast<std::uint32_t>(key));
    QOR::qcCurrentInput->fKeyUp(static_cast<std::uint32_t>(key));
    return Tick();
  }
  // Whether the effect has played since the last look.
  static bool Played(const char* effect) {
    QOR::QC_SOUND* sound = gameSounds->GetEffects().at(effect);
    const bool playing = sound != nullptr && sound->isPlaying();
    if (sound != nullptr) sound->fStop();
    return playing;
  }
  static void Hush() {
    for (const auto& effect : gameSounds->GetEffects())
      if (effect.second != nullptr) effect.second->fStop();
  }
  MAHJONG_HUD_PANEL& panel() const { return *board->GetPanel(); }
  MAHJONG_CHIP* At(int gx, int gy, int layer = 0) const { return ChipAt(*board, gx, gy, layer); }

  qor_test::LogCapture log;
  int pressEvent = 0;
  QOR::QC_RANDOM random{77};
  std::unique_ptr<MAHJONG_PLAYER> player;
  std::unique_ptr<MAHJONG_LAYOUT> board;
};

}  // namespace board_test
