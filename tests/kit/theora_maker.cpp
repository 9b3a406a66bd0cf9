#include "tests/kit/theora_maker.h"

#include <ogg/ogg.h>
#include <theora/theoraenc.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace qor_test {

namespace {

void fAppendPage(const ogg_page& page, std::vector<std::uint8_t>& out) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

std::uint8_t fToByte(double value) { return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L)); }

// The exact inverse of the engine's conversion (R = Y + 1.371 Cr', B = Y + 1.732 Cb', G from both),
// so that a decoded picture comes back to the colours put in, up to the codec's rounding.
void fRgbToYCbCr(std::uint32_t rgb, std::uint8_t& y, std::uint8_t& cb, std::uint8_t& cr) {
  const double r = (rgb >> 16) & 0xFF;
  const double g = (rgb >> 8) & 0xFF;
  const double b = rgb & 0xFF;
  const double a = 0.698 / 1.371;
  const double c = 0.336 / 1.732;
  const double luma = (g + a * r + c * b) / (1.0 + a + c);
  y = fToByte(luma);
  cb = fToByte(128.0 + (b - luma) / 1.732);
  cr = fToByte(128.0 + (r - luma) / 1.371);
}

struct Planes {
  std::vector<std::uint8_t> data[3];
  th_ycbcr_buffer buffer;
};

// Fills the whole coded frame: each sample takes the colour of the nearest picture pixel, so the
// padding around the picture repeats its edges.
void fFillPlanes(const TheoraClip& clip, const th_info& info, const RgbPicture& picture, Planes& planes) {
  const int hShift = (clip.pixelFormat & 1) ? 0 : 1;
  const int vShift = (clip.pixelFormat & 2) ? 0 : 1;
  for (int plane = 0; plane < 3; ++plane) {
    const int shiftX = plane == 0 ? 0 : hShift;
    const int shiftY = plane == 0 ? 0 : vShift;
    const int width = static_cast<int>(info.frame_width) >> shiftX;
    const int height = static_cast<int>(info.frame_height) >> shiftY;
    planes.data[plane].assign(static_cast<std::size_t>(width) * height, 0);
    for (int row = 0; row < height; ++row) {
      for (int column = 0; column < width; ++column) {
        const int px = std::clamp((column << shiftX) - clip.offsetX, 0, clip.width - 1);
        const int py = std::clamp((row << shiftY) - clip.offsetY, 0, clip.height - 1);
        std::uint8_t samples[3];
        fRgbToYCbCr(picture[static_cast<std::size_t>(py) * clip.width + px], samples[0], samples[1], samples[2]);
        planes.data[plane][static_cast<std::size_t>(row) * width + column] = samples[plane];
      }
    }
    planes.buffer[plane].width = width;
    planes.buffer[plane].height = height;
    planes.buffer[plane].stride = width;
    planes.buffer[plane].data = planes.data[plane].data();
  }
}

}  // namespace

RgbPicture fSolidPicture(const TheoraClip& clip, std::uint32_t rgb) {
  return RgbPicture(static_cast<std::size_t>(clip.width) * clip.height, rgb);
}

RgbPicture fLeftRightPicture(const TheoraClip& clip, std::uint32_t left, std::uint32_t right) {
  RgbPicture picture = fSolidPicture(clip, left);
  for (int y = 0; y < clip.height; ++y) {
    for (int x = clip.width / 2; x < clip.width; ++x) picture[static_cast<std::size_t>(y) * clip.width + x] = right;
  }
  return picture;
}

RgbPicture fTopBottomPicture(const TheoraClip& clip, std::uint32_t top, std::uint32_t bottom) {
  RgbPicture picture = fSolidPicture(clip, top);
  for (int y = clip.height / 2; y < clip.height; ++y) {
    for (int x = 0; x < clip.width; ++x) picture[static_cast<std::size_t>(y) * clip.width + x] = bottom;
  }
  return picture;
}

std::vector<std::uint8_t> fEncodeTheora(const TheoraClip& clip, const std::vector<RgbPicture>& pictures) {
  std::vector<std::uint8_t> out;
  if (clip.width < 1 || clip.height < 1 || clip.offsetX < 0 || clip.offsetY < 0) return out;
  th_info info;
  th_info_init(&info);
  info.frame_width = static_cast<ogg_uint32_t>((clip.offsetX + clip.width + 15) & ~15);
  info.frame_height = static_cast<ogg_uint32_t>((clip.offsetY + clip.height + 15) & ~15);
  info.pic_width = static_cast<ogg_uint32_t>(clip.width);
  info.pic_height = static_cast<ogg_uint32_t>(clip.height);
  info.pic_x = static_cast<ogg_uint32_t>(clip.offsetX);
  info.pic_y = static_cast<ogg_uint32_t>(clip.offsetY);
  info.colorspace = TH_CS_UNSPECIFIED;
  info.pixel_fmt = static_cast<th_pixel_fmt>(clip.pixelFormat);
  info.target_bitrate = 0;
  info.quality = 63;
  info.fps_numerator = static_cast<ogg_uint32_t>(clip.fps > 0 ? clip.fps : 30);
  info.fps_denominator = 1;
  info.aspect_numerator = 1;
  info.aspect_denominator = 1;
  info.keyframe_granule_shift = 6;
  th_enc_ctx* encoder = th_encode_alloc(&info);
  if (encoder == nullptr) {
    th_info_clear(&info);
    return out;
  }
  th_comment comment;
  th_comment_init(&comment);
  ogg_stream_state stream;
  ogg_stream_init(&stream, clip.serial);
  ogg_packet packet;
  ogg_page page;
  bool ok = true;
  // The identification header alone on the beginning page, the other two after it.
  for (int index = 0; th_encode_flushheader(encoder, &comment, &packet) > 0; ++index) {
    ogg_stream_packetin(&stream, &packet);
    if (index == 0) {
      while (ogg_stream_flush(&stream, &page) != 0) fAppendPage(page, out);
    }
  }
  while (ogg_stream_flush(&stream, &page) != 0) fAppendPage(page, out);

  for (std::size_t i = 0; i < pictures.size() && ok; ++i) {
    if (pictures[i].size() != static_cast<std::size_t>(clip.width) * clip.height) {
      ok = false;
      break;
    }
    Planes planes;
    fFillPlanes(clip, info, pictures[i], planes);
    if (th_encode_ycbcr_in(encoder, planes.buffer) != 0) {
      ok = false;
      break;
    }
    const int last = i + 1 == pictures.size() ? 1 : 0;
    while (th_encode_packetout(encoder, last, &packet) > 0) ogg_stream_packetin(&stream, &packet);
    while (ogg_stream_flush(&stream, &page) != 0) fAppendPage(page, out);
  }
  ogg_stream_clear(&stream);
  th_comment_clear(&comment);
  th_encode_free(encoder);
  th_info_clear(&info);
  if (!ok) out.clear();
  return out;
}

std::vector<std::vector<std::uint8_t>> fOggPages(const std::vector<std::uint8_t>& bytes) {
  std::vector<std::vector<std::uint8_t>> pages;
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  char* buffer = ogg_sync_buffer(&sync, static_cast<long>(bytes.size()));
  if (buffer != nullptr && !bytes.empty()) {
    std::memcpy(buffer, bytes.data(), bytes.size());
    ogg_sync_wrote(&sync, static_cast<long>(bytes.size()));
  }
  ogg_page page;
  for (int result = ogg_sync_pageout(&sync, &page); result != 0; result = ogg_sync_pageout(&sync, &page)) {
    if (result < 0) continue;
    std::vector<std::uint8_t> one;
    fAppendPage(page, one);
    pages.push_back(std::move(one));
  }
  ogg_sync_clear(&sync);
  return pages;
}

std::vector<std::uint8_t> fInterleaveOgg(const std::vector<std::uint8_t>& first, const std::vector<std::uint8_t>& second) {
  const auto pagesA = fOggPages(first);
  const auto pagesB = fOggPages(second);
  std::vector<std::uint8_t> out;
  auto isBeginning = [](const std::vector<std::uint8_t>& page) { return page.size() > 5 && (page[5] & 0x02) != 0; };
  std::vector<const std::vector<std::uint8_t>*> restA;
  std::vector<const std::vector<std::uint8_t>*> restB;
  for (const auto& page : pagesA) {
    if (isBeginning(page)) out.insert(out.end(), page.begin(), page.end());
    else restA.push_back(&page);
  }
  for (const auto& page : pagesB) {
    if (isBeginning(page)) out.insert(out.end(), page.begin(), page.end());
    else restB.push_back(&page);
  }
  for (std::size_t i = 0; i < std::max(restA.size(), restB.size()); ++i) {
    if (i < restA.size()) out.insert(out.end(), restA[i]->begin(), restA[i]->end());
    if (i < restB.size()) out.insert(out.end(), restB[i]->begin(), restB[i]->end());
  }
  return out;
}

}  // namespace qor_test
