// The user's own folders: made private, locked, and second names for their files.
#include "engine/files/qc_file_system.h"
#include "engine/files/qc_private_folder.h"
#include "host/file_lock.h"

#include <fcntl.h>
#include <unistd.h>

namespace QOR {

int QC_FILE_SYSTEM::fMakePrivateFolder(const std::string& folder, std::string* cause) {
  const QC_PRIVATE_FOLDER made(folder + "/", true);
  if (cause != nullptr) *cause = made.fCause();
  return made.fResult() == 0 ? -108 : made.fResult();
}

int QC_FILE_SYSTEM::fLockPrivateFile(const std::string& path, std::string* cause) {
  const QC_PRIVATE_FOLDER folder(path, true);
  if (folder.fResult() != 1) {
    if (cause != nullptr) *cause = folder.fCause();
    return -1;
  }
  // No handle is kept: the lock lasts until the process ends.
  switch (host_files::fTakeFileLock(folder.fDescriptor(), folder.fName().c_str(), nullptr, cause)) {
    case host_files::QE_LOCK::kTaken:
      return 1;
    case host_files::QE_LOCK::kHeldElsewhere:
      return 0;
    case host_files::QE_LOCK::kUnavailable:
      break;
  }
  return -1;
}

namespace {
bool gRefuseLinks = false;
}  // namespace

void QC_FILE_SYSTEM::fRefuseLinks(bool refuse) { gRefuseLinks = refuse; }

bool QC_FILE_SYSTEM::fLinkPrivateFile(const std::string& path, const std::string& secondName) {
  if (gRefuseLinks) return false;
  const QC_PRIVATE_FOLDER folder(path, false);
  // Without AT_SYMLINK_FOLLOW a link at path gets the second name itself; nothing is followed.
  return folder.fResult() == 1 && secondName.find('/') == std::string::npos &&
         ::linkat(folder.fDescriptor(), folder.fName().c_str(), folder.fDescriptor(), secondName.c_str(), 0) == 0;
}

}  // namespace QOR
