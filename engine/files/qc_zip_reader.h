// Reads zip archives with minizip for their structure and decrypts, inflates and checks each
// entry ourselves (the system's minizip has no decryption).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace QOR {

// How opening an archive or reading one entry ended.
enum class QE_ZIP_RESULT {
  OK,
  MISSING,          // no file at the path
  NOT_ARCHIVE,      // the file is empty or does not start as a zip archive
  EMPTY,            // the file is a zip archive without entries
  TRUNCATED,        // the file starts with a local header but its central directory cannot be found
  NO_FIRST_ENTRY,   // the archive holds no readable first entry
  NOT_FOUND,        // no entry has that name
  BAD_HEADER,       // the entry's local header cannot be read or does not match its directory record
  WRONG_PASSWORD,   // the password fails the entry's encryption header check
  UNSUPPORTED,      // the entry's method or encryption is one we do not read
  TRUNCATED_ENTRY,  // the entry's data is shorter than its header declares
  DAMAGED,          // the entry's data does not inflate, or fails its size or CRC check (with a
                    // wrong password that passes the header check, too)
  NO_MEMORY,        // the entry's buffers cannot be allocated
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

  // Whether the archive would list: OK when it starts with a local header, opens and has a
  // readable first entry; otherwise MISSING, NOT_ARCHIVE, EMPTY, TRUNCATED or NO_FIRST_ENTRY.
  static QE_ZIP_RESULT fExamine(const std::string& path);

  // The cause a result names in the log: "wrong password", "truncated", "damaged data", ...
  static const char* fDescribe(QE_ZIP_RESULT result);
};

}  // namespace QOR
