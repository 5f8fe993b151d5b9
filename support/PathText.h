#pragma once

// Bounded string steps shared by the path utilities and the file lists.

#include "platform/FolderWalk.h"
#include "platform/Strings.h"
#include "support/PathUtilities.h"

#include <algorithm>
#include <cstring>

namespace pathtext {

// Copies text into a kPathSize buffer, with '/' turned into backslashes when asked; false (output
// empty) when it does not fit.
inline bool copyPath(char* output, const char* text, bool toBackslashes = true)
{
    output[0] = '\0';
    if (!text)
        return false;
    const size_t length = strnlen(text, kPathSize);
    if (length >= kPathSize)
        return false;
    if (toBackslashes)
        std::replace_copy(text, text + length + 1, output, '/', '\\');
    else
        std::memcpy(output, text, length + 1);
    return true;
}

// Writes text at path + at when the whole result fits a kPathSize buffer; otherwise changes
// nothing and returns false.
inline bool appendAt(char* path, size_t at, const char* text)
{
    const size_t length = std::strlen(text);
    if (at + length >= kPathSize)
        return false;
    std::memcpy(path + at, text, length + 1);
    return true;
}

// Whether a "*.*" search pattern still fits after a folder path of that length: the limit of
// every walk, as a pattern search could not list a longer folder.
inline bool roomForPattern(size_t length) { return length + 3 < kPathSize; }

// A folder path that a walk accepts: within that limit and ending with a separator (without it
// the pattern would list the folder's neighbours).
inline bool isWalkableFolderPath(const char* path)
{
    const size_t length = path ? strnlen(path, kPathSize) : 0;
    return length > 0 && roomForPattern(length) && (path[length - 1] == '\\' || path[length - 1] == '/');
}

// "." and the first four characters of an extension, upper case: what a matching name ends with.
struct ExtensionKey {
    char text[6] = ".";
    size_t length = 1;

    explicit ExtensionKey(const char* extension)
    {
        std::strncat(text, extension ? extension : "", 4);
        platform::_strupr(text);
        length = std::strlen(text);
    }

    // True when the first occurrence of the key in the upper-cased name ends the name.
    bool matches(const char* name) const
    {
        char upper[kPathSize];
        if (!copyPath(upper, name, false))
            return false;
        platform::_strupr(upper);
        const char* found = std::strstr(upper, text);
        return found && std::strlen(found) == length;
    }
};

// True for a name that stays one entry when joined to a folder: no separator, and not "." or
// ".." once the trailing dots and blanks that Windows drops are gone.
inline bool isPlainName(const char* name)
{
    size_t end = std::strlen(name);
    while (end > 0 && (name[end - 1] == '.' || name[end - 1] == ' '))
        --end;
    return !std::strpbrk(name, "\\/") && end > 0 && !(end == 1 && name[0] == '.') &&
           !(end == 2 && name[0] == '.' && name[1] == '.');
}

// Files directly in folder (none when null) whose names end with the key; with recursive, also
// those one folder level down. Links are neither counted nor entered.
int32_t countMatching(const platform::WalkFolder* folder, const ExtensionKey& key, bool recursive);

} // namespace pathtext
