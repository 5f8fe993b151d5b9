#include "tools/host/PluginInstance.h"
#include "tools/host/PluginLibrary.h"
#include "tools/host/Render.h"
#include "tools/host/WavWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

uint32_t read32(const std::vector<char>& bytes, std::size_t at) {
    uint32_t value;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

TEST(WavWriter, WritesStereoFloatWithAFactChunk) {
    host::StereoBuffer buffer;
    buffer.left = {0.5f, -1.0f, 0.25f};
    buffer.right = {0.0f, 1.0f, -0.75f};
    const std::string path = (std::filesystem::temp_directory_path() / "zarn-wav-writer-test.wav").string();
    ASSERT_TRUE(host::writeWav(path, buffer, 48000));

    std::vector<char> bytes;
    {
        std::ifstream file(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    ASSERT_EQ(bytes.size(), 44u + 12u + 24u);
    EXPECT_EQ(std::string(bytes.data(), 4), "RIFF");
    EXPECT_EQ(read32(bytes, 4), bytes.size() - 8);
    EXPECT_EQ(std::string(bytes.data() + 8, 8), "WAVEfmt ");
    EXPECT_EQ(read32(bytes, 20) & 0xFFFF, 3u);   // IEEE float
    EXPECT_EQ(read32(bytes, 20) >> 16, 2u);      // channels
    EXPECT_EQ(read32(bytes, 24), 48000u);
    EXPECT_EQ(std::string(bytes.data() + 36, 4), "fact");
    EXPECT_EQ(read32(bytes, 44), 3u);
    EXPECT_EQ(std::string(bytes.data() + 48, 4), "data");
    EXPECT_EQ(read32(bytes, 52), 24u);
    float samples[6];
    std::memcpy(samples, bytes.data() + 56, sizeof samples);
    EXPECT_EQ(samples[0], 0.5f);
    EXPECT_EQ(samples[1], 0.0f);
    EXPECT_EQ(samples[5], -0.75f);
    std::filesystem::remove(path);

    EXPECT_FALSE(host::writeWav("/nonexistent-folder/x.wav", buffer, 48000));
}

TEST(PluginLibrary, ReportsWhatCannotBeLoaded) {
    std::string error;
    EXPECT_EQ(host::PluginLibrary::load("no-such-plugin-file", error), nullptr);
    EXPECT_FALSE(error.empty());
}


} // namespace
