// Every password pack opens with its password and refuses a wrong one; Info-ZIP agrees.
#include "tests/data/data_fixture.h"

#include "engine/files/qc_zip_reader.h"
#include "tools/data/pack_step.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sys/wait.h>

namespace {

std::string archivePath(const std::string& location) { return (qor_test::fResourcesDir() / location).string(); }

TEST(DataPacks, EveryEntryOpensWithItsPasswordAndNoOtherOne) {
  for (const std::string& location : QOR::fArchiveLocations()) {
    const std::string path = archivePath(location);
    std::vector<std::string> names;
    ASSERT_TRUE(QOR::QC_ZIP_READER::fListEntries(path, names)) << location;
    ASSERT_FALSE(names.empty()) << location;
    const std::string password = QOR::fArchivePassword(location);
    for (const std::string& name : names) {
      void* data = nullptr;
      std::uint32_t size = 0;
      EXPECT_EQ(QOR::QC_ZIP_READER::fReadEntry(path, name, password, data, size), QOR::QE_ZIP_RESULT::OK)
          << location << " " << name;
      std::free(data);
    }
    // A wrong password: one character changed, or the password of another pack.
    std::string wrong = password;
    wrong[0] = wrong[0] == 'x' ? 'y' : 'x';
    void* data = nullptr;
    std::uint32_t size = 0;
    EXPECT_NE(QOR::QC_ZIP_READER::fReadEntry(path, names.front(), wrong, data, size), QOR::QE_ZIP_RESULT::OK)
        << location;
    EXPECT_NE(QOR::QC_ZIP_READER::fReadEntry(path, names.front(), "", data, size), QOR::QE_ZIP_RESULT::OK) << location;
    EXPECT_EQ(data, nullptr);
  }
}

TEST(DataPacks, PasswordsArePrintableDistinctAndSafeOnACommandLine) {
  std::set<std::string> seen;
  for (const std::string& location : QOR::fArchiveLocations()) {
    const std::string password = QOR::fArchivePassword(location);
    EXPECT_TRUE(seen.insert(password).second) << location << " shares its password";
    EXPECT_NE(password.front(), '-') << location << ": a leading '-' reads as an option to zip tools";
    for (char c : password) EXPECT_TRUE(c > ' ' && c < 127) << location;
  }
  EXPECT_EQ(seen.size(), 8u);
}

int runQuiet(const std::string& program, const std::vector<std::string>& arguments) {
  std::string command = "'" + program + "'";
  for (const std::string& argument : arguments) {
    std::string quoted = "'";
    for (char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    command += " " + quoted + "'";
  }
  command += " >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(DataPacks, InfoZipTestsEveryPackWithItsPassword) {
  const std::string unzip = QOR_TEST_UNZIP_PROGRAM;
  if (unzip.empty()) GTEST_SKIP() << "Info-ZIP unzip is not installed";
  for (const std::string& location : QOR::fArchiveLocations()) {
    const std::string password = QOR::fArchivePassword(location);
    EXPECT_EQ(runQuiet(unzip, {"-t", "-P", password, archivePath(location)}), 0) << location;
    EXPECT_NE(runQuiet(unzip, {"-t", "-P", password + "!", archivePath(location)}), 0) << location;
  }
}

}  // namespace
