#include "engine/files/qc_pkware_cipher.h"

#include <array>

namespace QOR {

namespace {

// The CRC-32 table (reflected polynomial 0xEDB88320), built at compile time: the key steps run
// once per byte of every pack entry, so they read it directly.
constexpr std::array<std::uint32_t, 256> kCrcTable = [] {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1u) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}();

inline std::uint32_t crcStep(std::uint32_t crc, std::uint8_t byte) {
  return kCrcTable[(crc ^ byte) & 0xFFu] ^ (crc >> 8);
}

}  // namespace

QC_PKWARE_CIPHER::QC_PKWARE_CIPHER(const std::string& password) : _keys{305419896u, 591751049u, 878082192u} {
  for (char c : password) fUpdateKeys(static_cast<std::uint8_t>(c));
}

std::uint8_t QC_PKWARE_CIPHER::fKeyStream() const {
  const std::uint32_t temp = (_keys[2] | 2u) & 0xFFFFu;
  return static_cast<std::uint8_t>(((temp * (temp ^ 1u)) >> 8) & 0xFFu);
}

void QC_PKWARE_CIPHER::fUpdateKeys(std::uint8_t plain) {
  _keys[0] = crcStep(_keys[0], plain);
  _keys[1] = (_keys[1] + (_keys[0] & 0xFFu)) * 134775813u + 1u;
  _keys[2] = crcStep(_keys[2], static_cast<std::uint8_t>(_keys[1] >> 24));
}

std::uint8_t QC_PKWARE_CIPHER::fDecryptByte(std::uint8_t cipher) {
  const std::uint8_t plain = cipher ^ fKeyStream();
  fUpdateKeys(plain);
  return plain;
}

std::uint8_t QC_PKWARE_CIPHER::fEncryptByte(std::uint8_t plain) {
  const std::uint8_t cipher = plain ^ fKeyStream();
  fUpdateKeys(plain);
  return cipher;
}

void QC_PKWARE_CIPHER::fDecrypt(std::uint8_t* data, std::size_t count) { fDecrypt(data, data, count); }

// The same steps as fDecryptByte with the keys held in locals, so the loop keeps them in
// registers instead of storing them back after every byte.
void QC_PKWARE_CIPHER::fDecrypt(const std::uint8_t* source, std::uint8_t* target, std::size_t count) {
  std::uint32_t key0 = _keys[0];
  std::uint32_t key1 = _keys[1];
  std::uint32_t key2 = _keys[2];
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t temp = (key2 | 2u) & 0xFFFFu;
    const auto plain = static_cast<std::uint8_t>(source[i] ^ static_cast<std::uint8_t>((temp * (temp ^ 1u)) >> 8));
    target[i] = plain;
    key0 = crcStep(key0, plain);
    key1 = (key1 + (key0 & 0xFFu)) * 134775813u + 1u;
    key2 = crcStep(key2, static_cast<std::uint8_t>(key1 >> 24));
  }
  _keys[0] = key0;
  _keys[1] = key1;
  _keys[2] = key2;
}

void QC_PKWARE_CIPHER::fEncrypt(std::uint8_t* data, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) data[i] = fEncryptByte(data[i]);
}

std::uint8_t QC_PKWARE_CIPHER::fCheckByte(std::uint16_t flags, std::uint32_t crc, std::uint16_t dosTime) {
  if ((flags & kFlagDataDescriptor) != 0) return static_cast<std::uint8_t>(dosTime >> 8);
  return static_cast<std::uint8_t>(crc >> 24);
}

}  // namespace QOR
