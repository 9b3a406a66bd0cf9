// The engine's door to the disk: the application and Resources folders.
#pragma once

#include <string>

namespace QOR {

class QC_FILE_SYSTEM {
 public:
  // The one instance; its construction makes the Resources folder when missing and makes it the
  // process's current directory.
  static QC_FILE_SYSTEM* fGetInstance();

  std::string fGetCurrentDirectory();
  bool fSetCurrentDirectory(const std::string& path);
  const std::string& fGetAppDirectory() const { return _appFolder; }
  const std::string& fGetResourceDirectory() const { return _resourceFolder; }
  void fSetResourceDirectory(const std::string& path) { _resourceFolder = path; }

  // 0 missing, 1 file, 2 folder.
  int fGetPathType(const std::string& path) const;
  // Creates every missing folder of the chain; false when one cannot be made.
  bool fCreateDirectory(const std::string& path);

 private:
  QC_FILE_SYSTEM();

  std::string _appFolder;
  std::string _resourceFolder;
  std::string _currentFolder;
};

extern QC_FILE_SYSTEM* qcFileSystemInstance;

}  // namespace QOR
