// Private folders: where a user's own files are kept out of other users' reach. A folder is
// private when the user (or root) owns it and no one else can write to it (isPrivateMode). A
// chain of folders is opened one folder at a time, each from the descriptor of the one before and
// never through a link another user owns, so nothing another user renames or plants on the way
// can lead it elsewhere; the calls made in the last folder go through its descriptor. Not a Win32
// call: the stand-in's own facility, as the file lock is.
#pragma once

#include <string>

namespace host_files {

enum class QE_FOLDER { kPrivate, kMissing, kUnusable, kNotPrivate };

// Opens the folder base + "/" + chain ('\' or '/' separators). base, the user's own setting, is
// taken wherever it leads; each folder of chain (base itself when chain is empty) must be private
// and is never reached through a link another user owns. With make, a missing folder (base's own
// included) is made writable by the user alone, whatever the umask (rwxr-xr-x at most, as the umask
// allows). kPrivate: *folder is a descriptor of the last folder, which fCloseFolder closes.
// kMissing: a folder is missing (and make is not set), or a file stands in its place.
// kUnusable: a folder cannot be made or opened.
// kNotPrivate: a folder of the chain belongs to another user, others can write to it, or it is a
// link another user owns. cause names the folder and why (for one others can write to, with the
// chmod command that mends it).
QE_FOLDER fOpenPrivateFolder(const char* base, const char* chain, bool make, int* folder, std::string* cause);
void fCloseFolder(int folder);

// Makes one folder writable by the user alone whatever the umask, as fOpenPrivateFolder does: in
// the open folder at (a descriptor, or AT_FDCWD for a path); false with errno set on failure.
bool fMakeOwnFolder(int at, const char* name);

// True when what that user owns counts as the user's own: the process's user, or root.
bool isOwnUser(unsigned owner);
// True when no one but the user can write to a file or folder of the user's with that mode and
// group: others cannot, and the group cannot or holds no user but this one (a user-private group:
// no other account has it as its primary group and its member list names no one else).
bool isPrivateMode(unsigned mode, unsigned group);

}  // namespace host_files
