// File types and the listings of zip archives and folders.
#include "engine/files/qc_file_system.h"

#include "engine/files/qc_zip_reader.h"
#include "engine/service/qc_log.h"
#include "engine/util/text_utils.h"
#include "host/win_files.h"

#include <cstdio>

namespace QOR {

std::int32_t QC_FILE_SYSTEM::fGetFileType(const std::string& path) {
  // Only a regular file is read: a folder is none, and a pipe or device would hold the read.
  std::FILE* stream = fOpenRegularFile(path);
  if (stream == nullptr) return QC_FILE_TYPE_UNREADABLE;
  unsigned char bytes[4] = {0, 0, 0, 0};
  const std::size_t count = std::fread(bytes, 1, 4, stream);
  std::fclose(stream);
  if (count != 4) return QC_FILE_TYPE_OTHER;
  const std::uint32_t value = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
                              (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
  switch (static_cast<std::int32_t>(value)) {
    case QC_FILE_TYPE_RAR:
    case QC_FILE_TYPE_PNG:
    case QC_FILE_TYPE_ZIP:
      return static_cast<std::int32_t>(value);
    default:
      return QC_FILE_TYPE_OTHER;
  }
}

void QC_FILE_SYSTEM::fListZip(const std::string& archive, const std::string& /*password*/,
                              std::vector<std::string>& names, bool /*flag*/) {
  if (fGetFileType(archive) != QC_FILE_TYPE_ZIP) return;
  if (!QC_ZIP_READER::fListEntries(archive, names)) fLog("zipfile is NULL! ");
}

std::string QC_FILE_SYSTEM::fDescribeUnlistedPack(const std::string& path, bool archive) const {
  std::string file = path;
  fReplaceBackslashes(file);
  const int type = fGetPathType(file);
  if (type == 0) return fMissingCause();
  if (type == 3) return "neither an archive nor a folder";
  if (archive) {
    if (type == 2) return "a folder, not an archive";
    // Listing asks for a local header at the very start, as fExamine does.
    const QE_ZIP_RESULT result = QC_ZIP_READER::fExamine(file);
    return result == QE_ZIP_RESULT::OK ? "no entries" : QC_ZIP_READER::fDescribe(result);
  }
  return type == 1 ? "a file, not a folder" : "no files";
}

void QC_FILE_SYSTEM::fListDirectory(const std::string& folder, std::vector<std::string>& names, bool folders,
                                    const std::string& extension) {
  const std::string mask = folder + "/*." + extension;
  WIN32_FIND_DATAA item{};
  HANDLE search = FindFirstFileA(mask.c_str(), &item);
  if (search == INVALID_HANDLE_VALUE) {
    fLog("Address is uncorrect " + folder);
    return;
  }
  do {
    const std::string name = item.cFileName;
    if (name == "." || name == "..") continue;
    const bool isFolder = (item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder == folders) names.push_back(name);
  } while (FindNextFileA(search, &item));
  FindClose(search);
}

}  // namespace QOR
