// Fuzz target of the pack reader. An input that starts with "PK" is a raw archive; any other input
// is a pack recipe (tools/packs/qs_pack_recipe.h): its entries are written with the pack writer
// under the recipe's password choice and the archive is then cut and edited as it says, so that
// most inputs get past the cipher's check byte and the CRC into the archive structure, inflate and
// the entry names. Raw archives keep the older seeds and any crash input found with them useful.
//
// The archive is written as the pack file "pack" in a scratch Resources folder, listed, and every
// listed entry (and one fixed name) is loaded with the reader's password. Loading must give a
// designed result code and, on success, exactly the declared bytes. When a recipe's archive is left
// undamaged the answers are known: the listing is the written names in order, and each name loads
// the bytes of the first entry of that name ('\' and '/' alike), unless the pack was written under
// another password.
#include "engine/files/qc_file_system.h"
#include "fuzz/fuzz_scratch.h"
#include "tools/packs/qc_pack_writer.h"
#include "tools/packs/qs_pack_recipe.h"

#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

const std::string kPassword = "fuzz-pass";
// Loading walks the directory from its start for every entry; a bounded count keeps runs fast.
constexpr std::size_t kMaxEntries = 64;

QOR::QC_FILE_SYSTEM& fileSystem() { return qor_fuzz::fScratchFileSystem(); }

std::string withSlashes(std::string text) {
  std::replace(text.begin(), text.end(), '\\', '/');
  return text;
}

// What an undamaged recipe pack must answer for a name: the first written entry of that name.
struct Expected {
  bool known = false;  // the archive is the writer's, untouched
  bool readable = false;  // written under the reader's password or none
  std::vector<QOR::QS_PACK_RECIPE::QS_ENTRY> written;

  const QOR::QS_PACK_RECIPE::QS_ENTRY* fFind(const std::string& name) const {
    const std::string wanted = withSlashes(name);
    for (const auto& entry : written)
      if (withSlashes(entry.name) == wanted) return &entry;
    return nullptr;
  }
};

void load(const std::string& name, const Expected& expected) {
  QOR::QS_RESOURCE record(name);
  record._sgResName = name;
  record._folder = "pack";
  record._sgPass = kPassword;
  const int result = fileSystem().fLoadResource(&record);
  const QOR::QS_PACK_RECIPE::QS_ENTRY* entry = expected.known ? expected.fFind(name) : nullptr;
  if (result != 1) {
    if (result >= 0) __builtin_trap();
    if (record._data != nullptr) __builtin_trap();
    // An untouched pack under the reader's password (or none) reads every entry it holds.
    if (entry != nullptr && expected.readable) __builtin_trap();
    return;
  }
  // The bytes and the uncounted NUL after them must all be readable.
  const auto* bytes = static_cast<const unsigned char*>(record._data);
  if (bytes[record._size] != 0) __builtin_trap();
  if (expected.known) {
    // A name the pack does not hold never loads; one it holds loads exactly what was written.
    if (entry == nullptr || entry->bytes.size() != record._size) __builtin_trap();
    if (record._size > 0 && std::memcmp(bytes, entry->bytes.data(), record._size) != 0) __builtin_trap();
  }
  fileSystem().fFreeResource(&record);
}

// The archive a recipe makes, and what it must answer when it is left undamaged.
std::vector<std::uint8_t> build(const std::uint8_t* data, std::size_t size, Expected& expected) {
  const QOR::QS_PACK_RECIPE recipe = QOR::QS_PACK_RECIPE::fParse(data, size);
  QOR::QC_PACK_WRITER writer(recipe.fWriterPassword(kPassword));
  for (const auto& entry : recipe.entries) {
    if (writer.fAdd(entry.name, entry.bytes, entry.deflate)) expected.written.push_back(entry);
  }
  std::vector<std::uint8_t> archive = writer.fGetBytes();
  const std::vector<std::uint8_t> written = archive;
  recipe.fDamage(archive);
  expected.known = archive == written;
  expected.readable = recipe.password != QOR::QS_PACK_RECIPE::QE_PASSWORD::OTHER;
  return archive;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  return qor_fuzz::fStartScratch("qor_fuzz_") ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Expected expected;
  std::vector<std::uint8_t> archive;
  if (size >= 2 && data[0] == 'P' && data[1] == 'K') {
    archive.assign(data, data + size);
  } else {
    archive = build(data, size, expected);
  }

  const std::string path = fileSystem().fGetResourceDirectory() + "pack";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  const bool written = std::fwrite(archive.data(), 1, archive.size(), file) == archive.size();
  if (std::fclose(file) != 0 || !written) return 0;

  std::vector<std::string> names;
  QOR::QC_FILE_SYSTEM::fListZip(path, kPassword, names, false);
  if (expected.known && !expected.written.empty()) {
    if (names.size() != expected.written.size()) __builtin_trap();
    for (std::size_t i = 0; i < names.size(); ++i)
      if (names[i] != expected.written[i].name) __builtin_trap();
  }
  for (std::size_t i = 0; i < names.size() && i < kMaxEntries; ++i) load(names[i], expected);
  load("consts.xml", expected);
  return 0;
}
