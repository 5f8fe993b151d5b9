#pragma once

// The file-system calls of the support library, with the names and meaning of the Windows calls
// and of the C runtime's. On Windows they are the system's own.
//
// Elsewhere they take the Windows-form paths that the support library builds: every backslash is a
// '/', and a closing separator only says that the path names a folder. A symbolic link is reported
// as Windows reports a link: FILE_ATTRIBUTE_REPARSE_POINT, with FILE_ATTRIBUTE_DIRECTORY when it
// leads to a folder. RemoveDirectoryA of a link to a folder removes the link, remove of a link
// removes the link; neither ever touches what the link leads to. A file without write permission
// for its owner is read-only (FILE_ATTRIBUTE_READONLY) and remove refuses it, as on Windows. A
// directory entry whose name holds a backslash cannot be named by such paths and is not listed.

#include "platform/WindowsTypes.h"

#include <cstdio>

namespace platform {

#ifdef _WIN32

inline HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data) { return ::FindFirstFileA(pattern, data); }
inline BOOL FindNextFileA(HANDLE search, LPWIN32_FIND_DATAA data) { return ::FindNextFileA(search, data); }
inline BOOL FindClose(HANDLE search) { return ::FindClose(search); }
inline BOOL CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES attributes)
{
    return ::CreateDirectoryA(path, attributes);
}
inline BOOL RemoveDirectoryA(LPCSTR path) { return ::RemoveDirectoryA(path); }
inline DWORD GetFileAttributesA(LPCSTR path) { return ::GetFileAttributesA(path); }
inline int remove(const char* path) { return std::remove(path); }

#else

// Lists the entries of the folder named before the pattern's last separator ("." and ".." too)
// whose names match the pattern's last part ('*' and '?' wildcards, ignoring case; a closing ".*"
// also matches names without a dot, so "*.*" matches every name). INVALID_HANDLE_VALUE when the folder cannot be read or nothing
// matches. The entries are read at once and sorted by name.
HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data);
BOOL FindNextFileA(HANDLE search, LPWIN32_FIND_DATAA data);
BOOL FindClose(HANDLE search);
// Creates one folder (the one above must exist); the security attributes are ignored.
BOOL CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES attributes);
// Removes an empty folder, or a link to a folder.
BOOL RemoveDirectoryA(LPCSTR path);
// The attributes of the entry itself (a link is not followed); INVALID_FILE_ATTRIBUTES when
// there is none, or when a path with a closing separator names no folder.
DWORD GetFileAttributesA(LPCSTR path);
// Removes a file or a link; 0 on success, -1 for a folder, a read-only file or a failure.
int remove(const char* path);

#endif

} // namespace platform
