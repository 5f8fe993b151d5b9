// zarn-render: plays one note per program through a VST 2.4 instrument and writes WAV files.

#include "tools/host/PluginLibrary.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/Render.h"
#include "tools/host/WavWriter.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

#if defined(_WIN32)
constexpr const char* kPluginFile = "ZarnPro.dll";
#else
constexpr const char* kPluginFile = "ZarnPro.so";
#endif

struct Options {
    std::string plugin;
    std::string outDir = "out";
    int firstProgram = 0;
    int lastProgram = 8;
    int note = 36;
    int velocity = 100;
    double seconds = 2.0;
    double gateSeconds = 0.25;
    int sampleRate = 44100;
    int blockSize = 512;
};

void usage() {
    std::fprintf(stderr,
                 "usage: zarn-render [--plugin PATH] [--out DIR] [--programs FIRST-LAST] [--note N]\n"
                 "                   [--velocity V] [--seconds S] [--gate S] [--rate HZ] [--block FRAMES]\n"
                 "Renders one note per program to DIR/program-NN-NAME.wav (32-bit float stereo).\n");
}

// A whole decimal number and nothing else: "abc", "1x" and "" are refused.
bool parseInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

bool parseDouble(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end == text.c_str() + text.size();
}

// FIRST-LAST or a single program; a backwards range is refused.
bool parseProgramRange(const std::string& text, Options& options) {
    const auto dash = text.find('-');
    if (!parseInt(text.substr(0, dash), options.firstProgram))
        return false;
    if (dash == std::string::npos)
        options.lastProgram = options.firstProgram;
    else if (!parseInt(text.substr(dash + 1), options.lastProgram))
        return false;
    return options.firstProgram >= 0 && options.lastProgram >= options.firstProgram;
}

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return false;
        const std::string value = argv[++i];
        bool ok = true;
        if (arg == "--plugin")
            options.plugin = value;
        else if (arg == "--out")
            options.outDir = value;
        else if (arg == "--programs") {
            ok = parseProgramRange(value, options);
            if (!ok)
                std::fprintf(stderr, "zarn-render: --programs wants FIRST-LAST or one program number, "
                                     "not \"%s\"\n", value.c_str());
        } else if (arg == "--note")
            ok = parseInt(value, options.note);
        else if (arg == "--velocity")
            ok = parseInt(value, options.velocity);
        else if (arg == "--seconds")
            ok = parseDouble(value, options.seconds);
        else if (arg == "--gate")
            ok = parseDouble(value, options.gateSeconds);
        else if (arg == "--rate")
            ok = parseInt(value, options.sampleRate);
        else if (arg == "--block")
            ok = parseInt(value, options.blockSize);
        else
            ok = false;
        if (!ok)
            return false;
    }
    return options.note >= 0 && options.note < 128 && options.velocity > 0 && options.velocity < 128 &&
           options.seconds > 0.0 && options.seconds <= 3600.0 && options.gateSeconds >= 0.0 &&
           options.sampleRate > 0 && options.blockSize > 0;
}

std::string fileSafe(const std::string& name) {
    std::string safe;
    for (char c : name)
        safe += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return safe.empty() ? "unnamed" : safe;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        usage();
        return 2;
    }
    if (options.plugin.empty())
        options.plugin = (std::filesystem::path(argv[0]).parent_path() / kPluginFile).string();

    std::string error;
    auto library = host::PluginLibrary::load(options.plugin, error);
    if (!library) {
        std::fprintf(stderr, "zarn-render: %s\n", error.c_str());
        return 1;
    }
    std::filesystem::create_directories(options.outDir);

    const auto totalFrames = static_cast<int64_t>(options.seconds * options.sampleRate);
    const auto gateFrames = static_cast<int64_t>(options.gateSeconds * options.sampleRate);
    const auto note = static_cast<uint8_t>(options.note);
    const std::vector<host::TimedMidi> score = {
        {0, {0x90, note, static_cast<uint8_t>(options.velocity)}},
        {gateFrames, {0x80, note, 0}},
    };

    for (int program = options.firstProgram; program <= options.lastProgram; ++program) {
        host::Host host;
        auto instance = host::PluginInstance::create(library->entry(), host);
        if (!instance) {
            std::fprintf(stderr, "zarn-render: the plug-in refused to create an instance\n");
            return 1;
        }
        const int programCount = instance->effect()->numPrograms;
        if (options.lastProgram >= programCount) {
            std::fprintf(stderr, "zarn-render: the plug-in has %d programs (0 to %d); cannot render %d-%d\n",
                         programCount, programCount - 1, options.firstProgram, options.lastProgram);
            return 2;
        }
        instance->start(static_cast<float>(options.sampleRate), options.blockSize);
        instance->dispatch(effSetProgram, 0, program);
        const std::string name = instance->getString(effGetProgramName);
        const host::StereoBuffer buffer = host::render(*instance, score, totalFrames, options.blockSize);
        instance->close();

        char fileName[160];
        std::snprintf(fileName, sizeof fileName, "program-%02d-%s.wav", program, fileSafe(name).c_str());
        const std::string path = (std::filesystem::path(options.outDir) / fileName).string();
        if (!host::writeWav(path, buffer, options.sampleRate)) {
            std::fprintf(stderr, "zarn-render: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s  peak %.3f\n", path.c_str(), static_cast<double>(host::peakOf(buffer)));
    }
    return 0;
}
