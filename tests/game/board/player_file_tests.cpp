// player.xml under faults, through its one writer: a damaged file's repair killed at each of its
// steps, or failing to write, never leaves the next start without a profile the file held whole;
// saves on a full or read-only folder are told once and never make an empty file.
#include "engine/files/qc_file_system.h"
#include "engine/files/replace_file.h"
#include "engine/service/qc_tell_player.h"
#include "game/board/mahjong_player.h"
#include "game/board/mahjong_player_file.h"
#include "host/test_doors.h"
#include "tests/game/kit/game_services.h"
#include "tests/kit/file_bytes.h"
#include "tests/kit/log_capture.h"
#include "tests/kit/other_user.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) { return qor_test::fReadBytes(path.string()); }
void writeBytes(const fs::path& path, const std::string& bytes) { qor_test::fWriteBytes(path.string(), bytes); }

const pugi::xml_document* defaults() {
  static pugi::xml_document document;
  static const bool loaded = document.load_file((qor_test::fGameDataSourceDir() / "default_player.xml").c_str());
  return loaded ? &document : nullptr;
}

// Runs body in a forked child: its exit code, or 1000 + the signal that ended it.
int inChild(const std::function<int()>& body) {
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) _exit(body());
  int status = 0;
  if (waitpid(child, &status, 0) != child) return -1;
  return WIFSIGNALED(status) ? 1000 + WTERMSIG(status) : WEXITSTATUS(status);
}

// A repair's pauses, counted: the step-th one kills the process.
int gKillAt = -1;
int gPauses = 0;
void pause() {
  if (gPauses++ == gKillAt) raise(SIGKILL);
}
void pauseAtStep(const char* /*step*/) { pause(); }
void pauseBeforeRename(const std::string& /*temporaryPath*/) { pause(); }

// Writes whose size passes the limit fail (EFBIG) instead of killing the process: the way a
// full disk fails a write.
void limitFileSize(rlim_t bytes) {
  signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{bytes, bytes};
  setrlimit(RLIMIT_FSIZE, &limit);
}

class PlayerFileTest : public qor_test::GameServices {
 protected:
  bool startServices() const override { return false; }
  void SetUp() override {
    GameServices::SetUp();
    _folder = documents() / "Greyfern" / "Lantern Tiles";
    fs::create_directories(_folder);
  }
  void TearDown() override {
    std::error_code error;
    fs::permissions(_folder, fs::perms::owner_all, fs::perm_options::add, error);
    GameServices::TearDown();
  }
  std::string path() const { return (_folder / "player.xml").string(); }
  MAHJONG_PLAYER_FILE file() const { return MAHJONG_PLAYER_FILE(path(), &defaults); }
  // The names of the files beside player.xml.
  std::vector<std::string> others() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(_folder)) {
      if (entry.path().filename() != "player.xml") names.push_back(entry.path().filename().string());
    }
    return names;
  }
  int leftovers() const {
    int count = 0;
    for (const std::string& name : others()) count += name.rfind("player.xml.~save-", 0) == 0 ? 1 : 0;
    return count;
  }
  // True when some file beside player.xml holds exactly bytes.
  bool keptBeside(const std::string& bytes) const {
    for (const std::string& name : others()) {
      if (readBytes(_folder / name) == bytes) return true;
    }
    return false;
  }
  // The profile names of the file in order; empty when it does not parse.
  std::vector<std::string> names() const {
    pugi::xml_document document;
    std::vector<std::string> found;
    if (!document.load_file(path().c_str())) return found;
    for (const pugi::xml_node& player : document.children("player")) found.emplace_back(player.attribute("name").value());
    return found;
  }

  fs::path _folder;
};

// Two whole profiles, then a third cut off inside its bonuses: the shape a full disk or a kill
// during an old-style save leaves.
std::string cutOffFile() {
  return "<lastplayer lpname=\"Bo\"/>\n<packs><pack id=\"1\"/></packs>\n<ranks><rank xp=\"0\"/></ranks>\n"
         "<player name=\"Al\" money=\"7\"><bonuses slot1=\"2\"><bonus name=\"tosschips\" id=\"2\"/></bonuses></player>\n"
         "<player name=\"Bo\" money=\"9\" XP=\"3.5\"/>\n"
         "<player name=\"Cy\" money=\"5\"><bonuses slot1=\"2\"><bonus nam";
}

// The repair writes the rebuilt file before the damaged bytes lose their name, so a kill at any of
// its steps (the damaged copy kept, the new file written but not renamed, renamed) leaves a
// player.xml, and the next start ends with every whole profile readable, the cut-off one left out
// (never half of it), the damaged bytes kept beside it and no unfinished save lying about.
TEST_F(PlayerFileTest, ARepairKilledAtAnyStepLosesNoWholeProfile) {
  const std::string damaged = cutOffFile();
  int kills = 0;
  for (int step = 0; step < 10; ++step) {
    SCOPED_TRACE("killed at pause " + std::to_string(step));
    fs::remove_all(_folder);
    fs::create_directories(_folder);
    writeBytes(path(), damaged);
    const int ended = inChild([&] {
      gKillAt = step;
      MAHJONG_PLAYER_FILE::SetRepairPause(&pauseAtStep);
      QOR::fSetReplaceFilePause(&pauseBeforeRename);
      file().Open();
      return 0;
    });
    ASSERT_TRUE(ended == 0 || ended == 1000 + SIGKILL) << ended;
    EXPECT_TRUE(fs::is_regular_file(path())) << "player.xml went missing";

    // The next start.
    file().Open();
    EXPECT_EQ(names(), (std::vector<std::string>{"Al", "Bo"}));
    EXPECT_EQ(MAHJONG_PLAYER(path(), L"Al").m_money, 7);
    EXPECT_EQ(MAHJONG_PLAYER(path(), L"").m_name, L"Bo") << "the last player stays current";
    EXPECT_EQ(leftovers(), 0);
    EXPECT_TRUE(keptBeside(damaged)) << "the damaged bytes were not kept";
    pugi::xml_document repaired;
    ASSERT_TRUE(repaired.load_file(path().c_str()));
    EXPECT_STREQ(repaired.child("packs").first_child().attribute("name").value(),
                 defaults()->child("packs").first_child().attribute("name").value())
        << "packs come from default_player.xml";
    if (ended == 0) break;
    ++kills;
  }
  EXPECT_EQ(kills, 3) << "the repair has three pauses: backup kept, before the rename, file rebuilt";
}

// A repair whose write fails (a full disk) leaves the damaged file as it was, with no backup
// name and no unfinished save left, and tells the player once; the next start repairs it.
TEST_F(PlayerFileTest, ARepairWhoseWriteFailsKeepsTheFileAsItWas) {
  const std::string damaged = cutOffFile();
  writeBytes(path(), damaged);
  const std::string before = readBytes(path());
  const int boxes = inChild([&] {
    limitFileSize(100);
    qor_test::LogCapture log;
    MAHJONG_PLAYER_FILE(path(), &defaults).Open();
    return log.contains("player.xml not saved, the old file is kept: " + path()) ? host_test::fMessageBoxCount() : 99;
  });
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(readBytes(path()), before);
  EXPECT_TRUE(others().empty()) << others().front();

  file().Open();
  EXPECT_EQ(names(), (std::vector<std::string>{"Al", "Bo"}));
  EXPECT_TRUE(keptBeside(before));
}

// Where the damaged file gets no second name (no hard links, as on FAT) its copy is written after
// the repair, never more readable than player.xml whatever the umask.
TEST_F(PlayerFileTest, ADamagedFilesCopyIsNoMoreReadableThanTheFile) {
  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  writeBytes(path(), cutOffFile());
  fs::permissions(path(), mode);
  const mode_t umaskBefore = umask(0);
  QOR::QC_FILE_SYSTEM::fRefuseLinks(true);
  file().Open();
  QOR::QC_FILE_SYSTEM::fRefuseLinks(false);
  umask(umaskBefore);
  EXPECT_EQ(readBytes(path() + ".bak"), cutOffFile());
  EXPECT_EQ(fs::hard_link_count(path() + ".bak"), 1u) << "a second name, not a copy";
  EXPECT_EQ(fs::status(path() + ".bak").permissions(), mode);
}

// On a full disk (writes fail) with no file yet, the first start makes no empty player.xml; the
// saves that follow fail too, each logged as it is, and the player sees one box for all of them.
TEST_F(PlayerFileTest, SavesOnAFullDiskAreToldOnceAndMakeNoEmptyFile) {
  const int failures = inChild([&] {
    limitFileSize(100);
    qor_test::LogCapture log;
    int failed = 0;
    file().Open();
    if (fs::exists(path())) failed |= 1;
    MAHJONG_PLAYER ann(path(), L"Ann");
    ann.Reset(L"Ann");
    if (ann.SavePlayersWith(path(), &defaults)) failed |= 2;
    if (ann.SavePlayersWith(path(), &defaults)) failed |= 2;
    if (host_test::fMessageBoxCount() != 1) failed |= 4;
    if (!log.contains("player.xml not saved: " + path() + ": cannot write the temporary file: File too large")) failed |= 8;
    if (log.contains("the old file is kept")) failed |= 16;
    if (!log.hasLine("FILESYS FAILED TO CREATE file at path " + path())) failed |= 32;
    if (!log.contains("MessageBox [Progress not saved]")) failed |= 64;
    return failed;
  });
  EXPECT_EQ(failures, 0) << "1 file made, 2 saved, 4 not one box, 8 no cause, 16 false 'kept', 32 no creation line, "
                            "64 no box text";
  EXPECT_FALSE(fs::exists(path()));
  EXPECT_TRUE(others().empty());

  // Nor, on disk or in memory, does a first start whose default_player.xml did not load, or lacks
  // lastplayer, packs or ranks (the title's check refuses each, and the start then ends).
  static pugi::xml_document lacking;  // empty: did not load
  for (const char* lack : {"", "lastplayer", "packs", "ranks"}) {
    fs::remove(path());
    lacking.reset();
    if (*lack != '\0') lacking.reset(*defaults());
    lacking.remove_child(lack);
    MAHJONG_PLAYER_FILE(path(), []() -> const pugi::xml_document* {
      return lacking.first_child() ? &lacking : nullptr;
    }).Open();
    std::string bytes;
    EXPECT_EQ(MAHJONG_PLAYER_FILE::Read(path(), bytes), 0) << lack;
    EXPECT_FALSE(MAHJONG_PLAYER_FILE::HasFileElements(lacking)) << lack;
  }
}

// With no documents folder the file has no path: nothing is written, not even in the working
// folder, and the session plays on from memory.
TEST_F(PlayerFileTest, AFileWithoutAPathIsNeverWrittenInTheWorkingFolder) {
  const fs::path work = documents() / "work";
  fs::create_directories(work);
  const int failed = inChild([&] {
    if (chdir(work.c_str()) != 0) return 1;
    MAHJONG_PLAYER_FILE(std::string(), &defaults).Open();
    MAHJONG_PLAYER ann(std::string(), L"Ann");
    ann.Reset(L"Ann");
    ann.m_money = 7;
    if (ann.SavePlayersWith(std::string(), &defaults)) return 2;
    const MAHJONG_PLAYER read(std::string(), L"Ann");
    return read.m_money == 7 ? 0 : 4;
  });
  EXPECT_EQ(failed, 0) << "1 no chdir, 2 claimed saved, 4 not held in memory";
  EXPECT_TRUE(fs::is_empty(work));
}

// A folder the player cannot write to: a save keeps the old file byte for byte and is told once;
// with no old file, none is made and the log does not claim one was kept.
TEST_F(PlayerFileTest, SavesOnAReadOnlyFolderAreToldOnceAndKeepTheOldFile) {
  MAHJONG_PLAYER ann(path(), L"Ann");
  ann.Reset(L"Ann");
  ASSERT_TRUE(ann.SavePlayersWith(path(), &defaults));
  const std::string saved = readBytes(path());
  // The scratch folders are the test's own; the child drops to another user when run as root,
  // whom the permissions bind.
  for (fs::path folder = _folder; folder != documents().parent_path(); folder = folder.parent_path()) {
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
  }
  fs::permissions(path(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  fs::permissions(_folder, fs::perms::owner_write, fs::perm_options::remove);
  const auto asAnotherUser = [](const std::function<int()>& body) {
    return inChild([&] {
      if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 100;
      return body();
    });
  };

  const int kept = asAnotherUser([&] {
    qor_test::LogCapture log;
    MAHJONG_PLAYER bob(path(), L"Bob");
    bob.Reset(L"Bob");
    int failed = 0;
    if (bob.SavePlayersWith(path(), &defaults) || bob.SavePlayersWith(path(), &defaults)) failed |= 1;
    if (host_test::fMessageBoxCount() != 1) failed |= 2;
    if (!log.contains("player.xml not saved, the old file is kept: " + path() + ": cannot create a temporary file"))
      failed |= 4;
    return failed;
  });
  EXPECT_EQ(kept, 0) << "1 saved, 2 not one box, 4 no true log line";
  EXPECT_EQ(readBytes(path()), saved);

  fs::permissions(_folder, fs::perms::owner_write, fs::perm_options::add);
  fs::remove(path());
  fs::permissions(_folder, fs::perms::owner_write, fs::perm_options::remove);
  const int none = asAnotherUser([&] {
    qor_test::LogCapture log;
    file().Open();
    int failed = fs::exists(path()) ? 1 : 0;
    if (host_test::fMessageBoxCount() != 1) failed |= 2;
    if (log.contains("the old file is kept")) failed |= 4;
    return failed;
  });
  EXPECT_EQ(none, 0) << "1 file made, 2 not one box, 4 false 'kept'";
  EXPECT_FALSE(fs::exists(path()));
}

// Another local user's hands on the player's files, in a shared sticky documents folder (two real
// users when the tests run as root, as in CI). A game folder another user made, one others can
// write to, or a link another user planted on the way, is neither read nor written: the session
// plays from memory, told once, and no lock is taken there; a link planted at player.xml while its
// folder was open to all is never read through, and the next save takes its place. Nothing of the
// player's reaches another file, and player.xml takes the umask (077).
TEST_F(PlayerFileTest, FilesWithinAnotherUsersReachAreNeitherReadNorWritten) {
  const fs::path greyfern = _folder.parent_path();
  const fs::path secret = documents() / "secret.txt";
  const fs::path mine = documents() / "mine";
  const auto setFolders = [&](fs::perms perms) {
    for (const fs::path& folder : {greyfern, _folder}) fs::permissions(folder, perms);
  };
  // The player's folders as the game makes them, open to all, or writable by their group: the
  // player's own user-private group, another user's primary group, or one listing another user.
  enum SETUP { kGameMakesFolders, kFoldersOpenToAll, kOwnGroupWrites, kSharedGroupWrites, kListedGroupWrites };
  const struct ROW {
    const char* what;
    SETUP setup;
    std::function<int()> other;  // what the other user does
    bool closedAfter;            // the player's folders are then closed to others
    std::string told;            // the cause logged; empty when player.xml is saved in its folder
  } rows[] = {
      {"nobody else", kGameMakesFolders, nullptr, false, ""},
      {"the player's folders open to all", kFoldersOpenToAll, nullptr, false,
       "other users can write to " + greyfern.string() + "; run chmod go-w '" + greyfern.string() + "' to mend it"},
      {"the player's folders writable by the player's own group", kOwnGroupWrites, nullptr, false, ""},
      {"the player's folders writable by another user's own group", kSharedGroupWrites, nullptr, false,
       "other users can write to " + greyfern.string() + "; run chmod go-w"},
      {"the player's folders writable by a group listing another user", kListedGroupWrites, nullptr, false,
       "other users can write to " + greyfern.string() + "; run chmod go-w"},
      {"the game folder another user made, open to all, with their player.xml", kGameMakesFolders,
       [&] {
         fs::create_directories(_folder);
         setFolders(fs::perms::all);
         writeBytes(path(), cutOffFile());
         return 0;
       },
       false, greyfern.string() + " belongs to another user"},
      {"a link at Greyfern to a folder of the player's", kGameMakesFolders,
       [&] { return symlink(mine.c_str(), greyfern.c_str()); }, false,
       greyfern.string() + " is a link another user owns"},
      {"a link at player.xml to the player's secret, planted while the folders were open", kFoldersOpenToAll,
       [&] { return symlink(secret.c_str(), path().c_str()); }, true, ""},
  };
  // Each start is a process of its own: nothing held in memory or told passes to the next.
  const auto play = [&](const ROW& row, const std::map<fs::path, std::string>& before) {
    qor_test::LogCapture log;
    host_test::fResetMessageBoxCount();
    QOR::fForgetToldSubjects();
    file().Open();
    MAHJONG_PLAYER ann(path(), L"Ann");
    ann.Reset(L"Ann");
    for (const int money : {7, 8}) {
      ann.m_money = money;
      EXPECT_EQ(ann.SavePlayersWith(path(), &defaults), row.told.empty());
    }
    EXPECT_EQ(MAHJONG_PLAYER(path(), L"Ann").m_money, 8) << "neither on disk nor in memory";
    EXPECT_EQ(QOR::QC_FILE_SYSTEM::fLockPrivateFile((_folder / "player.lock").string()), row.told.empty() ? 1 : -1);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(documents())) {
      if (!entry.is_regular_file() || entry.is_symlink() || before.count(entry.path()) != 0) continue;
      EXPECT_TRUE(row.told.empty()) << entry.path() << " written";
      EXPECT_NE(readBytes(entry.path()), "the player's own secret") << entry.path();
    }
    for (const auto& [at, bytes] : before) EXPECT_EQ(readBytes(at), bytes) << at << " changed";
    if (row.told.empty()) {
      // Nothing was read through the link: nothing damaged was found and kept as a backup.
      EXPECT_EQ(others(), std::vector<std::string>{"player.lock"});
      EXPECT_EQ(fs::symlink_status(path()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
      return;
    }
    EXPECT_TRUE(log.contains("player.xml not saved: " + path() + ": " + row.told)) << log.text();
    EXPECT_TRUE(log.contains("MessageBox [Progress not saved] Your progress could not be saved in the folder\n" +
                             _folder.string() + "\n(" + row.told));
    EXPECT_EQ(host_test::fMessageBoxCount(), 1);
    if (row.what != rows[1].what) return;
    // Once only the player can write to them, the next save is kept there and read from there.
    setFolders(fs::perms::owner_all);
    ann.m_money = 9;
    EXPECT_TRUE(ann.SavePlayersWith(path(), &defaults));
    EXPECT_EQ(MAHJONG_PLAYER(path(), L"Ann").m_money, 9);
  };
  fs::permissions(documents(), fs::perms::all | fs::perms::sticky_bit);
  const mode_t umaskBefore = umask(077);
  for (const ROW& row : rows) {
    // This user's own link counts as another's only where the folder does too, and only root
    // can give a folder another user's group.
    if ((row.what == rows[7].what || row.setup >= kOwnGroupWrites) && !qor_test::OtherUser::isReal()) continue;
    const long group = row.setup == kSharedGroupWrites   ? long{qor_test::OtherUser::kNobodyGroup}
                       : row.setup == kListedGroupWrites ? qor_test::OtherUser::fGroupListingAnotherUser()
                                                         : -1L;
    if (row.setup == kListedGroupWrites && group < 0) continue;
    SCOPED_TRACE(row.what);
    fs::remove_all(greyfern);
    fs::remove_all(mine);
    fs::create_directory(mine);
    writeBytes(secret, "the player's own secret");
    fs::permissions(secret, fs::perms::owner_read | fs::perms::owner_write);
    if (row.setup != kGameMakesFolders) {
      fs::create_directories(_folder);
      setFolders(row.setup == kFoldersOpenToAll ? fs::perms::all : fs::perms::all & ~fs::perms::others_write);
    }
    for (const fs::path& folder : {greyfern, _folder}) {
      if (group < 0) continue;
      ASSERT_EQ(::chown(folder.c_str(), static_cast<uid_t>(-1), static_cast<gid_t>(group)), 0);
    }
    qor_test::OtherUser other;
    if (row.other) {
      ASSERT_EQ(other.fRun(row.other), 0);
    }
    if (row.closedAfter) setFolders(fs::perms::owner_all);
    std::map<fs::path, std::string> before;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(documents())) {
      if (entry.is_regular_file() && !entry.is_symlink()) before[entry.path()] = readBytes(entry.path());
    }
    const auto failures = [] {
      return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
    };
    const int earlier = failures();
    EXPECT_EQ(inChild([&] {
                play(row, before);
                return failures() != earlier ? 1 : 0;
              }),
              0);
  }
  umask(umaskBefore);
}

// A save writes in proportion to what it read: a file whose elements nest deeper than eight levels
// (a profile needs three) is damaged, rebuilt from its whole profiles without what lies below that
// depth, by the start's repair (the damaged bytes kept) or by a save that meets it first; unknown
// content within that depth is kept. Each profile reads the same after, and what is kept nests at
// most eight deep: a file at the limit is kept whole, one a level past it is cut at the limit.
TEST_F(PlayerFileTest, ASaveWritesInProportionToWhatItRead) {
  const auto rep = [](const std::string& text, int n) {
    std::string all;
    while (n-- > 0) all += text;
    return all;
  };
  const auto nest = [&](int n, const std::string& inner) { return rep("<a>", n) + inner + rep("</a>", n); };
  const auto file = [](const std::string& last, const std::string& top, const std::string& trophies) {
    return "<lastplayer lpname=\"Al\">" + last + "</lastplayer><packs/><ranks/>" + top +
           "<player name=\"Al\" money=\"100\"><trophies id7=\"\">" + trophies + "</trophies></player>";
  };
  const std::function<int(const pugi::xml_node&)> depth = [&](const pugi::xml_node& node) {
    int deepest = 0;
    for (const pugi::xml_node& child : node.children()) {
      if (child.type() == pugi::node_element) deepest = std::max(deepest, 1 + depth(child));
    }
    return deepest;
  };
  constexpr int kMax = MAHJONG_PLAYER_FILE::kMaxDepth;
  const std::string b = "<b x=\"\" y=\"\"/>";
  // The depth written: a saved profile nests three deep, and a lastplayer is kept to the limit.
  const struct { std::string bytes; bool damaged; int written; } cases[] = {
      {file("", "", nest(3000, "")), true, 3}, {file("", nest(3000, ""), ""), true, 3},
      {file(nest(3000, ""), "", ""), true, kMax}, {file("", nest(kMax - 1, rep(b, 2000)), ""), false, kMax},
      {file("", nest(kMax, "<b/>"), ""), true, 3}, {file(nest(kMax - 2, b), "", ""), false, kMax},
      {file(nest(kMax - 1, b), "", ""), true, kMax}};
  for (const auto& [bytes, damaged, written] : cases) {
    for (const bool opened : {true, false}) {
      SCOPED_TRACE(bytes.substr(0, 120) + (opened ? " opened" : " saved"));
      fs::remove_all(_folder);
      fs::create_directories(_folder);
      writeBytes(path(), bytes);
      if (opened) this->file().Open();
      ASSERT_TRUE(this->file().SetLastPlayer(L"Al"));  // the players screen closed
      EXPECT_LE(fs::file_size(path()), 3 * bytes.size() + 4096);
      MAHJONG_PLAYER al(path(), L"");
      al.m_money += 555;
      ASSERT_TRUE(al.SavePlayersWith(path(), &defaults));
      EXPECT_EQ(readBytes(path()).find("<b x=\"\" y=\"\" />") != std::string::npos, !damaged);
      EXPECT_EQ(keptBeside(bytes), damaged && opened);
      EXPECT_EQ(names(), std::vector<std::string>{"Al"});
      const MAHJONG_PLAYER again(path(), L"Al");
      EXPECT_TRUE(again.m_money == 655 && again.m_trophies == std::vector<int>{7});
      pugi::xml_document saved;
      ASSERT_TRUE(saved.load_file(path().c_str()));
      EXPECT_EQ(depth(saved), written);
    }
  }
}

// True for well-formed UTF-8 holding only characters XML 1.0 allows, none named by reference.
bool isXmlText(const std::string& text) {
  const std::wstring wide = pugi::as_wide(text.c_str());
  return pugi::as_utf8(wide) == text && text.find("&#") == std::string::npos &&
         std::all_of(wide.begin(), wide.end(), [](wchar_t c) {
           return c < 0x20 ? c == 9 || c == 10 || c == 13 : c < 0xD800 || (c > 0xDFFF && c < 0xFFFE) || c > 0xFFFF;
         });
}

// A name holding bytes that are not UTF-8, or naming by reference a character XML cannot hold,
// reads with each bad sequence or character replaced once, and is written as it reads: a save
// replaces its profile, the last player and reading by name find it, and so does a delete in the
// file as it came. Whatever the hand edit put in the file, what is written is well-formed UTF-8.
TEST_F(PlayerFileTest, ANameWithBadBytesStaysOneProfile) {
  const std::wstring bad(1, L'\uFFFD');
  const struct { std::string bytes; std::wstring name; } cases[] = {
      {"a\xFF" "b", L"a" + bad + L"b"}, {"a\xC0\x80", L"a" + bad + bad}, {"\xE0\x80\xAF", bad + bad + bad},
      {"\x80" "b", bad + L"b"}, {"\xED\xA0\x80", bad + bad + bad}, {"\xC3\xA9\xF0\x9F\x80", L"\u00E9" + bad},
      {"a&#01;b", L"a" + bad + L"b"}, {"&#xD800;", bad + bad + bad}, {"x&#xFFFF;", L"x" + bad}};
  for (const auto& [bytes, name] : cases) {
    SCOPED_TRACE(bytes);
    const std::string raw = "<lastplayer lpname=\"" + bytes + "\"/><packs/><ranks/><player name=\"" + bytes +
                            "\" money=\"100\"/><player name=\"Al\" note=\"caf\xE9 " + bytes + "\"><x>" + bytes +
                            "</x></player>";
    writeBytes(path(), raw);
    MAHJONG_PLAYER player(path(), L"");
    EXPECT_TRUE(player.m_name == name && player.m_money == 100);
    player.m_money = 655;
    ASSERT_TRUE(player.SavePlayersWith(path(), &defaults));
    EXPECT_EQ(names().size(), 2u);
    EXPECT_EQ(MAHJONG_PLAYER(path(), name).m_money, 655);
    EXPECT_TRUE(isXmlText(readBytes(path()))) << readBytes(path());
    writeBytes(path(), raw);
    ASSERT_TRUE(file().DeletePlayer(name, L"Al"));
    EXPECT_EQ(names(), std::vector<std::string>{"Al"});
    EXPECT_EQ(MAHJONG_PLAYER(path(), L"").m_name, L"Al");
    EXPECT_TRUE(isXmlText(readBytes(path()))) << readBytes(path());
  }
}

// A start removes only what saves killed before their rename left: the player's own copies,
// whatever their names (earlier builds' six-letter leftovers too), near misses of a leftover's
// name, and one that is no regular file of the player's, all stay.
TEST_F(PlayerFileTest, AStartRemovesTheUnfinishedSavesOnly) {
  MAHJONG_PLAYER ann(path(), L"Ann");
  ann.Reset(L"Ann");
  ASSERT_TRUE(ann.SavePlayersWith(path(), &defaults));
  for (int kill = 0; kill < 2; ++kill) {
    inChild([&] {
      gKillAt = gPauses = 0;
      QOR::fSetReplaceFilePause(&pauseBeforeRename);
      return ann.SavePlayersWith(path(), &defaults) ? 0 : 1;
    });
  }
  ASSERT_EQ(leftovers(), 2);
  const std::string made = others().front();
  const auto like = [&](const char* two) { return std::string(made).replace(made.size() - 10, 2, two); };
  std::vector<std::string> kept = {"player.xml.backup", "player.xml.201224", "player.xml.before",
                                   "player.xml.copy01", "player.xml.bak",    "player.xml.a1B2c3",
                                   made + "x",          "x" + made,          like("-_"),
                                   made.substr(0, made.size() - 5) + ".tmp", "config.xml" + made.substr(10)};
  for (const std::string& name : kept) writeBytes(_folder / name, "the player's own");
  fs::create_directory(_folder / like("F0"));
  fs::create_symlink("player.xml.bak", _folder / like("L0"));
  writeBytes(_folder / like("N0"), "another user's");
  kept.insert(kept.end(), {like("F0"), like("L0"), like("N0")});
  // Only root can give a file to another user.
  if (::chown((_folder / like("N0")).c_str(), qor_test::OtherUser::kNobody, static_cast<gid_t>(-1)) != 0) {
    kept.pop_back();
    fs::remove(_folder / like("N0"));
  }
  qor_test::LogCapture log;
  file().Open();
  std::vector<std::string> left = others();
  std::sort(left.begin(), left.end());
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(left, kept);
  EXPECT_TRUE(log.hasLine("Removed 2 unfinished save(s) of " + path()));
}

}  // namespace
