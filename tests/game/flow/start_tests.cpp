// The real game program, started as a desktop starts it (a real window and GL on SDL's offscreen
// driver, a scratch home): main reaches the game's entry, loading ends on the title, and SIGTERM
// closes it with exit code 0, the sound device closed. With a pack the title does not need missing
// it still reaches the title; without the data the title needs it tells so (one box for a missing
// Resources folder) and exits 1. Started with no display at all (and without asking for the
// offscreen driver), it says why and exits 1.
#include "tests/kit/child_process.h"
#include "tests/kit/file_bytes.h"
#include "tests/kit/other_user.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using qor_test::ChildProcess;

// Bounds of the safety net only: a healthy start takes a few seconds.
constexpr std::chrono::seconds kStartLimit{120};
constexpr std::chrono::seconds kEndLimit{60};

class StartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "qor_game_start_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    _scratch = pattern;
    fs::create_directories(_scratch / "home" / "Documents");
  }
  void TearDown() override {
    std::error_code error;
    fs::remove_all(_scratch, error);
  }

  // Runs the program in folder until the title is reached, then asks it to quit (or, expecting
  // another exit code, until it ends by itself); the output.
  std::string run(const fs::path& folder, int code = 0, const std::string& program = QOR_GAME_PROGRAM,
                  long user = -1) {
    ChildProcess child;
    child.fRunAs(user);
    EXPECT_TRUE(child.fStart(program, folder.string(), environment()));
    if (code == 0) {
      EXPECT_TRUE(child.fWaitFor("\nGame loaded", kStartLimit)) << child.fOutput();
      EXPECT_TRUE(child.fSignal(SIGTERM));
    }
    const int status = child.fFinish(kStartLimit);
    EXPECT_TRUE(status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == code) << "status " << status << "\n"
                                                                                << child.fOutput();
    // However it ends, the sound device is closed first.
    EXPECT_NE(child.fOutput().find("\nAL closed"), std::string::npos) << child.fOutput();
    EXPECT_EQ(child.fOutput().find("device not closed"), std::string::npos) << child.fOutput();
    return child.fOutput();
  }

  std::vector<std::string> environment() const {
    return {"HOME=" + (_scratch / "home").string(), "XDG_DOCUMENTS_DIR=" + documents().string()};
  }
  fs::path documents() const { return _scratch / "home" / "Documents"; }
  fs::path playerFile() const { return documents() / "Greyfern" / "Lantern Tiles" / "player.xml"; }

  fs::path _scratch;
};

// The built game with all of its data: the entry's hooks run (their log lines in order), the
// first run makes player.xml, nothing is reported missing.
TEST_F(StartTest, MainReachesTheGameAndItsTitle) {
  const std::string output = run(QOR_TEST_GAME_DIR);
  std::size_t at = 0;
  for (const char* line : {"cd: ", "MAHJONG_GAME_MANAGER::CheckPlayer()", "Init dark back", "123", "456",
                           "Game loaded", "Quit signal: closing the window"}) {
    const std::size_t found = output.find(std::string("\n") + line, at);
    ASSERT_NE(found, std::string::npos) << "missing or out of order: " << line << "\n" << output;
    at = found + 1;
  }
  EXPECT_TRUE(fs::is_regular_file(playerFile()));
  for (const char* missing : {"No resource", "Resource not found", "Not find", "not loaded", "Cant load content",
                              "not opened", "No window icon", "error loading font"}) {
    EXPECT_EQ(output.find(missing), std::string::npos) << missing << "\n" << output;
  }
}

// One game per player file: a second start on the same documents folder is told in one box and
// ends with status 0 before it opens a window or reads player.xml; a game killed (no way to let go
// of anything) does not keep the next start from its title.
TEST_F(StartTest, ASecondGameOnOnePlayerFileIsToldAndEnds) {
  ChildProcess first;
  ASSERT_TRUE(first.fStart(QOR_GAME_PROGRAM, QOR_TEST_GAME_DIR, environment()));
  ASSERT_TRUE(first.fWaitFor("\nGame loaded", kStartLimit)) << first.fOutput();
  const std::string before = qor_test::fReadBytes(playerFile().string());
  ChildProcess second;
  ASSERT_TRUE(second.fStart(QOR_GAME_PROGRAM, QOR_TEST_GAME_DIR, environment()));
  const int status = second.fFinish(kEndLimit);
  EXPECT_TRUE(status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << second.fOutput();
  const std::string& output = second.fOutput();
  const std::size_t box = output.find("MessageBox [Jade Tile Tourney] Jade Tile Tourney is already running.");
  EXPECT_TRUE(box != std::string::npos && box == output.rfind("MessageBox [")) << "not one box\n" << output;
  EXPECT_EQ(output.find("CheckPlayer"), std::string::npos) << output;
  EXPECT_EQ(output.find("WindowInit"), std::string::npos) << output;
  EXPECT_EQ(qor_test::fReadBytes(playerFile().string()), before);

  ASSERT_TRUE(first.fSignal(SIGKILL));
  first.fFinish(kEndLimit);
  run(QOR_TEST_GAME_DIR);
}

// A game folder that cannot hold the lock never stops a start: one the player cannot write to, or
// one another user made, open to all, where that user holds the lock (two real users when the
// tests run as root). The start plays on from memory, told in one box before its title, never
// "already running", and the other user's player.xml stays as it was.
TEST_F(StartTest, AGameFolderThatCannotHoldTheLockNeverStopsTheStart) {
  const bool real = qor_test::OtherUser::isReal();
  const fs::path folder = playerFile().parent_path();
  fs::permissions(_scratch, fs::perms::all);
  fs::permissions(documents(), fs::perms::all | fs::perms::sticky_bit);
  const struct { const char* what; bool theirs; std::string told; } rows[] = {
      {"the player's own, read-only, with a damaged player.xml", false, "Permission denied"},
      {"another user's, open to all", true,
       real ? folder.parent_path().string() + " belongs to another user" : "other users can write to"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    fs::remove_all(documents() / "Greyfern");
    qor_test::OtherUser other;
    ASSERT_EQ(other.fRun([&] {
      std::error_code error;
      fs::create_directories(folder, error);
      for (const fs::path& made : {folder.parent_path(), folder}) {
        fs::permissions(made, row.theirs ? fs::perms::all : fs::perms::owner_all, error);
      }
      qor_test::fWriteBytes(playerFile().string(), "their own");
      if (row.theirs) qor_test::fWriteBytes((folder / "player.lock").string(), "");
      if (!row.theirs) fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec, error);
      return error ? 1 : 0;
    }), 0);
    // Whoever holds the lock there, the start must not take it for another game's.
    const int lock = open((folder / "player.lock").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_TRUE(!row.theirs || flock(lock, LOCK_EX) == 0);
    const long player = real && !row.theirs ? long{qor_test::OtherUser::kNobody} : -1L;
    const std::string output = run(QOR_TEST_GAME_DIR, 0, QOR_GAME_PROGRAM, player);
    close(lock);
    EXPECT_NE(output.find("\nThe player file is not locked against a second game: " + (folder / "player.lock").string() +
                          ": " + row.told),
              std::string::npos)
        << output;
    EXPECT_EQ(output.find("already running"), std::string::npos) << output;
    const std::size_t box = output.find("MessageBox [Progress not saved]");
    EXPECT_TRUE(box < output.find("\nGame loaded") && box == output.rfind("MessageBox [")) << "not one box\n" << output;
    EXPECT_EQ(qor_test::fReadBytes(playerFile().string()), "their own");
  }
}

// Copies of Resources with one pack left out, each told in one box: without one the title does
// not need (the sounds) the start goes on; without the config pack (the title's constants, texts
// and player defaults) or without any Resources folder (one box names the folder for all its
// packs, and the folders looked in: the working one, then the program's), the start ends with
// status 1 once loading has found the title's data missing.
TEST_F(StartTest, MissingPacksAreToldAndOnlyThoseTheTitleNeedsStopTheStart) {
  const fs::path resources = fs::path(QOR_TEST_GAME_DIR) / "Resources";
  const fs::path copy = _scratch / "game" / "Resources";
  // Every entry linked, except the left-out packs inside the folders that hold them.
  const auto linkAll = [](const fs::path& from, const fs::path& to, const std::vector<std::string>& leftOut) {
    fs::create_directories(to);
    for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
      const std::string name = entry.path().filename().string();
      bool skip = false;
      for (const std::string& out : leftOut) skip = skip || out == name;
      if (!skip) fs::create_symlink(entry.path(), to / name);
    }
  };
  // A copy of the program in a folder without Resources: the built one has its data beside it. Its
  // path is longer than the first buffer the program's own path is asked into.
  const fs::path bin = _scratch / std::string(150, 'b') / std::string(150, 'c');
  fs::create_directories(bin);
  fs::copy_file(QOR_GAME_PROGRAM, bin / "lantern_tiles");
  struct ROW {
    std::string folder, pack;  // no folder: no Resources folder at all
    int code;
    std::string line;
  };
  const ROW rows[] = {{"data", "audio", 0, "Pack data/audio not opened: missing"},
                      {"XML", "config", 1, "The title cannot be shown: consts.xml did not load"},
                      {"", "", 1,
                       "Folder: " + (bin / "Resources").string() + "/\nCause: missing or empty\nLooked for Resources in: " +
                           copy.parent_path().string() + "/ and " + bin.string() + "/\n"}};
  for (const ROW& row : rows) {
    fs::remove_all(_scratch / "game");
    fs::create_directories(_scratch / "game");
    if (!row.folder.empty()) {
      linkAll(resources, copy, {row.folder});
      linkAll(resources / row.folder, copy / row.folder, {row.pack});
    }
    const std::string output =
        run(copy.parent_path(), row.code, row.folder.empty() ? (bin / "lantern_tiles").string() : QOR_GAME_PROGRAM);
    EXPECT_NE(output.find(row.line), std::string::npos) << output;
    const std::size_t box = output.find("MessageBox [");
    EXPECT_TRUE(box != std::string::npos && box == output.rfind("MessageBox [")) << "not one box\n" << output;
  }
}

// No display and no driver asked for: SDL would fall back to its offscreen driver and the game
// would run where nobody can see or end it. The start stops at once, says why, and exits 1.
TEST_F(StartTest, AStartWithNoDisplayEndsNonZeroAndSaysWhy) {
  ChildProcess child;
  ASSERT_TRUE(child.fStart(QOR_GAME_PROGRAM, QOR_TEST_GAME_DIR,
                           {"HOME=" + (_scratch / "home").string(), "XDG_DOCUMENTS_DIR=" + documents().string(),
                            "SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"}));
  const int status = child.fFinish(kEndLimit);
  EXPECT_TRUE(status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 1) << "status " << status << "\n"
                                                                           << child.fOutput();
  EXPECT_NE(child.fOutput().find("\nThe game window could not be created: there is no display to open (DISPLAY and "
                                 "WAYLAND_DISPLAY are not set)."),
            std::string::npos)
      << child.fOutput();
  EXPECT_EQ(child.fOutput().find("Game loaded"), std::string::npos);
}

}  // namespace
