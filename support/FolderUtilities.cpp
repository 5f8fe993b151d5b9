#include "support/PathUtilities.h"

#include "platform/FileSystem.h"
#include "platform/FolderWalk.h"
#include "platform/Shell.h"
#include "support/PathText.h"

#include <cstdio>
#include <cstring>

using pathtext::appendAt;

namespace {

using platform::EntryKind;

// Deletes what the folder holds; a folder inside is entered only through its parent, so a link
// met at any moment is removed as a link, never entered.
bool deleteContents(const platform::WalkFolder& folder)
{
    bool failed = false;
    for (const platform::WalkEntry& entry : folder.entries()) {
        if (entry.kind == EntryKind::Unsafe) {
            failed = true;
            continue;
        }
        if (entry.kind != EntryKind::Folder) {
            failed |= !folder.removeEntry(entry.name);
            continue;
        }
        if (auto inner = folder.openFolder(entry.name)) {
            failed |= !deleteContents(*inner);
            inner.reset();
            failed |= !folder.removeFolder(entry.name);
        } else {
            // Unreadable (removed when empty), or no longer a folder: a link put in its place.
            failed |= !(folder.removeFolder(entry.name) || folder.removeEntry(entry.name));
        }
    }
    return !failed;
}

} // namespace

int32_t pathtext::countMatching(const platform::WalkFolder* folder, const ExtensionKey& key, bool recursive)
{
    int32_t count = 0;
    for (const platform::WalkEntry& entry : folder ? folder->entries() : std::vector<platform::WalkEntry>()) {
        if (entry.kind == EntryKind::File || entry.kind == EntryKind::ReadOnlyFile)
            count += key.matches(entry.name.c_str()) ? 1 : 0;
        else if (entry.kind == EntryKind::Folder && recursive)
            count += countMatching(folder->openFolder(entry.name).get(), key, false);
    }
    return count;
}

int32_t countFilesWithExtension(const char* folder, const char* extension, bool recursive)
{
    if (!extension || !pathtext::isWalkableFolderPath(folder))
        return 0;
    return pathtext::countMatching(platform::WalkFolder::open(folder).get(), pathtext::ExtensionKey(extension),
                                   recursive);
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
    if (!pathtext::isWalkableFolderPath(folder))
        return false;
    auto opened = platform::WalkFolder::open(folder);
    const bool emptied = !opened || deleteContents(*opened);
    opened.reset();
    return platform::RemoveDirectoryA(folder) && emptied;
}

bool folderExists(const char* path)
{
    const DWORD attributes = platform::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool makeUniqueName(const char* folder, const char* name, char* output)
{
    if (!output)
        return false;
    if (!folder || !name || !folder[0] || !name[0])
        return output[0] != '\0';
    if (!pathtext::isPlainName(name)) {
        output[0] = '\0'; // the candidate would lie outside folder
        return false;
    }
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
    if (!folder || !folderExists(folder))
        return 0; // an address or a file would be opened by whatever handles it
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.lpVerb = "open";
    info.lpFile = "C:\\Windows\\explorer.exe";
    info.lpParameters = folder;
    info.nShow = SW_SHOW;
    return platform::ShellExecuteExA(&info);
}
