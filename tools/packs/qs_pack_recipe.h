// A pack described in a few bytes: the entries to write with the pack writer, which password to
// write them under, and damage to do to the written archive. The pack reader's fuzz target builds
// its packs from such recipes, so that its inputs pass the cipher and the CRC and reach the
// archive structure, inflate and the entry names; the seed generator writes recipes of real files.
//
// Layout (16-bit numbers little-endian; a recipe cut short simply ends where its bytes do):
//   byte 0     the password: 1 none (entries in the clear), 2 another than the reader's, else the
//              reader's; the other bits are ignored
//   byte 1     the number of entries, each then:
//                flags byte (bit 0: deflated, else stored), name length byte and the name,
//                16-bit data length and the data
//   the rest   16-bit length to cut the archive to (0 keeps it whole), then (16-bit offset, xor
//              mask) pairs whose offsets wrap around the archive's size
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace QOR {

struct QS_PACK_RECIPE {
  enum class QE_PASSWORD : std::uint8_t { READER = 0, NONE = 1, OTHER = 2 };

  struct QS_ENTRY {
    std::string name;   // at most 255 bytes are kept
    std::string bytes;  // at most 65535 bytes are kept
    bool deflate = true;
  };

  struct QS_EDIT {
    std::uint16_t offset = 0;
    std::uint8_t mask = 0;
  };

  QE_PASSWORD password = QE_PASSWORD::READER;
  std::vector<QS_ENTRY> entries;  // at most 255 are kept
  std::uint16_t cut = 0;
  std::vector<QS_EDIT> edits;

  static QS_PACK_RECIPE fParse(const std::uint8_t* data, std::size_t size);
  // The recipe's bytes; fParse of them gives the recipe back, within the limits above.
  std::vector<std::uint8_t> fEncode() const;

  // The password to write the entries with, given the one the reader uses.
  std::string fWriterPassword(const std::string& readerPassword) const;
  // Cuts archive to the recipe's length (when shorter) and applies its edits.
  void fDamage(std::vector<std::uint8_t>& archive) const;
};

}  // namespace QOR
