// Packs crossed with Debian's Info-ZIP tools: theirs read by us, ours tested by unzip.
#include "engine/files/qc_file_system.h"
#include "tests/engine/files/files_fixture.h"
#include "tests/kit/log_capture.h"
#include "tools/packs/qc_pack_writer.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>

using namespace QOR;
using qor_test::FilesTest;

namespace {

const std::string kZip = QOR_ZIP_PROGRAM;
const std::string kUnzip = QOR_UNZIP_PROGRAM;
const std::string kPassword = "InfoZip-pw";

// Runs a shell command quietly; its exit status.
int run(const std::string& command) {
  const int status = std::system(("(" + command + ") >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string shellQuoted(const std::string& text) { return "'" + text + "'"; }

class InfoZipTest : public FilesTest {
 protected:
  void SetUp() override {
    if (kZip.empty() || kUnzip.empty()) GTEST_SKIP() << "zip and unzip are not installed (scripts/setup)";
    FilesTest::SetUp();
    _source = _base + "/source";
    std::filesystem::create_directories(_source + "/levels");
    qor_test::fWriteBytes(_source + "/text.xml", _text);
    qor_test::fWriteBytes(_source + "/binary.bin", _binary);
    qor_test::fWriteBytes(_source + "/levels/pk1lv2.xml", _text + _text);
  }

  // Zips the source files with Info-ZIP into Resources/<pack> (no extension).
  void zipInto(const std::string& pack, const std::string& options) {
    const std::string archive = _base + "/made.zip";
    std::filesystem::remove(archive);
    ASSERT_EQ(run("cd " + shellQuoted(_source) + " && " + kZip + " -q -X " + options + " -P " + kPassword + " " +
                  shellQuoted(archive) + " text.xml binary.bin levels levels/pk1lv2.xml"),
              0);
    std::filesystem::rename(archive, _resources + pack);
  }

  void expectEntries(const std::string& pack) {
    for (const auto& [name, expected] : std::vector<std::pair<std::string, std::string>>{
             {"text.xml", _text}, {"binary.bin", _binary}, {"levels/pk1lv2.xml", _text + _text}}) {
      QS_RESOURCE r = record(pack, name, kPassword);
      ASSERT_EQ(_files->fLoadResource(&r), 1) << pack << " " << name;
      EXPECT_EQ(data(r), expected) << pack << " " << name;
      _files->fFreeResource(&r);
    }
    QS_RESOURCE wrong = record(pack, "text.xml", "not-it");
    EXPECT_NE(_files->fLoadResource(&wrong), 1);
    EXPECT_EQ(wrong._data, nullptr);
  }

  std::string _source;
  const std::string _text = [] {
    std::string t;
    for (int i = 0; i < 300; ++i) t += "<row n=\"" + std::to_string(i) + "\">text of row</row>\n";
    return t;
  }();
  const std::string _binary = qor_test::fAllByteValues();
};

TEST_F(InfoZipTest, StoredPackFromZipReadsExactly) {
  zipInto("stored", "-0");
  expectEntries("stored");
}

TEST_F(InfoZipTest, DeflatedPackFromZipReadsExactly) {
  zipInto("deflated", "-9");
  expectEntries("deflated");
  std::vector<std::string> names;
  QC_FILE_SYSTEM::fListZip(_resources + "deflated", "", names, false);
  EXPECT_EQ(names, (std::vector<std::string>{"text.xml", "binary.bin", "levels/", "levels/pk1lv2.xml"}));
}

TEST_F(InfoZipTest, StreamedPackWithDataDescriptorsReadsExactly) {
  // Written to a pipe, zip cannot seek back: sizes follow the data and the check byte is the time's.
  ASSERT_EQ(run("cd " + shellQuoted(_source) + " && " + kZip + " -q -X -P " + kPassword + " - text.xml binary.bin > " +
                shellQuoted(_resources + "streamed")),
            0);
  for (const auto& [name, expected] : std::vector<std::pair<std::string, std::string>>{
           {"text.xml", _text}, {"binary.bin", _binary}}) {
    QS_RESOURCE r = record("streamed", name, kPassword);
    ASSERT_EQ(_files->fLoadResource(&r), 1) << name;
    EXPECT_EQ(data(r), expected);
    _files->fFreeResource(&r);
  }
}

TEST_F(InfoZipTest, OurPackPassesUnzipTestAndExtractsExactly) {
  QC_PACK_WRITER writer(kPassword);
  ASSERT_TRUE(writer.fAdd("text.xml", _text, true));
  ASSERT_TRUE(writer.fAdd("binary.bin", _binary, false));
  ASSERT_TRUE(writer.fAdd("levels/pk1lv2.xml", _text + _text, true));
  const std::string pack = _resources + "ours";
  ASSERT_TRUE(writer.fWrite(pack));
  EXPECT_EQ(run(kUnzip + " -P " + kPassword + " -t " + shellQuoted(pack)), 0);
  EXPECT_NE(run(kUnzip + " -P wrong-pw -t " + shellQuoted(pack)), 0);
  const std::string out = _base + "/out.bin";
  ASSERT_EQ(run(kUnzip + " -p -P " + kPassword + " " + shellQuoted(pack) + " binary.bin > " + shellQuoted(out)), 0);
  EXPECT_EQ(qor_test::fReadBytes(out), _binary);
}

TEST_F(InfoZipTest, OurUnencryptedPackPassesUnzipTest) {
  QC_PACK_WRITER writer("");
  ASSERT_TRUE(writer.fAdd("text.xml", _text, true));
  const std::string pack = _resources + "plain";
  ASSERT_TRUE(writer.fWrite(pack));
  EXPECT_EQ(run(kUnzip + " -t " + shellQuoted(pack)), 0);
}

}  // namespace
