// A four-character identifier, read as one 32-bit word with the first character lowest.
#pragma once

#include <cstdint>

namespace QOR {

class QC_ID {
 public:
  std::uint8_t c0;
  std::uint8_t c1;
  std::uint8_t c2;
  std::uint8_t c3;

  QC_ID() : c0(0), c1(0), c2(0), c3(0) {}
  QC_ID(char a, char b, char c, char d) { fSet(a, b, c, d); }

  void fSet(char a, char b, char c, char d) {
    c0 = static_cast<std::uint8_t>(a);
    c1 = static_cast<std::uint8_t>(b);
    c2 = static_cast<std::uint8_t>(c);
    c3 = static_cast<std::uint8_t>(d);
  }
  std::uint32_t fGet() const {
    return static_cast<std::uint32_t>(c0) | (static_cast<std::uint32_t>(c1) << 8) |
           (static_cast<std::uint32_t>(c2) << 16) | (static_cast<std::uint32_t>(c3) << 24);
  }
  bool isEqual(std::uint32_t value) const { return fGet() == value; }
};

static_assert(sizeof(QC_ID) == 4, "QC_ID is four characters");

}  // namespace QOR
