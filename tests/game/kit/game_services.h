// Starts the engine's services the way the game does, over the Resources folder the build lays out
// beside the game program: the working folder is the game's, the documents folder a scratch one,
// and the stand-in uses its test doors (recording device, manual clock, no dialogs). The game's
// hooks stay empty unless a test sets them.
#pragma once

#include "engine/files/qc_file_system.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "tests/kit/engine_fixture.h"
#include "tests/kit/environment_guard.h"
#include "tests/kit/scratch_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

namespace qor_test {

// The folder the game program runs from (it holds Resources).
inline std::filesystem::path fGameDir() { return QOR_TEST_GAME_DIR; }
// The hand-written data sources (data/).
inline std::filesystem::path fGameDataSourceDir() { return QOR_TEST_DATA_SOURCE_DIR; }

class GameServices : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(_documentsFolder.fCreate("qor_game_docs_"));
    _documents = _documentsFolder.fPath();
    _savedDocuments.emplace("XDG_DOCUMENTS_DIR");
    setenv("XDG_DOCUMENTS_DIR", _documents.c_str(), 1);
    // The game's file system takes the working folder when it is first made, and enters its
    // Resources folder; every test starts there, as the game does, whichever test made it.
    ASSERT_EQ(chdir(fGameDir().c_str()), 0);
    ASSERT_EQ(chdir(QOR::QC_FILE_SYSTEM::fGetInstance()->fGetResourceDirectory().c_str()), 0);
    fUseTestDoors();
    // A desktop that holds the game's window with its frame (SDL's dummy display is only 1024 x
    // 768, where a window starts full screen).
    host_test::fSetDesktopSize(1280, 1024);
    QOR::qcGAME = QOR::QC_GAME::fGetGame();
    if (startServices()) {
      ASSERT_EQ(QOR::QC_GAME::fInitServices(QOR::qcGAME, "Test Game"), 0);
    }
  }
  void TearDown() override {
    _documentsFolder.fRemove();
    _savedDocuments.reset();
  }
  // A test that only needs the file system (no window, renderer or mixer) says false.
  virtual bool startServices() const { return true; }

  // The scratch documents folder of this test.
  const std::filesystem::path& documents() const { return _documents; }

 private:
  ScratchDir _documentsFolder;
  std::filesystem::path _documents;
  std::optional<EnvironmentGuard> _savedDocuments;
};

}  // namespace qor_test
