// Damaged packs on the road the game takes: registering the pack with the loader, then reading an
// entry. Each kind of damage keeps its result codes and fixed log lines and adds exactly one line
// that names the pack, the entry and the cause; the player is told once per pack, and a second
// read of the same entry tells nothing more.
#include "engine/files/qc_file_system.h"
#include "engine/files/unreadable_data.h"
#include "engine/service/qc_resource_loader.h"
#include "host/test_doors.h"
#include "tests/engine/files/files_fixture.h"
#include "tests/kit/log_capture.h"
#include "tools/packs/qc_pack_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

using namespace QOR;
using qor_test::FilesTest;

namespace {

const std::string kPassword = "s3cret-Pass";

class DamagedPack : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    std::filesystem::create_directories(_resources + "XML");
  }

  static std::vector<std::uint8_t> pack() {
    QC_PACK_WRITER writer(kPassword);
    std::string text;
    for (int i = 0; i < 300; ++i) text += "<value id=\"" + std::to_string(i * 7919 % 1000) + "\"/>\n";
    EXPECT_TRUE(writer.fAdd("consts.xml", text, true));
    EXPECT_TRUE(writer.fAdd("binary.bin", qor_test::fAllByteValues(), false));
    return writer.fGetBytes();
  }

  // The offset of an entry's data (after its local header and name) in the pack.
  static std::size_t dataOf(const std::vector<std::uint8_t>& bytes, const std::string& name) {
    const std::string header = std::string("PK\3\4");
    for (std::size_t at = 0; at + 30 <= bytes.size(); ++at) {
      if (std::memcmp(bytes.data() + at, header.data(), 4) == 0 &&
          std::memcmp(bytes.data() + at + 30, name.data(), name.size()) == 0) {
        return at + 30 + name.size();
      }
    }
    ADD_FAILURE() << name << " not in the pack";
    return 0;
  }

  // The log lines that explain a failure: one per failure is the rule.
  static std::vector<std::string> causes(const qor_test::LogCapture& log) {
    std::vector<std::string> found;
    for (const std::string& line : log.lines()) {
      if (line.find(" not opened: ") != std::string::npos || line.find(" not read: ") != std::string::npos) {
        found.push_back(line);
      }
    }
    return found;
  }

  // Registers XML/config with the loader and reads one entry through a record, as the loader's
  // records do; returns the two result codes.
  std::pair<int, int> registerAndRead(const std::string& entry, const std::string& password) {
    QC_RESOURCE_LOADER loader;
    const int added = loader.fAddPack("XML/config", password.c_str());
    QS_RESOURCE r = record("XML/config", entry, password);
    const int loaded = _files->fLoadResource(&r);
    EXPECT_EQ(r._data, nullptr);
    EXPECT_EQ(r._kind, QE_RES_NONE);
    return {added, loaded};
  }
};

TEST_F(DamagedPack, EachKindOfDamageKeepsItsCodesAndNamesPackEntryAndCause) {
  struct Case {
    const char* kind;
    std::function<std::vector<std::uint8_t>()> bytes;
    std::string entry;
    std::string password;
    int added;                           // fAddPack
    int loaded;                          // fLoadResource
    std::vector<std::string> fixed;      // the unchanged anonymous lines, in order
    std::vector<std::string> named;      // the new lines: registration (if it fails), then the read
  };
  const std::string opened = "Pack XML/config not opened: ";
  const std::string read = "Pack XML/config entry ";
  const std::vector<Case> cases = {
      {"random bytes",
       [] {
         std::vector<std::uint8_t> noise(700);
         for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<std::uint8_t>(i * 131 + 7);
         return noise;
       },
       "consts.xml", kPassword, -1, -1, {" zipfile is NULL "},
       {opened + "not an archive", read + "consts.xml not read: not an archive"}},
      {"zero-byte file", [] { return std::vector<std::uint8_t>(); }, "consts.xml", kPassword, -1, -1,
       {" zipfile is NULL "}, {opened + "not an archive", read + "consts.xml not read: not an archive"}},
      {"truncated archive",
       [] {
         std::vector<std::uint8_t> whole = pack();
         whole.resize(whole.size() / 2);
         return whole;
       },
       "consts.xml", kPassword, -1, -1, {"zipfile is NULL! ", " zipfile is NULL "},
       {opened + "truncated", read + "consts.xml not read: truncated"}},
      {"wrong password", [] { return pack(); }, "consts.xml", "wrong", 1, -1,
       {"UNZ_OK != unzOpenCurrentFilePassword(zipfile,res->_sgPass.c_str())"},
       {read + "consts.xml not read: wrong password"}},
      {"flipped byte in deflated data",
       [] {
         std::vector<std::uint8_t> bytes = pack();
         bytes[dataOf(bytes, "consts.xml") + 40] ^= 0x5A;
         return bytes;
       },
       "consts.xml", kPassword, 1, -109, {"zip file Read Error"}, {read + "consts.xml not read: damaged data"}},
      {"flipped byte in stored data",
       [] {
         std::vector<std::uint8_t> bytes = pack();
         bytes[dataOf(bytes, "binary.bin") + 100] ^= 0x01;
         return bytes;
       },
       "binary.bin", kPassword, 1, -109, {"zip file Read Error"}, {read + "binary.bin not read: damaged data"}},
      {"missing entry", [] { return pack(); }, "balance.xml", kPassword, 1, -1, {},
       {read + "balance.xml not read: entry not found"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    // Each case is a new start: nothing told yet.
    fForgetReportedDamage();
    host_test::fResetMessageBoxCount();
    qor_test::fWriteBytes(_resources + "XML/config", c.bytes());
    qor_test::LogCapture log;
    const auto [added, loaded] = registerAndRead(c.entry, c.password);
    EXPECT_EQ(added, c.added);
    EXPECT_EQ(loaded, c.loaded);
    EXPECT_EQ(causes(log), c.named);
    std::vector<std::string> fixed;
    for (const std::string& line : log.lines()) {
      if (std::find(c.fixed.begin(), c.fixed.end(), line) != c.fixed.end()) fixed.push_back(line);
    }
    EXPECT_EQ(fixed, c.fixed);
    // The player is told once for the pack, naming the entry and the cause.
    EXPECT_EQ(host_test::fMessageBoxCount(), 1);
    EXPECT_TRUE(log.contains("MessageBox [Damaged game data]"));
    EXPECT_TRUE(log.hasLine("Pack: XML/config"));
    // The box names what failed first: the pack itself, or the entry.
    EXPECT_EQ(log.hasLine("Entry: " + c.entry), c.added != -1);

    // Reading the same damaged entry again, as a game does on every rebuild, tells nothing more.
    log.clear();
    QS_RESOURCE again = record("XML/config", c.entry, c.password);
    EXPECT_EQ(_files->fLoadResource(&again), c.loaded);
    EXPECT_TRUE(causes(log).empty());
    for (const std::string& line : c.fixed) EXPECT_FALSE(log.hasLine(line)) << line;
    EXPECT_EQ(host_test::fMessageBoxCount(), 1);
  }
}

TEST_F(DamagedPack, AMissingResourcesFolderIsNamedInFull) {
  qor_test::fWriteBytes(_resources + "XML/config", pack());
  std::filesystem::remove_all(_resources);
  const std::string missing = "Resources folder missing: " + _resources;
  qor_test::LogCapture log;
  EXPECT_EQ(registerAndRead("consts.xml", kPassword), std::make_pair(-1, -1));
  EXPECT_EQ(causes(log), (std::vector<std::string>{"Pack XML/config not opened: " + missing,
                                                   "Pack XML/config entry consts.xml not read: " + missing}));
  log.clear();
  QC_RESOURCE_LOADER loader;
  EXPECT_EQ(loader.fAddPack(""), -1);
  EXPECT_TRUE(log.hasLine("Main repository is empty"));
  EXPECT_TRUE(log.hasLine(missing));
}

}  // namespace
