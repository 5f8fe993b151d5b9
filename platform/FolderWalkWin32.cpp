#include "platform/FolderWalk.h"

#include "platform/WindowsTypes.h"

#include <algorithm>
#include <cstring>

namespace platform {

// path: the folder as the tree names it, closed by a backslash; finalPath: where the system says
// it is. handle keeps the folder from being renamed or replaced while it is walked.
struct WalkFolder::State {
    std::string path;
    std::string finalPath;
    HANDLE handle;
};

namespace {

// A name that holds a separator or a drive colon, or that is "." or ".." once the trailing dots
// and blanks that Windows drops are gone, would name something else when joined to a path.
bool isUnsafe(const std::string& name)
{
    if (name.empty() || name.find_first_of("\\/:") != std::string::npos)
        return true;
    const size_t end = name.find_last_not_of(". ");
    return end == std::string::npos || name.substr(0, end + 1) == "." || name.substr(0, end + 1) == "..";
}

struct OpenEntry {
    HANDLE handle = INVALID_HANDLE_VALUE;
    DWORD attributes = 0;
    ~OpenEntry()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};

std::string finalPathOf(HANDLE handle)
{
    char text[4096];
    const DWORD length = GetFinalPathNameByHandleA(handle, text, sizeof text, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    return length > 0 && length < sizeof text ? std::string(text, length) : std::string();
}

bool samePath(const std::string& a, const std::string& b) { return !a.empty() && _stricmp(a.c_str(), b.c_str()) == 0; }

// Opens the entry itself (a reparse point is not followed) and keeps it open only when its final
// path is the one the tree gives it; anything else may lie outside the tree.
bool openEntry(const std::string& folderPath, const std::string& folderFinal, const std::string& name, DWORD access, DWORD share, OpenEntry& entry)
{
    if (isUnsafe(name))
        return false;
    entry.handle = CreateFileA((folderPath + name).c_str(), access, share, nullptr, OPEN_EXISTING,
                               FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION information;
    if (entry.handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(entry.handle, &information))
        return false;
    entry.attributes = information.dwFileAttributes;
    std::string expected = folderFinal;
    if (!expected.ends_with('\\'))
        expected += '\\';
    return samePath(finalPathOf(entry.handle), expected + name);
}

// Deletes exactly what the handle holds, never what a name may name by now.
bool deleteOpened(const OpenEntry& entry)
{
    FILE_DISPOSITION_INFO disposition{TRUE};
    return SetFileInformationByHandle(entry.handle, FileDispositionInfo, &disposition, sizeof disposition);
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

} // namespace

WalkFolder::WalkFolder(std::unique_ptr<State> s) : state(std::move(s)) {}

WalkFolder::~WalkFolder() { CloseHandle(state->handle); }

std::unique_ptr<WalkFolder> WalkFolder::open(const char* path)
{
    if (!path || !path[0])
        return nullptr;
    std::string folder = path;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    if (!folder.ends_with('\\'))
        folder += '\\';
    const HANDLE handle = CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    BY_HANDLE_FILE_INFORMATION information;
    const std::string finalPath = finalPathOf(handle);
    if (!GetFileInformationByHandle(handle, &information) ||
        !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || finalPath.empty()) {
        CloseHandle(handle);
        return nullptr;
    }
    return std::unique_ptr<WalkFolder>(new WalkFolder(std::make_unique<State>(State{folder, finalPath, handle})));
}

std::vector<WalkEntry> WalkFolder::entries() const
{
    std::vector<WalkEntry> found;
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA((state->path + "*.*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return found;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        const DWORD attributes = entry.dwFileAttributes;
        const EntryKind kind = isUnsafe(name)                               ? EntryKind::Unsafe
                               : (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? EntryKind::Link
                               : (attributes & FILE_ATTRIBUTE_DIRECTORY)     ? EntryKind::Folder
                               : (attributes & FILE_ATTRIBUTE_READONLY)      ? EntryKind::ReadOnlyFile
                                                                             : EntryKind::File;
        found.push_back({name, kind});
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(found.begin(), found.end(), [](const WalkEntry& a, const WalkEntry& b) { return a.name < b.name; });
    return found;
}

std::unique_ptr<WalkFolder> WalkFolder::openFolder(const std::string& name) const
{
    OpenEntry entry;
    // Without FILE_SHARE_DELETE nobody can move the folder away while it is walked.
    if (!openEntry(state->path, state->finalPath, name, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                   entry) ||
        (entry.attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != FILE_ATTRIBUTE_DIRECTORY)
        return nullptr;
    auto opened = std::make_unique<State>(State{state->path + name + "\\", finalPathOf(entry.handle), entry.handle});
    entry.handle = INVALID_HANDLE_VALUE;
    return std::unique_ptr<WalkFolder>(new WalkFolder(std::move(opened)));
}

bool WalkFolder::removeEntry(const std::string& name) const
{
    OpenEntry entry;
    if (!openEntry(state->path, state->finalPath, name, DELETE | FILE_READ_ATTRIBUTES, kShareAll, entry))
        return false;
    const bool link = entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT;
    if (!link && (entry.attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return false;
    return deleteOpened(entry);
}

bool WalkFolder::removeFolder(const std::string& name) const
{
    OpenEntry entry;
    return openEntry(state->path, state->finalPath, name, DELETE | FILE_READ_ATTRIBUTES, kShareAll, entry) &&
           (entry.attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == FILE_ATTRIBUTE_DIRECTORY &&
           deleteOpened(entry);
}

} // namespace platform
