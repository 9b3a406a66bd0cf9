// The builder's steps. Each step writes its files into its own staging folder
// (${CMAKE_BINARY_DIR}/data_staging/<step>/), which the driver creates before the call; the packs
// step then lays out Resources from the staging folders by the manifest.
//
// A step function returns 0 on success; on failure it prints the reason to stderr and returns
// nonzero. Steps must be deterministic: the same sources give byte-identical files.
//
// Step functions of the art side (declared in their own headers):
//   tools/data/art/art_steps.h:     fMakeTiles, fMakePictures, fMakeLevelBackgrounds
//   tools/data/fonts/font_steps.h:  fMakeFonts
//   tools/data/audio/audio_steps.h: fMakeAudio
// all of the form  int fName(const std::filesystem::path& stagingDir);
// Each of those folders has its own CMakeLists.txt that makes one static library
// (qor_data_art, qor_data_fonts, qor_data_audio); tools/data/CMakeLists.txt adds the folders and
// links the libraries into the builder. Where each resource goes: tools/data/resource_layout.h.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace QOR {

using DATA_STEP_FUNCTION = int (*)(const std::filesystem::path& stagingDir);

// Runs one step by name into its (emptied) staging folder; 2 when the name is unknown.
int fRunStep(const std::string& stepName, const std::filesystem::path& stagingDir);

// The folder of hand-written sources (the repository's data/) that the XML side's steps read.
void fSetDataSourceDir(const std::filesystem::path& folder);
const std::filesystem::path& fGetDataSourceDir();

// Every step name in build order.
std::vector<std::string> fStepNames();

}  // namespace QOR
