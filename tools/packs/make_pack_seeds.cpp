// Writes seeds of the pack reader's fuzz target (which reads packs with the password "fuzz-pass")
// into the folder given as the first argument.
//   qor_make_pack_seeds <folder>
//     the committed seeds (fuzz/corpus/pack_reader): raw packs with stored and deflated entries, a
//     folder entry, an empty entry, a pack under another password, an unencrypted pack and a
//     truncated pack; and pack recipes (tools/packs/qs_pack_recipe.h) with names that differ only
//     by their separator, each password choice, and an archive with a damaged directory.
//   qor_make_pack_seeds <folder> <file>...
//     seeds of real files, made by the build from the game's data: one raw pack holding them all
//     and recipes of them (all together, and each alone under each password choice).
#include "tools/packs/qc_pack_writer.h"
#include "tools/packs/qs_pack_recipe.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using RECIPE = QOR::QS_PACK_RECIPE;

bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

bool readBytes(const std::string& path, std::string& bytes) {
  std::ifstream stream(path, std::ios::binary);
  if (!stream) return false;
  bytes.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
  return !stream.bad();
}

// Text compresses well and is deflated, as the data builder does; pictures are stored.
bool isText(const std::string& name) {
  const std::string extension = std::filesystem::path(name).extension().string();
  return extension == ".xml" || extension == ".fnt" || extension == ".txt";
}

bool writeCommittedSeeds(const std::string& folder) {
  const std::string text = "<config><value name=\"speed\">3</value></config>\n";

  QOR::QC_PACK_WRITER mixed("fuzz-pass");
  mixed.fAdd("consts.xml", text, true);
  mixed.fAdd("stored.txt", "stored bytes, not deflated", false);
  mixed.fAdd("levels/", "", false);
  mixed.fAdd("levels/pk1lv1.xml", std::string(300, 'a') + text, true);
  mixed.fAdd("empty.bin", "", true);

  QOR::QC_PACK_WRITER single("fuzz-pass");
  single.fAdd("a", "x", false);

  QOR::QC_PACK_WRITER otherPassword("not-the-pass");
  otherPassword.fAdd("consts.xml", text, true);

  QOR::QC_PACK_WRITER plain("");
  plain.fAdd("plain.txt", text, true);

  std::vector<std::uint8_t> truncated = mixed.fGetBytes();
  truncated.resize(truncated.size() * 2 / 3);

  bool ok = mixed.fWrite(folder + "mixed.pack");
  ok = single.fWrite(folder + "single.pack") && ok;
  ok = otherPassword.fWrite(folder + "wrong_password.pack") && ok;
  ok = plain.fWrite(folder + "unencrypted.pack") && ok;
  ok = writeBytes(folder + "truncated.pack", truncated) && ok;

  // Names alike but for the separator (the first one wins), a folder, an empty entry and a name
  // the pack lacks its lookalike of.
  RECIPE names;
  names.entries = {{"levels\\pk1lv1.xml", std::string(200, 'b') + text, true},
                   {"levels/pk1lv1.xml", "the second of two names alike", false},
                   {"levels/", "", false},
                   {"empty.bin", "", true},
                   {"consts.xml", text, false}};
  ok = writeBytes(folder + "names.recipe", names.fEncode()) && ok;

  RECIPE clear;
  clear.password = RECIPE::QE_PASSWORD::NONE;
  clear.entries = {{"consts.xml", text, true}, {"stored.txt", "stored in the clear", false}};
  ok = writeBytes(folder + "clear.recipe", clear.fEncode()) && ok;

  RECIPE other = clear;
  other.password = RECIPE::QE_PASSWORD::OTHER;
  ok = writeBytes(folder + "other_password.recipe", other.fEncode()) && ok;

  // Damage to the central directory, which the reader trusts for the sizes, method and flags: the
  // first entry's encryption bit and method, and the second entry's declared plain size.
  QOR::QC_PACK_WRITER namesPack("fuzz-pass");
  for (const RECIPE::QS_ENTRY& entry : names.entries) namesPack.fAdd(entry.name, entry.bytes, entry.deflate);
  const std::vector<std::uint8_t> archive = namesPack.fGetBytes();
  const std::size_t end = archive.size() - 22;
  const std::size_t directory = archive[end + 16] | (archive[end + 17] << 8);
  const std::size_t second = directory + 46 + names.entries[0].name.size();
  RECIPE damaged = names;
  damaged.edits = {{static_cast<std::uint16_t>(directory + 8), 0x01},
                   {static_cast<std::uint16_t>(directory + 10), 0x08},
                   {static_cast<std::uint16_t>(second + 24), 0x10}};
  ok = writeBytes(folder + "damaged.recipe", damaged.fEncode()) && ok;
  return ok;
}

bool writeFileSeeds(const std::string& folder, const std::vector<std::string>& paths) {
  QOR::QC_PACK_WRITER pack("fuzz-pass");
  RECIPE all;
  bool ok = true;
  for (const std::string& path : paths) {
    RECIPE::QS_ENTRY entry;
    if (!readBytes(path, entry.bytes)) {
      std::fprintf(stderr, "cannot read %s\n", path.c_str());
      ok = false;
      continue;
    }
    entry.name = std::filesystem::path(path).filename().string();
    entry.deflate = isText(entry.name);
    ok = pack.fAdd(entry.name, entry.bytes, entry.deflate) && ok;
    all.entries.push_back(entry);

    const RECIPE::QE_PASSWORD passwords[] = {RECIPE::QE_PASSWORD::READER, RECIPE::QE_PASSWORD::NONE,
                                             RECIPE::QE_PASSWORD::OTHER};
    for (const RECIPE::QE_PASSWORD password : passwords) {
      RECIPE alone;
      alone.password = password;
      alone.entries.push_back(entry);
      const std::string seed = folder + entry.name + "." + std::to_string(static_cast<int>(password)) + ".recipe";
      ok = writeBytes(seed, alone.fEncode()) && ok;
    }
  }
  ok = pack.fWrite(folder + "files.pack") && ok;
  ok = writeBytes(folder + "files.recipe", all.fEncode()) && ok;
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <seed folder> [<data file>...]\n", argv[0]);
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  if (argc == 2) return writeCommittedSeeds(folder) ? 0 : 1;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return writeFileSeeds(folder, std::vector<std::string>(argv + 2, argv + argc)) ? 0 : 1;
}
