// Replaces a file's whole contents so that a failure at any point (a full disk, a size limit, a
// crash) leaves the old file byte for byte as it was.
#pragma once

#include <cstddef>
#include <string>

namespace QOR {

// Writes the bytes to a new temporary file in the target's folder (path + ".~save-" + six letters
// or digits + ".tmp", the file name cut short where that would pass 255 bytes), flushes them to
// the disk, renames the temporary file over path and flushes the folder, so a power cut cannot
// take the new name back. The folder must be private (qc_private_folder.h) and every call is made
// through it: nothing is written through a link, and a link at path is replaced, never followed.
// The file keeps the old file's read and write permissions; a new one takes them from the umask
// (rw-rw-rw- masked). With boundBy, the name of a file in the same folder, the permissions are
// never wider than that file's (a copy is no more readable than what it copies). On a file system
// that keeps no modes (the change unsupported, or not permitted on the user's own file) the file
// has the mode that gives it. 1 on success; -1 on failure, with the cause in error, the temporary
// file removed and any old file untouched.
int fReplaceFile(const std::string& path, const void* data, std::size_t size, std::string& error,
                 const std::string& boundBy = std::string());

// Removes the temporary files that replacements of path killed before their rename left in its
// private folder: regular files the user owns, named exactly as fReplaceFile names them for path
// (no other name, however like it, is ever removed); the number removed.
int fRemoveReplaceLeftovers(const std::string& path);

// Test door: pause is called with the temporary file's path once its bytes are written and
// flushed, just before the rename (a test kills the process there). Null, the default, calls
// nothing.
void fSetReplaceFilePause(void (*pause)(const std::string& temporaryPath));
// Test door: while error is not 0, a replacement's mode change fails with that errno instead of
// being made, as on a file system that keeps no modes; 0, the default, makes it.
void fSetReplaceFileModeError(int error);

}  // namespace QOR
