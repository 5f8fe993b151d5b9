// zarn-render: plays one note per program through a VST 2.4 instrument and writes WAV files.

#include "tools/host/PluginLibrary.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/Render.h"
#include "tools/host/WavWriter.h"

#include <cctype>
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

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return false;
        const std::string value = argv[++i];
        if (arg == "--plugin")
            options.plugin = value;
        else if (arg == "--out")
            options.outDir = value;
        else if (arg == "--programs") {
            const auto dash = value.find('-');
            options.firstProgram = std::atoi(value.substr(0, dash).c_str());
            options.lastProgram = dash == std::string::npos ? options.firstProgram : std::atoi(value.c_str() + dash + 1);
        } else if (arg == "--note")
            options.note = std::atoi(value.c_str());
        else if (arg == "--velocity")
            options.velocity = std::atoi(value.c_str());
        else if (arg == "--seconds")
            options.seconds = std::atof(value.c_str());
        else if (arg == "--gate")
            options.gateSeconds = std::atof(value.c_str());
        else if (arg == "--rate")
            options.sampleRate = std::atoi(value.c_str());
        else if (arg == "--block")
            options.blockSize = std::atoi(value.c_str());
        else
            return false;
    }
    return options.firstProgram >= 0 && options.lastProgram >= options.firstProgram && options.note >= 0 &&
           options.note < 128 && options.velocity > 0 && options.velocity < 128 && options.seconds > 0.0 &&
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
        if (program >= instance->effect()->numPrograms)
            break;
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
