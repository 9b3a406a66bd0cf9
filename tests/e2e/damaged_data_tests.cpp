// The real game where it cannot go on, on a plain X server with real message boxes. Over a copy of
// its data with one byte flipped inside an entry the title needs (its picture, the constants, the
// effect timings, the texts, the player defaults, a font), the player is told once, in a box
// naming the pack, the entry and the cause; the title cannot be shown, so once the box is answered
// the start ends with status 1 instead of leaving a dead or black screen. A quit signal closes a
// box the game waits on and the game quits with status 0; however the game ends, its box goes with
// it, and a box that closes gives the keyboard back to the game's window. A display that goes away
// ends the game at once with a log line and status 1.
#include "tests/e2e/kit/e2e_session.h"
#include "tests/e2e/kit/road_checks.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using qor_e2e::E2E_SESSION;

const fs::path kResources = fs::path(QOR_E2E_GAME).parent_path() / "Resources";
constexpr char kBoxTitle[] = "Damaged game data";

std::string testName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

// A copy of the game's folder under folder: Resources of links to the built data, except the pack
// given, which is left out when entry is empty and otherwise copied with one byte in the middle of
// entry's data flipped. False when the entry is not there.
bool damagedCopy(const fs::path& folder, const std::string& pack, const std::string& entry) {
  const fs::path copy = folder / "Resources";
  fs::create_directories(copy);
  for (const fs::directory_entry& item : fs::recursive_directory_iterator(kResources)) {
    const fs::path relative = fs::relative(item.path(), kResources);
    if (item.is_directory()) {
      fs::create_directories(copy / relative);
    } else if (relative != fs::path(pack)) {
      fs::create_symlink(item.path(), copy / relative);
    }
  }
  if (entry.empty()) return true;
  std::ifstream in(kResources / pack, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // The entry's local header: "PK\3\4", 26 bytes, then its name; its data follows name and extra.
  for (std::size_t at = bytes.find("PK\3\4"); at != std::string::npos; at = bytes.find("PK\3\4", at + 1)) {
    if (at + 30 > bytes.size()) break;
    const auto word = [&](std::size_t offset) {
      return static_cast<std::size_t>(static_cast<unsigned char>(bytes[at + offset])) |
             static_cast<std::size_t>(static_cast<unsigned char>(bytes[at + offset + 1])) << 8;
    };
    const std::size_t nameLength = word(26);
    if (bytes.compare(at + 30, nameLength, entry) != 0 || nameLength != entry.size()) continue;
    const std::size_t data = at + 30 + nameLength + word(28);
    const std::size_t stored = word(18) | word(20) << 16;
    bytes[data + stored / 2] = static_cast<char>(bytes[data + stored / 2] ^ 0x5A);
    std::ofstream(copy / pack, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return true;
  }
  return false;
}

struct TITLE_DATUM {
  const char* pack;
  const char* entry;
  const char* missing;  // how the title's check names it
};
void PrintTo(const TITLE_DATUM& datum, std::ostream* out) { *out << datum.pack << " " << datum.entry; }

class DamagedData : public ::testing::TestWithParam<TITLE_DATUM> {};

TEST_P(DamagedData, ADamagedDatumOfTheTitleIsToldInABoxAndEndsTheStart) {
  const TITLE_DATUM datum = GetParam();
  E2E_SESSION session(testName(), QOR_E2E_ARTEFACTS);
  ASSERT_TRUE(session.fStartDisplay()) << session.fError();
  const fs::path game = fs::path(session.fHome()) / "game";
  ASSERT_TRUE(damagedCopy(game, datum.pack, datum.entry)) << datum.entry << " is not in " << datum.pack;
  session.fRunFrom(game.string());
  // Real boxes this time, as a player's desktop shows them.
  ASSERT_TRUE(session.fLaunch(QOR_E2E_GAME, {{"QOR_NONINTERACTIVE", "0"}})) << session.fError();

  ASSERT_TRUE(session.fWindow().fFindByTitle(kBoxTitle, 90s)) << "no box on the screen; log:\n" << session.fGame().fLog();
  session.fShot("01_damaged_data_box");
  const std::string named = std::string("Pack ") + datum.pack + " entry " + datum.entry + " not read: damaged data";
  EXPECT_TRUE(session.fGame().fLogHas(named)) << session.fGame().fLog();
  EXPECT_TRUE(session.fInput().fKeyInWindow(session.fWindow().fId(), "Return")) << "xdotool failed";

  const std::optional<int> status = session.fWaitExit(120s);
  ASSERT_TRUE(status.has_value()) << "the game went on after the box; log:\n" << session.fGame().fLog();
  EXPECT_TRUE(qor_e2e::fExitedWith(status, 1)) << "status " << *status << "; log:\n" << session.fGame().fLog();
  const std::string log = session.fGame().fLog();
  EXPECT_NE(log.find(std::string("The title cannot be shown: ") + datum.missing + " did not load"), std::string::npos)
      << log;
  EXPECT_NE(log.find("The start ends: the title cannot be shown"), std::string::npos) << log;
  // However often it is read (a picture: the loading screen, then the title), told once.
  const std::size_t first = log.find(named);
  EXPECT_EQ(log.find(named, first + 1), std::string::npos) << "the damaged entry was logged twice";
  EXPECT_EQ(log.find("Game loaded"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    EveryDatumTheTitleNeeds, DamagedData,
    ::testing::Values(TITLE_DATUM{"data/surfaces", "title_screen.jpg", "title_screen.jpg"},
                      TITLE_DATUM{"XML/config", "consts.xml", "consts.xml"},
                      TITLE_DATUM{"XML/config", "fx_params.xml", "fx_params.xml"},
                      TITLE_DATUM{"XML/config", "strings.xml", "strings.xml"},
                      TITLE_DATUM{"XML/config", "default_player.xml", "default_player.xml"},
                      TITLE_DATUM{"data/fonts", "regular.fnt", "the regular font"}));

// Starts a copy of the game without the sounds' pack, which it tells in a box and waits on; false
// (with the test failed) when the box did not come.
bool launchToTheMissingSoundsBox(E2E_SESSION& session) {
  if (!session.fStartDisplay()) {
    ADD_FAILURE() << session.fError();
    return false;
  }
  const fs::path game = fs::path(session.fHome()) / "game";
  if (!damagedCopy(game, "data/audio", "")) {
    ADD_FAILURE() << "no damaged copy";
    return false;
  }
  session.fRunFrom(game.string());
  if (!session.fLaunch(QOR_E2E_GAME, {{"QOR_NONINTERACTIVE", "0"}})) {
    ADD_FAILURE() << session.fError();
    return false;
  }
  if (!session.fWindow().fFindByTitle(kBoxTitle, 90s)) {
    ADD_FAILURE() << "no box on the screen; log:\n" << session.fGame().fLog();
    return false;
  }
  return true;
}

// Without the sounds' pack the game tells it in a box and waits; the signal comes while it waits.
class QuitOverABox : public ::testing::TestWithParam<int> {};

TEST_P(QuitOverABox, ClosesItOrEndsWithItAndTheBoxNeverOutlivesTheGame) {
  E2E_SESSION session(testName(), QOR_E2E_ARTEFACTS);
  ASSERT_TRUE(launchToTheMissingSoundsBox(session));
  ASSERT_EQ(kill(session.fGame().fPid(), GetParam()), 0);

  const std::optional<int> status = session.fWaitExit(120s);
  ASSERT_TRUE(status.has_value()) << "the game went on after " << strsignal(GetParam()) << "; log:\n"
                                  << session.fGame().fLog();
  if (GetParam() != SIGKILL) {
    EXPECT_TRUE(qor_e2e::fExitedWith(status, 0)) << "status " << *status << "; log:\n" << session.fGame().fLog();
    EXPECT_TRUE(session.fGame().fLogHas("Quit signal: closing the window")) << session.fGame().fLog();
  }
  EXPECT_TRUE(session.fWindow().fWaitNoneTitled(kBoxTitle, 30s)) << "the box outlived the game";
}

INSTANTIATE_TEST_SUITE_P(TermAndKill, QuitOverABox, ::testing::Values(SIGTERM, SIGKILL));

// With no window manager nobody hands the keyboard back when a box closes: the game's window takes
// it again itself, or no key would reach the game from then on.
TEST(ClosedBox, GivesTheKeyboardBackToTheGameWindow) {
  E2E_SESSION session(testName(), QOR_E2E_ARTEFACTS);
  ASSERT_TRUE(launchToTheMissingSoundsBox(session));
  EXPECT_TRUE(session.fInput().fKeyInWindow(session.fWindow().fId(), "Return")) << "xdotool failed";
  ASSERT_TRUE(session.fWindow().fWaitNoneTitled(kBoxTitle, 30s)) << "the box did not close";
  ASSERT_TRUE(session.fWindow().fFindByPid(session.fGame().fPid(), 30s)) << session.fGame().fLog();
  EXPECT_TRUE(session.fWindow().fWaitFocused(30s)) << "the game's window did not get the keyboard back";
}

// The X server ends with the game at rest on the title: the game says why and ends, non-zero, and
// its exit closes the sound device instead of waiting on or crashing in the sound thread.
TEST(LostDisplay, EndsTheGameWithALogLineAndStatusOne) {
  E2E_SESSION session(testName(), QOR_E2E_ARTEFACTS);
  ASSERT_TRUE(session.fStartDisplay()) << session.fError();
  ASSERT_TRUE(session.fStartGame(QOR_E2E_GAME)) << session.fError();
  ASSERT_TRUE(session.fWaitForRest(0, "screen=4", 120s)) << session.fGame().fLog();
  session.fStopDisplay();

  const std::optional<int> status = session.fWaitExit(60s);
  ASSERT_TRUE(status.has_value()) << "the game outlived its display; log:\n" << session.fGame().fLog();
  EXPECT_TRUE(qor_e2e::fExitedWith(status, 1)) << "status " << *status << "; log:\n" << session.fGame().fLog();
  EXPECT_TRUE(session.fGame().fLogHas(" went away: the game ends")) << session.fGame().fLog();
  EXPECT_TRUE(session.fGame().fLogHas("\nAL closed")) << session.fGame().fLog();
  EXPECT_FALSE(session.fGame().fLogHas("device not closed")) << session.fGame().fLog();
}

}  // namespace
