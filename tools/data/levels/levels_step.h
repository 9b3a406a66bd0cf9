// The "levels" step: designs the 120 career levels and writes pk1lv1.xml .. pk6lv20.xml.
#pragma once

#include <filesystem>

namespace QOR {

// sourceDir holds the hand-written data (balance.xml sets the money targets). 0 on success.
int fMakeLevels(const std::filesystem::path& sourceDir, const std::filesystem::path& stagingDir);

}  // namespace QOR
