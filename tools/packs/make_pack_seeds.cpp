// Writes the seed packs of the pack reader's fuzz target into the folder given as the argument:
// stored and deflated entries, a folder entry, an empty entry, a pack under another password, an
// unencrypted pack and a truncated pack. The fuzz target reads packs with the password
// "fuzz-pass".
#include "tools/packs/qc_pack_writer.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <seed folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
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
  return ok ? 0 : 1;
}
