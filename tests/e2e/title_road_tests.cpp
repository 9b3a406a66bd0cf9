// The real game from a fresh start to its quit, through its own window on a private X display,
// driven only by real pointer and key events: the splashes and loading end at the title, which
// the default profile shows full screen over the whole desktop, the game scaled and centred in
// it. Play asks for the first player's name, which is typed and confirmed, and the profile lands
// in player.xml; the start comic follows, page by page, to the packs screen, and the file records
// that it was seen; the help opens and closes over the packs, and the options store a choice. The
// next start greets that player; the players screen adds a second profile
// and deletes it again after its question, and Quit confirmed with Enter ends the program with
// status 0. Neither run logs a missing resource. Each screen passed is kept as a PNG under
// e2e_screenshots/ of the build folder, beside the runs' logs.
#include "game/board/pack_passwords.h"
#include "tests/e2e/kit/e2e_session.h"
#include "tests/e2e/kit/pack_images.h"
#include "tests/e2e/kit/road_checks.h"
#include "tests/e2e/kit/screen_states.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using qor_e2e::E2E_SESSION;
using qor_e2e::PICTURE;
using qor_e2e::TITLE_LAYOUT;

const std::string kResources = std::filesystem::path(QOR_E2E_GAME).parent_path().string() + "/Resources/";
constexpr int kWidth = 1024;  // the game's resolution
constexpr int kHeight = 768;
constexpr int kDesktopWidth = 1280;  // the private display's screen
constexpr int kDesktopHeight = 1024;

void expectNoMissingResource(const std::string& log, const std::string& run) {
  for (const std::string& line : qor_e2e::fMissingResourceLines(log)) ADD_FAILURE() << run << " logs \"" << line << "\"";
}

// The caret of a text field blinks; a still picture of a box with a field may differ by it.
constexpr int kCaretPixels = 200;
// A box opening over the middle of the screen changes far more than this there.
constexpr int kBoxPixels = 3000;
// The first player's name, typed by xdotool: characters a US keymap has no key for come as text
// without a key of their own, and must arrive whole.
constexpr char kFirstName[] = "J\u00f6rg Zo\u00eb";
// Screen states the road waits for, at rest (kPacks, kTitleWithBox, ...).
using namespace qor_e2e::screen_state;

class TitleRoad : public ::testing::Test {
 protected:
  void SetUp() override {
    layout = std::make_unique<TITLE_LAYOUT>(qor_e2e::fReadPackImage(
        kResources + "data/surfaces", "TitleScreenButtun_back.png", MAHJONG_PACKS::kSurfaces), kWidth, kHeight);
    ASSERT_TRUE(layout->panel.fValid()) << layout->panel.error;
    session = std::make_unique<E2E_SESSION>(::testing::UnitTest::GetInstance()->current_test_info()->name(),
                                            QOR_E2E_ARTEFACTS);
    ASSERT_TRUE(session->fStartDisplay()) << session->fError();
  }

  // The picture as the game drew it, in game pixels, wherever the window stands now.
  PICTURE inGame(const PICTURE& window) { return qor_e2e::fInGame(window, session->fInput().fSpace()); }

  // Starts the game and waits until its title stands still with the panel at rest, full screen
  // over the desktop; that picture in game pixels (empty when the title is never reached).
  PICTURE startToTitle(const std::string& shot) {
    if (!session->fStartGame(QOR_E2E_GAME)) {
      ADD_FAILURE() << session->fError();
      return PICTURE();
    }
    EXPECT_EQ(session->fWindow().fTitle(), "Jade Tile Tourney");
    // The splashes and the loading take three seconds of the loading screen's own clock.
    PICTURE title = session->fWaitForPicture([&](const PICTURE& p) { return layout->fPanelAtRest(inGame(p)); }, 60s);
    if (!title.fEmpty()) title = inGame(session->fWaitStill());
    if (title.fEmpty() || !layout->fPanelAtRest(title)) {
      session->fShot(shot + "_not_reached");
      ADD_FAILURE() << "the title's panel never came to rest; log:\n" << session->fGame().fLog();
      return PICTURE();
    }
    session->fShot(shot);
    // The profile asks for full screen: the window covers the whole desktop.
    const qor_e2e::WINDOW_PLACE place = session->fWindow().fPlace();
    EXPECT_EQ(place.x, 0);
    EXPECT_EQ(place.y, 0);
    EXPECT_EQ(place.width, kDesktopWidth);
    EXPECT_EQ(place.height, kDesktopHeight);
    return title;
  }

  // Acts, waits until the game logs its screen at rest in state, then for a still picture (within
  // tolerance: a text field's caret blinks); that picture in game pixels, empty when the state
  // never comes.
  PICTURE actToRest(const std::function<bool()>& act, const std::string& state, int tolerance) {
    const std::size_t mark = session->fGame().fLogSize();
    EXPECT_TRUE(act()) << "xdotool failed (scripts/setup installs it)";
    if (!session->fWaitForRest(mark, state)) {
      ADD_FAILURE() << "the screen did not come to rest in " << state;
      return PICTURE();
    }
    return inGame(session->fWaitStill(tolerance));
  }
  PICTURE clickTo(float x, float y, const std::string& state, int tolerance = 0) {
    return actToRest([&] { return session->fInput().fClickAt(x, y); }, state, tolerance);
  }
  PICTURE keyTo(const std::string& keysym, const std::string& state, int tolerance = 0) {
    return actToRest([&] { return session->fInput().fKey(keysym); }, state, tolerance);
  }
  // Acts, then waits for a picture that test accepts and for the picture to settle after it (the
  // comic's pages, which no panel motion brings); that picture in game pixels.
  PICTURE actToPicture(const std::function<bool()>& act, const std::function<bool(const PICTURE&)>& test) {
    EXPECT_TRUE(act()) << "xdotool failed";
    if (session->fWaitForPicture([&](const PICTURE& p) { return test(inGame(p)); }, 60s).fEmpty()) return PICTURE();
    return inGame(session->fWaitStill());
  }

  std::string playerFile() const { return session->fDocuments() + "/Greyfern/Lantern Tiles/player.xml"; }
  // player.xml once test holds for it (polled for up to ten seconds); empty when it never does.
  pugi::xml_document waitForFile(const std::function<bool(const pugi::xml_document&)>& test) {
    for (int n = 0; n < 100; ++n) {
      pugi::xml_document document;
      if (document.load_file(playerFile().c_str()) && test(document)) return document;
      std::this_thread::sleep_for(100ms);
    }
    return pugi::xml_document();
  }
  static int profiles(const pugi::xml_document& document) {
    return static_cast<int>(std::distance(document.children("player").begin(), document.children("player").end()));
  }

  std::unique_ptr<TITLE_LAYOUT> layout;
  std::unique_ptr<E2E_SESSION> session;
};

TEST_F(TitleRoad, FirstPlayerIsNamedThenQuitIsConfirmed) {
  const int middleX = kWidth / 2;
  const int middleY = kHeight / 2;

  // First run: the title, and no player yet. The first start made the documents folders and
  // copied the default file there, with no player in it.
  const PICTURE title = startToTitle("01_title_first_run");
  ASSERT_FALSE(title.fEmpty());
  {
    pugi::xml_document fresh;
    ASSERT_TRUE(fresh.load_file(playerFile().c_str())) << playerFile();
    EXPECT_FALSE(fresh.child("player"));
    EXPECT_TRUE(fresh.child("packs"));
  }

  // Play asks for a name: a box opens over the middle of the screen.
  const PICTURE question = clickTo(layout->playX, layout->buttonsY, kTitleWithBox, kCaretPixels);
  ASSERT_FALSE(question.fEmpty());
  session->fShot("02_name_question");
  EXPECT_GT(title.fChangedPixels(question, middleX - 150, middleY - 100, 300, 200), kBoxPixels) << "Play opened no box";

  // Enter on an empty name keeps the box open, creates nobody and says why on the line under the
  // field (nothing moves, so the picture is waited for by stillness).
  EXPECT_TRUE(session->fInput().fKey("Return")) << "xdotool failed";
  const PICTURE stillAsking = inGame(session->fWaitStill(kCaretPixels));
  const int reasonTop = middleY + 10;  // the field ends just below the middle, the reason below it
  EXPECT_LE(question.fChangedPixels(stillAsking, 0, 0, kWidth, reasonTop), kCaretPixels)
      << "an empty name closed the box";
  EXPECT_GT(question.fChangedPixels(stillAsking, middleX - 200, reasonTop, 400, 60), kCaretPixels)
      << "an empty name was refused without a word";
  EXPECT_FALSE(session->fGame().fLogHas("newname=="));

  // The typed name shows in the box's field.
  const PICTURE typed = actToPicture([&] { return session->fInput().fType(kFirstName); }, [&](const PICTURE& p) {
    return stillAsking.fChangedPixels(p, middleX - 200, middleY - 120, 400, 240) > 2 * kCaretPixels;
  });
  session->fShot("03_name_typed");
  EXPECT_FALSE(typed.fEmpty()) << "the typed name is not shown";

  // Enter accepts it: the profile is saved and the title leaves for the start comic, whose
  // pictures and button appear one after the other.
  const PICTURE comic = keyTo("Return", kComic);
  ASSERT_TRUE(session->fGame().fLogHas(std::string("+====================== newname== ") + kFirstName)) << session->fGame().fLog();
  session->fShot("04_start_comic");
  EXPECT_FALSE(layout->fPanelAtRest(comic)) << "the title stayed after the name was accepted";
  EXPECT_GT(title.fChangedPixels(comic), kWidth * kHeight / 3) << "no comic page";

  pugi::xml_document players;
  ASSERT_TRUE(players.load_file(playerFile().c_str())) << playerFile();
  EXPECT_STREQ(players.child("lastplayer").attribute("lpname").value(), kFirstName);
  int named = 0;
  for (const pugi::xml_node& player : players.children("player")) {
    if (std::string(player.attribute("name").value()) == kFirstName) ++named;
  }
  EXPECT_EQ(named, 1);
  EXPECT_TRUE(players.child("packs")) << "the file lost its packs";
  EXPECT_TRUE(players.child("ranks")) << "the file lost its ranks";
  EXPECT_STREQ(players.child("player").attribute("seen_start_comics").value(), "false");

  // The comic's button (bottom right) turns to the full second page, then on to the packs.
  const float nextX = static_cast<float>(kWidth - 50);
  const float nextY = static_cast<float>(kHeight - 60);
  const PICTURE secondPage = clickTo(nextX, nextY, kComic);
  session->fShot("05_comic_second_page");
  EXPECT_GT(comic.fChangedPixels(secondPage), kWidth * kHeight / 3) << "the comic did not turn its page";
  // The second click ends the comic: the seen flag is saved as the packs screen comes in. That
  // screen moves on its own (its highlights pulse), so it is waited for by its logged state.
  std::size_t mark = session->fGame().fLogSize();
  EXPECT_TRUE(session->fInput().fClickAt(nextX, nextY)) << "xdotool failed";
  const pugi::xml_document seen = waitForFile([](const pugi::xml_document& d) {
    return std::string(d.child("player").attribute("seen_start_comics").value()) == "true";
  });
  EXPECT_TRUE(seen.child("player")) << "the comic was not recorded as seen";
  ASSERT_TRUE(session->fWaitForRest(mark, kPacks)) << "the packs screen did not come to rest";
  const PICTURE packs = inGame(session->fWindow().fGrab());
  session->fShot("06_packs");
  EXPECT_FALSE(packs.fIsDark(40)) << "the packs screen did not come";
  EXPECT_GT(secondPage.fChangedPixels(packs), kWidth * kHeight / 3) << "the comic did not end";

  // The left panel's help button (its column stands at x 110 once slid in) opens the help over
  // the packs; Escape closes it.
  const float menuX = 110.0f;
  mark = session->fGame().fLogSize();
  EXPECT_TRUE(session->fInput().fClickAt(menuX, 577.0f)) << "xdotool failed";
  ASSERT_TRUE(session->fWaitForRest(mark, "screen=6 help=1")) << "Help did not open";
  const PICTURE help = inGame(session->fWindow().fGrab());
  session->fShot("07_help");
  EXPECT_GT(packs.fChangedPixels(help, middleX - 300, middleY - 250, 600, 500), kBoxPixels) << "Help opened nothing";
  mark = session->fGame().fLogSize();
  EXPECT_TRUE(session->fInput().fKey("Escape")) << "xdotool failed";
  ASSERT_TRUE(session->fWaitForRest(mark, kPacks)) << "Escape did not close the help";

  // The options: the game-cursor box (right of the middle, 10 above it) switched off and Enter
  // stores the choice in player.xml.
  mark = session->fGame().fLogSize();
  EXPECT_TRUE(session->fInput().fClickAt(menuX, 509.0f)) << "xdotool failed";
  ASSERT_TRUE(session->fWaitForRest(mark, "screen=6 help=0 options=1")) << "Options did not open";
  const PICTURE options = inGame(session->fWindow().fGrab());
  session->fShot("08_options");
  EXPECT_GT(packs.fChangedPixels(options, middleX - 200, middleY - 250, 400, 500), kBoxPixels)
      << "Options opened nothing";
  EXPECT_TRUE(session->fInput().fClickAt(static_cast<float>(middleX + 126), static_cast<float>(middleY - 10)));
  mark = session->fGame().fLogSize();
  EXPECT_TRUE(session->fInput().fKey("Return")) << "xdotool failed";
  const pugi::xml_document stored = waitForFile([](const pugi::xml_document& d) {
    return std::string(d.child("player").attribute("custom_cursor").value()) == "false";
  });
  EXPECT_TRUE(stored.child("player")) << "the options did not store the cursor choice";
  ASSERT_TRUE(session->fWaitForRest(mark, kPacks)) << "the options did not close";
  session->fShot("09_options_closed");

  // The desktop's close button ends the first run cleanly.
  ASSERT_TRUE(session->fWindow().fRequestClose());
  const std::optional<int> first = session->fWaitExit(60s);
  EXPECT_TRUE(qor_e2e::fExitedWith(first, 0)) << "first run ended with status " << (first ? *first : -1);
  expectNoMissingResource(session->fGame().fLog(), "the first run");

  // Second run on the same HOME: the player is known and greeted by name under "welcome".
  const PICTURE greeted = startToTitle("10_title_second_run");
  ASSERT_FALSE(greeted.fEmpty());
  EXPECT_TRUE(session->fGame().fLogHas("File exists"));
  EXPECT_GT(title.fChangedPixels(greeted, middleX - 200, layout->buttonsY - 200, 400, 120), 1000)
      << "the greeting does not show the player";

  // Players slides the players screen down over the title: one row, the bar on it, the add
  // button under it (x0 - 190), the delete buttons at x0 + 210, rows 139 above the middle.
  const PICTURE playersScreen =
      clickTo(static_cast<float>(middleX - 140), static_cast<float>(layout->buttonsY), kPlayers);
  session->fShot("11_players");
  EXPECT_GT(greeted.fChangedPixels(playersScreen, middleX - 250, middleY - 250, 500, 500), kBoxPixels)
      << "Players opened no screen";
  const float firstRow = static_cast<float>(middleY - 139);
  const float rowStep = 38.0f * 1.15f - 5.0f;  // the delete button is 38 high
  ASSERT_FALSE(clickTo(static_cast<float>(middleX - 190), firstRow + rowStep, kPlayersWithBox, kCaretPixels).fEmpty());
  // The keys reach the game in order: the name is whole when its Return comes.
  ASSERT_TRUE(session->fInput().fType("Bo")) << "xdotool failed";
  const PICTURE added = keyTo("Return", kPlayers);
  const pugi::xml_document two = waitForFile([](const pugi::xml_document& d) { return profiles(d) == 2; });
  ASSERT_EQ(profiles(two), 2) << "the second profile was not added";
  EXPECT_STREQ(two.child("lastplayer").attribute("lpname").value(), "Bo");
  session->fShot("12_players_added");

  // Its delete button asks first; Enter confirms and the file is back to one profile.
  const PICTURE deleteQuestion = clickTo(static_cast<float>(middleX + 210), firstRow + 38.0f, kPlayersWithBox);
  session->fShot("13_delete_question");
  EXPECT_GT(added.fChangedPixels(deleteQuestion, middleX - 150, middleY - 100, 300, 200), kBoxPixels)
      << "the delete button asked nothing";
  EXPECT_EQ(profiles(waitForFile([](const pugi::xml_document&) { return true; })), 2);
  keyTo("Return", kPlayers);
  const pugi::xml_document one = waitForFile([](const pugi::xml_document& d) { return profiles(d) == 1; });
  ASSERT_EQ(profiles(one), 1) << "the second profile was not deleted";
  EXPECT_STREQ(one.child("player").attribute("name").value(), kFirstName);

  // Enter closes the screen with the remaining profile picked; the title greets it again.
  const PICTURE back = keyTo("Return", kTitle);
  ASSERT_TRUE(session->fGame().fWaitForLog("SAVE ACCESS", 60s));
  session->fShot("14_title_after_players");
  EXPECT_TRUE(layout->fPanelAtRest(back)) << "the players screen did not return to the title";
  EXPECT_STREQ(waitForFile([](const pugi::xml_document&) { return true; }).child("lastplayer").attribute("lpname").value(),
               kFirstName);

  // Quit asks; Enter confirms; the program ends with status 0.
  const PICTURE quitQuestion = clickTo(layout->quitX, layout->buttonsY, kTitleWithBox);
  session->fShot("15_quit_question");
  EXPECT_GT(back.fChangedPixels(quitQuestion, middleX - 150, middleY - 100, 300, 200), kBoxPixels)
      << "Quit opened no box";
  EXPECT_TRUE(session->fInput().fKey("Return")) << "xdotool failed";
  const std::optional<int> second = session->fWaitExit(60s);
  EXPECT_TRUE(qor_e2e::fExitedWith(second, 0)) << "second run ended with status " << (second ? *second : -1);
  expectNoMissingResource(session->fGame().fLog(), "the second run");

  // Quitting changed nothing in the file: the one player is still the last one.
  pugi::xml_document again;
  ASSERT_TRUE(again.load_file(playerFile().c_str()));
  EXPECT_STREQ(again.child("lastplayer").attribute("lpname").value(), kFirstName);
  EXPECT_EQ(profiles(again), 1);
}

}  // namespace
