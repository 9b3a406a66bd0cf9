// A board test on real OpenGL (SDL's offscreen driver with Mesa): the renderer on the test window,
// a resource loader with the texture release hook, the game's packs registered from the built
// Resources and a player with a scratch profile. Frames are read back as pictures.
#pragma once

#include "engine/render/qc_render.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/mahjong_player.h"
#include "game/board/pack_passwords.h"
#include "tests/game/kit/game_services.h"
#include "tests/kit/log_capture.h"
#include "tests/kit/test_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace board_test {

// Game pixels reach the picture scaled by 1024 / 1025 (the screen camera spans the size plus one).
inline int Screen(float game) { return static_cast<int>(game * 1024.0f / 1025.0f); }

class BoardGlTest : public qor_test::GameServices {
 protected:
  bool startServices() const override { return false; }
  // The profile's name; the packs a test needs beyond the board's own.
  virtual const wchar_t* playerName() const { return L"Player"; }
  virtual bool withScreenPacks() const { return true; }

  void SetUp() override {
    GameServices::SetUp();
    host_test::fUseRecordingDevice(false);
    host_test::fSetNonInteractive(true);
    ASSERT_NE(qor_test::fTestWindow(), nullptr);
    render = std::make_unique<QOR::QC_RENDER>();
    ASSERT_EQ(render->fInit(qor_test::fTestWindow(), 0.1f, 0.0f), 1);
    render->fSetClearColor(0xFF000000u);
    QOR::qcRENDER = render.get();
    loader = std::make_unique<QOR::QC_RESOURCE_LOADER>();
    QOR::qcRESOURCE_LOADER = loader.get();
    hook.reset(QOR::fCreateCallback(&QOR::fOnUnscribeTexture, nullptr, 0));
    savedHook = QOR::qcOnUnscribeTexture;
    QOR::qcOnUnscribeTexture = hook.get();
    QOR::qcGAME = QOR::QC_GAME::fGetGame();
    const char* const packs[][2] = {
        {"XML/config", MAHJONG_PACKS::kConfig}, {"XML/levels", MAHJONG_PACKS::kLevels},
        {"data/tiles", MAHJONG_PACKS::kTiles},  {"data/fonts", MAHJONG_PACKS::kFonts},
        {"data/btns", MAHJONG_PACKS::kButtons}, {"data/surfaces", MAHJONG_PACKS::kSurfaces}};
    for (const auto& pack : packs) {
      const std::string folder = pack[0];
      if (!withScreenPacks() && (folder == "data/btns" || folder == "data/surfaces")) continue;
      QOR::QC_GAME::fAddPack(pack[0], pack[1]);
    }
    player = std::make_unique<MAHJONG_PLAYER>((documents() / "player.xml").string(), playerName());
  }
  void TearDown() override {
    player.reset();
    QOR::qcOnUnscribeTexture = savedHook;
    QOR::qcRESOURCE_LOADER = nullptr;
    loader.reset();
    QOR::qcRENDER = nullptr;
    if (render != nullptr && render->fGetDevice() != nullptr) render->fGetDevice()->Release();
    render.reset();
    GameServices::TearDown();
  }

  qor_test::LogCapture quiet;
  std::unique_ptr<QOR::QC_RENDER> render;
  std::unique_ptr<QOR::QC_RESOURCE_LOADER> loader;
  std::unique_ptr<QOR::QC_CALLBACK> hook;
  QOR::QC_CALLBACK* savedHook = nullptr;
  std::unique_ptr<MAHJONG_PLAYER> player;
};

}  // namespace board_test
