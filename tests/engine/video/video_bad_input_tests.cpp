// Files that are missing, empty, cut short, not Theora, random, or carry damaged packets: each gives
// the designed result and log line, leaves the video without a decoder where it cannot play, and
// never hangs, crashes or reads past the data.
#include "tests/engine/video/video_fixture.h"
#include "tests/kit/log_capture.h"
#include "tests/kit/ogg_maker.h"

#include <ogg/ogg.h>

#include <algorithm>
#include <functional>
#include <random>

using namespace QOR;
using namespace video_test;
using qor_test::TheoraClip;

namespace {

// The clip's packets, changed by edit (given each packet's index and bytes), wrapped again into
// pages with fresh checksums, so the damage gets past the Ogg layer to the decoder.
std::vector<std::uint8_t> fRewrap(const std::vector<std::uint8_t>& bytes,
                                  const std::function<void(int, std::vector<unsigned char>&)>& edit) {
  std::vector<std::uint8_t> out;
  ogg_stream_state in{}, outStream{};
  bool started = false;
  int index = 0;
  for (const auto& pageBytes : qor_test::fOggPages(bytes)) {
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, static_cast<long>(pageBytes.size()));
    std::memcpy(buffer, pageBytes.data(), pageBytes.size());
    ogg_sync_wrote(&sync, static_cast<long>(pageBytes.size()));
    ogg_page page;
    if (ogg_sync_pageout(&sync, &page) == 1) {
      if (!started) {
        ogg_stream_init(&in, ogg_page_serialno(&page));
        ogg_stream_init(&outStream, ogg_page_serialno(&page));
        started = true;
      }
      ogg_stream_pagein(&in, &page);
      ogg_packet packet;
      while (ogg_stream_packetout(&in, &packet) == 1) {
        std::vector<unsigned char> data(packet.packet, packet.packet + packet.bytes);
        edit(index++, data);
        ogg_packet changed = packet;
        changed.packet = data.data();
        changed.bytes = static_cast<long>(data.size());
        ogg_stream_packetin(&outStream, &changed);
        ogg_page outPage;
        while (ogg_stream_flush(&outStream, &outPage) != 0) {
          out.insert(out.end(), outPage.header, outPage.header + outPage.header_len);
          out.insert(out.end(), outPage.body, outPage.body + outPage.body_len);
        }
      }
    }
    ogg_sync_clear(&sync);
  }
  ogg_stream_clear(&in);
  ogg_stream_clear(&outStream);
  return out;
}

class VideoBadInput : public VideoTest {
 protected:
  std::vector<std::uint8_t> fColourClip(int pictures) {
    TheoraClip clip;
    std::vector<qor_test::RgbPicture> list;
    const std::uint32_t colours[] = {kRed, kGreen, kBlue, kWhite};
    for (int i = 0; i < pictures; ++i) list.push_back(qor_test::fLeftRightPicture(clip, colours[i % 4], kGrey));
    return qor_test::fEncodeTheora(clip, list);
  }

  // Opens the bytes on a fresh video: the open's result, with the video left for inspection.
  int fOpenBytes(QC_VIDEO& video, const std::vector<std::uint8_t>& bytes) {
    return video.fOpenStream(fOpen(bytes));
  }
};

TEST_F(VideoBadInput, AMissingFileOrNullStreamGivesMinus110AndNoTexture) {
  qor_test::LogCapture log;
  QC_VIDEO byPath((_folder + "/missing.ogv").c_str(), true, 30);
  EXPECT_TRUE(log.hasLine("file not open"));
  EXPECT_FALSE(byPath.isOpen());
  EXPECT_EQ(byPath.fGetTexture(), nullptr);
  EXPECT_FALSE(log.hasLine("decode"));
  log.clear();
  QC_VIDEO byStream(static_cast<std::FILE*>(nullptr), false, 30);
  EXPECT_TRUE(log.hasLine("file not open"));
  EXPECT_FALSE(byStream.isOpen());
  EXPECT_EQ(byStream.fGetTexture(), nullptr);
  byStream.fPlay();
  fRun(byStream, 3, 0.1f);
  EXPECT_FALSE(byStream.isPlaying());

  QC_VIDEO video;
  EXPECT_EQ(video.fOpenFile((_folder + "/missing.ogv").c_str()), -110);
  EXPECT_EQ(video.fOpenFile(nullptr), -110);
  EXPECT_EQ(video.fOpenStream(nullptr), -110);
}

TEST_F(VideoBadInput, AFileCutShortAnywhereInItsHeadersGivesMinus110) {
  const auto bytes = fColourClip(2);
  const auto pages = qor_test::fOggPages(bytes);
  ASSERT_GE(pages.size(), 3u);
  const std::size_t headerBytes = pages[0].size() + pages[1].size();
  for (std::size_t cut = 0; cut < headerBytes; cut += 97) {
    qor_test::LogCapture log;
    QC_VIDEO video;
    const std::vector<std::uint8_t> part(bytes.begin(), bytes.begin() + static_cast<long>(cut));
    EXPECT_EQ(fOpenBytes(video, part), -110) << "cut at " << cut;
    EXPECT_FALSE(video.isOpen());
    EXPECT_TRUE(log.hasLine("File finished error") || log.hasLine("file end")) << "cut at " << cut;
  }
  // With the header pages whole the video opens, though no picture follows.
  QC_VIDEO video;
  EXPECT_EQ(fOpenBytes(video, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(headerBytes))), 0);
}

TEST_F(VideoBadInput, AFileCutShortInItsPicturesPlaysWhatItHasAndStops) {
  // The header pages, two whole picture pages and half of the third.
  const auto pages = qor_test::fOggPages(fColourClip(4));
  ASSERT_EQ(pages.size(), 6u);
  std::vector<std::uint8_t> part;
  for (std::size_t i = 0; i < 4; ++i) part.insert(part.end(), pages[i].begin(), pages[i].end());
  part.insert(part.end(), pages[4].begin(), pages[4].begin() + static_cast<long>(pages[4].size() / 2));
  for (bool loop : {false, true}) {
    QC_VIDEO video(fOpen(part, loop ? "cut_loop.ogv" : "cut.ogv"), loop, 30);
    ASSERT_TRUE(video.isOpen());
    video.fPlay();
    fRun(video, 12, 1.0f / 30);
    if (!loop) {
      EXPECT_EQ(video.fGetFrameCount(), 2);
      EXPECT_FALSE(video.isPlaying());
      EXPECT_TRUE(fColourNear(fTexel(video, 2, 2), kGreen));
    } else {
      EXPECT_EQ(video.fGetFrameCount(), 12);  // the two whole pictures, over and over
      EXPECT_TRUE(fColourNear(fTexel(video, 2, 2), kGreen));
    }
  }
}

TEST_F(VideoBadInput, AnOggVorbisFileIsNotAVideo) {
  qor_test::LogCapture log;
  QC_VIDEO video(fOpen(qor_test::fMakeSineOgg(330.0, 0.3, 2, 22050)), false, 30);
  EXPECT_FALSE(video.isOpen());
  EXPECT_EQ(video.fGetTexture(), nullptr);
  EXPECT_FALSE(log.hasLine("Open ok"));
  QC_VIDEO again;
  EXPECT_EQ(fOpenBytes(again, qor_test::fMakeSineOgg(330.0, 0.3, 1, 22050)), -110);
}

TEST_F(VideoBadInput, RandomBytesAreReadToTheirEndAndRefused) {
  std::mt19937 random(20240611u);
  for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{300}, std::size_t{40000}}) {
    std::vector<std::uint8_t> bytes(size);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
    qor_test::LogCapture log;
    QC_VIDEO video;
    EXPECT_EQ(fOpenBytes(video, bytes), -110) << size << " bytes";
    EXPECT_TRUE(log.hasLine("File finished error")) << size << " bytes";
  }
  // Random bytes after the real header pages: the beginning is found, the rest is no header.
  const auto pages = qor_test::fOggPages(fColourClip(1));
  std::vector<std::uint8_t> bytes = pages[0];
  for (int i = 0; i < 20000; ++i) bytes.push_back(static_cast<std::uint8_t>(random()));
  QC_VIDEO video;
  EXPECT_EQ(fOpenBytes(video, bytes), -110);
}

TEST_F(VideoBadInput, ADamagedHeaderIsRefusedRatherThanDecodedWithout) {
  const auto damaged = fRewrap(fColourClip(2), [](int index, std::vector<unsigned char>& data) {
    if (index == 2) std::fill(data.begin() + 7, data.end(), 0xFF);  // the setup header's tables
  });
  qor_test::LogCapture log;
  QC_VIDEO video(fOpen(damaged), false, 30);
  EXPECT_TRUE(log.hasLine("Error result 2"));
  EXPECT_FALSE(video.isOpen());
  EXPECT_EQ(video.fGetTexture(), nullptr);
}

TEST_F(VideoBadInput, DamagedPicturePacketsAreLoggedAndPlayGoesOn) {
  const auto damaged = fRewrap(fColourClip(4), [](int index, std::vector<unsigned char>& data) {
    if (index == 3) data.assign(data.size(), 0x00);  // zeros: still reads as a (blank) keyframe
    if (index == 4) data = {0x00, 0x70, 0x00, 0x00};  // a keyframe with its reserved bits set
    if (index == 5) data.resize(std::min<std::size_t>(data.size(), 3));  // cut short
    if (index == 6) data.assign(1, 0x80);  // a header packet amid the pictures
  });
  ASSERT_FALSE(damaged.empty());
  qor_test::LogCapture log;
  QC_VIDEO video(fOpen(damaged), false, 30);
  ASSERT_TRUE(video.isOpen());
  video.fPlay();
  fRun(video, 6, 1.0f / 30);
  EXPECT_TRUE(log.hasLine("Error bad packet"));
  EXPECT_EQ(video.fGetFrameCount(), 3);  // the header packet is no picture
  EXPECT_FALSE(video.isPlaying());
  ASSERT_NE(video.fGetTexture(), nullptr);
  EXPECT_EQ(fTexel(video, 0, 0) >> 24, 0xFFu);
}

TEST_F(VideoBadInput, ACodedFrameBeyondTheSizeLimitIsRefused) {
  TheoraClip wide;
  wide.width = static_cast<int>(QC_VIDEO::kMaxFrameSide);
  wide.height = 16;
  QC_VIDEO fits(fOpen(qor_test::fEncodeTheora(wide, {qor_test::fSolidPicture(wide, kGreen)}), "fits.ogv"), false, 30);
  EXPECT_TRUE(fits.isOpen());
  wide.width += 1;  // the coded frame grows by a whole block
  QC_VIDEO video;
  EXPECT_EQ(fOpenBytes(video, qor_test::fEncodeTheora(wide, {qor_test::fSolidPicture(wide, kGreen)})), -110);
  EXPECT_EQ(video.fGetTexture(), nullptr);
}

}  // namespace
