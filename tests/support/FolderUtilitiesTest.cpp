#include "support/PathUtilities.h"

#include "TempTree.h"
#include "platform/Shell.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testsupport::TempTree;

class FolderUtilities : public ::testing::Test {
protected:
    TempTree tree;
    TempTree outside;
};

TEST_F(FolderUtilities, CountsOneLevelDownAndNeverThroughALink)
{
    outside.add({"far.txt", "far/far.txt"});
    tree.add({"X.TXT", "x.txt.txt", "a.txtx", "b.jpeg", "c.jpeg2", "dot.dir/c.txt", "sub/deep/d.txt"});
    tree.link("link", outside.root);
    for (const auto& [extension, recursive, expected] :
         {std::tuple{"txt", false, 1}, {"txt", true, 2}, {"jpeg2", false, 1}, {"TXTX", false, 1}})
        EXPECT_EQ(countFilesWithExtension(tree.path().c_str(), extension, recursive), expected) << extension;
    EXPECT_EQ(countFilesWithExtension((tree.path("dot.dir") + "\\").c_str(), "txt", false), 1);
    EXPECT_EQ(countFilesWithExtension((tree.path() + std::string(kPathSize, 'a') + "\\").c_str(), "txt", false), 0);
}

TEST_F(FolderUtilities, DeletionStaysInsideItsFolder)
{
    outside.add({"keep.txt", "sub/keep.txt"});
    for (bool readOnly : {true, false}) {
        TempTree target;
        target.add({"a b/c d.txt", "v1.2/x.TXT", "e/f/g/h.txt", "ro/locked.txt", "ro/gone.txt"});
        target.link("e/f/out", outside.root);
        target.link("e/cycle", target.root);
        if (readOnly)
            target.makeReadOnly("ro/locked.txt");
        const bool deleted = deleteFolderRecursive(target.path().c_str());
        EXPECT_EQ(deleted, !target.exists(""));
        EXPECT_EQ(target.exists("ro/locked.txt"), readOnly);
        EXPECT_FALSE(target.exists("ro/gone.txt"));
        EXPECT_FALSE(target.exists("a b") || target.exists("v1.2"));
#ifndef _WIN32 // wine cannot remove a link to a folder; it refuses and leaves the link
        EXPECT_EQ(deleted, !readOnly);
#endif
        EXPECT_TRUE(outside.exists("keep.txt") && outside.exists("sub/keep.txt"));
    }
    // Paths that would list the folder's neighbours or do not fit are refused untouched.
    const std::string root = tree.path();
    tree.add({"x/keep.txt", "xy", "xxy"}); // "x" listed as "x*.*" would reach "xxy"
    for (const std::string& refused : {root + "x", root.substr(0, root.size() - 1), std::string(), root + std::string(kPathSize, 'a') + "\\"})
        EXPECT_FALSE(deleteFolderRecursive(refused.c_str()));
    EXPECT_TRUE(tree.exists("x/keep.txt") && tree.exists("xxy"));
}

TEST_F(FolderUtilities, CreatesOneLevelAndFindsUnusedNames)
{
    std::string made = tree.path() + "new";
    made.resize(kPathSize);
    EXPECT_TRUE(createFolder(made.data()));
    EXPECT_EQ(made.c_str(), tree.windowsPath("new/"));
    std::string nested = tree.path() + "a/b";
    nested.resize(kPathSize);
    EXPECT_FALSE(createFolder(nested.data()));

    tree.link("linked", outside.root);
    for (const auto& [path, expected] : {std::pair{tree.path("new"), true}, {tree.path("linked"), true},
                                         {tree.path("missing"), false}, {tree.path("file"), false}}) {
        tree.add({"file"});
        EXPECT_EQ(folderExists(path.c_str()), expected) << path;
    }

    std::string output(kPathSize, '\0');
    const std::string base = tree.path().substr(0, tree.path().size() - 1);
    ASSERT_TRUE(makeUniqueName(base.c_str(), "Set", output.data()));
    EXPECT_EQ(output.c_str(), tree.windowsPath("Set/"));
    tree.add({"Set/", "Set (1)"});
    ASSERT_TRUE(makeUniqueName(base.c_str(), "Set", output.data()));
    EXPECT_EQ(output.c_str(), tree.windowsPath("Set (1)/"));
    testsupport::fs::remove(tree.native("Set (1)"));
    for (int n = 1; n <= 32; ++n)
        tree.add({"Set (" + std::to_string(n) + ")/"});
    EXPECT_FALSE(makeUniqueName(base.c_str(), "Set", output.data()));
    tree.add({std::string(124, 'n') + "/"});
    EXPECT_FALSE(makeUniqueName(base.c_str(), std::string(124, 'n').c_str(), output.data())); // "(1)" does not fit
    EXPECT_EQ(output[0], '\0');
}

std::vector<std::tuple<std::string, std::string, std::string, int>> launched;

BOOL recordLaunch(SHELLEXECUTEINFOA* info)
{
    EXPECT_EQ(info->cbSize, 112u);
    launched.emplace_back(info->lpVerb ? info->lpVerb : "", info->lpFile, info->lpParameters ? info->lpParameters : "",
                          info->nShow);
    return 1;
}

TEST(ShellLaunch, AddressesAndFoldersReachTheShellWhole)
{
    const auto previous = platform::setShellExecuteSink(recordLaunch);
    EXPECT_TRUE(openWebAddress("example.com/a b"));
    EXPECT_FALSE(openWebAddress(std::string(248, 'a').c_str())); // "https://" + 248 > 255
    EXPECT_TRUE(openWebAddress(std::string(247, 'a').c_str()));
    EXPECT_TRUE(openFolderInExplorer("C:\\a b\\"));
    platform::setShellExecuteSink(previous);
    using Launch = std::tuple<std::string, std::string, std::string, int>;
    EXPECT_EQ(launched, (std::vector<Launch>{{"", "https://example.com/a b", "", 1},
                                             {"", "https://" + std::string(247, 'a'), "", 1},
                                             {"open", "C:\\Windows\\explorer.exe", "C:\\a b\\", 5}}));
}

} // namespace
