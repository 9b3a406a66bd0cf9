// The audio step of the data builder: synthesises the 16 sound effects and the six music tracks
// and writes them as Ogg Vorbis into the step's staging folder. 0 on success; on failure the
// reason goes to stderr.
#pragma once

#include <filesystem>

namespace QOR {

int fMakeAudio(const std::filesystem::path& stagingDir);

}  // namespace QOR
