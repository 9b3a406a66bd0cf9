// File and folder calls of the stand-in, on std::filesystem and stdio. Paths are narrow text;
// both '\' and '/' separate folders. Names are case-sensitive, as the disk is.
#pragma once

#include "host/win_types.h"

#include <cstdint>

inline constexpr DWORD MAX_PATH = 260;

inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010u;
// What is neither a file nor a folder: a named pipe, a socket or a device.
inline constexpr DWORD FILE_ATTRIBUTE_DEVICE = 0x00000040u;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080u;

inline constexpr DWORD GENERIC_READ = 0x80000000u;
inline constexpr DWORD GENERIC_WRITE = 0x40000000u;
inline constexpr DWORD FILE_SHARE_READ = 0x00000001u;
inline constexpr DWORD FILE_SHARE_WRITE = 0x00000002u;

// Creation dispositions of CreateFileA.
inline constexpr DWORD CREATE_NEW = 1;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;

// The handle value of a failed CreateFileA or FindFirstFileA.
inline HANDLE fInvalidHandleValue() { return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1)); }
#define INVALID_HANDLE_VALUE (fInvalidHandleValue())

struct SECURITY_ATTRIBUTES {
  DWORD nLength;
  void* lpSecurityDescriptor;
  BOOL bInheritHandle;
};

// One item of a folder search: its attributes, its size and its bare name.
struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  char cFileName[MAX_PATH];
};

// Writes the current directory and its terminating NUL into buffer. Returns the length written
// without the NUL; when the buffer is too small, the size needed with the NUL and nothing is
// written; 0 on failure.
DWORD GetCurrentDirectoryA(DWORD bufferLength, char* buffer);
BOOL SetCurrentDirectoryA(const char* path);

// The running program's full path (module must be null: the program itself, links resolved) and
// a NUL in buffer. Returns the length written without the NUL; when the buffer is too small, the
// path cut to size - 1 characters and size. 0 on failure.
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size);

// Makes one folder, writable by the user alone whatever the umask (rwxr-xr-x at most, as the umask
// allows); fails when it exists already or its parent is missing.
BOOL CreateDirectoryA(const char* path, SECURITY_ATTRIBUTES* security);

// FILE_ATTRIBUTE_DIRECTORY for a folder, FILE_ATTRIBUTE_NORMAL for a regular file,
// FILE_ATTRIBUTE_DEVICE for anything else (links are followed); INVALID_FILE_ATTRIBUTES when the
// path is missing or cannot be examined.
DWORD GetFileAttributesA(const char* path);

// Searches the folder part of mask for items whose names match its last part ('*' any run of
// characters, '?' one character; "*.*" matches every name, "." and ".." included). Items come in
// byte order of their names. INVALID_HANDLE_VALUE when the folder cannot be read or nothing
// matches.
HANDLE FindFirstFileA(const char* mask, WIN32_FIND_DATAA* found);
// The next item of the search; FALSE when there is none.
BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* found);
BOOL FindClose(HANDLE search);

// Creates or opens a regular file by its disposition (CREATE_ALWAYS empties an existing file);
// a folder, pipe, socket or device at the path fails at once, never waiting. The file is not kept
// open: nothing reads or writes through the handle, so every success returns the same
// shared handle, which CloseHandle leaves alone. INVALID_HANDLE_VALUE on failure.
HANDLE CreateFileA(const char* path, DWORD access, DWORD shareMode, SECURITY_ATTRIBUTES* security,
                   DWORD disposition, DWORD flags, HANDLE templateFile);
