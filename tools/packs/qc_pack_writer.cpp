#include "tools/packs/qc_pack_writer.h"

#include "engine/files/qc_pkware_cipher.h"

#include <zlib.h>

#include <cstdio>
#include <limits>

namespace QOR {

namespace {

constexpr std::uint16_t kVersion = 20;  // 2.0: deflate and traditional encryption
constexpr std::uint16_t kMethodStored = 0;
constexpr std::uint16_t kMethodDeflated = 8;
// Every entry carries 1980-01-01 00:00:00, the first DOS date.
constexpr std::uint16_t kDosTime = 0;
constexpr std::uint16_t kDosDate = (0 << 9) | (1 << 5) | 1;
constexpr std::uint64_t kLimit32 = std::numeric_limits<std::uint32_t>::max();

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFFu));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFFu));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  put16(out, value & 0xFFFFu);
  put16(out, value >> 16);
}

bool deflateRaw(std::string_view bytes, std::vector<std::uint8_t>& out) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
  out.resize(deflateBound(&stream, static_cast<uLong>(bytes.size())));
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  const int status = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return status == Z_STREAM_END;
}

// The eleven leading header bytes, from a small generator seeded by the entry, so the output
// repeats exactly; the twelfth is the password check byte.
std::vector<std::uint8_t> encryptionHeader(const std::string& name, std::uint32_t crc, std::uint32_t size) {
  std::uint32_t state = crc ^ (size * 2654435761u) ^ static_cast<std::uint32_t>(crc32(0L, reinterpret_cast<const Bytef*>(name.data()), static_cast<uInt>(name.size())));
  std::vector<std::uint8_t> header(QC_PKWARE_CIPHER::kHeaderSize);
  for (std::size_t i = 0; i + 1 < header.size(); ++i) {
    state = state * 1103515245u + 12345u;
    header[i] = static_cast<std::uint8_t>(state >> 24);
  }
  header.back() = QC_PKWARE_CIPHER::fCheckByte(QC_PKWARE_CIPHER::kFlagEncrypted, crc, kDosTime);
  return header;
}

}  // namespace

QC_PACK_WRITER::QC_PACK_WRITER(std::string password) : _password(std::move(password)) {}

bool QC_PACK_WRITER::fAdd(const std::string& name, const std::vector<std::uint8_t>& bytes, bool deflate) {
  return fAdd(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), deflate);
}

bool QC_PACK_WRITER::fAdd(const std::string& name, std::string_view bytes, bool deflate) {
  if (name.empty() || name.size() > 0xFFFFu || _entries.size() >= 0xFFFFu) return false;
  if (bytes.size() >= kLimit32 - QC_PKWARE_CIPHER::kHeaderSize) return false;
  ENTRY entry;
  entry.name = name;
  entry.method = deflate ? kMethodDeflated : kMethodStored;
  entry.plainSize = static_cast<std::uint32_t>(bytes.size());
  entry.crc = static_cast<std::uint32_t>(
      crc32(0L, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));

  std::vector<std::uint8_t> payload;
  if (deflate) {
    if (!deflateRaw(bytes, payload)) return false;
  } else {
    payload.assign(bytes.begin(), bytes.end());
  }
  if (!_password.empty()) {
    QC_PKWARE_CIPHER cipher(_password);
    entry.data = encryptionHeader(name, entry.crc, entry.plainSize);
    cipher.fEncrypt(entry.data.data(), entry.data.size());
    cipher.fEncrypt(payload.data(), payload.size());
  }
  entry.data.insert(entry.data.end(), payload.begin(), payload.end());
  // Local header and central directory record each hold the name; every offset must fit 32 bits.
  const std::uint64_t grown = _archiveSize + 30 + 46 + 2 * name.size() + entry.data.size();
  if (grown >= kLimit32) return false;
  _archiveSize = grown;
  _entries.push_back(std::move(entry));
  return true;
}

std::vector<std::uint8_t> QC_PACK_WRITER::fGetBytes() const {
  const std::uint16_t flags = _password.empty() ? 0 : QC_PKWARE_CIPHER::kFlagEncrypted;
  std::vector<std::uint8_t> out;
  std::vector<std::uint32_t> offsets;
  for (const ENTRY& entry : _entries) {
    offsets.push_back(static_cast<std::uint32_t>(out.size()));
    put32(out, 0x04034B50u);
    put16(out, kVersion);
    put16(out, flags);
    put16(out, entry.method);
    put16(out, kDosTime);
    put16(out, kDosDate);
    put32(out, entry.crc);
    put32(out, static_cast<std::uint32_t>(entry.data.size()));
    put32(out, entry.plainSize);
    put16(out, static_cast<std::uint32_t>(entry.name.size()));
    put16(out, 0);
    out.insert(out.end(), entry.name.begin(), entry.name.end());
    out.insert(out.end(), entry.data.begin(), entry.data.end());
  }
  const std::size_t directoryStart = out.size();
  for (std::size_t i = 0; i < _entries.size(); ++i) {
    const ENTRY& entry = _entries[i];
    put32(out, 0x02014B50u);
    put16(out, kVersion);  // made by: MS-DOS attributes, version 2.0
    put16(out, kVersion);
    put16(out, flags);
    put16(out, entry.method);
    put16(out, kDosTime);
    put16(out, kDosDate);
    put32(out, entry.crc);
    put32(out, static_cast<std::uint32_t>(entry.data.size()));
    put32(out, entry.plainSize);
    put16(out, static_cast<std::uint32_t>(entry.name.size()));
    put16(out, 0);  // extra field
    put16(out, 0);  // comment
    put16(out, 0);  // disk
    put16(out, 0);  // internal attributes
    put32(out, 0);  // external attributes
    put32(out, offsets[i]);
    out.insert(out.end(), entry.name.begin(), entry.name.end());
  }
  const std::size_t directorySize = out.size() - directoryStart;
  put32(out, 0x06054B50u);
  put16(out, 0);
  put16(out, 0);
  put16(out, static_cast<std::uint32_t>(_entries.size()));
  put16(out, static_cast<std::uint32_t>(_entries.size()));
  put32(out, static_cast<std::uint32_t>(directorySize));
  put32(out, static_cast<std::uint32_t>(directoryStart));
  put16(out, 0);
  return out;
}

bool QC_PACK_WRITER::fWrite(const std::string& path) const {
  const std::vector<std::uint8_t> bytes = fGetBytes();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace QOR
