// Fuzz target of the pack reader: each input is written as the pack file "pack" in a scratch
// Resources folder, listed, and every listed entry (and one fixed name) is loaded with the pack
// password. Loading must give a result code and, on success, exactly the declared bytes.
#include "engine/files/qc_file_system.h"
#include "fuzz/fuzz_scratch.h"

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

const std::string kPassword = "fuzz-pass";
// Loading walks the directory from its start for every entry; a bounded count keeps runs fast.
constexpr std::size_t kMaxEntries = 64;

QOR::QC_FILE_SYSTEM& fileSystem() { return qor_fuzz::fScratchFileSystem(); }

void load(const std::string& name) {
  QOR::QS_RESOURCE record(name);
  record._sgResName = name;
  record._folder = "pack";
  record._sgPass = kPassword;
  if (fileSystem().fLoadResource(&record) != 1) {
    if (record._data != nullptr) __builtin_trap();
    return;
  }
  // The bytes and the uncounted NUL after them must all be readable.
  const auto* bytes = static_cast<const unsigned char*>(record._data);
  if (bytes[record._size] != 0) __builtin_trap();
  fileSystem().fFreeResource(&record);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  return qor_fuzz::fStartScratch("qor_fuzz_") ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fileSystem().fGetResourceDirectory() + "pack";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  const bool written = std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) != 0 || !written) return 0;

  std::vector<std::string> names;
  QOR::QC_FILE_SYSTEM::fListZip(path, kPassword, names, false);
  for (std::size_t i = 0; i < names.size() && i < kMaxEntries; ++i) load(names[i]);
  load("consts.xml");
  return 0;
}
