#include "support/FileList.h"

#include "TempTree.h"

#include <gtest/gtest.h>

#include <numeric>
#include <set>

namespace {

using testsupport::TempTree;

class FileListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        outside.add({"far.wav"});
        tree.add({"Kick.WAV", "kick.wav.bak", "a.wav.wav", "snare.wav", "Kicks/k1.wav", "Kicks/deep/d.wav",
                  "Kicks/deep/deeper/e.wav", "empty/sub/s.wav", "other/kicks/o.wav", "x.aiff"});
        tree.addUnix("link", outside.root), tree.addUnix("cycle", tree.root);
    }
    // Folders as "+display<parent display:count", then files as "name<folder display", each sorted,
    // so that the order in which the system lists entries does not matter.
    std::string summary()
    {
        const auto displayOf = [&](uint32_t id) { return std::string("<").append(id ? list.folders().folderAt(int32_t(id - 1))->displayName : ""); };
        std::set<std::string> lines;
        for (const FolderRecordPtr& folder : list.folders().records())
            lines.insert(std::string("+") + folder->displayName + displayOf(folder->parentId) + ":" + std::to_string(folder->fileCount));
        for (ListIterator at; const FileRecord* file = list.next(&at);)
            lines.insert(file->name + displayOf(file->folderId));
        return std::accumulate(lines.begin(), lines.end(), std::string(), [](const std::string& a, const std::string& b) { return a + b + " "; });
    }
    TempTree tree, outside;
    FileList list;
};

TEST_F(FileListTest, ScanOptionsShapeTheListsAndLookupsFindTheirRecords)
{
    const auto options = [](uint32_t depthLimit, int flags, uint32_t nameLength = 100) {
        // flags: 1 merge, 2 nest, 4 prefix, 8 collapse, 16 drop, 32 reuse
        return ScanOptions{1, 1, depthLimit, uint8_t(flags >> 5 & 1), uint8_t(flags & 1), uint8_t(flags >> 1 & 1),
                           uint8_t(flags >> 2 & 1), uint8_t(flags >> 3 & 1), uint8_t(flags >> 4 & 1), nameLength};
    };
    for (const auto& [scanOptions, extension, topLevel, expected] : std::vector<std::tuple<ScanOptions, const char*, int32_t, std::string>>{
             {options(1, 0), "wav", 2, "+Kicks<:1 +empty<:0 +other<:0 Kick.WAV< k1.wav<Kicks snare.wav< "},
             {options(1, 1), "wav", 2, "+Kicks<:3 +empty<:1 +other<:0 Kick.WAV< d.wav<Kicks e.wav<Kicks k1.wav<Kicks s.wav<empty snare.wav< "},
             {options(17, 2 | 4 | 8), "wav", 2,
              "+Kicks<:1 +Kicks\\deep<Kicks:1 +Kicks\\deep\\deeper<Kicks\\deep:1 +empty\\sub<:1 +other\\kicks<:1 "
              "Kick.WAV< Kicks\\deep\\d.wav<Kicks\\deep Kicks\\deep\\deeper\\e.wav<Kicks\\deep\\deeper "
              "Kicks\\k1.wav<Kicks empty\\sub\\s.wav<empty\\sub other\\kicks\\o.wav<other\\kicks snare.wav< "},
             {options(2, 8 | 16), "wav", 2, "+Kicks<:1 +deep<Kicks:1 Kick.WAV< d.wav<deep k1.wav<Kicks snare.wav< "},
             {options(0, 32), "WAV", 2, "+Kicks<:2 +deep<Kicks:1 +deeper<deep:1 +empty<:0 +other<:0 +sub<empty:1 Kick.WAV< "
              "d.wav<deep e.wav<deeper k1.wav<Kicks o.wav<Kicks s.wav<sub snare.wav< "},
             {options(1, 0, 2), "aiff2", 1, "+Kicks<:0 +empty<:0 +other<:0 x.aiff< "},
             {options(1, 0, 1), "wav", 2, "+Kicks<:1 +empty<:0 +other<:0 Kick.< k1.wa<Kicks snare< "},
             {options(2, 0), "wav", 2,
              "+Kicks<:1 +deep<Kicks:1 +empty<:0 +other<:0 +sub<empty:1 Kick.WAV< d.wav<deep k1.wav<Kicks s.wav<sub snare.wav< "}}) {
        EXPECT_EQ(list.scan(tree.windowsPath().c_str(), extension, scanOptions), topLevel);
        EXPECT_EQ(summary(), expected) << extension << " " << scanOptions.depthLimit;
    }
    // Lookups in the last list; the total counts the top levels of every scan.
    EXPECT_FALSE(list.fileAt(-1) || list.fileAt(5) || list.findFile("Kicks") || list.findFileByPath("k1.wav"));
    EXPECT_EQ(list.findFile("SNARE")->name + std::string(list.findFile("kick.wav")->name), "snare.wavKick.WAV");
    EXPECT_EQ(list.findFileByPath(tree.windowsPath("Kicks/k1.wav").c_str()), list.findFile("k1"));
    const int32_t kicks = int32_t(list.folders().findFolder("KICKS")->id);
    EXPECT_EQ(std::tuple(list.countFilesNamed("KICK"), list.entryCount(true), list.filesInFolder(kicks)), std::tuple(1u, 15u + 5, 1u));
    EXPECT_EQ(list.folders().findFolder("other")->titleName + std::string(list.fileAt(0)->title), "Otherd"); // sorted by title

    FileList view, top;
    view.rebuildFrom(list, kicks), top.rebuildFrom(list, 0);
    // The total stays, though only one record was kept; folder 0 keeps the two top-level files.
    EXPECT_TRUE(view.recordCount() == 1 && top.recordCount() == 2 && view.filesInFolder(0) == 15 && view.fileAt(0) == list.findFile("k1") &&
                view.folders().findFolderByPath(tree.windowsPath("kicks/deep/").c_str())->name == std::string("deep"));

    FolderList folders;
    EXPECT_FALSE(folders.folderAt(0));
    folders.findFolder("x") = std::make_shared<FolderRecord>(); // a caller may park a record there...
    EXPECT_TRUE(folders.folderAt(-1));
    folders.rebuildFrom(list.folders());
    EXPECT_FALSE(folders.findFolder("none") || folders.folderAt(-1) || folders.folderAt(5)); // ...which a failed search drops
}

// Depths 16 and 17, names of 127 and 128 characters, and titles with dots that sort otherwise than
// their names ("a-b.wav" before "a.wav", "a" before "a-b").
TEST_F(FileListTest, DeepestLevelLongestNameAndSortingByTitle)
{
    std::string deep;
    for (int level = 0; level < 17; ++level)
        deep.append("d").append(std::to_string(level)).append("/");
    outside.add({deep + "z.wav", deep + "d17/", "a.wav", "a-b.wav", "b.c.wav", std::string(123, 'n') + ".wav", std::string(124, 'm') + ".wav"});
    for (const auto& [depthLimit, records] : {std::pair{16u, 16u}, {17u, 17u}, {0u, 17u}}) {
        list.scan(outside.windowsPath().c_str(), "wav", ScanOptions{1, 1, depthLimit, 0, 0, 0, 0, 0, 0, 127});
        EXPECT_EQ(list.folders().count(), records) << depthLimit;
    }
    std::string titles;
    for (ListIterator at; const FileRecord* file = list.next(&at);)
        titles += file->title + std::string(" ");
    EXPECT_EQ(titles, std::string("a a-b b.c far ").append(123, 'n').append(" z "));
#ifndef _WIN32 // Names below 128 characters in paths beyond 511 (Windows' ANSI calls stop at 260) are skipped, not cut.
    const std::string far = std::string(120, 'a') + "/" + std::string(120, 'b') + "/" + std::string(127, 'c') + "/";
    outside.add({far + std::string(120, 'f') + ".wav", far + "fits.wav"});
    list.scan(outside.windowsPath().c_str(), "wav", ScanOptions{1, 1, 0, 0, 0, 0, 0, 0, 0, 127});
    EXPECT_TRUE(list.findFile("fits") && !list.findFile(std::string(120, 'f').c_str()));
#endif
}

} // namespace
