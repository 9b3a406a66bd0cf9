// config.xml in a scratch documents folder: its exact bytes, the round trip, and reading files
// that are missing, renamed or damaged.
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "tests/engine/loader/loader_fixture.h"
#include "tests/kit/environment_guard.h"
#include "tests/kit/log_capture.h"

#include <cstdlib>
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

TEST_F(Settings, SmallResolutionsArePaddedAndReadBack) {
  _game->_resolution = QS_POINT(64, 48);
  _game->fSaveEngineConfig();
  EXPECT_NE(readAll(configFile()).find("resolution=\"064 048\""), std::string::npos);
  _game->_resolution = QS_POINT(1, 1);
  _game->LoadEngineConfig();
  EXPECT_EQ(_game->fGetResolution(), QS_POINT(64, 48));
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

TEST_F(Settings, ARootOfAnotherNameIsStillRead) {
  fs::create_directories(configFile().parent_path());
  std::ofstream(configFile()) << "<other game_name=\"Quillon Game\" company_name=\"Quillon\" resolution=\"1280 720\"/>";
  _game->LoadEngineConfig();
  EXPECT_EQ(_game->fGetResolution(), QS_POINT(1280, 720));
}

TEST_F(Settings, ADamagedFileLeavesTheCurrentValues) {
  fs::create_directories(configFile().parent_path());
  std::ofstream(configFile()) << "\x01\x02 garbage <<<";
  _game->LoadEngineConfig();
  EXPECT_EQ(_game->_gameName, "Quillon Game");
  EXPECT_EQ(_game->_companyName, "Quillon");
  EXPECT_EQ(_game->fGetResolution(), QS_POINT(1024, 768));

  // Attributes that are missing or hold fewer than two numbers leave their values too.
  std::ofstream(configFile(), std::ios::trunc) << "<quillon_settings resolution=\"640\"/>";
  _game->LoadEngineConfig();
  EXPECT_EQ(_game->_gameName, "Quillon Game");
  EXPECT_EQ(_game->_companyName, "Quillon");
  EXPECT_EQ(_game->fGetResolution(), QS_POINT(1024, 768));
}

}  // namespace
