// A contact sheet: one PNG with the three tile sets at full size and every other picture of the
// manifest as a captioned thumbnail (of the 120 level backgrounds, the first of each pack), on a
// checkerboard that shows transparency, so a person can look the art over at a glance.
#pragma once

#include <filesystem>

namespace QOR {

// Reads the pictures from the staging folders; 0 on success.
int fWriteContactSheet(const std::filesystem::path& stagingRoot, const std::filesystem::path& png);

}  // namespace QOR
