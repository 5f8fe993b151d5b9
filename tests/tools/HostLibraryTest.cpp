#include "tools/host/PluginLibrary.h"
#include "tools/host/WavWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

TEST(WavWriter, WritesStereoFloatWithAFactChunk) {
    const host::StereoBuffer buffer{{0.5f, -1.0f, 0.25f}, {0.0f, 1.0f, -0.75f}};
    const std::string path = (std::filesystem::temp_directory_path() / "zarn-wav-writer-test.wav").string();
    ASSERT_TRUE(host::writeWav(path, buffer, 48000));
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    file.close(); // Windows removes no open file
    std::filesystem::remove(path);
    ASSERT_EQ(bytes.size(), 44u + 12u + 24u);
    const auto word = [&](std::size_t at) {
        uint32_t value;
        std::memcpy(&value, bytes.data() + at, 4);
        return value;
    };
    EXPECT_EQ(bytes.substr(0, 4) + bytes.substr(8, 8) + bytes.substr(36, 4) + bytes.substr(48, 4), "RIFFWAVEfmt factdata");
    EXPECT_EQ(word(4), bytes.size() - 8);
    EXPECT_EQ(word(20), 3u | 2u << 16); // IEEE float, two channels
    EXPECT_EQ(word(24), 48000u);
    EXPECT_EQ(word(44), 3u);  // frames
    EXPECT_EQ(word(52), 24u); // data bytes
    float samples[6];
    std::memcpy(samples, bytes.data() + 56, sizeof samples);
    const float interleaved[6] = {0.5f, 0.0f, -1.0f, 1.0f, 0.25f, -0.75f};
    EXPECT_EQ(std::memcmp(samples, interleaved, sizeof samples), 0);

    EXPECT_FALSE(host::writeWav("/nonexistent-folder/x.wav", buffer, 48000));
}

TEST(PluginLibrary, ReportsWhatCannotBeLoaded) {
    std::string error;
    EXPECT_EQ(host::PluginLibrary::load("no-such-plugin-file", error), nullptr);
    EXPECT_FALSE(error.empty());
}

} // namespace
