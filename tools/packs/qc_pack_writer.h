// Writes zip packs whose entries are deflated or stored and encrypted with the traditional PKWARE
// cipher under one password. The output is deterministic: fixed timestamps and encryption headers
// derived from the entry, so the same entries always give the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace QOR {

class QC_PACK_WRITER {
 public:
  // An empty password writes entries unencrypted.
  explicit QC_PACK_WRITER(std::string password);

  // Adds one entry (deflated, or stored when deflate is false). False when the name is empty or
  // too long, the entry or the pack would pass zip's 32-bit limits, or deflating fails.
  bool fAdd(const std::string& name, std::string_view bytes, bool deflate = true);
  bool fAdd(const std::string& name, const std::vector<std::uint8_t>& bytes, bool deflate = true);

  std::size_t fGetCount() const { return _entries.size(); }
  // The whole archive: local headers with their data, the central directory and the end record.
  std::vector<std::uint8_t> fGetBytes() const;
  // Writes the archive to path; false when the file cannot be written.
  bool fWrite(const std::string& path) const;

 private:
  struct ENTRY {
    std::string name;
    std::uint16_t method;
    std::uint32_t crc;
    std::uint32_t plainSize;
    std::vector<std::uint8_t> data;  // what follows the local header: header + payload
  };

  std::string _password;
  std::vector<ENTRY> _entries;
  std::uint64_t _archiveSize = 22;  // bytes the archive takes so far, end record included
};

}  // namespace QOR
