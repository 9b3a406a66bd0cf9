// The real game from a fresh start to its quit, through its own window on a private X display,
// driven only by real pointer and key events: the splashes and loading end at the title; Play
// asks for the first player's name, which is typed and confirmed, and the profile lands in
// player.xml; the next start greets that player, and Quit confirmed with Enter ends the program
// with status 0. Neither run logs a missing resource. Each screen passed is kept as a PNG under
// e2e_screenshots/ of the build folder, beside the runs' logs.
#include "game/board/pack_passwords.h"
#include "tests/e2e/kit/e2e_session.h"
#include "tests/e2e/kit/pack_images.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using qor_e2e::E2E_SESSION;
using qor_e2e::PACK_IMAGE;
using qor_e2e::PICTURE;

const std::string kResources = std::filesystem::path(QOR_E2E_GAME).parent_path().string() + "/Resources/";
constexpr int kWidth = 1024;  // the game's resolution
constexpr int kHeight = 768;

// Log lines the engine and the game write when a resource is missing or does not load; with the
// dialogs turned into log lines, a "MessageBox [" line is a dialog the player would have seen.
const std::vector<std::string> kMissingResourceLines = {
    "No resource",  "Not find",          "not loaded",           "Resource not found", "Res not loaded",
    "No pack named", "not read:",        "not opened:",          "Textue not load",    "rror loading font",
    "Resource error", "Resources folder missing", "resource not ready", "Resource is not",  "MessageBox [",
};

void expectNoMissingResource(const std::string& log, const std::string& run) {
  for (const std::string& line : kMissingResourceLines) {
    const std::size_t at = log.find(line);
    EXPECT_EQ(at, std::string::npos) << run << " logs \"" << line << "\": "
                                     << (at == std::string::npos ? std::string() : log.substr(at, 160));
  }
}

bool exitedWith(const std::optional<int>& status, int code) {
  return status && WIFEXITED(*status) && WEXITSTATUS(*status) == code;
}

// Where the title draws its panel and buttons, from the panel picture of the built data: the
// panel rests centred at x = width / 2 with its lower edge one pixel below the screen; the three
// buttons stand 8 pixels above its centre, Quit 140 to the right, Players 140 to the left.
struct TITLE_LAYOUT {
  PACK_IMAGE panel;
  int panelX = 0;  // centre of the panel at rest
  int panelY = 0;
  int buttonsY = 0;
  int playX = 0;
  int quitX = 0;

  explicit TITLE_LAYOUT(PACK_IMAGE image) : panel(std::move(image)) {
    panelX = kWidth / 2;
    panelY = kHeight - panel.height / 2 + 1;
    buttonsY = panelY - 8;
    playX = kWidth / 2;
    quitX = kWidth / 2 + 140;
  }

  // True when the panel stands at rest in the picture: at points of its opaque margins (clear of
  // the buttons, their labels and the greeting) the window shows the panel's own pixels, within
  // the colours of the neighbouring picture pixels (the drawing may sit half a pixel off).
  bool fPanelAtRest(const PICTURE& picture) const {
    const int left = panelX - panel.width / 2;
    const int top = panelY - panel.height / 2;
    int compared = 0;
    for (int lx : {20, 60, panel.width - 60, panel.width - 20}) {
      for (int ly : {panel.height / 6, panel.height / 2, panel.height - panel.height / 6}) {
        int low[3] = {255, 255, 255};
        int high[3] = {0, 0, 0};
        bool opaque = true;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            const std::uint32_t p = panel.fAt(lx + dx, ly + dy);
            if ((p >> 24) != 0xFF) opaque = false;
            for (int c = 0; c < 3; ++c) {
              const int v = static_cast<int>((p >> (16 - 8 * c)) & 0xFF);
              low[c] = std::min(low[c], v);
              high[c] = std::max(high[c], v);
            }
          }
        }
        if (!opaque) continue;
        const std::uint32_t shown = picture.fAt(left + lx, top + ly);
        for (int c = 0; c < 3; ++c) {
          const int v = static_cast<int>((shown >> (16 - 8 * c)) & 0xFF);
          if (v < low[c] - 6 || v > high[c] + 6) return false;
        }
        ++compared;
      }
    }
    return compared >= 4;
  }
};

// The caret of a text field blinks; a still picture of a box with a field may differ by it.
constexpr int kCaretPixels = 200;
// A box opening over the middle of the screen changes far more than this there.
constexpr int kBoxPixels = 3000;

class TitleRoad : public ::testing::Test {
 protected:
  void SetUp() override {
    layout = std::make_unique<TITLE_LAYOUT>(qor_e2e::fReadPackImage(
        kResources + "data/surfaces", "TitleScreenButtun_back.png", MAHJONG_PACKS::kSurfaces));
    ASSERT_TRUE(layout->panel.fValid()) << layout->panel.error;
    session = std::make_unique<E2E_SESSION>(::testing::UnitTest::GetInstance()->current_test_info()->name(),
                                            QOR_E2E_ARTEFACTS);
    ASSERT_TRUE(session->fStartDisplay()) << session->fError();
  }

  // Starts the game and waits until its title stands still with the panel at rest; that picture
  // (empty when the title is never reached).
  PICTURE startToTitle(const std::string& shot) {
    if (!session->fStartGame(QOR_E2E_GAME)) {
      ADD_FAILURE() << session->fError();
      return PICTURE();
    }
    EXPECT_EQ(session->fWindow().fTitle(), "Jade Tile Tourney");
    const qor_e2e::WINDOW_PLACE place = session->fWindow().fPlace();
    EXPECT_EQ(place.width, kWidth);
    EXPECT_EQ(place.height, kHeight);
    // The splashes and the loading take three seconds of the loading screen's own clock.
    PICTURE title = session->fWaitForPicture([&](const PICTURE& p) { return layout->fPanelAtRest(p); }, 60s);
    if (!title.fEmpty()) title = session->fWaitStill();
    if (title.fEmpty() || !layout->fPanelAtRest(title)) {
      session->fShot(shot + "_not_reached");
      ADD_FAILURE() << "the title's panel never came to rest; log:\n" << session->fGame().fLog();
      return PICTURE();
    }
    session->fShot(shot);
    return title;
  }

  // Clicks a button of the title (game coordinates) and waits for the picture to settle.
  PICTURE click(int x, int y, int tolerance = 0) {
    EXPECT_TRUE(session->fInput().fClickAt(static_cast<float>(x), static_cast<float>(y)))
        << "xdotool failed (scripts/setup installs it)";
    return session->fWaitStill(tolerance);
  }
  PICTURE key(const std::string& keysym, int tolerance = 0) {
    EXPECT_TRUE(session->fInput().fKey(keysym)) << "xdotool failed";
    return session->fWaitStill(tolerance);
  }

  std::string playerFile() const { return session->fDocuments() + "/Greyfern/Lantern Tiles/player.xml"; }

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
  const PICTURE question = click(layout->playX, layout->buttonsY, kCaretPixels);
  ASSERT_FALSE(question.fEmpty());
  session->fShot("02_name_question");
  EXPECT_GT(title.fChangedPixels(question, middleX - 150, middleY - 100, 300, 200), kBoxPixels) << "Play opened no box";

  // Enter on an empty name keeps the box open and creates nobody.
  const PICTURE stillAsking = key("Return", kCaretPixels);
  EXPECT_LE(question.fChangedPixels(stillAsking), kCaretPixels) << "an empty name closed the box";
  EXPECT_FALSE(session->fGame().fLogHas("newname=="));

  // The typed name shows in the box's field.
  ASSERT_TRUE(session->fInput().fType("Ann Lee")) << "xdotool failed";
  const PICTURE typed = session->fWaitStill(kCaretPixels);
  session->fShot("03_name_typed");
  EXPECT_GT(question.fChangedPixels(typed, middleX - 200, middleY - 120, 400, 240), 2 * kCaretPixels)
      << "the typed name is not shown";

  // Enter accepts it: the profile is saved and the title leaves for the start comic.
  ASSERT_TRUE(session->fInput().fKey("Return")) << "xdotool failed";
  ASSERT_TRUE(session->fGame().fWaitForLog("+====================== newname== Ann Lee", 10s))
      << session->fGame().fLog();
  const PICTURE after = session->fWaitStill();
  session->fShot("04_after_name");
  EXPECT_FALSE(layout->fPanelAtRest(after)) << "the title stayed after the name was accepted";

  pugi::xml_document players;
  ASSERT_TRUE(players.load_file(playerFile().c_str())) << playerFile();
  EXPECT_STREQ(players.child("lastplayer").attribute("lpname").value(), "Ann Lee");
  int named = 0;
  for (const pugi::xml_node& player : players.children("player")) {
    if (std::string(player.attribute("name").value()) == "Ann Lee") ++named;
  }
  EXPECT_EQ(named, 1);
  EXPECT_TRUE(players.child("packs")) << "the file lost its packs";
  EXPECT_TRUE(players.child("ranks")) << "the file lost its ranks";

  // The desktop's close button ends the first run cleanly.
  ASSERT_TRUE(session->fWindow().fRequestClose());
  const std::optional<int> first = session->fWaitExit(20s);
  EXPECT_TRUE(exitedWith(first, 0)) << "first run ended with status " << (first ? *first : -1);
  expectNoMissingResource(session->fGame().fLog(), "the first run");

  // Second run on the same HOME: the player is known and greeted by name under "welcome".
  const PICTURE greeted = startToTitle("05_title_second_run");
  ASSERT_FALSE(greeted.fEmpty());
  EXPECT_TRUE(session->fGame().fLogHas("File exists"));
  EXPECT_GT(title.fChangedPixels(greeted, middleX - 200, layout->buttonsY - 200, 400, 120), 1000)
      << "the greeting does not show the player";

  // Quit asks; Enter confirms; the program ends with status 0.
  const PICTURE quitQuestion = click(layout->quitX, layout->buttonsY);
  session->fShot("06_quit_question");
  EXPECT_GT(greeted.fChangedPixels(quitQuestion, middleX - 150, middleY - 100, 300, 200), kBoxPixels)
      << "Quit opened no box";
  EXPECT_TRUE(session->fInput().fKey("Return")) << "xdotool failed";
  const std::optional<int> second = session->fWaitExit(20s);
  EXPECT_TRUE(exitedWith(second, 0)) << "second run ended with status " << (second ? *second : -1);
  expectNoMissingResource(session->fGame().fLog(), "the second run");

  // Quitting changed nothing in the file: the one player is still the last one.
  pugi::xml_document again;
  ASSERT_TRUE(again.load_file(playerFile().c_str()));
  EXPECT_STREQ(again.child("lastplayer").attribute("lpname").value(), "Ann Lee");
  EXPECT_EQ(std::distance(again.children("player").begin(), again.children("player").end()), 1);
}

}  // namespace
