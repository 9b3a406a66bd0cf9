// The fuzz targets' scratch folder: their inputs are saved and flushed one by one, which on a disk
// costs most of each input's time, so the folder lies in memory wherever the machine has a memory
// file system.
#include "fuzz/fuzz_scratch.h"

#include <gtest/gtest.h>

namespace {

TEST(FuzzScratch, LiesInMemoryWhereThereIsOne) {
  struct statfs shared {};
  if (statfs("/dev/shm", &shared) != 0 || shared.f_type != TMPFS_MAGIC || access("/dev/shm", W_OK) != 0) {
    GTEST_SKIP() << "this machine has no writable /dev/shm";
  }
  struct statfs chosen {};
  ASSERT_EQ(statfs(qor_fuzz::fMemoryBackedTempFolder().c_str(), &chosen), 0);
  EXPECT_EQ(chosen.f_type, static_cast<decltype(chosen.f_type)>(TMPFS_MAGIC));
}

}  // namespace
