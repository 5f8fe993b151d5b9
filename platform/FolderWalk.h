#pragma once

// Walking a folder tree that may change while it is walked. A folder is opened from its parent
// (POSIX: by descriptor, never through a link; Windows: only when its final path is the one the
// tree gives it), so nothing reached through a link, or through an entry name that is really a
// path, is ever entered or removed.

#include <memory>
#include <string>
#include <vector>

namespace platform {

enum class EntryKind {
    File,
    ReadOnlyFile,
    Folder,
    Link,
    // A name that cannot be joined to a path safely: never opened or removed.
    Unsafe,
};

struct WalkEntry {
    std::string name;
    EntryKind kind;
};

class WalkFolder {
public:
    // The folder that a Windows-form path names ('/' or '\' separators, a closing one allowed).
    // Null when it is no folder or cannot be opened.
    static std::unique_ptr<WalkFolder> open(const char* path);
    ~WalkFolder();
    WalkFolder(const WalkFolder&) = delete;
    WalkFolder& operator=(const WalkFolder&) = delete;

    // The entries but "." and "..", sorted by name, each as it was when it was looked at.
    std::vector<WalkEntry> entries() const;
    // The sub-folder called name, when it is a folder of this tree at this moment; null for a
    // link, a file, an unsafe name or anything gone.
    std::unique_ptr<WalkFolder> openFolder(const std::string& name) const;
    // Removes name as what it is now: a link as a link, a file unless it is read-only; never a
    // folder. False when nothing was removed.
    bool removeEntry(const std::string& name) const;
    // Removes the empty sub-folder called name (never a link to one).
    bool removeFolder(const std::string& name) const;

private:
    struct State;
    explicit WalkFolder(std::unique_ptr<State> state);
    std::unique_ptr<State> state;
};

} // namespace platform
