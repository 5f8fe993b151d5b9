#include "support/PathUtilities.h"

#include "platform/Strings.h"
#include "support/PathText.h"

#include <algorithm>
#include <cstring>

using pathtext::copyPath;

namespace {

// Length of a path changed in place, or kPathSize when it has no end within the buffer.
size_t inPlaceLength(const char* path) { return path ? strnlen(path, kPathSize) : kPathSize; }

void cutAtLast(char* text, char separator)
{
    if (char* found = std::strrchr(text, separator))
        *found = '\0';
}

} // namespace

bool hasExtension(const char* extension, const char* path)
{
    if (!extension || !path)
        return false;
    const char* dot = std::strrchr(path, '.');
    return dot && dot[1] && platform::_stricmp(dot + 1, extension) == 0;
}

void toBackslashes(char* path)
{
    if (path)
        std::replace(path, path + inPlaceLength(path), '/', '\\');
}

void ensureTrailingBackslash(char* path)
{
    const size_t length = inPlaceLength(path);
    if (length + 1 >= kPathSize || (length > 0 && path[length - 1] == '\\'))
        return;
    path[length] = '\\';
    path[length + 1] = '\0';
}

void normalizeFolderPath(char* path)
{
    ensureTrailingBackslash(path);
    toBackslashes(path);
}

void stripExtension(char* output, const char* path)
{
    if (copyPath(output, path))
        cutAtLast(output, '.');
}

void getParentFolderName(char* output, const char* path)
{
    char copy[kPathSize];
    if (!copyPath(copy, path)) {
        output[0] = '\0';
        return;
    }
    char* last = std::strrchr(copy, '\\');
    if (last) {
        *last = '\0';
        const char* previous = std::strrchr(copy, '\\');
        std::strcpy(output, previous ? previous + 1 : copy);
    } else {
        std::strcpy(output, copy);
    }
}

void getDirectoryPart(char* output, const char* path, bool keepBackslash)
{
    if (!copyPath(output, path))
        return;
    if (char* last = std::strrchr(output, '\\'))
        last[keepBackslash ? 1 : 0] = '\0';
}

void getFileName(char* output, const char* path, const char* fallback)
{
    char copy[kPathSize];
    if (path && !path[0]) {
        copyPath(output, fallback, false);
        return;
    }
    if (!copyPath(copy, path)) {
        output[0] = '\0';
        return;
    }
    const char* last = std::strrchr(copy, '\\');
    std::strcpy(output, last ? last + 1 : copy);
}

void getFileTitle(char* output, const char* path, const char* fallback)
{
    getFileName(output, path, fallback);
    cutAtLast(output, '.');
}
