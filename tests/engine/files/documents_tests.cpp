// The user's documents folder and its fallbacks, driven by HOME and the XDG settings.
#include "engine/files/qc_file_system.h"
#include "tests/engine/files/files_fixture.h"
#include "tests/kit/environment_guard.h"
#include "tests/kit/log_capture.h"
#include "tests/kit/named_pipe.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

using namespace QOR;
using qor_test::FilesTest;

namespace {

namespace fs = std::filesystem;

// Keeps HOME and XDG_DOCUMENTS_DIR as they were, and points HOME into the scratch folder.
class DocumentsTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    _savedHome.emplace("HOME");
    _savedDocuments.emplace("XDG_DOCUMENTS_DIR");
    _home = _base + "/home";
    fs::create_directories(_home);
    setenv("HOME", _home.c_str(), 1);
    unsetenv("XDG_DOCUMENTS_DIR");
  }
  void TearDown() override {
    _savedHome.reset();
    _savedDocuments.reset();
    FilesTest::TearDown();
  }

  void writeUserDirs(const std::string& text) {
    fs::create_directories(_home + "/.config");
    qor_test::fWriteBytes(_home + "/.config/user-dirs.dirs", text);
  }

  std::string documents() {
    const char* path = _files->fGetDocumentsPath();
    return path != nullptr ? path : "(null)";
  }

  std::optional<qor_test::EnvironmentGuard> _savedHome;
  std::optional<qor_test::EnvironmentGuard> _savedDocuments;
  std::string _home;
};

TEST_F(DocumentsTest, EnvironmentVariableComesFirst) {
  writeUserDirs("XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n");
  setenv("XDG_DOCUMENTS_DIR", "/srv/shared/docs/", 1);
  EXPECT_EQ(documents(), "/srv/shared/docs");
}

TEST_F(DocumentsTest, UserDirsEntryWithHomeExpanded) {
  writeUserDirs(
      "# written by xdg-user-dirs-update\n"
      "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
      "#XDG_DOCUMENTS_DIR=\"$HOME/Wrong\"\n"
      "XDG_DOCUMENTS_DIR=\"$HOME/Mes Documents\"\n");
  EXPECT_EQ(documents(), _home + "/Mes Documents");
}

TEST_F(DocumentsTest, UserDirsAbsoluteEntry) {
  writeUserDirs("XDG_DOCUMENTS_DIR=\"/data/papers\"\n");
  EXPECT_EQ(documents(), "/data/papers");
}

TEST_F(DocumentsTest, DocumentsFolderWhenNoSettingNamesOne) {
  writeUserDirs("XDG_MUSIC_DIR=\"$HOME/Music\"\nXDG_DOCUMENTS_DIR=\"relative/not/allowed\"\n");
  fs::create_directory(_home + "/Documents");
  EXPECT_EQ(documents(), _home + "/Documents");
  // A pipe in the settings file's place is passed over, never waited on.
  fs::remove(_home + "/.config/user-dirs.dirs");
  qor_test::NamedPipe pipe(_home + "/.config/user-dirs.dirs");
  EXPECT_EQ(documents(), _home + "/Documents");
  EXPECT_EQ(pipe.readersHeld, 0);
}

TEST_F(DocumentsTest, HomeFolderWhenNothingElseExists) {
  EXPECT_EQ(documents(), _home);
  // The same static buffer serves every call.
  EXPECT_EQ(_files->fGetDocumentsPath(), _files->fGetDocumentsPath());
}

TEST_F(DocumentsTest, PasswordDatabaseHomeWhenHomeIsUnset) {
  unsetenv("HOME");
  const std::string path = documents();
  EXPECT_NE(path, "(null)");
  EXPECT_FALSE(path.empty());
}

// An absolute path of exactly n characters: folders of 99 letters.
std::string pathOfLength(std::size_t n) {
  std::string path;
  while (path.size() < n) path += path.size() % 100 == 0 ? '/' : 'd';
  return path;
}

// Each rule's folder is judged: a relative path, something that is not a folder, or a path longer
// than the engine's buffer holds is passed over with a log line (once, not at every lookup) and
// the next rule is tried; none ever resolves to the working folder or the game's own.
TEST_F(DocumentsTest, ARefusedRuleIsLoggedAndTheNextRuleTried) {
  const std::string file = _base + "/a_file";
  qor_test::fWriteBytes(file, std::string("x"));
  const passwd* account = getpwuid(getuid());
  ASSERT_NE(account, nullptr);
  const std::string accountHome = account->pw_dir;
  const std::size_t longest = QC_FILE_SYSTEM::kLongestDocumentsPath;
  const std::string h = _home;
  struct ROW {
    const char* what;
    std::optional<std::string> xdg;  // XDG_DOCUMENTS_DIR, unset when empty
    std::string userDirs;            // the user-dirs.dirs text, none when empty
    bool documentsFolder;            // ~/Documents exists
    std::optional<std::string> home;  // HOME, unset when empty
    std::string expected;
    std::string logged;  // a piece of the log; none of the lookup's lines when empty
  };
  const ROW rows[] = {
      {"331 characters", pathOfLength(331), "", false, h, pathOfLength(331), ""},
      {"260, the old cut", pathOfLength(260), "", false, h, pathOfLength(260), ""},
      {"exactly the buffer", pathOfLength(longest), "", false, h, pathOfLength(longest), ""},
      {"one past the buffer", pathOfLength(longest + 1), "", true, h, h + "/Documents",
       " is 1024 characters, more than the 1023 a documents folder may have; the next rule is tried"},
      {"relative", "MyDocs", "", false, h, h, "XDG_DOCUMENTS_DIR \"MyDocs\" is not an absolute path"},
      {"a regular file", file, "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n", false, h, h + "/Papers",
       "XDG_DOCUMENTS_DIR names something that is not a folder: " + file},
      {"user-dirs entry too long, then the next entry", std::nullopt,
       "XDG_DOCUMENTS_DIR=\"" + pathOfLength(longest + 7) + "\"\nXDG_DOCUMENTS_DIR=\"/srv/papers\"\n", true, h,
       "/srv/papers", " is 1030 characters"},
      {"user-dirs entry a regular file", std::nullopt, "XDG_DOCUMENTS_DIR=\"" + file + "\"\n", true, h,
       h + "/Documents", "user-dirs.dirs names something that is not a folder: " + file},
      {"unset HOME", std::nullopt, "", false, std::nullopt, accountHome, ""},
      {"relative HOME", std::nullopt, "", false, "home", accountHome, "HOME \"home\" is not an absolute path"},
      {"home too long", std::nullopt, "", false, pathOfLength(longest + 2), "(null)",
       "No documents folder: no rule names a usable one"},
  };
  for (const ROW& row : rows) {
    row.xdg ? setenv("XDG_DOCUMENTS_DIR", row.xdg->c_str(), 1) : unsetenv("XDG_DOCUMENTS_DIR");
    row.home ? setenv("HOME", row.home->c_str(), 1) : unsetenv("HOME");
    fs::remove_all(_home + "/.config");
    fs::remove_all(_home + "/Documents");
    if (!row.userDirs.empty()) writeUserDirs(row.userDirs);
    if (row.documentsFolder) fs::create_directory(_home + "/Documents");
    qor_test::LogCapture log;
    const std::string found = documents();
    // The account's own home may hold a Documents folder or user-dirs entry of its own.
    if (row.expected == accountHome) {
      EXPECT_EQ(found.rfind(accountHome, 0), 0u) << row.what << ": " << found;
    } else {
      EXPECT_EQ(found, row.expected) << row.what;
    }
    if (row.logged.empty()) {
      EXPECT_FALSE(log.contains("ocuments folder")) << row.what << ": " << log.text();
    } else {
      EXPECT_TRUE(log.contains(row.logged)) << row.what << ": " << log.text();
    }
    // The game asks at every save: the same outcome is not told again.
    log.clear();
    EXPECT_EQ(documents(), found) << row.what;
    EXPECT_FALSE(log.contains("ocuments folder")) << row.what << ": " << log.text();
  }
}

}  // namespace
