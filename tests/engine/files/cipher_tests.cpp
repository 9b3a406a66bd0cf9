// The PKWARE cipher's block decryption against its own byte-by-byte steps: the same plain bytes
// and the same keys afterwards, whatever the length, the password and where a block is split.
#include "engine/files/qc_pkware_cipher.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

using QOR::QC_PKWARE_CIPHER;

namespace {

TEST(PkwareCipher, BlocksDecryptAsTheByteStepsDoAndRoundTrip) {
  std::mt19937 random(20240611);
  for (const std::size_t length : {std::size_t{0}, std::size_t{1}, std::size_t{12}, std::size_t{13},
                                   std::size_t{4095}, std::size_t{70001}}) {
    std::vector<std::uint8_t> plain(length);
    for (std::uint8_t& byte : plain) byte = static_cast<std::uint8_t>(random());
    const std::string password = "pw-" + std::to_string(length) + std::string(length % 7, '\xE9');

    std::vector<std::uint8_t> cipher = plain;
    QC_PKWARE_CIPHER(password).fEncrypt(cipher.data(), cipher.size());
    if (length > 16) {
      EXPECT_NE(cipher, plain);
    }

    std::vector<std::uint8_t> byByte(length);
    QC_PKWARE_CIPHER stepwise(password);
    for (std::size_t i = 0; i < length; ++i) byByte[i] = stepwise.fDecryptByte(cipher[i]);
    EXPECT_EQ(byByte, plain) << length;

    // In place, in two blocks split anywhere, and from one buffer into another.
    const std::size_t split = length == 0 ? 0 : static_cast<std::size_t>(random()) % length;
    std::vector<std::uint8_t> inPlace = cipher;
    QC_PKWARE_CIPHER blocks(password);
    blocks.fDecrypt(inPlace.data(), split);
    blocks.fDecrypt(inPlace.data() + split, length - split);
    EXPECT_EQ(inPlace, plain) << length << " split at " << split;
    std::vector<std::uint8_t> copied(length);
    QC_PKWARE_CIPHER(password).fDecrypt(cipher.data(), copied.data(), length);
    EXPECT_EQ(copied, plain) << length;

    // Both ways leave the keys in the same state: the next byte decrypts alike.
    EXPECT_EQ(blocks.fDecryptByte(0x5A), stepwise.fDecryptByte(0x5A)) << length;
  }
}

}  // namespace
