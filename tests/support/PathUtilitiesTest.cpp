#include "support/PathUtilities.h"

#include "TempTree.h"
#include "platform/Shell.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

const std::string k511(511, 'a');

// Each operation writes into a caller's buffer of 512 bytes followed by guard bytes that must
// stay untouched.
TEST(PathUtilities, TextOperationsAndTheirBufferLimits)
{
    using Operation = std::function<void(char* output, const char* path)>;
    const Operation title = [](char* o, auto p) { getFileTitle(o, p, "---"); }, name = [](char* o, auto p) { getFileName(o, p, "---"); };
    const Operation directory = [](char* o, auto p) { getDirectoryPart(o, p, false); }, normalize = [](char* o, auto) { normalizeFolderPath(o); };
    const Operation directoryKept = [](char* o, auto p) { getDirectoryPart(o, p, true); }, ensure = [](char* o, auto) { ensureTrailingBackslash(o); };
    const Operation png = [](char* o, auto p) { std::strcpy(o, hasExtension("png", p) ? "png" : "no"); };
    for (const auto& [operation, path, expected] : std::vector<std::tuple<Operation, std::string, std::string>>{
             {title, "C:/dir/name.ext", "name"}, {title, "", "---"}, {title, "C:\\dir\\", ""},
             {title, "a.b\\file", "file"}, {name, "C:/dir/name.ext", "name.ext"}, {name, "name", "name"},
             {name, k511, k511}, {name, k511 + "a", ""}, {directory, "C:\\a\\b.txt", "C:\\a"},
             {directoryKept, "C:/a/b.txt", "C:\\a\\"}, {directory, "b.txt", "b.txt"},
             {getParentFolderName, "C:\\a\\b\\f.txt", "b"}, {getParentFolderName, "b/f.txt", "b"},
             {getParentFolderName, "\\f.txt", ""}, {getParentFolderName, "f.txt", "f.txt"},
             {getParentFolderName, k511 + "\\b", ""}, {stripExtension, "C:/a.b/file", "C:\\a"},
             {stripExtension, "x.tar.gz", "x.tar"}, {ensure, "a/", "a/\\"}, {ensure, "", "\\"},
             {ensure, "a\\", "a\\"}, {ensure, std::string(510, 'a'), std::string(510, 'a') + "\\"},
             {ensure, k511, k511}, {normalize, "a/b/", "a\\b\\\\"}, {normalize, "a/b", "a\\b\\"}, {png, "a\\b.PNG", "png"},
             {png, "a.b\\file", "no"}, {png, "a.png.", "no"}, {png, "png", "no"}}) {
        std::vector<char> bytes(512 + 16, '#');
        bytes[path.copy(bytes.data(), 511)] = '\0';
        operation(bytes.data(), path.c_str());
        EXPECT_EQ(std::string(bytes.begin() + 512, bytes.end()) == std::string(16, '#') ? bytes.data() : "overrun", expected) << path;
    }
}

using testsupport::TempTree;
using std::tuple;

struct FolderUtilities : ::testing::Test {
    TempTree tree, outside;
    const std::string root = tree.windowsPath();
};

TEST_F(FolderUtilities, DeletionAndCountsStayInsideTheTree)
{
    outside.add({"keep.txt", "sub/keep.txt"});
    for (bool readOnly : {true, false}) {
        TempTree target;
        target.add({"a b/c d.txt", "v1.2/x.TXT", "e/f/g/h.txt", "ro/locked.txt", "ro/gone.txt"});
        target.addUnix("e/f/out", outside.root), target.addUnix("e/cycle", target.root);
        target.addUnix("e/fileLink", outside.native("keep.txt")); // wine lists it as a plain file
        if (readOnly)
            testsupport::fs::permissions(target.native("ro/locked.txt"), testsupport::fs::perms::none);
        const bool deleted = deleteFolderRecursive(target.windowsPath().c_str());
        EXPECT_EQ(tuple(deleted == !target.exists(""), target.exists("ro/locked.txt"), outside.exists("keep.txt"), outside.exists("sub/keep.txt"),
                        target.exists("ro/gone.txt") || target.exists("a b") || target.exists("v1.2")), tuple(true, readOnly, true, true, false));
#ifndef _WIN32 // wine cannot remove links; it refuses and leaves them
        EXPECT_EQ(deleted, !readOnly);
#endif
    }
    // Counts reach one level down; links and names that are paths are neither counted, entered
    // nor removed.
    tree.add({"keep.txt", "sib/far.txt", "t/X.TXT", "t/x.txt.txt", "t/a.txtx", "t/b.jpeg", "t/c.jpeg2", "t/dot.dir/c.txt", "t/sub/deep/d.txt"});
    tree.addUnix("t/..\\keep.txt"), tree.addUnix("t/..\\sib/"), tree.addUnix("t/link", outside.root);
    for (const auto& [extension, recursive, expected] : {tuple{"txt", false, 1}, {"txt", true, 2}, {"jpeg2", false, 1}, {"TXTX", false, 1}})
        EXPECT_EQ(countFilesWithExtension(tree.windowsPath("t/").c_str(), extension, recursive), expected) << extension;
    EXPECT_TRUE(!deleteFolderRecursive(tree.windowsPath("t/").c_str()) && tree.exists("keep.txt") && tree.exists("sib/far.txt") &&
                !tree.exists("t/X.TXT") && outside.exists("keep.txt"));
    // Folders that would list their neighbours ("x*.*" reaches "xxy" as "x" + "xy"), or do not
    // fit, are refused untouched.
    tree.add({"x/keep.txt", "xy", "xxy"});
    for (const std::string& refused : {root + "x", root.substr(0, root.size() - 1), std::string(), root + std::string(512, 'a') + "\\"})
        EXPECT_TRUE(!deleteFolderRecursive(refused.c_str()) && tree.exists("x/keep.txt") && tree.exists("xxy")) << refused;
#ifndef _WIN32 // 508 characters leave room for the "*.*" search pattern, 509 do not (wine's ANSI calls stop at 260)
    std::string atLimit = root + std::string((508 - root.size()) % 2, '/');
    while (atLimit.size() < 508)
        atLimit += "./";
    EXPECT_EQ(tuple(countFilesWithExtension(atLimit.c_str(), "txt", false), countFilesWithExtension((atLimit + "/").c_str(), "txt", false)),
              tuple(1, 0));
#endif
}

#ifndef _WIN32
// A listed folder swapped for a link to an outside folder while the deletion runs.
TEST_F(FolderUtilities, AFolderSwappedForALinkDuringDeletionIsNeverEntered)
{
    for (int i = 0; i < 50; ++i)
        outside.add({"o" + std::to_string(i)});
    int rounds = 0, swapped = 0;
    for (; rounds < 200; ++rounds) {
        TempTree target, moved;
        for (int i = 0; i < 40; ++i)
            target.add({"f" + std::to_string(i)});
        target.add({"m/a", "m/b/c"});
        std::error_code renamed, ignored;
        std::thread swapper([&, start = std::chrono::steady_clock::now() + std::chrono::microseconds(rounds % 20 * 10)] {
            std::this_thread::sleep_until(start);
            testsupport::fs::rename(target.native("m"), moved.native("m"), renamed);
            testsupport::fs::create_directory_symlink(outside.root, target.native("m"), ignored);
        });
        deleteFolderRecursive(target.windowsPath().c_str());
        swapper.join();
        swapped += !renamed;
    }
    const auto left = std::distance(testsupport::fs::directory_iterator(outside.root), {});
    std::printf("%d rounds, %d swapped before the deletion removed the folder, %d of 50 outside files left\n", rounds, swapped, int(left));
    EXPECT_TRUE(left == 50 && swapped > 0);
}
#endif

TEST_F(FolderUtilities, CreatesOneLevelFindsUnusedNamesAndHandsTheShellOnlyFoldersAndWholeAddresses)
{
    static std::vector<std::string> launched;
    const auto previous = platform::setShellExecuteSink([](SHELLEXECUTEINFOA* info) {
        launched.push_back(std::to_string(info->cbSize) + (info->lpVerb ? info->lpVerb : "") + "|" + info->lpFile +
                           "|" + (info->lpParameters ? info->lpParameters : "") + "|" + std::to_string(info->nShow));
        return BOOL(1);});
    std::string text = root + "new";
    text.resize(512);
    const bool created = createFolder(text.data()), again = createFolder(text.data()); // the second finds it there
    EXPECT_EQ(tuple(created, again, std::string(text.c_str())), tuple(true, false, tree.windowsPath("new/")));
    tree.add({"file"}), tree.addUnix("linked", outside.root);
    for (const auto& [path, expected] : {std::pair{tree.windowsPath("new"), true}, {tree.windowsPath("linked"), true},
                                         {tree.windowsPath("missing"), false}, {tree.windowsPath("file"), false}, {"file:///etc/passwd", false}})
        EXPECT_EQ(tuple(folderExists(path.c_str()), openFolderInExplorer(path.c_str())), tuple(expected, BOOL(expected))) << path;
    const std::string fits(247, 'a'); // with "https://", 255 characters and the end
    EXPECT_EQ(std::vector<BOOL>({openWebAddress("example.com/a b"), openWebAddress(fits.c_str()), openWebAddress((fits + "a").c_str())}),
              std::vector<BOOL>({1, 1, 0}));
    platform::setShellExecuteSink(previous);
    EXPECT_EQ(launched, (std::vector<std::string>{"112open|C:\\Windows\\explorer.exe|" + tree.windowsPath("new") + "|5",
                                                  "112open|C:\\Windows\\explorer.exe|" + tree.windowsPath("linked") + "|5",
                                                  "112|https://example.com/a b||1", "112|https://" + fits + "||1"}));

    const auto unique = [&](const std::string& name) {
        return std::string(makeUniqueName(root.substr(0, root.size() - 1).c_str(), name.c_str(), text.data()) ? text.c_str() : "false");
    };
    EXPECT_EQ(unique("Set"), tree.windowsPath("Set/"));
    tree.add({"Set/", "Set (1)"}); // a file does not take a name
    EXPECT_EQ(unique("Set"), tree.windowsPath("Set (1)/"));
    testsupport::fs::remove(tree.native("Set (1)"));
    for (int n = 1; n <= 31; ++n)
        tree.add({"Set (" + std::to_string(n) + ")/"});
    EXPECT_EQ(unique("Set"), tree.windowsPath("Set (32)/"));
    tree.add({"Set (32)/", std::string(124, 'n') + "/"});
    EXPECT_EQ(unique("Set"), "false");
    // "(1)" would not fit after the 124 characters; the others would lie outside the folder.
    for (const std::string& refused : std::initializer_list<std::string>{std::string(124, 'n'), "../escape", "..\\escape", ". .", "a/b"})
        EXPECT_TRUE(unique(refused) == "false" && text[0] == '\0') << refused;
}

} // namespace
