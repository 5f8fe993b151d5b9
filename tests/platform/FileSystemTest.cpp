#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

namespace fs = std::filesystem;

// The POSIX side of the calls: Windows attributes, links that are never followed, read-only files.
TEST(FileSystem, EntriesLookAsOnWindowsAndLinksAreNeverFollowed)
{
    const fs::path root = fs::temp_directory_path() / ("zarn-fs-" + std::to_string(::getpid()));
    fs::create_directories(root / "folder");
    for (const char* name : {"file", "locked", "folder/inside", "odd\\name"})
        std::ofstream(root / name) << "x";
    fs::permissions(root / "locked", fs::perms::owner_write, fs::perm_options::remove);
    fs::create_directory_symlink(root / "folder", root / "folderLink");
    fs::create_symlink(root / "file", root / "fileLink");
    fs::create_symlink(root / "missing", root / "dangling");

    const std::string base = root.string() + "\\";
    std::map<std::string, DWORD> listed;
    WIN32_FIND_DATAA entry;
    HANDLE search = platform::FindFirstFileA((base + "*.*").c_str(), &entry);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do
        listed[entry.cFileName] = entry.dwFileAttributes;
    while (platform::FindNextFileA(search, &entry));
    EXPECT_TRUE(platform::FindClose(search));
    const DWORD link = FILE_ATTRIBUTE_REPARSE_POINT, folder = FILE_ATTRIBUTE_DIRECTORY, file = FILE_ATTRIBUTE_ARCHIVE;
    EXPECT_EQ(listed, (std::map<std::string, DWORD>{{".", folder}, {"..", folder}, {"dangling", link}, {"file", file},
                                                    {"fileLink", link}, {"folder", folder}, {"folderLink", link | folder},
                                                    {"locked", file | FILE_ATTRIBUTE_READONLY}}));
    EXPECT_EQ(platform::GetFileAttributesA((base + "folderLink\\").c_str()), link | folder);
    EXPECT_EQ(platform::GetFileAttributesA((base + "file\\").c_str()), INVALID_FILE_ATTRIBUTES);

    EXPECT_NE(platform::remove((base + "locked").c_str()), 0);
    EXPECT_NE(platform::remove((base + "folder").c_str()), 0);
    EXPECT_FALSE(platform::RemoveDirectoryA((base + "fileLink").c_str()));
    EXPECT_TRUE(platform::RemoveDirectoryA((base + "folderLink\\").c_str()));
    EXPECT_EQ(platform::remove((base + "fileLink").c_str()), 0);
    EXPECT_TRUE(fs::exists(root / "locked") && fs::exists(root / "folder/inside") && fs::exists(root / "file"));
    EXPECT_FALSE(fs::is_symlink(root / "folderLink") || fs::is_symlink(root / "fileLink"));
    fs::remove_all(root);
}

} // namespace
