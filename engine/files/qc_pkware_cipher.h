// The traditional PKWARE zip cipher: three 32-bit keys stepped with CRC-32 over the plain bytes.
// An encrypted entry starts with a 12-byte header whose last plain byte checks the password.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace QOR {

class QC_PKWARE_CIPHER {
 public:
  static constexpr std::size_t kHeaderSize = 12;
  // General purpose flag bits of a zip entry.
  static constexpr std::uint16_t kFlagEncrypted = 0x0001;
  static constexpr std::uint16_t kFlagDataDescriptor = 0x0008;
  static constexpr std::uint16_t kFlagStrongEncryption = 0x0040;

  // Keys initialised from the password's bytes.
  explicit QC_PKWARE_CIPHER(const std::string& password);

  std::uint8_t fDecryptByte(std::uint8_t cipher);
  std::uint8_t fEncryptByte(std::uint8_t plain);
  void fDecrypt(std::uint8_t* data, std::size_t count);
  // Decrypts count bytes of source into target (the same bytes fDecryptByte would give, one by
  // one); source and target may be the same block.
  void fDecrypt(const std::uint8_t* source, std::uint8_t* target, std::size_t count);
  void fEncrypt(std::uint8_t* data, std::size_t count);

  // The value the header's last plain byte must have: the high byte of the DOS time field when
  // the entry's sizes and CRC follow its data (flag bit 3), else the high byte of the CRC.
  static std::uint8_t fCheckByte(std::uint16_t flags, std::uint32_t crc, std::uint16_t dosTime);

 private:
  std::uint8_t fKeyStream() const;
  void fUpdateKeys(std::uint8_t plain);

  std::uint32_t _keys[3];
};

}  // namespace QOR
