#include "platform/FolderWalk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace platform {

struct WalkFolder::State {
    int fd;
};

namespace {

bool isDotEntry(const char* name) { return !std::strcmp(name, ".") || !std::strcmp(name, ".."); }

// A name holding a backslash cannot be named by the Windows-form paths built from it.
bool isUnsafe(const std::string& name) { return name.find('\\') != std::string::npos; }

} // namespace

WalkFolder::WalkFolder(std::unique_ptr<State> s) : state(std::move(s)) {}

WalkFolder::~WalkFolder() { ::close(state->fd); }

std::unique_ptr<WalkFolder> WalkFolder::open(const char* path)
{
    if (!path || !path[0])
        return nullptr;
    std::string folder = path;
    std::replace(folder.begin(), folder.end(), '\\', '/');
    // The folder the caller names is opened even through a link; what lies inside never is.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    return std::unique_ptr<WalkFolder>(new WalkFolder(std::make_unique<State>(State{fd})));
}

std::vector<WalkEntry> WalkFolder::entries() const
{
    std::vector<WalkEntry> found;
    const int listingFd = ::dup(state->fd);
    DIR* listing = listingFd < 0 ? nullptr : ::fdopendir(listingFd);
    if (!listing) {
        if (listingFd >= 0)
            ::close(listingFd);
        return found;
    }
    ::rewinddir(listing); // the duplicate shares the position of an earlier listing
    while (const dirent* entry = ::readdir(listing)) {
        if (isDotEntry(entry->d_name))
            continue;
        struct stat status {};
        if (::fstatat(state->fd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0)
            continue; // gone meanwhile
        const EntryKind kind = isUnsafe(entry->d_name)          ? EntryKind::Unsafe
                               : S_ISLNK(status.st_mode)         ? EntryKind::Link
                               : S_ISDIR(status.st_mode)         ? EntryKind::Folder
                               : (status.st_mode & S_IWUSR) == 0 ? EntryKind::ReadOnlyFile
                                                                 : EntryKind::File;
        found.push_back({entry->d_name, kind});
    }
    ::closedir(listing);
    std::sort(found.begin(), found.end(), [](const WalkEntry& a, const WalkEntry& b) { return a.name < b.name; });
    return found;
}

std::unique_ptr<WalkFolder> WalkFolder::openFolder(const std::string& name) const
{
    if (isUnsafe(name))
        return nullptr;
    const int fd = ::openat(state->fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    return std::unique_ptr<WalkFolder>(new WalkFolder(std::make_unique<State>(State{fd})));
}

bool WalkFolder::removeEntry(const std::string& name) const
{
    struct stat status {};
    if (isUnsafe(name) || ::fstatat(state->fd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
        S_ISDIR(status.st_mode) || (!S_ISLNK(status.st_mode) && !(status.st_mode & S_IWUSR)))
        return false;
    // Without AT_REMOVEDIR nothing but a file or a link is removed, whatever the name names by now.
    return ::unlinkat(state->fd, name.c_str(), 0) == 0;
}

bool WalkFolder::removeFolder(const std::string& name) const
{
    return !isUnsafe(name) && ::unlinkat(state->fd, name.c_str(), AT_REMOVEDIR) == 0;
}

} // namespace platform
