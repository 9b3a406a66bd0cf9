// The memory reader vorbisfile decodes through: reads never pass the data, seeks outside it are
// refused and leave the position alone.
#include "engine/sound/qc_ogg_memory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

using namespace QOR;

namespace {

struct Reader {
  std::vector<std::uint8_t> data{10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
  QS_OGG_MEMORY memory{data.data(), static_cast<std::int64_t>(data.size()), 0};
};

TEST(OggMemoryReader, ReadsStopAtTheEndOfTheData) {
  Reader r;
  std::uint8_t out[16] = {0};
  EXPECT_EQ(fOggRead(out, 1, 4, &r.memory), 4u);
  EXPECT_EQ(out[0], 10);
  EXPECT_EQ(out[3], 13);
  EXPECT_EQ(fOggTell(&r.memory), 4);
  // Asking for more than is left copies only what is left.
  std::fill(std::begin(out), std::end(out), 0xEE);
  EXPECT_EQ(fOggRead(out, 1, 16, &r.memory), 6u);
  EXPECT_EQ(out[5], 19);
  EXPECT_EQ(out[6], 0xEE);
  EXPECT_EQ(fOggTell(&r.memory), 10);
  // At the end nothing is copied.
  EXPECT_EQ(fOggRead(out, 1, 1, &r.memory), 0u);
  EXPECT_EQ(out[0], 14);
  EXPECT_EQ(fOggTell(&r.memory), 10);
}

TEST(OggMemoryReader, ItemReadsCopyWholeItemsOnlyAndSurviveHugeCounts) {
  Reader r;
  std::uint8_t out[16] = {0};
  EXPECT_EQ(fOggRead(out, 4, 3, &r.memory), 2u);  // 10 bytes hold two 4-byte items
  EXPECT_EQ(fOggTell(&r.memory), 8);
  // A count whose byte size would overflow is bounded by the data.
  EXPECT_EQ(fOggRead(out, 2, SIZE_MAX, &r.memory), 1u);
  EXPECT_EQ(fOggTell(&r.memory), 10);
  EXPECT_EQ(fOggRead(out, 0, 5, &r.memory), 0u);
}

TEST(OggMemoryReader, SeeksWithinTheDataFromStartPositionAndEnd) {
  Reader r;
  EXPECT_EQ(fOggSeek(&r.memory, 3, 0), 0);
  EXPECT_EQ(fOggTell(&r.memory), 3);
  EXPECT_EQ(fOggSeek(&r.memory, 4, 1), 0);
  EXPECT_EQ(fOggTell(&r.memory), 7);
  EXPECT_EQ(fOggSeek(&r.memory, -2, 1), 0);
  EXPECT_EQ(fOggTell(&r.memory), 5);
  EXPECT_EQ(fOggSeek(&r.memory, 0, 2), 0);
  EXPECT_EQ(fOggTell(&r.memory), 10);
  EXPECT_EQ(fOggSeek(&r.memory, -10, 2), 0);
  EXPECT_EQ(fOggTell(&r.memory), 0);
}

TEST(OggMemoryReader, SeeksOutsideTheDataOrWithAnotherWhenceAreRefused) {
  Reader r;
  ASSERT_EQ(fOggSeek(&r.memory, 6, 0), 0);
  const struct {
    ogg_int64_t offset;
    int whence;
  } refused[] = {{-1, 0},  {11, 0},  {5, 1}, {-7, 1}, {1, 2}, {-11, 2},
                 // would land inside the data if only the low 32 bits were taken
                 {(ogg_int64_t{1} << 32) + 2, 0},
                 {0, 3},   {0, -1}};
  for (const auto& seek : refused) {
    EXPECT_EQ(fOggSeek(&r.memory, seek.offset, seek.whence), -1) << seek.offset << " " << seek.whence;
    EXPECT_EQ(fOggTell(&r.memory), 6);
  }
  EXPECT_EQ(fOggClose(&r.memory), 0);
}

}  // namespace
