// The title screen driven through the real game manager over the real Resources: loaded stage by
// stage to the title, then answered tick by tick through the real input state (mouse moves, button
// and key messages as the message pump delivers them, aged once per tick as the game loop does),
// with every frame drawn on the recording device.
#include "engine/platform/qc_input.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/sound/qc_sound.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_player.h"
#include "game/board/mahjong_sounds.h"
#include "game/flow/game_globals.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/select_player_msg_box.h"
#include "gui/widgets/qc_gui_linebox.h"
#include "gui/widgets/qc_image_button.h"
#include "host/test_doors.h"
#include "tests/game/flow/flow_driver.h"
#include "tests/game/kit/game_services.h"
#include "tests/kit/log_capture.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using ANSWERS = std::vector<int>;
using flow_test::kEnter;
using flow_test::kEscape;

// The shared driver; the title's clicks and settling collect the title's answers.
class TitleTest : public flow_test::FlowDriver {
 protected:
  void SetUp() override {
    FlowDriver::SetUp();
    ASSERT_TRUE(manager->playerBox != nullptr && manager->boldFont != nullptr);
    settle();
  }

  // The driver's click on the button (three ticks) with the title's answer of each tick.
  ANSWERS click(const QOR::QC_IMAGE_BUTTON* button) {
    answers.clear();
    FlowDriver::click(button);
    return std::exchange(answers, {});
  }
  void afterUpdate(int result) override { answers.push_back(result); }
  // Ticks until no slide or fade runs and the player box has closed; nothing answers on the way.
  void settle() {
    const auto busy = [this] {
      return manager->sidePanelTween.active || manager->screenFade.active || box().isOpen();
    };
    for (int n = 0; n < 2000 && busy(); ++n) ASSERT_EQ(tick(), 0);
    ASSERT_FALSE(busy());
  }
  MAHJONG_GAME_MANAGER::SELECT_PLAYER_MSG_BOX& box() const { return *manager->playerBox; }
  // The greeting as drawn: with the side buttons' labels left out for one frame, the bold font's
  // last text is the greeting.
  std::wstring greeting() {
    QOR::QC_IMAGE_BUTTON* side[2] = {manager->title.quitButton, manager->title.playersButton};
    manager->title.quitButton = manager->title.playersButton = nullptr;
    EXPECT_EQ(QOR::qcRENDER->BeginScene(), 1);
    manager->RenderTitle();
    QOR::qcRENDER->EndScene();
    manager->title.quitButton = side[0];
    manager->title.playersButton = side[1];
    return manager->boldFont->fGetTextW();
  }

  ANSWERS answers;  // the title's answers since the last click began
};

// First run: Play asks for a name (with the plain click); Escape closes the question and the next
// Play asks again; OK with an empty field or blanks only keeps it open and says why. A typed name
// (its end blanks dropped) and Enter save the profile
// as the last player, the rebuilt title stands at its resting place, the greeting carries the name
// as plain text, and the start comic follows once the panel has slid out.
TEST_F(TitleTest, FirstPlayerIsAskedForAndCreated) {
  const float restingY = manager->title.panel->fGetPosition().y;
  EXPECT_FLOAT_EQ(restingY, 768.0f - manager->title.panel->fGetHeight() / 2.0f + 1.0f);
  ASSERT_TRUE(manager->player->m_name.empty());
  EXPECT_EQ(greeting(), text(MAHJONG_GAME_MANAGER::TXT_WELCOME));
  played("button_click.ogg");

  EXPECT_EQ(click(manager->title.playButton), (ANSWERS{0, 0, 0}));
  EXPECT_TRUE(box().isQuestion() && box().isNameEntry());
  EXPECT_EQ(box().fGetText(), text(MAHJONG_GAME_MANAGER::TXT_TYPE_NEW_NAME));
  EXPECT_TRUE(played("button_click.ogg"));
  EXPECT_FALSE(played("button_play_click.ogg"));
  EXPECT_EQ(tick(kEscape), 0);
  settle();
  EXPECT_TRUE(manager->player->m_name.empty());
  EXPECT_FALSE(playerFile().child("player"));

  played("button_click.ogg");
  EXPECT_EQ(click(manager->title.playButton), (ANSWERS{0, 0, 0}));
  ASSERT_TRUE(box().isQuestion() && box().isNameEntry());
  EXPECT_TRUE(played("button_click.ogg"));
  for (int n = 0; n < 200; ++n) ASSERT_EQ(tick(), 0);  // at rest
  EXPECT_EQ(click(box().fGetOkButton()), (ANSWERS{0, 0, 0}));
  EXPECT_EQ(tick(kEnter), 0);
  for (int n = 0; n < 200; ++n) ASSERT_EQ(tick(), 0);
  EXPECT_TRUE(box().isQuestion() && box().isNameEntry() && !box().isHiding());
  EXPECT_FALSE(playerFile().child("player"));
  // Refused with the reason under the field, and so is a name of blanks only.
  EXPECT_EQ(box().fGetErrorText(), manager->GetText(MAHJONG_GAME_MANAGER::SELECT_PLAYER_MSG_BOX::kEmptyNameKey));
  for (const int key : {int{' '}, int{' '}, kEnter}) ASSERT_EQ(tick(key), 0);
  EXPECT_TRUE(box().isOpen() && box().isError() && played("error.ogg") && !playerFile().child("player"));

  for (int key : {'Z', 'E', 'D', ' '}) ASSERT_EQ(tick(key), 0);  // without Shift: "zed"
  EXPECT_EQ(box().fGetTextField()->fGetText(), L"  zed ");
  qor_test::LogCapture log;
  EXPECT_EQ(tick(kEnter), 0);
  EXPECT_TRUE(log.hasLine("+====================== newname== zed"));
  EXPECT_EQ(manager->player->m_name, L"zed");
  EXPECT_EQ(manager->selectedName, L"zed");
  const pugi::xml_document file = playerFile();
  EXPECT_STREQ(file.child("lastplayer").attribute("lpname").value(), "zed");
  EXPECT_STREQ(file.child("player").attribute("name").value(), "zed");
  EXPECT_TRUE(file.child("packs") && file.child("ranks"));
  // The menus were rebuilt: a new, closed box with an empty field, and the new panel at its
  // resting place, starting to slide out towards the start comic.
  EXPECT_FALSE(box().isOpen());
  EXPECT_TRUE(box().fGetTextField()->isEmpty());
  EXPECT_EQ(manager->requestedScreen, COMICS_SCREEN);
  EXPECT_TRUE(manager->sidePanelTween.active);
  EXPECT_FLOAT_EQ(manager->sidePanelTween.start, restingY);
  EXPECT_EQ(greeting(), text(MAHJONG_GAME_MANAGER::TXT_WELCOME) + L"\nzed");
  const std::wstring odd = L"5%d %s%%";
  manager->player->m_name = odd;
  EXPECT_EQ(greeting(), text(MAHJONG_GAME_MANAGER::TXT_WELCOME) + L"\n" + odd);
  manager->player->m_name = L"zed";

  for (int n = 0; n < 2000 && manager->currentScreen == TITLE_SCREEN; ++n) ASSERT_EQ(tick(), 0);
  EXPECT_EQ(manager->currentScreen, COMICS_SCREEN);
}

// A first player named where nothing can be saved (the game's folder is a file, which no user
// can write into): the typed name is kept for the greeting and the comic, the player is told once
// in a box, and no file is made; later saves fail without another box.
TEST_F(TitleTest, AFirstPlayerWhoseSaveFailsKeepsTheName) {
  const std::filesystem::path game = std::filesystem::path(MAHJONG_GAME_MANAGER::PlayerFilePath()).parent_path();
  std::filesystem::remove_all(game.parent_path());
  std::ofstream(game.parent_path()) << "not a folder";
  host_test::fResetMessageBoxCount();

  EXPECT_EQ(click(manager->title.playButton), (ANSWERS{0, 0, 0}));
  ASSERT_TRUE(box().isQuestion() && box().isNameEntry());
  for (int n = 0; n < 200; ++n) ASSERT_EQ(tick(), 0);  // at rest
  for (int key : {'Z', 'E', 'D'}) ASSERT_EQ(tick(key), 0);
  qor_test::LogCapture log;
  EXPECT_EQ(tick(kEnter), 0);
  EXPECT_TRUE(log.contains("player.xml not saved: " + MAHJONG_GAME_MANAGER::PlayerFilePath()));
  EXPECT_FALSE(log.contains("the old file is kept"));
  EXPECT_TRUE(log.contains("MessageBox [Progress not saved]"));
  EXPECT_EQ(host_test::fMessageBoxCount(), 1);
  EXPECT_EQ(manager->player->m_name, L"zed");
  EXPECT_EQ(greeting(), text(MAHJONG_GAME_MANAGER::TXT_WELCOME) + L"\nzed");
  EXPECT_FALSE(manager->SavePlayer());
  EXPECT_EQ(host_test::fMessageBoxCount(), 1);
  EXPECT_TRUE(std::filesystem::is_regular_file(game.parent_path()));
  for (int n = 0; n < 2000 && manager->currentScreen == TITLE_SCREEN; ++n) ASSERT_EQ(tick(), 0);
  EXPECT_EQ(manager->currentScreen, COMICS_SCREEN);
  EXPECT_EQ(manager->player->m_name, L"zed");
}

// Players opens the players screen in the tick of the click, with no fade of the title. Back on
// the title, Quit asks first: cancel (Escape) closes the question and the game goes on; OK ends it.
TEST_F(TitleTest, PlayersOpensAtOnceAndQuitAsksFirst) {
  played("button_click.ogg");
  EXPECT_EQ(click(manager->title.playersButton), (ANSWERS{0, 0, 0}));
  EXPECT_EQ(manager->currentScreen, PLAYERS_SCREEN);
  EXPECT_TRUE(played("button_click.ogg"));
  EXPECT_EQ(manager->blackMask->fGetVertexColor(0) >> 24, 0u);
  manager->currentScreen = TITLE_SCREEN;  // as the players screen does when it closes
  settle();

  EXPECT_EQ(click(manager->title.quitButton), (ANSWERS{0, 0, 0}));
  ASSERT_TRUE(box().isQuestion() && !box().isNameEntry());
  EXPECT_EQ(box().fGetText(), text(MAHJONG_GAME_MANAGER::TXT_WANT_TO_QUIT));
  EXPECT_TRUE(played("button_click.ogg"));
  EXPECT_EQ(tick(kEscape), 0);
  settle();
  EXPECT_EQ(click(manager->title.quitButton), (ANSWERS{0, 0, 0}));
  for (int n = 0; n < 200; ++n) ASSERT_EQ(tick(), 0);
  EXPECT_EQ(click(box().fGetOkButton()), (ANSWERS{0, 0, -108}));
}

// A key that lands on the tick a question closes answers nothing: a typed name, Escape and then
// Enter create no profile; Quit, Escape and then Enter do not end the game.
TEST_F(TitleTest, AClosingQuestionTakesNoAnswer) {
  const auto enterOnClosingTick = [this] {
    for (int n = 0; n < 2000 && box().fGetPosition().y > STORE_MESSAGE_BOX::kHiddenY; ++n) ASSERT_EQ(tick(), 0);
    ASSERT_TRUE(box().isOpen());
    EXPECT_EQ(tick(kEnter), 0);
    EXPECT_FALSE(box().isOpen());
  };
  click(manager->title.playButton);
  ASSERT_TRUE(box().isQuestion() && box().isNameEntry());
  for (int key : {'A', 'M', 'Y'}) ASSERT_EQ(tick(key), 0);
  ASSERT_EQ(tick(kEscape), 0);
  enterOnClosingTick();
  for (int n = 0; n < 60; ++n) ASSERT_EQ(tick(), 0);
  EXPECT_FALSE(playerFile().child("player"));
  EXPECT_TRUE(manager->player->m_name.empty());

  click(manager->title.quitButton);
  ASSERT_TRUE(box().isQuestion() && !box().isNameEntry());
  ASSERT_EQ(tick(kEscape), 0);
  enterOnClosingTick();
  for (int n = 0; n < 60; ++n) ASSERT_EQ(tick(), 0);
  EXPECT_EQ(manager->currentScreen, TITLE_SCREEN);
}

// A player who has seen the start comic: Play (with its own sound) slides the panel out, the screen
// fades to black, and only then the packs screen becomes current.
TEST_F(TitleTest, KnownPlayerPlaysOnToThePacks) {
  manager->player->m_name = L"ann";
  manager->player->m_seenStartComics = true;
  EXPECT_EQ(click(manager->title.playButton), (ANSWERS{0, 0, 0}));
  EXPECT_TRUE(played("button_play_click.ogg"));
  EXPECT_EQ(manager->requestedScreen, PACKS_SCREEN);
  bool faded = false;
  for (int n = 0; n < 2000 && manager->currentScreen == TITLE_SCREEN; ++n) {
    ASSERT_EQ(tick(), 0);
    faded = faded || (manager->screenFade.active && manager->screenFade.target == manager->blackMask);
  }
  EXPECT_EQ(manager->currentScreen, PACKS_SCREEN);
  EXPECT_TRUE(faded);
  EXPECT_GT(manager->title.panel->fGetPosition().y, 768.0f);
}

}  // namespace
