#include "platform/FileSystem.h"
#include "platform/FolderWalk.h"
#include "platform/Shell.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

// The POSIX forms of the calls that are the system's own on Windows.
namespace {

namespace fs = std::filesystem;

TEST(FileSystem, AttributesLookAsOnWindowsAndLinksAreNeverFollowed)
{
    const fs::path root = fs::temp_directory_path() / ("zarn-fs-" + std::to_string(::getpid()));
    fs::create_directories(root / "folder");
    for (const char* name : {"file", "locked", "folder/inside"})
        std::ofstream(root / name) << "x";
    fs::permissions(root / "locked", fs::perms::owner_write, fs::perm_options::remove);
    fs::create_directory_symlink(root / "folder", root / "folderLink");
    fs::create_symlink(root / "file", root / "fileLink");
    fs::create_symlink(root / "missing", root / "dangling");

    const std::string base = root.string() + "\\";
    const DWORD link = FILE_ATTRIBUTE_REPARSE_POINT, folder = FILE_ATTRIBUTE_DIRECTORY, file = FILE_ATTRIBUTE_ARCHIVE;
    for (const auto& [name, expected] : {std::pair{"dangling", link}, {"file", file}, {"fileLink", link}, {"folder", folder},
                                         {"folderLink", link | folder}, {"locked", file | FILE_ATTRIBUTE_READONLY},
                                         {"file\\", INVALID_FILE_ATTRIBUTES}, {"folder\\", folder}})
        EXPECT_EQ(platform::GetFileAttributesA((base + name).c_str()), expected) << name;
    EXPECT_FALSE(platform::RemoveDirectoryA((base + "fileLink").c_str()) || platform::RemoveDirectoryA((base + "folder").c_str()));
    EXPECT_TRUE(platform::RemoveDirectoryA((base + "folderLink\\").c_str()));
    EXPECT_TRUE(fs::exists(root / "folder/inside") && fs::exists(root / "fileLink") && !fs::is_symlink(root / "folderLink"));
    fs::remove_all(root);
}

// A regular file is read whole up to the limit; a folder is refused, and a pipe at once, not
// waited on.
TEST(FileSystem, OnlyRegularFilesAreReadAndAPipeIsNotWaitedOn)
{
    const fs::path root = fs::temp_directory_path() / ("zarn-read-" + std::to_string(::getpid()));
    fs::create_directories(root);
    std::ofstream(root / "file") << "abc";
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(platform::readRegularFile((root / "file").c_str(), 3, bytes) && (bytes == std::vector<uint8_t>{'a', 'b', 'c'}));
    EXPECT_FALSE(platform::readRegularFile((root / "file").c_str(), 2, bytes) || platform::readRegularFile(root.c_str(), 9, bytes));
    ASSERT_EQ(mkfifo((root / "pipe").c_str(), 0600), 0);
    auto reading = std::async(std::launch::async, [&] { return platform::readRegularFile((root / "pipe").c_str(), 9, bytes); });
    const bool returned = reading.wait_for(std::chrono::seconds(2)) == std::future_status::ready;
    if (!returned) // a writer that comes and goes lets the blocked reader see the end
        ::close(::open((root / "pipe").c_str(), O_WRONLY));
    EXPECT_TRUE(returned && !reading.get() && bytes.empty());
    fs::remove_all(root);
}

// Entries are typed as they are listed; a folder swapped for a link to an outside folder between
// the listing and its opening (the race a deletion meets) is neither entered nor emptied, only
// removed as a link.
TEST(FolderWalk, LinksAndNamesThatArePathsAreNeverEnteredOrFollowed)
{
    using platform::EntryKind;
    const fs::path root = fs::temp_directory_path() / ("zarn-walk-" + std::to_string(::getpid()));
    fs::create_directories(root / "tree/m");
    fs::create_directories(root / "tree/d");
    fs::create_directories(root / "outside");
    for (const char* name : {"tree/file", "tree/locked", "tree/a\\b", "outside/keep"})
        std::ofstream(root / name) << "x";
    fs::permissions(root / "tree/locked", fs::perms::owner_write, fs::perm_options::remove);
    fs::create_directory_symlink(root / "outside", root / "tree/link");
    const auto walk = platform::WalkFolder::open((root.string() + "\\tree\\").c_str());
    ASSERT_TRUE(walk);
    const std::vector<std::pair<std::string, EntryKind>> expected{{"a\\b", EntryKind::Unsafe}, {"d", EntryKind::Folder},
        {"file", EntryKind::File}, {"link", EntryKind::Link}, {"locked", EntryKind::ReadOnlyFile}, {"m", EntryKind::Folder}};
    for (int pass = 0; pass < 2; ++pass) { // a second listing starts again at the first entry
        std::vector<std::pair<std::string, EntryKind>> listed;
        for (const platform::WalkEntry& entry : walk->entries())
            listed.emplace_back(entry.name, entry.kind);
        EXPECT_EQ(listed, expected) << pass;
    }
    fs::rename(root / "tree/m", root / "moved");
    fs::create_directory_symlink(root / "outside", root / "tree/m");
    EXPECT_FALSE(walk->openFolder("m") || walk->openFolder("link") || walk->openFolder("file") || walk->openFolder("a\\b"));
    EXPECT_FALSE(walk->removeFolder("m") || walk->removeEntry("locked") || walk->removeEntry("a\\b") || walk->removeEntry("d"));
    EXPECT_TRUE(walk->openFolder("d") && walk->removeFolder("d") && walk->removeEntry("m") && walk->removeEntry("link"));
    EXPECT_TRUE(fs::exists(root / "outside/keep") && fs::exists(root / "tree/a\\b") && !fs::exists(root / "tree/d"));
    fs::remove_all(root);
}

// xdg-open gets the address or folder as its one argument; nothing in it reaches a shell.
TEST(Shell, TheDefaultHandlerGetsOneArgument)
{
    const fs::path root = fs::temp_directory_path() / ("zarn-shell-" + std::to_string(::getpid()));
    fs::create_directories(root);
    const fs::path record = root / "arguments";
    std::ofstream(root / "xdg-open") << "#!/bin/sh\nfor a in \"$@\"; do echo \"[$a]\"; done > " << record << ".new\n/bin/mv "
                                     << record << ".new " << record << "\n";
    fs::permissions(root / "xdg-open", fs::perms::owner_all);
    const std::string oldPath = std::getenv("PATH");
    setenv("PATH", root.c_str(), 1);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    const auto opened = [&](const char* file, const char* parameters) {
        fs::remove(record);
        info.lpFile = file;
        info.lpParameters = parameters;
        EXPECT_TRUE(platform::ShellExecuteExA(&info));
        for (int wait = 0; wait < 500 && !fs::exists(record); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return (std::stringstream() << std::ifstream(record).rdbuf()).str();
    };
    const std::string address = "https://a.b/$(/bin/touch " + (root / "run").string() + "); c 'd'";
    EXPECT_EQ(opened(address.c_str(), nullptr), "[" + address + "]\n");
    EXPECT_EQ(opened("C:\\Windows\\explorer.exe", "\\tmp\\a b\\"), "[/tmp/a b/]\n");
    EXPECT_EQ(opened("C:\\Windows\\EXPLORER.EXE", "-v"), "[./-v]\n");
    setenv("PATH", (root / "none").c_str(), 1);
    EXPECT_FALSE(platform::ShellExecuteExA(&info)); // no handler to start
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_FALSE(fs::exists(root / "run"));
    fs::remove_all(root);
}

TEST(Shell, AMessageBoxIsOneLineOnStandardErrorAndASinkHandsBackTheOneItReplaced)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(platform::MessageBoxA(nullptr, "two\nlines", "Error", MB_ICONERROR | MB_SYSTEMMODAL), IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: two lines\n");
    const platform::MessageBoxSink seven = [](HWND, LPCSTR, LPCSTR, UINT) { return 7; };
    const platform::ShellExecuteSink none = [](SHELLEXECUTEINFOA*) { return BOOL(0); };
    EXPECT_EQ(platform::setMessageBoxSink(seven), nullptr);
    EXPECT_EQ(platform::MessageBoxA(nullptr, "", "", 0), 7);
    EXPECT_TRUE(platform::setMessageBoxSink(nullptr) == seven && platform::setShellExecuteSink(none) == nullptr);
    EXPECT_EQ(platform::setShellExecuteSink(nullptr), none);
}

} // namespace
