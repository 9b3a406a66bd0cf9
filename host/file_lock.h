// An advisory lock on a file, for one program at a time over the files beside it. The lock
// belongs to the open file: it lasts until that handle is released or the process ends however
// it ends (a crash or a kill included), so a lock never outlives its holder. Not a Win32 call:
// the stand-in's own facility, as the quit signals are.
#pragma once

#include <string>

namespace host_files {

enum class QE_LOCK { kTaken, kHeldElsewhere, kUnavailable };

// Opens name in the open folder (a descriptor from fOpenPrivateFolder), made empty when missing
// (its mode from the umask), and takes its lock without waiting. A link there is followed only
// when the user (or root) owns it. kTaken: *handle is the open file that holds it (with no handle
// asked for, the lock is held until the process ends). kHeldElsewhere: another open of the file
// holds it (another process, or another open in this one). kUnavailable: the file cannot be made
// or opened, is not a regular file, is a link another user owns, or the system has no lock for it;
// cause says why.
QE_LOCK fTakeFileLock(int folder, const char* name, int* handle, std::string* cause = nullptr);

// Closes the handle fTakeFileLock gave, which releases the lock.
void fReleaseFileLock(int handle);

}  // namespace host_files
