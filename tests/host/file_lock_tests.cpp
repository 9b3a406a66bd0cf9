// The stand-in's advisory file lock: one holder at a time, released with its open.
#include "host/file_lock.h"
#include "tests/kit/other_user.h"
#include "tests/kit/scratch_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using host_files::QE_LOCK;

// Two opens of one file (a lock belongs to its open): the second is refused while the first holds
// it and takes it once the first is released; where no regular file can be opened there is no
// lock, the cause is given and nothing is made (a link another user planted in a shared folder
// never makes the file it points to). (A killed holder: the start tests' second game.)
TEST(FileLock, OneHolderAtATimeUntilItsOpenEnds) {
  qor_test::ScratchDir scratch;
  ASSERT_TRUE(scratch.fCreate("qor_file_lock_"));
  const fs::path shared = scratch.fPath() / "shared";
  fs::create_directory(shared);
  fs::permissions(scratch.fPath(), fs::perms::others_exec, fs::perm_options::add);
  fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
  const int folder = ::open(shared.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(folder, 0);
  int first = -1;
  int second = -1;
  ASSERT_EQ(host_files::fTakeFileLock(folder, "player.lock", &first), QE_LOCK::kTaken);
  EXPECT_EQ(host_files::fTakeFileLock(folder, "player.lock", &second), QE_LOCK::kHeldElsewhere);
  host_files::fReleaseFileLock(first);
  ASSERT_EQ(host_files::fTakeFileLock(folder, "player.lock", &second), QE_LOCK::kTaken);
  host_files::fReleaseFileLock(second);

  std::ofstream(shared / "plain") << "a file";
  fs::create_directory(shared / "folder");
  ASSERT_EQ(::mkfifo((shared / "pipe").c_str(), 0600), 0);
  const fs::path target = scratch.fPath() / "made_through_the_link";
  qor_test::OtherUser other;
  ASSERT_EQ(other.fRun([&] { return ::symlink(target.c_str(), (shared / "link").c_str()); }), 0);
  const struct { const char* name; std::string cause; } rows[] = {
      {"plain/player.lock", "Not a directory"},
      {"folder", "Is a directory"},
      {"pipe", "not a regular file"},
      {"link", "a link another user owns"}};
  for (const auto& [name, cause] : rows) {
    std::string told;
    EXPECT_EQ(host_files::fTakeFileLock(folder, name, &second, &told), QE_LOCK::kUnavailable) << name;
    EXPECT_EQ(told, cause) << name;
  }
  EXPECT_FALSE(fs::exists(target));
  ::close(folder);
}

}  // namespace
