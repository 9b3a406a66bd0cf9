// The real game over a copy of its data with one byte of the title's picture flipped inside its
// pack, on a plain X server with real message boxes: the player is told once, in a box on the
// screen naming the pack, the entry and the cause; the title cannot be shown without the picture,
// so once the box is answered the start ends with status 1 instead of leaving a black screen.
#include "tests/e2e/kit/e2e_session.h"
#include "tests/e2e/kit/road_checks.h"

#include <gtest/gtest.h>

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
constexpr char kPack[] = "data/surfaces";
constexpr char kEntry[] = "title_screen.jpg";

// A copy of the game's folder under folder: Resources of links to the built data, except the pack
// given, which is copied with one byte of entry's data flipped. False when the entry is not there.
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
    bytes[data + 1000] = static_cast<char>(bytes[data + 1000] ^ 0x5A);
    std::ofstream(copy / pack, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return true;
  }
  return false;
}

TEST(DamagedData, ADamagedTitlePictureIsToldInABoxAndEndsTheStart) {
  E2E_SESSION session(::testing::UnitTest::GetInstance()->current_test_info()->name(), QOR_E2E_ARTEFACTS);
  ASSERT_TRUE(session.fStartDisplay()) << session.fError();
  const fs::path game = fs::path(session.fHome()) / "game";
  ASSERT_TRUE(damagedCopy(game, kPack, kEntry)) << kEntry << " is not in " << kPack;
  session.fRunFrom(game.string());
  // Real boxes this time, as a player's desktop shows them.
  ASSERT_TRUE(session.fLaunch(QOR_E2E_GAME, {{"QOR_NONINTERACTIVE", "0"}})) << session.fError();

  ASSERT_TRUE(session.fWindow().fFindByTitle("Damaged game data", 90s)) << "no box on the screen; log:\n"
                                                                       << session.fGame().fLog();
  session.fShot("01_damaged_data_box");
  const std::string named = std::string("Pack ") + kPack + " entry " + kEntry + " not read: damaged data";
  EXPECT_TRUE(session.fGame().fLogHas(named)) << session.fGame().fLog();
  EXPECT_TRUE(session.fInput().fKeyInWindow(session.fWindow().fId(), "Return")) << "xdotool failed";

  const std::optional<int> status = session.fWaitExit(120s);
  ASSERT_TRUE(status.has_value()) << "the game went on after the box; log:\n" << session.fGame().fLog();
  EXPECT_TRUE(qor_e2e::fExitedWith(status, 1)) << "status " << *status << "; log:\n" << session.fGame().fLog();
  const std::string log = session.fGame().fLog();
  EXPECT_NE(log.find("The title cannot be shown: title_screen.jpg did not load"), std::string::npos) << log;
  EXPECT_NE(log.find("The start ends: the title cannot be shown"), std::string::npos) << log;
  // Read twice (the loading screen, then the title), told once.
  const std::size_t first = log.find(named);
  EXPECT_EQ(log.find(named, first + 1), std::string::npos) << "the damaged entry was logged twice";
  EXPECT_EQ(log.find("Game loaded"), std::string::npos);
}

}  // namespace
