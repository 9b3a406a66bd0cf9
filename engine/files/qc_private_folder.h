// The open folder of one of the user's own files, for the calls the engine makes in it. The
// folders that must be private (the user's, writable by no one else, never reached through a link
// another user owns) are those between the user's documents folder and the file, for a file in
// the documents folder, and the file's own folder for any other path.
#pragma once

#include <string>

namespace QOR {

class QC_PRIVATE_FOLDER {
 public:
  // The folder that holds the file at path ('\' or '/' separators; a path ending in '/' names the
  // folder itself), its missing folders made first when make is set.
  QC_PRIVATE_FOLDER(const std::string& path, bool make);
  ~QC_PRIVATE_FOLDER();
  QC_PRIVATE_FOLDER(const QC_PRIVATE_FOLDER&) = delete;
  QC_PRIVATE_FOLDER& operator=(const QC_PRIVATE_FOLDER&) = delete;

  // 1 private (the descriptor is open); 0 a folder is missing; -108 a folder cannot be made or
  // opened; QC_FILE_SYSTEM::kNotPrivate another user owns or can write to a folder, or one is a
  // link another user owns. The cause names the folder and why.
  int fResult() const { return _result; }
  int fDescriptor() const { return _descriptor; }
  // The folder's path, and the file's name in it.
  const std::string& fFolder() const { return _folder; }
  const std::string& fName() const { return _name; }
  const std::string& fCause() const { return _cause; }

 private:
  int _result = 0;
  int _descriptor = -1;
  std::string _folder;
  std::string _name;
  std::string _cause;
};

}  // namespace QOR
