// The user's documents folder and its fallbacks, driven by HOME and the XDG settings.
#include "engine/files/qc_file_system.h"
#include "tests/engine/files/files_fixture.h"
#include "tests/kit/environment_guard.h"
#include "tests/kit/named_pipe.h"

#include <gtest/gtest.h>

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

}  // namespace
