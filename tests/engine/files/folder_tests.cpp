// The working folders, path types, folder chains, empty files, folder listings and loose files.
#include "engine/files/qc_file_system.h"
#include "engine/files/replace_file.h"
#include "engine/files/unreadable_data.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_globals.h"
#include "host/d3dx9.h"
#include "host/test_doors.h"
#include "tests/engine/files/files_fixture.h"
#include "tests/kit/log_capture.h"
#include "tests/kit/named_pipe.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

using namespace QOR;
using qor_test::FilesTest;

namespace {

namespace fs = std::filesystem;

int g_resourceErrors = 0;
int countResourceError(std::uintptr_t) {
  ++g_resourceErrors;
  return 0;
}

// The resource-error hook counts its calls for the length of one test.
class HookedStart : public ::testing::Test {
 protected:
  void SetUp() override {
    _startFolder = fs::current_path();
    std::string pattern = (fs::temp_directory_path() / "qor_start_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    _base = pattern;
    g_resourceErrors = 0;
    _savedHook = qcOnResourceError;
    _savedError = qcLastError;
    qcOnResourceError = fCreateCallback(&countResourceError);
  }
  void TearDown() override {
    delete qcOnResourceError;
    qcOnResourceError = _savedHook;
    qcLastError = _savedError;
    fs::current_path(_startFolder);
    fs::remove_all(_base);
  }

  fs::path _startFolder;
  std::string _base;
  QC_CALLBACK* _savedHook = nullptr;
  std::string _savedError;
};

TEST_F(HookedStart, MakesResourcesAndEntersIt) {
  qor_test::LogCapture log;
  QC_FILE_SYSTEM files(_base + "/");
  EXPECT_EQ(files.fGetAppDirectory(), _base + "/");
  EXPECT_EQ(files.fGetResourceDirectory(), _base + "/Resources/");
  EXPECT_TRUE(fs::is_directory(_base + "/Resources"));
  EXPECT_EQ(g_resourceErrors, 1);
  EXPECT_EQ(fs::current_path(), fs::path(_base + "/Resources"));
  EXPECT_EQ(files.fGetCurrentDirectory(), _base + "/Resources");
  EXPECT_TRUE(log.hasLine("forCreate.c_str()= " + _base + "/Resources/"));
  EXPECT_EQ(qcFileSystemInstance, &files);
}

TEST_F(HookedStart, ExistingResourcesInvokesNoHook) {
  fs::create_directory(_base + "/Resources");
  QC_FILE_SYSTEM files(_base);
  EXPECT_EQ(g_resourceErrors, 0);
  EXPECT_EQ(fs::current_path(), fs::path(_base + "/Resources"));
}

TEST_F(HookedStart, FailedCreationSetsLastErrorAndStillInvokesHook) {
  qor_test::fWriteBytes(_base + "/plainfile", std::string("x"));
  qcLastError.clear();
  {
    qor_test::LogCapture log;
    QC_FILE_SYSTEM files(_base + "/plainfile");
    EXPECT_EQ(qcLastError, "Cant create \"Resources\" directory");
    EXPECT_EQ(g_resourceErrors, 1);
    // The log names the full folder it expected.
    EXPECT_TRUE(log.hasLine("Cant create \"Resources\" directory " + _base + "/plainfile/Resources/"));
  }
  EXPECT_EQ(qcFileSystemInstance, nullptr);
}

// The game's data is read from the working folder when it holds Resources, else from beside the
// program; nothing is made in a working folder that is not the program's, and when neither holds
// the data the box names both folders (no doubled separator) and says how the game is started.
TEST_F(HookedStart, ResourcesAreLookedForInTheWorkingFolderThenBesideTheProgram) {
  const std::string working = _base + "/working";
  const std::string program = _base + "/program";
  struct ROW {
    const char* what;
    std::string working;
    bool workingHolds, programHolds;
    std::string chosen;
    std::string told;  // a piece of the box about a pack that cannot be opened
  };
  const std::string startLines =
      "Start the game from its own folder, the one holding Resources,\nor from its source folder with scripts/play.";
  const ROW rows[] = {
      {"the working folder holds it", working, true, true, working + "/", "Pack: sounds"},
      {"only the program's folder", working, false, true, program + "/", "Pack: sounds"},
      {"the root, the program's folder holds it", "/", false, true, program + "/", "Pack: sounds"},
      {"neither", working, false, false, program + "/",
       "Folder: " + program + "/Resources/\nCause: missing or empty\nLooked for Resources in: " + working + "/ and " +
           program + "/\n" + startLines},
      {"the root, neither", "/", false, false, program + "/", "Looked for Resources in: / and " + program + "/\n"},
      {"started from the program's folder without it", program, false, false, program + "/",
       "Looked for Resources in: " + program + "/\n" + startLines},
  };
  for (const ROW& row : rows) {
    fs::remove_all(working);
    fs::remove_all(program);
    fs::create_directories(working);
    fs::create_directories(program);
    if (row.workingHolds) fs::create_directories(working + "/Resources/data");
    if (row.programHolds) fs::create_directories(program + "/Resources/data");
    fForgetReportedDamage();
    qor_test::LogCapture log;
    {
      QC_FILE_SYSTEM files(row.working, program);
      EXPECT_EQ(files.fGetAppDirectory(), row.chosen) << row.what;
      EXPECT_EQ(files.fGetResourceDirectory(), row.chosen + "Resources/") << row.what;
      fReportUnopenedPack(files.fGetResourceDirectory() + "sounds", "sounds", "missing");
    }
    EXPECT_TRUE(log.contains(row.told)) << row.what << "\n" << log.text();
    EXPECT_EQ(log.text().find("//"), std::string::npos) << row.what << "\n" << log.text();
    // A missing Resources is made beside the program only, as for any application folder.
    if (row.working != program) {
      EXPECT_EQ(fs::exists(row.working + "/Resources"), row.workingHolds) << row.what;
    }
    EXPECT_TRUE(fs::is_directory(program + "/Resources")) << row.what;
  }
}

TEST_F(FilesTest, PathTypesAcceptEitherSeparator) {
  fs::create_directories(_resources + "data/fonts");
  qor_test::fWriteBytes(_resources + "data/fonts/font.xml", std::string("<font/>"));
  EXPECT_EQ(_files->fGetPathType(_resources + "data/fonts"), 2);
  EXPECT_EQ(_files->fGetPathType(_resources + "data\\fonts\\font.xml"), 1);
  EXPECT_EQ(_files->fGetPathType(_resources + "data/Fonts"), 0);
  EXPECT_EQ(_files->fGetPathType(""), 0);
  // Relative paths resolve inside Resources, the current directory.
  EXPECT_EQ(_files->fGetPathType("data/fonts/font.xml"), 1);
}

// Only regular files are read, and a named pipe is never waited on: where a loose file, a
// stream, a whole file, a picture, a pack or a new file is looked for, it is refused at once.
TEST_F(FilesTest, NamedPipesAreNeverRead) {
  fs::create_directories(_resources + "data");
  const std::string pipe = _resources + "data/pipe.xml";
  qor_test::NamedPipe loose(pipe);
  qor_test::NamedPipe pack(_resources + "packed");
  ASSERT_TRUE(loose.made && pack.made);
  QS_RESOURCE file = record("data", "pipe.xml", "");
  QS_RESOURCE stream = file;
  QS_RESOURCE entry = record("packed", "a.xml", "pw");
  std::string bytes;
  std::string cause;
  char buffer[4] = {};
  D3DXIMAGE_INFO info{};
  const std::tuple<const char*, int, int> cases[] = {
      {"path type", _files->fGetPathType(pipe), 3},
      {"file type", QC_FILE_SYSTEM::fGetFileType(pipe), QC_FILE_TYPE_UNREADABLE},
      {"loose file", _files->fLoadResource(&file), -108},
      {"stream", _files->fOpenResourceStream(&stream), -108},
      {"pack entry", _files->fLoadResource(&entry), -1},
      {"whole file", _files->fReadFile(pipe, buffer, 4), -1},
      {"regular file", QC_FILE_SYSTEM::fReadRegularFile(pipe, bytes, &cause), -108},
      {"picture", D3DXGetImageInfoFromFileA(pipe.c_str(), &info), D3DERR_NOTAVAILABLE},
      {"new file", _files->fCreateFile(pipe) ? 1 : 0, 0}};
  for (const auto& [what, got, expected] : cases) EXPECT_EQ(got, expected) << what;
  EXPECT_EQ(cause, "not a regular file");
  EXPECT_EQ(loose.readersHeld + pack.readersHeld, 0);

  // A pipe put in a file's place between the look at the path and the open is refused too: what
  // counts is what was opened.
  static std::string swapped;
  swapped = _resources + "data/swapped.xml";
  qor_test::fWriteBytes(swapped, std::string("<level/>"));
  ASSERT_EQ(mkfifo((swapped + ".fifo").c_str(), 0600), 0);
  host_test::fSetRegularOpenPause([](const char*) { std::rename((swapped + ".fifo").c_str(), swapped.c_str()); });
  cause.clear();
  const int afterSwap = QC_FILE_SYSTEM::fReadRegularFile(swapped, bytes, &cause);
  host_test::fSetRegularOpenPause(nullptr);
  EXPECT_EQ(afterSwap, -108);
  EXPECT_EQ(cause, "not a regular file");
  EXPECT_EQ(_files->fGetPathType(swapped), 3) << "the pipe was not swapped in";

  // Nor is a huge file read whole: up to the limit it is, one byte more and a sparse 5 GiB are not.
  const std::string big = _resources + "data/big.xml";
  for (const std::uintmax_t size : {std::uintmax_t{QC_FILE_SYSTEM::kLargestReadFile},
                                    std::uintmax_t{QC_FILE_SYSTEM::kLargestReadFile} + 1, std::uintmax_t{5} << 30}) {
    { std::ofstream(big, std::ios::binary | std::ios::trunc); }
    fs::resize_file(big, size);
    const int read = QC_FILE_SYSTEM::fReadRegularFile(big, bytes, &cause);
    EXPECT_EQ(read, size == QC_FILE_SYSTEM::kLargestReadFile ? 1 : -108) << size;
    EXPECT_EQ(bytes.size(), read == 1 ? size : 0u) << size;
  }
  EXPECT_EQ(cause, "larger than " + std::to_string(QC_FILE_SYSTEM::kLargestReadFile) + " bytes");
  fs::remove(big);
}

TEST_F(FilesTest, CreateDirectoryMakesEachMissingFolderAndLogsEachPrefix) {
  const std::string x = _base + "/x";
  fs::create_directory(x);
  qor_test::LogCapture log;
  EXPECT_TRUE(_files->fCreateDirectory(x + "/y\\z"));
  EXPECT_TRUE(fs::is_directory(x + "/y/z"));
  const std::vector<std::string> lines = log.lines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 3], "forCreate.c_str()= " + x + "/");
  EXPECT_EQ(lines[lines.size() - 2], "forCreate.c_str()= " + x + "/y/");
  EXPECT_EQ(lines[lines.size() - 1], "forCreate.c_str()= " + x + "/y/z");

  log.clear();
  EXPECT_TRUE(_files->fCreateDirectory(x + "/y/z"));
  EXPECT_TRUE(log.lines().empty());
}

// Folders the engine makes are writable by the user alone whatever the umask (readable by others
// as far as it allows); files it writes take their mode from the umask (rw-rw-rw- masked), a
// replaced file keeps its own, and a copy bound by another file is never more readable than it.
TEST_F(FilesTest, FoldersAndFilesItMakesKeepToTheUmask) {
  const std::string folder = _base + "/docs/a/b/c";
  const struct { mode_t umask, folder, file; } rows[] = {
      {0000, 0755, 0666}, {0002, 0755, 0664}, {0022, 0755, 0644}, {0077, 0700, 0600}, {0277, 0700, 0400}};
  const auto mode = [](const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 01000;
  };
  const mode_t before = umask(0);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.umask);
    umask(row.umask);
    fs::remove_all(_base + "/docs");
    ASSERT_TRUE(_files->fCreateDirectory(_base + "/docs/a"));
    ASSERT_EQ(QC_FILE_SYSTEM::fMakePrivateFolder(folder), 1);
    for (const std::string& made : {_base + "/docs", _base + "/docs/a", _base + "/docs/a/b", folder}) {
      EXPECT_EQ(mode(made), row.folder) << made;
    }
    std::string error;
    for (const char* name : {"/new", "/kept", "/bound", "/copy"}) {
      ASSERT_EQ(fReplaceFile(folder + name, "x", 1, error), 1) << error;
    }
    ::chmod((folder + "/kept").c_str(), 0640);
    ::chmod((folder + "/bound").c_str(), 0604);
    ASSERT_EQ(fReplaceFile(folder + "/kept", "y", 1, error), 1);
    ASSERT_EQ(fReplaceFile(folder + "/copy", "y", 1, error, "bound"), 1);
    EXPECT_EQ(mode(folder + "/new"), row.file);
    EXPECT_EQ(mode(folder + "/kept"), 0640u);
    EXPECT_EQ(mode(folder + "/copy"), row.file & 0604);
  }
  umask(before);
}

// Where modes are not kept (FAT through FUSE) the change fails as unsupported, or as not permitted
// on the user's own file, and the file is replaced all the same; any other failure fails it.
TEST_F(FilesTest, AModeChangeTheFileSystemCannotMakeFailsNoReplacement) {
  const std::string file = _base + "/f.xml";
  for (const int error : {ENOSYS, ENOTSUP, EOPNOTSUPP, EPERM, EIO, EROFS}) {
    std::string cause;
    ASSERT_EQ(fReplaceFile(file, "old", 3, cause), 1);
    fSetReplaceFileModeError(error);
    const bool replaced = fReplaceFile(file, "new", 3, cause) == 1;
    fSetReplaceFileModeError(0);
    EXPECT_EQ(replaced, error != EIO && error != EROFS) << error;
    EXPECT_EQ(qor_test::fReadBytes(file), replaced ? "new" : "old") << cause;
    EXPECT_EQ(std::distance(fs::directory_iterator(_base), fs::directory_iterator()), 2) << "a temporary file left";
  }
}

TEST_F(FilesTest, CreateDirectoryReportsABlockedChain) {
  qor_test::fWriteBytes(_base + "/blocker", std::string("file"));
  EXPECT_FALSE(_files->fCreateDirectory(_base + "/blocker/inner/deeper"));
  EXPECT_FALSE(fs::exists(_base + "/blocker/inner"));
}

TEST_F(FilesTest, CreateFileMakesFoldersAndEmptiesAnExistingFile) {
  qor_test::LogCapture log;
  const std::string path = _base + "/Greyfern/Lantern Tiles/player.xml";
  EXPECT_TRUE(_files->fCreateFile(path));
  EXPECT_TRUE(log.hasLine("path: " + _base + "/Greyfern/Lantern Tiles"));
  EXPECT_TRUE(log.hasLine("file: player.xml"));
  EXPECT_TRUE(log.hasLine("fileName: " + path));
  ASSERT_TRUE(fs::is_regular_file(path));
  EXPECT_EQ(fs::file_size(path), 0u);

  qor_test::fWriteBytes(path, std::string("old profile"));
  EXPECT_TRUE(_files->fCreateFile(path));
  EXPECT_EQ(fs::file_size(path), 0u);

  EXPECT_FALSE(_files->fCreateFile("noslash.xml"));
  EXPECT_FALSE(fs::exists(_resources + "noslash.xml"));
  // A folder cannot be made into a file.
  EXPECT_FALSE(_files->fCreateFile(_base + "/Greyfern"));
  EXPECT_FALSE(_files->fDeleteFile(path));
  EXPECT_TRUE(fs::exists(path));
}

TEST_F(FilesTest, ListDirectoryGivesFilesOrFoldersNeverDots) {
  const std::string pack = _resources + "data";
  fs::create_directories(pack + "/sub");
  for (const char* name : {"b.png", "a.xml", "c.ogg", "noext"}) qor_test::fWriteBytes(pack + "/" + name, std::string(name));
  std::vector<std::string> files;
  QC_FILE_SYSTEM::fListDirectory(pack, files, false, "*");
  EXPECT_EQ(files, (std::vector<std::string>{"a.xml", "b.png", "c.ogg", "noext"}));
  std::vector<std::string> folders;
  QC_FILE_SYSTEM::fListDirectory(pack, folders, true, "*");
  EXPECT_EQ(folders, (std::vector<std::string>{"sub"}));
  std::vector<std::string> xml;
  QC_FILE_SYSTEM::fListDirectory(pack + "\\", xml, false, "xml");
  EXPECT_EQ(xml, (std::vector<std::string>{"a.xml"}));
}

TEST_F(FilesTest, ListDirectoryOfEmptyAndMissingFolders) {
  fs::create_directory(_resources + "empty");
  qor_test::LogCapture log;
  std::vector<std::string> names;
  QC_FILE_SYSTEM::fListDirectory(_resources + "empty", names, false, "*");
  EXPECT_TRUE(names.empty());
  EXPECT_TRUE(log.lines().empty());
  QC_FILE_SYSTEM::fListDirectory(_resources + "missing", names, false, "*");
  EXPECT_TRUE(names.empty());
  EXPECT_TRUE(log.hasLine("Address is uncorrect " + _resources + "missing"));
}

TEST_F(FilesTest, FileTypesFromTheFirstFourBytes) {
  const std::vector<std::pair<std::string, std::int32_t>> cases = {
      {std::string("Rar!\x1a\x07", 6), QC_FILE_TYPE_RAR},
      {std::string("\x89PNG\r\n", 6), QC_FILE_TYPE_PNG},
      {std::string("PK\x03\x04rest", 8), QC_FILE_TYPE_ZIP},
      {std::string("PK\x05\x06", 4), QC_FILE_TYPE_OTHER},
      {std::string("PK"), QC_FILE_TYPE_OTHER},
      {std::string(), QC_FILE_TYPE_OTHER}};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const std::string path = _base + "/type" + std::to_string(i);
    qor_test::fWriteBytes(path, cases[i].first);
    EXPECT_EQ(QC_FILE_SYSTEM::fGetFileType(path), cases[i].second) << i;
  }
  EXPECT_EQ(QC_FILE_SYSTEM::fGetFileType(_base + "/missing"), QC_FILE_TYPE_UNREADABLE);
  EXPECT_EQ(QC_FILE_SYSTEM::fGetFileType(_base), QC_FILE_TYPE_UNREADABLE);
}

TEST_F(FilesTest, LooseFileOfNBytesLoadsAsNPlusOneWithTrailingNul) {
  fs::create_directories(_resources + "data/fonts");
  const std::string bytes = qor_test::fAllByteValues();
  qor_test::fWriteBytes(_resources + "data/fonts/font.bin", bytes);
  qor_test::fWriteBytes(_resources + "data/fonts/empty.txt", std::string());
  QS_RESOURCE r = record("data/fonts", "font.bin", "");
  ASSERT_EQ(_files->fLoadResource(&r), 1);
  EXPECT_EQ(r._kind, QE_RES_BYTES);
  EXPECT_FALSE(r._ready);
  ASSERT_EQ(r._size, bytes.size() + 1);
  EXPECT_EQ(std::string(static_cast<const char*>(r._data), bytes.size()), bytes);
  EXPECT_EQ(static_cast<const char*>(r._data)[bytes.size()], '\0');
  _files->fFreeResource(&r);

  QS_RESOURCE empty = record("data/fonts", "empty.txt", "");
  ASSERT_EQ(_files->fLoadResource(&empty), 1);
  ASSERT_EQ(empty._size, 1u);
  EXPECT_EQ(static_cast<const char*>(empty._data)[0], '\0');
  _files->fFreeResource(&empty);
}

TEST_F(FilesTest, LooseFileInTheMainRepository) {
  qor_test::fWriteBytes(_resources + "cheating.txt", std::string("on"));
  QS_RESOURCE r("cheating.txt");
  EXPECT_EQ(r._folder, "");
  ASSERT_EQ(_files->fLoadResource(&r), 1);
  EXPECT_EQ(std::string(static_cast<const char*>(r._data)), "on");
  _files->fFreeResource(&r);
}

TEST_F(FilesTest, LooseFileFailures) {
  fs::create_directories(_resources + "data/sub");
  QS_RESOURCE noFolder = record("nowhere", "a.png", "");
  EXPECT_EQ(_files->fLoadResource(&noFolder), -1);
  QS_RESOURCE noFile = record("data", "a.png", "");
  EXPECT_EQ(_files->fLoadResource(&noFile), -108);
  QS_RESOURCE aFolder = record("data", "sub", "");
  EXPECT_EQ(_files->fLoadResource(&aFolder), -108);
  for (QS_RESOURCE* r : {&noFolder, &noFile, &aFolder}) {
    EXPECT_EQ(r->_data, nullptr);
    EXPECT_EQ(r->_kind, QE_RES_NONE);
  }
}

TEST_F(FilesTest, StreamsOpenLooseFilesOnly) {
  fs::create_directories(_resources + "video");
  qor_test::fWriteBytes(_resources + "video/clip.ogv", std::string("0123456789"));
  QS_RESOURCE r = record("video", "clip.ogv", "");
  ASSERT_EQ(_files->fOpenResourceStream(&r), 1);
  EXPECT_EQ(r._kind, QE_RES_BYTES);
  EXPECT_EQ(r._size, 10u);
  ASSERT_NE(r._data, nullptr);
  char first[4] = {};
  ASSERT_EQ(std::fread(first, 1, 3, static_cast<std::FILE*>(r._data)), 3u);
  EXPECT_STREQ(first, "012");
  r._subscribers = 2;
  _files->fCloseResourceStream(&r);
  EXPECT_EQ(r._data, nullptr);
  EXPECT_EQ(r._kind, QE_RES_NONE);
  EXPECT_EQ(r._size, 0u);
  EXPECT_EQ(r._subscribers, 0);
  EXPECT_FALSE(r._ready);

  QS_RESOURCE missing = record("video", "none.ogv", "");
  EXPECT_EQ(_files->fOpenResourceStream(&missing), -108);
  qor_test::fWriteBytes(_resources + "packed", std::string("PK\3\4"));
  QS_RESOURCE inArchive = record("packed", "clip.ogv", "pw");
  EXPECT_EQ(_files->fOpenResourceStream(&inArchive), -1);
  EXPECT_EQ(inArchive._data, nullptr);
}

TEST_F(FilesTest, FreeResourceClosesStreamsAndLeavesOtherKinds) {
  qor_test::fWriteBytes(_resources + "s.bin", std::string("abc"));
  QS_RESOURCE stream("s.bin");
  ASSERT_EQ(_files->fOpenResourceStream(&stream), 1);
  _files->fFreeResource(&stream);
  EXPECT_EQ(stream._kind, QE_RES_NONE);
  EXPECT_EQ(stream._data, nullptr);

  int texture = 0;
  QS_RESOURCE other("t.png");
  other._kind = QE_RES_TEXTURE;
  other._data = &texture;
  _files->fFreeResource(&other);
  EXPECT_EQ(other._kind, QE_RES_TEXTURE);
  EXPECT_EQ(other._data, &texture);
}

TEST_F(FilesTest, ReadAndWriteWholeFiles) {
  const std::string path = _base + "/data.bin";
  EXPECT_EQ(_files->fWriteFile(path, "abcdef", 6, std::ios::binary | std::ios::trunc), 1);
  char buffer[6] = {};
  EXPECT_EQ(_files->fReadFile(path, buffer, 6), 1);
  EXPECT_EQ(std::string(buffer, 6), "abcdef");
  char longer[10] = {};
  EXPECT_EQ(_files->fReadFile(path, longer, 10), -109);
  EXPECT_EQ(_files->fReadFile(_base + "/missing", buffer, 6), -1);
  EXPECT_EQ(_files->fWriteFile(_base + "/no/such/folder/f", "x", 1, std::ios::binary), -1);
}

}  // namespace
