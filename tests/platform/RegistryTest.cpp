#include "platform/Registry.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<BYTE>;

// A key of its own below HKEY_CURRENT_USER\Software per test, gone afterwards. On Linux the
// configuration and home folders are fresh temporary ones; under wine the registry is the
// prefix's, so the key's name is new each run.
class Registry : public ::testing::Test {
protected:
    const std::string leaf =
        "ZarnRegistryTest-" + std::to_string(std::chrono::system_clock::now().time_since_epoch().count());
    const std::string path = "Software\\" + leaf + "\\Zarn Pro\\";
#ifdef _WIN32
    void TearDown() override
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, ("Software\\" + leaf + "\\Zarn Pro").c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, ("Software\\" + leaf).c_str());
    }
#else
    const fs::path root = fs::temp_directory_path() / leaf;
    void SetUp() override
    {
        setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
        setenv("HOME", (root / "home").c_str(), 1);
    }
    void TearDown() override { fs::remove_all(root); }
    static auto entries(const fs::path& folder) { return std::distance(fs::directory_iterator(folder), {}); }
#endif
    // Creates or opens the key and writes one value.
    LONG write(const char* name, const Bytes& data, DWORD type = REG_BINARY)
    {
        HKEY key = nullptr;
        LONG result =
            RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
        if (result == ERROR_SUCCESS) {
            result = RegSetValueExA(key, name, 0, type, data.data(), DWORD(data.size()));
            EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
        }
        return result;
    }
    // Reads a value into a buffer of capacity bytes of 0xEE (none for -1): result, type, size, buffer.
    std::tuple<LONG, DWORD, DWORD, Bytes> read(const char* name, int capacity)
    {
        std::tuple<LONG, DWORD, DWORD, Bytes> got{0, 0, DWORD(capacity), Bytes(size_t(std::max(capacity, 0)), 0xEE)};
        auto& [result, type, size, buffer] = got;
        HKEY key = nullptr;
        result = RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
        if (result == ERROR_SUCCESS) {
            result = RegQueryValueExA(key, name, nullptr, &type, capacity < 0 ? nullptr : buffer.data(), &size);
            EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
        }
        return got;
    }
};

TEST_F(Registry, ValuesReadBackAsWrittenAndASmallBufferLearnsTheSizeNeeded)
{
    HKEY key = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    ASSERT_EQ(write("UISize", {7, 8, 9}), ERROR_SUCCESS);
    ASSERT_EQ(write("UISize", {2}), ERROR_SUCCESS);             // replaces the three bytes whole
    ASSERT_EQ(write(nullptr, {4, 5}, 0x12345), ERROR_SUCCESS); // the key's unnamed value
    ASSERT_TRUE(write("Empty", {}) == ERROR_SUCCESS && write("Large", Bytes(1 << 20, 7)) == ERROR_SUCCESS);
    EXPECT_EQ(read("Large", 1 << 20), std::tuple(ERROR_SUCCESS, DWORD(REG_BINARY), 1u << 20, Bytes(1 << 20, 7)));
    // Name, buffer capacity: result, type, size, buffer.
    const DWORD binary = REG_BINARY;
    for (auto [name, capacity, expected] :
         {std::tuple{"UISize", 1, std::tuple{ERROR_SUCCESS, binary, 1u, Bytes{2}}},
          {"UISize", 2, {ERROR_SUCCESS, binary, 1u, {2, 0xEE}}}, {"", 2, {ERROR_SUCCESS, 0x12345, 2u, {4, 5}}},
          {"", -1, {ERROR_SUCCESS, 0x12345, 2u, {}}}, {"Empty", 1, {ERROR_SUCCESS, binary, 0u, {0xEE}}}, {"Missing", 1, {ERROR_FILE_NOT_FOUND, 0, 1u, {0xEE}}}})
        EXPECT_EQ(read(name, capacity), expected) << name << " " << capacity;
    const auto [result, type, size, buffer] = read("", 1); // a value of the wrong size for the buffer
    EXPECT_EQ(std::tuple(result, size), std::tuple(ERROR_MORE_DATA, 2u));
    BYTE byte = 1;
    DWORD one = 1;
    EXPECT_EQ(RegOpenKeyExA(nullptr, "Software", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryValueExA(nullptr, "UISize", nullptr, nullptr, &byte, &one), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegSetValueExA(nullptr, "UISize", 0, REG_BINARY, &byte, 1), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
}

#ifndef _WIN32

TEST_F(Registry, KeysAreFoldersBelowTheConfigurationHomeAndValuesAreReplacedByRename)
{
    const std::string config = (root / "config").string();
    const fs::path fallback = root / "home/.config";
    for (auto [variable, home] :
         {std::pair{config.c_str(), root / "config"}, {"", fallback}, {"relative", fallback}, {nullptr, fallback}}) {
        variable ? setenv("XDG_CONFIG_HOME", variable, 1) : unsetenv("XDG_CONFIG_HOME");
        ASSERT_EQ(write("UISize", {1}), ERROR_SUCCESS);
        EXPECT_EQ(entries(home / leaf / "Zarn Pro"), 1) << home; // no temporary file left
        EXPECT_EQ(fs::file_size(home / leaf / "Zarn Pro/UISize"), 5u); // the type, then the byte
        fs::remove_all(home);
    }
    ASSERT_EQ(write("UISize", {1, 1, 1}), ERROR_SUCCESS);
    std::ifstream reader(fallback / leaf / "Zarn Pro/UISize", std::ios::binary);
    ASSERT_EQ(write("UISize", {2}), ERROR_SUCCESS); // the open reader still reads the old value whole
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(reader), {}), std::string("\3\0\0\0\1\1\1", 7));
    fs::create_directories(fallback / leaf / "Zarn Pro/Blocked/inside");
    EXPECT_NE(write("Blocked", {1}), ERROR_SUCCESS); // a folder in the value's place
    EXPECT_EQ(entries(fallback / leaf / "Zarn Pro"), 2);
}

TEST_F(Registry, KeyPathsValueNamesAndValuesTheStoreCannotHoldAreRefused)
{
    const LONG bad = ERROR_BAD_PATHNAME;
    const LONG denied = ERROR_ACCESS_DENIED;
    for (auto [key, result] : {std::pair{"Software\\\\x", bad}, {"\\Software\\x", bad}, {"Software\\x\\\\", bad},
                               {"Software\\.\\x", bad}, {"Software\\..\\x", bad}, {"Software\\a/b", bad},
                               {"Other\\x", denied}, {"", denied}, {nullptr, denied}}) {
        HKEY handle = reinterpret_cast<HKEY>(1);
        const LONG created =
            RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr);
        EXPECT_EQ(std::tuple(created, handle), std::tuple(result, nullptr)) << (key ? key : "null");
    }
    EXPECT_FALSE(fs::exists(root));
    for (const char* name : {".hidden", "a/b"})
        EXPECT_EQ(write(name, {1}), ERROR_INVALID_PARAMETER) << name;
    EXPECT_EQ(write("Big", Bytes((1 << 20) + 1)), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(write("Largest", Bytes(1 << 20)), ERROR_SUCCESS);
    const fs::path folder = root / "config" / leaf / "Zarn Pro";
    std::ofstream(folder / "Short") << "abc"; // shorter than the type
    fs::resize_file(folder / "Largest", fs::file_size(folder / "Largest") + 1);
    for (const char* name : {"Short", "Largest"})
        EXPECT_EQ(std::get<0>(read(name, 4)), ERROR_INVALID_DATA) << name;
}

#endif

} // namespace
