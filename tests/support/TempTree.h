#pragma once

// A fresh folder of real files for one test, removed afterwards without following links.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

namespace testsupport {

namespace fs = std::filesystem;

class TempTree {
public:
    TempTree()
    {
        static int made = 0;
        root = fs::temp_directory_path() /
               ("zarn-files-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
                std::to_string(++made));
        fs::create_directories(root);
    }
    ~TempTree()
    {
        std::error_code ignored;
#ifdef _WIN32
        // Wine shows links as folders to std::filesystem, which would walk into them.
        if (unixName()) {
            runUnix("Z:\\bin\\rm -rf " + unixPath(root), [&] { return !fs::exists(root); });
            return;
        }
#endif
        for (auto i = fs::recursive_directory_iterator(root, ignored); i != fs::recursive_directory_iterator(); ++i)
            if (!i->is_symlink())
                fs::permissions(i->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
        fs::remove_all(root, ignored);
    }

    // The path of relative inside the tree with the system's separators; "" is the root.
    fs::path native(const std::string& relative = "") const { return (root / relative).lexically_normal(); }
    // The same as text, with a closing separator for a folder.
    std::string path(const std::string& relative = "") const
    {
        std::string text = native(relative).string();
        if ((relative.empty() || relative.back() == '/') && text.back() != fs::path::preferred_separator)
            text += char(fs::path::preferred_separator);
        return text;
    }
    // The same with backslashes, as the path utilities give it back.
    std::string windowsPath(const std::string& relative = "") const
    {
        std::string text = path(relative);
        std::replace(text.begin(), text.end(), '/', '\\');
        return text;
    }
    // Entries: "a/b/" makes a folder, "a/x.txt" a file (and the folders above both).
    void add(std::initializer_list<std::string> entries) const
    {
        for (const std::string& entry : entries) {
            fs::create_directories(native(entry).parent_path());
            if (entry.back() != '/')
                std::ofstream(native(entry)) << "x";
        }
    }
    void makeReadOnly(const std::string& relative) const
    {
        fs::permissions(native(relative), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }
    bool exists(const std::string& relative) const { return fs::symlink_status(native(relative)).type() != fs::file_type::not_found; }
    // A link at relative to the folder target.
    void link(const std::string& relative, const fs::path& target) const
    {
#ifdef _WIN32
        // Wine pretends to make links; a Unix program makes a real one there.
        if (!unixName())
            ASSERT_TRUE(CreateSymbolicLinkW(native(relative).c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY));
        else
            runUnix("Z:\\bin\\ln -s " + unixPath(target) + " " + unixPath(native(relative)), [&] { return exists(relative); });
#else
        fs::create_directory_symlink(target, native(relative));
#endif
        ASSERT_TRUE(exists(relative));
    }

    fs::path root;

#ifdef _WIN32
private:
    using UnixName = char*(__cdecl*)(const wchar_t*);
    static UnixName unixName()
    {
        return reinterpret_cast<UnixName>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    }
    static std::string unixPath(const fs::path& path) { return unixName()(path.c_str()); }
    // Runs a Unix command (wine starts those directly) and waits until done() holds.
    template <typename Done>
    static void runUnix(std::string command, Done done)
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        for (int wait = 0; wait < 500 && !done(); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
#endif
};

} // namespace testsupport
