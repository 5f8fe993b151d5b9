#pragma once

// A fresh folder of real files for one test, removed afterwards without following links.

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace testsupport {

namespace fs = std::filesystem;

class TempTree {
public:
    TempTree() { fs::create_directories(root); }
    ~TempTree()
    {
        std::error_code ignored;
        if (!runUnix("rm -rf " + unixName(root), [&] { return !fs::exists(root); }))
            fs::remove_all(root, ignored);
    }

    fs::path native(const std::string& relative = "") const { return (root / relative).lexically_normal(); }
    // The path in the Windows form the utilities give back, closed by a backslash for "" or "x/".
    std::string windowsPath(const std::string& relative = "") const
    {
        std::string text = native(relative).string();
        std::replace(text.begin(), text.end(), '/', '\\');
        return text + (!text.ends_with('\\') && (relative.empty() || relative.back() == '/') ? "\\" : "");
    }
    // "a/b/" makes a folder, "a/x.txt" a file (with the folders above both).
    void add(std::initializer_list<std::string> entries) const
    {
        for (const std::string& entry : entries) {
            fs::create_directories(native(entry).parent_path());
            if (entry.back() != '/')
                std::ofstream(native(entry)) << "x";
        }
    }
    bool exists(const std::string& relative) const { return fs::symlink_status(native(relative)).type() != fs::file_type::not_found; }
    // An entry made by the Unix side, in a folder that exists: a link to target when one is given,
    // else a folder for "x/" or a file, also where the name holds a backslash (which Windows
    // programs cannot make).
    void addUnix(const std::string& relative, const fs::path& target = {}) const
    {
        const std::string name = relative.substr(0, relative.size() - (relative.back() == '/'));
        const std::string path = unixName(root) + "/" + name, parent = name.substr(0, name.rfind('/') + 1);
        const auto count = [&] { return std::distance(fs::directory_iterator(native(parent)), {}); };
        const auto before = count();
        const std::string command = !target.empty() ? "ln -s " + unixName(target) + " " : name != relative ? "mkdir " : "touch ";
        if (!runUnix(command + path, [&] { return count() > before; }))
            !target.empty() ? fs::create_symlink(target, path) : name != relative ? (void)fs::create_directory(path) : (void)std::ofstream(path);
    }

    const fs::path root = fs::temp_directory_path() / ("zarn-files-" + std::to_string(::getpid()) + "-" + std::to_string(made++));

private:
    static inline int made = 0;
#ifdef _WIN32
    // Under wine, links and odd names are made and removed by Unix programs: wine cannot make
    // them, and shows links to folders as plain folders to std::filesystem.
    static std::string unixName(const fs::path& path)
    {
        using UnixName = char*(__cdecl*)(const wchar_t*);
        static const auto convert = reinterpret_cast<UnixName>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
        return convert ? convert(path.c_str()) : path.string();
    }
    template <typename Done> static bool runUnix(std::string command, Done done)
    {
        command.insert(0, "Z:\\bin\\");
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return false;
        CloseHandle(process.hThread), CloseHandle(process.hProcess);
        for (int wait = 0; wait < 500 && !done(); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return true;
    }
#else
    static std::string unixName(const fs::path& path) { return path.string(); }
    template <typename Done> static bool runUnix(const std::string&, Done) { return false; }
#endif
};

} // namespace testsupport
