// The loading screen over the real splash pictures, title and font on the recording device: its
// clamped clock, which picture each moment of the three seconds shows, a missing splash, and the
// release of the splash textures through the renderer.
#include "engine/files/qc_file_system.h"
#include "engine/loc/qc_locman.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "game/board/pack_passwords.h"
#include "game/flow/mahjong_loading_screen.h"
#include "host/recording_device.h"
#include "tests/game/kit/game_services.h"
#include "tests/kit/log_capture.h"
#include "tests/kit/scratch_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

class LoadingScreenTest : public qor_test::GameServices {
 protected:
  void SetUp() override {
    GameServices::SetUp();
    QOR::QC_GAME::fAddPack("XML/config", MAHJONG_PACKS::kConfig);
    QOR::QC_GAME::fAddPack("data/fonts", MAHJONG_PACKS::kFonts);
    QOR::QC_GAME::fAddPack("data/surfaces", MAHJONG_PACKS::kSurfaces);
    _strings.fInit(*QOR::QC_GAME::fLoadXml("strings.xml"), 0, 0);
    ASSERT_GT(_strings.fGetCount(), 0);
  }

  // The serial numbers of the textures one frame of the screen binds (the renderer binds a texture
  // only when it changes, so the frame starts on the default texture).
  static std::set<int> drawn(MAHJONG_LOADING_SCREEN& screen, float time) {
    screen.time = time;
    QOR::QC_SPRITE other(QOR::qcRENDER->fGetDefaultTexture());
    EXPECT_EQ(QOR::qcRENDER->BeginScene(), 1);
    other.fRender();
    QOR::qcRENDER->fFlush();
    host_test::fRecordedCalls().clear();
    screen.Render(40);
    QOR::qcRENDER->EndScene();
    std::set<int> serials;
    for (const host_test::RecordedCall& call : host_test::fRecordedCalls()) {
      if (call.name == "SetTexture" && call.args.size() > 1 && call.args[1] != 0) {
        serials.insert(static_cast<int>(call.args[1]));
      }
    }
    return serials;
  }
  static int serialOf(QOR::QC_SPRITE* sprite) {
    return sprite != nullptr ? host_test::fSerialOf(sprite->fGetTexture()->fGetTexture()) : 0;
  }

  QOR::QC_LOCMAN _strings;
};

// A long tick counts 0.13 s and the engine's frame time is clamped in place; splash 1 shows for
// (0, 1.5], splash 2 for (1.5, 3], then the title with the percentage; loading may end from 3.0 on.
// Deleting the screen gives both splash textures back to the renderer without a loader error.
TEST_F(LoadingScreenTest, ThreeSecondsOfSplashesThenTheTitle) {
  auto screen = std::make_unique<MAHJONG_LOADING_SCREEN>(&_strings);
  ASSERT_NE(screen->splash1, nullptr);
  ASSERT_NE(screen->splash2, nullptr);
  ASSERT_NE(screen->progressFont, nullptr);
  const int one = serialOf(screen->splash1);
  const int two = serialOf(screen->splash2);
  const int title = serialOf(screen->title);
  ASSERT_NE(one, 0);
  ASSERT_NE(two, one);

  QOR::qcFrameTime = 2.0f;
  EXPECT_EQ(screen->Update(), 1);
  EXPECT_FLOAT_EQ(QOR::qcFrameTime, 0.13f);
  EXPECT_FLOAT_EQ(screen->time, 0.13f);
  QOR::qcFrameTime = 0.05f;
  screen->Update();
  EXPECT_FLOAT_EQ(QOR::qcFrameTime, 0.05f);
  EXPECT_FLOAT_EQ(screen->time, 0.18f);

  EXPECT_TRUE(drawn(*screen, 0.0f).empty());
  EXPECT_EQ(drawn(*screen, 0.01f), std::set<int>{one});
  EXPECT_EQ(drawn(*screen, 1.5f), std::set<int>{one});
  EXPECT_EQ(drawn(*screen, 1.51f), std::set<int>{two});
  EXPECT_EQ(drawn(*screen, 3.0f), std::set<int>{two});
  EXPECT_TRUE(screen->isFinished());
  screen->time = 2.999f;
  EXPECT_FALSE(screen->isFinished());
  const std::set<int> last = drawn(*screen, 3.01f);
  EXPECT_TRUE(last.count(title) == 1 && last.size() == 2) << "the title and the font page";
  EXPECT_STREQ(screen->progressFont->fGetText(), "40%");

  qor_test::LogCapture log;
  screen.reset();
  EXPECT_FALSE(host_test::fIsAlive(one));
  EXPECT_FALSE(host_test::fIsAlive(two));
  EXPECT_FALSE(log.contains("Resource error in fUnscribeImage"));
}

// Without "spl1.jpg" the second splash shows from the first tick; without both (and without a
// string table) the screen stays black until the title, which shows without a percentage.
TEST_F(LoadingScreenTest, MissingSplashesAndFontAreLeftOut) {
  // The splashes are read from the working folder: the game's Resources folder.
  const fs::path resources = QOR::QC_FILE_SYSTEM::fGetInstance()->fGetResourceDirectory();
  qor_test::ScratchDir folder;
  ASSERT_TRUE(folder.fCreate("qor_splash_"));
  const fs::path scratch = folder.fPath();
  fs::copy_file(resources / "spl2.jpg", scratch / "spl2.jpg");
  ASSERT_EQ(chdir(scratch.c_str()), 0);
  auto onlySecond = std::make_unique<MAHJONG_LOADING_SCREEN>(&_strings);
  fs::remove(scratch / "spl2.jpg");
  auto none = std::make_unique<MAHJONG_LOADING_SCREEN>(nullptr);
  ASSERT_EQ(chdir(resources.c_str()), 0);
  folder.fRemove();

  EXPECT_EQ(onlySecond->splash1, nullptr);
  ASSERT_NE(onlySecond->splash2, nullptr);
  EXPECT_EQ(drawn(*onlySecond, 0.5f), std::set<int>{serialOf(onlySecond->splash2)});

  EXPECT_EQ(none->splash1, nullptr);
  EXPECT_EQ(none->splash2, nullptr);
  EXPECT_EQ(none->progressFont, nullptr);
  EXPECT_TRUE(drawn(*none, 0.5f).empty());
  EXPECT_TRUE(drawn(*none, 2.0f).empty());
  EXPECT_EQ(drawn(*none, 3.5f), std::set<int>{serialOf(none->title)});
}

}  // namespace
