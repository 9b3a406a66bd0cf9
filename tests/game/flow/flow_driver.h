// The real game manager over the real Resources, loaded stage by stage to the title and then
// driven tick by tick through the real input state (mouse moves, button and key messages as the
// message pump delivers them, aged once per tick as the game loop does), every frame drawn on the
// recording device. Shared by the tests of the menu screens and overlays; PlayerDriver starts them
// with a first profile.
#pragma once

#include "engine/platform/qc_input.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/sound/qc_sound.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_player.h"
#include "game/board/mahjong_music.h"
#include "game/board/mahjong_sounds.h"
#include "game/flow/game_globals.h"
#include "game/flow/game_hooks.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/mahjong_loading_screen.h"
#include "game/flow/select_player_msg_box.h"
#include "gui/widgets/qc_image_button.h"
#include "host/recording_device.h"
#include "tests/game/kit/game_services.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace flow_test {

constexpr int kEnter = QOR::kKeyEnter;
constexpr int kEscape = QOR::kKeyEscape;

class FlowDriver : public qor_test::GameServices {
 protected:
  void SetUp() override {
    GameServices::SetUp();
    // What the game's init hook does before the manager exists.
    for (const char* pack : {"data", "data/fonts", "data/surfaces"}) QOR::QC_GAME::fAddPack(pack);
    gameSounds = new MAHJONG_SOUNDS(true);
    QOR::qcFrameTime = 1.0f / 60.0f;
    beforeLoad();
    loadGame();
    settle();
  }
  // A new game manager loaded stage by stage to the title (the old one, if any, deleted first).
  void loadGame() {
    delete manager;
    manager = gameManager = new MAHJONG_GAME_MANAGER();
    int progress = 0;
    for (int stage = 0; stage < 20 && progress < 100; ++stage) manager->LoadStep(progress);
    ASSERT_EQ(progress, 100);
    gameLoaded = 1;  // as the hooks leave it: the window's messages reach the manager
  }
  // The same through the game's update hook with its loading screen, until loading is complete;
  // during runs before each loading tick.
  void loadThroughHooks(const std::function<void(int tick)>& during) {
    delete manager;
    manager = gameManager = new MAHJONG_GAME_MANAGER();
    gameLoadingScreen = new MAHJONG_LOADING_SCREEN(manager->GetLocman());
    gameLoaded = 0;
    loadProgress = 0;
    for (int n = 0; n < 1000 && gameLoaded == 0; ++n) {
      during(n);
      GameUpdate(0);
    }
    ASSERT_EQ(gameLoaded, 1);
  }
  void TearDown() override {
    delete manager;
    gameManager = nullptr;
    delete gameLoadingScreen;
    gameLoadingScreen = nullptr;
    gameLoaded = 0;
    loadProgress = 0;
    gameActive = 1;
    delete gameSounds;
    gameSounds = nullptr;
    delete gameMusic;
    gameMusic = nullptr;
    fadeInOutTime = 0.0f;
    GameServices::TearDown();
  }
  // Runs before the manager is made (a test may write its player file here).
  virtual void beforeLoad() {}
  // Run in every tick before the manager's update, after it with its result, and before its
  // drawing.
  virtual void beforeUpdate() {}
  virtual void afterUpdate(int /*result*/) {}
  virtual void beforeRender() {}

  // One game tick and one frame (every drawEvery-th tick only, when set); a key given is pressed
  // and released just before it.
  int tick(int key = 0) {
    if (key != 0) {
      QOR::qcCurrentInput->fKeyDown(static_cast<std::uint32_t>(key));
      QOR::qcCurrentInput->fKeyUp(static_cast<std::uint32_t>(key));
    }
    beforeUpdate();
    const int result = manager->Update();
    afterUpdate(result);
    QOR::qcCurrentInput->fUpdate();
    if (++ticks % drawEvery == 0) {
      beforeRender();
      if (QOR::qcRENDER->BeginScene() == 1) {
        manager->Render();
        manager->RenderTop();
        QOR::qcRENDER->EndScene();
      }
    }
    // Long runs keep no record of the frames: the device would hold every vertex drawn.
    if (forgetFrames) host_test::fRecordedCalls().clear();
    return result;
  }
  // A click at (x, y) over three ticks (enter, button 1 down, up); the mouse then leaves.
  void clickAt(float x, float y) {
    QOR::qcCurrentInput->fSetMousePosition(static_cast<int>(x), static_cast<int>(y));
    for (int step = 0; step < 3; ++step) {
      if (step == 1) QOR::qcCurrentInput->fKeyDown(1);
      if (step == 2) QOR::qcCurrentInput->fKeyUp(1);
      tick();
    }
    QOR::qcCurrentInput->fSetMousePosition(0, 0);
  }
  void click(const QOR::QC_IMAGE_BUTTON* button) {
    ASSERT_NE(button, nullptr);
    const QOR::QS_VEC2 at = button->fGetPosition();
    clickAt(at.x, at.y);
  }
  // A key held down for one tick and released in the next (editing keys act on the press).
  void press(int key) {
    QOR::qcCurrentInput->fKeyDown(static_cast<std::uint32_t>(key));
    tick();
    QOR::qcCurrentInput->fKeyUp(static_cast<std::uint32_t>(key));
    tick();
  }
  // Types the keys one tick each (letters come out lower case without Shift).
  void type(const char* keys) {
    for (const char* k = keys; *k != '\0'; ++k) tick(*k);
  }
  // Ticks while busy holds, at most limit ticks; false when it still holds.
  bool runWhile(const std::function<bool()>& busy, int limit = 3000) {
    for (int n = 0; n < limit && busy(); ++n) tick();
    return !busy();
  }
  // Ticks until no slide or fade runs and no box is open or sliding.
  void settle() {
    const bool calm = runWhile([this] {
      return manager->sidePanelTween.active || manager->screenFade.active ||
             (manager->playerBox != nullptr && manager->playerBox->isOpen());
    });
    ASSERT_TRUE(calm);
  }
  // Whether the effect played since the last look.
  static bool played(const char* effect) {
    QOR::QC_SOUND* sound = gameSounds->GetEffects().at(effect);
    const bool playing = sound != nullptr && sound->isPlaying();
    if (sound != nullptr) sound->fStop();
    return playing;
  }
  // Writes player.xml before the manager reads it (from beforeLoad).
  void writePlayerFile(const std::string& xml) const {
    const std::filesystem::path path = documents() / "Greyfern" / "Lantern Tiles" / "player.xml";
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << xml;
  }
  static pugi::xml_document playerFile() {
    pugi::xml_document document;
    document.load_file(MAHJONG_GAME_MANAGER::PlayerFilePath().c_str());
    return document;
  }
  static int profiles(const pugi::xml_document& document) {
    int count = 0;
    for (const pugi::xml_node& player : document.children("player")) {
      (void)player;
      ++count;
    }
    return count;
  }
  const std::wstring& text(int id) const { return manager->texts[id]; }

  MAHJONG_GAME_MANAGER* manager = nullptr;
  long long ticks = 0;
  int drawEvery = 1;
  bool forgetFrames = false;
};

// The driver with a first profile, "Ann", made on the title screen; `player` is its record.
class PlayerDriver : public FlowDriver {
 protected:
  void SetUp() override {
    FlowDriver::SetUp();
    manager->SavePlayerFile(L"Ann");
    player = manager->player;
    ASSERT_NE(player, nullptr);
  }

  MAHJONG_PLAYER* player = nullptr;
};

}  // namespace flow_test
