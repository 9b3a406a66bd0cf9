#include "engine/files/qc_pkware_cipher.h"

#include <zlib.h>

namespace QOR {

namespace {

std::uint32_t crcStep(std::uint32_t crc, std::uint8_t byte) {
  static const z_crc_t* table = get_crc_table();
  return static_cast<std::uint32_t>(table[(crc ^ byte) & 0xFFu]) ^ (crc >> 8);
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

void QC_PKWARE_CIPHER::fDecrypt(std::uint8_t* data, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) data[i] = fDecryptByte(data[i]);
}

void QC_PKWARE_CIPHER::fEncrypt(std::uint8_t* data, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) data[i] = fEncryptByte(data[i]);
}

std::uint8_t QC_PKWARE_CIPHER::fCheckByte(std::uint16_t flags, std::uint32_t crc, std::uint16_t dosTime) {
  if ((flags & kFlagDataDescriptor) != 0) return static_cast<std::uint8_t>(dosTime >> 8);
  return static_cast<std::uint8_t>(crc >> 24);
}

}  // namespace QOR
