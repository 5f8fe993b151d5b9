#include "support/PathUtilities.h"

#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "support/PathText.h"

#include <cstdio>
#include <cstring>

using pathtext::appendAt;
using pathtext::isDotEntry;

namespace {

bool isLink(DWORD attributes) { return attributes & FILE_ATTRIBUTE_REPARSE_POINT; }
bool isFolder(DWORD attributes) { return attributes & FILE_ATTRIBUTE_DIRECTORY; }

// Deletes the contents of the folder path[0, length), which ends with a separator, and then the
// folder. One buffer serves every level, so deep trees cost little stack.
bool deleteTree(char* path, size_t length)
{
    if (!appendAt(path, length, "*.*"))
        return false;
    WIN32_FIND_DATAA entry;
    const HANDLE search = platform::FindFirstFileA(path, &entry);
    path[length] = '\0';
    if (search == INVALID_HANDLE_VALUE)
        return platform::RemoveDirectoryA(path);
    bool failed = false;
    do {
        if (isDotEntry(entry.cFileName))
            continue;
        if (!appendAt(path, length, entry.cFileName)) {
            failed = true; // a path that does not fit is never cut: it might name another entry
            continue;
        }
        const size_t entryLength = length + std::strlen(entry.cFileName);
        const DWORD attributes = entry.dwFileAttributes;
        if (isLink(attributes))
            failed |= isFolder(attributes) ? !platform::RemoveDirectoryA(path) : platform::remove(path) != 0;
        else if (isFolder(attributes))
            failed |= !(appendAt(path, entryLength, "\\") && deleteTree(path, entryLength + 1));
        else
            failed |= platform::remove(path) != 0;
        path[length] = '\0';
    } while (platform::FindNextFileA(search, &entry));
    platform::FindClose(search);
    return platform::RemoveDirectoryA(path) && !failed;
}

} // namespace

int32_t countFilesWithExtension(const char* folder, const char* extension, bool recursive)
{
    char pattern[kPathSize];
    if (!extension || !pathtext::copyPath(pattern, folder) || !appendAt(pattern, std::strlen(pattern), "*.*"))
        return 0;
    const pathtext::ExtensionKey key(extension);
    WIN32_FIND_DATAA entry;
    const HANDLE search = platform::FindFirstFileA(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int32_t count = 0;
    const size_t folderLength = std::strlen(folder);
    do {
        if (isDotEntry(entry.cFileName))
            continue;
        if (!isFolder(entry.dwFileAttributes)) {
            count += key.matches(entry.cFileName) ? 1 : 0;
        } else if (recursive && entry.cFileName[0] && !isLink(entry.dwFileAttributes)) {
            char subFolder[kPathSize];
            if (appendAt(subFolder, 0, folder) && appendAt(subFolder, folderLength, entry.cFileName) &&
                appendAt(subFolder, std::strlen(subFolder), "\\"))
                count += countFilesWithExtension(subFolder, extension, false);
        }
    } while (platform::FindNextFileA(search, &entry));
    platform::FindClose(search);
    return count;
}

bool createFolder(char* path)
{
    if (!path)
        return false;
    toBackslashes(path);
    const size_t length = strnlen(path, kPathSize);
    if (length >= kPathSize || (length + 1 >= kPathSize && (length == 0 || path[length - 1] != '\\')))
        return false;
    ensureTrailingBackslash(path);
    return platform::CreateDirectoryA(path, nullptr) == 1;
}

bool deleteFolderRecursive(const char* folder)
{
    char path[kPathSize];
    // Without a closing separator the pattern would list the neighbours of the folder.
    if (!pathtext::copyPath(path, folder, false) || !path[0] || (path[std::strlen(path) - 1] != '\\' &&
                                                                  path[std::strlen(path) - 1] != '/'))
        return false;
    return deleteTree(path, std::strlen(path));
}

bool folderExists(const char* path)
{
    const DWORD attributes = platform::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && isFolder(attributes);
}

bool makeUniqueName(const char* folder, const char* name, char* output)
{
    if (!output)
        return false;
    if (!folder || !name || !folder[0] || !name[0])
        return output[0] != '\0';
    const size_t folderLength = std::strlen(folder);
    const char* separator = folder[folderLength - 1] == '\\' ? "" : "\\";
    for (int n = 0;; ++n) {
        char counted[128];
        const int countedLength = n == 0 ? 0 : std::snprintf(counted, sizeof counted, "%s (%d)", name, n);
        if (countedLength < 0 || size_t(countedLength) >= sizeof counted || !appendAt(output, 0, folder) ||
            !appendAt(output, folderLength, separator) ||
            !appendAt(output, std::strlen(output), n == 0 ? name : counted) ||
            !appendAt(output, std::strlen(output), "\\")) {
            output[0] = '\0';
            return false;
        }
        toBackslashes(output);
        if (n > 32)
            return false;
        if (!folderExists(output))
            return true;
    }
}

BOOL openWebAddress(const char* address)
{
    char text[256] = "https://";
    if (!address || std::strlen(text) + std::strlen(address) >= sizeof text)
        return 0; // a cut address would open another page
    std::strcat(text, address);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.lpFile = text;
    info.nShow = SW_SHOWNORMAL;
    return platform::ShellExecuteExA(&info);
}

BOOL openFolderInExplorer(const char* folder)
{
    if (!folder)
        return 0;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.lpVerb = "open";
    info.lpFile = "C:\\Windows\\explorer.exe";
    info.lpParameters = folder;
    info.nShow = SW_SHOW;
    return platform::ShellExecuteExA(&info);
}
