#include "tools/vorbis/qc_vorbis_encoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace QOR {

namespace {

void fAppendPage(const ogg_page& page, std::vector<std::uint8_t>& out) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

}  // namespace

std::vector<std::uint8_t> fEncodeVorbis(const std::vector<float>& interleaved, const QS_VORBIS_SETTINGS& settings) {
  std::vector<std::uint8_t> out;
  const int channels = settings.channels;
  if (channels < 1 || settings.rate < 1) return out;
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, channels, settings.rate, settings.quality) != 0) {
    vorbis_info_clear(&info);
    return out;
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_comment_add_tag(&comment, settings.tagName, settings.tagValue);
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, static_cast<int>(settings.serial));

  ogg_packet header, headerComment, headerCode;
  vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &headerComment);
  ogg_stream_packetin(&stream, &headerCode);
  ogg_page page;
  while (ogg_stream_flush(&stream, &page) != 0) fAppendPage(page, out);

  const auto stride = static_cast<std::size_t>(channels);
  const std::size_t frames = interleaved.size() / stride;
  const std::size_t chunk = 4096;
  std::size_t done = 0;
  bool ended = false;
  while (!ended) {
    const std::size_t count = std::min(chunk, frames - done);
    if (count == 0) {
      vorbis_analysis_wrote(&dsp, 0);  // end of stream
    } else {
      float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
      for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t c = 0; c < stride; ++c) {
          buffer[c][i] = std::clamp(interleaved[(done + i) * stride + c], -1.0f, 1.0f);
        }
      }
      vorbis_analysis_wrote(&dsp, static_cast<int>(count));
      done += count;
    }
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0) {
          fAppendPage(page, out);
          if (ogg_page_eos(&page) != 0) ended = true;
        }
      }
    }
    if (count == 0) ended = true;
  }
  while (ogg_stream_flush(&stream, &page) != 0) fAppendPage(page, out);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

}  // namespace QOR
