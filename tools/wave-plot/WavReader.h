#pragma once

#include <string>
#include <vector>

// A WAV file's samples as floats, one vector per channel (32-bit float or 16-bit PCM data).
struct WavData {
    int sampleRate = 0;
    std::vector<std::vector<float>> channels;
};

// Reads path; false with a reason in error when the file is not a WAV file this reader knows.
bool readWav(const std::string& path, WavData& data, std::string& error);
