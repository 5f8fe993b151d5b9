// Scanning a tree of 10,000 files in 500 folders into a FileList, and looking names up in it.

#include "support/FileList.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// 20 groups of 24 folders each: 500 folders holding 20 files apiece. Made once, removed at exit.
struct SampleTree {
    static constexpr int kGroups = 20, kFoldersPerGroup = 24, kFilesPerFolder = 20;
    const fs::path root = fs::temp_directory_path() / ("zarn-bench-tree-" + std::to_string(::getpid()));

    SampleTree()
    {
        for (int group = 0; group < kGroups; ++group) {
            const fs::path groupFolder = root / ("Group " + std::to_string(group));
            for (int folder = 0; folder <= kFoldersPerGroup; ++folder) {
                const fs::path place = folder == 0 ? groupFolder : groupFolder / ("Kit " + std::to_string(folder));
                fs::create_directories(place);
                for (int file = 0; file < kFilesPerFolder; ++file)
                    std::ofstream(place / ("Kick " + std::to_string(group) + "-" + std::to_string(folder) + "-" +
                                           std::to_string(file) + ".wav"));
            }
        }
    }
    ~SampleTree() { fs::remove_all(root); }
    std::string path() const { return root.string() + "/"; }
};

const SampleTree& sampleTree()
{
    static const SampleTree tree;
    return tree;
}

const ScanOptions kOptions{1, 1, 0, 0, 0, 1, 1, 0, 0, 120};

void BM_FileListScan(benchmark::State& state)
{
    const std::string root = sampleTree().path();
    for (auto _ : state) {
        FileList list;
        benchmark::DoNotOptimize(list.scan(root.c_str(), "wav", kOptions));
        if (list.recordCount() != 10000 || list.folders().count() != 500)
            state.SkipWithError("the tree was not scanned whole");
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_FileListScan)->Unit(benchmark::kMillisecond);

void BM_FileListFindByName(benchmark::State& state)
{
    FileList list;
    list.scan(sampleTree().path().c_str(), "wav", kOptions);
    int n = 0;
    for (auto _ : state) {
        const std::string title = "Group " + std::to_string(n % 20) + "\\Kit " + std::to_string(n % 24 + 1) +
                                  "\\kick " + std::to_string(n % 20) + "-" + std::to_string(n % 24 + 1) + "-" +
                                  std::to_string(n % 20);
        if (!list.findFile(title.c_str()))
            state.SkipWithError("a name was not found");
        ++n;
    }
}
BENCHMARK(BM_FileListFindByName)->Unit(benchmark::kMicrosecond);

} // namespace
