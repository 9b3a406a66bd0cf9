// Clips made with libtheora's encoder decode into the video's texture: the right colours frame by
// frame, the right way round, for every chroma layout and for pictures of odd size and offset
// inside the coded frame, also when an audio stream comes first in the file.
#include "tests/engine/video/video_fixture.h"
#include "tests/kit/log_capture.h"
#include "tests/kit/ogg_maker.h"

#include <algorithm>

using namespace QOR;
using namespace video_test;
using qor_test::TheoraClip;

namespace {

class VideoDecode : public VideoTest {};

TEST_F(VideoDecode, EachFrameOfSolidColoursReachesTheTextureInTurn) {
  TheoraClip clip;
  const std::vector<std::uint32_t> colours = {kRed, kGreen, kBlue, kWhite};
  std::vector<qor_test::RgbPicture> pictures;
  for (std::uint32_t colour : colours) pictures.push_back(qor_test::fSolidPicture(clip, colour));
  const auto bytes = qor_test::fEncodeTheora(clip, pictures);
  ASSERT_FALSE(bytes.empty());

  qor_test::LogCapture log;
  QC_VIDEO video(fOpen(bytes), false, 30);
  ASSERT_TRUE(video.isOpen());
  EXPECT_TRUE(log.hasLine("Open ok"));
  ASSERT_NE(video.fGetTexture(), nullptr);
  EXPECT_EQ(video.fGetTexture()->fGetSize(), QS_POINT(32, 32));
  // Before the first picture the texture is opaque black, never leftover memory.
  EXPECT_EQ(fTexel(video, 5, 5), 0xFF000000u);
  EXPECT_FALSE(video.isPlaying());

  video.fPlay();
  for (std::size_t i = 0; i < colours.size(); ++i) {
    fRun(video, 1, video.fGetFramePeriod());
    EXPECT_EQ(video.fGetFrameCount(), static_cast<int>(i) + 1);
    for (int corner : {0, 31}) EXPECT_TRUE(fColourNear(fTexel(video, corner, corner), colours[i])) << "frame " << i;
    EXPECT_TRUE(fColourNear(fTexel(video, 16, 9), colours[i])) << "frame " << i;
  }
}

TEST_F(VideoDecode, SplitPicturesKeepLeftRightAndTopBottomTheRightWayRound) {
  TheoraClip clip;
  clip.width = 48;
  clip.height = 32;
  const auto bytes = qor_test::fEncodeTheora(
      clip, {qor_test::fLeftRightPicture(clip, kRed, kBlue), qor_test::fTopBottomPicture(clip, kGreen, kWhite)});
  QC_VIDEO video(fOpen(bytes), false, 30);
  ASSERT_TRUE(video.isOpen());
  video.fPlay();
  fRun(video, 1, 1.0f / 30);
  EXPECT_TRUE(fColourNear(fTexel(video, 2, 16), kRed));
  EXPECT_TRUE(fColourNear(fTexel(video, 20, 2), kRed));
  EXPECT_TRUE(fColourNear(fTexel(video, 28, 30), kBlue));
  EXPECT_TRUE(fColourNear(fTexel(video, 47, 16), kBlue));
  fRun(video, 1, 1.0f / 30);
  EXPECT_TRUE(fColourNear(fTexel(video, 24, 1), kGreen));
  EXPECT_TRUE(fColourNear(fTexel(video, 24, 13), kGreen));
  EXPECT_TRUE(fColourNear(fTexel(video, 24, 19), kWhite));
  EXPECT_TRUE(fColourNear(fTexel(video, 0, 31), kWhite));
}

TEST_F(VideoDecode, EveryChromaLayoutDecodesToTheSameColours) {
  for (int format : {qor_test::kTheora420, qor_test::kTheora422, qor_test::kTheora444}) {
    TheoraClip clip;
    clip.pixelFormat = format;
    const auto bytes = qor_test::fEncodeTheora(clip, {qor_test::fLeftRightPicture(clip, kGreen, kRed)});
    ASSERT_FALSE(bytes.empty()) << "layout " << format;
    QC_VIDEO video(fOpen(bytes, "layout" + std::to_string(format) + ".ogv"), false, 30);
    ASSERT_TRUE(video.isOpen()) << "layout " << format;
    video.fPlay();
    fRun(video, 1, 1.0f / 30);
    EXPECT_TRUE(fColourNear(fTexel(video, 4, 20), kGreen)) << "layout " << format;
    EXPECT_TRUE(fColourNear(fTexel(video, 28, 20), kRed)) << "layout " << format;
  }
}

TEST_F(VideoDecode, AnOddPictureAtAnOffsetFillsATextureOfItsOwnSize) {
  // A 37 x 21 picture at (5, 3): the coded frame is 48 x 32, the texture only the picture.
  TheoraClip clip;
  clip.width = 37;
  clip.height = 21;
  clip.offsetX = 5;
  clip.offsetY = 3;
  const auto bytes = qor_test::fEncodeTheora(clip, {qor_test::fLeftRightPicture(clip, kBlue, kWhite),
                                                    qor_test::fTopBottomPicture(clip, kRed, kGreen)});
  QC_VIDEO video(fOpen(bytes), false, 30);
  ASSERT_TRUE(video.isOpen());
  EXPECT_EQ(video.fGetWidth(), 37);
  EXPECT_EQ(video.fGetHeight(), 21);
  ASSERT_NE(video.fGetTexture(), nullptr);
  EXPECT_EQ(video.fGetTexture()->fGetSize(), QS_POINT(37, 21));
  video.fPlay();
  fRun(video, 1, 1.0f / 30);
  // The split lies at column 18 of the picture, wherever the picture sits in the frame.
  EXPECT_TRUE(fColourNear(fTexel(video, 0, 0), kBlue, 14));
  EXPECT_TRUE(fColourNear(fTexel(video, 15, 10), kBlue));
  EXPECT_TRUE(fColourNear(fTexel(video, 21, 10), kWhite));
  EXPECT_TRUE(fColourNear(fTexel(video, 36, 20), kWhite, 14));
  fRun(video, 1, 1.0f / 30);
  EXPECT_TRUE(fColourNear(fTexel(video, 18, 7), kRed));
  EXPECT_TRUE(fColourNear(fTexel(video, 18, 13), kGreen));
}

TEST_F(VideoDecode, AnAudioStreamWhoseBeginningPageComesFirstIsSkipped) {
  TheoraClip clip;
  const auto video_bytes = qor_test::fEncodeTheora(
      clip, {qor_test::fSolidPicture(clip, kBlue), qor_test::fSolidPicture(clip, kRed), qor_test::fSolidPicture(clip, kGreen)});
  const auto audio_bytes = qor_test::fMakeSineOgg(440.0, 0.5, 1, 22050);
  const auto both = qor_test::fInterleaveOgg(audio_bytes, video_bytes);

  qor_test::LogCapture log;
  QC_VIDEO video(fOpen(both), false, 30);
  ASSERT_TRUE(video.isOpen());
  video.fPlay();
  const std::uint32_t expected[] = {kBlue, kRed, kGreen};
  for (std::uint32_t colour : expected) {
    fRun(video, 1, 1.0f / 30);
    EXPECT_TRUE(fColourNear(fTexel(video, 10, 10), colour));
  }
  EXPECT_EQ(video.fGetFrameCount(), 3);
  // The audio pages are passed over quietly rather than reported as errors.
  EXPECT_FALSE(log.contains("Error logical stream"));
}

TEST_F(VideoDecode, OpeningByPathLogsItsStepsAndDecodesTheSame) {
  TheoraClip clip;
  const std::string path = fWrite("by_path.ogv", qor_test::fEncodeTheora(clip, {qor_test::fSolidPicture(clip, kGrey)}));
  qor_test::LogCapture log;
  QC_VIDEO video(path.c_str(), false, 25);
  ASSERT_TRUE(video.isOpen());
  const auto lines = log.lines();
  const auto at = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) - lines.begin(); };
  EXPECT_LT(at("decode"), at("Create"));
  EXPECT_LT(at("Create"), at("fill"));
  EXPECT_LT(at("fill"), static_cast<long>(lines.size()));
  EXPECT_FALSE(log.hasLine("Open ok"));  // the path open does not say it
  video.fPlay();
  fRun(video, 1, 0.04f);
  EXPECT_TRUE(fColourNear(fTexel(video, 3, 30), kGrey));
}

TEST_F(VideoDecode, WithoutARendererTheVideoHasNoTextureButStillDecodes) {
  TheoraClip clip;
  const auto bytes = qor_test::fEncodeTheora(clip, {qor_test::fSolidPicture(clip, kGreen)});
  qcRENDER = nullptr;
  qor_test::LogCapture log;
  QC_VIDEO video(fOpen(bytes), false, 30);
  EXPECT_TRUE(log.hasLine("Video creation error"));
  EXPECT_EQ(video.fGetTexture(), nullptr);
  video.fPlay();
  fRun(video, 1, 1.0f / 30);
  EXPECT_EQ(video.fGetFrameCount(), 1);
  EXPECT_EQ(video.fGetTexture(), nullptr);
}

}  // namespace
