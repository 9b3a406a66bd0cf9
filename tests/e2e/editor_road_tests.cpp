// The real level editor on a plain X server, with real message boxes, driven by real X events:
// closing its window with unsaved work asks as Escape does, in a box that stands over the window
// wherever the window was moved, wholly on the screen, while the window goes on answering the
// window manager's pings; a close asked for again meanwhile never overrides the answer, so Cancel
// leaves the editor running and editing, and OK then quits. Without unsaved work a close quits at
// once, and a quit signal is no question.
#include "tests/e2e/kit/e2e_session.h"
#include "tests/e2e/kit/road_checks.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

using namespace std::chrono_literals;
using qor_e2e::E2E_SESSION;
using qor_e2e::PICTURE;
using qor_e2e::WINDOW_PLACE;
using qor_e2e::X_INPUT;
using qor_e2e::X_WINDOW;

// The editor's resolution, the private display's screen and the caption of the editor's boxes.
constexpr int kWidth = 1260;
constexpr int kHeight = 800;
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;
constexpr char kBoxTitle[] = "Lantern Tiles level editor";
constexpr char kStarted[] = "level editor: levels are saved to";
// Two grid cells the game shows whole: the board's origin right of the menu (280, 96), then 4 and
// 8 half tiles (30 x 38) across and 4 down.
constexpr int kCellY = 96 + 4 * 38;
constexpr int kFirstCellX = 280 + 4 * 30;
constexpr int kSecondCellX = 280 + 8 * 30;
// A tile drawn over the grid changes far more than this of its cell.
constexpr int kTilePixels = 800;

std::string testName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

// Starts the editor with real boxes and waits until it runs.
bool startEditor(E2E_SESSION& session) {
  if (!session.fStartGame(QOR_E2E_EDITOR, {{"QOR_NONINTERACTIVE", "0"}})) {
    ADD_FAILURE() << session.fError();
    return false;
  }
  if (!session.fGame().fWaitForLog(kStarted, 120s)) {
    ADD_FAILURE() << "the editor did not start; log:\n" << session.fGame().fLog();
    return false;
  }
  return true;
}

// Clicks a tile onto the cell at (x, y) of the grid and waits until it is drawn there with the
// pointer away from the grid (the cursor tile would look the same): false when none is.
bool paintTile(E2E_SESSION& session, X_INPUT& input, int x, int y) {
  input.fMoveTo(120.0f, 700.0f);
  const PICTURE before = session.fWaitStill(200);
  if (before.fEmpty() || !input.fClickAt(static_cast<float>(x + 10), static_cast<float>(y + 10)) ||
      !input.fMoveTo(120.0f, 700.0f)) {
    return false;
  }
  return !session
              .fWaitForPicture([&](const PICTURE& now) {
                return now.fChangedPixels(before, x - 40, y - 60, 100, 120) > kTilePixels;
              })
              .fEmpty();
}

int centre(int start, int size) { return start + size / 2; }

TEST(EditorRoad, ItsCloseAsksAboutUnsavedWorkInABoxOverTheWindowThatKeepsAnsweringAndCancelKeepsIt) {
  E2E_SESSION session(testName(), QOR_E2E_ARTEFACTS);
  ASSERT_TRUE(session.fStartDisplay()) << session.fError();
  ASSERT_TRUE(startEditor(session));
  X_INPUT input(session.fDisplayName(), session.fWindow(), kWidth, kHeight);
  ASSERT_TRUE(paintTile(session, input, kFirstCellX, kCellY)) << "no tile painted; log:\n" << session.fGame().fLog();
  session.fShot("01_tile_painted");

  // The window dragged down and to the right, off the screen's middle; its close asks.
  X_WINDOW& editor = session.fWindow();
  ASSERT_TRUE(editor.fMoveTo(kScreenWidth - kWidth, kScreenHeight - kHeight));
  const WINDOW_PLACE moved =
      editor.fWaitPlace([](const WINDOW_PLACE& p) { return p.y == kScreenHeight - kHeight; }, [] {}, 30s);
  ASSERT_EQ(moved.y, kScreenHeight - kHeight);
  ASSERT_TRUE(editor.fRequestClose());
  X_WINDOW box;
  ASSERT_TRUE(box.fConnect(session.fDisplayName()));
  ASSERT_TRUE(box.fFindByTitle(kBoxTitle, 60s)) << "the close did not ask; log:\n" << session.fGame().fLog();
  X_WINDOW::fSavePng(box.fGrab(), session.fArtefacts() + "/02_question.png");
  const WINDOW_PLACE question = box.fPlace();
  EXPECT_GE(question.x, 0);
  EXPECT_GE(question.y, 0);
  EXPECT_LE(question.x + question.width, kScreenWidth);
  EXPECT_LE(question.y + question.height, kScreenHeight);
  EXPECT_LE(std::abs(centre(question.x, question.width) - centre(moved.x, moved.width)), 2) << "not over the window";
  EXPECT_LE(std::abs(centre(question.y, question.height) - centre(moved.y, moved.height)), 2) << "not over the window";

  // The window answers the window manager while the question stands; a close asked again
  // meanwhile (read by the editor before the ping's answer) leaves the answer to the player.
  EXPECT_TRUE(editor.fPing(30s)) << "no answer to the window manager's ping";
  ASSERT_TRUE(editor.fRequestClose());
  EXPECT_TRUE(editor.fPing(30s)) << "no answer to the window manager's ping";
  ASSERT_TRUE(input.fKeyInWindow(box.fId(), "Escape")) << "xdotool failed";
  ASSERT_TRUE(box.fWaitNoneTitled(kBoxTitle, 30s)) << "Cancel did not close the question";

  // Cancel kept the editor, still editing: a click on the grid paints (no box takes it).
  EXPECT_TRUE(paintTile(session, input, kSecondCellX, kCellY)) << "the editor does not edit after Cancel; log:\n"
                                                               << session.fGame().fLog();
  session.fShot("03_editing_after_cancel");

  // OK quits.
  ASSERT_TRUE(editor.fRequestClose());
  ASSERT_TRUE(box.fFindByTitle(kBoxTitle, 60s)) << "the close did not ask again; log:\n" << session.fGame().fLog();
  ASSERT_TRUE(input.fKeyInWindow(box.fId(), "Return")) << "xdotool failed";
  const std::optional<int> status = session.fWaitExit(60s);
  EXPECT_TRUE(qor_e2e::fExitedWith(status, 0)) << "status " << (status ? *status : -1) << "; log:\n"
                                               << session.fGame().fLog();
}

// Without unsaved work the close quits at once; with it, a quit signal quits without asking.
TEST(EditorRoad, ACloseWithoutUnsavedWorkOrByAQuitSignalQuitsAtOnce) {
  E2E_SESSION session(testName(), QOR_E2E_ARTEFACTS);
  ASSERT_TRUE(session.fStartDisplay()) << session.fError();
  for (const bool edited : {false, true}) {
    SCOPED_TRACE(edited ? "unsaved work, SIGTERM" : "no unsaved work, the window's close");
    ASSERT_TRUE(startEditor(session));
    if (edited) {
      X_INPUT input(session.fDisplayName(), session.fWindow(), kWidth, kHeight);
      ASSERT_TRUE(paintTile(session, input, kFirstCellX, kCellY)) << session.fGame().fLog();
      ASSERT_EQ(kill(session.fGame().fPid(), SIGTERM), 0);
    } else {
      ASSERT_TRUE(session.fWindow().fRequestClose());
    }
    const std::optional<int> status = session.fWaitExit(60s);
    EXPECT_TRUE(qor_e2e::fExitedWith(status, 0)) << "status " << (status ? *status : -1) << "; log:\n"
                                                 << session.fGame().fLog();
  }
}

}  // namespace
