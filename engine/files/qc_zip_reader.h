// Reads zip archives with minizip for their structure and decrypts, inflates and checks each
// entry ourselves (the system's minizip has no decryption).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace QOR {

// How reading one entry ended.
enum class QE_ZIP_RESULT {
  OK,
  NO_ARCHIVE,      // the file is missing or not a zip archive
  NO_FIRST_ENTRY,  // the archive holds no readable first entry
  NOT_FOUND,       // no entry has that name
  REFUSED,         // the entry cannot be opened: the password is wrong, or its method or
                   // encryption is one we do not read
  READ_ERROR,      // the entry's data is short, does not inflate, or fails its size or CRC check
};

class QC_ZIP_READER {
 public:
  // Appends every entry name (folder entries too) in central-directory order, stopping at the
  // first entry whose header cannot be read. False when the archive cannot be opened.
  static bool fListEntries(const std::string& path, std::vector<std::string>& names);

  // Finds the first entry named name (case-sensitive; '\' and '/' are the same separator), opens
  // it raw, decrypts it with the password when it is encrypted, inflates or copies it and checks
  // its length and CRC-32. On OK, data is a malloc'd block of size + 1 bytes, the last one a NUL
  // that size does not count; on any other result data and size are untouched and nothing leaks.
  static QE_ZIP_RESULT fReadEntry(const std::string& path, const std::string& name, const std::string& password,
                                  void*& data, std::uint32_t& size);
};

}  // namespace QOR
