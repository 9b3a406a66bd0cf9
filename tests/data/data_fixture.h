// Shared by the data tests: where the build put the data, one file system and game lookup over
// the built Resources folder, and decoders that say whether bytes are what they claim to be.
#pragma once

#include "tests/data/game_lookup.h"

#include <filesystem>
#include <string>

namespace qor_test {

std::filesystem::path fResourcesDir();  // <build>/game/Resources
std::filesystem::path fStagingDir();    // <build>/data_staging
std::filesystem::path fDataSourceDir(); // <source>/data
std::filesystem::path fBuilderProgram();

// One lookup over the built Resources for the whole test program (the file system makes the
// Resources folder the process's current directory, as in the game).
GAME_LOOKUP& fLookup();
// The folders that the store and the editor name in "pack entry" lookups but never register.
const std::vector<std::string>& fUnregisteredFolders();

// Loads a resource through the lookup (loose items by path); fails the calling test when missing.
std::string fResourceBytes(const std::string& lookup, bool loose = false);

struct QS_PICTURE_INFO {
  int width = 0;
  int height = 0;
};
// Decodes a PNG or JPEG fully; false with a reason.
bool fDecodePicture(const std::string& bytes, QS_PICTURE_INFO& info, std::string& why);

struct QS_SOUND_INFO {
  int channels = 0;
  long rate = 0;
  double seconds = 0.0;
  float peak = 0.0f;  // largest absolute sample, 0..1
};
// Decodes a whole Ogg Vorbis stream from memory; false with a reason.
bool fDecodeOgg(const std::string& bytes, QS_SOUND_INFO& info, std::string& why);

}  // namespace qor_test
