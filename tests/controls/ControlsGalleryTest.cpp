#include "tools/controls-gallery/ControlsGallery.h"

#include "vstgui/PngCodec.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

using namespace VSTGUI;

namespace {

// The committed picture is what the gallery paints. ZARN_REGENERATE_GALLERY=1 rewrites it (after a
// change that is meant to alter the picture) instead of comparing.
TEST(ControlsGallery, PaintsTheCommittedReferencePicture)
{
    gallery::ControlsGallery gallery;
    ASSERT_NE(gallery.getFrame()->getBackBuffer(), nullptr);
    if (std::getenv("ZARN_REGENERATE_GALLERY")) {
        ASSERT_TRUE(gallery.writePng(ZARN_GALLERY_REFERENCE));
        GTEST_SKIP() << "rewrote " << ZARN_GALLERY_REFERENCE;
    }
    std::ifstream file(ZARN_GALLERY_REFERENCE, std::ios::binary);
    const std::vector<uint8_t> png{std::istreambuf_iterator<char>(file), {}};
    int32_t width = 0, height = 0;
    std::vector<uint8_t> reference;
    ASSERT_TRUE(PngCodec::decode(png.data(), png.size(), width, height, reference)) << ZARN_GALLERY_REFERENCE;
    const IPlatformBitmap& painted = *gallery.getFrame()->getBackBuffer();
    ASSERT_EQ(std::pair(width, height), std::pair(painted.getPixelWidth(), painted.getPixelHeight()));
    size_t differing = 0;
    for (size_t i = 0; i < reference.size(); ++i)
        differing += reference[i] != painted.getPixels()[i];
    EXPECT_EQ(differing, 0u) << "bytes differ from " << ZARN_GALLERY_REFERENCE;
}

} // namespace
