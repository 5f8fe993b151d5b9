#include "support/PathUtilities.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// A caller's buffer of kPathSize bytes followed by guard bytes that must stay untouched.
struct Buffer {
    std::vector<char> bytes = std::vector<char>(kPathSize + 16, '#');
    explicit Buffer(const std::string& text = "") { text.copy(bytes.data(), kPathSize); bytes[std::min(text.size(), kPathSize - 1)] = '\0'; }
    char* data() { return bytes.data(); }
    std::string text() const
    {
        EXPECT_EQ(std::string(bytes.begin() + kPathSize, bytes.end()), std::string(16, '#'));
        return bytes.data();
    }
};

const std::string k511(511, 'a');

TEST(PathUtilities, TextOperationsAndTheirBufferLimits)
{
    using Operation = std::function<void(char* output, const char* path)>;
    const Operation title = [](char* o, const char* p) { getFileTitle(o, p, "---"); };
    const Operation name = [](char* o, const char* p) { getFileName(o, p, "---"); };
    const Operation directory = [](char* o, const char* p) { getDirectoryPart(o, p, false); };
    const Operation directoryKept = [](char* o, const char* p) { getDirectoryPart(o, p, true); };
    const Operation ensure = [](char* o, const char*) { ensureTrailingBackslash(o); };
    const Operation normalize = [](char* o, const char*) { normalizeFolderPath(o); };
    struct Case {
        Operation operation;
        std::string path;
        std::string expected;
    };
    for (const auto& [operation, path, expected] : std::vector<Case>{
             {title, "C:/dir/name.ext", "name"},
             {title, "", "---"},
             {title, "C:\\dir\\", ""},
             {title, "a.b\\file", "file"},
             {name, "C:/dir/name.ext", "name.ext"},
             {name, "name", "name"},
             {name, k511, k511},
             {name, k511 + "a", ""},
             {directory, "C:\\a\\b.txt", "C:\\a"},
             {directoryKept, "C:/a/b.txt", "C:\\a\\"},
             {directory, "b.txt", "b.txt"},
             {getParentFolderName, "C:\\a\\b\\f.txt", "b"},
             {getParentFolderName, "b/f.txt", "b"},
             {getParentFolderName, "\\f.txt", ""},
             {getParentFolderName, "f.txt", "f.txt"},
             {getParentFolderName, k511 + "\\b", ""},
             {stripExtension, "C:/a.b/file", "C:\\a"},
             {stripExtension, "x.tar.gz", "x.tar"},
             {ensure, "a/", "a/\\"},
             {ensure, "", "\\"},
             {ensure, "a\\", "a\\"},
             {ensure, std::string(510, 'a'), std::string(510, 'a') + "\\"},
             {ensure, k511, k511},
             {normalize, "a/b/", "a\\b\\\\"},
             {normalize, "a/b", "a\\b\\"},
         }) {
        Buffer output(path);
        operation(output.data(), path.c_str());
        EXPECT_EQ(output.text(), expected) << path;
    }
    for (const auto& [extension, path, expected] : {std::tuple{"png", "a\\b.PNG", true}, {"png", "a.b\\file", false},
                                                    {"png", "a.png.", false}, {"png", "png", false}})
        EXPECT_EQ(hasExtension(extension, path), expected) << path;
}

} // namespace
