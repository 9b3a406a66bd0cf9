// The real level editor on a plain X server with real message boxes, driven by real X events. A
// close without unsaved work quits at once; with it, the close asks, in a box over the window
// (moved off the screen's middle) and wholly on the screen, while the window answers the window
// manager's pings; a close and an Escape aimed at the window meanwhile never override the
// answer, so Cancel leaves the editor editing, and OK then quits. A quit signal is no question.
#include "tests/e2e/kit/e2e_session.h"
#include "tests/e2e/kit/road_checks.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <optional>

namespace {

using namespace std::chrono_literals;
using qor_e2e::PICTURE;
using qor_e2e::WINDOW_PLACE;

constexpr int kWidth = 1260;  // the editor's resolution on a screen of 1280 x 1024
constexpr int kHeight = 800;
constexpr char kBoxTitle[] = "Lantern Tiles level editor";
// Grid cells the game shows whole: the board's origin (280, 96), 4 and 8 half tiles across.
constexpr int kCellY = 96 + 4 * 38;

class EditorRoad : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(session.fStartDisplay()) << session.fError(); }

  void start() {
    ASSERT_TRUE(session.fStartGame(QOR_E2E_EDITOR, {{"QOR_NONINTERACTIVE", "0"}})) << session.fError();
    ASSERT_TRUE(session.fGame().fWaitForLog("level editor: levels are saved to", 120s)) << session.fGame().fLog();
    input.emplace(session.fDisplayName(), session.fWindow(), kWidth, kHeight);
  }

  // Clicks a tile onto the cell at x and waits until it is drawn, the pointer away from the grid
  // (where the cursor tile would look the same): false when it never is.
  bool paint(int x) {
    input->fMoveTo(120.0f, 700.0f);
    const PICTURE before = session.fWaitStill(200);
    if (before.fEmpty() || !input->fClickAt(static_cast<float>(x + 10), kCellY + 10.0f)) return false;
    input->fMoveTo(120.0f, 700.0f);
    return !session
                .fWaitForPicture([&](const PICTURE& now) {
                  return now.fChangedPixels(before, x - 40, kCellY - 60, 100, 120) > 800;
                })
                .fEmpty();
  }

  void expectExit() {
    const std::optional<int> status = session.fWaitExit(60s);
    EXPECT_TRUE(qor_e2e::fExitedWith(status, 0)) << status.value_or(-1) << "; log:\n" << session.fGame().fLog();
  }

  qor_e2e::E2E_SESSION session{::testing::UnitTest::GetInstance()->current_test_info()->name(), QOR_E2E_ARTEFACTS};
  std::optional<qor_e2e::X_INPUT> input;
};

TEST_F(EditorRoad, ItsWindowCloseAsksAboutUnsavedWorkOverTheWindowAndOnlyThePlayerAnswers) {
  start();
  ASSERT_TRUE(session.fWindow().fRequestClose());
  expectExit();

  start();
  ASSERT_TRUE(paint(280 + 4 * 30)) << session.fGame().fLog();
  qor_e2e::X_WINDOW& editor = session.fWindow();
  ASSERT_TRUE(editor.fMoveTo(1280 - kWidth, 1024 - kHeight));
  const WINDOW_PLACE moved = editor.fWaitPlace([](const WINDOW_PLACE& p) { return p.y == 1024 - kHeight; }, [] {}, 30s);
  ASSERT_TRUE(editor.fRequestClose());
  qor_e2e::X_WINDOW box;
  ASSERT_TRUE(box.fConnect(session.fDisplayName()));
  ASSERT_TRUE(box.fFindByTitle(kBoxTitle, 60s)) << "the close did not ask; log:\n" << session.fGame().fLog();
  qor_e2e::X_WINDOW::fSavePng(box.fGrab(), session.fArtefacts() + "/question.png");
  const WINDOW_PLACE place = box.fPlace();
  EXPECT_TRUE(place.x >= 0 && place.y >= 0 && place.x + place.width <= 1280 && place.y + place.height <= 1024);
  EXPECT_LE(std::abs(place.x + place.width / 2 - (moved.x + moved.width / 2)), 2);
  EXPECT_LE(std::abs(place.y + place.height / 2 - (moved.y + moved.height / 2)), 2);

  // Each ping's answer also says the editor has read what came before it.
  EXPECT_TRUE(editor.fPing(30s)) << "no answer to the window manager while the box stands";
  ASSERT_TRUE(editor.fRequestClose());
  ASSERT_TRUE(input->fKeyInWindow(editor.fId(), "Escape"));
  EXPECT_TRUE(editor.fPing(30s));
  ASSERT_TRUE(input->fKeyInWindow(box.fId(), "Escape"));
  ASSERT_TRUE(box.fWaitNoneTitled(kBoxTitle, 30s));
  EXPECT_TRUE(paint(280 + 8 * 30)) << "no editing after Cancel (a box or a quit took it):\n" << session.fGame().fLog();

  ASSERT_TRUE(editor.fRequestClose());
  ASSERT_TRUE(box.fFindByTitle(kBoxTitle, 60s)) << session.fGame().fLog();
  ASSERT_TRUE(input->fKeyInWindow(box.fId(), "Return"));
  expectExit();

  start();
  ASSERT_TRUE(paint(280 + 4 * 30)) << session.fGame().fLog();
  ASSERT_EQ(kill(session.fGame().fPid(), SIGTERM), 0);
  expectExit();
}

}  // namespace
