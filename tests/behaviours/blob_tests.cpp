// The scale pulse: growth then damped wobble, the end of a cycle, repeat with its delay, and the
// retargeting the level-completion stars rely on.
#include "behaviours/qc_bot_blob.h"
#include "tests/behaviours/bot_test_kit.h"

#include <cmath>
#include <vector>

using namespace QOR;
using bot_test::kDt;

namespace {

// The wobble written out on its own: sin(2 pi f t) * a / exp(2 pi t d).
double Wobble(double t, double frequency, double amplitude, double damping) {
  const double twoPi = 6.283185307179586;
  return std::sin(twoPi * frequency * t) * amplitude / std::exp(twoPi * t * damping);
}

class Blob : public bot_test::BotTest {};

TEST_F(Blob, EqualScalesWobbleFromTheFirstStepAndEndJustAfterTheDuration) {
  QS_TRANSFORM3 star;
  star.fSetScale(7.0f, 7.0f, 7.0f);
  QC_BOT_BLOB blob(&star, 1.0f, 0.2f, 2.0f, 0.5f, 1.0f, 1.0f, 0.0f, false);
  EXPECT_EQ(star._scale, QS_VEC3(1.0f, 1.0f, 0.0f));
  // Steps at elapsed 0, 1/8, ..., 1 (equal to the duration still runs), each about 1.0.
  bool leftOne = false;
  for (int k = 0; k <= 8; ++k) {
    ASSERT_EQ(blob.fUpdate(), 0) << "step " << k;
    const double expected = 1.0 + Wobble(k * kDt, 2.0, 0.2, 0.5);
    EXPECT_NEAR(star._scale.x, expected, 1e-5) << "step " << k;
    EXPECT_EQ(star._scale.y, star._scale.x);
    EXPECT_EQ(star._scale.z, 0.0f);
    leftOne = leftOne || std::fabs(star._scale.x - 1.0f) > 0.1f;
  }
  EXPECT_TRUE(blob._reached);
  EXPECT_TRUE(leftOne) << "the wobble is visible";
  // The first step past the duration ends the blob and leaves the target as the last step did.
  const QS_VEC3 last = star._scale;
  EXPECT_EQ(blob.fMessage(QC_BASE::kMessageUpdate, 0, 0, 0, 0), QC_BASE::kDeleteMe);
  EXPECT_EQ(star._scale, last);
}

TEST_F(Blob, GrowthRunsFrequencyTimesFasterAndKeepsItsOvershoot) {
  QS_TRANSFORM3 star;
  QC_BOT_BLOB blob(&star, 1.0f, 0.1f, 3.0f, 1.0f, 0.5f, 1.5f, 0.0f, false);
  // 0.5 + 1.0 * elapsed * 3: 0.5, 0.875, 1.25, then 1.625 reaches the end scale and is kept.
  const float growth[] = {0.5f, 0.875f, 1.25f, 1.625f};
  for (float expected : growth) {
    ASSERT_EQ(blob.fUpdate(), 0);
    EXPECT_FLOAT_EQ(star._scale.x, expected);
  }
  EXPECT_TRUE(blob._reached);
  // From then on it wobbles about the end scale.
  for (int k = 4; k <= 8; ++k) {
    ASSERT_EQ(blob.fUpdate(), 0);
    EXPECT_NEAR(star._scale.x, 1.5 + Wobble(k * kDt, 3.0, 0.1, 1.0), 1e-5) << "step " << k;
  }
  EXPECT_EQ(bot_test::StepsToFinish(blob, 10), 1);
}

TEST_F(Blob, RepeatWaitsItsDelayAgainRestartsFromTheStartScaleAndNeverEnds) {
  QS_TRANSFORM3 star;
  QC_BOT_BLOB blob(&star, 0.25f, 0.3f, 0.5f, 0.0f, 2.0f, 2.0f, 0.25f, true);
  // Period of 6 steps: 2 of delay (start scale from the constructor), 3 of wobble, 1 restart.
  std::vector<QS_VEC3> scales;
  for (int step = 0; step < 60; ++step) {
    ASSERT_EQ(blob.fUpdate(), 0) << "a repeating blob never ends";
    scales.push_back(star._scale);
  }
  const QS_VEC3 start(2.0f, 2.0f, 0.0f);
  EXPECT_EQ(scales[0], start);
  EXPECT_EQ(scales[1], start);
  EXPECT_FLOAT_EQ(scales[3].x, 2.3f) << "half-way through the cycle the wobble peaks";
  EXPECT_EQ(scales[5], start) << "the restart puts back the start scale";
  for (std::size_t i = 0; i + 6 < scales.size(); ++i) EXPECT_EQ(scales[i], scales[i + 6]) << "step " << i;
}

TEST_F(Blob, FinishedBlobIsRetargetedToTheNextStarAndNeverFiresItsCallback) {
  QS_TRANSFORM3 first;
  QS_TRANSFORM3 second;
  bot_test::CountingCallback callback;
  QC_BOT_BLOB blob(&first, 0.25f, 0.2f, 0.5f, 0.5f, 1.0f, 1.0f, 0.0f, false);
  callback.AttachTo(blob);
  EXPECT_EQ(blob.fMessage(99, 1, 2, 3, 4), 0);
  EXPECT_EQ(bot_test::StepsToFinish(blob, 20), 4);
  const QS_VEC3 firstAtEnd = first._scale;

  // The owner's retarget: a new target, elapsed and countdown written directly.
  blob._target = &second;
  blob._elapsed = 0.0f;
  blob._delayLeft = 0.0f;
  second.fSetScale(1.0f, 1.0f, 0.0f);
  EXPECT_EQ(blob.fUpdate(), 0);
  EXPECT_EQ(blob.fUpdate(), 0);
  EXPECT_GT(second._scale.x, 1.01f) << "the new star wobbles";
  EXPECT_EQ(bot_test::StepsToFinish(blob, 20), 2);
  EXPECT_EQ(first._scale, firstAtEnd) << "the old star is not touched";
  // A blob put to rest without a target runs its time and touches nothing.
  blob._target = nullptr;
  blob._elapsed = 0.0f;
  EXPECT_EQ(bot_test::StepsToFinish(blob, 20), 4);
  EXPECT_EQ(callback.count, 0);
}

}  // namespace
