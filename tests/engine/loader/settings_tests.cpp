// config.xml in a scratch documents folder: its exact bytes, the round trip, reading files that
// are missing, renamed, damaged or hostile, and a write that fails part-way.
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "tests/engine/loader/loader_fixture.h"
#include "tests/kit/environment_guard.h"
#include "tests/kit/log_capture.h"
#include "tests/kit/named_pipe.h"
#include "tests/kit/other_user.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <iterator>
#include <optional>

using namespace QOR;

namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class Settings : public loader_test::LoaderTest {
 protected:
  void SetUp() override {
    LoaderTest::SetUp();
    _game = QC_GAME::fGetGame();
    _savedHome.emplace("HOME");
    _savedDocuments.emplace("XDG_DOCUMENTS_DIR");
    _documents = _base + "/docs";
    fs::create_directories(_base + "/home");
    setenv("HOME", (_base + "/home").c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", _documents.c_str(), 1);
    _savedName = _game->_gameName;
    _savedCompany = _game->_companyName;
    _savedResolution = _game->_resolution;
    _game->fSetGameName("Quillon Game");
    _game->fSetCompanyName("Quillon");
    _game->_resolution = QS_POINT(1024, 768);
  }
  void TearDown() override {
    _game->_gameName = _savedName;
    _game->_companyName = _savedCompany;
    _game->_resolution = _savedResolution;
    _savedHome.reset();
    _savedDocuments.reset();
    LoaderTest::TearDown();
  }
  fs::path configFile() const { return fs::path(_documents) / "Quillon" / "Quillon Game" / "config.xml"; }

  QC_GAME* _game = nullptr;
  std::string _documents;
  std::optional<qor_test::EnvironmentGuard> _savedHome;
  std::optional<qor_test::EnvironmentGuard> _savedDocuments;
  std::string _savedName;
  std::string _savedCompany;
  QS_POINT _savedResolution;
};

TEST_F(Settings, TheFileHasAByteOrderMarkAndOneUnindentedElement) {
  _game->fSaveEngineConfig();
  ASSERT_TRUE(fs::exists(configFile()));
  EXPECT_EQ(readAll(configFile()),
            "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n"
            "<quillon_settings game_name=\"Quillon Game\" company_name=\"Quillon\" resolution=\"1024 768\" />\n");
}

TEST_F(Settings, SmallResolutionsAreWrittenPaddedButNotTakenBack) {
  _game->_resolution = QS_POINT(64, 48);
  _game->fSaveEngineConfig();
  EXPECT_NE(readAll(configFile()).find("resolution=\"064 048\""), std::string::npos);
  _game->_resolution = QS_POINT(800, 600);
  qor_test::LogCapture log;
  _game->LoadEngineConfig();
  EXPECT_EQ(_game->fGetResolution(), QS_POINT(800, 600));
  EXPECT_TRUE(log.hasLine("config.xml: resolution ignored: not two whole numbers from 320 to 16384"));
}

TEST_F(Settings, NamesRoundTripAsUtf8AndMoveTheFile) {
  _game->fSetGameName("Игра");
  _game->fSetCompanyName("Studio & Co");
  _game->_resolution = QS_POINT(800, 600);
  _game->fSaveEngineConfig();
  const fs::path file = fs::path(_documents) / "Studio & Co" / "Игра" / "config.xml";
  ASSERT_TRUE(fs::exists(file));
  EXPECT_NE(readAll(file).find("company_name=\"Studio &amp; Co\""), std::string::npos);
  _game->_resolution = QS_POINT(1, 1);
  _game->LoadEngineConfig();
  EXPECT_EQ(_game->_gameName, "Игра");
  EXPECT_EQ(_game->_companyName, "Studio & Co");
  EXPECT_EQ(_game->fGetResolution(), QS_POINT(800, 600));
}

TEST_F(Settings, ReadingAMissingFileWritesTheCurrentValuesFirst) {
  qor_test::LogCapture log;
  _game->LoadEngineConfig();
  EXPECT_TRUE(log.hasLine("-LoadEngineConfig"));
  EXPECT_TRUE(fs::exists(configFile()));
  EXPECT_EQ(_game->_gameName, "Quillon Game");
  EXPECT_EQ(_game->_companyName, "Quillon");
  EXPECT_EQ(_game->fGetResolution(), QS_POINT(1024, 768));
}

// The settings' folders are made as the player's are: nothing through a link another user owns.
TEST_F(Settings, NoFolderIsMadeThroughAnotherUsersLink) {
  const fs::path theirs = fs::path(_base) / "theirs";
  const fs::path link = fs::path(_documents) / "Quillon";
  fs::create_directories(theirs);
  fs::create_directories(_documents);
  fs::permissions(_base, fs::perms::others_exec, fs::perm_options::add);
  fs::permissions(_documents, fs::perms::all | fs::perms::sticky_bit);
  qor_test::OtherUser other;
  ASSERT_EQ(other.fRun([&] { return ::symlink(theirs.c_str(), link.c_str()); }), 0);
  qor_test::LogCapture log;
  _game->fSaveEngineConfig();
  EXPECT_TRUE(fs::is_empty(theirs));
  EXPECT_TRUE(log.contains("config.xml not saved: " + link.string() + "/Quillon Game: " + link.string() +
                           " is a link another user owns"))
      << log.text();
}

TEST_F(Settings, ARootOfAnotherNameIsStillRead) {
  fs::create_directories(configFile().parent_path());
  std::ofstream(configFile()) << "<other game_name=\"Quillon Game\" company_name=\"Quillon\" resolution=\"1280 720\"/>";
  _game->LoadEngineConfig();
  EXPECT_EQ(_game->fGetResolution(), QS_POINT(1280, 720));
}

// Files that do not parse as a whole change nothing, even where their first part holds values,
// and are replaced by the current settings; so are empty ones (a full disk leaves those).
TEST_F(Settings, ADamagedOrEmptyFileChangesNothingAndIsRewritten) {
  _game->fSaveEngineConfig();
  const std::string good = readAll(configFile());
  for (const std::string& damaged :
       {std::string("\x01\x02 garbage <<<"), std::string(),
        std::string("<quillon_settings game_name=\"Other\" company_name=\"Maker\" resolution=\"800 600\"/><broken"),
        std::string("<quillon_settings game_name=\"Other\" resolution=\"800 600\"")}) {
    SCOPED_TRACE(damaged);
    std::ofstream(configFile(), std::ios::trunc | std::ios::binary) << damaged;
    qor_test::LogCapture log;
    _game->LoadEngineConfig();
    EXPECT_EQ(_game->_gameName, "Quillon Game");
    EXPECT_EQ(_game->_companyName, "Quillon");
    EXPECT_EQ(_game->fGetResolution(), QS_POINT(1024, 768));
    EXPECT_TRUE(log.contains("config.xml does not parse, rewritten from the current settings"));
    EXPECT_EQ(readAll(configFile()), good);
  }

  // Attributes that are missing leave their values.
  std::ofstream(configFile(), std::ios::trunc) << "<quillon_settings/>";
  _game->LoadEngineConfig();
  EXPECT_EQ(_game->_gameName, "Quillon Game");
  EXPECT_EQ(_game->fGetResolution(), QS_POINT(1024, 768));

  // A pipe in the file's place is never waited on: nothing is read.
  fs::remove(configFile());
  qor_test::NamedPipe pipe(configFile().string());
  qor_test::LogCapture log;
  _game->LoadEngineConfig();
  EXPECT_TRUE(log.contains("config.xml cannot be read: "));
  EXPECT_EQ(pipe.readersHeld, 0);
}

// Names decide the folder of the next save: only plain folder names are taken from the file, and
// only resolutions of whole numbers from 320 to 16384.
TEST_F(Settings, HostileNamesAndResolutionsAreRefused) {
  fs::create_directories(configFile().parent_path());
  const std::string longest(64, 'n');
  // Nor is text the file cannot hold as it is: Latin-1 bytes, a surrogate, U+FFFE.
  for (const std::string& name : std::vector<std::string>{"../../../../escaped", "..", ".", "a/b", "a\\b", "a&#10;b", "tab&#9;", "",
                                 std::string(65, 'n'), "caf\xE9", "a&#xD800;b", "a&#xFFFE;"}) {
    SCOPED_TRACE(name);
    std::ofstream(configFile(), std::ios::trunc)
        << "<quillon_settings game_name=\"" << name << "\" company_name=\"" << name << "\"/>";
    qor_test::LogCapture log;
    _game->LoadEngineConfig();
    EXPECT_EQ(_game->_gameName, "Quillon Game");
    EXPECT_EQ(_game->_companyName, "Quillon");
    EXPECT_TRUE(log.hasLine("config.xml: game_name ignored: not a plain folder name of at most 64 bytes of UTF-8"));
    EXPECT_TRUE(log.hasLine("config.xml: company_name ignored: not a plain folder name of at most 64 bytes of UTF-8"));
  }
  _game->fSaveEngineConfig();
  EXPECT_FALSE(fs::exists(fs::path(_base) / "escaped"));
  EXPECT_FALSE(fs::exists(fs::path(_documents) / "escaped"));

  for (const char* resolution : {"319 600", "800 16385", "800.5 600", "800 600 2", "-800 600", "800", "abc",
                                 "99999999999 600", "800\t"}) {
    SCOPED_TRACE(resolution);
    std::ofstream(configFile(), std::ios::trunc) << "<quillon_settings resolution=\"" << resolution << "\"/>";
    qor_test::LogCapture log;
    _game->LoadEngineConfig();
    EXPECT_EQ(_game->fGetResolution(), QS_POINT(1024, 768));
    EXPECT_TRUE(log.hasLine("config.xml: resolution ignored: not two whole numbers from 320 to 16384"));
  }

  // The limits themselves are taken.
  std::ofstream(configFile(), std::ios::trunc) << "<quillon_settings game_name=\"" << longest
                                               << "\" resolution=\" 320  16384 \"/>";
  _game->LoadEngineConfig();
  EXPECT_EQ(_game->_gameName, longest);
  EXPECT_EQ(_game->fGetResolution(), QS_POINT(320, 16384));

  // What the file holds is well-formed whatever the names the game was given.
  _game->fSetGameName("caf\xE9\x01");
  _game->fSaveEngineConfig();
  const std::string written = readAll(fs::path(_documents) / "Quillon" / "caf\xE9\x01" / "config.xml");
  EXPECT_NE(written.find("game_name=\"caf\uFFFD\uFFFD\""), std::string::npos) << written;
}

// A write that fails part-way (here a file-size limit in a child process) keeps the old file
// byte for byte and leaves no temporary file behind.
TEST_F(Settings, AFailedWriteKeepsTheOldFile) {
  _game->_gameName = std::string(40, 'g');
  _game->fSaveEngineConfig();
  const fs::path file = fs::path(_documents) / "Quillon" / _game->_gameName / "config.xml";
  const std::string before = readAll(file);
  ASSERT_GT(before.size(), 100u);

  std::cout.flush();
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{50, 50};
    setrlimit(RLIMIT_FSIZE, &limit);
    qor_test::LogCapture log;
    _game->_resolution = QS_POINT(1920, 1080);
    _game->fSaveEngineConfig();
    _exit(log.contains("config.xml not saved, the old file is kept: " + file.string()) ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed write was not logged";
  EXPECT_EQ(readAll(file), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);
}

}  // namespace
