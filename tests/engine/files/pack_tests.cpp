// Password packs read by the file system: exact bytes, refused passwords, missing entries and
// damaged archives, each with its result code and log line.
#include "engine/files/qc_file_system.h"
#include "engine/files/unreadable_data.h"
#include "tests/engine/files/files_fixture.h"
#include "tests/kit/log_capture.h"
#include "tools/packs/qc_pack_writer.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace QOR;
using qor_test::FilesTest;

namespace {

const std::string kPassword = "s3cret-Pass";
const std::string kRefusedLine = "UNZ_OK != unzOpenCurrentFilePassword(zipfile,res->_sgPass.c_str())";

class PackTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    std::filesystem::create_directories(_resources + "XML");
  }

  // XML/config: a deflated and a stored entry, a folder entry, an entry in it and an empty one.
  std::vector<std::uint8_t> makePack(const std::string& password = kPassword) {
    QC_PACK_WRITER writer(password);
    EXPECT_TRUE(writer.fAdd("consts.xml", _deflated, true));
    EXPECT_TRUE(writer.fAdd("binary.bin", _stored, false));
    EXPECT_TRUE(writer.fAdd("levels/", "", false));
    EXPECT_TRUE(writer.fAdd("levels/pk1lv1.xml", "<level/>", true));
    EXPECT_TRUE(writer.fAdd("empty.txt", "", true));
    return writer.fGetBytes();
  }

  void writePack(const std::vector<std::uint8_t>& bytes) { qor_test::fWriteBytes(_resources + "XML/config", bytes); }

  int load(QS_RESOURCE& r) { return _files->fLoadResource(&r); }

  static std::string numberedLines() {
    std::string text = "<mahjong_consts>\n";
    for (int i = 0; i < 400; ++i) text += "  <value id=\"" + std::to_string(i * 7919 % 1000) + "\"/>\n";
    return text + "</mahjong_consts>\n";
  }

  const std::string _deflated = numberedLines();
  const std::string _stored = qor_test::fAllByteValues();
};

TEST_F(PackTest, EntriesComeOutByteExactWithTheirExactSize) {
  writePack(makePack());
  for (const auto& [name, expected] : std::vector<std::pair<std::string, std::string>>{
           {"consts.xml", _deflated}, {"binary.bin", _stored}, {"levels/pk1lv1.xml", "<level/>"}, {"empty.txt", ""}}) {
    QS_RESOURCE r = record("XML/config", name, kPassword);
    ASSERT_EQ(load(r), 1) << name;
    EXPECT_EQ(r._kind, QE_RES_BYTES);
    EXPECT_FALSE(r._ready);
    ASSERT_NE(r._data, nullptr);
    EXPECT_EQ(r._size, expected.size()) << name;
    EXPECT_EQ(data(r), expected) << name;
    // A NUL follows the bytes without being counted.
    EXPECT_EQ(static_cast<const char*>(r._data)[r._size], '\0');
    _files->fFreeResource(&r);
    EXPECT_EQ(r._kind, QE_RES_NONE);
    EXPECT_EQ(r._data, nullptr);
  }
}

TEST_F(PackTest, NamesAreCaseSensitiveAndAcceptEitherSeparator) {
  writePack(makePack());
  QS_RESOURCE upper = record("XML/config", "Consts.xml", kPassword);
  EXPECT_EQ(load(upper), -1);
  QS_RESOURCE backslashed = record("XML\\config", "levels\\pk1lv1.xml", kPassword);
  ASSERT_EQ(load(backslashed), 1);
  EXPECT_EQ(data(backslashed), "<level/>");
  _files->fFreeResource(&backslashed);
}

TEST_F(PackTest, WrongPasswordIsRefusedAndLoadsNothing) {
  writePack(makePack());
  qor_test::LogCapture log;
  QS_RESOURCE r = record("XML/config", "consts.xml", "wrong");
  EXPECT_EQ(load(r), -1);
  EXPECT_TRUE(log.hasLine(kRefusedLine));
  EXPECT_EQ(r._data, nullptr);
  EXPECT_EQ(r._size, 0u);
  EXPECT_EQ(r._kind, QE_RES_NONE);
}

TEST_F(PackTest, NoWrongPasswordEverYieldsData) {
  // One wrong password in 256 passes the header's check byte; the payload check must catch it.
  writePack(makePack());
  int refused = 0;
  int unreadable = 0;
  for (int i = 0; i < 1200; ++i) {
    for (const char* name : {"consts.xml", "binary.bin"}) {
      QS_RESOURCE r = record("XML/config", name, "guess" + std::to_string(i));
      // Each guess stands for a start of its own: a failure is told once per start.
      fForgetReportedDamage();
      qor_test::LogCapture log;
      const int result = load(r);
      ASSERT_NE(result, 1) << "password guess" << i << " read " << name;
      EXPECT_EQ(r._data, nullptr);
      if (result == -1) ++refused;
      if (result == -109) {
        ++unreadable;
        EXPECT_TRUE(log.hasLine("zip file Read Error"));
      }
    }
  }
  EXPECT_GT(refused, 2000);
  EXPECT_GT(unreadable, 0);
}

TEST_F(PackTest, EmptyPasswordOrNameLoadsNothingAndFails) {
  writePack(makePack());
  qor_test::LogCapture log;
  QS_RESOURCE noPassword = record("XML/config", "consts.xml", "");
  EXPECT_EQ(load(noPassword), -1);
  EXPECT_TRUE(log.hasLine("res->_sgPass= "));
  EXPECT_TRUE(log.hasLine("res->_sgResName= consts.xml"));
  EXPECT_EQ(noPassword._data, nullptr);
  QS_RESOURCE noName = record("XML/config", "", kPassword);
  EXPECT_EQ(load(noName), -1);
  EXPECT_EQ(noName._data, nullptr);
}

TEST_F(PackTest, MissingEntryGivesMinusOneAmongOtherEntries) {
  writePack(makePack());
  qor_test::LogCapture log;
  QS_RESOURCE r = record("XML/config", "balance.xml", kPassword);
  EXPECT_EQ(load(r), -1);
  EXPECT_EQ(r._data, nullptr);
  ASSERT_FALSE(log.lines().empty());
  EXPECT_EQ(log.lines().front(), "Pack XML/config entry balance.xml not read: entry not found");
  // The player is told in a box (a log line here, with no display) naming pack, entry and cause.
  EXPECT_TRUE(log.contains("MessageBox [Damaged game data] The game's data cannot be read.\nPack: XML/config\n"
                           "Entry: balance.xml\nCause: entry not found"));
}

TEST_F(PackTest, NonZipFileAndEmptyArchiveDoNotOpen) {
  qor_test::fWriteBytes(_resources + "XML/config", std::string("just some text, no zip at all"));
  qor_test::LogCapture log;
  QS_RESOURCE r = record("XML/config", "consts.xml", kPassword);
  EXPECT_EQ(load(r), -1);
  EXPECT_TRUE(log.hasLine(" zipfile is NULL "));

  // An archive without entries does not open either (a new pack: told anew).
  log.clear();
  fForgetReportedDamage();
  writePack(QC_PACK_WRITER(kPassword).fGetBytes());
  EXPECT_EQ(load(r), -1);
  EXPECT_TRUE(log.hasLine(" zipfile is NULL "));
  EXPECT_EQ(r._data, nullptr);
}

TEST_F(PackTest, UnreadableFirstDirectoryEntry) {
  std::vector<std::uint8_t> bytes = makePack();
  const auto central = std::search(bytes.begin(), bytes.end(), std::begin("PK\1\2"), std::end("PK\1\2") - 1);
  ASSERT_NE(central, bytes.end());
  *(central + 3) = 9;
  writePack(bytes);
  qor_test::LogCapture log;
  QS_RESOURCE r = record("XML/config", "consts.xml", kPassword);
  EXPECT_EQ(load(r), -1);
  EXPECT_TRUE(log.hasLine(" UNZ_OK != unzGoToFirstFile(zipfile) "));
  EXPECT_EQ(r._data, nullptr);
  std::vector<std::string> names;
  QC_FILE_SYSTEM::fListZip(_resources + "XML/config", kPassword, names, false);
  EXPECT_TRUE(names.empty());
}

TEST_F(PackTest, EveryTruncationFailsCleanly) {
  const std::vector<std::uint8_t> whole = makePack();
  for (std::size_t length = 0; length < whole.size(); length += 7) {
    writePack(std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
    for (const char* name : {"consts.xml", "binary.bin", "empty.txt"}) {
      QS_RESOURCE r = record("XML/config", name, kPassword);
      qor_test::LogCapture log;
      const int result = load(r);
      EXPECT_TRUE(result == -1 || result == -109) << length << " " << name << " gave " << result;
      EXPECT_EQ(r._data, nullptr);
    }
    std::vector<std::string> names;
    QC_FILE_SYSTEM::fListZip(_resources + "XML/config", kPassword, names, false);
    EXPECT_TRUE(names.empty()) << length;
  }
}

TEST_F(PackTest, CorruptEntryDataIsAReadError) {
  std::vector<std::uint8_t> bytes = makePack();
  // Damage the middle of the first entry's (deflated) data and of the second's (stored) data.
  const std::size_t firstData = 30 + std::strlen("consts.xml");
  bytes[firstData + 40] ^= 0x5A;
  const auto second = std::search(bytes.begin() + 1, bytes.end(), std::begin("PK\3\4"), std::end("PK\3\4") - 1);
  ASSERT_NE(second, bytes.end());
  *(second + 30 + static_cast<std::ptrdiff_t>(std::strlen("binary.bin")) + 100) ^= 0x01;
  writePack(bytes);
  for (const char* name : {"consts.xml", "binary.bin"}) {
    qor_test::LogCapture log;
    QS_RESOURCE r = record("XML/config", name, kPassword);
    EXPECT_EQ(load(r), -109) << name;
    EXPECT_TRUE(log.hasLine("zip file Read Error"));
    EXPECT_EQ(r._data, nullptr);
  }
}

TEST_F(PackTest, ImpossibleDeclaredSizeIsRefusedWithoutAllocatingIt) {
  std::vector<std::uint8_t> bytes = makePack();
  // The central directory's uncompressed size of the first entry: claim 3.5 GB.
  const auto central = std::search(bytes.begin(), bytes.end(), std::begin("PK\1\2"), std::end("PK\1\2") - 1);
  ASSERT_NE(central, bytes.end());
  const std::uint8_t huge[4] = {0x00, 0x00, 0x00, 0xE0};
  std::copy(std::begin(huge), std::end(huge), central + 24);
  writePack(bytes);
  qor_test::LogCapture log;
  QS_RESOURCE r = record("XML/config", "consts.xml", kPassword);
  EXPECT_EQ(load(r), -109);
  EXPECT_TRUE(log.hasLine("zip file Read Error"));
}

TEST_F(PackTest, FolderThatIsNeitherFileNorFolderIsMissing) {
  QS_RESOURCE r = record("XML/levels", "pk1lv1.xml", kPassword);
  EXPECT_EQ(load(r), -1);
}

TEST_F(PackTest, ArchiveFollowsAReplacedResourceFolder) {
  // The archive is opened where its existence was tested, not relative to the current directory.
  const std::string other = _base + "/Other/";
  std::filesystem::create_directories(other + "XML");
  qor_test::fWriteBytes(other + "XML/config", makePack());
  _files->fSetResourceDirectory(other);
  QS_RESOURCE r = record("XML/config", "levels/pk1lv1.xml", kPassword);
  ASSERT_EQ(load(r), 1);
  EXPECT_EQ(data(r), "<level/>");
  _files->fFreeResource(&r);
}

TEST_F(PackTest, ReloadingAKindOneRecordReplacesItsBytes) {
  writePack(makePack());
  QS_RESOURCE r = record("XML/config", "consts.xml", kPassword);
  ASSERT_EQ(load(r), 1);
  ASSERT_EQ(load(r), 1);
  EXPECT_EQ(data(r), _deflated);
  _files->fFreeResource(&r);
}

TEST_F(PackTest, ListingGivesEveryEntryInDirectoryOrder) {
  writePack(makePack());
  std::vector<std::string> names{"kept"};
  QC_FILE_SYSTEM::fListZip(_resources + "XML/config", "", names, false);
  EXPECT_EQ(names, (std::vector<std::string>{"kept", "consts.xml", "binary.bin", "levels/", "levels/pk1lv1.xml",
                                             "empty.txt"}));
}

TEST_F(PackTest, ListingAnythingButAZipAppendsAndLogsNothing) {
  qor_test::fWriteBytes(_resources + "text", std::string("plain text"));
  // A leading stub before the first local header: still no zip to this test.
  std::vector<std::uint8_t> stubbed{'M', 'Z', 0, 0};
  const std::vector<std::uint8_t> pack = makePack();
  stubbed.insert(stubbed.end(), pack.begin(), pack.end());
  qor_test::fWriteBytes(_resources + "stubbed", stubbed);
  qor_test::LogCapture log;
  std::vector<std::string> names;
  for (const char* path : {"XML", "missing", "text", "stubbed"}) {
    QC_FILE_SYSTEM::fListZip(_resources + path, kPassword, names, false);
  }
  EXPECT_TRUE(names.empty());
  EXPECT_TRUE(log.lines().empty());
}

TEST(PackWriter, OutputIsDeterministic) {
  auto make = [] {
    QC_PACK_WRITER writer("pw");
    writer.fAdd("a.txt", std::string(100, 'a'));
    writer.fAdd("b.bin", qor_test::fAllByteValues(), false);
    return writer.fGetBytes();
  };
  EXPECT_EQ(make(), make());
}

TEST(PackWriter, RefusesWhatZipCannotHold) {
  QC_PACK_WRITER writer("pw");
  EXPECT_FALSE(writer.fAdd("", "x"));
  EXPECT_FALSE(writer.fAdd(std::string(70000, 'n'), "x"));
  EXPECT_EQ(writer.fGetCount(), 0u);
}

}  // namespace
