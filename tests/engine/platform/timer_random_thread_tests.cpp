#include "engine/platform/qc_random.h"
#include "engine/platform/qc_thread.h"
#include "engine/platform/qc_timer.h"
#include "tests/kit/engine_fixture.h"
#include "tests/kit/log_capture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <limits>
#include <thread>

using namespace QOR;

TEST(Timer, StepsInWholeMillisecondsAcrossTheCounterWrap) {
  host_test::fUseManualClock(true);
  host_test::fSetTime(0xFFFFFF00u);
  QC_TIMER timer;
  float out = -1.0f;
  timer.fSetOutput(&out);
  host_test::fAdvanceTime(250);  // wraps past zero
  EXPECT_FLOAT_EQ(timer.fTick(), 0.25f);
  EXPECT_FLOAT_EQ(out, 0.25f);
  EXPECT_FLOAT_EQ(timer.fTick(), 0.0f);
  EXPECT_FLOAT_EQ(timer.fGetTotal(), 0.25f);
  timer.fSetMaxStep(0.1f);
  host_test::fAdvanceTime(500);
  EXPECT_FLOAT_EQ(timer.fTick(), 0.1f);
}

TEST(Random, SequenceFromSeedZero) {
  QC_RANDOM random(0);
  EXPECT_EQ(qcCurrentRandom, &random);
  EXPECT_EQ(random.fNext(), 1013904223);
  EXPECT_EQ(random.fGetState(), 1013904223u);
  // Next raw state: 1013904223 * 1664525 + 1013904223 mod 2^32, masked to 31 bits.
  const std::uint32_t second = 1013904223u * 1664525u + 1013904223u;
  EXPECT_EQ(random.fNext(), static_cast<int>(second & 0x7FFFFFFFu));
}

TEST(Random, IntegerRanges) {
  QC_RANDOM random(0);
  EXPECT_EQ(random.fRandInt(5, 5), 5);
  EXPECT_EQ(random.fGetState(), 0u);  // no draw for an empty range
  for (int i = 0; i < 200; ++i) {
    EXPECT_EQ(random.fRandInt(0, 1), 0);
    const int reversed = random.fRandInt(5, 2);
    EXPECT_GE(reversed, 5);
    EXPECT_LE(reversed, 7);
    const int wide = random.fRandInt(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    (void)wide;  // the span does not overflow
  }
  EXPECT_FALSE(random.fRandBool());
}

TEST(Random, FloatEndsAreReachable) {
  QC_RANDOM random(0);
  // Pick states whose next state has all-ones or all-zero top bits: state' = s * a + c.
  const std::uint32_t inverse = 4276115653u;  // 1664525 * inverse == 1 mod 2^32
  random.fSetSeed((0xFFFF0000u - 1013904223u) * inverse);
  EXPECT_FLOAT_EQ(random.fRandFloat(0.0f, 1.0f), 1.0f);
  random.fSetSeed((0x00000000u - 1013904223u) * inverse);
  EXPECT_FLOAT_EQ(random.fRandFloat(0.0f, 1.0f), 0.0f);
}

TEST(Threads, LockIndicesOutsideTheTenAreIgnored) {
  QC_THREAD::fInitMutexes();
  QC_THREAD::fMutexLock(10);
  QC_THREAD::fMutexLock(-1);
  QC_THREAD::fMutexUnlock(10);
  qor_test::LogCapture log;
  EXPECT_FALSE(QC_THREAD::isMutexLock(10));
  EXPECT_TRUE(log.hasLine("ERROR QC_THREAD::isMutexLock(10)   index - BAD"));
  EXPECT_FALSE(QC_THREAD::isMutexLock(3));
  QC_THREAD::fMutexLock(3);
  QC_THREAD::fMutexLock(3);  // recursive
  EXPECT_TRUE(QC_THREAD::isMutexLock(3));
  QC_THREAD::fMutexUnlock(3);
  QC_THREAD::fMutexUnlock(3);
  EXPECT_FALSE(QC_THREAD::isMutexLock(3));
}

namespace {
std::atomic<int> g_entered{0};
int holdLockOne(std::uintptr_t) {
  QC_THREAD::fMutexLock(1);
  g_entered = 1;
  QC_THREAD::fMutexUnlock(1);
  return 0;
}
}  // namespace

TEST(Threads, StartedThreadWaitsForTheLockAndLeavesTheList) {
  QC_THREAD::fInitMutexes();
  QC_THREAD::fMutexLock(1);
  QC_THREAD_INFO* info = QC_THREAD::fCreateThread(&holdLockOne, 0);
  ASSERT_NE(info, nullptr);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(g_entered.load(), 0);
  QC_THREAD::fMutexUnlock(1);
  QC_THREAD::fJoinThread(info);
  EXPECT_EQ(g_entered.load(), 1);
  EXPECT_EQ(QC_THREAD::fThreadCount(), 0u);
}
