// Frame pacing by frames per second under a set frame time, and what happens at the end of the
// file with looping off and on.
#include "tests/engine/video/video_fixture.h"
#include "tests/kit/log_capture.h"

#include <algorithm>

using namespace QOR;
using namespace video_test;
using qor_test::TheoraClip;

namespace {

class VideoTiming : public VideoTest {
 protected:
  // A clip of solid pictures in the given colours.
  std::FILE* fClip(const std::vector<std::uint32_t>& colours, const std::string& name = "clip.ogv") {
    TheoraClip clip;
    clip.width = 16;
    clip.height = 16;
    std::vector<qor_test::RgbPicture> pictures;
    for (std::uint32_t colour : colours) pictures.push_back(qor_test::fSolidPicture(clip, colour));
    return fOpen(qor_test::fEncodeTheora(clip, pictures), name);
  }

  static int fCountLines(const qor_test::LogCapture& log, const std::string& line) {
    const auto lines = log.lines();
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
  }
};

TEST_F(VideoTiming, AFrameTimeOfOnePeriodMakesEveryUpdateDue) {
  QC_VIDEO video(fClip({kRed, kGreen, kBlue, kWhite, kGrey}), false, 20);
  EXPECT_EQ(video.fGetFramePeriod(), 0.05f);
  video.fPlay();
  for (int i = 1; i <= 4; ++i) {
    fRun(video, 1, 0.05f);
    EXPECT_EQ(video.fGetFrameCount(), i);
  }
  EXPECT_DOUBLE_EQ(video.fGetElapsed(), 4 * static_cast<double>(0.05f));
}

TEST_F(VideoTiming, HalfAPeriodReachesZeroOnAlternateUpdatesAndZeroCountsAsDue) {
  QC_VIDEO video(fClip({kRed, kGreen, kBlue, kWhite, kGrey}), false, 30);
  video.fPlay();
  const float half = video.fGetFramePeriod() / 2.0f;
  // The countdown starts at 0: due (to half a period), due at exactly 0, then every second update.
  const int expected[] = {1, 2, 2, 3, 3, 4};
  for (int count : expected) {
    fRun(video, 1, half);
    EXPECT_EQ(video.fGetFrameCount(), count);
  }
  EXPECT_TRUE(fColourNear(fTexel(video, 8, 8), kWhite));
}

TEST_F(VideoTiming, AVideoThatWasNotStartedOnlyCountsItsTime) {
  QC_VIDEO video(fClip({kRed, kGreen}), false, 30);
  fRun(video, 5, 0.1f);
  EXPECT_EQ(video.fGetFrameCount(), 0);
  EXPECT_NEAR(video.fGetElapsed(), 0.5, 1e-6);
  EXPECT_EQ(fTexel(video, 0, 0), 0xFF000000u);
}

TEST_F(VideoTiming, AZeroFrameRateShowsAPictureOnEveryUpdate) {
  QC_VIDEO video(fClip({kRed, kGreen, kBlue}), false, 0);
  EXPECT_EQ(video.fGetFramePeriod(), 0.0f);
  video.fPlay();
  fRun(video, 3, 0.001f);
  EXPECT_EQ(video.fGetFrameCount(), 3);
  EXPECT_TRUE(fColourNear(fTexel(video, 8, 8), kBlue));
}

TEST_F(VideoTiming, PlayingVideosDrainOneSharedCountdown) {
  QC_VIDEO first(fClip({kRed, kGreen, kBlue, kWhite}, "first.ogv"), false, 30);
  QC_VIDEO second(fClip({kRed, kGreen, kBlue, kWhite}, "second.ogv"), false, 30);
  first.fPlay();
  second.fPlay();
  // Half a period per update: the countdown pays out one frame per full period, and whoever
  // updates when it runs out takes it.
  QOR::qcFrameTime = first.fGetFramePeriod() / 2.0f;
  for (int round = 0; round < 3; ++round) {
    first.fUpdate();
    second.fUpdate();
  }
  EXPECT_EQ(first.fGetFrameCount(), 1);
  EXPECT_EQ(second.fGetFrameCount(), 3);
}

TEST_F(VideoTiming, WithoutLoopingTheVideoStopsOnItsLastPicture) {
  qor_test::LogCapture log;
  QC_VIDEO video(fClip({kRed, kGreen, kBlue}), false, 30);
  video.fPlay();
  fRun(video, 3, 1.0f / 30);
  EXPECT_TRUE(video.isPlaying());
  EXPECT_TRUE(fColourNear(fTexel(video, 8, 8), kBlue));
  fRun(video, 1, 1.0f / 30);
  EXPECT_FALSE(video.isPlaying());
  EXPECT_EQ(fCountLines(log, "End of file! Looping 0"), 1);
  // The picture held at the end is not decoded again, and nothing more happens after it.
  fRun(video, 10, 1.0f / 30);
  EXPECT_EQ(video.fGetFrameCount(), 3);
  EXPECT_EQ(fCountLines(log, "End of file! Looping 0"), 1);
  EXPECT_TRUE(fColourNear(fTexel(video, 8, 8), kBlue));
}

TEST_F(VideoTiming, WithLoopingTheVideoStartsOverWithoutAGap) {
  qor_test::LogCapture log;
  const std::vector<std::uint32_t> colours = {kRed, kGreen, kBlue};
  QC_VIDEO video(fClip(colours), true, 30);
  video.fPlay();
  for (int i = 0; i < 10; ++i) {
    fRun(video, 1, 1.0f / 30);
    EXPECT_TRUE(fColourNear(fTexel(video, 8, 8), colours[i % 3])) << "update " << i;
  }
  EXPECT_EQ(video.fGetFrameCount(), 10);
  EXPECT_TRUE(video.isPlaying());
  EXPECT_EQ(fCountLines(log, "End of file! Looping 1"), 3);
  // The header packets met again after each rewind are not taken for pictures.
  EXPECT_FALSE(log.contains("Error bad packet"));
  EXPECT_FALSE(log.contains("Decoding error"));
}

TEST_F(VideoTiming, ALoopingClipWithoutPicturesStopsInsteadOfSpinning) {
  qor_test::LogCapture log;
  QC_VIDEO video(fClip({}), true, 30);
  ASSERT_TRUE(video.isOpen());
  video.fPlay();
  fRun(video, 3, 1.0f / 30);
  EXPECT_FALSE(video.isPlaying());
  EXPECT_EQ(video.fGetFrameCount(), 0);
  EXPECT_EQ(fCountLines(log, "End of file! Looping 1"), 2);
}

TEST_F(VideoTiming, CloseReleasesEverythingButTheTextureAndIsSafeTwice) {
  QC_VIDEO video(fClip({kRed, kGreen}), true, 30);
  video.fPlay();
  fRun(video, 1, 1.0f / 30);
  QC_TEXTURE_INFO* texture = video.fGetTexture();
  video.fClose();
  EXPECT_FALSE(video.isOpen());
  EXPECT_FALSE(video.isPlaying());
  EXPECT_EQ(video.fGetTexture(), texture);
  EXPECT_TRUE(fColourNear(fTexel(video, 8, 8), kRed));
  fRun(video, 3, 1.0f / 30);
  EXPECT_EQ(video.fGetFrameCount(), 1);
  video.fPlay();  // nothing left to play
  EXPECT_FALSE(video.isPlaying());
  video.fClose();
}

}  // namespace
