#include "tests/kit/ogg_maker.h"

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstring>

namespace qor_test {

namespace {

void fAppendPage(const ogg_page& page, std::vector<std::uint8_t>& out) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

}  // namespace

std::vector<std::uint8_t> fEncodeOggVorbis(const std::vector<float>& interleaved, int channels, int rate,
                                           float quality) {
  std::vector<std::uint8_t> out;
  if (channels < 1 || rate < 1) return out;
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, channels, rate, quality) != 0) {
    vorbis_info_clear(&info);
    return out;
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_comment_add_tag(&comment, "ENCODER", "qor_test");
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 0x51A11ED);  // a fixed serial keeps the bytes deterministic

  ogg_packet header, headerComment, headerCode;
  vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &headerComment);
  ogg_stream_packetin(&stream, &headerCode);
  ogg_page page;
  while (ogg_stream_flush(&stream, &page) != 0) fAppendPage(page, out);

  const std::size_t frames = interleaved.size() / static_cast<std::size_t>(channels);
  const std::size_t chunk = 4096;
  std::size_t done = 0;
  bool ended = false;
  while (!ended) {
    const std::size_t count = frames - done < chunk ? frames - done : chunk;
    if (count == 0) {
      vorbis_analysis_wrote(&dsp, 0);  // end of stream
    } else {
      float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
      for (std::size_t i = 0; i < count; ++i) {
        for (int c = 0; c < channels; ++c) {
          buffer[c][i] = interleaved[(done + i) * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)];
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

std::vector<std::uint8_t> fMakeOgg(const std::function<float(double seconds)>& signal, double seconds, int channels,
                                   int rate) {
  if (channels < 1 || rate < 1 || !(seconds > 0.0)) return {};
  const auto frames = static_cast<std::size_t>(seconds * rate + 0.5);
  std::vector<float> pcm(frames * static_cast<std::size_t>(channels));
  for (std::size_t i = 0; i < frames; ++i) {
    const float value = signal(static_cast<double>(i) / rate);
    for (int c = 0; c < channels; ++c) pcm[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] = value;
  }
  return fEncodeOggVorbis(pcm, channels, rate);
}

std::vector<std::uint8_t> fMakeSineOgg(double frequency, double seconds, int channels, int rate, float amplitude) {
  const double twoPi = 6.283185307179586;
  return fMakeOgg([&](double t) { return amplitude * static_cast<float>(std::sin(twoPi * frequency * t)); }, seconds,
                  channels, rate);
}

}  // namespace qor_test
