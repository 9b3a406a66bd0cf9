// Opening files for reading without ever blocking. A named pipe, a socket or a device at a path
// the program reads would hold it in open() or read() for good (a pipe waits for a writer that
// never comes), so every file the stand-in, the engine and the game read is opened here and must
// be a regular file. Not a Win32 call: the stand-in's own facility, as the quit signals are.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace host_files {

// What was found at a path (and, for a whole read, what came of it).
enum class QE_FOUND { kFile, kMissing, kFolder, kOtherKind, kUnopened, kTooLarge, kReadError, kForeignLink };

// Opens path ('\' or '/' separators, links followed) for reading in binary mode when it is a
// regular file: the stream (the caller closes it), with found kFile and size its length. Anything
// else gives null and found says why. The open itself never waits and the kind is taken from what
// was opened, so a pipe put in the file's place after a look at the path is refused too.
std::FILE* fOpenRegularFile(const char* path, QE_FOUND* found = nullptr, std::uint64_t* size = nullptr);

// The whole regular file at path into bytes, when it holds at most limit bytes: kFile. Otherwise
// bytes is empty and the result says why; no more than one byte past limit is ever read, whatever
// size the file claims (a huge or endless file must not take all memory).
QE_FOUND fReadRegularFile(const char* path, std::string& bytes, std::uint64_t limit);

// The same for name in an open folder (a descriptor from fOpenPrivateFolder), where a link is
// followed only when the user (or root) owns it: one another user owns gives kForeignLink.
std::FILE* fOpenRegularFileIn(int folder, const char* name, QE_FOUND* found = nullptr, std::uint64_t* size = nullptr);
QE_FOUND fReadRegularFileIn(int folder, const char* name, std::string& bytes, std::uint64_t limit);

// "read", "missing", "a folder", "not a regular file", "too large", "read error", "a link another
// user owns" or "cannot be opened".
const char* fDescribe(QE_FOUND found);

}  // namespace host_files
