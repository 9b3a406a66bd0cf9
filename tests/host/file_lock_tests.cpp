// The stand-in's advisory file lock: one holder at a time, released with its open.
#include "host/file_lock.h"
#include "tests/kit/scratch_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

using host_files::QE_LOCK;

// Two opens of one file (a lock belongs to its open): the second is refused while the first holds
// it and takes it once the first is released; where no regular file can be opened there is no
// lock, and the cause is given. (A killed holder: the start tests' second game.)
TEST(FileLock, OneHolderAtATimeUntilItsOpenEnds) {
  qor_test::ScratchDir scratch;
  ASSERT_TRUE(scratch.fCreate("qor_file_lock_"));
  const std::string path = (scratch.fPath() / "player.lock").string();
  int first = -1;
  int second = -1;
  ASSERT_EQ(host_files::fTakeFileLock(path.c_str(), &first), QE_LOCK::kTaken);
  EXPECT_EQ(host_files::fTakeFileLock(path.c_str(), &second), QE_LOCK::kHeldElsewhere);
  host_files::fReleaseFileLock(first);
  ASSERT_EQ(host_files::fTakeFileLock(path.c_str(), &second), QE_LOCK::kTaken);
  host_files::fReleaseFileLock(second);

  std::ofstream(scratch.fPath() / "plain") << "a file";
  for (const std::string& unusable : {(scratch.fPath() / "plain" / "player.lock").string(), scratch.fPath().string()}) {
    std::string cause;
    EXPECT_EQ(host_files::fTakeFileLock(unusable.c_str(), &second, &cause), QE_LOCK::kUnavailable) << unusable;
    EXPECT_FALSE(cause.empty()) << unusable;
  }
}

}  // namespace
