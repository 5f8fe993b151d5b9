#include "platform/Shell.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

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
    const auto opened = [&](const char* file, const char* parameters) {
        fs::remove(record);
        SHELLEXECUTEINFOA info{};
        info.cbSize = sizeof info;
        info.lpFile = file;
        info.lpParameters = parameters;
        EXPECT_TRUE(platform::ShellExecuteExA(&info));
        for (int wait = 0; wait < 500 && !fs::exists(record); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::stringstream text;
        text << std::ifstream(record).rdbuf();
        return text.str();
    };
    const std::string address = "https://a.b/$(/bin/touch " + (root / "run").string() + "); c 'd'";
    EXPECT_EQ(opened(address.c_str(), nullptr), "[" + address + "]\n");
    EXPECT_EQ(opened("C:\\Windows\\explorer.exe", "\\tmp\\a b\\"), "[/tmp/a b/]\n");
    EXPECT_EQ(opened("C:\\Windows\\EXPLORER.EXE", "-v"), "[./-v]\n");
    setenv("PATH", (root / "none").c_str(), 1);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.lpFile = "https://a.b";
    EXPECT_FALSE(platform::ShellExecuteExA(&info));
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_FALSE(fs::exists(root / "run"));
    fs::remove_all(root);
}

TEST(Shell, AMessageBoxIsOneLineOnStandardError)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(platform::MessageBoxA(nullptr, "two\nlines", "Error", MB_ICONERROR | MB_SYSTEMMODAL), IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: two lines\n");
}

} // namespace
