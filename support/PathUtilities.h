#pragma once

// Path, folder and shell utilities on NUL-terminated ANSI strings in the Windows form: the
// backslash separates, a folder path given to a scan ends with one.
//
// Every buffer is kPathSize bytes: the caller's output buffers and the paths changed in place
// (which are never read or written beyond kPathSize bytes), and every path a function builds.
// Input that does not fit is refused, never cut: an output becomes empty, a test false, a count
// 0, a deletion false without touching anything. Paths handed to the file system are never cut
// either, since a cut path may name another file.

#include "platform/WindowsTypes.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kPathSize = 512;

// True when the text after the path's last '.' is not empty and equals extension, ignoring case.
bool hasExtension(const char* extension, const char* path);
void toBackslashes(char* path);
void ensureTrailingBackslash(char* path);
// Appends a backslash unless the path ends with one (a path ending in '/' gets one too), then
// turns every '/' into a backslash.
void normalizeFolderPath(char* path);

// Files directly in folder whose name ends with '.' and the first four characters of extension
// (the first such text must end the name); with recursive, also those one folder level down.
// Links to folders are not entered.
int32_t countFilesWithExtension(const char* folder, const char* extension, bool recursive);
// Turns '/' into backslashes and closes the path with one (in place), then creates that folder.
bool createFolder(char* path);
void stripExtension(char* output, const char* path);
// Deletes everything inside folder (which must end with a separator) and the folder itself. A
// link inside is removed as a link; what it leads to is never entered. What cannot be removed
// stays, with the folders above it, and makes the result false.
bool deleteFolderRecursive(const char* folder);
bool folderExists(const char* path);
// Opens "https://" + address with the system's default handler.
BOOL openWebAddress(const char* address);
// The name of the folder holding the path's last element.
void getParentFolderName(char* output, const char* path);
void getDirectoryPart(char* output, const char* path, bool keepBackslash);
// The file name less its extension; fallback when the path is empty.
void getFileTitle(char* output, const char* path, const char* fallback);
// The text after the last separator; fallback when the path is empty.
void getFileName(char* output, const char* path, const char* fallback);
// output = folder\name\, or folder\name (n)\ for the first n in 1..32 that names no existing
// folder. False when every candidate is taken or does not fit, or when name holds a separator or
// is "." or ".." (it would lead out of folder).
bool makeUniqueName(const char* folder, const char* name, char* output);
// Opens an existing folder in the file explorer; anything else is not opened (0).
BOOL openFolderInExplorer(const char* folder);
