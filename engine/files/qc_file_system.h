// The engine's door to the disk: the application and Resources folders, path tests, folder and
// archive listings, the documents folder, folder chains and empty files, and the loading of one
// resource record from a password zip pack or a loose file.
#pragma once

#include "engine/files/qs_resource.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <ios>
#include <string>
#include <vector>

namespace QOR {

// Values of fGetFileType: the first four bytes of a file as a little-endian number.
inline constexpr std::int32_t QC_FILE_TYPE_RAR = 0x21726152;
inline constexpr std::int32_t QC_FILE_TYPE_PNG = 0x474E5089;
inline constexpr std::int32_t QC_FILE_TYPE_ZIP = 0x04034B50;
inline constexpr std::int32_t QC_FILE_TYPE_OTHER = 0x474E508A;
inline constexpr std::int32_t QC_FILE_TYPE_UNREADABLE = -1;

class QC_FILE_SYSTEM {
 public:
  // The process's file system, made on first use over the current directory and the folder that
  // holds the program (the two-folder constructor).
  static QC_FILE_SYSTEM* fGetInstance();

  // A file system over the given application folder: its Resources folder is made when missing
  // (on failure qcLastError reads "Cant create \"Resources\" directory"; the hook
  // qcOnResourceError is invoked either way) and becomes the process's current directory. The
  // newest file system is published in qcFileSystemInstance until it is destroyed. Tools and tests
  // use this to work on a folder of their own.
  explicit QC_FILE_SYSTEM(const std::string& appFolder);
  // The application folder is the working folder when it holds a Resources folder, else the
  // program's folder (logged), whose Resources is then made when missing as above: nothing is
  // made in a working folder that is not the program's. An empty programFolder stands for the
  // working folder.
  QC_FILE_SYSTEM(const std::string& workingFolder, const std::string& programFolder);
  ~QC_FILE_SYSTEM();
  QC_FILE_SYSTEM(const QC_FILE_SYSTEM&) = delete;
  QC_FILE_SYSTEM& operator=(const QC_FILE_SYSTEM&) = delete;

  // The process's current directory with '/' separators (also kept as the current folder).
  const std::string& fGetCurrentDirectory();
  // Makes path the process's current directory and the current folder; returns false.
  bool fSetCurrentDirectory(const std::string& path);
  // The application folder, with a trailing '/'.
  const std::string& fGetAppDirectory() const { return _appFolder; }
  // The folders Resources was looked for in, in order, each with a trailing '/'.
  const std::vector<std::string>& fGetLookedIn() const { return _lookedIn; }
  // The application folder followed by "/Resources/"; every resource path starts here.
  const std::string& fGetResourceDirectory() const { return _resourceFolder; }
  // Replaces the resource folder (only the text; the current directory stays).
  void fSetResourceDirectory(const std::string& path) { _resourceFolder = path; }
  // The user's documents folder (up to kLongestDocumentsPath characters) in one static buffer
  // that the next call overwrites; null when no rule of the shell names a usable one (the shell
  // logs why). Never the working folder or the game's own.
  static constexpr std::size_t kLongestDocumentsPath = 1023;
  const char* fGetDocumentsPath();
  // The same folder as text; empty when there is none.
  static std::string fFindDocumentsFolder();

  // The user's own files: player.xml, the designer's levels, the settings. A folder that holds
  // them must be private: the user's (or root's), writable by no one else, and never reached
  // through a link another user owns; for a path in the documents folder each folder between it
  // and the file is checked (qc_private_folder.h). Where one is not, nothing is read or written.
  static constexpr int kNotPrivate = -110;
  // Makes the folder's missing folders (each writable by the user alone, whatever the umask) and
  // judges them: 1 private; -108 one cannot be made or opened; kNotPrivate. cause names the folder
  // and why.
  static int fMakePrivateFolder(const std::string& folder, std::string* cause = nullptr);
  // fReadRegularFile for a file of a private folder. A link another user owns there is never
  // followed: it reads as missing (0, cause "a link another user owns"). kNotPrivate (nothing
  // read) when the folder is not private, 0 when it is missing.
  static int fReadPrivateFile(const std::string& path, std::string& bytes, std::string* cause = nullptr);
  // Takes, for the life of the process, the advisory lock of the file at path (made empty when
  // missing, in its folder made as fMakePrivateFolder makes it): 1 taken; 0 another open of the
  // file holds it (another process); -1 there is no lock to take: the folder cannot be made or is
  // not private, or the file cannot be made, is not a regular file or is a link another user owns
  // (cause says which).
  static int fLockPrivateFile(const std::string& path, std::string* cause = nullptr);
  // Gives the file at path a second name in its private folder (a hard link, never following a
  // link at path); false when it cannot.
  static bool fLinkPrivateFile(const std::string& path, const std::string& secondName);
  // Test door: while set, fLinkPrivateFile fails as on a file system without hard links (FAT).
  static void fRefuseLinks(bool refuse);

  // 0 missing (or not examinable), 1 file, 2 folder, 3 something else (a named pipe, socket or
  // device: never read, as it could hold a read for good).
  int fGetPathType(const std::string& path) const;
  // Opens a regular file for reading (a binary stdio stream the caller closes; size its length).
  // It never waits: a pipe, socket or device is refused, even one put in the file's place after a
  // look at the path. Null otherwise, cause "missing", "a folder", "not a regular file" or
  // "cannot be opened".
  static std::FILE* fOpenRegularFile(const std::string& path, std::string* cause = nullptr,
                                     std::uint64_t* size = nullptr);
  // The whole regular file as bytes: 1; 0 missing; -108 not a regular file, cannot be opened or
  // larger than kLargestReadFile (a settings, level or player file is never near it, and a huge
  // or endless file must not take all memory); -109 a read error (cause says which).
  static constexpr std::size_t kLargestReadFile = std::size_t{16} << 20;
  static int fReadRegularFile(const std::string& path, std::string& bytes, std::string* cause = nullptr);
  // One of the QC_FILE_TYPE values.
  static std::int32_t fGetFileType(const std::string& path);

  // Appends every entry name of a zip archive in central-directory order (folder entries too).
  // A path that is not a zip file appends nothing; password and flag are not needed to list.
  static void fListZip(const std::string& archive, const std::string& password, std::vector<std::string>& names,
                       bool flag);
  // Appends the bare names of the folder's files (folders false) or sub-folders (folders true)
  // matching "*." + extension, in byte order; "." and ".." never.
  static void fListDirectory(const std::string& folder, std::vector<std::string>& names, bool folders,
                             const std::string& extension);
  // Why a pack at path (an archive, or a folder of loose files) lists nothing, for the log:
  // "missing", "not an archive", "truncated", "no files", ..., or the Resources folder's full
  // path when that folder itself is missing.
  std::string fDescribeUnlistedPack(const std::string& path, bool archive) const;

  // Creates every missing folder of the chain, logging each prefix; false when one cannot be made.
  bool fCreateDirectory(const std::string& path);
  // Creates an empty file (emptying an existing one) after creating its folders; false when the
  // path has no '/' or the file cannot be made.
  bool fCreateFile(const std::string& path);
  // Removes nothing; false.
  bool fDeleteFile(const std::string& path);

  // Reads a record's bytes: from the archive when its folder is a file inside the resource folder
  // (size = the entry length, a NUL follows uncounted), from a loose file when it is a folder
  // (size = file length + 1, the NUL counted). Sets data, size and kind 1; never ready. Results:
  // 1 done; -1 folder missing, archive unreadable, entry missing, password empty or refused;
  // -108 loose file cannot be examined or opened; -109 short read or corrupt entry. A failure
  // leaves the record as it was and holds nothing, and logs (after the fixed lines of the archive
  // failures) one line naming the pack, the entry and the cause.
  int fLoadResource(QS_RESOURCE* record);
  // Opens a loose file as a stdio stream held in data (kind 1, size = file length). 1 done; -1
  // folder missing or the record lies in an archive (streams are read from loose files only);
  // -108 the file cannot be opened. A failure logs one line naming pack, entry and cause.
  int fOpenResourceStream(QS_RESOURCE* record);
  // Closes the record's open stream and empties it (not ready, no subscribers).
  void fCloseResourceStream(QS_RESOURCE* record);
  // Frees the bytes (or closes the stream) of a kind-1 record; other kinds are left alone.
  void fFreeResource(QS_RESOURCE* record);

  // Reads size bytes of the file into buffer: 1; -1 when it cannot be opened; -109 when it holds
  // fewer bytes.
  int fReadFile(const std::string& path, void* buffer, std::size_t size);
  // Writes size bytes with the given open mode: 1; -1 when it cannot be opened or written.
  int fWriteFile(const std::string& path, const void* buffer, std::size_t size, std::ios::openmode mode);

 private:
  QC_FILE_SYSTEM();
  void fSetUp(const std::string& appFolder);
  int fLoadFromArchive(QS_RESOURCE* record, const std::string& path);
  int fLoadLooseFile(QS_RESOURCE* record, const std::string& path);
  // "missing", or the Resources folder's full path when that folder itself is missing.
  std::string fMissingCause() const;
  // Reports the record as unreadable (engine/files/unreadable_data.h): the first time, the fixed
  // line (when given), then one line naming the record's pack, the entry and why it was not read,
  // and the pack's box; nothing when the entry was reported before.
  void fLogUnread(const QS_RESOURCE* record, const std::string& cause, const char* fixedLine = nullptr) const;

  std::vector<std::string> _lookedIn;
  std::string _appFolder;
  std::string _resourceFolder;
  std::string _currentFolder;
};

extern QC_FILE_SYSTEM* qcFileSystemInstance;

}  // namespace QOR
