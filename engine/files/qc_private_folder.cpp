#include "engine/files/qc_private_folder.h"

#include "engine/files/qc_file_system.h"
#include "engine/util/text_utils.h"
#include "host/private_files.h"

namespace QOR {

namespace {

std::string withoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

QC_PRIVATE_FOLDER::QC_PRIVATE_FOLDER(const std::string& path, bool make) {
  std::string file = path;
  fReplaceBackslashes(file);
  const std::size_t slash = file.rfind('/');
  _folder = slash == std::string::npos ? "." : withoutTrailingSlash(file.substr(0, slash + 1));
  _name = slash == std::string::npos ? file : file.substr(slash + 1);

  // The chain below the documents folder, or the folder alone below its parent.
  std::string base;
  std::string chain;
  const std::string documents = withoutTrailingSlash(QC_FILE_SYSTEM::fFindDocumentsFolder());
  const std::string below = documents == "/" ? documents : documents + "/";
  if (!documents.empty() && (_folder == documents || _folder.compare(0, below.size(), below) == 0)) {
    base = documents;
    chain = _folder.size() > below.size() ? _folder.substr(below.size()) : std::string();
  } else {
    const std::size_t parent = _folder.rfind('/');
    base = parent == std::string::npos ? "." : parent == 0 ? "/" : _folder.substr(0, parent);
    chain = parent == std::string::npos ? _folder : _folder.substr(parent + 1);
  }
  switch (host_files::fOpenPrivateFolder(base.c_str(), chain.c_str(), make, &_descriptor, &_cause)) {
    case host_files::QE_FOLDER::kPrivate:
      _result = 1;
      break;
    case host_files::QE_FOLDER::kMissing:
      _result = 0;
      break;
    case host_files::QE_FOLDER::kUnusable:
      _result = -108;
      break;
    case host_files::QE_FOLDER::kNotPrivate:
      _result = QC_FILE_SYSTEM::kNotPrivate;
      break;
  }
}

QC_PRIVATE_FOLDER::~QC_PRIVATE_FOLDER() { host_files::fCloseFolder(_descriptor); }

}  // namespace QOR
