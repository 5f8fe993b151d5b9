#include "WavReader.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

uint32_t get32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

uint16_t get16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

} // namespace

bool readWav(const std::string& path, WavData& data, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        error = "not a RIFF WAVE file";
        return false;
    }
    uint16_t format = 0;
    uint16_t channelCount = 0;
    uint16_t bits = 0;
    std::size_t pos = 12;
    while (pos + 8 <= bytes.size()) {
        const unsigned char* chunk = bytes.data() + pos;
        const std::size_t size = get32(chunk + 4);
        const std::size_t body = pos + 8;
        if (size > bytes.size() - body) {
            error = "truncated chunk";
            return false;
        }
        if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16) {
            format = get16(chunk + 8);
            channelCount = get16(chunk + 10);
            data.sampleRate = static_cast<int>(get32(chunk + 12));
            bits = get16(chunk + 22);
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            const bool isFloat = format == 3 && bits == 32;
            const bool isPcm16 = format == 1 && bits == 16;
            if (channelCount == 0 || (!isFloat && !isPcm16)) {
                error = "only 32-bit float and 16-bit PCM data are read";
                return false;
            }
            const std::size_t frameBytes = static_cast<std::size_t>(channelCount) * (bits / 8);
            const std::size_t frames = size / frameBytes;
            data.channels.assign(channelCount, std::vector<float>(frames));
            for (std::size_t i = 0; i < frames; ++i) {
                for (uint16_t c = 0; c < channelCount; ++c) {
                    const unsigned char* sample = bytes.data() + body + i * frameBytes + c * (bits / 8);
                    if (isFloat) {
                        const uint32_t word = get32(sample);
                        std::memcpy(&data.channels[c][i], &word, sizeof word);
                    } else {
                        data.channels[c][i] = static_cast<float>(static_cast<int16_t>(get16(sample))) / 32768.0f;
                    }
                }
            }
            return true;
        }
        pos = body + size + (size & 1);
    }
    error = "no data chunk";
    return false;
}
