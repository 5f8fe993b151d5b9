#include "tools/host/WavWriter.h"

#include <cstdint>
#include <cstring>
#include <fstream>

namespace host {
namespace {

void put32(std::ofstream& file, uint32_t value) {
    const char bytes[4] = {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
                           static_cast<char>(value >> 24)};
    file.write(bytes, 4);
}

void put16(std::ofstream& file, uint16_t value) {
    const char bytes[2] = {static_cast<char>(value), static_cast<char>(value >> 8)};
    file.write(bytes, 2);
}

} // namespace

bool writeWav(const std::string& path, const StereoBuffer& buffer, int sampleRate) {
    std::ofstream file(path, std::ios::binary);
    if (!file)
        return false;
    constexpr uint16_t kChannels = 2;
    constexpr uint16_t kBytesPerSample = 4;
    constexpr uint16_t kIeeeFloat = 3;
    const std::size_t frames = std::min(buffer.left.size(), buffer.right.size());
    const auto dataBytes = static_cast<uint32_t>(frames * kChannels * kBytesPerSample);

    file.write("RIFF", 4);
    put32(file, 4 + (8 + 16) + (8 + 4) + (8 + dataBytes));
    file.write("WAVE", 4);
    file.write("fmt ", 4);
    put32(file, 16);
    put16(file, kIeeeFloat);
    put16(file, kChannels);
    put32(file, static_cast<uint32_t>(sampleRate));
    put32(file, static_cast<uint32_t>(sampleRate) * kChannels * kBytesPerSample);
    put16(file, kChannels * kBytesPerSample);
    put16(file, 8 * kBytesPerSample);
    file.write("fact", 4); // required beside non-PCM formats
    put32(file, 4);
    put32(file, static_cast<uint32_t>(frames));
    file.write("data", 4);
    put32(file, dataBytes);
    for (std::size_t i = 0; i < frames; ++i) {
        for (float sample : {buffer.left[i], buffer.right[i]}) {
            uint32_t bits;
            std::memcpy(&bits, &sample, sizeof bits);
            put32(file, bits);
        }
    }
    return static_cast<bool>(file);
}

} // namespace host
