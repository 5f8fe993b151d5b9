#include "ExpectedPictures.h"

#include "resources/EmbeddedPictures.h"
#include "vstgui/CBitmap.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace VSTGUI;

namespace {

std::vector<uint8_t> fileBytes(const char* fileName)
{
    std::ifstream file(std::string(ZARN_RESOURCES_DIR) + "/" + fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace

// The editor loads every picture by number (embedded data on Linux, module resources on Windows):
// each number holds its own file, which decodes at the size the layout is built on.
TEST(EmbeddedPictures, EveryNumberHoldsItsFileAndDecodesAtTheLayoutsSize)
{
    registerEmbeddedPictures();
    for (const ExpectedPicture& expected : kExpectedPictures) {
        SCOPED_TRACE(expected.fileName);
        const std::span<const uint8_t> data = CResourceDescription(expected.id).getData();
        const std::vector<uint8_t> file = fileBytes(expected.fileName);
        ASSERT_FALSE(file.empty());
        EXPECT_TRUE(std::vector<uint8_t>(data.begin(), data.end()) == file);

        auto bitmap = makeOwned<CBitmap>(CResourceDescription(expected.id));
        ASSERT_NE(bitmap->getPlatformBitmap(), nullptr);
        EXPECT_EQ(bitmap->getWidth(), expected.width);
        EXPECT_EQ(bitmap->getHeight(), expected.height);
    }
}
