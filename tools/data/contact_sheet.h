// Contact sheets: one PNG a person can look over at a glance. The art's sheet holds the three tile
// sets at full size and every other picture of the manifest as a captioned thumbnail (of the 120
// level backgrounds, the first of each pack), on a checkerboard that shows transparency. The
// screenshots' sheet holds every PNG of a folder tree (the end-to-end runs' screenshots), captioned
// with its path, in path order.
#pragma once

#include <filesystem>

namespace QOR {

// Reads the pictures from the staging folders; 0 on success.
int fWriteContactSheet(const std::filesystem::path& stagingRoot, const std::filesystem::path& png);
// Reads the PNGs under folder; 0 on success, 1 when none was found or one does not decode.
int fWriteShotSheet(const std::filesystem::path& folder, const std::filesystem::path& png);

}  // namespace QOR
