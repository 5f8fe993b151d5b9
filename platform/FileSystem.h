#pragma once

// The file-system calls of the support library, with the names and meaning of the Windows calls
// and of the C runtime's. On Windows they are the system's own.
//
// Elsewhere they take the Windows-form paths that the support library builds: every backslash is a
// '/', and a closing separator only says that the path names a folder. A symbolic link is reported
// as Windows reports a link: FILE_ATTRIBUTE_REPARSE_POINT, with FILE_ATTRIBUTE_DIRECTORY when it
// leads to a folder. RemoveDirectoryA of a link to a folder removes the link, never what it leads
// to. A file without write permission for its owner is read-only (FILE_ATTRIBUTE_READONLY).
// Folder trees are walked and deleted through platform/FolderWalk.h.

#include "platform/WindowsTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

#ifdef _WIN32

inline BOOL CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES attributes)
{
    return ::CreateDirectoryA(path, attributes);
}
inline BOOL RemoveDirectoryA(LPCSTR path) { return ::RemoveDirectoryA(path); }
inline DWORD GetFileAttributesA(LPCSTR path) { return ::GetFileAttributesA(path); }

#else

// Creates one folder (the one above must exist); the security attributes are ignored.
BOOL CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES attributes);
// Removes an empty folder, or a link to a folder.
BOOL RemoveDirectoryA(LPCSTR path);
// The attributes of the entry itself (a link is not followed); INVALID_FILE_ATTRIBUTES when
// there is none, or when a path with a closing separator names no folder.
DWORD GetFileAttributesA(LPCSTR path);

#endif

// Reads the whole of a regular file of at most maxBytes bytes. Anything else (a folder, a pipe,
// a device) is refused without waiting on it.
bool readRegularFile(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes);

} // namespace platform
