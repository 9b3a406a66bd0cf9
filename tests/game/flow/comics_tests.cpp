// The start comic and the final screen through the real manager and input: the comic's pictures
// appear one at a time before its button answers, its two pages lead to the packs screen and the
// player file records that the comic was seen; the final screen records its own flag the same way.
#include "engine/render/qc_font.h"
#include "engine/render/qc_render_target.h"
#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "tests/game/flow/flow_driver.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::uint32_t alpha(const QOR::QC_SPRITE* sprite) { return sprite->fGetVertexColor(0) >> 24; }

class Comics : public flow_test::FlowDriver {
 protected:
  void SetUp() override {
    FlowDriver::SetUp();
    manager->SavePlayerFile(L"ann");
    settle();
  }
  QOR::QC_IMAGE_BUTTON* next() const { return manager->comics.nextButton; }
};

// Play starts the comic for a player who has not seen it. Its three pictures and then its button
// fade in one after the other; until the button is opaque, and while any fade runs, a click does
// nothing. The first click shows the full second page, the second leads to the packs screen, and
// the seen flag is in player.xml at once. The caption's target is made once for the process, and a
// blank caption text makes no caption.
TEST_F(Comics, StartComicShowsItsPagesAndRecordsThatItWasSeen) {
  click(manager->title.playButton);
  ASSERT_TRUE(runWhile([this] { return manager->currentScreen == TITLE_SCREEN; }));
  ASSERT_EQ(manager->currentScreen, COMICS_SCREEN);
  ASSERT_NE(manager->comics.caption, nullptr);
  QOR::QC_RENDER_TARGET* target = manager->comics.target;
  ASSERT_NE(target, nullptr);
  EXPECT_EQ(target->_width, 1024);
  EXPECT_EQ(target->_height, 768);

  // The order in which the pictures and the button become opaque.
  std::vector<const QOR::QC_SPRITE*> appeared;
  const QOR::QC_SPRITE* parts[4] = {manager->comics.pictures[0], manager->comics.pictures[1],
                                    manager->comics.pictures[2], next()->fGetImage()};
  bool clickedEarly = false;
  for (int n = 0; n < 3000 && appeared.size() < 4; ++n) {
    if (n == 30) {
      clickAt(next()->fGetPosition().x, next()->fGetPosition().y);  // the button is still transparent
      clickedEarly = true;
    }
    tick();
    for (const QOR::QC_SPRITE* part : parts) {
      if (alpha(part) == 255u && std::find(appeared.begin(), appeared.end(), part) == appeared.end()) {
        appeared.push_back(part);
      }
    }
  }
  ASSERT_TRUE(clickedEarly);
  EXPECT_EQ(appeared, (std::vector<const QOR::QC_SPRITE*>(std::begin(parts), std::end(parts))));
  EXPECT_EQ(manager->comics.page, 1);
  EXPECT_EQ(alpha(manager->blackMask), 0u);

  played("button_click.ogg");
  click(next());
  EXPECT_TRUE(played("button_click.ogg"));
  EXPECT_TRUE(manager->screenFade.active);
  click(next());  // during the fade: nothing
  ASSERT_TRUE(runWhile([this] { return manager->screenFade.active || manager->comics.page == 1; }));
  ASSERT_TRUE(runWhile([this] { return manager->screenFade.active; }));
  EXPECT_EQ(manager->comics.page, 2);
  EXPECT_EQ(manager->comics.pictures[1], nullptr);
  EXPECT_EQ(manager->comics.pictures[2], nullptr);
  EXPECT_EQ(manager->comics.pictures[0]->fGetTexture()->fGetWidth(), 1024);  // the full page
  EXPECT_FALSE(manager->player->m_seenStartComics);

  click(next());
  EXPECT_EQ(manager->comics.page, 3);
  ASSERT_TRUE(runWhile([this] { return manager->currentScreen == COMICS_SCREEN; }));
  EXPECT_EQ(manager->currentScreen, PACKS_SCREEN);
  EXPECT_TRUE(manager->player->m_seenStartComics);
  EXPECT_STREQ(playerFile().find_child_by_attribute("player", "name", "ann").attribute("seen_start_comics").value(),
               "true");
  EXPECT_EQ(manager->comics.pictures[0], nullptr);

  manager->BuildComics();
  EXPECT_EQ(manager->comics.target, target);
  EXPECT_NE(manager->comics.caption, nullptr);
  manager->texts[MAHJONG_GAME_MANAGER::TXT_START_COMICS] = L"   ";
  manager->BuildComics();
  EXPECT_EQ(manager->comics.target, target);
  EXPECT_EQ(manager->comics.caption, nullptr);
}

// The final screen greets the player by name as plain text; its button fades to black, records
// the seen flag in player.xml and leads to the packs screen.
TEST_F(Comics, FinalScreenSavesItsFlagAndLeadsToThePacks) {
  manager->BuildComics();  // the button; the level road places it for the final screen
  manager->requestedScreen = FINAL_SCREEN;
  manager->currentScreen = FINAL_SCREEN;
  next()->fGetImage()->fSetColor(0xFFFFFFFFu);
  manager->player->m_name = L"5%d";
  tick();
  EXPECT_STREQ(manager->boldFont->fGetTextW(), L"Well done, 5%d!");
  manager->player->m_name = L"ann";

  played("button_click.ogg");
  click(next());
  EXPECT_TRUE(played("button_click.ogg"));
  EXPECT_EQ(manager->requestedScreen, PACKS_SCREEN);
  EXPECT_TRUE(manager->player->m_seenEndComics);
  EXPECT_STREQ(playerFile().find_child_by_attribute("player", "name", "ann").attribute("seen_end_comics").value(),
               "true");
  ASSERT_TRUE(runWhile([this] { return manager->currentScreen == FINAL_SCREEN; }));
  EXPECT_EQ(manager->currentScreen, PACKS_SCREEN);
}

}  // namespace
