// Loading, streaming and freeing resource records, and whole-file reads and writes (in private
// folders too).
#include "engine/files/qc_file_system.h"

#include "engine/files/qc_private_folder.h"
#include "engine/files/qc_zip_reader.h"
#include "engine/files/unreadable_data.h"
#include "engine/service/qc_log.h"
#include "engine/util/text_utils.h"
#include "host/regular_files.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace QOR {

namespace {

// Drops a kind-1 record's previous bytes or stream before it takes new ones.
void dropHeld(QS_RESOURCE* record) {
  if (record->_kind != QE_RES_BYTES || record->_data == nullptr) return;
  if (record->_stream) {
    std::fclose(static_cast<std::FILE*>(record->_data));
  } else {
    std::free(record->_data);
  }
  record->_data = nullptr;
  record->_stream = false;
}

}  // namespace

std::string QC_FILE_SYSTEM::fMissingCause() const {
  if (fGetPathType(_resourceFolder) != 2) return "Resources folder missing: " + _resourceFolder;
  return "missing";
}

void QC_FILE_SYSTEM::fLogUnread(const QS_RESOURCE* record, const std::string& cause, const char* fixedLine) const {
  std::string packPath = _resourceFolder + record->_folder;
  fReplaceBackslashes(packPath);
  fReportUnreadable(packPath, record->_folder, record->_sgResName, cause, fixedLine != nullptr ? fixedLine : "");
}

int QC_FILE_SYSTEM::fLoadResource(QS_RESOURCE* record) {
  if (record == nullptr) return -1;
  std::string path = _resourceFolder + record->_folder;
  fReplaceBackslashes(path);
  switch (fGetPathType(path)) {
    case 1:
      return fLoadFromArchive(record, path);
    case 2:
      return fLoadLooseFile(record, path + "/" + record->_sgResName);
    case 3:
      fLogUnread(record, "neither an archive nor a folder");
      return -1;
    default:
      fLogUnread(record, fMissingCause());
      return -1;
  }
}

int QC_FILE_SYSTEM::fLoadLooseFile(QS_RESOURCE* record, const std::string& path) {
  std::string cause;
  std::uint64_t length = 0;
  std::FILE* stream = fOpenRegularFile(path, &cause, &length);
  if (stream == nullptr) {
    fLogUnread(record, cause);
    return -108;
  }
  // The size counts a terminating NUL and must fit the record's 32-bit size.
  if (length >= 0xFFFFFFFFull) {
    std::fclose(stream);
    fLogUnread(record, "too large");
    return -109;
  }
  const auto n = static_cast<std::size_t>(length);
  auto* buffer = static_cast<char*>(std::malloc(n + 1));
  if (buffer == nullptr || std::fread(buffer, 1, n, stream) < n) {
    fLogUnread(record, buffer == nullptr ? "out of memory" : "truncated");
    std::free(buffer);
    std::fclose(stream);
    return -109;
  }
  std::fclose(stream);
  buffer[n] = '\0';
  dropHeld(record);
  record->_size = static_cast<std::uint32_t>(n + 1);
  record->_data = buffer;
  record->_kind = QE_RES_BYTES;
  return 1;
}

int QC_FILE_SYSTEM::fLoadFromArchive(QS_RESOURCE* record, const std::string& path) {
  // An entry is only ever read with its pack's password; without one (or without a name) there
  // is nothing to read.
  if (record->_sgPass.empty() || record->_sgResName.empty()) {
    fLog("res->_sgPass= " + record->_sgPass);
    fLog("res->_sgResName= " + record->_sgResName);
    fLogUnread(record, record->_sgPass.empty() ? "no password" : "no entry name");
    return -1;
  }
  void* data = nullptr;
  std::uint32_t size = 0;
  const QE_ZIP_RESULT result = QC_ZIP_READER::fReadEntry(path, record->_sgResName, record->_sgPass, data, size);
  // The fixed line comes first, then one line naming pack, entry and cause; both only the first
  // time the entry fails.
  int code = -1;
  const char* fixedLine = nullptr;
  switch (result) {
    case QE_ZIP_RESULT::OK:
      dropHeld(record);
      record->_size = size;
      record->_data = data;
      record->_kind = QE_RES_BYTES;
      return 1;
    case QE_ZIP_RESULT::MISSING:
    case QE_ZIP_RESULT::NOT_ARCHIVE:
    case QE_ZIP_RESULT::EMPTY:
    case QE_ZIP_RESULT::TRUNCATED:
      fixedLine = " zipfile is NULL ";
      break;
    case QE_ZIP_RESULT::NO_FIRST_ENTRY:
      fixedLine = " UNZ_OK != unzGoToFirstFile(zipfile) ";
      break;
    case QE_ZIP_RESULT::NOT_FOUND:
      break;
    case QE_ZIP_RESULT::BAD_HEADER:
    case QE_ZIP_RESULT::WRONG_PASSWORD:
    case QE_ZIP_RESULT::UNSUPPORTED:
      fixedLine = "UNZ_OK != unzOpenCurrentFilePassword(zipfile,res->_sgPass.c_str())";
      break;
    case QE_ZIP_RESULT::TRUNCATED_ENTRY:
    case QE_ZIP_RESULT::DAMAGED:
    case QE_ZIP_RESULT::NO_MEMORY:
      fixedLine = "zip file Read Error";
      code = -109;
      break;
  }
  fLogUnread(record, QC_ZIP_READER::fDescribe(result), fixedLine);
  return code;
}

int QC_FILE_SYSTEM::fOpenResourceStream(QS_RESOURCE* record) {
  if (record == nullptr) return -1;
  std::string path = _resourceFolder + record->_folder;
  fReplaceBackslashes(path);
  // Streams come from loose files only; an archive entry has no stream to hand out.
  switch (fGetPathType(path)) {
    case 0:
      fLogUnread(record, fMissingCause());
      return -1;
    case 1:
      fLogUnread(record, "archive entries cannot be streamed");
      return -1;
    case 3:
      fLogUnread(record, "neither an archive nor a folder");
      return -1;
    default:
      break;
  }
  path += "/" + record->_sgResName;
  std::string cause;
  std::uint64_t length = 0;
  std::FILE* stream = fOpenRegularFile(path, &cause, &length);
  if (stream == nullptr) {
    fLogUnread(record, cause);
    return -108;
  }
  dropHeld(record);
  record->_size = length < 0xFFFFFFFFull ? static_cast<std::uint32_t>(length) : 0;
  record->_data = stream;
  record->_kind = QE_RES_BYTES;
  record->_stream = true;
  return 1;
}

void QC_FILE_SYSTEM::fCloseResourceStream(QS_RESOURCE* record) {
  if (record == nullptr) return;
  if (record->_kind == QE_RES_BYTES && record->_stream && record->_data != nullptr) {
    std::fclose(static_cast<std::FILE*>(record->_data));
    record->_data = nullptr;
    record->_kind = QE_RES_NONE;
    record->_stream = false;
  }
  record->_ready = false;
  record->_size = 0;
  record->_subscribers = 0;
}

void QC_FILE_SYSTEM::fFreeResource(QS_RESOURCE* record) {
  if (record == nullptr || record->_kind != QE_RES_BYTES) return;
  dropHeld(record);
  record->_kind = QE_RES_NONE;
}

int QC_FILE_SYSTEM::fReadFile(const std::string& path, void* buffer, std::size_t size) {
  std::FILE* stream = fOpenRegularFile(path);
  if (stream == nullptr) return -1;
  const std::size_t read = std::fread(buffer, 1, size, stream);
  std::fclose(stream);
  return read == size ? 1 : -109;
}

std::FILE* QC_FILE_SYSTEM::fOpenRegularFile(const std::string& path, std::string* cause, std::uint64_t* size) {
  host_files::QE_FOUND found = host_files::QE_FOUND::kUnopened;
  std::FILE* stream = host_files::fOpenRegularFile(path.c_str(), &found, size);
  if (stream == nullptr && cause != nullptr) *cause = host_files::fDescribe(found);
  return stream;
}

namespace {

// The result of a whole read, its cause told.
int wholeReadResult(host_files::QE_FOUND found, std::string* cause) {
  using host_files::QE_FOUND;
  if (cause != nullptr) {
    *cause = found == QE_FOUND::kTooLarge
                 ? "larger than " + std::to_string(QC_FILE_SYSTEM::kLargestReadFile) + " bytes"
                 : host_files::fDescribe(found);
  }
  switch (found) {
    case QE_FOUND::kFile: return 1;
    case QE_FOUND::kMissing: return 0;
    case QE_FOUND::kReadError: return -109;
    default: return -108;
  }
}

}  // namespace

int QC_FILE_SYSTEM::fReadRegularFile(const std::string& path, std::string& bytes, std::string* cause) {
  return wholeReadResult(host_files::fReadRegularFile(path.c_str(), bytes, kLargestReadFile), cause);
}

int QC_FILE_SYSTEM::fReadPrivateFile(const std::string& path, std::string& bytes, std::string* cause) {
  bytes.clear();
  const QC_PRIVATE_FOLDER folder(path, false);
  if (folder.fResult() != 1) {
    if (cause != nullptr) *cause = folder.fCause();
    return folder.fResult();
  }
  const host_files::QE_FOUND found =
      host_files::fReadRegularFileIn(folder.fDescriptor(), folder.fName().c_str(), bytes, kLargestReadFile);
  const int read = wholeReadResult(found, cause);
  // Nothing of the user's is there: a link another user owns is never followed, and the next
  // replacement of the file takes its place.
  return found == host_files::QE_FOUND::kForeignLink ? 0 : read;
}

int QC_FILE_SYSTEM::fWriteFile(const std::string& path, const void* buffer, std::size_t size,
                               std::ios::openmode mode) {
  std::string file = path;
  fReplaceBackslashes(file);
  std::ofstream stream(file, mode | std::ios::out);
  if (!stream) return -1;
  stream.write(static_cast<const char*>(buffer), static_cast<std::streamsize>(size));
  stream.close();
  return stream ? 1 : -1;
}

}  // namespace QOR
