// Arbitrary path text into every path utility: no output buffer is written past its kPathSize
// bytes, no path is read past its end, and the file-system functions stay inside a sandbox folder.

#include "platform/Shell.h"
#include "support/PathUtilities.h"
#include "support/ResourceBitmap.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

// A heap buffer of exactly kPathSize bytes, so that the address sanitizer sees any write past it.
using PathBuffer = std::unique_ptr<char[]>;

PathBuffer bufferHolding(const std::string& text)
{
    PathBuffer buffer(new char[kPathSize]);
    std::memset(buffer.get(), 'x', kPathSize); // unterminated when the text does not fit
    std::memcpy(buffer.get(), text.c_str(), std::min(text.size() + 1, kPathSize));
    return buffer;
}

// The text below the sandbox, with every ".." broken, so that nothing names a place outside it.
std::string inSandbox(const std::string& sandbox, std::string text)
{
    for (size_t dots; (dots = text.find("..")) != std::string::npos;)
        text[dots] = '_';
    return sandbox + text;
}

// A folder of its own for the run, removed at exit.
struct Sandbox {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("zarn-path-fuzz-" + std::to_string(::getpid()))).string() + "/";
    ~Sandbox() { std::filesystem::remove_all(path); }
};

BOOL openNothing(SHELLEXECUTEINFOA* info) { return info && info->lpFile; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const Sandbox folder;
    const std::string& sandbox = folder.path;
    static const auto previous = platform::setShellExecuteSink(openNothing);
    (void)previous;
    std::filesystem::create_directories(sandbox);

    FuzzedDataProvider input(data, size);
    // Long runs of one character put the text near the buffer sizes (128, 256, 512) often.
    const size_t padding = std::array<size_t, 4>{0, 110, 240, 490}[input.ConsumeIntegralInRange(0, 3)] +
                           input.ConsumeIntegralInRange<size_t>(0, 30);
    const std::string path = std::string(padding, input.ConsumeIntegral<char>()) + input.ConsumeRandomLengthString(700);
    const std::string other = input.ConsumeRandomLengthString(600);
    const bool flag = input.ConsumeBool();
    const PathBuffer output = bufferHolding("");

    hasExtension(other.c_str(), path.c_str());
    getFileTitle(output.get(), path.c_str(), other.c_str());
    getFileName(output.get(), path.c_str(), other.c_str());
    getDirectoryPart(output.get(), path.c_str(), flag);
    getParentFolderName(output.get(), path.c_str());
    stripExtension(output.get(), path.c_str());
    toBackslashes(bufferHolding(path).get());
    ensureTrailingBackslash(bufferHolding(path).get());
    normalizeFolderPath(bufferHolding(path).get());
    openWebAddress(path.c_str());
    openFolderInExplorer(path.c_str());
    makeUniqueName(path.c_str(), other.c_str(), output.get());
    folderExists(path.c_str());

    ResourceRef ref{int32_t(size), true, {}};
    std::memcpy(ref.name, path.data(), std::min(path.size(), sizeof ref.name)); // maybe unterminated
    char message[kResourceErrorSize];
    formatResourceError(ref, message);

    const std::string inside = inSandbox(sandbox, path);
    countFilesWithExtension(inside.c_str(), other.c_str(), flag);
    createFolder(bufferHolding(inside).get());
    makeUniqueName(sandbox.c_str(), inSandbox("", other).c_str(), output.get());
    if (input.ConsumeBool())
        deleteFolderRecursive(inside.c_str());
    return 0;
}
