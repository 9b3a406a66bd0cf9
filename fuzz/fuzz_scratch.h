// The scratch Resources folder of a fuzz target: a fresh temporary folder removed at exit, a
// file system rebased on it, and the engine log silenced so the fuzzer's own output stays
// readable. The folder lies in memory (the shared-memory file system) where there is one: targets
// that save files flush every write, which on a disk costs most of each input's time. The file system enters its Resources folder on construction; libFuzzer still reads
// its corpus by relative paths, so the previous working folder is restored afterwards and every
// path a target uses is absolute.
#pragma once

#include "engine/files/qc_file_system.h"
#include "engine/service/qc_globals.h"

#include <linux/magic.h>
#include <stdlib.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

namespace qor_fuzz {

// A folder for scratch files that lies in memory: /dev/shm when it is a writable memory file
// system, else the temporary folder.
inline std::filesystem::path fMemoryBackedTempFolder() {
  struct statfs info {};
  if (statfs("/dev/shm", &info) == 0 && info.f_type == TMPFS_MAGIC && access("/dev/shm", W_OK) == 0) return "/dev/shm";
  std::error_code error;
  return std::filesystem::temp_directory_path(error);
}

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
  std::string pattern = (fMemoryBackedTempFolder() / (std::string(prefix) + "XXXXXX")).string();
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
