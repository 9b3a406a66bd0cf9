#include "tools/data/audio/qc_ogg_writer.h"

#include "tools/vorbis/qc_vorbis_encoder.h"

#include <cstdio>
#include <fstream>
#include <system_error>

namespace QOR::AUDIO {

std::vector<std::uint8_t> fEncodeVorbis(const QC_MIX& mix, float quality) {
  const std::vector<float>& left = mix.fLeft();
  const std::vector<float>& right = mix.fRight();
  std::vector<float> interleaved(left.size() * 2);
  for (std::size_t i = 0; i < left.size(); ++i) {
    interleaved[2 * i] = left[i];
    interleaved[2 * i + 1] = i < right.size() ? right[i] : 0.0f;
  }
  QS_VORBIS_SETTINGS settings;
  settings.channels = 2;
  settings.rate = kSampleRate;
  settings.quality = quality;
  settings.serial = 0x4A545421;
  settings.tagName = "TITLE";
  settings.tagValue = "Jade Tile Tourney";
  std::vector<std::uint8_t> bytes = QOR::fEncodeVorbis(interleaved, settings);
  if (bytes.empty()) std::fprintf(stderr, "vorbis encoder refused quality %g\n", static_cast<double>(quality));
  return bytes;
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
