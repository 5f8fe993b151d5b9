#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>

namespace platform {
namespace {

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

} // namespace

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

bool readRegularFile(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    // O_NONBLOCK: opening a pipe for reading would otherwise wait for a writer.
    const int fd = path ? ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC) : -1;
    if (fd < 0)
        return false;
    struct stat status {};
    bool read = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && uint64_t(status.st_size) <= maxBytes;
    if (read) {
        bytes.resize(size_t(status.st_size));
        size_t done = 0;
        while (read && done < bytes.size()) {
            const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
            read = got > 0;
            done += read ? size_t(got) : 0;
        }
    }
    ::close(fd);
    if (!read)
        bytes.clear();
    return read;
}

} // namespace platform
