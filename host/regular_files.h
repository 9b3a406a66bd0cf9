// Opening files for reading without ever blocking. A named pipe, a socket or a device at a path
// the program reads would hold it in open() or read() for good (a pipe waits for a writer that
// never comes), so every file the stand-in, the engine and the game read is opened here and must
// be a regular file. Not a Win32 call: the stand-in's own facility, as the quit signals are.
#pragma once

#include <cstdint>
#include <cstdio>

namespace host_files {

// What was found at a path.
enum class QE_FOUND { kFile, kMissing, kFolder, kOtherKind, kUnopened };

// Opens path ('\' or '/' separators, links followed) for reading in binary mode when it is a
// regular file: the stream (the caller closes it), with found kFile and size its length. Anything
// else gives null and found says why. The open itself never waits and the kind is taken from what
// was opened, so a pipe put in the file's place after a look at the path is refused too.
std::FILE* fOpenRegularFile(const char* path, QE_FOUND* found = nullptr, std::uint64_t* size = nullptr);

// "read", "missing", "a folder", "not a regular file" or "cannot be opened".
const char* fDescribe(QE_FOUND found);

}  // namespace host_files
