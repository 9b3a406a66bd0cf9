// The scratch Resources folder of a fuzz target: a fresh temporary folder removed at exit, a
// file system rebased on it, and the engine log silenced so the fuzzer's own output stays
// readable. The file system enters its Resources folder on construction; libFuzzer still reads
// its corpus by relative paths, so the previous working folder is restored afterwards and every
// path a target uses is absolute.
#pragma once

#include "engine/files/qc_file_system.h"
#include "engine/service/qc_globals.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

namespace qor_fuzz {

inline std::string& fScratchBase() {
  static std::string base;
  return base;
}

inline QOR::QC_FILE_SYSTEM& fScratchFileSystem() {
  static QOR::QC_FILE_SYSTEM files(fScratchBase());
  return files;
}

inline void fRemoveScratch() {
  std::error_code error;
  std::filesystem::remove_all(fScratchBase(), error);
}

// Makes the folder (its name starts with prefix) and the file system on it, published as
// qcFILE_SYSTEM. False when no folder can be made.
inline bool fStartScratch(const char* prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (std::string(prefix) + "XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) return false;
  fScratchBase() = pattern;
  std::atexit(&fRemoveScratch);
  std::cout.rdbuf(nullptr);
  std::error_code error;
  const std::filesystem::path start = std::filesystem::current_path(error);
  QOR::qcFILE_SYSTEM = &fScratchFileSystem();
  if (!error) std::filesystem::current_path(start, error);
  return true;
}

}  // namespace qor_fuzz
