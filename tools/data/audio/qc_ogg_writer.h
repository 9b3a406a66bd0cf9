// Encodes a stereo mix as Ogg Vorbis (libvorbisenc, variable bit rate). The stream's serial
// number is fixed and nothing depends on the clock, so the same mix gives the same bytes.
#pragma once

#include "tools/data/audio/qc_synth.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace QOR::AUDIO {

// quality -0.1..1 (vorbisenc's scale). Empty on failure.
std::vector<std::uint8_t> fEncodeVorbis(const QC_MIX& mix, float quality);

// Encodes and writes; false (reason on stderr) on failure.
bool fWriteVorbis(const QC_MIX& mix, float quality, const std::filesystem::path& path);

}  // namespace QOR::AUDIO
