#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace platform {
namespace {

struct FoundEntry {
    std::string name;
    struct stat status;
    DWORD attributes;
};

// An open search: every matching entry, read when it was opened.
struct Search {
    std::vector<FoundEntry> entries;
    size_t next = 0;
};

// The POSIX form of a Windows-form path, without a closing separator (but for the root itself).
// folderOnly tells whether the path ended with one.
std::string posixPath(const char* path, bool* folderOnly = nullptr)
{
    std::string result = path ? path : "";
    std::replace(result.begin(), result.end(), '\\', '/');
    const bool closed = !result.empty() && result.back() == '/';
    while (result.size() > 1 && result.back() == '/')
        result.pop_back();
    if (folderOnly)
        *folderOnly = closed;
    return result;
}

// Attributes as Windows gives them; linkStatus is the entry's own status (never followed).
DWORD attributesOf(const struct stat& linkStatus, bool leadsToFolder)
{
    if (S_ISLNK(linkStatus.st_mode))
        return FILE_ATTRIBUTE_REPARSE_POINT | (leadsToFolder ? FILE_ATTRIBUTE_DIRECTORY : 0);
    if (S_ISDIR(linkStatus.st_mode))
        return FILE_ATTRIBUTE_DIRECTORY;
    return FILE_ATTRIBUTE_ARCHIVE | ((linkStatus.st_mode & S_IWUSR) ? 0 : FILE_ATTRIBUTE_READONLY);
}

FILETIME fileTime(const struct timespec& time)
{
    // 100-nanosecond steps since 1601-01-01.
    const uint64_t ticks = (uint64_t(time.tv_sec) + 11644473600ull) * 10000000ull + uint64_t(time.tv_nsec) / 100;
    return {DWORD(ticks), DWORD(ticks >> 32)};
}

void fill(const FoundEntry& entry, LPWIN32_FIND_DATAA data)
{
    *data = {};
    data->dwFileAttributes = entry.attributes;
    data->ftCreationTime = fileTime(entry.status.st_ctim);
    data->ftLastAccessTime = fileTime(entry.status.st_atim);
    data->ftLastWriteTime = fileTime(entry.status.st_mtim);
    const uint64_t size = S_ISREG(entry.status.st_mode) ? uint64_t(entry.status.st_size) : 0;
    data->nFileSizeHigh = DWORD(size >> 32);
    data->nFileSizeLow = DWORD(size);
    std::memcpy(data->cFileName, entry.name.c_str(), entry.name.size() + 1);
}

bool matches(const std::string& pattern, const char* name)
{
    const auto match = [name](const std::string& text) {
        return fnmatch(text.c_str(), name, FNM_NOESCAPE | FNM_CASEFOLD) == 0;
    };
    // As on Windows, a closing ".*" also matches a name without a dot ("*.*" matches every name).
    return match(pattern) || (pattern.ends_with(".*") && match(pattern.substr(0, pattern.size() - 2)));
}

} // namespace

HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data)
{
    if (!pattern || !data)
        return INVALID_HANDLE_VALUE;
    std::string path = pattern;
    std::replace(path.begin(), path.end(), '\\', '/');
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::string namePattern = slash == std::string::npos ? path : path.substr(slash + 1);
    if (namePattern.empty())
        return INVALID_HANDLE_VALUE;

    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return INVALID_HANDLE_VALUE;
    DIR* listing = ::fdopendir(folderFd);
    if (!listing) {
        ::close(folderFd);
        return INVALID_HANDLE_VALUE;
    }
    auto* search = new Search;
    while (const dirent* entry = ::readdir(listing)) {
        const char* name = entry->d_name;
        if (std::strlen(name) >= MAX_PATH || std::strchr(name, '\\') || !matches(namePattern, name))
            continue;
        FoundEntry found{name, {}, 0};
        if (::fstatat(folderFd, name, &found.status, AT_SYMLINK_NOFOLLOW) != 0)
            continue; // gone meanwhile
        struct stat target {};
        const bool leadsToFolder = S_ISLNK(found.status.st_mode) && ::fstatat(folderFd, name, &target, 0) == 0 &&
                                   S_ISDIR(target.st_mode);
        found.attributes = attributesOf(found.status, leadsToFolder);
        search->entries.push_back(std::move(found));
    }
    ::closedir(listing);
    if (search->entries.empty()) {
        delete search;
        return INVALID_HANDLE_VALUE;
    }
    std::sort(search->entries.begin(), search->entries.end(),
              [](const FoundEntry& a, const FoundEntry& b) { return a.name < b.name; });
    fill(search->entries[search->next++], data);
    return search;
}

BOOL FindNextFileA(HANDLE handle, LPWIN32_FIND_DATAA data)
{
    auto* search = static_cast<Search*>(handle);
    if (!search || handle == INVALID_HANDLE_VALUE || !data || search->next >= search->entries.size())
        return 0;
    fill(search->entries[search->next++], data);
    return 1;
}

BOOL FindClose(HANDLE handle)
{
    if (!handle || handle == INVALID_HANDLE_VALUE)
        return 0;
    delete static_cast<Search*>(handle);
    return 1;
}

BOOL CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES)
{
    return path && path[0] && ::mkdir(posixPath(path).c_str(), 0777) == 0;
}

BOOL RemoveDirectoryA(LPCSTR path)
{
    if (!path || !path[0])
        return 0;
    const std::string entry = posixPath(path);
    struct stat status {};
    if (::lstat(entry.c_str(), &status) != 0)
        return 0;
    if (S_ISLNK(status.st_mode)) {
        struct stat target {};
        return ::stat(entry.c_str(), &target) == 0 && S_ISDIR(target.st_mode) && ::unlink(entry.c_str()) == 0;
    }
    return ::rmdir(entry.c_str()) == 0;
}

DWORD GetFileAttributesA(LPCSTR path)
{
    if (!path || !path[0])
        return INVALID_FILE_ATTRIBUTES;
    bool folderOnly = false;
    const std::string entry = posixPath(path, &folderOnly);
    struct stat status {};
    if (::lstat(entry.c_str(), &status) != 0)
        return INVALID_FILE_ATTRIBUTES;
    struct stat target {};
    const bool leadsToFolder = S_ISLNK(status.st_mode) && ::stat(entry.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
    const DWORD attributes = attributesOf(status, leadsToFolder);
    return folderOnly && !(attributes & FILE_ATTRIBUTE_DIRECTORY) ? INVALID_FILE_ATTRIBUTES : attributes;
}

int remove(const char* path)
{
    bool folderOnly = false;
    const std::string entry = posixPath(path, &folderOnly);
    struct stat status {};
    if (entry.empty() || folderOnly || ::lstat(entry.c_str(), &status) != 0)
        return -1;
    if (S_ISDIR(status.st_mode) || (!S_ISLNK(status.st_mode) && !(status.st_mode & S_IWUSR))) {
        errno = EACCES;
        return -1;
    }
    return ::unlink(entry.c_str()) == 0 ? 0 : -1;
}

} // namespace platform
