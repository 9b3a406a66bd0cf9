#include "tools/data/audio/qc_ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <system_error>

namespace QOR::AUDIO {

namespace {

void fAppendPage(std::vector<std::uint8_t>& out, const ogg_page& page) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

}  // namespace

std::vector<std::uint8_t> fEncodeVorbis(const QC_MIX& mix, float quality) {
  std::vector<std::uint8_t> out;
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, 2, kSampleRate, quality) != 0) {
    vorbis_info_clear(&info);
    std::fprintf(stderr, "vorbis encoder refused quality %g\n", static_cast<double>(quality));
    return out;
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_comment_add_tag(&comment, "TITLE", "Jade Tile Tourney");
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 0x4A545421);  // fixed serial number: deterministic output

  ogg_packet header;
  ogg_packet headerComment;
  ogg_packet headerCode;
  vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &headerComment);
  ogg_stream_packetin(&stream, &headerCode);
  ogg_page page;
  while (ogg_stream_flush(&stream, &page) != 0) fAppendPage(out, page);

  const std::vector<float>& left = mix.fLeft();
  const std::vector<float>& right = mix.fRight();
  const std::size_t frames = left.size();
  const std::size_t chunk = 4096;
  bool done = false;
  std::size_t at = 0;
  while (!done) {
    const std::size_t count = std::min(chunk, frames - at);
    if (count == 0) {
      vorbis_analysis_wrote(&dsp, 0);
    } else {
      float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
      for (std::size_t i = 0; i < count; ++i) {
        buffer[0][i] = std::clamp(left[at + i], -1.0f, 1.0f);
        buffer[1][i] = std::clamp(right[at + i], -1.0f, 1.0f);
      }
      vorbis_analysis_wrote(&dsp, static_cast<int>(count));
      at += count;
    }
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0) {
          fAppendPage(out, page);
          if (ogg_page_eos(&page) != 0) done = true;
        }
      }
    }
    if (count == 0 && !done) {
      // Everything has been handed over; flush what is left.
      while (ogg_stream_flush(&stream, &page) != 0) fAppendPage(out, page);
      done = true;
    }
  }
  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

bool fWriteVorbis(const QC_MIX& mix, float quality, const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = fEncodeVorbis(mix, quality);
  if (bytes.empty()) return false;
  std::error_code error;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
    return false;
  }
  return true;
}

}  // namespace QOR::AUDIO
