#include "ExpectedPictures.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;
};

DecodedPicture decodeFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)),
                                           std::istreambuf_iterator<char>());
    DecodedPicture picture;
    int channels = 0;
    unsigned char* pixels = stbi_load_from_memory(bytes.data(), int(bytes.size()), &picture.width,
                                                  &picture.height, &channels, 4);
    if (pixels) {
        picture.rgba.assign(pixels, pixels + size_t(picture.width) * picture.height * 4);
        stbi_image_free(pixels);
    }
    return picture;
}

} // namespace

// The committed pictures are the generator's output, pixel for pixel, at the editor's sizes; a
// changed drawing must be committed together with its pictures.
TEST(Artwork, CommittedPicturesAreTheGeneratorsOutputAtTheEditorsSizes)
{
    const std::filesystem::path output =
        std::filesystem::temp_directory_path() / ("zarn-artwork-" + std::to_string(getpid()));
    std::filesystem::create_directories(output);
    const std::string command =
        std::string(ZARN_ARTWORK_GEN) + " '" + output.string() + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    for (const ExpectedPicture& expected : kExpectedPictures) {
        SCOPED_TRACE(expected.fileName);
        const DecodedPicture committed =
            decodeFile(std::filesystem::path(ZARN_RESOURCES_DIR) / expected.fileName);
        const DecodedPicture generated = decodeFile(output / expected.fileName);
        EXPECT_EQ(committed.width, expected.width);
        EXPECT_EQ(committed.height, expected.height);
        EXPECT_FALSE(committed.rgba.empty());
        EXPECT_EQ(generated.width, committed.width);
        EXPECT_EQ(generated.height, committed.height);
        EXPECT_TRUE(generated.rgba == committed.rgba);
    }
    std::filesystem::remove_all(output);
}
